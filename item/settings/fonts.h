// The pure halves of the font and length helpers, so tests can feed them any
// resolution and size.
#pragma once

// -(size x dpi / 72), truncated toward zero, kept within the int range.
int FontCharHeight(int size, int dpi);

// length x dpi / 96, truncated toward zero, kept within the int range.
int ScaleLength(int length, int dpi);
