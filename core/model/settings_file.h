// The settings file: 282 values, one per line, CR LF line ends, code page 932,
// in the fixed order of the saved-field table. Titles are written as one word:
// every full-width blank becomes "＊" and an empty title becomes ten "＊".
#pragma once

#include <cstddef>
#include <iosfwd>

#include "core/model/settings_model.h"

namespace korvex7 {

// Writes the 282 lines to an open stream (opened in binary mode: the CR LF line
// ends are written here). The stream's state tells the caller whether every
// byte was written.
void WriteSettingsFile(std::ostream& out, const SettingsModel& model);

struct SettingsFileReadReport {
  std::size_t fieldsRead = 0;     // words stored into their field
  std::size_t fieldsSkipped = 0;  // words that did not fit their field (kept the old value)
  bool endedEarly = false;        // the file ended before the 282nd value
};

// How much of a file the reader takes: a settings file is a few kilobytes,
// and a file picked by mistake (a video ".dat" of gigabytes) must not be read
// to its end. What lies beyond counts as the end of the file.
inline constexpr std::size_t kSettingsFileReadLimit = std::size_t{1} << 20;

// Reads the values in file order into the model, from at most the first
// kSettingsFileReadLimit bytes of the stream. Any white space separates
// values. A word that does not fit its field (not a decimal 32-bit integer, a
// hold time longer than three characters, a title longer than 20 bytes) leaves
// that field as it was; a file that ends early leaves the remaining fields as
// they were. Never writes outside a field.
SettingsFileReadReport ReadSettingsFile(std::istream& in, SettingsModel& model);

}  // namespace korvex7
