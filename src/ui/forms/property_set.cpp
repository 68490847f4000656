#include "ui/forms/property_set.h"

#include <cmath>
#include <cstdio>

namespace quellan::forms {

namespace {

// Font sizes in points are kept to four decimals.
constexpr long long kSizeScale = 10000;

constexpr std::int64_t kSmallestInteger = -2147483648LL;
constexpr std::int64_t kLargestInteger = 4294967295LL;
constexpr std::int64_t kLargestInt = 2147483647LL;

bool IsNameStart(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool IsValidName(std::string_view name) {
  if (name.empty() || !IsNameStart(static_cast<char16_t>(name[0]))) return false;
  for (char c : name) {
    if (!IsNameStart(static_cast<char16_t>(c)) && !IsDigit(static_cast<char16_t>(c))) return false;
  }
  return true;
}

// A size the text form holds exactly: finite, below a billion points, at most four decimals.
bool IsStorableSize(float size) {
  if (!std::isfinite(size) || std::fabs(size) >= 1e9f) return false;
  return static_cast<float>(static_cast<double>(std::llround(static_cast<double>(size) * kSizeScale)) / kSizeScale) ==
         size;
}

bool IsStorable(const PropertyValue& value) {
  if (const auto* number = std::get_if<std::int64_t>(&value)) {
    return *number >= kSmallestInteger && *number <= kLargestInteger;
  }
  if (const auto* font = std::get_if<FontObject>(&value)) return IsStorableSize(font->size);
  return true;
}

// ---- writing ----

void AppendAscii(std::u16string& out, std::string_view text) { out.append(text.begin(), text.end()); }

void AppendInteger(std::u16string& out, std::int64_t value) {
  char buffer[32];
  if (value >= 0x01000000) {
    std::snprintf(buffer, sizeof buffer, "0x%08llX", static_cast<unsigned long long>(value));
  } else {
    std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value));
  }
  AppendAscii(out, buffer);
}

// Sizes are written in fixed point with up to four decimals (8.25, 12, 20.25), the precision of a
// font size in points; integer arithmetic keeps the floating-point formatting tables out of the
// executable.
void AppendSize(std::u16string& out, float size) {
  const long long scaled = std::llround(static_cast<double>(size) * kSizeScale);
  const unsigned long long magnitude = static_cast<unsigned long long>(scaled < 0 ? -scaled : scaled);
  char buffer[48];
  int length = std::snprintf(buffer, sizeof buffer, "%s%llu", scaled < 0 ? "-" : "", magnitude / kSizeScale);
  if (const unsigned long long fraction = magnitude % kSizeScale) {
    length += std::snprintf(buffer + length, sizeof buffer - static_cast<std::size_t>(length), ".%04llu", fraction);
    while (buffer[length - 1] == '0') --length;
  }
  AppendAscii(out, std::string_view(buffer, static_cast<std::size_t>(length)));
}

void AppendString(std::u16string& out, const std::u16string& text) {
  out += u'"';
  for (char16_t c : text) {
    switch (c) {
      case u'"':
        out += u"\\\"";
        break;
      case u'\\':
        out += u"\\\\";
        break;
      case u'\n':
        out += u"\\n";
        break;
      case u'\r':
        out += u"\\r";
        break;
      case u'\t':
        out += u"\\t";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
          AppendAscii(out, buffer);
        } else {
          out += c;
        }
    }
  }
  out += u'"';
}

void AppendFlag(std::u16string& out, bool value) { AppendAscii(out, value ? "true" : "false"); }

void AppendFont(std::u16string& out, const FontObject& font) {
  out += u"{\n  Name = ";
  AppendString(out, font.name);
  out += u"\n  Size = ";
  AppendSize(out, font.size);
  out += u"\n  Weight = ";
  AppendInteger(out, font.weight);
  out += u"\n  Italic = ";
  AppendFlag(out, font.italic);
  out += u"\n  Underline = ";
  AppendFlag(out, font.underline);
  out += u"\n  Strikethrough = ";
  AppendFlag(out, font.strikethrough);
  out += u"\n  Charset = ";
  AppendInteger(out, font.charset);
  out += u"\n}";
}

// ---- reading ----

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

class Parser {
 public:
  explicit Parser(std::u16string_view text) : m_text(text) {}

  std::optional<PropertySet> ParseSet() {
    PropertySet set;
    for (;;) {
      SkipBlanks();
      if (AtEnd()) return set;
      std::string name;
      if (!ReadName(name)) return std::nullopt;
      if (set.Find(name)) return Fail("\"" + name + "\" appears twice");
      SkipBlanks();
      PropertyValue value;
      if (Peek() == u'{') {
        ++m_pos;
        FontObject font;
        if (!ReadFontBody(font)) return std::nullopt;
        value = std::move(font);
      } else {
        if (!Expect(u'=')) return std::nullopt;
        SkipBlanks();
        if (!ReadValue(value)) return std::nullopt;
      }
      set.Set(name, std::move(value));
    }
  }

  const PropertyParseError& Error() const { return m_error; }

 private:
  bool AtEnd() const { return m_pos >= m_text.size(); }
  char16_t Peek() const { return AtEnd() ? u'\0' : m_text[m_pos]; }

  std::nullopt_t Fail(std::string message) {
    if (m_error.message.empty()) {
      m_error.line = m_line;
      m_error.message = std::move(message);
    }
    return std::nullopt;
  }

  void SkipBlanks() {
    while (!AtEnd()) {
      const char16_t c = m_text[m_pos];
      if (c == u'\n') {
        ++m_line;
        ++m_pos;
      } else if (c == u' ' || c == u'\t' || c == u'\r') {
        ++m_pos;
      } else if (c == u'#') {
        while (!AtEnd() && m_text[m_pos] != u'\n') ++m_pos;
      } else {
        return;
      }
    }
  }

  bool Expect(char16_t c) {
    if (Peek() != c) {
      Fail(std::string("expected '") + static_cast<char>(c) + "'");
      return false;
    }
    ++m_pos;
    return true;
  }

  bool ReadName(std::string& name) {
    if (!IsNameStart(Peek())) {
      Fail("expected a property name");
      return false;
    }
    while (!AtEnd() && (IsNameStart(m_text[m_pos]) || IsDigit(m_text[m_pos]))) {
      name += static_cast<char>(m_text[m_pos++]);
    }
    return true;
  }

  bool ReadWord(std::string_view word) {
    if (m_text.size() - m_pos < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
      if (m_text[m_pos + i] != static_cast<char16_t>(word[i])) return false;
    }
    const std::size_t after = m_pos + word.size();
    if (after < m_text.size() && (IsNameStart(m_text[after]) || IsDigit(m_text[after]))) return false;
    m_pos = after;
    return true;
  }

  bool ReadValue(PropertyValue& value) {
    const char16_t c = Peek();
    if (c == u'"') {
      std::u16string text;
      if (!ReadString(text)) return false;
      value = std::move(text);
      return true;
    }
    if (c == u'-' || IsDigit(c)) {
      std::int64_t number = 0;
      if (!ReadInteger(number)) return false;
      value = number;
      return true;
    }
    bool flag = false;
    if (!ReadFlag(flag)) return false;
    value = flag;
    return true;
  }

  bool ReadFlag(bool& flag) {
    if (ReadWord("true")) {
      flag = true;
      return true;
    }
    if (ReadWord("false")) {
      flag = false;
      return true;
    }
    Fail("expected a value");
    return false;
  }

  bool ReadInteger(std::int64_t& number) {
    const bool negative = Peek() == u'-';
    if (negative) ++m_pos;
    std::int64_t magnitude = 0;
    int digits = 0;
    if (!negative && Peek() == u'0' && m_pos + 1 < m_text.size() &&
        (m_text[m_pos + 1] == u'x' || m_text[m_pos + 1] == u'X')) {
      m_pos += 2;
      for (int d; (d = HexDigit(Peek())) >= 0; ++m_pos, ++digits) {
        magnitude = magnitude * 16 + d;
        if (magnitude > kLargestInteger) return OutOfRange();
      }
    } else {
      for (; IsDigit(Peek()); ++m_pos, ++digits) {
        magnitude = magnitude * 10 + (Peek() - u'0');
        if (magnitude > kLargestInteger) return OutOfRange();
      }
    }
    if (digits == 0) {
      Fail("expected a number");
      return false;
    }
    if (IsNameStart(Peek()) || IsDigit(Peek()) || Peek() == u'.') {
      Fail("malformed integer");
      return false;
    }
    number = negative ? -magnitude : magnitude;
    if (number < kSmallestInteger) return OutOfRange();
    return true;
  }

  bool ReadFontInteger(int& value) {
    std::int64_t number = 0;
    if (!ReadInteger(number)) return false;
    if (number > kLargestInt) return OutOfRange();
    value = static_cast<int>(number);
    return true;
  }

  bool OutOfRange() {
    Fail("integer out of range");
    return false;
  }

  // A size in points: an optional '-', digits, and optionally '.' and up to four more digits.
  bool ReadDecimal(float& value) {
    const bool negative = Peek() == u'-';
    if (negative) ++m_pos;
    long long scaled = 0;
    int digits = 0;
    for (; IsDigit(Peek()) && digits < 9; ++digits) scaled = scaled * 10 + (m_text[m_pos++] - u'0');
    scaled *= kSizeScale;
    int decimals = 0;
    if (Peek() == u'.') {
      ++m_pos;
      for (long long unit = kSizeScale / 10; IsDigit(Peek()) && unit > 0; unit /= 10, ++decimals) {
        scaled += (m_text[m_pos++] - u'0') * unit;
      }
    }
    if (digits + decimals == 0 || IsDigit(Peek()) || IsNameStart(Peek()) || Peek() == u'.') {
      Fail("expected a size in points");
      return false;
    }
    value = static_cast<float>(static_cast<double>(negative ? -scaled : scaled) / kSizeScale);
    return true;
  }

  bool ReadString(std::u16string& text) {
    text.clear();
    ++m_pos;  // opening quote
    for (;;) {
      if (AtEnd()) {
        Fail("unterminated string");
        return false;
      }
      const char16_t c = m_text[m_pos++];
      if (c == u'"') return true;
      if (c == u'\n') ++m_line;
      if (c != u'\\') {
        text += c;
        continue;
      }
      const char16_t escaped = Peek();
      ++m_pos;
      switch (escaped) {
        case u'"':
        case u'\\':
          text += escaped;
          break;
        case u'n':
          text += u'\n';
          break;
        case u'r':
          text += u'\r';
          break;
        case u't':
          text += u'\t';
          break;
        case u'u': {
          unsigned unit = 0;
          for (int i = 0; i < 4; ++i, ++m_pos) {
            const int d = HexDigit(Peek());
            if (d < 0) {
              Fail("\\u needs four hex digits");
              return false;
            }
            unit = unit * 16 + static_cast<unsigned>(d);
          }
          text += static_cast<char16_t>(unit);
          break;
        }
        default:
          Fail("unknown escape in string");
          return false;
      }
    }
  }

  bool ReadFontBody(FontObject& font) {
    std::string seen;  // one letter per attribute read, against repeats
    for (;;) {
      SkipBlanks();
      if (AtEnd()) {
        Fail("font block without '}'");
        return false;
      }
      if (Peek() == u'}') {
        ++m_pos;
        return true;
      }
      std::string name;
      if (!ReadName(name)) return false;
      SkipBlanks();
      if (!Expect(u'=')) return false;
      SkipBlanks();
      const std::size_t before = seen.size();
      if (name == "Name") {
        seen += 'N';
        if (Peek() != u'"') {
          Fail("font Name must be a string");
          return false;
        }
        if (!ReadString(font.name)) return false;
      } else if (name == "Size") {
        seen += 'S';
        if (!ReadDecimal(font.size)) return false;
      } else if (name == "Weight") {
        seen += 'W';
        if (!ReadFontInteger(font.weight)) return false;
      } else if (name == "Charset") {
        seen += 'C';
        if (!ReadFontInteger(font.charset)) return false;
      } else if (name == "Italic") {
        seen += 'I';
        if (!ReadFlag(font.italic)) return false;
      } else if (name == "Underline") {
        seen += 'U';
        if (!ReadFlag(font.underline)) return false;
      } else if (name == "Strikethrough") {
        seen += 'K';
        if (!ReadFlag(font.strikethrough)) return false;
      } else {
        Fail("unknown font attribute \"" + name + "\"");
        return false;
      }
      if (seen.find(seen[before]) != before) {
        Fail("font attribute \"" + name + "\" appears twice");
        return false;
      }
    }
  }

  std::u16string_view m_text;
  std::size_t m_pos = 0;
  int m_line = 1;
  PropertyParseError m_error;
};

}  // namespace

PropertyValue PropertySet::ReadProperty(std::string_view name, const PropertyValue& defaultValue) const {
  const PropertyValue* stored = Find(name);
  if (!stored || stored->index() != defaultValue.index()) return defaultValue;
  return *stored;
}

std::uint32_t PropertySet::ReadColour(std::string_view name, std::uint32_t defaultValue) const {
  const PropertyValue* stored = Find(name);
  if (const auto* number = stored ? std::get_if<std::int64_t>(stored) : nullptr) {
    return static_cast<std::uint32_t>(*number);
  }
  return defaultValue;
}

bool PropertySet::ReadBoolean(std::string_view name, bool defaultValue) const {
  const PropertyValue* stored = Find(name);
  if (!stored) return defaultValue;
  if (const auto* flag = std::get_if<bool>(stored)) return *flag;
  if (const auto* number = std::get_if<std::int64_t>(stored)) return *number != 0;
  return defaultValue;
}

std::u16string PropertySet::ReadString(std::string_view name, const std::u16string& defaultValue) const {
  const PropertyValue* stored = Find(name);
  if (const auto* text = stored ? std::get_if<std::u16string>(stored) : nullptr) return *text;
  return defaultValue;
}

FontObject PropertySet::ReadFont(std::string_view name, const FontObject& defaultValue) const {
  const PropertyValue* stored = Find(name);
  if (const auto* font = stored ? std::get_if<FontObject>(stored) : nullptr) return *font;
  return defaultValue;
}

bool PropertySet::WriteProperty(std::string_view name, PropertyValue value, const PropertyValue& defaultValue) {
  if (!IsValidName(name) || !IsStorable(value)) return false;
  if (value == defaultValue) {
    Remove(name);
    return true;
  }
  return Set(name, std::move(value));
}

bool PropertySet::Set(std::string_view name, PropertyValue value) {
  if (!IsValidName(name) || !IsStorable(value)) return false;
  for (Entry& entry : m_entries) {
    if (entry.first == name) {
      entry.second = std::move(value);
      return true;
    }
  }
  m_entries.emplace_back(std::string(name), std::move(value));
  return true;
}

bool PropertySet::Remove(std::string_view name) {
  for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
    if (it->first == name) {
      m_entries.erase(it);
      return true;
    }
  }
  return false;
}

const PropertyValue* PropertySet::Find(std::string_view name) const {
  for (const Entry& entry : m_entries) {
    if (entry.first == name) return &entry.second;
  }
  return nullptr;
}

std::u16string PropertySet::Serialise() const {
  std::u16string out;
  for (const auto& [name, value] : m_entries) {
    AppendAscii(out, name);
    if (const auto* font = std::get_if<FontObject>(&value)) {
      out += u' ';
      AppendFont(out, *font);
    } else {
      out += u" = ";
      if (const auto* number = std::get_if<std::int64_t>(&value)) AppendInteger(out, *number);
      if (const auto* flag = std::get_if<bool>(&value)) AppendFlag(out, *flag);
      if (const auto* text = std::get_if<std::u16string>(&value)) AppendString(out, *text);
    }
    out += u'\n';
  }
  return out;
}

std::optional<PropertySet> PropertySet::Parse(std::u16string_view text, PropertyParseError* error) {
  Parser parser(text);
  std::optional<PropertySet> set = parser.ParseSet();
  if (!set && error) *error = parser.Error();
  return set;
}

}  // namespace quellan::forms
