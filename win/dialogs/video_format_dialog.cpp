#include "win/dialogs/video_format_dialog.h"

#include <array>

#include "core/commands/agc_format_commands.h"
#include "core/ui/video_format_dialog_logic.h"
#include "win/dialogs/form_dialog.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

constexpr wchar_t kCaption[] = L"ビデオフォーマットの設定  ";

// The list and the "設定" of channels 1..16.
constexpr int kListIds[] = {KORVEX7_CHANNEL_IDS(IDC_VIDEO_FORMAT_LIST_)};
constexpr int kSetIds[] = {KORVEX7_CHANNEL_IDS(IDC_VIDEO_FORMAT_SET_)};

void InitFormatLists(HWND dialog, NoState&) {
  const SettingsModel& model = DialogSessionOf(dialog).model;
  for (std::size_t ch = 0; ch < std::size(kListIds); ++ch) {
    InitValueList(dialog, kListIds[ch], kVideoFormatItems, model.videoFormat.format[ch]);
  }
  // "同設定" opens on the first format whatever the channels hold.
  InitValueList(dialog, IDC_VIDEO_FORMAT_SAME, kVideoFormatItems, 0);
}

void OnSameFormat(HWND dialog) {
  const int format = ListSelection(dialog, IDC_VIDEO_FORMAT_SAME);
  if (format < 0) return;
  SettingsModel& model = DialogSessionOf(dialog).model;
  ApplySameVideoFormat(model, format);
  for (const int list : kListIds) SelectListValue(dialog, list, format);
  MarkModified(dialog);
}

// A channel's "設定": sends that channel's stored format. True when the
// command was one of these buttons.
bool OnChannelSet(HWND dialog, WPARAM wParam) {
  const int id = LOWORD(wParam);
  for (std::size_t ch = 0; ch < std::size(kSetIds); ++ch) {
    if (id != kSetIds[ch]) continue;
    PressSetButton(dialog, [ch](Session& s) {
      SendVideoFormatChannel(s, static_cast<std::int32_t>(ch), s.model.videoFormat.format[ch]);
    });
    return true;
  }
  return false;
}

bool OnFormatCommand(HWND dialog, NoState&, WPARAM wParam) {
  const int id = LOWORD(wParam);
  for (std::size_t ch = 0; ch < std::size(kListIds); ++ch) {
    if (HandleValueListCommand(dialog, wParam, kListIds[ch],
                               DialogSessionOf(dialog).model.videoFormat.format[ch])) {
      return true;
    }
  }
  if (OnChannelSet(dialog, wParam)) return true;
  if (id == IDC_VIDEO_FORMAT_SAME) {
    if (HIWORD(wParam) == CBN_SELCHANGE) OnSameFormat(dialog);
    return true;
  }
  if (id != IDC_VIDEO_FORMAT_SET_ALL) return false;
  PressSetButton(dialog, SendVideoFormatAll);
  return true;
}

const FormDialog<> kForm = {
    .resource = IDD_VIDEO_FORMAT,
    .caption = kCaption,
    .slaveListId = IDC_VIDEO_FORMAT_SLAVE,
    .closeId = IDC_VIDEO_FORMAT_CLOSE,
    .init = InitFormatLists,
    .command = OnFormatCommand,
};

}  // namespace

void RunVideoFormatDialog(const DialogContext& context) { RunFormDialog(context, kForm); }

}  // namespace korvex7::win
