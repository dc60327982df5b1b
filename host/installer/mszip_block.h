// An MSZIP data block of a cabinet inflated with zlib, to learn what it
// holds before the platform's decoder, which trusts the block, writes it into
// its 32 KiB buffer.
#pragma once
#include <cstddef>

constexpr size_t MszipWindowBytes = 32768;

// The last 32 KiB a folder's blocks inflated to: the format keeps this
// history from block to block, and a block's copies may reach into it.
struct MszipHistory {
  size_t size;  // 0 before a folder's first block
  unsigned char bytes[MszipWindowBytes];
};

// Inflates the MSZIP block in block[0, size) ("CK", then deflate blocks up
// to a final one) with history as its dictionary, into out[0, cap). False
// when the mark is missing, the stream is malformed or cut, or it would
// inflate past cap; otherwise *inflated gets its size.
bool InflateMszipBlock(const unsigned char* block, size_t size, const MszipHistory& history,
                       unsigned char* out, size_t cap, size_t* inflated);

// Adds what a block inflated to, out[0, n), to history.
void KeepHistory(MszipHistory* history, const unsigned char* out, size_t n);
