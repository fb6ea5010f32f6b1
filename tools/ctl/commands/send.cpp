// korvex7ctl send RAW: one raw command to each unit and its answer.
#include "tools/ctl/commands/commands.h"

#include <algorithm>

#include "core/link/send_command.h"

namespace korvex7::ctl {

int RunSend(CommandContext& ctx) {
  const CtlOptions& o = ctx.options();
  const std::string& raw = o.arguments.front();
  const bool printable = !raw.empty() && std::all_of(raw.begin(), raw.end(),
                                                     [](char c) { return c >= 0x20 && c <= 0x7E; });
  if (!printable || raw.size() + 2 > kMaxCopiedCommandLength) {
    ctx.Error("send takes one command of printable ASCII characters, without CR LF (it is added)");
    return kExitUsage;
  }
  if (const int c = ctx.NeedPort("send")) return c;
  const std::string command = raw + "\r\n";
  return ctx.ForEachUnit(false, [&](Unit& unit) {
    const ExchangeResult r =
        unit.exchange->Run([&command](Session& s) { SendCommand(s, command); });
    if (r.status == ExchangeStatus::kBroadcast) {
      ctx.Say(unit, "sent to every unit (Broadcast: no unit answers)");
      return static_cast<int>(kExitOk);
    }
    if (!r.reply.empty() || r.ok()) {
      if (o.json) {
        unit.json["reply"] = r.reply;
      } else {
        ctx.ClearProgress();
        ctx.env().out << unit.Prefix() << r.reply << '\n';
      }
    }
    if (r.ok()) return static_cast<int>(kExitOk);
    JobResult failed;
    failed.ok = false;
    failed.failedAt = 0;
    failed.total = 1;
    failed.failure = r;
    return ctx.ReportFailure(unit, failed);
  });
}

}  // namespace korvex7::ctl
