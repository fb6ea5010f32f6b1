#include "tools/sim/layout_engine.h"

#include "core/text/jis.h"

namespace korvex7::sim {

namespace {

constexpr std::string_view kCrLf = "\r\n";

bool IsJisByte(int b) { return b >= 0x21 && b <= 0x7E; }

bool IsJisCode(int code) {
  return code >= 0 && code <= 0xFFFF && IsJisByte(code >> 8) && IsJisByte(code & 0xFF);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;  // lower case is not the unit's form
}

// Parses one repetition of `field` at the front of `text`; advances `text`.
std::optional<int> ParseOne(const Field& field, std::string_view& text) {
  switch (field.type) {
    case FieldType::kLetter: {
      if (text.empty()) return std::nullopt;
      const auto pos = field.letters.find(text.front());
      if (pos == std::string_view::npos) return std::nullopt;
      text.remove_prefix(1);
      return static_cast<int>(pos);
    }
    case FieldType::kNumber: {
      if (text.size() < static_cast<std::size_t>(field.width)) return std::nullopt;
      int v = 0;
      for (int i = 0; i < field.width; ++i) {
        const char c = text[static_cast<std::size_t>(i)];
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
      }
      if (v < field.min || v > field.max) return std::nullopt;
      text.remove_prefix(static_cast<std::size_t>(field.width));
      return v;
    }
    case FieldType::kJisCode: {
      if (text.size() < 4) return std::nullopt;
      int v = 0;
      for (int i = 0; i < 4; ++i) {
        const int d = HexDigit(text[static_cast<std::size_t>(i)]);
        if (d < 0) return std::nullopt;
        v = v * 16 + d;
      }
      // Cells past the last one of the unit's title font are refused, as the
      // program refuses to send them.
      if (!IsJisCode(v) || v > kHighestTitleJisCode) return std::nullopt;
      text.remove_prefix(4);
      return v;
    }
    case FieldType::kName: {
      for (std::size_t i = 0; i < field.names.size(); ++i) {
        if (text.substr(0, field.names[i].size()) == field.names[i]) {
          text.remove_prefix(field.names[i].size());
          return static_cast<int>(i);
        }
      }
      return std::nullopt;
    }
  }
  return std::nullopt;
}

bool FormatOne(const Field& field, int v, std::string& out) {
  switch (field.type) {
    case FieldType::kLetter:
      if (v < 0 || static_cast<std::size_t>(v) >= field.letters.size()) return false;
      out += field.letters[static_cast<std::size_t>(v)];
      return true;
    case FieldType::kNumber: {
      if (v < field.min || v > field.max) return false;
      std::string digits = std::to_string(v);
      if (digits.size() > static_cast<std::size_t>(field.width)) return false;
      out.append(static_cast<std::size_t>(field.width) - digits.size(), '0');
      out += digits;
      return true;
    }
    case FieldType::kJisCode: {
      if (!IsJisCode(v)) return false;
      static constexpr char kHex[] = "0123456789ABCDEF";
      for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(v >> shift) & 0xF];
      return true;
    }
    case FieldType::kName:
      if (v < 0 || static_cast<std::size_t>(v) >= field.names.size()) return false;
      out += field.names[static_cast<std::size_t>(v)];
      return true;
  }
  return false;
}

}  // namespace

Field Letters(std::string_view letters, int count) {
  Field f;
  f.type = FieldType::kLetter;
  f.count = count;
  f.width = 1;
  f.letters = letters;
  return f;
}

Field Digits(int width, int min, int max, int count) {
  Field f;
  f.type = FieldType::kNumber;
  f.count = count;
  f.width = width;
  f.min = min;
  f.max = max;
  return f;
}

Field JisCodes(int count) {
  Field f;
  f.type = FieldType::kJisCode;
  f.count = count;
  f.width = 4;
  return f;
}

Field Names(std::span<const std::string_view> names) {
  Field f;
  f.type = FieldType::kName;
  f.names = names;
  return f;
}

std::size_t Layout::ValueCount() const {
  std::size_t n = 0;
  for (const Field& f : fields) n += static_cast<std::size_t>(f.count);
  return n;
}

std::optional<Values> ParseLayout(const Layout& layout, std::string_view command) {
  if (command.substr(0, layout.keyword.size()) != layout.keyword) return std::nullopt;
  std::string_view rest = command.substr(layout.keyword.size());
  Values values;
  values.reserve(layout.ValueCount());
  for (const Field& f : layout.fields) {
    for (int i = 0; i < f.count; ++i) {
      const auto v = ParseOne(f, rest);
      if (!v) return std::nullopt;
      values.push_back(*v);
    }
  }
  if (rest != kCrLf) return std::nullopt;
  if (layout.rule != nullptr && !layout.rule(values)) return std::nullopt;
  return values;
}

std::optional<std::string> FormatLayout(const Layout& layout, const Values& values, int* badValue) {
  if (badValue != nullptr) *badValue = -1;
  if (values.size() != layout.ValueCount()) return std::nullopt;
  std::string line(layout.keyword);
  std::size_t k = 0;
  for (const Field& f : layout.fields) {
    for (int i = 0; i < f.count; ++i, ++k) {
      if (!FormatOne(f, values[k], line)) {
        if (badValue != nullptr) *badValue = static_cast<int>(k);
        return std::nullopt;
      }
    }
  }
  if (layout.rule != nullptr && !layout.rule(values)) return std::nullopt;
  line += kCrLf;
  return line;
}

}  // namespace korvex7::sim
