// zlib's raw inflate, one call per block, the history set as dictionary.
#include "host/installer/mszip_block.h"

#include <zlib.h>

#include <cstring>

bool InflateMszipBlock(const unsigned char* block, size_t size, const MszipHistory& history,
                       unsigned char* out, size_t cap, size_t* inflated) {
  *inflated = 0;
  if (size < 2 || block[0] != 'C' || block[1] != 'K') return false;
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return false;  // raw deflate, 32 KiB window
  bool ok = history.size == 0 ||
            inflateSetDictionary(&z, history.bytes, static_cast<uInt>(history.size)) == Z_OK;
  z.next_in = const_cast<Bytef*>(block + 2);
  z.avail_in = static_cast<uInt>(size - 2);
  z.next_out = out;
  z.avail_out = static_cast<uInt>(cap);
  // One call with everything: it ends at the final deflate block, or fails
  // when the stream is bad, cut short, or wants more room than cap.
  ok = ok && inflate(&z, Z_FINISH) == Z_STREAM_END;
  if (ok) *inflated = cap - z.avail_out;
  inflateEnd(&z);
  return ok;
}

void KeepHistory(MszipHistory* history, const unsigned char* out, size_t n) {
  if (n >= MszipWindowBytes) {
    memcpy(history->bytes, out + n - MszipWindowBytes, MszipWindowBytes);
    history->size = MszipWindowBytes;
    return;
  }
  size_t keep = history->size;
  if (keep > MszipWindowBytes - n) keep = MszipWindowBytes - n;
  memmove(history->bytes, history->bytes + history->size - keep, keep);
  memcpy(history->bytes + keep, out, n);
  history->size = keep + n;
}
