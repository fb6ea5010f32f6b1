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

// The ON / OFF radio buttons of channels 1..16.
constexpr std::array<OnOffRadioPair, kChannels> kDetectRadios = {{
    {IDC_VIDEO_LOSS_ON_1, IDC_VIDEO_LOSS_ON_1 + 1},
    {IDC_VIDEO_LOSS_ON_2, IDC_VIDEO_LOSS_ON_2 + 1},
    {IDC_VIDEO_LOSS_ON_3, IDC_VIDEO_LOSS_ON_3 + 1},
    {IDC_VIDEO_LOSS_ON_4, IDC_VIDEO_LOSS_ON_4 + 1},
    {IDC_VIDEO_LOSS_ON_5, IDC_VIDEO_LOSS_ON_5 + 1},
    {IDC_VIDEO_LOSS_ON_6, IDC_VIDEO_LOSS_ON_6 + 1},
    {IDC_VIDEO_LOSS_ON_7, IDC_VIDEO_LOSS_ON_7 + 1},
    {IDC_VIDEO_LOSS_ON_8, IDC_VIDEO_LOSS_ON_8 + 1},
    {IDC_VIDEO_LOSS_ON_9, IDC_VIDEO_LOSS_ON_9 + 1},
    {IDC_VIDEO_LOSS_ON_10, IDC_VIDEO_LOSS_ON_10 + 1},
    {IDC_VIDEO_LOSS_ON_11, IDC_VIDEO_LOSS_ON_11 + 1},
    {IDC_VIDEO_LOSS_ON_12, IDC_VIDEO_LOSS_ON_12 + 1},
    {IDC_VIDEO_LOSS_ON_13, IDC_VIDEO_LOSS_ON_13 + 1},
    {IDC_VIDEO_LOSS_ON_14, IDC_VIDEO_LOSS_ON_14 + 1},
    {IDC_VIDEO_LOSS_ON_15, IDC_VIDEO_LOSS_ON_15 + 1},
    {IDC_VIDEO_LOSS_ON_16, IDC_VIDEO_LOSS_ON_16 + 1},
}};

const std::array<BoundListRow, 3> kLists = {{
    {IDC_VIDEO_LOSS_DISPLAY, IDC_VIDEO_LOSS_DISPLAY_SET, kOffOnItems,
     [](SettingsModel& m) -> std::int32_t& { return m.videoLoss.display; }, SendVideoLossDisplay},
    {IDC_VIDEO_LOSS_OUTPUT, IDC_VIDEO_LOSS_OUTPUT_SET, kOffOnItems,
     [](SettingsModel& m) -> std::int32_t& { return m.videoLoss.signalOutput; },
     SendVideoLossSignalOutput},
    {IDC_VIDEO_LOSS_BACKGROUND, IDC_VIDEO_LOSS_BACKGROUND_SET, kVideoLossBackgroundItems,
     [](SettingsModel& m) -> std::int32_t& { return m.videoLoss.background; },
     SendVideoLossBackground},
}};

void InitDetectRadios(HWND dialog) {
  InitChannelRadios(dialog, kDetectRadios, DialogSessionOf(dialog).model.videoLoss.detect);
}

bool OnDetectCommand(HWND dialog, WPARAM wParam) {
  if (HandleChannelRadioCommand(dialog, wParam, kDetectRadios,
                                DialogSessionOf(dialog).model.videoLoss.detect)) {
    return true;
  }
  if (LOWORD(wParam) != IDC_VIDEO_LOSS_SET) return false;
  PressSetButton(dialog, SendVideoLossChannels);
  return true;
}

const FormDialog kForm = {
    IDD_VIDEO_LOSS,       kCaption,         kLists,         IDC_VIDEO_LOSS_SLAVE,
    IDC_VIDEO_LOSS_CLOSE, InitDetectRadios, OnDetectCommand};

}  // namespace

void RunVideoLossDialog(const DialogContext& context) { RunFormDialog(context, kForm); }

}  // namespace korvex7::win
