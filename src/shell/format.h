// Fills the fields of a screen's template. The template is written as the screen looks, with a
// printf conversion where each figure goes; the art between the conversions is copied in whole
// runs, and every field comes out exactly as printf would write it.
//
// Conversions: %d takes a 32-bit integer, %s a text, %f a real number (six decimals); each may
// carry a width, which pads the value on the left with spaces, or on the right after a '-'. A
// value wider than its field is written whole. %% writes one percent sign.
#pragma once

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
  std::size_t width = 0;
  char type = 0;           // 'd', 's', 'f' or '%'; 0 when the conversion is none of these
  std::size_t length = 0;  // characters after the '%' that the conversion takes
};

constexpr Conversion readConversion(std::string_view afterPercent) {
  Conversion conversion;
  std::size_t at = 0;
  if (at < afterPercent.size() && afterPercent[at] == '-') {
    conversion.leftAligned = true;
    ++at;
  }
  for (; at < afterPercent.size() && afterPercent[at] >= '0' && afterPercent[at] <= '9'; ++at) {
    conversion.width = conversion.width * 10 + static_cast<std::size_t>(afterPercent[at] - '0');
  }
  const std::string_view types = at == 0 ? "dsf%" : "dsf";  // a bare %% only
  if (at < afterPercent.size() && types.find(afterPercent[at]) != std::string_view::npos) {
    conversion.type = afterPercent[at++];
  }
  conversion.length = at;
  return conversion;
}

// Returns true iff every conversion of `format` is a valid one and its fields ask for exactly
// `kinds`, in order.
constexpr bool fieldsMatch(std::string_view format, std::span<const FieldKind> kinds) {
  std::size_t field = 0;
  for (std::size_t percent = format.find('%'); percent != std::string_view::npos;
       percent = format.find('%')) {
    const Conversion conversion = readConversion(format.substr(percent + 1));
    format.remove_prefix(percent + 1 + conversion.length);
    if (conversion.type == '%') continue;
    const FieldKind kind = conversion.type == 'd'   ? FieldKind::integer
                           : conversion.type == 's' ? FieldKind::text
                                                    : FieldKind::real;
    if (conversion.type == 0 || field == kinds.size() || kinds[field] != kind) return false;
    ++field;
  }
  return field == kinds.size();
}

// Called only where a template is checked while compiling: reaching it stops the build there.
inline void templateDoesNotMatchItsValues() {}

// A template checked while compiling: it converts from a constant text only when its fields
// ask for exactly `Kinds`, in order.
template <FieldKind... Kinds>
class FormatString {
 public:
  consteval FormatString(std::string_view text) : text_(text) {
    constexpr std::array<FieldKind, sizeof...(Kinds)> kinds = {Kinds...};
    if (!fieldsMatch(text, kinds)) templateDoesNotMatchItsValues();
  }
  consteval FormatString(const char* text) : FormatString(std::string_view(text)) {}
  constexpr std::string_view text() const { return text_; }

 private:
  std::string_view text_;
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
struct FieldValue {
  constexpr FieldValue(std::int32_t value) : integer(value) {}
  constexpr FieldValue(double value) : real(value) {}
  constexpr FieldValue(std::string_view value) : text(value) {}

  std::int32_t integer = 0;
  double real = 0;
  std::string_view text;
};

// Appends `format` to `out` with its conversions filled by `values`, in order.
// REQUIRES: fieldsMatch(format, the kinds of `values`); FormatString checks it while compiling.
void appendFormatted(std::string& out, std::string_view format, std::span<const FieldValue> values);

}  // namespace nebulance
