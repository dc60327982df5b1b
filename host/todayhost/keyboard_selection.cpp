// The Today screen's keyboard selection and the messages it sends the items.
#include "host/todayhost/keyboard_selection.h"

#include "host/todayhost/hosted_items.h"
#include "host/todayhost/item_column.h"
#include "host/todayhost/selection.h"

namespace {

int g_selected = -1;

// The item repaints its background, highlighted or not, whatever its
// Selectability.
void Repaint(int index) {
  if (index >= 0 && index < HostItemCount()) InvalidateRect(HostItemWindow(index), nullptr, TRUE);
}

void Deselect() {
  int old = g_selected;
  if (old < 0) return;
  g_selected = -1;
  if (SelectabilityOf(old) == SelectableWithMessages)
    SendMessageW(HostItemWindow(old), WM_TODAYCUSTOM_LOSTSELECTION, 0, 0);
  Repaint(old);
}

bool OfferSelection(int index, void* key) {
  return SendMessageW(HostItemWindow(index), WM_TODAYCUSTOM_RECEIVEDSELECTION,
                      *static_cast<UINT*>(key), 0) != 0;
}

void MoveSelection(HWND screen, int direction, UINT vk) {
  DWORD selectability[MaxItemEntries];
  for (int i = 0; i < HostItemCount(); ++i) selectability[i] = SelectabilityOf(i);
  int from = g_selected;
  Deselect();
  g_selected = PassSelection(from, direction, selectability, HostItemCount(), OfferSelection, &vk);
  Repaint(g_selected);
  if (g_selected >= 0) {
    ShowSelection(screen);
  } else {
    // Past the last selectable item the rest of the column comes into view.
    ScrollColumnToEnd(screen, direction);
  }
}

// The action key: an item the shell selects itself gets a tap at (1, 1).
void ActOnSelection() {
  if (g_selected < 0) return;
  HWND window = HostItemWindow(g_selected);
  if (SelectabilityOf(g_selected) == SelectableWithMessages) {
    SendMessageW(window, WM_TODAYCUSTOM_ACTION, VK_RETURN, 0);
  } else {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  }
}

}  // namespace

int HostSelection() { return g_selected; }

void DropSelection() { g_selected = -1; }

void SelectAgain(int index) {
  DWORD selectability = SelectabilityOf(index);
  UINT noKey = 0;
  if (selectability == 0 ||
      (selectability == SelectableWithMessages && !OfferSelection(index, &noKey)))
    return;
  g_selected = index;
  Repaint(index);
}

void NavigateSelection(HWND screen, UINT vk) {
  if (vk == VK_RETURN) {
    ActOnSelection();
    return;
  }
  if (vk != VK_UP && vk != VK_DOWN && vk != VK_LEFT && vk != VK_RIGHT) return;
  // An item told of its selection has the first word on every arrow key;
  // only an up or down it leaves unhandled moves the selection on.
  if (SelectabilityOf(g_selected) == SelectableWithMessages &&
      !NavigationLeavesItem(
          vk, SendMessageW(HostItemWindow(g_selected), WM_TODAYCUSTOM_USERNAVIGATION, vk, 0) != 0))
    return;
  if (int direction = SelectionDirection(vk)) MoveSelection(screen, direction, vk);
}

bool TakeSelection(HWND screen, HWND item) {
  int i = FindItemWindow(item);
  if (i < 0 || SelectabilityOf(i) == 0) return false;
  if (i != g_selected) {
    Deselect();
    g_selected = i;
    Repaint(i);
  }
  ShowSelection(screen);
  return true;
}

bool IsHighlightedByShell(HWND item) {
  return g_selected >= 0 && item == HostItemWindow(g_selected) &&
         SelectabilityOf(g_selected) == SelectableByShell;
}

void ShowSelection(HWND screen) {
  if (g_selected >= 0 && g_selected < HostItemCount()) ShowColumnItem(screen, g_selected);
}
