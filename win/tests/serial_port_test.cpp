// The program's port: its messages, the list of ports it offers, what it
// does when the port goes away and comes back, Windows' device notices, and
// the receive thread's hand-over of lines and failures.
#include <windows.h>
#include <dbt.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <cwchar>
#include <deque>
#include <string>
#include <vector>

#include "platform/win32/serial_port.h"
#include "win/serial/port_choices.h"
#include "win/serial/port_messages.h"
#include "win/serial/port_watch.h"
#include "win/serial/receive_thread.h"
#include "win/shell/port_status.h"

namespace korvex7::win {
namespace {

TEST(PortMessagesTest, OpenStepMessagesInOrder) {
  const std::pair<win32::OpenStep, const wchar_t*> rows[] = {
      {win32::OpenStep::kOpen, L"Miss! File Open"},
      {win32::OpenStep::kEventMask, L"Miss! Mask Set"},
      {win32::OpenStep::kQueues, L"Miss! Buffer Set"},
      {win32::OpenStep::kTimeouts, L"Miss! Time Out Set"},
      {win32::OpenStep::kLineSettings, L"Miss! Set Comm State"},
  };
  for (const auto& [step, text] : rows) {
    SCOPED_TRACE(static_cast<int>(step));
    EXPECT_EQ(OpenStepMessage(step), text);
  }
}

std::vector<std::wstring> Labels(const std::vector<PortChoice>& choices) {
  std::vector<std::wstring> labels;
  for (const PortChoice& c : choices) labels.push_back(c.name + L"=" + c.label);
  return labels;
}

TEST(PortChoicesTest, Com1ToCom6FirstThenEveryPortByNumber) {
  struct Row {
    const char* name;
    std::vector<platform::SerialPortInfo> present;
    const wchar_t* current;
    std::vector<std::wstring> listed;
  };
  const std::vector<std::wstring> firstSix = {L"COM1=COM1", L"COM2=COM2", L"COM3=COM3",
                                              L"COM4=COM4", L"COM5=COM5", L"COM6=COM6"};
  const auto with = [&firstSix](std::vector<std::wstring> rest) {
    std::vector<std::wstring> all = firstSix;
    all.insert(all.end(), rest.begin(), rest.end());
    return all;
  };
  std::vector<std::wstring> described = firstSix;
  described[0] = L"COM1=COM1 (通信ポート)";
  described[2] = L"COM3=COM3 (USB Serial Port)";
  const Row rows[] = {
      {"no ports at all", {}, L"COM1", firstSix},
      {"the first six only", {{"COM2", ""}, {"COM5", ""}}, L"COM2", firstSix},
      {"ports after COM6 by number, not by text",
       {{"COM12", ""}, {"COM7", "USB Serial Port"}, {"COM100", ""}, {"COM9", ""}},
       L"COM1",
       with({L"COM7=COM7 (USB Serial Port)", L"COM9=COM9", L"COM12=COM12", L"COM100=COM100"})},
      {"the device's own name on the first six",
       {{"COM1", "通信ポート"}, {"COM3", "USB Serial Port"}},
       L"COM1",
       described},
      {"the port in use, unplugged, is kept",
       {{"COM7", ""}},
       L"COM15",
       with({L"COM7=COM7", L"COM15=COM15"})},
      {"names listed twice once",
       {{"COM8", "A"}, {"com8", "B"}},
       L"COM1",
       with({L"COM8=COM8 (A)"})},
      {"other names after the COM ports",
       {{"CNCA0", ""}, {"COM10", ""}},
       L"COM1",
       with({L"COM10=COM10", L"CNCA0=CNCA0"})},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Labels(BuildPortChoices(row.present, row.current)), row.listed);
  }
}

TEST(PortChoicesTest, FindsAChoiceInAnyCase) {
  const std::vector<PortChoice> choices = BuildPortChoices({{"COM12", ""}}, L"COM1");
  EXPECT_EQ(FindPortChoice(choices, L"COM1"), 0);
  EXPECT_EQ(FindPortChoice(choices, L"com6"), 5);
  EXPECT_EQ(FindPortChoice(choices, L"Com12"), 6);
  EXPECT_EQ(FindPortChoice(choices, L"COM13"), -1);
  EXPECT_EQ(FindPortChoice(choices, L""), -1);
}

// Each event from each state: what the program does and shows.
TEST(PortWatchTest, Decisions) {
  enum class Event {
    kOperatorOpenUsable,
    kOperatorOpenUnusable,
    kFailure,
    kCleanAttempt,
    kFailedAttempt
  };
  struct Row {
    const char* name;
    std::vector<Event> before;  // brings the watch to its state
    Event event;
    PortDecision decision;
    PortState after;
  };
  using E = Event;
  using N = PortNotice;
  const Row rows[] = {
      {"start-up, port there",
       {},
       E::kOperatorOpenUsable,
       {false, false, N::kReady},
       PortState::kOpen},
      {"start-up, port absent",
       {},
       E::kOperatorOpenUnusable,
       {true, true, N::kAbsent},
       PortState::kAbsent},
      {"open port fails",
       {E::kOperatorOpenUsable},
       E::kFailure,
       {true, true, N::kLost},
       PortState::kLost},
      {"lost port fails again: nothing new",
       {E::kOperatorOpenUsable, E::kFailure},
       E::kFailure,
       {false, true, N::kNone},
       PortState::kLost},
      {"lost port, attempt fails: closed, quietly",
       {E::kOperatorOpenUsable, E::kFailure},
       E::kFailedAttempt,
       {true, true, N::kNone},
       PortState::kLost},
      {"lost port back",
       {E::kOperatorOpenUsable, E::kFailure},
       E::kCleanAttempt,
       {false, false, N::kBack},
       PortState::kOpen},
      {"absent port comes",
       {E::kOperatorOpenUnusable},
       E::kCleanAttempt,
       {false, false, N::kBack},
       PortState::kOpen},
      {"absent port, \"OK\" opens it",
       {E::kOperatorOpenUnusable},
       E::kOperatorOpenUsable,
       {false, false, N::kReady},
       PortState::kOpen},
      {"lost port, \"OK\" on an absent one",
       {E::kOperatorOpenUsable, E::kFailure},
       E::kOperatorOpenUnusable,
       {true, true, N::kAbsent},
       PortState::kAbsent},
      {"absent port reported failing: no notice",
       {E::kOperatorOpenUnusable},
       E::kFailure,
       {false, true, N::kNone},
       PortState::kAbsent},
      {"attempt on an open port changes nothing",
       {E::kOperatorOpenUsable},
       E::kFailedAttempt,
       {false, false, N::kNone},
       PortState::kOpen},
  };
  const auto apply = [](PortWatch& watch, Event event) {
    switch (event) {
      case Event::kOperatorOpenUsable:
        return watch.AfterOperatorOpen(true);
      case Event::kOperatorOpenUnusable:
        return watch.AfterOperatorOpen(false);
      case Event::kFailure:
        return watch.AfterFailure();
      case Event::kCleanAttempt:
        return watch.AfterAttempt(true);
      case Event::kFailedAttempt:
        break;
    }
    return watch.AfterAttempt(false);
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PortWatch watch;
    for (const Event e : row.before) apply(watch, e);
    EXPECT_EQ(apply(watch, row.event), row.decision);
    EXPECT_EQ(watch.state(), row.after);
    EXPECT_EQ(watch.WantsAttempt(), row.after != PortState::kOpen);
  }
}

TEST(PortWatchTest, StatusTexts) {
  EXPECT_EQ(PortNoticeText(PortNotice::kAbsent, L"COM7"), L"COM7 を開けません。接続を待っています");
  EXPECT_EQ(PortNoticeText(PortNotice::kLost, L"COM12"),
            L"COM12 との接続が切れました。再接続を待っています");
  EXPECT_EQ(PortNoticeText(PortNotice::kBack, L"COM3"), L"COM3 に再接続しました");
  EXPECT_EQ(PortNoticeText(PortNotice::kNone, L"COM3"), L"");
  EXPECT_EQ(PortNoticeText(PortNotice::kReady, L"COM3"), L"");
  EXPECT_EQ(IdleStatusText(PortState::kOpen, L"COM3"), L"");
  EXPECT_EQ(IdleStatusText(PortState::kLost, L"COM3"), PortNoticeText(PortNotice::kLost, L"COM3"));
  EXPECT_EQ(IdleStatusText(PortState::kAbsent, L"COM3"),
            PortNoticeText(PortNotice::kAbsent, L"COM3"));
}

// The data of a WM_DEVICECHANGE as Windows sends it for a port: the record
// with the port's name after it.
struct PortBroadcast {
  alignas(DEV_BROADCAST_PORT_W) unsigned char bytes[sizeof(DEV_BROADCAST_PORT_W) + 32] = {};

  PortBroadcast(const wchar_t* name, DWORD deviceType = DBT_DEVTYP_PORT) {
    DEV_BROADCAST_HDR header{};
    header.dbch_size = static_cast<DWORD>(sizeof(bytes));
    header.dbch_devicetype = deviceType;
    std::memcpy(bytes, &header, sizeof(header));
    std::memcpy(bytes + offsetof(DEV_BROADCAST_PORT_W, dbcp_name), name,
                (wcslen(name) + 1) * sizeof(wchar_t));
  }
  void SetSize(DWORD size) { std::memcpy(bytes, &size, sizeof(size)); }
  const DEV_BROADCAST_HDR* data() const {
    return reinterpret_cast<const DEV_BROADCAST_HDR*>(bytes);
  }
};

TEST(PortStatusTest, DeviceNotices) {
  struct Row {
    const char* name;
    WPARAM event;
    const wchar_t* port;  // null: no data
    DWORD deviceType;
    DeviceNotice notice;
  };
  const Row rows[] = {
      {"our port arrives", DBT_DEVICEARRIVAL, L"COM7", DBT_DEVTYP_PORT, DeviceNotice::kArrived},
      {"our port, other case", DBT_DEVICEARRIVAL, L"com7", DBT_DEVTYP_PORT, DeviceNotice::kArrived},
      {"our port is removed", DBT_DEVICEREMOVECOMPLETE, L"COM7", DBT_DEVTYP_PORT,
       DeviceNotice::kRemoved},
      {"another port", DBT_DEVICEREMOVECOMPLETE, L"COM17", DBT_DEVTYP_PORT, DeviceNotice::kNone},
      {"a volume", DBT_DEVICEARRIVAL, L"COM7", DBT_DEVTYP_VOLUME, DeviceNotice::kNone},
      {"removal asked, not done", DBT_DEVICEQUERYREMOVE, L"COM7", DBT_DEVTYP_PORT,
       DeviceNotice::kNone},
      {"no data", DBT_DEVICEARRIVAL, nullptr, 0, DeviceNotice::kNone},
      {"devices changed", DBT_DEVNODES_CHANGED, nullptr, 0, DeviceNotice::kChanged},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.port == nullptr) {
      EXPECT_EQ(ClassifyDeviceChange(row.event, nullptr, L"COM7"), row.notice);
      continue;
    }
    const PortBroadcast data(row.port, row.deviceType);
    EXPECT_EQ(ClassifyDeviceChange(row.event, data.data(), L"COM7"), row.notice);
  }
  // A record too short to hold a name says nothing.
  PortBroadcast cut(L"COM7");
  cut.SetSize(sizeof(DEV_BROADCAST_HDR));
  EXPECT_EQ(ClassifyDeviceChange(DBT_DEVICEARRIVAL, cut.data(), L"COM7"), DeviceNotice::kNone);
}

// A source that gives what it was given, in order, then nothing.
class ScriptedSource final : public ReceiveSource {
 public:
  void Add(Read::Status status, std::string bytes, std::uint64_t opening) {
    Read r;
    r.status = status;
    r.count = bytes.size();
    r.opening = opening;
    r.error = status == Read::Status::kFailed ? ERROR_NOT_READY : 0;
    script_.push_back({r, std::move(bytes)});
  }
  Read ReadSome(char* buffer, std::size_t capacity, DWORD waitMs, HANDLE stop) override {
    if (script_.empty()) {
      WaitForSingleObject(stop, waitMs);
      return Read{};
    }
    auto [read, bytes] = script_.front();
    script_.pop_front();
    EXPECT_LE(bytes.size(), capacity);
    bytes.copy(buffer, bytes.size());
    return read;
  }

 private:
  std::deque<std::pair<Read, std::string>> script_;
};

// The receive thread posts each complete line and one failure per opening
// of the link, whatever the link is; a half line of an earlier opening is
// dropped.
TEST(ReceiveThreadTest, HandsOverLinesAndFailures) {
  using S = ReceiveSource::Read::Status;
  ScriptedSource source;
  source.Add(S::kBytes, "GO\r\nAM", 1);
  source.Add(S::kBytes, "I\r\n", 1);
  source.Add(S::kBytes, "VL", 1);  // cut off by the failure below
  source.Add(S::kFailed, "", 1);
  source.Add(S::kFailed, "", 1);  // the same opening: reported once
  source.Add(S::kNoLink, "", 1);
  source.Add(S::kBytes, "E3\r\n", 2);
  source.Add(S::kFailed, "", 2);

  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  ReceiveThread thread(source, window);
  ASSERT_TRUE(thread.Start());

  std::vector<std::string> seen;
  const ULONGLONG deadline = GetTickCount64() + 10000;
  while (seen.size() < 5 && GetTickCount64() < deadline) {
    MSG msg;
    if (!PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_POSTMESSAGE);
      continue;
    }
    if (msg.message == kLineReceivedMessage) {
      seen.push_back("line " + TakePostedLine(msg.lParam)->text);
    } else if (msg.message == kLinkFailedMessage) {
      seen.push_back("failed " + std::to_string(msg.wParam) + " " + std::to_string(msg.lParam));
    }
  }
  EXPECT_TRUE(thread.Stop());
  DiscardPostedLines(window);
  DestroyWindow(window);
  const std::vector<std::string> expected = {"line GO\r\n", "line AMI\r\n", "failed 1 21",
                                             "line E3\r\n", "failed 2 21"};
  EXPECT_EQ(seen, expected);
}

// Without a port the thread rests between attempts and ends when asked.
TEST(ReceiveThreadTest, StartsAndStopsWithoutAPort) {
  win32::SerialPort port;
  SerialReceiveSource source(port);
  ReceiveThread thread(source, nullptr);
  ASSERT_TRUE(thread.Start());
  EXPECT_TRUE(thread.Start());  // already running
  EXPECT_TRUE(thread.Stop());
  EXPECT_TRUE(thread.Stop());
}

}  // namespace
}  // namespace korvex7::win
