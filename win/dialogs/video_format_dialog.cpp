#include "win/dialogs/video_format_dialog.h"

#include <array>

#include "core/commands/agc_format_commands.h"
#include "core/ui/video_format_dialog_logic.h"
#include "win/dialogs/form_dialog.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

constexpr wchar_t kCaption[] = L"ビデオフォーマットの設定  ";

struct ChannelControls {
  int list;
  int set;
};

// Channels 1..8 from 1051, channels 9..16 from 1083; each list is followed by
// its "設定".
constexpr std::array<ChannelControls, kChannels> ChannelIds() {
  std::array<ChannelControls, kChannels> ids{};
  for (int ch = 0; ch < kChannels; ++ch) {
    const int list =
        ch < 8 ? IDC_VIDEO_FORMAT_LIST_1 + 2 * ch : IDC_VIDEO_FORMAT_LIST_9 + 2 * (ch - 8);
    ids[static_cast<std::size_t>(ch)] = {list, list + 1};
  }
  return ids;
}
constexpr std::array<ChannelControls, kChannels> kChannelIds = ChannelIds();
static_assert(kChannelIds[7].set == 1066 && kChannelIds[8].list == 1083 &&
              kChannelIds[15].set == 1098);

void InitFormatLists(HWND dialog) {
  const SettingsModel& model = DialogSessionOf(dialog).model;
  for (std::size_t ch = 0; ch < kChannelIds.size(); ++ch) {
    InitValueList(dialog, kChannelIds[ch].list, kVideoFormatItems, model.videoFormat.format[ch]);
  }
  // "同設定" opens on the first format whatever the channels hold.
  InitValueList(dialog, IDC_VIDEO_FORMAT_SAME, kVideoFormatItems, 0);
}

void OnSameFormat(HWND dialog) {
  const int format = ListSelection(dialog, IDC_VIDEO_FORMAT_SAME);
  if (format < 0) return;
  SettingsModel& model = DialogSessionOf(dialog).model;
  ApplySameVideoFormat(model, format);
  for (const ChannelControls& c : kChannelIds) SelectListValue(dialog, c.list, format);
  MarkModified(dialog);
}

// A channel's "設定": sends that channel's stored format. True when the
// command was one of these buttons.
bool OnChannelSet(HWND dialog, WPARAM wParam) {
  const int id = LOWORD(wParam);
  for (std::size_t ch = 0; ch < kChannelIds.size(); ++ch) {
    if (id != kChannelIds[ch].set) continue;
    PressSetButton(dialog, [ch](Session& s) {
      SendVideoFormatChannel(s, static_cast<std::int32_t>(ch), s.model.videoFormat.format[ch]);
    });
    return true;
  }
  return false;
}

bool OnFormatCommand(HWND dialog, WPARAM wParam) {
  const int id = LOWORD(wParam);
  for (std::size_t ch = 0; ch < kChannelIds.size(); ++ch) {
    if (HandleValueListCommand(dialog, wParam, kChannelIds[ch].list,
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

const FormDialog kForm = {
    IDD_VIDEO_FORMAT, kCaption,       {}, IDC_VIDEO_FORMAT_SLAVE, IDC_VIDEO_FORMAT_CLOSE,
    InitFormatLists,  OnFormatCommand};

}  // namespace

void RunVideoFormatDialog(const DialogContext& context) { RunFormDialog(context, kForm); }

}  // namespace korvex7::win
