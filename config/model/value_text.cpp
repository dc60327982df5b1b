// Value texts of the settings lists and the reading of typed numbers.
#include "config/model/value_text.h"

#include <climits>
#include <cwchar>

#include "config/model/text_util.h"

int ParseTypedNumber(const wchar_t* text) {
  if (!text) return 0;
  const wchar_t* p = text;
  while (*p == L' ' || *p == L'\t') ++p;
  bool negative = false;
  if (*p == L'+' || *p == L'-') negative = *p++ == L'-';
  long long value = 0;
  for (; *p >= L'0' && *p <= L'9'; ++p) {
    // Past the int range nothing more can change the result.
    if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (*p - L'0');
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

int ParseColorChannel(const wchar_t* text) { return Clamp(ParseTypedNumber(text), 0, 255); }

void NumberText(int value, wchar_t* text, size_t capacity) {
  swprintf(text, capacity, L"%i", value);
}

void MarginsText(int left, int top, int right, int bottom, wchar_t* text, size_t capacity) {
  swprintf(text, capacity, L"%i%ls%i%ls%i%ls%i", left, L",", top, L",", right, L",", bottom);
}

void FontDescription(const FontSpec& font, wchar_t* text, size_t capacity) {
  wchar_t face[TextSlot];
  CopyText(face, font.Name);
  swprintf(text, capacity, L"%ls %i %ls%ls", face, font.Size, font.Bold ? L"B" : L"",
           font.ClearType ? L"C" : L"");
}

void ColorText(COLORREF color, wchar_t* text, size_t capacity) {
  swprintf(text, capacity, L"0x00%02X%02X%02X", GetBValue(color), GetGValue(color),
           GetRValue(color));
}

const wchar_t* FileNamePart(const wchar_t* path) {
  if (!path) return L"";
  const wchar_t* slash = wcsrchr(path, L'\\');
  return slash ? slash + 1 : path;
}

void FolderPart(const wchar_t* path, wchar_t* folder, size_t capacity) {
  if (capacity == 0) return;
  folder[0] = L'\0';
  if (!path) return;
  const wchar_t* slash = wcsrchr(path, L'\\');
  if (!slash) return;
  size_t length = static_cast<size_t>(slash - path) + 1;
  if (length >= capacity) return;  // would not fit: no folder rather than a cut one
  wmemcpy(folder, path, length);
  folder[length] = L'\0';
}

void ParentFolder(const wchar_t* folder, wchar_t* parent, size_t capacity) {
  wchar_t trimmed[TextSlot];
  if (!CopyTextWhole(trimmed, TextSlot, folder)) {
    if (capacity) parent[0] = L'\0';
    return;
  }
  size_t length = BoundedLength(trimmed, TextSlot);
  if (length > 0) trimmed[length - 1] = L'\0';
  FolderPart(trimmed, parent, capacity);
}

const wchar_t* ChoiceLabel(const ChoiceSet& set, int index) {
  return index >= 0 && index < set.Count ? set.Labels[index] : nullptr;
}

namespace {
const wchar_t* const YesNoLabels[] = {L"нет", L"да"};
const wchar_t* const IconSizeLabels[] = {L"маленькие", L"большие"};
const wchar_t* const TapTypeLabels[] = {L"нет", L"тап", L"двойной тап"};
const wchar_t* const TimeFormatLabels[] = {L"H:mm", L"h:mm", L"HH:mm", L"hh:mm"};
const wchar_t* const ShowDateLabels[] = {L"нет", L"слева", L"сверху", L"справа", L"снизу"};
const wchar_t* const AlignLabels[] = {L"слева", L"центр", L"справа"};
const wchar_t* const MemoryLabels[] = {L"% (занято)", L"занято", L"свободно"};
const wchar_t* const MemoryValueLabels[] = {L"%", L"занято", L"свободно"};
}  // namespace

const ChoiceSet YesNoTexts = {YesNoLabels, 2};
const ChoiceSet IconSizeTexts = {IconSizeLabels, 2};
const ChoiceSet TapTypeChoices = {TapTypeLabels, 3};
const ChoiceSet TimeFormatChoices = {TimeFormatLabels, 4};
const ChoiceSet ShowDateChoices = {ShowDateLabels, 5};
const ChoiceSet AlignChoices = {AlignLabels, 3};
const ChoiceSet MemoryChoices = {MemoryLabels, 3};
const ChoiceSet MemoryValueTexts = {MemoryValueLabels, 3};
