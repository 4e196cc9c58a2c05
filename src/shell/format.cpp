#include "shell/format.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace nebulance {

namespace {

// Copies `length` characters to `to` and returns their end. Most runs between two fields are
// short: those take two overlapping moves of a fixed size instead of a call to memcpy.
char* copyRun(char* to, const char* from, std::size_t length) {
  if (length > 16) {
    std::memcpy(to, from, length);
  } else if (length >= 8) {
    std::memcpy(to, from, 8);
    std::memcpy(to + length - 8, from + length - 8, 8);
  } else if (length >= 4) {
    std::memcpy(to, from, 4);
    std::memcpy(to + length - 4, from + length - 4, 4);
  } else {
    for (std::size_t i = 0; i < length; ++i) to[i] = from[i];
  }
  return to + length;
}

// Copies `art` to `cursor`, each %% pair as one sign; returns the end.
char* copyArt(char* cursor, std::string_view art, bool hasPercentSigns) {
  if (hasPercentSigns) {
    for (std::size_t sign = art.find('%'); sign != std::string_view::npos; sign = art.find('%')) {
      cursor = copyRun(cursor, art.data(), sign + 1);
      art.remove_prefix(sign + 2);
    }
  }
  return copyRun(cursor, art.data(), art.size());
}

constexpr std::array<std::uint32_t, 10> kPowersOfTen = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

// Characters in the decimal form of `value`, its sign included.
std::size_t decimalLength(std::int32_t value) {
  const std::uint32_t magnitude =
      value < 0 ? 0U - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  // 1233 / 4096 is just above log10(2): a first guess from the bits, one short at most.
  const auto guess = static_cast<std::size_t>((std::bit_width(magnitude) * 1233) >> 12);
  const std::size_t digits = guess + (magnitude >= kPowersOfTen[guess] ? 1 : 0);
  return std::max<std::size_t>(digits, 1) + (value < 0 ? 1 : 0);
}

// Writes the field's value at `cursor` within the conversion's width and returns the end. The
// padding needs no writing: it is already spaces.
char* writePadded(char* cursor, const Conversion& conversion, std::size_t length, auto writeValue) {
  const std::size_t padding = conversion.width > length ? conversion.width - length : 0;
  if (!conversion.leftAligned) cursor += padding;
  cursor = writeValue(cursor);
  return conversion.leftAligned ? cursor + padding : cursor;
}

char* writeText(char* cursor, const Conversion& conversion, std::string_view text) {
  return writePadded(cursor, conversion, text.size(),
                     [text](char* at) { return copyRun(at, text.data(), text.size()); });
}

// The browser build's C++ library has no to_chars for doubles, so the one real field (the bank's
// interest) goes through the C library's printf.
char* writeReal(char* cursor, const Conversion& conversion, double value) {
  std::array<char, kWidestReal> buffer;
  const int length = std::snprintf(buffer.data(), buffer.size(), "%f", value);
  const std::size_t written =
      std::min(static_cast<std::size_t>(std::max(length, 0)), buffer.size() - 1);
  return writeText(cursor, conversion, std::string_view(buffer.data(), written));
}

// "00" to "99", two characters each: digits go out two at a time.
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
  // A figure that fits its right-aligned field, as nearly every one does, is written back from
  // the field's end: no length to find, and the padding is already in place.
  const std::size_t width = conversion.width;
  const bool fits =
      value >= 0 && width != 0 &&
      (width >= kPowersOfTen.size() || static_cast<std::uint32_t>(value) < kPowersOfTen[width]);
  if (fits && !conversion.leftAligned) {
    writeDigitsBefore(cursor + width, static_cast<std::uint32_t>(value));
    return cursor + width;
  }
  return writePadded(cursor, conversion, decimalLength(value), [value](char* at) {
    return std::to_chars(at, at + kWidestInteger, value).ptr;
  });
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
                     std::span<const FieldValue> values, std::size_t textsLength) {
  // Room for the text at its widest, all spaces: the fields' padding is then already in place.
  const std::size_t start = out.size();
  out.append(format.text.size() + format.widestFields + textsLength, ' ');

  char* cursor = out.data() + start;
  const char* art = format.text.data();
  for (std::size_t i = 0;; ++i) {
    const TemplateStretch& stretch = format.stretches[i];
    cursor = copyArt(cursor, {art, stretch.artLength}, stretch.artHasPercentSigns);
    if (stretch.conversion.type == 0) break;
    art += stretch.artLength + 1 + stretch.conversion.length;
    cursor = writeField(cursor, stretch.conversion, values[i]);
  }
  out.resize(static_cast<std::size_t>(cursor - out.data()));
}

}  // namespace nebulance
