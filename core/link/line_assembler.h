// LineAssembler: cuts the bytes that arrive from the port into reply lines.
//
// The unit answers every command with one line ending in CR LF. The port
// delivers those bytes in whatever pieces the driver happens to hold when a
// read completes: one reply may arrive over several reads, and several replies
// may arrive in one read. The assembler therefore ends a line at every LF,
// wherever it stands in a read, and keeps the bytes after the last LF for the
// next read.
//
// A line as handed on holds every byte the unit sent for it, up to and
// including its LF: "GO\r\n", "AMI\r\n". Nothing is stripped, so the CR stays
// in place for the reply side, which compares status words and checks data
// layouts with their CR LF. A line that ends in LF without a CR is handed on
// as it is and fails those checks there.
//
// A line may hold at most kMaxReplyLineLength bytes (the unit's replies are
// well under 100). A longer one is not cut: its bytes are dropped as they come,
// up to and including its LF, and it is handed on as one overlong line without
// text, which the reply side reports as a malformed reply. The line after it is
// assembled normally.
//
// Threading: the assembler owns its partial line and touches nothing else. In
// the Windows program it runs on the receive thread, which posts each complete
// line to the user-interface thread; everything that acts on a line (reply
// assembly, dispatch, decoding) runs there.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvex7 {

// The longest line accepted, LF included (a 600-byte buffer less its NUL).
inline constexpr std::size_t kMaxReplyLineLength = 599;

struct ReceivedLine {
  std::string text;       // the line's bytes up to and including LF; empty when overlong
  bool overlong = false;  // the line exceeded kMaxReplyLineLength and was dropped

  friend bool operator==(const ReceivedLine&, const ReceivedLine&) = default;
};

class LineAssembler {
 public:
  LineAssembler();

  // Takes the bytes of one read and appends each line they complete to
  // `lines`, in the order the unit sent them. Bytes after the last LF are kept
  // for the next call.
  void Feed(std::string_view chunk, std::vector<ReceivedLine>& lines);

  // As above, returning the completed lines.
  std::vector<ReceivedLine> Feed(std::string_view chunk);

  // Drops the partial line (for a caller that starts over on a new port).
  void Clear();

  // Number of bytes collected for the line not yet complete; 0 between lines
  // and while an overlong line is being dropped.
  std::size_t PendingLength() const { return pending_.size(); }

  // The bytes of the line not yet complete (empty while an overlong line is
  // being dropped).
  std::string_view Pending() const { return pending_; }

  // True while a line has begun and not ended, an overlong one included.
  bool MidLine() const { return !pending_.empty() || dropping_; }

 private:
  std::string pending_;
  bool dropping_ = false;  // the current line has grown too long
};

}  // namespace korvex7
