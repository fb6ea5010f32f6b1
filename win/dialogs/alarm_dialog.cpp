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
    {.listId = IDC_ALARM_MODE,
     .setId = IDC_ALARM_MODE_SET,
     .items = kAlarmModeItems,
     .field = [](SettingsModel& m) -> std::int32_t& { return m.alarm.mode; },
     .send = SendAlarmMode},
    {.listId = IDC_ALARM_POLARITY,
     .setId = IDC_ALARM_POLARITY_SET,
     .items = kAlarmPolarityItems,
     .field = [](SettingsModel& m) -> std::int32_t& { return m.alarm.inputPolarity; },
     .send = SendAlarmInputPolarity},
    {.listId = IDC_ALARM_DISPLAY,
     .setId = IDC_ALARM_DISPLAY_SET,
     .items = kOffOnItems,
     .field = [](SettingsModel& m) -> std::int32_t& { return m.alarm.display; },
     .send = SendAlarmDisplay},
    {.listId = IDC_ALARM_RETURN,
     .setId = IDC_ALARM_RETURN_SET,
     .items = kOffOnItems,
     .field = [](SettingsModel& m) -> std::int32_t& { return m.alarm.returnOn; },
     .send = SendAlarmReturn},
}};

// The edit box's text in code page 932, as the model keeps it.
std::string HoldTimeBoxText(HWND dialog) {
  wchar_t text[kHoldTimeEditLimit + 2] = {};
  const int n = GetDlgItemTextW(dialog, IDC_ALARM_HOLD_TIME, text, kHoldTimeEditLimit + 1);
  if (n <= 0) return {};
  return win32::WideToCodePage(kCodePageShiftJis,
                               std::wstring_view(text, static_cast<std::size_t>(n)));
}

void EnableHoldTimeSet(HWND dialog, bool enabled) {
  EnableWindow(GetDlgItem(dialog, IDC_ALARM_HOLD_TIME_SET), enabled ? TRUE : FALSE);
}

void OnHoldTimeChanged(HWND dialog) {
  SettingsModel& model = DialogSessionOf(dialog).model;
  EnableHoldTimeSet(dialog, StoreHoldTimeText(model, HoldTimeBoxText(dialog)));
  MarkEditModified(dialog);
}

void InitHoldTime(HWND dialog, NoState&) {
  SettingsModel& model = DialogSessionOf(dialog).model;
  SendDlgItemMessageW(dialog, IDC_ALARM_HOLD_TIME, EM_SETLIMITTEXT, kHoldTimeEditLimit, 0);
  EnableHoldTimeSet(dialog, HoldTimeSetEnabled(TextView(model.alarm.holdTimeText)));
  // Runs the change handling above, which does not count as an edit here.
  SetDlgItemTextW(dialog, IDC_ALARM_HOLD_TIME,
                  Cp932ToWide(TextView(model.alarm.holdTimeText)).c_str());
}

bool OnHoldTimeCommand(HWND dialog, NoState&, WPARAM wParam) {
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

const FormDialog<> kForm = {
    .resource = IDD_ALARM,
    .caption = kCaption,
    .lists = kLists,
    .slaveListId = IDC_ALARM_SLAVE,
    .closeId = IDC_ALARM_CLOSE,
    .init = InitHoldTime,
    .command = OnHoldTimeCommand,
};

}  // namespace

void RunAlarmDialog(const DialogContext& context) { RunFormDialog(context, kForm); }

}  // namespace korvex7::win
