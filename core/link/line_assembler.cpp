#include "core/link/line_assembler.h"

namespace korvex7 {

LineAssembler::LineAssembler() { pending_.reserve(kMaxReplyLineLength); }

void LineAssembler::Feed(std::string_view chunk, std::vector<ReceivedLine>& lines) {
  while (!chunk.empty()) {
    const std::size_t lf = chunk.find('\n');
    const bool ends = lf != std::string_view::npos;
    const std::string_view piece = ends ? chunk.substr(0, lf + 1) : chunk;
    chunk.remove_prefix(piece.size());

    if (!dropping_) {
      if (pending_.size() + piece.size() > kMaxReplyLineLength) {
        dropping_ = true;
        pending_.clear();
      } else {
        pending_.append(piece);
      }
    }
    if (!ends) break;

    if (dropping_) {
      lines.push_back(ReceivedLine{{}, true});
    } else {
      lines.push_back(ReceivedLine{pending_, false});
    }
    pending_.clear();
    dropping_ = false;
  }
}

std::vector<ReceivedLine> LineAssembler::Feed(std::string_view chunk) {
  std::vector<ReceivedLine> lines;
  Feed(chunk, lines);
  return lines;
}

void LineAssembler::Clear() {
  pending_.clear();
  dropping_ = false;
}

}  // namespace korvex7
