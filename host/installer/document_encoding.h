// Whether a document's bytes are valid in its encoding, checked before the
// platform's XML reader sees them (Wine's replaces a bad UTF-8 byte with
// U+FFFD instead of failing, and a changed name would then be installed).
#pragma once
#include <cstddef>

// UTF-16 when the bytes start with a byte order mark FF FE or FE FF (then
// an even count, every surrogate paired), UTF-8 otherwise, with or without
// its mark (shortest forms only, no surrogates, nothing past U+10FFFF).
// False with the offset of the first bad byte.
bool ValidDocumentEncoding(const unsigned char* bytes, size_t size, size_t* badAt);
