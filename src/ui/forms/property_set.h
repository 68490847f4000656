#pragma once
// A user control's stored property set: named values kept with the container's layout, read when
// an instance is created from the layout and written when the layout is saved. Values are
// integers (colours among them), flags, UTF-16 strings and font descriptions. Names keep the order
// in which they were first written.
//
// Textual form (Parse / Serialise), one property per line:
//
//   ForeColor = 0x80000010
//   Enabled = false
//   Caption = "Save Setting"
//   Font {
//     Name = "Tahoma"
//     Size = 8.25
//     Weight = 400
//     Italic = false
//     Underline = false
//     Strikethrough = false
//     Charset = 0
//   }
//
// - A name is a letter or '_' followed by letters, digits or '_'; each name appears once.
// - Integer: decimal with an optional '-', or hexadecimal after "0x"; from -2147483648 up to
//   4294967295, so both signed values and colours (0x80000000 | system colour index) fit.
//   Serialise writes values from 0x01000000 up in hexadecimal, all others in decimal.
// - Flag: true or false.
// - String: between double quotes; the escapes \" \\ \n \r \t and \uXXXX (four hex digits, one
//   UTF-16 unit) stand for themselves; every other character, Unicode included, is taken as is.
//   Serialise escapes quotes, backslashes and all control characters.
// - Font block: "{", then Name, Size (points, up to four decimals), Weight, Italic,
//   Underline, Strikethrough and Charset in any order, each at most once, then "}". Weight and
//   Charset are integers up to 2147483647. An attribute left out keeps the FontObject default.
// - Spaces, tabs and line ends between the parts are free; outside a string, '#' starts a comment
//   that runs to the end of the line.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "ui/forms/font.h"

namespace quellan::forms {

using PropertyValue = std::variant<std::int64_t, bool, std::u16string, FontObject>;

// Where and why Parse stopped.
struct PropertyParseError {
  int line = 0;  // 1-based
  std::string message;
};

class PropertySet {
 public:
  using Entry = std::pair<std::string, PropertyValue>;

  // The stored value, or defaultValue when the name is missing or holds a value of another kind
  // than defaultValue (a font where a colour is expected is no colour).
  PropertyValue ReadProperty(std::string_view name, const PropertyValue& defaultValue) const;
  // Typed shorthands of ReadProperty. ReadColour takes the low 32 bits of the stored integer
  // (-2147483630 and 0x80000012 are the same colour); ReadBoolean also takes an integer
  // (non-zero is true).
  std::uint32_t ReadColour(std::string_view name, std::uint32_t defaultValue) const;
  bool ReadBoolean(std::string_view name, bool defaultValue) const;
  std::u16string ReadString(std::string_view name, const std::u16string& defaultValue) const;
  FontObject ReadFont(std::string_view name, const FontObject& defaultValue) const;

  // Stores value under name, except that a value equal to defaultValue is left out of the set
  // (and an older value under that name removed): reading the missing name gives the default back.
  // Like Set, refuses (false) what the textual form cannot hold.
  bool WriteProperty(std::string_view name, PropertyValue value, const PropertyValue& defaultValue);
  // Stores value under name whatever it is; false, and nothing stored, for a name or an integer
  // outside the textual form, so that Serialise always gives text that Parse reads back.
  bool Set(std::string_view name, PropertyValue value);
  bool Remove(std::string_view name);
  const PropertyValue* Find(std::string_view name) const;

  const std::vector<Entry>& Entries() const { return m_entries; }
  std::size_t size() const { return m_entries.size(); }
  bool empty() const { return m_entries.empty(); }

  std::u16string Serialise() const;
  // The set the text describes, or nullopt (with the reason in *error) when the text is not in
  // the form above.
  static std::optional<PropertySet> Parse(std::u16string_view text, PropertyParseError* error = nullptr);

  friend bool operator==(const PropertySet& a, const PropertySet& b) { return a.m_entries == b.m_entries; }
  friend bool operator!=(const PropertySet& a, const PropertySet& b) { return !(a == b); }

 private:
  std::vector<Entry> m_entries;
};

}  // namespace quellan::forms
