#include "win/dialogs/video_loss_dialog.h"

#include <array>

#include "core/commands/video_loss_commands.h"
#include "core/ui/video_loss_dialog_logic.h"
#include "win/dialogs/dialog_common.h"
#include "win/dialogs/on_off_radios.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

constexpr wchar_t kCaption[] = L"ビデオロスの設定  ";

// The ON / OFF radio buttons of channels 1..16.
constexpr std::array<OnOffRadioPair, kChannels> kDetectRadios = {{
    {1128, 1129},
    {1130, 1131},
    {1132, 1133},
    {1134, 1135},
    {1140, 1141},
    {1142, 1143},
    {1144, 1145},
    {1146, 1147},
    {1148, 1149},
    {1190, 1191},
    {1192, 1193},
    {1194, 1195},
    {1197, 1198},
    {1199, 1200},
    {1201, 1202},
    {1203, 1204},
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

void OnInitDialog(HWND dialog) {
  SettingsModel& model = DialogSessionOf(dialog).model;
  SetSettingsCaption(dialog, kCaption);
  InitBoundLists(dialog, kLists);
  InitSlaveAddressList(dialog, IDC_VIDEO_LOSS_SLAVE);
  InitChannelRadios(dialog, kDetectRadios, model.videoLoss.detect);
}

INT_PTR CALLBACK VideoLossProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(dialog);
      return TRUE;
    case WM_COMMAND:
      if (HandleChannelRadioCommand(dialog, wParam, kDetectRadios,
                                    DialogSessionOf(dialog).model.videoLoss.detect)) {
        return TRUE;
      }
      if (LOWORD(wParam) == IDC_VIDEO_LOSS_SET) {
        PressSetButton(dialog, SendVideoLossChannels);
        return TRUE;
      }
      if (HandleBoundListCommand(dialog, wParam, kLists)) return TRUE;
      return HandleCommonCommand(dialog, wParam, IDC_VIDEO_LOSS_SLAVE, IDC_VIDEO_LOSS_CLOSE)
                 ? TRUE
                 : FALSE;
    case WM_CLOSE:
      CloseSettingsDialog(dialog);
      return TRUE;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

void RunVideoLossDialog(const DialogContext& context) {
  RunSettingsDialog(context, IDD_VIDEO_LOSS, VideoLossProc);
}

}  // namespace korvex7::win
