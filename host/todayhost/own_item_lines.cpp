// The platform's own Today items' names, lines and height.
#include "host/todayhost/own_item_lines.h"

#include <cwchar>

#include "host/todayhost/text_util.h"
#include "platform/device_facts.h"
#include "platform/today.h"

const wchar_t TasksLine[] = L"Нет активных задач";

// The platform's items stand in the order of their kinds.
static_assert(sizeof PlatformTodayItems / sizeof PlatformTodayItems[0] == OwnTasks,
              "one platform item for each own kind");

OwnItemKind OwnItemKindOf(const wchar_t* name, DWORD type) {
  if (!name || type == tlitCustom) return OwnNone;
  int kind = OwnDate;
  for (const PlatformTodayItem& item : PlatformTodayItems) {
    if (_wcsicmp(name, item.name) == 0) return static_cast<OwnItemKind>(kind);
    ++kind;
  }
  return OwnNone;
}

void MessagesLine(DWORD sms, DWORD email, wchar_t* out, size_t cap) {
  if (!out || cap == 0) return;
  if (sms == 0 && email == 0) {
    CopyText(out, cap, L"Нет новых сообщений");
    return;
  }
  wchar_t line[OwnLineSlot];
  swprintf(line, OwnLineSlot, L"Сообщения: SMS %lu, эл. почта %lu", static_cast<unsigned long>(sms),
           static_cast<unsigned long>(email));
  CopyText(out, cap, line);  // cut to the slot when it does not fit
}

int OwnItemHeight(int dpi) {
  if (dpi < 1 || dpi > 2000) dpi = ScreenBaseDpi;
  return DateLineHeight * dpi / ScreenBaseDpi;
}
