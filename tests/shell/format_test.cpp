#include "shell/format.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <limits>
#include <string>

namespace nebulance {
namespace {

using namespace std::string_view_literals;

// The check that stops a build: a template must ask for exactly the values given, in order.
constexpr bool matches(std::string_view format, std::string_view fieldTypes) {
  std::array<TemplateStretch, 4> stretches{};
  return layOut(format, fieldTypes, std::span(stretches).first(fieldTypes.size() + 1));
}
static_assert(matches("%d %-4s|%10d%%", "dsd"));
static_assert(matches("100%% sure", ""));
static_assert(!matches("%d", "s"));
static_assert(!matches("%d %d", "d"));
static_assert(!matches("%d", "dd"));
static_assert(!matches("%5.2d", "d"));
static_assert(!matches("%-%", ""));
// What printf would write otherwise than a plain field does: its flags and a precision.
static_assert(!matches("%05d", "d"));
static_assert(!matches("%-05d", "d"));
static_assert(!matches("%+d", "d"));
static_assert(!matches("% d", "d"));
static_assert(!matches("%#d", "d"));
static_assert(!matches("%.2f", "f"));

constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();

struct FieldCase {
  const char* format;  // one conversion, between brackets to show the padding
  FieldValue value;
};

// What printf writes for the case: the oracle every field must match.
std::string printed(const FieldCase& example, char type) {
  std::array<char, 512> buffer{};
  if (type == 'd')
    std::snprintf(buffer.data(), buffer.size(), example.format, example.value.integer);
  if (type == 'f') std::snprintf(buffer.data(), buffer.size(), example.format, example.value.real);
  if (type == 's') {
    std::snprintf(buffer.data(), buffer.size(), example.format,
                  std::string(example.value.text).c_str());
  }
  return buffer.data();
}

// Widths wider and narrower than the value, both alignments, the int32 limits, and the rates the
// bank shows; every screen's own fields and art are pinned by the sessions.
TEST(FormatTest, FillsEachFieldAsPrintfDoes) {
  const std::array<FieldCase, 16> cases = {{
      {"[%1d]", 0},
      {"[%10d]", kHighest},
      {"[%3d]", 9},
      {"[%3d]", 100},
      {"[%3d]", -99},
      {"[%2d]", 123456},
      {"[%d]", kLowest},
      {"[%11d]", kLowest},
      {"[%-4d]", -7},
      {"[%-2d]", 123456},
      {"[%8s]", "Naboo"sv},
      {"[%-8s]", "Naboo"sv},
      {"[%2s]", "Naboo"sv},
      {"[%f]", 0.05},
      {"[%f]", 0.0000005},
      {"[%f]", 123456.125},
  }};
  for (const FieldCase& example : cases) {
    const std::string_view format = example.format;
    const char type = format[format.find_first_of("dsf")];
    std::array<TemplateStretch, 2> stretches;
    ASSERT_TRUE(layOut(format, std::string_view(&type, 1), stretches)) << format;
    std::string filled = "art before: ";
    appendFormatted(filled, {stretches, roomNeeded(stretches)}, std::span(&example.value, 1));
    EXPECT_EQ(filled, "art before: " + printed(example, type)) << format;
  }
}

}  // namespace
}  // namespace nebulance
