// What a serial device server sends to korvex7ctl over RFC 2217: arbitrary
// bytes, cut into pieces anywhere (the first byte of the input chooses the
// piece sizes). The client never crashes, gives the same line bytes, answers
// and settings however the stream is cut, keeps no more line bytes than it
// was given, and answers each option command with at most one command.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/link/rfc2217_client.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using korvex7::Rfc2217Client;
  if (size == 0) return 0;
  const std::size_t seed = data[0];
  const std::string_view stream(reinterpret_cast<const char*>(data) + 1, size - 1);

  Rfc2217Client whole;
  whole.Start();
  std::string wholeData;
  std::string wholeReplies;
  whole.Receive(stream, wholeData, wholeReplies);

  Rfc2217Client pieces;
  pieces.Start();
  std::string piecesData;
  std::string piecesReplies;
  std::size_t at = 0;
  for (std::size_t n = 0; at < stream.size(); ++n) {
    const std::size_t length = 1 + (seed * 31 + n * 17) % 13;
    pieces.Receive(stream.substr(at, length), piecesData, piecesReplies);
    at += length;
  }

  FUZZ_CHECK(piecesData == wholeData);
  FUZZ_CHECK(piecesReplies == wholeReplies);
  FUZZ_CHECK(pieces.confirmed() == whole.confirmed());
  FUZZ_CHECK(pieces.comPort() == whole.comPort());
  FUZZ_CHECK(wholeData.size() <= stream.size());
  // Every answer is a three-byte command, one per three-byte request at most.
  FUZZ_CHECK(wholeReplies.size() % 3 == 0);
  FUZZ_CHECK(wholeReplies.size() <= stream.size());
  return 0;
}
