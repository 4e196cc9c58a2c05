// Money and counts are 32-bit signed, and none of them may wrap: every sum, difference and
// product on them goes through these helpers, which hold a result that would leave the range
// at the nearest limit (2147483647 or -2147483648).
#pragma once

#include <cstdint>
#include <limits>

namespace nebulance {

inline constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();
inline constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();

// Returns `value` held within the 32-bit signed range.
constexpr std::int32_t clampToInt32(std::int64_t value) {
  if (value > kInt32Max) return kInt32Max;
  if (value < kInt32Min) return kInt32Min;
  return static_cast<std::int32_t>(value);
}

// Truncates `value` toward zero, held within the 32-bit signed range.
constexpr std::int32_t truncateToInt32(double value) {
  if (value >= static_cast<double>(kInt32Max)) return kInt32Max;
  if (value <= static_cast<double>(kInt32Min)) return kInt32Min;
  return static_cast<std::int32_t>(value);
}

constexpr std::int32_t saturatingAdd(std::int32_t a, std::int32_t b) {
  return clampToInt32(std::int64_t{a} + b);
}

constexpr std::int32_t saturatingSubtract(std::int32_t a, std::int32_t b) {
  return clampToInt32(std::int64_t{a} - b);
}

constexpr std::int32_t saturatingMultiply(std::int32_t a, std::int32_t b) {
  return clampToInt32(std::int64_t{a} * b);
}

}  // namespace nebulance
