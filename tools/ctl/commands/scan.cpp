// korvex7ctl scan: which units answer on the line. On RS-485 each address
// of --address (00..31 when not given) gets one short query, the alarm-mode
// query (7 characters out and 7 back, 16 ms at 9600 baud), and a short wait
// for its answer, so 32 addresses take at most about 4 seconds; the units
// that answered are listed, the address first. A unit that answered with a
// status word (a menu open, the keys locked) is there, and listed with it.
// On RS-232C it says whether the one unit answers.
//
// Exit status: 0 when a unit answered, 4 when none did, 7 when the port failed.
#include "tools/ctl/commands/commands.h"

#include <algorithm>

#include "core/link/send_command.h"
#include "core/transfer/read_all.h"
#include "tools/ctl/address_list.h"

namespace korvex7::ctl {

namespace {

// How long each address is given to answer, unless --timeout-ms says
// otherwise: the query and its answer take 16 ms on the line, a unit
// answers within a few ms, and a device server may hold the answer a little.
constexpr std::chrono::milliseconds kScanWait{100};

// The address an RS-485 answer carries ("05AMI": 5), or -1.
std::int32_t ReplyAddress(std::string_view reply) {
  if (reply.size() < 2 || reply[0] < '0' || reply[0] > '9' || reply[1] < '0' || reply[1] > '9') {
    return -1;
  }
  return (reply[0] - '0') * 10 + (reply[1] - '0');
}

}  // namespace

int RunScan(CommandContext& ctx) {
  const CtlOptions& o = ctx.options();
  if (const int c = ctx.NeedPort("scan")) return c;
  std::vector<std::int32_t> addresses;
  if (o.rs485) {
    if (o.addresses.empty()) {
      for (std::int32_t a = 0; a <= kMaxUnitAddress; ++a) addresses.push_back(a);
    } else {
      const AddressList list = ParseAddressList(o.addresses);
      if (!list.ok()) {
        ctx.Error("--address: " + list.error);
        return kExitUsage;
      }
      addresses = list.addresses;
    }
    if (std::find(addresses.begin(), addresses.end(), kBroadcastAddress) != addresses.end()) {
      ctx.Error("no unit answers a broadcast (FF): scan the addresses 00..31");
      return kExitUsage;
    }
  } else {
    addresses.push_back(-1);
  }

  const std::unique_ptr<LinkPort> port = ctx.OpenPort();
  if (!port) return kExitPortError;

  const std::string query(ReadAllQuery(0));
  Json units = Json::array();
  int answered = 0;
  std::vector<std::int32_t> late;
  for (std::size_t i = 0; i < addresses.size(); ++i) {
    Unit unit;
    ctx.SetUpUnit(unit, addresses[i]);
    ExchangeTiming timing = ctx.TimingFor(unit);
    if (!o.timeoutGiven) timing.timeout = kScanWait;
    CommandExchange exchange(unit.session, *port, timing, ctx.Clock());
    ctx.ProgressFor(unit, "scan")(static_cast<int>(i), static_cast<int>(addresses.size()));
    const ExchangeResult r = exchange.Run([&query](Session& s) { SendCommand(s, query); });
    if (r.status == ExchangeStatus::kPortError) {
      JobResult failed;
      failed.ok = false;
      failed.failedAt = 0;
      failed.total = 1;
      failed.failure = r;
      ctx.ReportFailure(unit, failed);
      if (answered > 0 && o.json) ctx.PrintJson(Json{{"units", std::move(units)}});
      return kExitPortError;
    }
    if (r.status == ExchangeStatus::kNoAnswer) continue;
    // A slow unit's answer may come while the next address is asked: its
    // own address tells whose it is.
    const std::int32_t from = ReplyAddress(r.reply);
    if (unit.address >= 0 && from >= 0 && from != unit.address) {
      if (std::find(late.begin(), late.end(), from) == late.end()) late.push_back(from);
      continue;
    }
    ++answered;
    const std::string outcome = r.ok() ? std::string() : OutcomeText(r);
    unit.json["ok"] = r.ok();
    if (!r.ok()) {
      unit.json["error"] = outcome;
      unit.json["reply"] = r.reply;
    }
    units.push_back(std::move(unit.json));
    if (!o.json) {
      ctx.ClearProgress();
      if (unit.address < 0) {
        ctx.env().out << "a unit answers" << (r.ok() ? "" : ": " + outcome) << '\n';
      } else {
        ctx.env().out << AddressName(unit.address) << (r.ok() ? "" : "  " + outcome) << '\n';
      }
    }
  }
  ctx.ClearProgress();
  for (const std::int32_t address : late) {
    ctx.Error("unit " + AddressName(address) +
              " answered after its wait; scan again with a longer --timeout-ms");
  }
  if (o.json) {
    ctx.PrintJson(Json{{"units", std::move(units)}});
  } else if (answered == 0) {
    ctx.env().out << (o.rs485 ? "no unit answers at any address scanned" : "no unit answers")
                  << '\n';
  }
  return answered > 0 ? kExitOk : kExitNoAnswer;
}

}  // namespace korvex7::ctl
