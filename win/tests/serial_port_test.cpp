// Line settings, time-outs, port names and the waits of the receive thread.
#include "win/serial/serial_port.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "win/serial/receive_thread.h"

namespace korvex7::win {
namespace {

TEST(SerialPortTest, PortNames) {
  const std::pair<int, const wchar_t*> rows[] = {
      {0, L"COM1"}, {1, L"COM2"}, {2, L"COM3"}, {3, L"COM4"}, {4, L"COM5"},
      {5, L"COM6"}, {6, L"COM1"}, {-1, L"COM1"}, {100, L"COM1"},
  };
  for (const auto& [index, name] : rows) {
    SCOPED_TRACE(index);
    EXPECT_EQ(PortName(index), name);
  }
}

TEST(SerialPortTest, OpenStepMessagesInOrder) {
  const std::pair<OpenStep, const wchar_t*> rows[] = {
      {OpenStep::kFileOpen, L"Miss! File Open"},
      {OpenStep::kMaskSet, L"Miss! Mask Set"},
      {OpenStep::kBufferSet, L"Miss! Buffer Set"},
      {OpenStep::kTimeOutSet, L"Miss! Time Out Set"},
      {OpenStep::kSetCommState, L"Miss! Set Comm State"},
  };
  for (const auto& [step, text] : rows) {
    SCOPED_TRACE(static_cast<int>(step));
    EXPECT_EQ(OpenStepMessage(step), text);
  }
}

// The fields the program sets, from two very different driver states; every
// other field keeps the driver's value.
TEST(SerialPortTest, LineSettingsChangeOnlyTheirFields) {
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

TEST(SerialPortTest, TimeoutsReturnReadsAtOnceAndBoundWrites) {
  const COMMTIMEOUTS t = PortTimeouts();
  EXPECT_EQ(t.ReadIntervalTimeout, std::numeric_limits<DWORD>::max());
  EXPECT_EQ(t.ReadTotalTimeoutMultiplier, 0u);
  EXPECT_EQ(t.ReadTotalTimeoutConstant, 0u);
  EXPECT_EQ(t.WriteTotalTimeoutMultiplier, 0u);
  EXPECT_EQ(t.WriteTotalTimeoutConstant, 1000u);
}

TEST(SerialPortTest, ClosedPortLendsNothingAndTakesWritesQuietly) {
  SerialPort port;
  ASSERT_TRUE(port.ready());
  EXPECT_EQ(port.BeginReading(), nullptr);
  port.Write("AGCNNNNNNNNNNNNNNNN\r\n");
  port.Close();
  port.Close();
  EXPECT_EQ(port.BeginReading(), nullptr);
}

// The pause after the n-th failed wait in a row: it grows and stays bounded,
// shorter for a merely aborted wait than for a real failure.
TEST(ReceiveThreadTest, FailedWaitBackoff) {
  struct Row {
    int failures;
    DWORD error;
    DWORD ms;
  };
  const Row rows[] = {
      {0, ERROR_OPERATION_ABORTED, 1},  {1, ERROR_OPERATION_ABORTED, 1},
      {2, ERROR_OPERATION_ABORTED, 2},  {5, ERROR_OPERATION_ABORTED, 16},
      {6, ERROR_OPERATION_ABORTED, 32}, {7, ERROR_OPERATION_ABORTED, 50},
      {1000, ERROR_OPERATION_ABORTED, 50},
      {1, ERROR_INVALID_HANDLE, 1},     {7, ERROR_INVALID_HANDLE, 64},
      {8, ERROR_INVALID_HANDLE, 100},   {1000000, ERROR_INVALID_HANDLE, 100},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.failures) + " failures, error " + std::to_string(row.error));
    EXPECT_EQ(FailedWaitBackoffMs(row.failures, row.error), row.ms);
  }
}

// Without a port the thread rests between attempts and ends when asked.
TEST(ReceiveThreadTest, StartsAndStopsWithoutAPort) {
  SerialPort port;
  ReceiveThread thread(port, nullptr);
  ASSERT_TRUE(thread.Start());
  EXPECT_TRUE(thread.Start());  // already running
  thread.Stop();
  thread.Stop();
}

}  // namespace
}  // namespace korvex7::win
