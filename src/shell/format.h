// Fills the fields of a screen's template. The template is written as the screen looks, with a
// printf conversion where each figure goes; every field comes out exactly as printf would write
// it. The template is taken apart while compiling, so at run time the art between the fields is
// copied in whole runs and nothing is parsed.
//
// The machinery here and in format.cpp is kept because callgrind shows it paying: on the
// trading game (bench/trading_game.txt, screens full of figures) the game takes 2.25
// instructions per byte written (bench/replay_vs_cat.sh; target 3), where a formatter that
// appends each piece and each field's padding as it goes takes 4.90. Each part's own share is
// at its comment.
//
// Conversions: %d takes a 32-bit integer, %s a text, %f a real number (six decimals); each may
// carry a width, which pads the value on the left with spaces, or on the right after a '-'. A
// value wider than its field is written whole. %% writes one percent sign. Nothing else is
// written as printf would, so nothing else compiles: no flag but '-' (a width starting with 0
// would be printf's zero padding) and no precision.
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

// One conversion of a template, from the character after its '%'.
struct Conversion {
  bool leftAligned = false;
  char type = 0;           // 'd', 's', 'f' or '%'; 0 when the conversion is none of these
  std::size_t width = 0;   // the field's least width in characters
  std::size_t length = 0;  // characters after the '%' that the conversion takes
};

constexpr Conversion readConversion(std::string_view afterPercent) {
  Conversion conversion;
  std::size_t at = 0;
  if (at < afterPercent.size() && afterPercent[at] == '-') {
    conversion.leftAligned = true;
    ++at;
  }
  // printf reads a leading 0 as the flag that pads with zeros, which is not written here.
  if (at < afterPercent.size() && afterPercent[at] == '0') return conversion;
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

// A stretch of a template: the art since the previous field, then the next field (none after
// the last stretch's art).
struct TemplateStretch {
  std::string_view art;
  // The art holds %% pairs, each written as one sign. Known while compiling, so the art of the
  // other templates is copied without a search (without this flag, 2.88 per byte instead of 2.25).
  bool artHasPercentSigns = false;
  Conversion conversion;
};

// Lays `format` out into `stretches`, one per field and one for the art after the last. Returns
// true iff every conversion is a valid one, the types of the fields are exactly `fieldTypes` in
// order ("dsd" for "%d %-4s|%10d%%"), and there is exactly one stretch more than fields.
constexpr bool layOut(std::string_view format, std::string_view fieldTypes,
                      std::span<TemplateStretch> stretches) {
  if (stretches.size() != fieldTypes.size() + 1) return false;
  std::size_t field = 0;
  std::size_t artStart = 0;
  for (std::size_t at = format.find('%');; at = format.find('%', at)) {
    TemplateStretch& stretch = stretches[field];
    stretch.art = format.substr(artStart, at - artStart);
    if (at == std::string_view::npos) return field == fieldTypes.size();
    const Conversion conversion = readConversion(format.substr(at + 1));
    at += 1 + conversion.length;
    if (conversion.type == '%') {
      stretch.artHasPercentSigns = true;
      continue;
    }
    if (conversion.type == 0 || field == fieldTypes.size() ||
        conversion.type != fieldTypes[field]) {
      return false;
    }
    stretch.conversion = conversion;
    ++field;
    artStart = at;
  }
}

// The widest a figure can be before it is padded: "-2147483648", and any double with six
// decimals.
inline constexpr std::size_t kWidestInteger = 11;
inline constexpr std::size_t kWidestReal = 320;

// The room a template laid out as `stretches` needs, its texts' values aside. Each field is given
// its width and its widest value together, so a figure has room for the widest one wherever
// its padding puts it. Made once, all spaces, the room takes the whole output in one append and
// leaves no padding to write.
constexpr std::size_t roomNeeded(std::span<const TemplateStretch> stretches) {
  std::size_t room = 0;
  for (const TemplateStretch& stretch : stretches) {
    const char type = stretch.conversion.type;
    const std::size_t widestValue = type == 'd' ? kWidestInteger : type == 'f' ? kWidestReal : 0;
    room += stretch.art.size() + stretch.conversion.width + widestValue;
  }
  return room;
}

// A template taken apart: its stretches as layOut makes them, and the room they need.
struct TemplateLayout {
  std::span<const TemplateStretch> stretches;
  std::size_t room = 0;
};

// Called only where a template is checked while compiling: reaching it stops the build there.
inline void templateDoesNotMatchItsValues() {}

// A template checked and laid out while compiling: it converts from a constant text only when
// the types of its fields are exactly `FieldTypes` ('d', 's' or 'f' each), in order.
template <char... FieldTypes>
class FormatString {
 public:
  consteval FormatString(std::string_view text) {
    constexpr std::array<char, sizeof...(FieldTypes)> fieldTypes = {FieldTypes...};
    if (!layOut(text, {fieldTypes.data(), fieldTypes.size()}, stretches_)) {
      templateDoesNotMatchItsValues();
    }
    room_ = roomNeeded(stretches_);
  }
  consteval FormatString(const char* text) : FormatString(std::string_view(text)) {}
  constexpr TemplateLayout layout() const { return {stretches_, room_}; }

 private:
  std::array<TemplateStretch, sizeof...(FieldTypes) + 1> stretches_{};
  std::size_t room_ = 0;
};

// The type of the field a value fills: 'd' for an int32, 'f' for a double, 's' for anything
// that is a string_view. Any other type does not compile.
template <typename Value>
consteval char fieldTypeOf() {
  using Plain = std::remove_cvref_t<Value>;
  if constexpr (std::is_same_v<Plain, std::int32_t>) {
    return 'd';
  } else if constexpr (std::is_same_v<Plain, double>) {
    return 'f';
  } else {
    static_assert(std::is_convertible_v<const Value&, std::string_view>,
                  "a field takes an int32, a double or a text");
    return 's';
  }
}

// A template of `Count` integer fields and nothing else.
template <std::size_t>
inline constexpr char kIntegerField = 'd';
template <std::size_t... Field>
FormatString<kIntegerField<Field>...> integerFieldsFormat(std::index_sequence<Field...>);
template <std::size_t Count>
using IntegerFieldsFormat = decltype(integerFieldsFormat(std::make_index_sequence<Count>()));

// One field's value; the conversion it fills says which member holds it. The text is empty
// unless the value is one.
struct FieldValue {
  constexpr FieldValue(std::int32_t value) : integer(value) {}
  constexpr FieldValue(double value) : real(value) {}
  constexpr FieldValue(std::string_view value) : text(value) {}

  std::int32_t integer = 0;
  double real = 0;
  std::string_view text;
};

// Appends the template to `out` with its fields filled by `values`, in order.
// REQUIRES: `format` is the layout of a FormatString whose field types are those of `values`.
void appendFormatted(std::string& out, const TemplateLayout& format,
                     std::span<const FieldValue> values);

}  // namespace nebulance
