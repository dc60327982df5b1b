// Pure conversions between settings and the texts the tool shows or reads:
// value texts of the settings lists, typed numbers, colours, path parts.
#pragma once
#include <windows.h>

#include <cstddef>

#include "config/model/tool_settings.h"

// Leading blanks, one sign, then digits up to the first other character;
// 0 without digits. Values beyond the int range stop at its ends.
int ParseTypedNumber(const wchar_t* text);
// value held to low..high.
int Clamp(int value, int low, int high);
// A colour channel typed by the user: read as a number, held to 0..255.
int ParseColorChannel(const wchar_t* text);

void NumberText(int value, wchar_t* text, size_t capacity);
void MarginsText(int left, int top, int right, int bottom, wchar_t* text, size_t capacity);
void FontDescription(const FontSpec& font, wchar_t* text, size_t capacity);
void ColorText(COLORREF color, wchar_t* text, size_t capacity);

// The file-name part: the text after the last backslash, or the whole text.
const wchar_t* FileNamePart(const wchar_t* path);
// The folder part: up to and including the last backslash, "" if none.
void FolderPart(const wchar_t* path, wchar_t* folder, size_t capacity);
// Parent of a folder ending in a backslash: drop the last unit, then take
// the folder part.
void ParentFolder(const wchar_t* folder, wchar_t* parent, size_t capacity);

// A fixed list of choice labels; an index outside it has no label.
struct ChoiceSet {
  const wchar_t* const* Labels;
  int Count;
};
const wchar_t* ChoiceLabel(const ChoiceSet& set, int index);  // nullptr outside

// A toggle's texts for off and on.
extern const ChoiceSet YesNoTexts;
extern const ChoiceSet IconSizeTexts;
extern const ChoiceSet TapTypeChoices;
extern const ChoiceSet TimeFormatChoices;
extern const ChoiceSet ShowDateChoices;
extern const ChoiceSet AlignChoices;
extern const ChoiceSet MemoryChoices;     // the list's entries
extern const ChoiceSet MemoryValueTexts;  // the row's value texts
