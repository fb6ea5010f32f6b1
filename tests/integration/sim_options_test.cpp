// korvex7-sim's options over a real pseudo-terminal: RS-485 addressing,
// fault injection, wire timing, the dump and log files, signals and the
// refusals at start-up.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/model/settings_file.h"
#include "tests/integration/sim_link.h"

namespace korvex7::e2e {
namespace {

using Clock = std::chrono::steady_clock;

std::string FirstLine(const std::string& text) { return text.substr(0, text.find("\r\n")); }

TEST(SimOptions, Rs485UnitAnswersItsOwnAddressOnly) {
  TestDir dir;
  SimOnPty sim(dir, {"--address", "05"});
  sim.session.model.link.mode = kLinkRs485;

  sim.session.model.link.slaveAddress = 5;
  EXPECT_EQ(sim.Exchange("RAM\r\n"), "05AMI\r\n");
  EXPECT_EQ(sim.session.replyWait.outcome, 1);  // the program stripped the address

  sim.session.model.link.slaveAddress = 4;
  EXPECT_EQ(sim.Exchange("AME\r\n", kSilence), std::nullopt);

  sim.session.model.link.slaveAddress = kBroadcastAddress;
  EXPECT_EQ(sim.Exchange("APB\r\n", kSilence), std::nullopt);

  sim.session.model.link.slaveAddress = 5;
  EXPECT_EQ(sim.Exchange("RAM\r\n"), "05AMI\r\n");  // unit 04's command was not applied
  EXPECT_EQ(sim.Exchange("RAP\r\n"), "05APB\r\n");  // the broadcast was
  EXPECT_EQ(sim.Exchange("AMX\r\n"), "05E3\r\n");
  EXPECT_EQ(sim.session.replyWait.unitStatus, kStatusE3);
}

TEST(SimOptions, SeveralUnitsShareOneLine) {
  TestDir dir;
  SimOnPty sim(dir, {"--address", "03,07", "--dump", dir.File("bus.dat")});
  sim.session.model.link.mode = kLinkRs485;
  sim.session.model.link.slaveAddress = kBroadcastAddress;
  EXPECT_EQ(sim.Exchange("BLW\r\n", kSilence), std::nullopt);
  sim.session.model.link.slaveAddress = 3;
  EXPECT_EQ(sim.Exchange("AME\r\n"), "03GO\r\n");
  EXPECT_EQ(sim.Exchange("RBL\r\n"), "03BLW\r\n");
  sim.session.model.link.slaveAddress = 7;
  EXPECT_EQ(sim.Exchange("RAM\r\n"), "07AMI\r\n");
  EXPECT_EQ(sim.Exchange("RBL\r\n"), "07BLW\r\n");
  EXPECT_EQ(sim.process().Stop(), 0);
  EXPECT_EQ(FirstLine(ReadFile(dir.File("bus-03.dat"))), "1");
  EXPECT_EQ(FirstLine(ReadFile(dir.File("bus-07.dat"))), "0");
}

TEST(SimOptions, StatusWordAnswersEveryCommand) {
  TestDir dir;
  SimOnPty sim(dir, {"--status", "LOCK"});
  EXPECT_EQ(sim.Exchange("AME\r\n"), "LOCK\r\n");
  EXPECT_EQ(sim.session.replyWait.unitStatus, kStatusLock);
  EXPECT_EQ(sim.Exchange("RAM\r\n"), "LOCK\r\n");
}

TEST(SimOptions, SilentUnitActsButNeverAnswers) {
  TestDir dir;
  SimOnPty sim(dir, {"--silent", "--dump", dir.File("unit.dat")});
  EXPECT_EQ(sim.Exchange("AME\r\n", kSilence), std::nullopt);
  EXPECT_EQ(sim.session.replyWait.ackPending, 1);  // the program is still waiting
  EXPECT_EQ(sim.process().Stop(), 0);
  EXPECT_EQ(FirstLine(ReadFile(dir.File("unit.dat"))), "1");
}

TEST(SimOptions, GarblesEveryNthAnswer) {
  TestDir dir;
  SimOnPty sim(dir, {"--garble-every", "2"});
  EXPECT_EQ(sim.Exchange("AME\r\n"), "GO\r\n");
  EXPECT_EQ(sim.Exchange("AMI\r\n"), "G#\r\n");
  EXPECT_EQ(sim.session.replyWait.unitStatus, kStatusCommandError);  // the program saw a bad line
  sim.session.replyWait.unitStatus = 0;
  EXPECT_EQ(sim.Exchange("RAM\r\n"), "AMI\r\n");  // the garbled answer's command was applied
  EXPECT_EQ(sim.Exchange("RAP\r\n"), "A#M\r\n");
}

TEST(SimOptions, ChunkedAnswerArrivesInPiecesAndWhole) {
  TestDir dir;
  SimOnPty sim(dir, {"--chunked"});
  sim.port().WriteAll("RCASTM\r\n");
  std::string answer;
  int reads = 0;
  char buffer[128];
  while (answer.empty() || answer.back() != '\n') {
    const std::size_t n = sim.port().Read(buffer, sizeof buffer, kAnswerTimeout);
    ASSERT_GT(n, 0u) << "answer stopped after " << answer;
    answer.append(buffer, n);
    ++reads;
  }
  EXPECT_EQ(answer, "CASTM03030303030303030303030303030303030303030303030303\r\n");
  EXPECT_GT(reads, 1);
}

TEST(SimOptions, EchoSendsTheFrameBackBeforeTheAnswer) {
  TestDir dir;
  SimOnPty sim(dir, {"--echo", "--address", "05"});
  sim.port().WriteAll("05AMI\r\n");
  EXPECT_EQ(sim.reader().ReadLine(kAnswerTimeout), "05AMI\r\n");
  EXPECT_EQ(sim.reader().ReadLine(kAnswerTimeout), "05GO\r\n");
  // Frames for other units and broadcasts come back too: every byte does.
  sim.port().WriteAll("04AMI\r\n");
  EXPECT_EQ(sim.reader().ReadLine(kAnswerTimeout), "04AMI\r\n");
  EXPECT_EQ(sim.reader().ReadLine(kSilence), std::nullopt);
}

TEST(SimOptions, DuplicateAnswersRepeatThePreviousOneFirst) {
  TestDir dir;
  SimOnPty sim(dir, {"--duplicate-answers"});
  sim.port().WriteAll("AME\r\n");
  EXPECT_EQ(sim.reader().ReadLine(kAnswerTimeout), "GO\r\n");
  EXPECT_EQ(sim.reader().ReadLine(kSilence), std::nullopt);
  sim.port().WriteAll("RAM\r\n");
  EXPECT_EQ(sim.reader().ReadLine(kAnswerTimeout), "GO\r\n");
  EXPECT_EQ(sim.reader().ReadLine(kAnswerTimeout), "AME\r\n");
}

TEST(SimOptions, NoiseNeverEndsALine) {
  TestDir dir;
  SimOnPty sim(dir, {"--noise"});
  std::string noise;
  char buffer[4096];
  while (noise.size() < 64 * 1024) {
    const std::size_t n = sim.port().Read(buffer, sizeof buffer, kAnswerTimeout);
    ASSERT_GT(n, 0u) << "the noise stopped after " << noise.size() << " bytes";
    noise.append(buffer, n);
  }
  EXPECT_EQ(noise.find('\n'), std::string::npos);
}

// Lower bounds only: the simulator guarantees them, the machine may be slower.
TEST(SimOptions, ReplyDelayHoldsTheAnswerBack) {
  TestDir dir;
  SimOnPty sim(dir, {"--reply-delay-ms", "250"});
  const auto start = Clock::now();
  EXPECT_EQ(sim.Exchange("RAM\r\n"), "AMI\r\n");
  EXPECT_GE(Clock::now() - start, milliseconds(250));
}

TEST(SimOptions, LineRateDeliversNoFasterThanTheWire) {
  TestDir dir;
  SimOnPty sim(dir, {"--line-rate", "9600"});
  const auto start = Clock::now();
  EXPECT_EQ(sim.Exchange("RCASTM\r\n"),
            "CASTM03030303030303030303030303030303030303030303030303\r\n");
  // 8 bytes out, 57 back, 11 bits each at 9600 baud: 74.5 ms.
  EXPECT_GE(Clock::now() - start, std::chrono::microseconds(74479));
}

TEST(SimOptions, DumpFollowsEveryChangeAndLogShowsEveryFrame) {
  TestDir dir;
  const std::string dump = dir.File("unit.dat");
  const std::string log = dir.File("log.txt");
  SimOnPty sim(dir, {"--dump", dump, "--log", log});
  SettingsModel read;
  {
    std::ifstream in(dump, std::ios::binary);
    ReadSettingsFile(in, read);
  }
  EXPECT_TRUE(SavedFieldsEqual(read, SettingsModel{})) << "the dump at start holds the defaults";

  EXPECT_EQ(sim.Exchange("AME\r\n"), "GO\r\n");
  EXPECT_EQ(FirstLine(ReadFile(dump)), "1");  // written before the answer went out
  EXPECT_EQ(sim.Exchange("XYZ\r\n"), "E3\r\n");
  EXPECT_EQ(sim.Exchange("RAM\r\n"), "AME\r\n");

  EXPECT_EQ(sim.process().Stop(), 0);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(sim.link())))
      << "the link is removed on exit";
  EXPECT_EQ(FirstLine(ReadFile(dump)), "1");

  std::ifstream in(log);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  const std::vector<std::string> expected = {"RX AME\\r\\n", "TX GO\\r\\n",  "RX XYZ\\r\\n",
                                             "TX E3\\r\\n",  "RX RAM\\r\\n", "TX AME\\r\\n"};
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(lines[i]);
    ASSERT_GT(lines[i].size(), 24u);
    EXPECT_EQ(lines[i].substr(24), expected[i]);  // after "YYYY-MM-DD hh:mm:ss.mmm "
  }
}

TEST(SimOptions, EndsCleanlyOnInterrupt) {
  TestDir dir;
  SimOnPty sim(dir, {"--dump", dir.File("unit.dat")});
  EXPECT_EQ(sim.Exchange("CIR\r\n"), "GO\r\n");
  EXPECT_EQ(sim.process().Stop(SIGINT), 0);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(sim.link())));
  SettingsModel read;
  std::ifstream in(dir.File("unit.dat"), std::ios::binary);
  ReadSettingsFile(in, read);
  EXPECT_EQ(read.other.connectorInput, 1);
}

TEST(SimOptions, ReplacesAStaleLink) {
  TestDir dir;
  std::filesystem::create_symlink("/dev/pts/does-not-exist", dir.File("com1"));
  SimOnPty sim(dir, {});
  EXPECT_EQ(sim.Exchange("RAM\r\n"), "AMI\r\n");
}

TEST(SimOptions, RefusesToStartWithClearReasons) {
  TestDir dir;
  SettingsModel bad;
  bad.videoAdjust.hue[2] = 300;
  {
    std::ofstream out(dir.File("bad.dat"), std::ios::binary);
    WriteSettingsFile(out, bad);
  }
  { std::ofstream(dir.File("keep.txt")) << "keep me\n"; }
  struct Row {
    const char* what;
    std::vector<std::string> args;
    int status;
    std::string message;
  };
  const Row rows[] = {
      {"no line", {}, 2, "give --pty PATH"},
      {"missing device",
       {"--port", dir.File("ttyS9")},
       1,
       dir.File("ttyS9") + ": cannot open: No such file"},
      {"not a device", {"--port", "/dev/null"}, 1, "/dev/null: not a serial device"},
      {"link over a file", {"--pty", dir.File("keep.txt")}, 1, "exists and is not a symbolic link"},
      {"address 32",
       {"--pty", dir.File("com1"), "--address", "32"},
       2,
       "an RS-485 address is 00..31"},
      {"address twice", {"--pty", dir.File("com1"), "--address", "5,05"}, 2, "given twice"},
      {"unit cannot hold",
       {"--pty", dir.File("com1"), "--load", dir.File("bad.dat")},
       2,
       "videoAdjust.hue[2]: a value the unit cannot hold"},
      {"unknown status",
       {"--pty", dir.File("com1"), "--status", "BUSY"},
       2,
       "--status: BUSY not in"},
      {"both lines", {"--pty", dir.File("com1"), "--port", "/dev/null"}, 2, "excludes"},
      {"unknown option", {"--pty", dir.File("com1"), "--bogus"}, 2, "--bogus"},
      {"garble every 0", {"--pty", dir.File("com1"), "--garble-every", "0"}, 2, "--garble-every"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    SimProcess sim(dir, row.args);
    const auto status = sim.Wait();
    ASSERT_TRUE(status.has_value()) << "still running";
    EXPECT_EQ(*status, row.status);
    EXPECT_NE(sim.Stderr().find(row.message), std::string::npos) << sim.Stderr();
  }
  EXPECT_EQ(ReadFile(dir.File("keep.txt")), "keep me\n");
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(dir.File("com1"))));
}

}  // namespace
}  // namespace korvex7::e2e
