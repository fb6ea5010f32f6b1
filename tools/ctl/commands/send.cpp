// korvex7ctl send RAW: one raw command to each unit and its answer. One of
// the read-all queries is answered by its own data line; any other command
// by "GO" or a status word. The answer is printed as it came, its bytes
// escaped (\r, \n, \xNN).
#include "tools/ctl/commands/commands.h"

#include <algorithm>

#include "core/link/send_command.h"
#include "core/text/escaped_bytes.h"

namespace korvex7::ctl {

namespace {

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
    ExchangeResult r = unit.exchange->Run([&command](Session& s) { SendCommand(s, command); });
    if (r.status == ExchangeStatus::kBroadcast) {
      ctx.Say(unit, "sent to every unit (Broadcast: no unit answers)");
      return static_cast<int>(kExitOk);
    }
    if (r.ok()) {
      ExchangeResult quiet = unit.exchange->ConfirmQuiet();
      if (!quiet.ok()) r = std::move(quiet);
    }
    const bool answered = r.status == ExchangeStatus::kAcknowledged ||
                          r.status == ExchangeStatus::kUnitError ||
                          (r.status == ExchangeStatus::kUnexpectedAnswer && !r.afterPrevious);
    if (answered) {
      if (o.json) {
        unit.json["reply"] = EscapeWire(r.reply);
      } else {
        ctx.ClearProgress();
        ctx.env().out << unit.Prefix() << EscapeWire(r.reply) << '\n';
      }
    }
    if (r.ok()) return static_cast<int>(kExitOk);
    JobResult failed;
    failed.ok = false;
    failed.failedAt = r.afterPrevious ? 1 : 0;
    failed.total = 1;
    failed.failure = r;
    return ctx.ReportFailure(unit, failed);
  });
}

constexpr CtlParameter kParameters[] = {
    Words("command", "The command without CR LF, e.g. RAM"),
};

}  // namespace

const CtlCommand kSendCommand{
    .name = "send",
    .help = "Send one raw command and print the unit's answer",
    .parameters = kParameters,
    .run = RunSend,
};

}  // namespace korvex7::ctl
