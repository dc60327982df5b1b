// A deflate walker (RFC 1951) that decodes every code and counts the bytes
// it would write, refusing whatever a strict decoder refuses: over-subscribed
// or incomplete code sets (but a single code), code 16 with nothing to
// repeat, lengths past the table, symbols that are not defined.
#include "host/installer/deflate_check.h"

namespace {

constexpr int MaxBits = 15;
constexpr int MaxLiteralCodes = 286;
constexpr int MaxDistanceCodes = 30;

struct BitReader {
  const unsigned char* data;
  size_t size;
  size_t at;
  unsigned long buffer;
  int count;
  bool failed;
};

// The next n bits (n <= 16), first bit lowest; sets failed at the end.
unsigned Bits(BitReader* r, int n) {
  while (r->count < n) {
    if (r->at >= r->size) {
      r->failed = true;
      return 0;
    }
    r->buffer |= static_cast<unsigned long>(r->data[r->at++]) << r->count;
    r->count += 8;
  }
  const unsigned value = static_cast<unsigned>(r->buffer & ((1ul << n) - 1));
  r->buffer >>= n;
  r->count -= n;
  return value;
}

// A canonical Huffman code: how many codes of each length, and the symbols
// in code order.
struct Code {
  short counts[MaxBits + 1];
  short symbols[MaxLiteralCodes + 2];
};

// Builds code from lengths[0, n). False when the set is over-subscribed, or
// incomplete but for a single code of one bit where single is allowed.
bool BuildCode(Code* code, const short* lengths, int n, bool single = true) {
  for (short& c : code->counts) c = 0;
  for (int s = 0; s < n; ++s) ++code->counts[lengths[s]];
  const bool one = single && n - code->counts[0] == 1 && code->counts[1] == 1;
  int left = 1;
  for (int len = 1; len <= MaxBits; ++len) {
    left = left * 2 - code->counts[len];
    if (left < 0) return false;
  }
  short offsets[MaxBits + 2] = {0};
  for (int len = 1; len <= MaxBits; ++len) offsets[len + 1] = offsets[len] + code->counts[len];
  for (int s = 0; s < n; ++s)
    if (lengths[s] != 0) code->symbols[offsets[lengths[s]]++] = static_cast<short>(s);
  return left == 0 || one;
}

// The next symbol of code; -1 for a code that is not in the set.
int Decode(BitReader* r, const Code& code) {
  int value = 0, first = 0, index = 0;
  for (int len = 1; len <= MaxBits; ++len) {
    value |= static_cast<int>(Bits(r, 1));
    const int count = code.counts[len];
    if (value - first < count) return code.symbols[index + value - first];
    index += count;
    first = (first + count) << 1;
    value <<= 1;
    if (r->failed) return -1;
  }
  return -1;
}

const short LengthBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                            31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const short LengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                             2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const short DistanceExtra[] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                               6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// The symbols of one Huffman-coded block up to its end code; adds what they
// write to *out.
bool WalkCodes(BitReader* r, const Code& literals, const Code& distances, size_t limit,
               size_t* out) {
  for (;;) {
    const int symbol = Decode(r, literals);
    if (symbol < 0 || r->failed) return false;
    if (symbol == 256) return true;
    if (symbol < 256) {
      ++*out;
    } else {
      const int index = symbol - 257;
      if (index >= 29) return false;
      *out += static_cast<size_t>(LengthBase[index] + Bits(r, LengthExtra[index]));
      const int distance = Decode(r, distances);
      if (distance < 0 || distance >= MaxDistanceCodes) return false;
      Bits(r, DistanceExtra[distance]);
    }
    if (*out > limit || r->failed) return false;
  }
}

bool WalkStored(BitReader* r, size_t limit, size_t* out) {
  r->buffer = 0;  // to the byte boundary
  r->count = 0;
  if (r->size - r->at < 4) return false;
  const unsigned length = r->data[r->at] | (r->data[r->at + 1] << 8);
  const unsigned check = r->data[r->at + 2] | (r->data[r->at + 3] << 8);
  r->at += 4;
  if (length != (~check & 0xFFFF) || r->size - r->at < length) return false;
  r->at += length;
  *out += length;
  return *out <= limit;
}

bool WalkFixed(BitReader* r, size_t limit, size_t* out) {
  static Code literals, distances;
  static const bool built = [] {
    short lengths[288];
    for (int s = 0; s < 288; ++s) lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    BuildCode(&literals, lengths, 288);
    for (short& l : lengths) l = 5;
    BuildCode(&distances, lengths, MaxDistanceCodes);
    return true;
  }();
  (void)built;
  return WalkCodes(r, literals, distances, limit, out);
}

bool WalkDynamic(BitReader* r, size_t limit, size_t* out) {
  static const short order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
  const int literalCount = static_cast<int>(Bits(r, 5)) + 257;
  const int distanceCount = static_cast<int>(Bits(r, 5)) + 1;
  const int lengthCodes = static_cast<int>(Bits(r, 4)) + 4;
  if (r->failed || literalCount > MaxLiteralCodes || distanceCount > MaxDistanceCodes) return false;
  short lengths[MaxLiteralCodes + MaxDistanceCodes] = {0};
  for (int i = 0; i < lengthCodes; ++i) lengths[order[i]] = static_cast<short>(Bits(r, 3));
  Code lengthCode, literals, distances;
  if (r->failed || !BuildCode(&lengthCode, lengths, 19, false)) return false;
  const int total = literalCount + distanceCount;
  for (int i = 0; i < total;) {
    const int symbol = Decode(r, lengthCode);
    if (symbol < 0 || r->failed) return false;
    if (symbol < 16) {
      lengths[i++] = static_cast<short>(symbol);
      continue;
    }
    if (symbol == 16 && i == 0) return false;  // nothing to repeat
    const short repeated = symbol == 16 ? lengths[i - 1] : 0;
    const int times = symbol == 16   ? 3 + static_cast<int>(Bits(r, 2))
                      : symbol == 17 ? 3 + static_cast<int>(Bits(r, 3))
                                     : 11 + static_cast<int>(Bits(r, 7));
    if (r->failed || i + times > total) return false;
    for (int k = 0; k < times; ++k) lengths[i++] = repeated;
  }
  if (lengths[256] == 0) return false;  // no end code
  return BuildCode(&literals, lengths, literalCount) &&
         BuildCode(&distances, lengths + literalCount, distanceCount) &&
         WalkCodes(r, literals, distances, limit, out);
}

}  // namespace

bool InflatedSize(const unsigned char* data, size_t size, size_t limit, size_t* out) {
  BitReader r{data, size, 0, 0, 0, false};
  *out = 0;
  for (bool last = false; !last;) {
    last = Bits(&r, 1) == 1;
    const unsigned type = Bits(&r, 2);
    if (r.failed) return false;
    const bool ok = type == 0   ? WalkStored(&r, limit, out)
                    : type == 1 ? WalkFixed(&r, limit, out)
                    : type == 2 ? WalkDynamic(&r, limit, out)
                                : false;
    if (!ok) return false;
  }
  return true;
}
