#include "tools/ctl/console_text.h"

namespace korvex7::ctl {

namespace {

// The number of bytes of the character whose first byte is `lead`; 1 for a
// byte that cannot begin one.
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

// The most buffered before a piece is handed on without a line end.
constexpr std::size_t kBufferLimit = 4096;

}  // namespace

std::size_t WholeUtf8Prefix(std::string_view bytes) {
  // Only the last three bytes can belong to a character not yet complete.
  const std::size_t n = bytes.size();
  for (std::size_t back = 1; back <= 3 && back <= n; ++back) {
    const auto c = static_cast<unsigned char>(bytes[n - back]);
    if ((c & 0xC0) == 0x80) continue;  // a continuation byte: look further back
    const std::size_t need = SequenceLength(c);
    return need > back ? n - back : n;
  }
  return n;
}

Utf8LineBuffer::~Utf8LineBuffer() { Hand(true); }

void Utf8LineBuffer::Hand(bool everything) {
  const std::size_t whole = everything ? pending_.size() : WholeUtf8Prefix(pending_);
  if (whole == 0) return;
  write_(std::string_view(pending_).substr(0, whole));
  pending_.erase(0, whole);
}

Utf8LineBuffer::int_type Utf8LineBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  const char ch = traits_type::to_char_type(c);
  xsputn(&ch, 1);
  return c;
}

std::streamsize Utf8LineBuffer::xsputn(const char* s, std::streamsize n) {
  pending_.append(s, static_cast<std::size_t>(n));
  if (pending_.find('\n') != std::string::npos || pending_.size() >= kBufferLimit) Hand(false);
  return n;
}

int Utf8LineBuffer::sync() {
  Hand(false);
  return 0;
}

}  // namespace korvex7::ctl
