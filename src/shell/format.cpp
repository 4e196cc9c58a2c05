#include "shell/format.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace nebulance {

namespace {

// Appends `text` padded with spaces to the conversion's width, on the side it asks for.
void appendPadded(std::string& out, const Conversion& conversion, std::string_view text) {
  const std::size_t padding = conversion.width > text.size() ? conversion.width - text.size() : 0;
  if (padding != 0 && !conversion.leftAligned) out.append(padding, ' ');
  out.append(text);
  if (padding != 0 && conversion.leftAligned) out.append(padding, ' ');
}

// Room for any int32, and for any double written with six decimals.
using NumberBuffer = std::array<char, 320>;

std::string_view integerText(NumberBuffer& buffer, std::int32_t value) {
  const std::to_chars_result written =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return {buffer.data(), static_cast<std::size_t>(written.ptr - buffer.data())};
}

// The browser build's C++ library has no to_chars for doubles, so the one real field (the bank's
// interest) goes through the C library's printf.
std::string_view realText(NumberBuffer& buffer, double value) {
  const int length = std::snprintf(buffer.data(), buffer.size(), "%f", value);
  return {buffer.data(),
          std::min(static_cast<std::size_t>(std::max(length, 0)), buffer.size() - 1)};
}

std::string_view fieldText(NumberBuffer& buffer, const Conversion& conversion,
                           const FieldValue& value) {
  switch (conversion.type) {
    case 'd':
      return integerText(buffer, value.integer);
    case 'f':
      return realText(buffer, value.real);
    default:
      return value.text;
  }
}

}  // namespace

void appendFormatted(std::string& out, std::string_view format,
                     std::span<const FieldValue> values) {
  std::size_t next = 0;
  for (std::size_t percent = format.find('%');; percent = format.find('%')) {
    out.append(format.substr(0, percent));
    if (percent == std::string_view::npos) return;
    const Conversion conversion = readConversion(format.substr(percent + 1));
    format.remove_prefix(percent + 1 + conversion.length);
    if (conversion.type == '%') {
      out.push_back('%');
    } else {
      NumberBuffer buffer;
      appendPadded(out, conversion, fieldText(buffer, conversion, values[next++]));
    }
  }
}

}  // namespace nebulance
