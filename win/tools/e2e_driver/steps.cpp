#include "win/tools/e2e_driver/steps.h"

#include <array>

#include "win/tools/e2e_driver/step_handlers.h"

namespace korvex7::e2e {

namespace {

constexpr std::array<Step, 49> kSteps = {{
    {L"main", 1, FindMainWindow},
    {L"menu", 1, PostMenuCommand},
    {L"dialog", 2, WaitForDialog},
    {L"no-dialog", 2, ExpectNoDialog},
    {L"caption", 1, ExpectCaption},
    {L"select", 2, PostSelect},
    {L"selection", 2, ExpectSelection},
    {L"click", 1, ClickButton},
    {L"set-text", 2, SetControlText},
    {L"filename", 1, SetFileName},
    {L"close", 0, PostClose},
    {L"send-close", 0, SendClose},
    {L"within", 2, RetryWithin},
    {L"gone", 1, WaitUntilGone},
    {L"box", 3, WaitForBox},
    {L"box-any", 3, WaitForBoxOfAnyProcess},
    {L"no-box", 1, ExpectNoBox},
    {L"status", 2, ExpectStatus},
    {L"print-status", 1, PrintStatus},
    {L"print-rect", 0, PrintCurrentRect},
    {L"print-main-rect", 0, PrintMainRect},
    {L"exited", 1, ExpectExited},
    {L"alive", 0, ExpectAlive},
    {L"sleep", 1, SleepFor},
    {L"text", 2, ExpectText},
    {L"wait-text", 3, WaitForText},
    {L"print-text", 1, PrintText},
    {L"enabled", 2, ExpectEnabled},
    {L"checked", 2, ExpectChecked},
    {L"items", 2, ExpectItems},
    {L"print-items", 1, PrintItems},
    {L"toolbar", 1, ClickToolbarButton},
    {L"visible", 2, ExpectVisible},
    {L"texts-seen", 2, PrintTextsSeen},
    {L"print-control-rect", 1, PrintControlRect},
    {L"choose", 2, SendSelect},
    {L"key", 1, PostKey},
    {L"fits", 0, ExpectFits},
    {L"main-fits", 0, ExpectMainFits},
    {L"print-main-layout", 0, PrintMainLayout},
    {L"dpi-changed", 1, SendDpiChanged},
    {L"query-end-session", 1, SendQueryEndSession},
    {L"end-session", 1, SendEndSession},
    {L"hold-file", 2, HoldFile},
    {L"release-file", 1, ReleaseFile},
    {L"size-move-start", 0, SendEnterSizeMove},
    {L"size-move-end", 0, SendExitSizeMove},
    {L"dpi-changed-to", 5, SendDpiChangedTo},
    {L"pointer-at", 2, MovePointer},
}};

}  // namespace

const Step* FindStep(std::wstring_view name) {
  for (const Step& step : kSteps) {
    if (step.name == name) return &step;
  }
  return nullptr;
}

}  // namespace korvex7::e2e
