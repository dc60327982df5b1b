// A growable list of paths, each held in a fixed 260-unit slot: the
// Launcher's shortcut files and the copy its editor changes.
#pragma once
#include <vector>

#include "common/registry_names.h"

struct PathSlot {
  wchar_t Path[TextSlot];
};

struct PathList {
  std::vector<PathSlot> Items;
};

void ClearPaths(PathList* list);
void AppendPath(PathList* list, const wchar_t* path);  // cut to the slot
int PathCount(const PathList* list);
const wchar_t* PathAt(const PathList* list, int index);  // "" when out of range
bool ReplacePathAt(PathList* list, int index, const wchar_t* path);
bool RemovePathAt(PathList* list, int index);
bool SwapPaths(PathList* list, int first, int second);
void CopyPaths(PathList* destination, const PathList* source);
