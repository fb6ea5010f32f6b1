#include "win/dialogs/agc_dialog.h"

#include <array>

#include "core/commands/agc_format_commands.h"
#include "win/dialogs/form_dialog.h"
#include "win/dialogs/on_off_radios.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

constexpr wchar_t kCaption[] = L"オート・ゲイン・コントロール　";

// Channels 1..8 in the left column from 1016, channels 9..16 in the right one
// from 1018, four ids apart; "OFF" follows its "ON".
constexpr std::array<OnOffRadioPair, kChannels> AgcRadios() {
  std::array<OnOffRadioPair, kChannels> radios{};
  for (int ch = 0; ch < kChannels; ++ch) {
    const int on = ch < 8 ? IDC_AGC_ON_1 + 4 * ch : IDC_AGC_ON_9 + 4 * (ch - 8);
    radios[static_cast<std::size_t>(ch)] = {on, on + 1};
  }
  return radios;
}
constexpr std::array<OnOffRadioPair, kChannels> kRadios = AgcRadios();
static_assert(kRadios[7].on == 1044 && kRadios[8].on == 1018 && kRadios[15].off == 1047);

void InitRadios(HWND dialog) {
  InitChannelRadios(dialog, kRadios, DialogSessionOf(dialog).model.agc.on);
}

bool OnRadioCommand(HWND dialog, WPARAM wParam) {
  if (HandleChannelRadioCommand(dialog, wParam, kRadios, DialogSessionOf(dialog).model.agc.on))
    return true;
  if (LOWORD(wParam) != IDC_AGC_SET) return false;
  PressSetButton(dialog, SendAgc);
  return true;
}

const FormDialog kForm = {IDD_AGC,    kCaption,      {}, IDC_AGC_SLAVE, IDC_AGC_CLOSE,
                          InitRadios, OnRadioCommand};

}  // namespace

void RunAgcDialog(const DialogContext& context) { RunFormDialog(context, kForm); }

}  // namespace korvex7::win
