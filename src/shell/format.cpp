#include "shell/format.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace nebulance {

namespace {

// Copies `text` to `cursor`; returns the end.
char* copyText(char* cursor, std::string_view text) {
  std::memcpy(cursor, text.data(), text.size());
  return cursor + text.size();
}

// Copies `art` to `cursor`, each %% pair as one sign; returns the end.
char* copyArt(char* cursor, std::string_view art, bool hasPercentSigns) {
  if (hasPercentSigns) {
    for (std::size_t sign = art.find('%'); sign != std::string_view::npos; sign = art.find('%')) {
      cursor = copyText(cursor, art.substr(0, sign + 1));
      art.remove_prefix(sign + 2);
    }
  }
  return copyText(cursor, art);
}

// Writes `text` within the conversion's width, on the side it asks for. The padding needs no
// writing: the room is all spaces.
char* writeText(char* cursor, const Conversion& conversion, std::string_view text) {
  const std::size_t padding = conversion.width > text.size() ? conversion.width - text.size() : 0;
  if (!conversion.leftAligned) cursor += padding;
  cursor = copyText(cursor, text);
  if (conversion.leftAligned) cursor += padding;
  return cursor;
}

constexpr std::array<std::uint32_t, 10> kPowersOfTen = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

// "00" to "99": the digits of a figure go out two at a time, which halves the divisions (on
// the trading game, 2.56 instructions per byte written one digit at a time, 2.25 so).
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (std::size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// Writes the digits of `magnitude` so that the last one ends just before `end`.
void writeDigitsBefore(char* end, std::uint32_t magnitude) {
  for (; magnitude >= 100; magnitude /= 100) {
    end -= 2;
    std::memcpy(end, &kDigitPairs[std::size_t{2} * (magnitude % 100)], 2);
  }
  if (magnitude >= 10) {
    std::memcpy(end - 2, &kDigitPairs[std::size_t{2} * magnitude], 2);
  } else {
    end[-1] = static_cast<char>('0' + magnitude);
  }
}

char* writeInteger(char* cursor, const Conversion& conversion, std::int32_t value) {
  // Nearly every figure on a screen fills a right-aligned field it fits: it is written back from
  // the field's end, where its padding is already in place, and its length is never counted
  // (through to_chars and the text path instead, the trading game takes 3.00 instructions per
  // byte, not 2.25).
  const std::size_t width = conversion.width;
  const bool fits =
      value >= 0 && width != 0 &&
      (width >= kPowersOfTen.size() || static_cast<std::uint32_t>(value) < kPowersOfTen[width]);
  if (fits && !conversion.leftAligned) {
    writeDigitsBefore(cursor + width, static_cast<std::uint32_t>(value));
    return cursor + width;
  }
  std::array<char, kWidestInteger> digits;
  const char* end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
  return writeText(cursor, conversion,
                   {digits.data(), static_cast<std::size_t>(end - digits.data())});
}

// The browser build's C++ library has no to_chars for doubles, so the one real field (the bank's
// interest) goes through the C library's printf.
char* writeReal(char* cursor, const Conversion& conversion, double value) {
  std::array<char, kWidestReal + 1> digits;
  std::snprintf(digits.data(), digits.size(), "%f", value);
  return writeText(cursor, conversion, digits.data());
}

char* writeField(char* cursor, const Conversion& conversion, const FieldValue& value) {
  switch (conversion.type) {
    case 'd':
      return writeInteger(cursor, conversion, value.integer);
    case 'f':
      return writeReal(cursor, conversion, value.real);
    default:
      return writeText(cursor, conversion, value.text);
  }
}

}  // namespace

void appendFormatted(std::string& out, const TemplateLayout& format,
                     std::span<const FieldValue> values) {
  // Room for the output at its widest, all spaces, then cut to what was written. Only a text
  // value has a text.
  std::size_t room = format.room;
  for (const FieldValue& value : values) room += value.text.size();
  const std::size_t start = out.size();
  out.append(room, ' ');

  char* cursor = out.data() + start;
  for (std::size_t i = 0;; ++i) {
    const TemplateStretch& stretch = format.stretches[i];
    cursor = copyArt(cursor, stretch.art, stretch.artHasPercentSigns);
    if (i == values.size()) break;
    cursor = writeField(cursor, stretch.conversion, values[i]);
  }
  out.resize(static_cast<std::size_t>(cursor - out.data()));
}

}  // namespace nebulance
