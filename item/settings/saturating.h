// Arithmetic on stored numbers: heights, margins and sizes come from the
// registry as any 32-bit value, so sums and products saturate instead of wrapping.
#pragma once
#include <windows.h>

#include <climits>

inline int ClampToInt(long long v) {
  return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
}
inline int SaturatingAdd(int a, int b) { return ClampToInt(static_cast<long long>(a) + b); }
inline int SaturatingSub(int a, int b) { return ClampToInt(static_cast<long long>(a) - b); }
inline int SaturatingMul(int a, int b) { return ClampToInt(static_cast<long long>(a) * b); }
// a x b / c with truncation toward zero, the product taken in 64 bits.
inline int MulDivTruncate(int a, int b, int c) {
  if (c == 0) return 0;
  return ClampToInt(static_cast<long long>(a) * b / c);
}

// Coordinates handed to GDI stay within this distance of the origin, so that
// GDI's own sum of a coordinate and a width or height still fits in 32 bits.
constexpr long long CoordinateLimit = 0x3FFFFFFF;
inline LONG ClampToCoordinate(long long v) {
  return static_cast<LONG>(v < -CoordinateLimit  ? -CoordinateLimit
                           : v > CoordinateLimit ? CoordinateLimit
                                                 : v);
}
