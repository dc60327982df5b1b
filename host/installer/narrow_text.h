// Narrow text made wide: the names a cabinet stores and the text files a
// package carries. One strict decoding for all of them.
#pragma once
#include <cstddef>

// Decodes bytes[0, size) in codePage (CP_UTF8, CP_ACP) into out, terminated.
// False, with out empty, when a byte is not valid there or the text does not
// fit in cap - 1 units.
bool NarrowToWide(const char* bytes, size_t size, unsigned codePage, wchar_t* out, size_t cap);

// Turns the bytes of a text file (UTF-8, with or without a byte order mark)
// into text; false when they are not valid UTF-8 or do not fit in cap.
bool DecodeUtf8Text(const char* bytes, size_t size, wchar_t* out, size_t cap);
