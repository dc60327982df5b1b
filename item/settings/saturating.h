// Arithmetic on stored numbers: heights, margins and sizes come from the
// registry as any 32-bit value, so sums and products saturate instead of wrapping.
#pragma once
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
