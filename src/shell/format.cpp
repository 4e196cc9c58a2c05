#include "shell/format.h"

#include <charconv>

namespace nebulance {

namespace {

// Appends `text` padded with spaces to the conversion's width, on the side it asks for.
void appendPadded(std::string& out, const Conversion& conversion, std::string_view text) {
  const std::size_t padding = conversion.width > text.size() ? conversion.width - text.size() : 0;
  if (padding != 0 && !conversion.leftAligned) out.append(padding, ' ');
  out.append(text);
  if (padding != 0 && conversion.leftAligned) out.append(padding, ' ');
}

void appendField(std::string& out, const Conversion& conversion, const FieldValue& value) {
  // Wide enough for any int32, and for any double written with six decimals.
  std::array<char, 320> digits;
  char* const first = digits.data();
  char* const last = first + digits.size();
  std::to_chars_result written{};
  switch (conversion.type) {
    case 'd':
      written = std::to_chars(first, last, value.integer);
      break;
    case 'f':
      written = std::to_chars(first, last, value.real, std::chars_format::fixed, 6);
      break;
    default:
      return appendPadded(out, conversion, value.text);
  }
  appendPadded(out, conversion,
               std::string_view(first, static_cast<std::size_t>(written.ptr - first)));
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
      appendField(out, conversion, values[next++]);
    }
  }
}

}  // namespace nebulance
