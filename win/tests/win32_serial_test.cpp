// The unit's line on Win32 as the program and korvex7ctl.exe set it up: the
// device path, the DCB fields, the time-outs, the set-up steps, and the
// tool's port with its errors.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

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

// The fields the program sets, from two very different driver states; every
// other field keeps the driver's value.
TEST(SerialLineTest, LineSettingsChangeOnlyTheirFields) {
  for (const int fill : {0x00, 0xFF}) {
    SCOPED_TRACE(static_cast<int>(fill));
    DCB dcb;
    std::memset(&dcb, fill, sizeof(dcb));
    DCB before = dcb;
    ApplyLineSettings(dcb);

    EXPECT_EQ(dcb.BaudRate, static_cast<DWORD>(CBR_9600));
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.Parity, EVENPARITY);
    EXPECT_EQ(dcb.fParity, 0u);
    EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
    EXPECT_EQ(dcb.fBinary, 1u);
    EXPECT_EQ(dcb.fOutxCtsFlow, 1u);
    EXPECT_EQ(dcb.fDtrControl, static_cast<DWORD>(DTR_CONTROL_HANDSHAKE));
    EXPECT_EQ(dcb.fRtsControl, static_cast<DWORD>(RTS_CONTROL_HANDSHAKE));
    EXPECT_EQ(dcb.fOutX, 1u);
    EXPECT_EQ(dcb.fInX, 1u);
    EXPECT_EQ(dcb.XonLim, 256);
    EXPECT_EQ(dcb.XoffLim, 256);
    EXPECT_EQ(dcb.XonChar, 0x11);
    EXPECT_EQ(dcb.XoffChar, 0x13);

    EXPECT_EQ(dcb.DCBlength, before.DCBlength);
    EXPECT_EQ(dcb.fOutxDsrFlow, before.fOutxDsrFlow);
    EXPECT_EQ(dcb.fDsrSensitivity, before.fDsrSensitivity);
    EXPECT_EQ(dcb.fTXContinueOnXoff, before.fTXContinueOnXoff);
    EXPECT_EQ(dcb.fErrorChar, before.fErrorChar);
    EXPECT_EQ(dcb.fNull, before.fNull);
    EXPECT_EQ(dcb.fAbortOnError, before.fAbortOnError);
    EXPECT_EQ(dcb.ErrorChar, before.ErrorChar);
    EXPECT_EQ(dcb.EofChar, before.EofChar);
    EXPECT_EQ(dcb.EvtChar, before.EvtChar);
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
  const std::vector<LineSetupFailure> failed = SetUpUnitLine(INVALID_HANDLE_VALUE);
  ASSERT_EQ(failed.size(), 4u);
  const LineSetupStep order[] = {LineSetupStep::kEventMask, LineSetupStep::kQueues,
                                 LineSetupStep::kTimeouts, LineSetupStep::kLineSettings};
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
  EXPECT_EQ(OsErrorText(0x2FFFFFFF), "system error (805306367)");
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
    }
  }
  // The failed open let go of the file.
  EXPECT_TRUE(DeleteFileW(file.c_str()));
}

}  // namespace
}  // namespace korvex7::win32
