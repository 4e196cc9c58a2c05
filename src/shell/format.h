// Fills the fields of a screen's template. The template is written as the screen looks, with a
// printf conversion where each figure goes; every field comes out exactly as printf would write
// it. The template is taken apart while compiling, so at run time the art between the fields is
// copied in whole runs and nothing is parsed.
//
// Conversions: %d takes a 32-bit integer, %s a text, %f a real number (six decimals); each may
// carry a width below 100, which pads the value on the left with spaces, or on the right after a
// '-'. A value wider than its field is written whole. %% writes one percent sign.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace nebulance {

enum class FieldKind : unsigned char { integer, text, real };

// One conversion of a template, from the character after its '%'.
struct Conversion {
  bool leftAligned = false;
  char type = 0;            // 'd', 's', 'f' or '%'; 0 when the conversion is none of these
  std::uint8_t width = 0;   // the field's least width in characters
  std::uint8_t length = 0;  // characters after the '%' that the conversion takes
};

constexpr Conversion readConversion(std::string_view afterPercent) {
  Conversion conversion;
  std::size_t at = 0;
  if (at < afterPercent.size() && afterPercent[at] == '-') {
    conversion.leftAligned = true;
    ++at;
  }
  int width = 0;
  for (; at < afterPercent.size() && afterPercent[at] >= '0' && afterPercent[at] <= '9'; ++at) {
    width = width * 10 + (afterPercent[at] - '0');
    if (width >= 100) return {};
  }
  const std::string_view types = at == 0 ? "dsf%" : "dsf";  // a bare %% only
  if (at < afterPercent.size() && types.find(afterPercent[at]) != std::string_view::npos) {
    conversion.type = afterPercent[at++];
  }
  conversion.width = static_cast<std::uint8_t>(width);
  conversion.length = static_cast<std::uint8_t>(at);
  return conversion;
}

constexpr FieldKind kindOfConversion(char type) {
  return type == 'd' ? FieldKind::integer : type == 's' ? FieldKind::text : FieldKind::real;
}

// A stretch of a template: the art since the previous field, then a field, or the end of the
// template when the conversion's type is 0.
struct TemplateStretch {
  std::uint16_t artLength = 0;
  bool artHasPercentSigns = false;  // the art holds %% pairs, each written as one sign
  Conversion conversion;
};

// Lays `format` out into `layout`, one stretch per field and one for the art after the last.
// Returns true iff every conversion is a valid one, their fields ask for exactly `kinds` in
// order, `layout` has exactly one stretch more than `kinds`, and no art run is longer than
// 65535 characters.
constexpr bool layOut(std::string_view format, std::span<const FieldKind> kinds,
                      std::span<TemplateStretch> layout) {
  if (layout.size() != kinds.size() + 1) return false;
  std::size_t field = 0;
  std::size_t artStart = 0;
  for (std::size_t at = format.find('%');; at = format.find('%', at)) {
    TemplateStretch& stretch = layout[field];
    const std::size_t artEnd = at == std::string_view::npos ? format.size() : at;
    if (artEnd - artStart > UINT16_MAX) return false;
    stretch.artLength = static_cast<std::uint16_t>(artEnd - artStart);
    if (at == std::string_view::npos) return field == kinds.size();
    const Conversion conversion = readConversion(format.substr(at + 1));
    at += 1 + conversion.length;
    if (conversion.type == '%') {
      stretch.artHasPercentSigns = true;
      continue;
    }
    if (conversion.type == 0 || field == kinds.size() ||
        kinds[field] != kindOfConversion(conversion.type)) {
      return false;
    }
    stretch.conversion = conversion;
    ++field;
    artStart = at;
  }
}

// The widest an integer field and a real field can be: "-2147483648", and any double with six
// decimals.
inline constexpr std::size_t kWidestInteger = 11;
inline constexpr std::size_t kWidestReal = 320;

// A template taken apart: its text, and its stretches as layOut makes them.
struct TemplateLayout {
  std::string_view text;
  std::span<const TemplateStretch> stretches;
  // The most characters the fields can take beyond the template's own, its texts' values aside.
  std::size_t widestFields = 0;
};

// The `widestFields` of a template laid out as `stretches`.
constexpr std::size_t widestFields(std::span<const TemplateStretch> stretches) {
  std::size_t widest = 0;
  for (const TemplateStretch& stretch : stretches) {
    const Conversion& conversion = stretch.conversion;
    widest += conversion.type == 'd'   ? std::max<std::size_t>(conversion.width, kWidestInteger)
              : conversion.type == 'f' ? std::max<std::size_t>(conversion.width, kWidestReal)
                                       : conversion.width;
  }
  return widest;
}

// Called only where a template is checked while compiling: reaching it stops the build there.
inline void templateDoesNotMatchItsValues() {}

// A template checked and laid out while compiling: it converts from a constant text only when
// its fields ask for exactly `Kinds`, in order.
template <FieldKind... Kinds>
class FormatString {
 public:
  consteval FormatString(std::string_view text) : text_(text) {
    constexpr std::array<FieldKind, sizeof...(Kinds)> kinds = {Kinds...};
    if (!layOut(text, kinds, stretches_)) templateDoesNotMatchItsValues();
    widestFields_ = widestFields(stretches_);
  }
  consteval FormatString(const char* text) : FormatString(std::string_view(text)) {}
  constexpr TemplateLayout layout() const { return {text_, stretches_, widestFields_}; }

 private:
  std::string_view text_;
  std::array<TemplateStretch, sizeof...(Kinds) + 1> stretches_{};
  std::size_t widestFields_ = 0;
};

// The kind of field a value fills: int32 an integer, double a real, anything that is a
// string_view a text. Any other type does not compile.
template <typename Value>
consteval FieldKind fieldKindOf() {
  using Plain = std::remove_cvref_t<Value>;
  if constexpr (std::is_same_v<Plain, std::int32_t>) {
    return FieldKind::integer;
  } else if constexpr (std::is_same_v<Plain, double>) {
    return FieldKind::real;
  } else {
    static_assert(std::is_convertible_v<const Value&, std::string_view>,
                  "a field takes an int32, a double or a text");
    return FieldKind::text;
  }
}

// A template of `Count` integer fields and nothing else.
template <std::size_t>
inline constexpr FieldKind kIntegerField = FieldKind::integer;
template <std::size_t... Field>
FormatString<kIntegerField<Field>...> integerFieldsFormat(std::index_sequence<Field...>);
template <std::size_t Count>
using IntegerFieldsFormat = decltype(integerFieldsFormat(std::make_index_sequence<Count>()));

// One field's value; the conversion it fills says which member holds it.
union FieldValue {
  constexpr FieldValue(std::int32_t value) : integer(value) {}
  constexpr FieldValue(double value) : real(value) {}
  constexpr FieldValue(std::string_view value) : text(value) {}

  std::int32_t integer;
  double real;
  std::string_view text;
};

// The characters a value adds to a template at its widest beyond `widestFields`: a text's
// length; nothing for a figure.
template <typename Value>
constexpr std::size_t textLength(const Value& value) {
  if constexpr (fieldKindOf<Value>() == FieldKind::text) {
    return std::string_view(value).size();
  } else {
    return 0;
  }
}

// Appends the template to `out` with its fields filled by `values`, in order.
// REQUIRES: layOut(format.text, the kinds of `values`, format.stretches) returned true and
// format.widestFields is widestFields(format.stretches), as FormatString makes sure; and
// `textsLength` is the sum of textLength over the values.
void appendFormatted(std::string& out, const TemplateLayout& format,
                     std::span<const FieldValue> values, std::size_t textsLength);

}  // namespace nebulance
