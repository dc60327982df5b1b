// The painters' fonts. Each paint makes the fonts of its FontSpecs and
// deletes them afterwards; while the item holds its fonts (a drag repaints
// the item at every pointer move), each distinct font is made once and kept
// until the hold ends.
#pragma once
#include <windows.h>

#include "item/settings/item_settings.h"

// The font of spec on dc: a held one when there is one for exactly that
// description, else a new one. 0 if it cannot be made.
HFONT TakeSpecFont(HDC dc, const FontSpec& spec);
// A font from TakeSpecFont is no longer used by the paint: deleted unless held.
void PutBackFont(HFONT font);

// Fonts taken from now on are kept for the paints that follow.
void HoldFonts();
// Every held font is deleted; each paint makes its own fonts again.
void ReleaseHeldFonts();
// How many fonts are held.
int HeldFontCount();
