// Bounded UTF-16 copies for todayhost's fixed text slots.
#pragma once
#include <cstddef>

// Copies src into dst[cap], always terminated; false (and dst truncated) when
// src does not fit.
bool CopyText(wchar_t* dst, size_t cap, const wchar_t* src);
// Appends src to the text already in dst[cap]; false when it does not fit.
bool AppendText(wchar_t* dst, size_t cap, const wchar_t* src);
