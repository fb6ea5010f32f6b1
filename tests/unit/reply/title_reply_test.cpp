#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/link/reply_decoders.h"
#include "core/link/reply_dispatcher.h"
#include "model_diff.h"

namespace korvex7 {
namespace {

using testing_support::ChangedFields;
using testing_support::MarkedModel;

using Names = std::vector<std::string>;

// Code page 932 bytes of the full-width characters used below.
const std::string kBlank = "\x81\x40";  // JIS 2121
const std::string kA = "\x82\x60";      // "Ａ", JIS 2341
const std::string kB = "\x82\x61";      // "Ｂ", JIS 2342

// "CJ" + channel + the hexadecimal codes, padded with "2121" to ten codes.
std::string Reply(const char* channel, std::string hex) {
  while (hex.size() < 40) hex += "2121";
  return std::string("CJ") + channel + hex + "\r\n";
}

struct TitleCase {
  const char* name;
  std::string line;
  int channelIndex;
  std::string text;
};

TEST(TitleReply, DecodesOneChannelsTitle) {
  const TitleCase cases[] = {
      {"default title of channel 1 loses its trailing blanks",
       "CJ012121212121212343234823302331212121212121\r\n", 0,
       kBlank + kBlank + kBlank + "\x82\x62\x82\x67\x82\x4F\x82\x50"},
      {"ten blanks are the empty title", Reply("03", ""), 2, ""},
      {"channel 16", Reply("16", "2341"), 15, kA},
      {"ten characters fill all 20 bytes", Reply("07", "2341234223412342234123422341234223412342"),
       6, kA + kB + kA + kB + kA + kB + kA + kB + kA + kB},
      {"blanks inside the title stay", Reply("02", "234121212342"), 1, kA + kBlank + kB},
      {"leading blanks stay", Reply("02", "21212341"), 1, kBlank + kA},
      {"NEC-selected IBM extension", Reply("04", "7C71"), 3, "\xEE\xEF"},
      {"highest code of the font", Reply("04", "7C7E"), 3, "\xEE\xFC"},
      {"code above the font shows as a blank but is not padding", Reply("05", "23417D21"), 4,
       kA + kBlank},
      {"code above the font at the end keeps the blanks before it",
       Reply("05", "234121212121212121212121212121212121FFFF"), 4,
       kA + kBlank + kBlank + kBlank + kBlank + kBlank + kBlank + kBlank + kBlank + kBlank},
      {"a code outside JIS X 0208 ends the title", Reply("06", "234100002342"), 5, kA},
      {"low byte outside the JIS range ends it too", Reply("06", "23412342217F2341"), 5, kA + kB},
      {"first code outside the range gives the empty title", Reply("06", "20202341"), 5, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(c.line.size(), 46u);
    SettingsModel m = MarkedModel();
    const SettingsModel before = m;
    ASSERT_TRUE(DecodeReply(m, c.line));
    EXPECT_EQ(ChangedFields(before, m),
              Names{"title.text[" + std::to_string(c.channelIndex) + "]"});
    // The whole 21-byte entry is rewritten: the text, then NULs.
    TitleText expected{};
    SetText(expected, c.text);
    EXPECT_EQ(m.title.text[static_cast<std::size_t>(c.channelIndex)], expected);
  }
}

TEST(TitleReply, Malformed) {
  const std::string good = Reply("01", "2341");
  std::vector<std::string> bad = {
      Reply("00", "2341"),
      Reply("17", "2341"),
      Reply("99", "2341"),
      Reply("0A", "2341"),
      Reply(" 1", "2341"),
      Reply("-1", "2341"),
      good.substr(0, 44) + "\n",     // LF without CR
      good.substr(0, 44),            // no line end
      good.substr(0, 43) + "\r\n",   // 39 hexadecimal digits
      good.substr(0, 44) + "1\r\n",  // 41 hexadecimal digits
      "CJ01\r\n",
      "CJ\r\n",
      "CJ",
  };
  // Characters that are not upper-case hexadecimal digits, at every position.
  for (std::size_t pos = 4; pos < 44; ++pos) {
    for (char c : {'a', 'f', 'G', ' ', ':', '@'}) {
      std::string line = good;
      line[pos] = c;
      bad.push_back(line);
    }
  }
  for (const auto& line : bad) {
    SCOPED_TRACE(testing::PrintToString(line));
    Session s;
    s.model = MarkedModel();
    const SettingsModel before = s.model;
    ReplyDispatcher(s, line);
    EXPECT_EQ(s.replyWait.unitStatus, kStatusCommandError);
    EXPECT_EQ(ChangedFields(before, s.model), Names{});
  }
}

}  // namespace
}  // namespace korvex7
