#include "win/dialogs/agc_dialog.h"

#include <array>

#include "core/commands/agc_format_commands.h"
#include "win/dialogs/form_dialog.h"
#include "win/dialogs/on_off_radios.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

constexpr wchar_t kCaption[] = L"オート・ゲイン・コントロール　";

constexpr int kOnIds[] = {KORVEX7_CHANNEL_IDS(IDC_AGC_ON_)};
constexpr int kOffIds[] = {KORVEX7_CHANNEL_IDS(IDC_AGC_OFF_)};
constexpr std::array<OnOffRadioPair, kChannels> kRadios = ChannelRadios(kOnIds, kOffIds);

void InitRadios(HWND dialog, NoState&) {
  InitChannelRadios(dialog, kRadios, DialogSessionOf(dialog).model.agc.on);
}

bool OnRadioCommand(HWND dialog, NoState&, WPARAM wParam) {
  if (HandleChannelRadioCommand(dialog, wParam, kRadios, DialogSessionOf(dialog).model.agc.on))
    return true;
  if (LOWORD(wParam) != IDC_AGC_SET) return false;
  PressSetButton(dialog, SendAgc);
  return true;
}

const FormDialog<> kForm = {
    .resource = IDD_AGC,
    .caption = kCaption,
    .slaveListId = IDC_AGC_SLAVE,
    .closeId = IDC_AGC_CLOSE,
    .init = InitRadios,
    .command = OnRadioCommand,
};

}  // namespace

void RunAgcDialog(const DialogContext& context) { RunFormDialog(context, kForm); }

}  // namespace korvex7::win
