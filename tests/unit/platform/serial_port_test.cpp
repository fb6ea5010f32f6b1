#include "platform/posix/serial_port.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/link/send_command.h"
#include "tests/support/serial_port_writer.h"
#include "tests/support/temp_dir.h"

namespace korvex7::posix {
namespace {

using std::chrono::milliseconds;
using testing_support::TempDir;

// Long enough for bytes already written to a pseudo-terminal to arrive.
constexpr milliseconds kArrival{2000};

const char* KindName(SerialErrorKind k) {
  switch (k) {
    case SerialErrorKind::kNotFound:
      return "not found";
    case SerialErrorKind::kBusy:
      return "busy";
    case SerialErrorKind::kPermission:
      return "permission";
    case SerialErrorKind::kNotATty:
      return "not a tty";
    case SerialErrorKind::kConfigure:
      return "configure";
    case SerialErrorKind::kIo:
      return "io";
    case SerialErrorKind::kTimeout:
      return "timeout";
    case SerialErrorKind::kOther:
      return "other";
  }
  return "?";
}

TEST(SerialPort, OpenFailuresNameTheDeviceAndTheReason) {
  TempDir dir;
  const std::string file = dir.File("plain.txt");
  { std::ofstream(file) << "not a device\n"; }
  struct Row {
    std::string device;
    SerialErrorKind kind;
    const char* reason;
  };
  const Row rows[] = {
      {"/dev/korvex7-no-such-port", SerialErrorKind::kNotFound, "No such file or directory"},
      {dir.File("missing/ttyS0"), SerialErrorKind::kNotFound, "No such file or directory"},
      {"/dev/null", SerialErrorKind::kNotATty, "not a serial device"},
      {file, SerialErrorKind::kNotATty, "not a serial device"},
      {dir.path(), SerialErrorKind::kOther, "Is a directory"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.device);
    try {
      SerialPort::Open(row.device);
      ADD_FAILURE() << "opened";
    } catch (const SerialError& e) {
      EXPECT_STREQ(KindName(e.kind()), KindName(row.kind));
      EXPECT_EQ(e.device(), row.device);
      const std::string what = e.what();
      EXPECT_EQ(what.rfind(row.device + ": ", 0), 0u) << what;
      EXPECT_NE(what.find(row.reason), std::string::npos) << what;
      EXPECT_NE(e.osError(), 0);
    }
  }
}

TEST(SerialPort, OpensThePseudoTerminalsSlaveEndThroughALink) {
  TempDir dir;
  PseudoTerminal pty = CreatePseudoTerminal();
  const std::string link = dir.File("com1");
  std::filesystem::create_symlink(pty.slavePath, link);
  SerialPort slave = SerialPort::Open(link);
  EXPECT_TRUE(slave.isPseudoTerminal());
  EXPECT_FALSE(slave.parityApplied());  // a pseudo-terminal has no parity to apply
  EXPECT_EQ(slave.name(), link);
  SerialPort master = SerialPort::Adopt(std::move(pty.master), "master");
  EXPECT_TRUE(master.isPseudoTerminal());

  master.WriteAll("AMI\r\n");
  LineReader reader(slave);
  EXPECT_EQ(reader.ReadLine(kArrival), "AMI\r\n");
  slave.WriteAll("GO\r\n");
  LineReader back(master);
  EXPECT_EQ(back.ReadLine(kArrival), "GO\r\n");
}

TEST(SerialPort, LineIsRawInBothDirections) {
  PseudoTerminal pty = CreatePseudoTerminal();
  SerialPort slave = SerialPort::Open(pty.slavePath);
  SerialPort master = SerialPort::Adopt(std::move(pty.master), "master");
  // CR, XON, XOFF, interrupt, erase, end-of-file, NUL and bytes above 0x7F
  // must all pass untouched, and LF must not grow a CR.
  std::string bytes("A\r\x11\x13\x03\x7F\x04\x00\x81\x40\xFF\n", 12);
  for (auto [from, to] :
       {std::pair<SerialPort*, SerialPort*>{&master, &slave}, {&slave, &master}}) {
    from->WriteAll(bytes);
    LineReader reader(*to);
    EXPECT_EQ(reader.ReadLine(kArrival), bytes);
  }
}

TEST(SerialPort, ReadReturnsNothingWhenNoByteCame) {
  PseudoTerminal pty = CreatePseudoTerminal();
  SerialPort slave = SerialPort::Open(pty.slavePath);
  char buffer[8];
  EXPECT_EQ(slave.Read(buffer, sizeof buffer, milliseconds(0)), 0u);
  LineReader reader(slave);
  SerialPort master = SerialPort::Adopt(std::move(pty.master), "master");
  master.WriteAll("GO");  // no line end yet
  EXPECT_EQ(reader.ReadLine(milliseconds(50)), std::nullopt);
  master.WriteAll("\r\nAM");
  EXPECT_EQ(reader.ReadLine(kArrival), "GO\r\n");
  EXPECT_EQ(reader.pending(), "AM");
}

TEST(SerialPort, SecondOpenOfAHeldPortIsBusyAndFreeAfterClose) {
  PseudoTerminal pty = CreatePseudoTerminal();
  {
    SerialPort first = SerialPort::Open(pty.slavePath);
    try {
      SerialPort::Open(pty.slavePath);
      ADD_FAILURE() << "opened twice";
    } catch (const SerialError& e) {
      EXPECT_EQ(e.kind(), SerialErrorKind::kBusy);
      EXPECT_NE(std::string(e.what()).find("in use"), std::string::npos);
    }
  }
  EXPECT_NO_THROW(SerialPort::Open(pty.slavePath));
}

TEST(SerialPort, HangUpIsAnErrorNotACrash) {
  PseudoTerminal pty = CreatePseudoTerminal();
  SerialPort slave = SerialPort::Open(pty.slavePath);
  pty.master.reset();
  pty.slaveHold.reset();
  char buffer[8];
  try {
    slave.Read(buffer, sizeof buffer, kArrival);
    ADD_FAILURE() << "read after hang-up";
  } catch (const SerialError& e) {
    EXPECT_EQ(e.kind(), SerialErrorKind::kIo);
    EXPECT_EQ(e.device(), pty.slavePath);
  }
  SerialPortWriter writer(slave);
  writer.Write("AMI\r\n");
  ASSERT_TRUE(writer.lastError().has_value());
  EXPECT_EQ(writer.lastError()->kind(), SerialErrorKind::kIo);
}

TEST(SerialPort, SendCommandWritesItsFrameThroughTheWriter) {
  PseudoTerminal pty = CreatePseudoTerminal();
  SerialPort slave = SerialPort::Open(pty.slavePath);
  SerialPort master = SerialPort::Adopt(std::move(pty.master), "master");
  SerialPortWriter writer(slave);
  Session session;
  session.port = &writer;
  session.model.link.mode = kLinkRs485;
  session.model.link.slaveAddress = 5;
  SendCommand(session, "AMI\r\n");
  EXPECT_FALSE(writer.lastError().has_value());
  LineReader reader(master);
  EXPECT_EQ(reader.ReadLine(kArrival), "05AMI\r\n");
}

TEST(SerialPort, WriteThatCannotFinishTimesOut) {
  // Nobody reads the master: the pseudo-terminal's queue fills up.
  PseudoTerminal pty = CreatePseudoTerminal();
  SerialPort slave = SerialPort::Open(pty.slavePath);
  const std::string block(1 << 16, 'x');
  try {
    for (int i = 0; i < 64; ++i) slave.WriteAll(block, milliseconds(50));
    ADD_FAILURE() << "4 MB went into an unread pseudo-terminal";
  } catch (const SerialError& e) {
    EXPECT_EQ(e.kind(), SerialErrorKind::kTimeout);
    EXPECT_NE(std::string(e.what()).find("write timed out"), std::string::npos);
  }
}

}  // namespace
}  // namespace korvex7::posix

namespace korvex7::posix {
namespace {

TEST(SerialPort, OpenDiscardsInputThatCameBefore) {
  PseudoTerminal pty = CreatePseudoTerminal();
  SerialPort master = SerialPort::Adopt(std::move(pty.master), "master");
  {
    SerialPort first = SerialPort::Open(pty.slavePath);
    master.WriteAll("GO\r\n");  // an answer nobody read
    pollfd p{first.fd(), POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 2000), 1) << "the answer did not arrive";
  }
  // The held slave end keeps the stale answer queued until the next open.
  SerialPort second = SerialPort::Open(pty.slavePath);
  master.WriteAll("AMI\r\n");
  LineReader reader(second);
  EXPECT_EQ(reader.ReadLine(std::chrono::milliseconds(2000)), "AMI\r\n");
}

}  // namespace
}  // namespace korvex7::posix
