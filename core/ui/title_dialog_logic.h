// What the title dialog decides without Win32: how the text typed into the
// title box becomes the code-page-932 bytes of title.text (cut to 20 bytes at
// a character boundary, a character the code page cannot hold kept as a byte
// the title encoder refuses) and where the preview puts each channel.
//
// The edit box works in UTF-16; the Windows layer converts each typed
// character to code page 932 on its own and hands the results here, so the
// decisions are the same on every platform and tested natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/settings_model.h"

namespace korvex7 {

// Stored in place of a typed character that code page 932 cannot hold. It is
// a single-byte character, so PrepareTitle/SendTitle refuse the title with the
// title-character message; the preview shows it where the character stood.
inline constexpr char kUnencodableTitleByte = '?';

struct TitleText932 {
  std::string bytes;               // at most the byte limit, whole characters only
  std::size_t charactersKept = 0;  // typed characters that fit in the limit
  bool cut = false;                // characters were left out for the limit
  bool unencodable = false;        // a kept character was replaced by kUnencodableTitleByte
};

// Builds the stored title from the code-page-932 form of each typed character
// in order (an empty entry: the code page cannot hold that character). Stops
// before the first character that would pass `limit` bytes.
TitleText932 ComposeTitle(std::span<const std::string> perCharacter,
                          std::size_t limit = kTitleBytes);

// One character of the title box: as typed (one UTF-16 unit, or a surrogate
// pair) and its code-page-932 form (empty when the code page cannot hold it).
struct TitleCharacter {
  std::u16string typed;
  std::string cp932;

  friend bool operator==(const TitleCharacter&, const TitleCharacter&) = default;
};

// Bytes a character takes in the stored title: its code-page-932 form, or the
// one byte of kUnencodableTitleByte.
std::size_t StoredBytes(const TitleCharacter& c);

// The box changed from `before` to `after` (both whole texts). Like a
// byte-limited edit box, an insertion that would pass `limit` bytes keeps only
// the inserted characters that fit; the text around it stays as it was. When
// even that does not fit (the text before was already too long), the text is
// cut from its end.
struct TitleEditFit {
  std::vector<TitleCharacter> text;  // what the box shows and the title holds
  std::size_t caret = 0;             // characters before the caret
  bool cut = false;                  // typed characters were refused
};
TitleEditFit FitTitleEdit(std::span<const TitleCharacter> before,
                          std::span<const TitleCharacter> after, std::size_t limit = kTitleBytes);

// The stored title of a fitted text (ComposeTitle of its code-page-932 forms).
TitleText932 ComposeTitle(std::span<const TitleCharacter> text, std::size_t limit = kTitleBytes);

// "ch.01" .. "ch.16" for channel index 0..15 (empty outside): the channel list
// items and the preview labels.
std::string ChannelItem(int channelIndex);

// The preview, in pixels at 96 DPI of the dialog's client area: a frame and,
// per channel, its label and its title on one line, channels 1..8 in the left
// column and 9..16 in the right one.
struct PreviewRect {
  int left, top, right, bottom;
};
inline constexpr PreviewRect kTitlePreviewFrame{20, 20, 600, 240};
inline constexpr int kTitlePreviewFontHeight = 18;
inline constexpr int kTitlePreviewCharacterExtra = 2;

struct TitlePreviewLine {
  int labelX = 0;
  int titleX = 0;
  int y = 0;
};
TitlePreviewLine TitlePreviewLineOf(int channelIndex);

}  // namespace korvex7
