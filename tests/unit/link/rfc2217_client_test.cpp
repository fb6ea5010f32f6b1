#include "core/link/rfc2217_client.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace korvex7 {
namespace {

using namespace telnet;

std::string Bytes(std::initializer_list<int> list) {
  std::string out;
  for (const int b : list) out += static_cast<char>(b);
  return out;
}

struct Outcome {
  std::string data;
  std::string replies;
};

Outcome Feed(Rfc2217Client& client, const std::string& bytes) {
  Outcome out;
  client.Receive(bytes, out.data, out.replies);
  return out;
}

TEST(Rfc2217Client, OffersComPortAndBinary) {
  Rfc2217Client client;
  EXPECT_EQ(client.Start(), Bytes({kIac, kWill, kComPort, kIac, kWill, kBinary, kIac, kDo, kBinary,
                                   kIac, kDo, kSuppressGoAhead}));
  EXPECT_EQ(client.comPort(), Rfc2217Client::ComPort::kAsked);
}

// The server's requests and answers after Start(): what the client answers
// (once, never in a loop) and where the com-port option stands.
TEST(Rfc2217Client, AnswersNegotiation) {
  using CP = Rfc2217Client::ComPort;
  struct Row {
    const char* name;
    std::string fromServer;
    std::string replies;
    CP comPort;
  } const rows[] = {
      {"agreement", Bytes({kIac, kDo, kComPort}), "", CP::kAgreed},
      {"agreement twice: no answer", Bytes({kIac, kDo, kComPort, kIac, kDo, kComPort}), "",
       CP::kAgreed},
      {"refusal", Bytes({kIac, kDont, kComPort}), "", CP::kRefused},
      {"agreed, then withdrawn", Bytes({kIac, kDo, kComPort, kIac, kDont, kComPort}),
       Bytes({kIac, kWont, kComPort}), CP::kRefused},
      {"echo asked of us: refused", Bytes({kIac, kDo, 1}), Bytes({kIac, kWont, 1}), CP::kAsked},
      {"server offers echo: refused", Bytes({kIac, kWill, 1}), Bytes({kIac, kDont, 1}), CP::kAsked},
      {"binary granted both ways", Bytes({kIac, kWill, kBinary, kIac, kDo, kBinary}), "",
       CP::kAsked},
      {"go-ahead suppressed on our side too", Bytes({kIac, kDo, kSuppressGoAhead}),
       Bytes({kIac, kWill, kSuppressGoAhead}), CP::kAsked},
      {"binary given, then taken back", Bytes({kIac, kWill, kBinary, kIac, kWont, kBinary}),
       Bytes({kIac, kDont, kBinary}), CP::kAsked},
      {"refusal of what was never on: no answer", Bytes({kIac, kWont, 7, kIac, kDont, 7}), "",
       CP::kAsked},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rfc2217Client client;
    client.Start();
    const Outcome out = Feed(client, row.fromServer);
    EXPECT_EQ(out.replies, row.replies);
    EXPECT_EQ(out.data, "");
    EXPECT_EQ(client.comPort(), row.comPort);
  }
}

TEST(Rfc2217Client, TakesTheLineBytesOutOfTheStream) {
  struct Row {
    const char* name;
    bool binary;  // the server agreed to send binary
    std::string fromServer;
    std::string data;
  } const rows[] = {
      {"plain answer", true, "05GO\r\n", "05GO\r\n"},
      {"doubled 0xFF is one data byte", true, Bytes({'A', kIac, kIac, 'B'}),
       Bytes({'A', 0xFF, 'B'})},
      {"commands between data bytes", true, Bytes({'G', kIac, 241, kIac, 249, 'O'}), "GO"},
      {"text mode: CR NUL is a bare CR", false, Bytes({'A', '\r', 0, 'B'}), "A\rB"},
      {"binary: CR NUL stays", true, Bytes({'\r', 0}), Bytes({'\r', 0})},
      {"text mode: NUL not after CR stays", false, Bytes({0, 'A'}), Bytes({0, 'A'})},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rfc2217Client client;
    client.Start();
    if (row.binary) Feed(client, Bytes({kIac, kWill, kBinary}));
    EXPECT_EQ(Feed(client, row.fromServer).data, row.data);
  }
}

TEST(Rfc2217Client, ReadsTheServersConfirmations) {
  Rfc2217Client client;
  client.Start();
  const std::string confirmations =
      Bytes({kIac, kSb, kComPort, 101, 0, 0, 0x25, 0x80, kIac, kSe}) +  // 9600
      Bytes({kIac, kSb, kComPort, 102, 8, kIac, kSe}) +                 // 8 bits
      Bytes({kIac, kSb, kComPort, 106, 0x60, kIac, kSe}) +              // line state
      Bytes({kIac, kSb, kComPort, 103, 3, kIac, kSe}) +                 // even
      Bytes({kIac, kSb, kComPort, 107, 0xB0, kIac, kSe}) +              // modem state
      Bytes({kIac, kSb, kComPort, 104, 1, kIac, kSe});                  // 1 stop bit
  const Outcome out = Feed(client, confirmations);
  EXPECT_EQ(out.data, "");
  EXPECT_EQ(out.replies, "");
  EXPECT_EQ(client.confirmed(), UnitLineSettings());
}

TEST(Rfc2217Client, SkipsWhatItCannotTrust) {
  struct Row {
    const char* name;
    std::string fromServer;
    std::string data;
    std::string replies;
    std::optional<std::uint8_t> parity;
  } const rows[] = {
      {"a sub-negotiation longer than kept is skipped whole",
       Bytes({kIac, kSb, kComPort, 103, 3}) + std::string(500, '\x02') + Bytes({kIac, kSe, 'A'}),
       "A", "", std::nullopt},
      {"a confirmation of the wrong length is not taken",
       Bytes({kIac, kSb, kComPort, 103, 3, 3, kIac, kSe}), "", "", std::nullopt},
      {"0xFF inside a sub-negotiation is doubled",
       Bytes({kIac, kSb, kComPort, 103, kIac, kIac, kIac, kSe}), "", "", std::uint8_t{0xFF}},
      {"a command cuts a sub-negotiation short",
       Bytes({kIac, kSb, kComPort, 103, 3, kIac, kWill, 1, 'B'}), "B", Bytes({kIac, kDont, 1}),
       std::nullopt},
      {"another option's sub-negotiation", Bytes({kIac, kSb, 24, 1, kIac, kSe, 'C'}), "C", "",
       std::nullopt},
      {"a stray SE", Bytes({kIac, kSe, 'D'}), "D", "", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rfc2217Client client;
    client.Start();
    Feed(client, Bytes({kIac, kWill, kBinary}));
    const Outcome out = Feed(client, row.fromServer);
    EXPECT_EQ(out.data, row.data);
    EXPECT_EQ(out.replies, row.replies);
    EXPECT_EQ(client.confirmed().parity, row.parity);
  }
}

// Bytes arrive in whatever pieces the network makes: cut anywhere, the
// stream gives the same line bytes, answers and settings.
TEST(Rfc2217Client, SameResultWhereverTheStreamIsCut) {
  const std::string stream =
      Bytes({kIac, kDo, kComPort, kIac, kWill, kBinary, 'A', kIac, kIac}) +
      Bytes({kIac, kSb, kComPort, 101, 0, 0, 0x25, 0x80, kIac, kSe, kIac, kDo, 1}) + "05GO\r\n" +
      Bytes({kIac, kSb, kComPort, 106, kIac, kIac, kIac, kSe, kIac, kSb, kComPort, 103, 3, kIac,
             kSe, 'Z'});
  Rfc2217Client whole;
  whole.Start();
  const Outcome expected = Feed(whole, stream);
  ASSERT_EQ(expected.data,
            "A\xFF"
            "05GO\r\nZ");
  for (const std::size_t piece : {1u, 2u, 3u, 7u}) {
    SCOPED_TRACE(piece);
    Rfc2217Client client;
    client.Start();
    Outcome got;
    for (std::size_t i = 0; i < stream.size(); i += piece) {
      client.Receive(std::string_view(stream).substr(i, piece), got.data, got.replies);
    }
    EXPECT_EQ(got.data, expected.data);
    EXPECT_EQ(got.replies, expected.replies);
    EXPECT_EQ(client.confirmed(), whole.confirmed());
    EXPECT_EQ(client.comPort(), Rfc2217Client::ComPort::kAgreed);
  }
}

TEST(Rfc2217Client, EscapesTheLineBytesAndAsksForTheUnitsLine) {
  EXPECT_EQ(Rfc2217Client::EscapeData(Bytes({'R', 0xFF, 'M', 0xFF, 0xFF})),
            Bytes({'R', 0xFF, 0xFF, 'M', 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Rfc2217Client::RequestSettings(UnitLineSettings()),
            Bytes({kIac, kSb, kComPort, 1, 0, 0,    0x25, 0x80, kIac, kSe,  //
                   kIac, kSb, kComPort, 2, 8, kIac, kSe,                    //
                   kIac, kSb, kComPort, 3, 3, kIac, kSe,                    //
                   kIac, kSb, kComPort, 4, 1, kIac, kSe}));
  ComPortSettings odd = UnitLineSettings();
  odd.baudRate = 0xFF00FFu;
  EXPECT_EQ(Rfc2217Client::RequestSettings(odd).substr(0, 10),
            Bytes({kIac, kSb, kComPort, 1, 0, 0xFF, 0xFF, 0, 0xFF, 0xFF}));
}

}  // namespace
}  // namespace korvex7
