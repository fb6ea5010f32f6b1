// Arbitrary reply lines in both link modes, in and out of a run.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/link/reply_assembler.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvex7;
  if (size < 3) return 0;
  Session s;
  s.model.link.mode = data[0] & 1;
  s.model.link.slaveAddress = data[1] % 33;
  s.replyWait.transferMode = (data[0] >> 1) % 3;
  s.replyWait.ackPending = (data[0] >> 3) & 1;
  s.replyWait.waitTicks = s.replyWait.ackPending;
  LineAssembler assembler;
  for (const auto& line :
       assembler.Feed(std::string_view(reinterpret_cast<const char*>(data + 2), size - 2))) {
    HandleReceivedLine(s, line);
    const ReplyWait& w = s.replyWait;
    FUZZ_CHECK(w.ackPending == 0 && w.waitTicks == 0);  // every line ends the wait
    FUZZ_CHECK(w.unitStatus >= 0 && w.unitStatus <= 8);
    FUZZ_CHECK(w.outcome >= 0 && w.outcome <= 2);
    fuzz::CheckTextsTerminated(s.model);
    // Channel lists of the split layouts only ever hold -1..15 from a reply.
    for (int v : s.model.splitLayout.sixteen) FUZZ_CHECK(v >= -1 && v <= 15);
  }
  return 0;
}
