#include "win/dialogs/split_layout_dialog.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/commands/screen_split_commands.h"
#include "core/ui/split_layout_dialog_logic.h"
#include "core/ui/title_dialog_logic.h"
#include "win/dialogs/form_dialog.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

constexpr wchar_t kCaption[] = L"分割画面配置の設定  ";

int BoxId(int screen) { return IDC_SPLIT_SCREEN_BOX + screen; }    // screen 0..15
int ListId(int screen) { return IDC_SPLIT_SCREEN_LIST + screen; }  // screen 0..15

// The slots: where the group box and the list of each grid cell were
// designed, in client coordinates (recorded once at opening).
struct Slot {
  RECT box{};
  RECT list{};
};

struct SplitLayoutDialog {
  std::array<Slot, kSplitScreens> slots{};
  // The client area before a change of the monitor's DPI, whose scaling of
  // the controls the slots then follow.
  RECT clientBeforeDpiChange{};
};

// Posted when the monitor's DPI changed, to run once Windows has scaled the
// dialog and its controls.
constexpr UINT kScaleSlotsMessage = WM_APP + 20;

SettingsModel& Model(HWND dialog) { return DialogSessionOf(dialog).model; }

RECT ClientRectOf(HWND dialog, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void RecordSlots(HWND dialog, SplitLayoutDialog& d) {
  for (int s = 0; s < kSplitScreens; ++s) {
    d.slots[static_cast<std::size_t>(s)].box = ClientRectOf(dialog, GetDlgItem(dialog, BoxId(s)));
    d.slots[static_cast<std::size_t>(s)].list = ClientRectOf(dialog, GetDlgItem(dialog, ListId(s)));
  }
}

void MoveBox(HWND box, const RECT& r) {
  SetWindowPos(box, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// A list keeps its size (its window height includes the drop-down part).
void MoveList(HWND list, const RECT& r) {
  SetWindowPos(list, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moves every screen box to its slot for the layout, shows screens 1..n with
// their channels and hides the rest without a selection.
void Arrange(HWND dialog, const SplitLayoutDialog& d) {
  const std::int32_t layout = Model(dialog).selectedLayout;
  const auto placements = ArrangeSplitScreens(layout);
  const auto channels = SplitLayoutChannels(Model(dialog).splitLayout, layout);
  for (int k = 0; k < kSplitScreens; ++k) {
    const ScreenPlacement& p = placements[static_cast<std::size_t>(k)];
    const Slot& slot = d.slots[static_cast<std::size_t>(p.slot)];
    // A box spanning several slots reaches to the far corner of the last one.
    const Slot& corner =
        d.slots[static_cast<std::size_t>(p.slot + (p.rows - 1) * kSlotColumns + p.columns - 1)];
    RECT box = slot.box;
    box.right = corner.box.right;
    box.bottom = corner.box.bottom;
    RECT list = slot.list;
    if (p.columns > 1 || p.rows > 1) {
      // The list of a large picture stands in its middle.
      const int dx = ((box.right - box.left) - (slot.box.right - slot.box.left)) / 2;
      const int dy = ((box.bottom - box.top) - (slot.box.bottom - slot.box.top)) / 2;
      OffsetRect(&list, dx, dy);
    }
    HWND boxWindow = GetDlgItem(dialog, BoxId(k));
    HWND listWindow = GetDlgItem(dialog, ListId(k));
    MoveBox(boxWindow, box);
    MoveList(listWindow, list);
    const int show = p.shown ? SW_SHOW : SW_HIDE;
    ShowWindow(boxWindow, show);
    ShowWindow(listWindow, show);
    EnableWindow(boxWindow, p.shown ? TRUE : FALSE);
    EnableWindow(listWindow, p.shown ? TRUE : FALSE);
    const std::int32_t channel = p.shown && static_cast<std::size_t>(k) < channels.size()
                                     ? channels[static_cast<std::size_t>(k)]
                                     : -1;
    SelectListValue(dialog, ListId(k), channel);
  }
  // Group boxes are drawn through: repaint the whole picture once.
  InvalidateRect(dialog, nullptr, TRUE);
}

void OnInit(HWND dialog, SplitLayoutDialog& d) {
  std::vector<std::string_view> layouts;
  for (int l = 0; l < kLayoutCount; ++l) layouts.push_back(SplitLayoutItem(l));
  FillValueList(dialog, IDC_SPLIT_LAYOUT, layouts);
  std::vector<std::string> channelTexts;
  for (int ch = 0; ch < kChannels; ++ch) channelTexts.push_back(ChannelItem(ch));
  const std::vector<std::string_view> channels(channelTexts.begin(), channelTexts.end());
  for (int k = 0; k < kSplitScreens; ++k) FillValueList(dialog, ListId(k), channels);
  RecordSlots(dialog, d);
  SelectListValue(dialog, IDC_SPLIT_LAYOUT, Model(dialog).selectedLayout);
  Arrange(dialog, d);
}

// The dialog moved to a monitor of another DPI and Windows scaled it with its
// controls (wherever they stood): the slots, recorded at the old scale, are
// scaled as the client area was, and the boxes arranged on them again.
void ScaleSlots(HWND dialog, SplitLayoutDialog& d) {
  RECT now{};
  const RECT& before = d.clientBeforeDpiChange;
  if (!GetClientRect(dialog, &now) || before.right <= 0 || before.bottom <= 0) return;
  const auto scale = [&](RECT& r) {
    r = RECT{MulDiv(r.left, now.right, before.right), MulDiv(r.top, now.bottom, before.bottom),
             MulDiv(r.right, now.right, before.right), MulDiv(r.bottom, now.bottom, before.bottom)};
  };
  for (Slot& slot : d.slots) {
    scale(slot.box);
    scale(slot.list);
  }
  Arrange(dialog, d);
}

void OnLayoutChanged(HWND dialog, const SplitLayoutDialog& d) {
  const int selected = ListSelection(dialog, IDC_SPLIT_LAYOUT);
  if (selected < 0) return;
  Model(dialog).selectedLayout = selected;
  Arrange(dialog, d);
  MarkModified(dialog);
}

// The list of screen k changed: element k of the current layout's list.
void OnScreenChanged(HWND dialog, int k) {
  SettingsModel& m = Model(dialog);
  const auto channels = SplitLayoutChannels(m.splitLayout, m.selectedLayout);
  const int selected = ListSelection(dialog, ListId(k));
  if (selected < 0 || static_cast<std::size_t>(k) >= channels.size()) return;
  channels[static_cast<std::size_t>(k)] = selected;
  MarkModified(dialog);
}

bool OnCommand(HWND dialog, SplitLayoutDialog& d, WPARAM wParam) {
  const int id = LOWORD(wParam);
  const bool changed = HIWORD(wParam) == CBN_SELCHANGE;
  if (id >= ListId(0) && id < ListId(kSplitScreens)) {
    if (changed) OnScreenChanged(dialog, id - ListId(0));
    return true;
  }
  switch (id) {
    case IDC_SPLIT_LAYOUT:
      if (changed) OnLayoutChanged(dialog, d);
      return true;
    case IDC_SPLIT_SET:
      // A list that shows a channel twice is refused with status 12; the
      // status timer shows "チャンネルが重複しています。".
      PressSetButton(dialog, SendSplitLayout);
      return true;
    default:
      return false;
  }
}

INT_PTR OnMessage(HWND dialog, SplitLayoutDialog& d, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_DPICHANGED:
      // Windows scales the dialog (not handled here); the slots follow after.
      if (GetClientRect(dialog, &d.clientBeforeDpiChange)) {
        PostMessageW(dialog, kScaleSlotsMessage, 0, 0);
      }
      return FALSE;
    case kScaleSlotsMessage:
      ScaleSlots(dialog, d);
      return TRUE;
    default:
      return FALSE;
  }
}

const FormDialog<SplitLayoutDialog> kForm = {
    .resource = IDD_SPLIT_LAYOUT,
    .caption = kCaption,
    .slaveListId = IDC_SPLIT_SLAVE,
    .closeId = IDC_SPLIT_CLOSE,
    .init = OnInit,
    .command = OnCommand,
    .message = OnMessage,
};

}  // namespace

void RunSplitLayoutDialog(const DialogContext& context) {
  SplitLayoutDialog d;
  RunFormDialog(context, kForm, d);
}

}  // namespace korvex7::win
