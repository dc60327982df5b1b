// The growable path lists of the tool.
#include "config/model/path_list.h"

#include <utility>

#include "config/model/text_util.h"

void ClearPaths(PathList* list) { list->Items.clear(); }

void AppendPath(PathList* list, const wchar_t* path) {
  PathSlot slot;
  CopyText(slot.Path, path);
  list->Items.push_back(slot);
}

int PathCount(const PathList* list) { return static_cast<int>(list->Items.size()); }

static bool InRange(const PathList* list, int index) {
  return index >= 0 && index < PathCount(list);
}

const wchar_t* PathAt(const PathList* list, int index) {
  return InRange(list, index) ? list->Items[index].Path : L"";
}

bool ReplacePathAt(PathList* list, int index, const wchar_t* path) {
  if (!InRange(list, index)) return false;
  CopyText(list->Items[index].Path, path);
  return true;
}

bool RemovePathAt(PathList* list, int index) {
  if (!InRange(list, index)) return false;
  list->Items.erase(list->Items.begin() + index);
  return true;
}

bool SwapPaths(PathList* list, int first, int second) {
  if (!InRange(list, first) || !InRange(list, second)) return false;
  std::swap(list->Items[first], list->Items[second]);
  return true;
}

void CopyPaths(PathList* destination, const PathList* source) {
  ClearPaths(destination);
  for (int i = 0; i < PathCount(source); ++i) AppendPath(destination, PathAt(source, i));
}
