#include "core/link/port_address.h"

#include <cctype>

namespace korvex7 {

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

ParsedPortAddress Refuse(std::string_view text, std::string_view why) {
  return {std::nullopt, std::string(text) + ": " + std::string(why)};
}

// A host name or IPv4 address: letters, digits, dots, hyphens, underscores.
bool IsHostName(std::string_view host) {
  if (host.empty() || host.size() > 253) return false;
  for (const char c : host) {
    const auto u = static_cast<unsigned char>(c);
    if (!std::isalnum(u) && c != '.' && c != '-' && c != '_') return false;
  }
  return true;
}

bool IsIpv6Text(std::string_view host) {
  if (host.size() < 2 || host.size() > 45) return false;
  bool colon = false;
  for (const char c : host) {
    const auto u = static_cast<unsigned char>(c);
    if (c == ':') colon = true;
    if (!std::isxdigit(u) && c != ':' && c != '.') return false;
  }
  return colon;
}

}  // namespace

std::string PortAddress::ToString() const {
  switch (kind) {
    case Kind::kSerial:
      return device;
    case Kind::kTcp:
    case Kind::kRfc2217: {
      const bool v6 = host.find(':') != std::string::npos;
      return std::string(kind == Kind::kTcp ? "tcp://" : "rfc2217://") + (v6 ? "[" : "") + host +
             (v6 ? "]" : "") + ":" + std::to_string(port);
    }
  }
  return device;
}

ParsedPortAddress ParsePortAddress(std::string_view text, bool anyPort) {
  PortAddress address;
  std::string_view rest;
  if (StartsWithNoCase(text, "tcp://")) {
    address.kind = PortAddress::Kind::kTcp;
    rest = text.substr(6);
  } else if (StartsWithNoCase(text, "rfc2217://")) {
    address.kind = PortAddress::Kind::kRfc2217;
    rest = text.substr(10);
  } else if (text.find("://") != std::string_view::npos) {
    return Refuse(text,
                  "not a port: the network forms are tcp://HOST:PORT and rfc2217://HOST:PORT");
  } else {
    if (text.empty()) return Refuse(text, "no port named");
    address.device = std::string(text);
    return {address, {}};
  }

  std::string_view host;
  std::string_view portText;
  if (!rest.empty() && rest.front() == '[') {
    const std::size_t close = rest.find(']');
    if (close == std::string_view::npos)
      return Refuse(text, "an IPv6 address needs its closing ']'");
    host = rest.substr(1, close - 1);
    if (!IsIpv6Text(host)) return Refuse(text, "not an IPv6 address between the brackets");
    const std::string_view after = rest.substr(close + 1);
    if (after.empty() || after.front() != ':') return Refuse(text, "no :PORT after the host");
    portText = after.substr(1);
  } else {
    const std::size_t colon = rest.rfind(':');
    if (colon == std::string_view::npos) return Refuse(text, "no :PORT after the host");
    host = rest.substr(0, colon);
    portText = rest.substr(colon + 1);
    if (!IsHostName(host)) {
      return Refuse(text, host.find(':') != std::string_view::npos
                              ? "write an IPv6 address in brackets: [::1]:PORT"
                              : "not a host name or address");
    }
  }
  if (portText.empty() || portText.size() > 5) return Refuse(text, "the port is a number 1..65535");
  unsigned long port = 0;
  for (const char c : portText) {
    if (c < '0' || c > '9') return Refuse(text, "the port is a number 1..65535");
    port = port * 10 + static_cast<unsigned long>(c - '0');
  }
  if (port < (anyPort ? 0u : 1u) || port > 65535) {
    return Refuse(text,
                  anyPort ? "the port is a number 0..65535" : "the port is a number 1..65535");
  }
  address.host = std::string(host);
  address.port = static_cast<std::uint16_t>(port);
  return {address, {}};
}

}  // namespace korvex7
