// The help texts of the date-picture and time-picture editors.
#include <cstddef>

#include "config/model/text_util.h"
#include "config/ui/format_help.h"

namespace {

const wchar_t* const DateHelpLines[] = {
    L"если пусто - системный формат\n",
    L"d\t День (0-31)\n",
    L"dd\t День (00-31)\n",
    L"ddd\t День (Пн-Вс)\n",
    L"dddd\t День (понедельник-воскресенье)\n",
    L"M\t Месяц (1-12)\n",
    L"MM\t Месяц (01-12)\n",
    L"MMM\t Месяц (Янв-Дек)\n",
    L"MMMM\t Месяц (январь-декабрь)\n",
    L"y\t Год (один знак)\n",
    L"yy\t Год (два знака)\n",
    L"yyyy\t Год (четыре знака)",
};

const wchar_t* const TimeHelpLines[] = {
    L"H\t Часы (0-24)\n",   L"h\t Часы (0-12)\n",     L"HH\t Часы (00-24)\n",
    L"hh\t Часы (00-12)\n", L"mm\t Минуты (00-59)\n",
};

template <size_t N>
void Build(const wchar_t* const (&lines)[N], wchar_t* text, size_t capacity) {
  if (capacity == 0) return;
  text[0] = L'\0';
  for (const wchar_t* line : lines) AppendText(text, capacity, line);
}

}  // namespace

void BuildDateHelp(wchar_t* text, size_t capacity) { Build(DateHelpLines, text, capacity); }
void BuildTimeHelp(wchar_t* text, size_t capacity) { Build(TimeHelpLines, text, capacity); }
