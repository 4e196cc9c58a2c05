#include "shell/format.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <limits>
#include <sstream>
#include <string>

#include "shell/console.h"

namespace nebulance {
namespace {

using namespace std::string_view_literals;

constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();

struct FieldCase {
  const char* format;  // one conversion, between brackets to show the padding
  FieldValue value;
};

// What printf writes for the case: the oracle every field must match.
std::string printed(const FieldCase& example) {
  std::array<char, 512> buffer{};
  const std::string_view format = example.format;
  const char type = format[format.find_first_of("dsf", format.find('%'))];
  const std::string_view text = example.value.text;
  if (type == 'd')
    std::snprintf(buffer.data(), buffer.size(), example.format, example.value.integer);
  if (type == 'f') std::snprintf(buffer.data(), buffer.size(), example.format, example.value.real);
  if (type == 's')
    std::snprintf(buffer.data(), buffer.size(), example.format, std::string(text).c_str());
  return buffer.data();
}

// Widths wider and narrower than the value, both alignments, the int32 limits and the rates the
// bank shows.
TEST(FormatTest, FillsEachFieldAsPrintfDoes) {
  const std::array<FieldCase, 19> cases = {{
      {"[%d]", 0},          {"[%d]", -42},         {"[%d]", kHighest},   {"[%d]", kLowest},
      {"[%10d]", kLowest},  {"[%11d]", kLowest},   {"[%4d]", 7},         {"[%4d]", -7},
      {"[%2d]", 123456},    {"[%-4d]", -7},        {"[%-2d]", 123456},   {"[%s]", "Naboo"sv},
      {"[%8s]", "Naboo"sv}, {"[%-8s]", "Naboo"sv}, {"[%2s]", "Naboo"sv}, {"[%f]", 0.05},
      {"[%f]", 0.2},        {"[%f]", 0.0000005},   {"[%f]", 123456.125},
  }};
  for (const FieldCase& example : cases) {
    std::string filled;
    appendFormatted(filled, example.format, std::span(&example.value, 1));
    EXPECT_EQ(filled, printed(example)) << example.format;
  }
}

// The art around the fields comes through whole, percent signs included.
TEST(FormatTest, CopiesTheArtBetweenTheFields) {
  std::istringstream in;
  std::ostringstream out;
  {
    Console console(in, out);
    console.format(R"art(  | %3d%% |\%s/ %%
%-4d|%f)art",
                   7, "Naboo", -1, 0.05);
  }
  EXPECT_EQ(out.str(), "  |   7% |\\Naboo/ %\n-1  |0.050000");
}

}  // namespace
}  // namespace nebulance
