#include "win/dialogs/auto_switch_dialog.h"

#include <string>
#include <string_view>
#include <vector>

#include "core/commands/auto_switch_commands.h"
#include "core/ui/auto_switch_dialog_logic.h"
#include "win/dialogs/form_dialog.h"
#include "win/dialogs/paint_support.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

constexpr wchar_t kCaption[] = L"自動切換えの設定  ";

SettingsModel& Model(HWND dialog) { return DialogSessionOf(dialog).model; }

// The entry the selected list position stands for, -1 when none.
int SelectedEntry(const SettingsModel& m) {
  return AutoSwitchEntryAt(m.autoSwitch.mode, m.selectedSwitchEntry);
}

std::int32_t DwellTimeOf(const SettingsModel& m, int entry) {
  return entry < 0 ? -1 : m.autoSwitch.dwellTime[static_cast<std::size_t>(entry)];
}

std::int32_t SelectedDwellTime(const SettingsModel& m) { return DwellTimeOf(m, SelectedEntry(m)); }

void InvalidateTable(HWND dialog) {
  const TableRect& f = kAutoSwitchTableFrame;
  const RECT r = ScaledClientRect(dialog, f.left, f.top, f.right + 1, f.bottom + 1);
  InvalidateRect(dialog, &r, TRUE);
}

// Refills the entry list for the current mode.
void FillEntryList(HWND dialog) {
  SendDlgItemMessageW(dialog, IDC_AUTO_SWITCH_ENTRY, CB_RESETCONTENT, 0, 0);
  const std::int32_t mode = Model(dialog).autoSwitch.mode;
  std::vector<std::string_view> items;
  for (int p = 0; p < AutoSwitchEntryCount(mode); ++p) {
    items.push_back(AutoSwitchEntryItem(AutoSwitchEntryAt(mode, p)));
  }
  FillValueList(dialog, IDC_AUTO_SWITCH_ENTRY, items);
}

void SelectEntryAndTime(HWND dialog) {
  SelectListValue(dialog, IDC_AUTO_SWITCH_ENTRY, Model(dialog).selectedSwitchEntry);
  SelectListValue(dialog, IDC_AUTO_SWITCH_TIME, SelectedDwellTime(Model(dialog)));
}

void OnInit(HWND dialog, NoState&) {
  SettingsModel& m = Model(dialog);
  // The mode may have changed since the last opening (a loaded file, a reply
  // from the unit): a position its list does not hold starts again at 0.
  m.selectedSwitchEntry = AutoSwitchOpeningPosition(m.autoSwitch.mode, m.selectedSwitchEntry);
  FillEntryList(dialog);

  std::vector<std::string_view> modes;
  for (int mode = 0; mode < kAutoSwitchModes; ++mode) modes.push_back(AutoSwitchModeItem(mode));
  FillValueList(dialog, IDC_AUTO_SWITCH_MODE, modes);

  std::vector<std::string> seconds;
  for (int s = 0; s < kDwellTimeItems; ++s) seconds.push_back(DwellTimeItem(s));
  const std::vector<std::string_view> times(seconds.begin(), seconds.end());
  FillValueList(dialog, IDC_AUTO_SWITCH_TIME, times);
  FillValueList(dialog, IDC_AUTO_SWITCH_SAME_TIME, times);

  SelectListValue(dialog, IDC_AUTO_SWITCH_MODE, m.autoSwitch.mode);
  SelectEntryAndTime(dialog);
  SelectListValue(dialog, IDC_AUTO_SWITCH_SAME_TIME, kSameDwellTimeOnOpening);
}

void OnEntryChanged(HWND dialog) {
  const int selected = ListSelection(dialog, IDC_AUTO_SWITCH_ENTRY);
  if (selected < 0) return;
  Model(dialog).selectedSwitchEntry = selected;
  SelectListValue(dialog, IDC_AUTO_SWITCH_TIME, SelectedDwellTime(Model(dialog)));
}

void OnModeChanged(HWND dialog) {
  const int selected = ListSelection(dialog, IDC_AUTO_SWITCH_MODE);
  if (selected < 0) return;
  SettingsModel& m = Model(dialog);
  m.autoSwitch.mode = selected;
  FillEntryList(dialog);
  m.selectedSwitchEntry = 0;
  SelectEntryAndTime(dialog);
  InvalidateTable(dialog);
  MarkModified(dialog);
}

void OnTimeChanged(HWND dialog) {
  const int selected = ListSelection(dialog, IDC_AUTO_SWITCH_TIME);
  const int entry = SelectedEntry(Model(dialog));
  if (selected < 0 || entry < 0) return;
  Model(dialog).autoSwitch.dwellTime[static_cast<std::size_t>(entry)] = selected;
  InvalidateTable(dialog);
  MarkModified(dialog);
}

void OnSameTimeChanged(HWND dialog) {
  const int selected = ListSelection(dialog, IDC_AUTO_SWITCH_SAME_TIME);
  if (selected < 0) return;
  SetSameDwellTime(Model(dialog), selected);
  SelectListValue(dialog, IDC_AUTO_SWITCH_TIME, SelectedDwellTime(Model(dialog)));
  InvalidateTable(dialog);
  MarkModified(dialog);
}

void PaintTable(HWND dialog, NoState&) {
  DialogPaint paint(dialog);
  if (paint.dc() == nullptr) return;
  const TableRect& f = kAutoSwitchTableFrame;
  paint.Frame(f.left, f.top, f.right, f.bottom);
  const SelectedObject font(paint.dc(), DialogFont(dialog));
  const SettingsModel& m = Model(dialog);
  const std::int32_t mode = m.autoSwitch.mode;
  for (int p = 0; p < AutoSwitchEntryCount(mode); ++p) {
    const int entry = AutoSwitchEntryAt(mode, p);
    const AutoSwitchTableLine line = AutoSwitchTableLineOf(p);
    paint.TextUtf8(line.labelX, line.y, AutoSwitchTableLabel(entry));
    paint.TextUtf8(line.timeX, line.y,
                   DwellTimeText(m.autoSwitch.dwellTime[static_cast<std::size_t>(entry)]));
  }
}

bool OnCommand(HWND dialog, NoState&, WPARAM wParam) {
  const int code = HIWORD(wParam);
  const bool changed = code == CBN_SELCHANGE;
  switch (LOWORD(wParam)) {
    case IDC_AUTO_SWITCH_ENTRY:
      if (changed) OnEntryChanged(dialog);
      return true;
    case IDC_AUTO_SWITCH_MODE:
      if (changed) OnModeChanged(dialog);
      return true;
    case IDC_AUTO_SWITCH_TIME:
      if (changed) OnTimeChanged(dialog);
      return true;
    case IDC_AUTO_SWITCH_SAME_TIME:
      if (changed) OnSameTimeChanged(dialog);
      return true;
    case IDC_AUTO_SWITCH_TIME_SET:
      PressSetButton(dialog, [](Session& s) {
        const int entry = SelectedEntry(s.model);
        SendAutoSwitchEntry(s, entry, DwellTimeOf(s.model, entry));
      });
      return true;
    case IDC_AUTO_SWITCH_SET_ALL:
      PressSetButton(dialog, SendAutoSwitchAll);
      return true;
    case IDC_AUTO_SWITCH_MODE_SET:
      PressSetButton(dialog, SendAutoSwitchMode);
      return true;
    default:
      return false;
  }
}

// Any other command (Enter among them) closes the dialog like the title-bar
// close.
const FormDialog<> kForm = {
    .resource = IDD_AUTO_SWITCH,
    .caption = kCaption,
    .slaveListId = IDC_AUTO_SWITCH_SLAVE,
    .closeId = IDC_AUTO_SWITCH_CLOSE,
    .otherCommandsClose = true,
    .init = OnInit,
    .command = OnCommand,
    .paint = PaintTable,
};

}  // namespace

void RunAutoSwitchDialog(const DialogContext& context) { RunFormDialog(context, kForm); }

}  // namespace korvex7::win
