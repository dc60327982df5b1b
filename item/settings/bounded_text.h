// Texts in fixed slots: every copy bounded by the slot and terminated.
#pragma once

// Bounded copy/concatenation; false (and out "" ) when the result does not fit.
bool CopyText(wchar_t* out, int capacity, const wchar_t* text);
bool JoinText(wchar_t* out, int capacity, const wchar_t* first, const wchar_t* second);

// True when source, cut to capacity - 1 units, differs from stored.
bool TextDiffers(const wchar_t* stored, int capacity, const wchar_t* source);

// Copies at most capacity - 1 units of source and terminates; returns true
// when the copy differs from what out held before, so a caller repaints only
// for a text that changed.
bool StoreText(wchar_t* out, int capacity, const wchar_t* source);
