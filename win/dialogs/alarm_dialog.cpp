#include "win/dialogs/alarm_dialog.h"

#include <array>
#include <string>

#include "core/commands/alarm_commands.h"
#include "core/ui/alarm_dialog_logic.h"
#include "win/dialogs/form_dialog.h"
#include "win/resources/resource.h"
#include "win/support/text.h"

namespace korvex7::win {

namespace {

constexpr wchar_t kCaption[] = L"アラームの設定  ";

const std::array<BoundListRow, 4> kLists = {{
    {IDC_ALARM_MODE, IDC_ALARM_MODE_SET, kAlarmModeItems,
     [](SettingsModel& m) -> std::int32_t& { return m.alarm.mode; }, SendAlarmMode},
    {IDC_ALARM_POLARITY, IDC_ALARM_POLARITY_SET, kAlarmPolarityItems,
     [](SettingsModel& m) -> std::int32_t& { return m.alarm.inputPolarity; },
     SendAlarmInputPolarity},
    {IDC_ALARM_DISPLAY, IDC_ALARM_DISPLAY_SET, kOffOnItems,
     [](SettingsModel& m) -> std::int32_t& { return m.alarm.display; }, SendAlarmDisplay},
    {IDC_ALARM_RETURN, IDC_ALARM_RETURN_SET, kOffOnItems,
     [](SettingsModel& m) -> std::int32_t& { return m.alarm.returnOn; }, SendAlarmReturn},
}};

// The edit box's text in code page 932, as the model keeps it.
std::string HoldTimeBoxText(HWND dialog) {
  wchar_t text[kHoldTimeEditLimit + 2] = {};
  const int n = GetDlgItemTextW(dialog, IDC_ALARM_HOLD_TIME, text, kHoldTimeEditLimit + 1);
  if (n <= 0) return {};
  char bytes[(kHoldTimeEditLimit + 1) * 2] = {};
  const int m =
      WideCharToMultiByte(kCodePageShiftJis, 0, text, n, bytes, sizeof(bytes), nullptr, nullptr);
  return m > 0 ? std::string(bytes, static_cast<std::size_t>(m)) : std::string();
}

void EnableHoldTimeSet(HWND dialog, bool enabled) {
  EnableWindow(GetDlgItem(dialog, IDC_ALARM_HOLD_TIME_SET), enabled ? TRUE : FALSE);
}

void OnHoldTimeChanged(HWND dialog) {
  SettingsModel& model = DialogSessionOf(dialog).model;
  EnableHoldTimeSet(dialog, StoreHoldTimeText(model, HoldTimeBoxText(dialog)));
  MarkEditModified(dialog);
}

void InitHoldTime(HWND dialog) {
  SettingsModel& model = DialogSessionOf(dialog).model;
  SendDlgItemMessageW(dialog, IDC_ALARM_HOLD_TIME, EM_SETLIMITTEXT, kHoldTimeEditLimit, 0);
  EnableHoldTimeSet(dialog, HoldTimeSetEnabled(TextView(model.alarm.holdTimeText)));
  // Runs the change handling above, which does not count as an edit here.
  SetDlgItemTextW(dialog, IDC_ALARM_HOLD_TIME,
                  Cp932ToWide(TextView(model.alarm.holdTimeText)).c_str());
}

bool OnHoldTimeCommand(HWND dialog, WPARAM wParam) {
  if (LOWORD(wParam) == IDC_ALARM_HOLD_TIME) {
    if (HIWORD(wParam) == EN_CHANGE) OnHoldTimeChanged(dialog);
    return true;
  }
  if (LOWORD(wParam) == IDC_ALARM_HOLD_TIME_SET) {
    PressSetButton(dialog, SendAlarmHoldTime);
    return true;
  }
  return false;
}

const FormDialog kForm = {IDD_ALARM,       kCaption,     kLists,           IDC_ALARM_SLAVE,
                          IDC_ALARM_CLOSE, InitHoldTime, OnHoldTimeCommand};

}  // namespace

void RunAlarmDialog(const DialogContext& context) { RunFormDialog(context, kForm); }

}  // namespace korvex7::win
