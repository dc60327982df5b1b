// The device's folder strings (%CE1% and its kin) in the paths of a setup
// description, as its "translation" attribute asks.
#pragma once
#include <cstddef>

// A path attribute under the document's "translation": "install" replaces the
// device's %CE1%-style folder strings and drops doubled backslashes,
// "filesystem" only drops them, none leaves the text as it is. False on an
// unknown translation or string, or when the result does not fit.
bool TranslatePath(const wchar_t* text, const wchar_t* translation, wchar_t* out, size_t cap);
