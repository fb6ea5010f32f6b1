// korvex7ctl clock --now: each unit's clock set from this computer's.
#include "tools/ctl/commands/commands.h"

#include <algorithm>
#include <ctime>

#include "core/commands/date_time_commands.h"

namespace korvex7::ctl {

namespace {

constexpr std::string_view kNow = "--now";

std::tm SystemLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return local;
}

int RunClock(CommandContext& ctx) {
  const CtlOptions& o = ctx.options();
  if (!o.Given(kNow)) {
    ctx.Error("clock needs --now (it sets the unit's clock from this computer's clock)");
    return kExitUsage;
  }
  if (const int c = ctx.NeedPort("clock")) return c;
  const auto localTime = ctx.env().localTime ? ctx.env().localTime : SystemLocalTime;
  return ctx.ForEachUnit(false, [&](Unit& unit) {
    // Read per unit, so that a unit served later still gets the right time.
    const std::tm now = localTime();
    const SettingsModel& m = unit.session.model;
    const std::vector<Encoded> commands = {
        EncodeDateYear(m, now.tm_year + 1900 - 2000),
        EncodeDateMonth(m, now.tm_mon),
        EncodeDateDay(m, now.tm_mday - 1),
        EncodeTimeHour(m, now.tm_hour),
        EncodeTimeMinute(m, now.tm_min),
        EncodeTimeSecond(m, std::min(now.tm_sec, 59)),
    };
    for (const Encoded& e : commands) {
      if (!e.ok()) {
        ctx.Error(unit.Prefix() + "the computer's clock says year " +
                  std::to_string(now.tm_year + 1900) +
                  "; the unit keeps the years 2000 to 2099. Nothing was sent");
        return static_cast<int>(kExitRefused);
      }
    }
    const JobResult r = SendCommands(*unit.exchange, commands, ctx.ProgressFor(unit, "clock"));
    if (!r.ok) {
      return ctx.ReportFailure(unit, r, StopLeaves(r, "the unit's clock is set in part"));
    }
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &now);
    ctx.Say(unit, std::string("clock set to ") + text);
    return static_cast<int>(kExitOk);
  });
}

constexpr CtlParameter kParameters[] = {
    Flag(kNow, "From this computer's clock", true),
};

}  // namespace

const CtlCommand kClockCommand{
    .name = "clock",
    .help = "Set the unit's clock",
    .parameters = kParameters,
    .run = RunClock,
};

}  // namespace korvex7::ctl
