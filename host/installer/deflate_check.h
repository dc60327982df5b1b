// The size a deflate stream inflates to, found by walking it without
// writing anything: how an MSZIP data block of a cabinet is checked before
// the platform's decoder, which trusts it, writes it into its 32 KiB block.
#pragma once
#include <cstddef>

// Walks the deflate stream in data[0, size) to its final block. False when
// the stream is malformed (a bad block type, stored length, Huffman code set
// or symbol), ends early, or would inflate to more than limit bytes; out
// gets the inflated size otherwise.
bool InflatedSize(const unsigned char* data, size_t size, size_t limit, size_t* out);
