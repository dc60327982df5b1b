// Strict UTF-8 and UTF-16 validation as pure functions.
#include "host/installer/document_encoding.h"

namespace {

bool ValidUtf16(const unsigned char* bytes, size_t size, bool bigEndian, size_t* badAt) {
  for (size_t at = 2; at < size; at += 2) {
    *badAt = at;
    if (size - at < 2) return false;
    const unsigned unit =
        bigEndian ? (bytes[at] << 8 | bytes[at + 1]) : (bytes[at] | bytes[at + 1] << 8);
    if (unit >= 0xDC00 && unit <= 0xDFFF) return false;  // a low surrogate alone
    if (unit < 0xD800 || unit > 0xDBFF) continue;
    if (size - at < 4) return false;
    const unsigned next =
        bigEndian ? (bytes[at + 2] << 8 | bytes[at + 3]) : (bytes[at + 2] | bytes[at + 3] << 8);
    if (next < 0xDC00 || next > 0xDFFF) return false;
    at += 2;
  }
  return true;
}

// The length of the UTF-8 sequence at bytes[at], 0 when it is not valid.
size_t Utf8Sequence(const unsigned char* bytes, size_t size, size_t at) {
  const unsigned lead = bytes[at];
  if (lead < 0x80) return 1;
  size_t length;
  unsigned low = 0x80, high = 0xBF;  // the second byte's range
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
  } else {
    return 0;
  }
  if (size - at < length) return 0;
  if (bytes[at + 1] < low || bytes[at + 1] > high) return 0;
  for (size_t k = 2; k < length; ++k)
    if (bytes[at + k] < 0x80 || bytes[at + k] > 0xBF) return 0;
  return length;
}

}  // namespace

bool ValidDocumentEncoding(const unsigned char* bytes, size_t size, size_t* badAt) {
  *badAt = 0;
  if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
    return ValidUtf16(bytes, size, false, badAt);
  if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF)
    return ValidUtf16(bytes, size, true, badAt);
  for (size_t at = 0; at < size;) {
    const size_t length = Utf8Sequence(bytes, size, at);
    if (length == 0) {
      *badAt = at;
      return false;
    }
    at += length;
  }
  return true;
}
