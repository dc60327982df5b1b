// The Today screen's keyboard selection and the messages it sends the items.
#include "host/todayhost/keyboard_selection.h"

#include "host/todayhost/selection.h"

namespace {

// The item repaints its background, highlighted or not, whatever its
// Selectability.
void Repaint(const HostedItems& items, int index) {
  if (index >= 0 && index < items.count) InvalidateRect(ItemWindow(items, index), nullptr, TRUE);
}

void Deselect(int* selected, const HostedItems& items) {
  int old = *selected;
  if (old < 0) return;
  *selected = -1;
  if (SelectabilityOf(items, old) == SelectableWithMessages)
    SendMessageW(ItemWindow(items, old), WM_TODAYCUSTOM_LOSTSELECTION, 0, 0);
  Repaint(items, old);
}

struct Offer {
  const HostedItems* items;
  UINT key;
};

bool OfferSelection(int index, void* context) {
  const Offer* offer = static_cast<const Offer*>(context);
  return SendMessageW(ItemWindow(*offer->items, index), WM_TODAYCUSTOM_RECEIVEDSELECTION,
                      offer->key, 0) != 0;
}

void MoveSelection(int* selected, const HostedItems& items, ColumnView* column, int direction,
                   UINT vk) {
  DWORD selectability[MaxItemEntries];
  for (int i = 0; i < items.count; ++i) selectability[i] = SelectabilityOf(items, i);
  int from = *selected;
  Deselect(selected, items);
  Offer offer = {&items, vk};
  *selected = PassSelection(from, direction, selectability, items.count, OfferSelection, &offer);
  Repaint(items, *selected);
  if (*selected >= 0) {
    ShowSelection(*selected, items, column);
  } else {
    // Past the last selectable item the rest of the column comes into view.
    ScrollColumnToEnd(column, items, direction);
  }
}

// The action key: an item the shell selects itself gets a tap at (1, 1).
void ActOnSelection(int selected, const HostedItems& items) {
  if (selected < 0) return;
  HWND window = ItemWindow(items, selected);
  if (SelectabilityOf(items, selected) == SelectableWithMessages) {
    SendMessageW(window, WM_TODAYCUSTOM_ACTION, VK_RETURN, 0);
  } else {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  }
}

}  // namespace

void SelectAgain(int* selected, const HostedItems& items, int index) {
  DWORD selectability = SelectabilityOf(items, index);
  Offer noKey = {&items, 0};
  if (selectability == 0 ||
      (selectability == SelectableWithMessages && !OfferSelection(index, &noKey)))
    return;
  *selected = index;
  Repaint(items, index);
}

void NavigateSelection(int* selected, const HostedItems& items, ColumnView* column, UINT vk) {
  if (vk == VK_RETURN) {
    ActOnSelection(*selected, items);
    return;
  }
  if (vk != VK_UP && vk != VK_DOWN && vk != VK_LEFT && vk != VK_RIGHT) return;
  // An item told of its selection has the first word on every arrow key;
  // only an up or down it leaves unhandled moves the selection on.
  if (SelectabilityOf(items, *selected) == SelectableWithMessages &&
      !NavigationLeavesItem(vk, SendMessageW(ItemWindow(items, *selected),
                                             WM_TODAYCUSTOM_USERNAVIGATION, vk, 0) != 0))
    return;
  if (int direction = SelectionDirection(vk)) MoveSelection(selected, items, column, direction, vk);
}

bool TakeSelection(int* selected, const HostedItems& items, ColumnView* column, HWND item) {
  int i = FindItemWindow(items, item);
  if (i < 0 || SelectabilityOf(items, i) == 0) return false;
  if (i != *selected) {
    Deselect(selected, items);
    *selected = i;
    Repaint(items, i);
  }
  ShowSelection(*selected, items, column);
  return true;
}

bool IsHighlightedByShell(int selected, const HostedItems& items, HWND item) {
  return selected >= 0 && item == ItemWindow(items, selected) &&
         SelectabilityOf(items, selected) == SelectableByShell;
}

void ShowSelection(int selected, const HostedItems& items, ColumnView* column) {
  if (selected >= 0 && selected < items.count) ShowColumnItem(column, items, selected);
}
