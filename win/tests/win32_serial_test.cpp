// The unit's line on Win32 as the program and korvex7ctl.exe set it up: the
// device path, the DCB fields, the time-outs, the set-up steps; the one
// serial port with its errors, its waits and its bounded ends of requests;
// the list of the computer's ports.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "platform/win32/overlapped_io.h"
#include "platform/win32/serial_line.h"
#include "platform/win32/serial_port.h"
#include "platform/win32/text.h"
#include "win/tests/temp_folder.h"

namespace korvex7::win32 {
namespace {

using win::testing_support::TempFolder;

TEST(SerialLineTest, ComPortsOpenByTheirDevicePath) {
  const std::pair<const wchar_t*, const wchar_t*> rows[] = {
      {L"COM1", L"\\\\.\\COM1"},
      {L"com12", L"\\\\.\\COM12"},
      {L"Com256", L"\\\\.\\COM256"},
      {L"COM", L"COM"},
      {L"COM1x", L"COM1x"},
      {L"COMX", L"COMX"},
      {L"\\\\.\\COM3", L"\\\\.\\COM3"},
      {L"C:\\dev\\line", L"C:\\dev\\line"},
  };
  for (const auto& [name, path] : rows) {
    SCOPED_TRACE(WideToUtf8(name));
    EXPECT_EQ(ComDevicePath(name), path);
  }
}

// The fields the program sets, from two very different driver states, with
// and without handshake; every other field keeps the driver's value.
TEST(SerialLineTest, LineSettingsChangeOnlyTheirFields) {
  struct Row {
    bool handshake;
    DWORD flow;  // fOutxCtsFlow, fOutX and fInX
    DWORD dtr;
    DWORD rts;
  };
  const Row rows[] = {
      {true, 1, DTR_CONTROL_HANDSHAKE, RTS_CONTROL_HANDSHAKE},
      {false, 0, DTR_CONTROL_ENABLE, RTS_CONTROL_ENABLE},
  };
  for (const Row& row : rows) {
    for (const int fill : {0x00, 0xFF}) {
      SCOPED_TRACE(std::string(row.handshake ? "handshake" : "none") + ", driver bytes " +
                   std::to_string(fill));
      DCB dcb;
      std::memset(&dcb, fill, sizeof(dcb));
      DCB before = dcb;
      LineOptions options;
      options.handshake = row.handshake;
      ApplyLineSettings(dcb, options);

      EXPECT_EQ(dcb.BaudRate, static_cast<DWORD>(CBR_9600));
      EXPECT_EQ(dcb.ByteSize, 8);
      EXPECT_EQ(dcb.Parity, EVENPARITY);
      EXPECT_EQ(dcb.fParity, 0u);
      EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
      EXPECT_EQ(dcb.fBinary, 1u);
      EXPECT_EQ(dcb.fOutxCtsFlow, row.flow);
      EXPECT_EQ(dcb.fDtrControl, row.dtr);
      EXPECT_EQ(dcb.fRtsControl, row.rts);
      EXPECT_EQ(dcb.fOutX, row.flow);
      EXPECT_EQ(dcb.fInX, row.flow);
      EXPECT_EQ(dcb.XonLim, 256);
      EXPECT_EQ(dcb.XoffLim, 256);
      EXPECT_EQ(dcb.XonChar, 0x11);
      EXPECT_EQ(dcb.XoffChar, 0x13);
      // Whatever another program left: nothing that stops or alters the line.
      EXPECT_EQ(dcb.fDsrSensitivity, 0u);
      EXPECT_EQ(dcb.fOutxDsrFlow, 0u);
      EXPECT_EQ(dcb.fAbortOnError, 0u);
      EXPECT_EQ(dcb.fErrorChar, 0u);
      EXPECT_EQ(dcb.fNull, 0u);

      EXPECT_EQ(dcb.DCBlength, before.DCBlength);
      EXPECT_EQ(dcb.fTXContinueOnXoff, before.fTXContinueOnXoff);
      EXPECT_EQ(dcb.ErrorChar, before.ErrorChar);
      EXPECT_EQ(dcb.EofChar, before.EofChar);
      EXPECT_EQ(dcb.EvtChar, before.EvtChar);
    }
  }
}

TEST(SerialLineTest, TimeoutsReturnReadsAtOnceAndBoundWrites) {
  const COMMTIMEOUTS t = PortTimeouts();
  EXPECT_EQ(t.ReadIntervalTimeout, std::numeric_limits<DWORD>::max());
  EXPECT_EQ(t.ReadTotalTimeoutMultiplier, 0u);
  EXPECT_EQ(t.ReadTotalTimeoutConstant, 0u);
  EXPECT_EQ(t.WriteTotalTimeoutMultiplier, 0u);
  EXPECT_EQ(t.WriteTotalTimeoutConstant, 1000u);
}

// Every step runs on a handle that is no port, failing in turn, in the
// order the program reports them.
TEST(SerialLineTest, SetUpRunsEveryStepInOrder) {
  const std::vector<OpenStepFailure> failed = SetUpUnitLine(INVALID_HANDLE_VALUE);
  ASSERT_EQ(failed.size(), 4u);
  const OpenStep order[] = {OpenStep::kEventMask, OpenStep::kQueues, OpenStep::kTimeouts,
                            OpenStep::kLineSettings};
  for (std::size_t i = 0; i < failed.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(failed[i].step, order[i]);
    EXPECT_NE(failed[i].error, 0u);
  }
}

TEST(OsErrorTextTest, WordsAndCode) {
  const std::string missing = OsErrorText(ERROR_FILE_NOT_FOUND);
  EXPECT_GT(missing.size(), std::string(" (2)").size());
  EXPECT_EQ(missing.substr(missing.size() - 4), " (2)");
  EXPECT_EQ(missing.find_first_of("\r\n"), std::string::npos);
  EXPECT_EQ(missing, OsErrorWords(ERROR_FILE_NOT_FOUND) + " (2)");
  EXPECT_EQ(OsErrorText(0x2FFFFFFF), "system error (805306367)");
  EXPECT_EQ(OsErrorWords(0x2FFFFFFF), "system error");
}

// The tool's port names the port and says why it could not be opened.
TEST(Win32SerialPortTest, OpenFailuresNameThePort) {
  TempFolder dir;
  const std::wstring file = dir / L"not-a-port.txt";
  HANDLE f = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  CloseHandle(f);
  struct Row {
    std::string name;
    SerialErrorKind kind;
    std::string words;
  };
  const Row rows[] = {
      {"COM200", SerialErrorKind::kNotFound, ": cannot open the port: "},
      {WideToUtf8(dir / L"missing\\line"), SerialErrorKind::kNotFound, ": cannot open the port: "},
      // A file opens, but takes no line settings.
      {WideToUtf8(file), SerialErrorKind::kConfigure, ": cannot watch for received characters: "},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    try {
      (void)SerialPort::Open(row.name);
      ADD_FAILURE() << "opened";
    } catch (const SerialError& e) {
      EXPECT_EQ(e.kind(), row.kind);
      EXPECT_EQ(e.device(), row.name);
      EXPECT_EQ(std::string(e.what()).rfind(row.name + row.words, 0), 0u) << e.what();
      EXPECT_NE(e.osError(), 0);
      EXPECT_EQ(e.osText(), OsErrorWords(static_cast<DWORD>(e.osError())));
    }
  }
  // The failed open let go of the file.
  EXPECT_TRUE(DeleteFileW(file.c_str()));
}

// The program's open of a port that is not there: every step runs and
// fails, in the order the program shows them; nothing is left open.
TEST(Win32SerialPortTest, EveryStepOfAnAbsentPortFails) {
  SerialPort port;
  const std::vector<OpenStepFailure> failed = port.OpenEveryStep("COM200");
  ASSERT_EQ(failed.size(), 5u);
  const OpenStep order[] = {OpenStep::kOpen, OpenStep::kEventMask, OpenStep::kQueues,
                            OpenStep::kTimeouts, OpenStep::kLineSettings};
  for (std::size_t i = 0; i < failed.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(failed[i].step, order[i]);
    EXPECT_NE(failed[i].error, 0u);
  }
  EXPECT_FALSE(port.isOpen());
  EXPECT_FALSE(port.Answers());
  EXPECT_EQ(port.name(), "COM200");
  EXPECT_EQ(port.openNumber(), 1u);
  EXPECT_EQ(port.OpenEveryStep("COM201").size(), 5u);
  EXPECT_EQ(port.openNumber(), 2u);
}

// A port that is not open reads nothing, takes writes quietly (the
// program's Write) or refuses them (the tool's), and closes twice.
TEST(Win32SerialPortTest, ClosedPort) {
  SerialPort port;
  char buffer[16];
  EXPECT_EQ(port.ReadSome(buffer, sizeof(buffer), 0).status, PortRead::Status::kClosed);
  port.Write("AGCNNNNNNNNNNNNNNNN\r\n");
  EXPECT_THROW(port.WriteAll("AMI\r\n"), SerialError);
  EXPECT_THROW((void)port.Read(buffer, sizeof(buffer), std::chrono::milliseconds(0)), SerialError);
  port.Close();
  port.Close();
  EXPECT_FALSE(port.isOpen());
}

// The pause after the n-th failed wait in a row: it grows and stays bounded,
// shorter for a merely aborted wait than for a real failure.
TEST(Win32SerialPortTest, FailedWaitBackoff) {
  struct Row {
    int failures;
    DWORD error;
    DWORD ms;
  };
  const Row rows[] = {
      {0, ERROR_OPERATION_ABORTED, 1},      {1, ERROR_OPERATION_ABORTED, 1},
      {2, ERROR_OPERATION_ABORTED, 2},      {5, ERROR_OPERATION_ABORTED, 16},
      {6, ERROR_OPERATION_ABORTED, 32},     {7, ERROR_OPERATION_ABORTED, 50},
      {1000, ERROR_OPERATION_ABORTED, 50},  {1, ERROR_INVALID_HANDLE, 1},
      {7, ERROR_INVALID_HANDLE, 64},        {8, ERROR_INVALID_HANDLE, 100},
      {1000000, ERROR_INVALID_HANDLE, 100},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.failures) + " failures, error " + std::to_string(row.error));
    EXPECT_EQ(FailedWaitBackoffMs(row.failures, row.error), row.ms);
  }
}

// Both ends of a pipe for overlapped requests that end only when the test
// lets them.
struct PipePair {
  UniqueHandle reader;
  UniqueHandle writer;
  PipePair() {
    static int count = 0;
    const std::wstring name = L"\\\\.\\pipe\\korvex7-test-" +
                              std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++count);
    reader.reset(CreateNamedPipeW(name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED,
                                  PIPE_TYPE_BYTE | PIPE_WAIT, 1, 64, 64, 0, nullptr));
    writer.reset(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  }
};

// A driver that ends a request when asked: the record is free at once.
TEST(OverlappedIoTest, AnEndedRequestFreesItsRecord) {
  PipePair pipe;
  ASSERT_TRUE(pipe.reader.valid() && pipe.writer.valid());
  auto record = std::make_unique<IoRecord>();
  record->bytes.resize(8);
  const IoRecord* first = record.get();
  ASSERT_FALSE(ReadFile(pipe.reader.get(), record->bytes.data(), 8, nullptr, record->Begin()));
  ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_IO_PENDING));
  const unsigned abandoned = AbandonedIoRecords();
  EXPECT_TRUE(EndPendingRequest(pipe.reader.get(), record, 2000));
  EXPECT_EQ(record.get(), first);
  EXPECT_EQ(AbandonedIoRecords(), abandoned);
}

// A driver that does not end a request when asked (as some serial drivers
// keep a WaitCommEvent when the mask changes): the wait ends after its
// limit, the record stays with the request and a new one takes its place;
// when the request completes at last, it completes into the old record,
// which is still there.
TEST(OverlappedIoTest, ARequestTheDriverKeepsKeepsItsRecord) {
  PipePair pipe;
  ASSERT_TRUE(pipe.reader.valid() && pipe.writer.valid());
  auto record = std::make_unique<IoRecord>();
  record->bytes.assign(8, '.');
  IoRecord* kept = record.get();
  ASSERT_FALSE(ReadFile(pipe.reader.get(), record->bytes.data(), 8, nullptr, record->Begin()));
  ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_IO_PENDING));
  const unsigned abandoned = AbandonedIoRecords();
  bool asked = false;
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(EndPendingRequest(pipe.reader.get(), record, 200, [&asked] { asked = true; }));
  EXPECT_TRUE(asked);
  EXPECT_GE(GetTickCount64() - start, 150u);
  EXPECT_NE(record.get(), kept);
  EXPECT_TRUE(record->ready());
  EXPECT_EQ(AbandonedIoRecords(), abandoned + 1);

  DWORD written = 0;
  ASSERT_TRUE(WriteFile(pipe.writer.get(), "late", 4, &written, nullptr));
  ASSERT_EQ(WaitForSingleObject(kept->event.get(), 5000), WAIT_OBJECT_0);
  DWORD got = 0;
  EXPECT_TRUE(GetOverlappedResult(pipe.reader.get(), &kept->overlapped, &got, FALSE));
  EXPECT_EQ(std::string(kept->bytes.data(), got), "late");
  delete kept;  // only the test knows the request has ended
}

// The list of ports: COM ports by number, each once; the test prefix maps
// COM1..COM6.
TEST(PortListTest, ComPortsInNumberOrderEachOnce) {
  const std::vector<SerialPortInfo> ports = ListSerialPorts();
  int last = 0;
  for (const SerialPortInfo& port : ports) {
    SCOPED_TRACE(port.name);
    if (port.name.rfind("COM", 0) != 0) continue;
    const int n = std::stoi(port.name.substr(3));
    EXPECT_GT(n, last);
    last = n;
    EXPECT_EQ(port.name, "COM" + std::to_string(n));
  }
}

}  // namespace
}  // namespace korvex7::win32
