// How the Today screen's keyboard selection moves, as pure decisions: which
// keys leave an item, in which direction, and which item takes the
// selection when the ones on the way decline it.
#pragma once
#include <windows.h>

// An entry's "Selectability": 0 (or absent) never selected, 1 selected by
// the shell itself without messages, 2 told of it and of every key.
constexpr DWORD SelectableByShell = 1;
constexpr DWORD SelectableWithMessages = 2;

// +1 for the down key, -1 for up, 0 for any other: only these two move the
// selection from item to item.
int SelectionDirection(UINT virtualKey);

// Whether a key that the selected item (Selectability 2) answered moves the
// selection on: only an unhandled up or down; left and right stay with it.
bool NavigationLeavesItem(UINT virtualKey, bool handledByItem);

// The selection after a step of delta (+1 down/right, -1 up/left) from
// current (-1 = nothing selected) over the items marked selectable: stepping
// past either end leaves nothing selected; from nothing, down picks the first
// selectable item and up the last.
int StepSelection(int current, int delta, const bool* selectable, int count);

// Asks an item (by index) whether it takes the selection.
typedef bool (*SelectionOffer)(int index, void* context);

// The item that ends up selected after a step of direction from current
// (-1 = none): the selectable items on the way are offered it in turn; one
// the shell selects itself (1) always takes it, one told of it (2) takes it
// when offer says so. -1 when the step runs past the last item.
int PassSelection(int current, int direction, const DWORD* selectability, int count,
                  SelectionOffer offer, void* context);
