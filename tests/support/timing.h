// The benchmarks' clock and the median of a set of runs.
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

namespace testsupport {

inline double NowMicroseconds() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1e6 / frequency;
}
inline double NowMs() { return NowMicroseconds() / 1000.0; }

inline double MedianOf(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace testsupport
