// The program's port names and open steps, and the waits of the receive thread.
#include "win/serial/serial_port.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "win/serial/receive_thread.h"

namespace korvex7::win {
namespace {

TEST(SerialPortTest, PortNames) {
  const std::pair<int, const wchar_t*> rows[] = {
      {0, L"COM1"}, {1, L"COM2"}, {2, L"COM3"},  {3, L"COM4"},   {4, L"COM5"},
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
