// What the platform's own Today items show, as pure rules: which entry
// stands for which of them, the messages line and the row's height.
#pragma once
#include <windows.h>

#include <cstddef>

// The platform's own items, in the order of PlatformTodayItems
// (platform/device_facts.h), OwnNone for any other entry.
enum OwnItemKind : int { OwnNone = 0, OwnDate = 1, OwnMessages = 2, OwnTasks = 3 };

// Room for one item's line, with its terminator.
constexpr int OwnLineSlot = 128;

// The kind an entry of this name and type stands for; a custom entry (type
// 4) is never one of them, whatever its name.
OwnItemKind OwnItemKindOf(const wchar_t* name, DWORD type);

// The messages line for these unread counts.
void MessagesLine(DWORD sms, DWORD email, wchar_t* out, size_t cap);

// The tasks line.
extern const wchar_t TasksLine[];

// One row of text with its margins, at the screen's density.
int OwnItemHeight(int dpi);
