#include "core/link/port_address.h"

#include <gtest/gtest.h>

namespace korvex7 {
namespace {

using Kind = PortAddress::Kind;

TEST(PortAddress, SerialAndNetworkForms) {
  struct Row {
    const char* text;
    Kind kind;
    const char* deviceOrHost;
    std::uint16_t port;
    const char* shown;
  } const rows[] = {
      {"/dev/ttyUSB0", Kind::kSerial, "/dev/ttyUSB0", 0, "/dev/ttyUSB0"},
      {"COM3", Kind::kSerial, "COM3", 0, "COM3"},
      {"\\\\.\\COM12", Kind::kSerial, "\\\\.\\COM12", 0, "\\\\.\\COM12"},
      {"tcp://127.0.0.1:7001", Kind::kTcp, "127.0.0.1", 7001, "tcp://127.0.0.1:7001"},
      {"TCP://rack-3.example.net:4001", Kind::kTcp, "rack-3.example.net", 4001,
       "tcp://rack-3.example.net:4001"},
      {"rfc2217://[::1]:2217", Kind::kRfc2217, "::1", 2217, "rfc2217://[::1]:2217"},
      {"rfc2217://[fe80::1:2]:1", Kind::kRfc2217, "fe80::1:2", 1, "rfc2217://[fe80::1:2]:1"},
      {"tcp://host:65535", Kind::kTcp, "host", 65535, "tcp://host:65535"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    const ParsedPortAddress parsed = ParsePortAddress(row.text);
    ASSERT_TRUE(parsed.address) << parsed.error;
    EXPECT_EQ(parsed.address->kind, row.kind);
    EXPECT_EQ(row.kind == Kind::kSerial ? parsed.address->device : parsed.address->host,
              row.deviceOrHost);
    EXPECT_EQ(parsed.address->port, row.port);
    EXPECT_EQ(parsed.address->ToString(), row.shown);
  }
}

TEST(PortAddress, PortZeroOnlyForListening) {
  EXPECT_FALSE(ParsePortAddress("tcp://127.0.0.1:0").address);
  const ParsedPortAddress listening = ParsePortAddress("tcp://127.0.0.1:0", true);
  ASSERT_TRUE(listening.address) << listening.error;
  EXPECT_EQ(listening.address->port, 0);
}

TEST(PortAddress, RefusesMalformedNetworkAddresses) {
  const char* const rows[] = {
      "",
      "tcp://",
      "tcp://host",
      "tcp://host:",
      "tcp://host:0",
      "tcp://host:65536",
      "tcp://host:123456",
      "tcp://host:12a",
      "tcp://:7001",
      "tcp://::1:7001",
      "tcp://[::1:7001",
      "tcp://[::1]7001",
      "tcp://[host]:7001",
      "tcp://ho st:7001",
      "udp://host:7001",
      "rfc2217://host:-1",
  };
  for (const char* text : rows) {
    SCOPED_TRACE(text);
    const ParsedPortAddress parsed = ParsePortAddress(text);
    EXPECT_FALSE(parsed.address);
    EXPECT_FALSE(parsed.error.empty());
  }
}

}  // namespace
}  // namespace korvex7
