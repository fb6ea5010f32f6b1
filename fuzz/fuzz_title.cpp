// Arbitrary 20-byte titles: the CJ command is either refused or well formed,
// and a title read back from that command encodes to the same command.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/commands/title_commands.h"
#include "core/link/reply_assembler.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvex7;
  if (size < 1) return 0;
  const int channel = data[0] % 16;
  SettingsModel m;
  TitleText title{};
  std::memcpy(title.data(), data + 1, std::min<std::size_t>(size - 1, kTitleBytes));
  m.title.text[static_cast<std::size_t>(channel)] = title;
  const Encoded e = EncodeTitle(m, channel);
  if (!e.ok()) {
    FUZZ_CHECK(e.refusal == 8 && e.text.empty());
    return 0;
  }
  FUZZ_CHECK(e.text.size() == 46);
  FUZZ_CHECK(e.text.compare(0, 2, "CJ") == 0 && e.text.compare(44, 2, "\r\n") == 0);
  for (std::size_t i = 4; i < 44; ++i) {
    const char c = e.text[i];
    FUZZ_CHECK((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'));
  }
  // The unit answers a title query in the command's own layout.
  Session s;
  ReplyAssembler(s, e.text);
  FUZZ_CHECK(s.replyWait.unitStatus == 0);
  const Encoded back = EncodeTitle(s.model, channel);
  FUZZ_CHECK(back.ok() && back.text == e.text);
  return 0;
}
