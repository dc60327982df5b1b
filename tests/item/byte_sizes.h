// The units the SysInfo tests give their memory and storage figures in.
#pragma once
#include <cstdint>

constexpr uint64_t MiB = 1ull << 20;
constexpr uint64_t GiB = 1ull << 30;
