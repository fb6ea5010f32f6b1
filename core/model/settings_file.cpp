#include "core/model/settings_file.h"

#include <charconv>
#include <istream>
#include <ostream>
#include <string>

#include "core/model/saved_fields.h"

namespace korvex7 {

namespace {

constexpr unsigned char kLead = 0x81;
constexpr unsigned char kBlankTrail = 0x40;     // 0x81 0x40 full-width blank
constexpr unsigned char kAsteriskTrail = 0x96;  // 0x81 0x96 full-width asterisk
constexpr int kTitleUnits = kTitleBytes / 2;

bool IsWordSeparator(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The title as one word of the file.
std::string TitleToken(const char* title, std::size_t size) {
  std::string token;
  const auto* t = reinterpret_cast<const unsigned char*>(title);
  if (size == 0 || t[0] == 0) {
    for (int i = 0; i < kTitleUnits; ++i) token += "\x81\x96";
    return token;
  }
  for (std::size_t i = 0; i + 1 < size && i < kTitleBytes && t[i] != 0; i += 2) {
    if (t[i] == kLead && t[i + 1] == kBlankTrail) {
      token += static_cast<char>(kLead);
      token += static_cast<char>(kAsteriskTrail);
      continue;
    }
    for (std::size_t k = i; k < i + 2 && t[k] != 0; ++k) {
      // A blank or control byte would split the word and shift every later
      // value of the file, so it is written as "_". Such a title cannot be
      // sent to the unit anyway (titles are full-width characters only).
      token += IsWordSeparator(t[k]) ? '_' : static_cast<char>(t[k]);
    }
    if (t[i + 1] == 0) break;
  }
  return token;
}

// The hold time as one word of the file. An empty text would leave an empty
// line, which the reader skips like any blank, shifting every later value;
// it is written as "0" (the hold time it stands for, refused all the same
// when sent). Blank and control bytes are written as "_" for the same reason.
std::string HoldTimeToken(const char* text) {
  std::string token;
  for (const char* p = text; *p != '\0'; ++p) {
    token += IsWordSeparator(static_cast<unsigned char>(*p)) ? '_' : *p;
  }
  return token.empty() ? "0" : token;
}

// The bytes of a file, up to the reader's limit.
class FileBytes {
 public:
  explicit FileBytes(std::istream& in) : in_(in) {}

  // The next byte, or end of file once the limit is reached.
  int Get() {
    if (left_ == 0) return std::char_traits<char>::eof();
    const int c = in_.get();
    if (c != std::char_traits<char>::eof()) --left_;
    return c;
  }

 private:
  std::istream& in_;
  std::size_t left_ = kSettingsFileReadLimit;
};

bool ReadWord(FileBytes& in, std::string& word) {
  word.clear();
  int c;
  while ((c = in.Get()) != std::char_traits<char>::eof() &&
         IsWordSeparator(static_cast<unsigned char>(c))) {
  }
  if (c == std::char_traits<char>::eof()) return false;
  do {
    word += static_cast<char>(c);
    // Guard against a file that is one endless word.
    if (word.size() > 4096) {
      while ((c = in.Get()) != std::char_traits<char>::eof() &&
             !IsWordSeparator(static_cast<unsigned char>(c))) {
      }
      return true;
    }
  } while ((c = in.Get()) != std::char_traits<char>::eof() &&
           !IsWordSeparator(static_cast<unsigned char>(c)));
  return true;
}

bool ParseInt(const std::string& word, std::int32_t& value) {
  const char* first = word.data();
  const char* last = word.data() + word.size();
  if (first != last && *first == '+') ++first;  // "%d" accepts a plus sign
  std::int32_t v = 0;
  auto [ptr, ec] = std::from_chars(first, last, v);
  if (ec != std::errc() || ptr != last || first == last) return false;
  value = v;
  return true;
}

bool StoreTitle(const std::string& word, char* title, std::size_t size) {
  if (word.size() > kTitleBytes || word.size() + 1 > size) return false;
  std::fill(title, title + size, '\0');
  for (std::size_t i = 0; i < word.size(); i += 2) {
    const auto a = static_cast<unsigned char>(word[i]);
    if (i + 1 < word.size() && a == kLead &&
        static_cast<unsigned char>(word[i + 1]) == kAsteriskTrail) {
      title[i] = static_cast<char>(kLead);
      title[i + 1] = static_cast<char>(kBlankTrail);
      continue;
    }
    title[i] = word[i];
    if (i + 1 < word.size()) title[i + 1] = word[i + 1];
  }
  return true;
}

}  // namespace

void WriteSettingsFile(std::ostream& out, const SettingsModel& model) {
  SettingsModel copy = model;  // the field table hands out writable pointers
  for (const SavedField& f : SavedFields(copy)) {
    switch (f.kind) {
      case FieldKind::kInt:
        out << *f.integer;
        break;
      case FieldKind::kHoldTime:
        out << HoldTimeToken(f.text);
        break;
      case FieldKind::kTitle:
        out << TitleToken(f.text, f.textSize);
        break;
    }
    out << "\r\n";
  }
}

SettingsFileReadReport ReadSettingsFile(std::istream& in, SettingsModel& model) {
  SettingsFileReadReport report;
  FileBytes bytes(in);
  std::string word;
  for (const SavedField& f : SavedFields(model)) {
    if (!ReadWord(bytes, word)) {
      report.endedEarly = true;
      break;
    }
    bool stored = false;
    switch (f.kind) {
      case FieldKind::kInt:
        stored = ParseInt(word, *f.integer);
        break;
      case FieldKind::kHoldTime:
        if (word.size() < f.textSize) {
          std::fill(f.text, f.text + f.textSize, '\0');
          word.copy(f.text, word.size());
          stored = true;
        }
        break;
      case FieldKind::kTitle:
        stored = StoreTitle(word, f.text, f.textSize);
        break;
    }
    if (stored) {
      ++report.fieldsRead;
    } else {
      ++report.fieldsSkipped;
    }
  }
  return report;
}

}  // namespace korvex7
