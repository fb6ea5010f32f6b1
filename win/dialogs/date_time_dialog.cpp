#include "win/dialogs/date_time_dialog.h"

#include <array>
#include <string>

#include "core/commands/date_time_commands.h"
#include "core/ui/date_time_dialog_logic.h"
#include "win/dialogs/form_dialog.h"
#include "win/resources/resource.h"
#include "win/support/text.h"

namespace korvex7::win {

namespace {

constexpr wchar_t kCaption[] = L"日付・時刻の設定  ";

using ClockSender = bool (*)(Session&, std::int32_t);

// The encoders of the six clock lists, year first.
constexpr std::array<ClockSender, kClockLists> kClockSenders = {
    SendDateYear, SendDateMonth, SendDateDay, SendTimeHour, SendTimeMinute, SendTimeSecond,
};

const std::array<BoundListRow, 2> kLists = {{
    {.listId = IDC_DATE_TIME_RANGE,
     .setId = IDC_DATE_TIME_RANGE_SET,
     .items = kDisplayRangeItems,
     .field = [](SettingsModel& m) -> std::int32_t& { return m.dateTime.displayRange; },
     .send = SendDateTimeDisplayRange},
    {.listId = IDC_DATE_TIME_DISPLAY,
     .setId = IDC_DATE_TIME_DISPLAY_SET,
     .items = kOffOnItems,
     .field = [](SettingsModel& m) -> std::int32_t& { return m.dateTime.display; },
     .send = SendDateTimeDisplay},
}};

void InitClockLists(HWND dialog, NoState&) {
  for (int list = 0; list < kClockLists; ++list) {
    HWND box = GetDlgItem(dialog, IDC_DATE_TIME_CLOCK + list);
    for (const std::string& item : ClockListItems(list)) {
      const std::wstring text = Utf8ToWide(item);
      SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
  }

  // The computer's clock, read once: the lists keep it until changed.
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const std::array<int, kClockLists> selected = ClockSelections(
      LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond});
  for (int list = 0; list < kClockLists; ++list) {
    SendDlgItemMessageW(dialog, IDC_DATE_TIME_CLOCK + list, CB_SETCURSEL,
                        static_cast<WPARAM>(selected[static_cast<std::size_t>(list)]), 0);
  }
}

// A clock list (nothing to store) or its "設定", which sends the list's
// current position (-1 without a selection, refused by the encoder).
bool OnClockCommand(HWND dialog, WPARAM wParam) {
  const int id = LOWORD(wParam);
  if (id >= IDC_DATE_TIME_CLOCK && id < IDC_DATE_TIME_CLOCK + kClockLists) return true;
  if (id < IDC_DATE_TIME_CLOCK_SET || id >= IDC_DATE_TIME_CLOCK_SET + kClockLists) return false;
  const int list = id - IDC_DATE_TIME_CLOCK_SET;
  const int position = ListSelection(dialog, IDC_DATE_TIME_CLOCK + list);
  const ClockSender send = kClockSenders[static_cast<std::size_t>(list)];
  PressSetButton(dialog, [send, position](Session& s) { send(s, position); });
  return true;
}

bool OnOwnCommand(HWND dialog, NoState&, WPARAM wParam) {
  if (OnClockCommand(dialog, wParam)) return true;
  if (LOWORD(wParam) != IDC_DATE_TIME_ADJUST_30S) return false;
  PressSetButton(dialog, SendTimeAdjust30s);
  return true;
}

const FormDialog<> kForm = {
    .resource = IDD_DATE_TIME,
    .caption = kCaption,
    .lists = kLists,
    .slaveListId = IDC_DATE_TIME_SLAVE,
    .closeId = IDC_DATE_TIME_CLOSE,
    .init = InitClockLists,
    .command = OnOwnCommand,
};

}  // namespace

void RunDateTimeDialog(const DialogContext& context) { RunFormDialog(context, kForm); }

}  // namespace korvex7::win
