#include <errno.h>
#include <iconv.h>

#include <string>

#include "tools/ctl/text_codec.h"

namespace korvex7::ctl {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// One iconv conversion descriptor, closed when it goes.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (valid()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much of `in` as it can. Returns 0 when all of it was
  // converted, otherwise the errno that stopped it; `in` then points at the
  // offending bytes.
  int Convert(std::string_view& in, std::string& out) {
    char buffer[256];
    while (!in.empty()) {
      char* src = const_cast<char*>(in.data());
      std::size_t srcLeft = in.size();
      char* dst = buffer;
      std::size_t dstLeft = sizeof buffer;
      const std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      const int error = r == static_cast<std::size_t>(-1) ? errno : 0;
      out.append(buffer, static_cast<std::size_t>(dst - buffer));
      in.remove_prefix(in.size() - srcLeft);
      if (error == E2BIG) continue;
      if (error != 0) return error;
    }
    // Flush any shift state (code page 932 has none, but iconv wants it).
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    return 0;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  Converter converter("CP932", "UTF-8");
  if (!converter.valid()) return std::nullopt;
  std::string out;
  if (converter.Convert(utf8, out) != 0) return std::nullopt;
  return out;
}

std::string Cp932ToUtf8(std::string_view cp932) {
  Converter converter("UTF-8", "CP932");
  std::string out;
  if (!converter.valid()) {
    for (std::size_t i = 0; i < cp932.size(); ++i) out += kReplacement;
    return out;
  }
  while (!cp932.empty()) {
    if (converter.Convert(cp932, out) == 0) break;
    // An invalid or truncated sequence: one replacement character for its
    // first byte, then go on with the next.
    out += kReplacement;
    cp932.remove_prefix(1);
  }
  return out;
}

}  // namespace korvex7::ctl
