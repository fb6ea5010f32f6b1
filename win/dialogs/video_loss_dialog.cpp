#include "win/dialogs/video_loss_dialog.h"

#include <array>

#include "core/commands/video_loss_commands.h"
#include "core/ui/video_loss_dialog_logic.h"
#include "win/dialogs/form_dialog.h"
#include "win/dialogs/on_off_radios.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

constexpr wchar_t kCaption[] = L"ビデオロスの設定  ";

constexpr int kOnIds[] = {KORVEX7_CHANNEL_IDS(IDC_VIDEO_LOSS_ON_)};
constexpr int kOffIds[] = {KORVEX7_CHANNEL_IDS(IDC_VIDEO_LOSS_OFF_)};
constexpr std::array<OnOffRadioPair, kChannels> kDetectRadios = ChannelRadios(kOnIds, kOffIds);

const std::array<BoundListRow, 3> kLists = {{
    {.listId = IDC_VIDEO_LOSS_DISPLAY,
     .setId = IDC_VIDEO_LOSS_DISPLAY_SET,
     .items = kOffOnItems,
     .field = [](SettingsModel& m) -> std::int32_t& { return m.videoLoss.display; },
     .send = SendVideoLossDisplay},
    {.listId = IDC_VIDEO_LOSS_OUTPUT,
     .setId = IDC_VIDEO_LOSS_OUTPUT_SET,
     .items = kOffOnItems,
     .field = [](SettingsModel& m) -> std::int32_t& { return m.videoLoss.signalOutput; },
     .send = SendVideoLossSignalOutput},
    {.listId = IDC_VIDEO_LOSS_BACKGROUND,
     .setId = IDC_VIDEO_LOSS_BACKGROUND_SET,
     .items = kVideoLossBackgroundItems,
     .field = [](SettingsModel& m) -> std::int32_t& { return m.videoLoss.background; },
     .send = SendVideoLossBackground},
}};

void InitDetectRadios(HWND dialog, NoState&) {
  InitChannelRadios(dialog, kDetectRadios, DialogSessionOf(dialog).model.videoLoss.detect);
}

bool OnDetectCommand(HWND dialog, NoState&, WPARAM wParam) {
  if (HandleChannelRadioCommand(dialog, wParam, kDetectRadios,
                                DialogSessionOf(dialog).model.videoLoss.detect)) {
    return true;
  }
  if (LOWORD(wParam) != IDC_VIDEO_LOSS_SET) return false;
  PressSetButton(dialog, SendVideoLossChannels);
  return true;
}

const FormDialog<> kForm = {
    .resource = IDD_VIDEO_LOSS,
    .caption = kCaption,
    .lists = kLists,
    .slaveListId = IDC_VIDEO_LOSS_SLAVE,
    .closeId = IDC_VIDEO_LOSS_CLOSE,
    .init = InitDetectRadios,
    .command = OnDetectCommand,
};

}  // namespace

void RunVideoLossDialog(const DialogContext& context) { RunFormDialog(context, kForm); }

}  // namespace korvex7::win
