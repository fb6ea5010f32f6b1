// korvex7ctl scan: which units answer on the line. On RS-485 each address
// of --address (00..31 when not given) gets one short query, the alarm-mode
// query, and one slot of time for its answer (the core's unit_scan.h, whose
// rules the program's ユニット検索 shares), so 32 addresses take at most
// about 4 seconds; the units that answered are listed, the address first. A unit that answered with
// a status word (a menu open, the keys locked) is there, and listed with it. On RS-232C it says
// whether the one unit answers.
//
// An address is listed only for a well-formed answer to the query sent to it
// that came while it was asked: the alarm-mode line or a status word, on
// RS-485 with that address in front. Everything else (a piece of a line, a
// line with another address, garbage, an answer that came after its wait)
// is noise on the line, reported on a line of its own ("noise while asking
// 04: ...") and in --json; the line is then unreliable and the list may be
// incomplete. The line's echo of each query is recognised and skipped, also
// when it comes late, in the next address's time.
//
// Exit status: 0 when a unit answered, 4 when none did, 8 when there was
// noise, 7 when the port failed, 130 when stopped.
#include "tools/ctl/commands/commands.h"

#include <algorithm>

#include "core/link/send_command.h"
#include "core/text/escaped_bytes.h"
#include "core/transfer/unit_scan.h"
#include "tools/ctl/address_list.h"

namespace korvex7::ctl {

namespace {

struct Noise {
  std::int32_t asking;  // the address being asked (-1: RS-232C)
  bool before;          // found before the query went out
  std::string bytes;
};

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

  int openCode = kExitOk;
  const std::unique_ptr<LinkPort> port = ctx.OpenPort(openCode);
  if (!port) return openCode;

  const std::string query(ScanQuery());
  Json units = Json::array();
  Json noiseJson = Json::array();
  int answered = 0;
  std::vector<Noise> noise;
  std::vector<std::int32_t> late;
  bool stopped = false;
  const auto say = [&](const std::string& line) {
    if (o.json) return;
    ctx.ClearProgress();
    ctx.env().out << line << '\n';
  };
  const auto addNoise = [&](std::int32_t asking, bool before, std::string bytes) {
    if (const auto from = LateAnswerFrom(asking, bytes, addresses);
        from && std::find(late.begin(), late.end(), *from) == late.end()) {
      late.push_back(*from);
    }
    const std::string who = asking < 0 ? std::string() : " " + AddressName(asking);
    say(std::string("noise ") + (before ? "before asking" : "while asking") + who + ": \"" +
        ShownBytes(bytes) + "\"");
    noiseJson.push_back(Json{{"asking", asking < 0 ? Json(nullptr) : Json(AddressName(asking))},
                             {"before", before},
                             {"bytes", EscapeWire(bytes)}});
    noise.push_back(Noise{asking, before, std::move(bytes)});
  };

  // The previous address's query: its echo may come late, after this
  // address's query went out (a slow line or device server).
  std::string earlier;
  for (std::size_t i = 0; i < addresses.size(); ++i) {
    Unit unit;
    ctx.SetUpUnit(unit, addresses[i]);
    unit.session.sent.earlier = earlier;
    ExchangeTiming timing = ctx.TimingFor(unit);
    if (!o.timeoutGiven) timing.timeout = kScanSlot;
    const std::unique_ptr<CommandExchange> exchange = ctx.ExchangeFor(unit, *port, timing);
    ctx.ProgressFor(unit, "scan")(static_cast<int>(i), static_cast<int>(addresses.size()));
    const ExchangeResult r = exchange->Run([&query](Session& s) { SendCommand(s, query); });
    ctx.NoteEchoes(*exchange);
    if (!r.dropped.empty()) addNoise(unit.address, true, r.dropped);
    earlier = unit.session.sent.bytes;
    if (r.status == ExchangeStatus::kStopped) {
      stopped = true;
      break;
    }
    if (r.status == ExchangeStatus::kPortError) {
      JobResult failed;
      failed.ok = false;
      failed.failedAt = 0;
      failed.total = 1;
      failed.failure = r;
      ctx.ReportFailure(unit, failed);
      if (o.json) ctx.PrintJson(Json{{"units", std::move(units)}, {"noise", std::move(noiseJson)}});
      return kExitPortError;
    }
    if (r.status == ExchangeStatus::kNoAnswer) continue;
    // A well-formed answer: the alarm-mode line or a status word, which on
    // RS-485 must carry the address asked (a piece of another unit's answer
    // may not). The exchange has judged the line already.
    const AnswerKind kind = r.answerAccepted                         ? AnswerKind::kAccepted
                            : r.status == ExchangeStatus::kUnitError ? AnswerKind::kStatusWord
                                                                     : AnswerKind::kUnexpected;
    const bool wellFormed = CountsAsUnit(unit.address, kind, r.reply);
    if (!wellFormed) {
      addNoise(unit.address, false, r.reply + (r.reply.empty() ? "" : "\r\n") + r.extra);
      continue;
    }
    if (!r.extra.empty()) addNoise(unit.address, false, r.extra);
    ++answered;
    const bool ok = r.status != ExchangeStatus::kUnitError;
    const std::string outcome = ok ? std::string() : OutcomeText(r);
    unit.json["ok"] = ok;
    if (!ok) {
      unit.json["error"] = outcome;
      unit.json["reply"] = EscapeWire(r.reply);
    }
    units.push_back(std::move(unit.json));
    if (unit.address < 0) {
      say("a unit answers" + (ok ? std::string() : ": " + outcome));
    } else {
      say(AddressName(unit.address) + (ok ? std::string() : "  " + outcome));
    }
  }
  ctx.ClearProgress();
  for (const std::int32_t address : late) {
    ctx.Error("unit " + AddressName(address) +
              " may have answered after its wait; scan again with a longer --timeout-ms");
  }
  if (!noise.empty()) {
    ctx.Error("the line is unreliable: " + std::to_string(noise.size()) +
              (noise.size() == 1 ? " piece" : " pieces") +
              " of noise while scanning; the units listed may not be all");
  }
  if (stopped) ctx.Error("stopped: the scan did not reach every address");
  if (o.json) {
    ctx.PrintJson(Json{{"units", std::move(units)}, {"noise", std::move(noiseJson)}});
  } else if (answered == 0 && noise.empty() && !stopped) {
    say(o.rs485 ? "no unit answers at any address scanned" : "no unit answers");
  }
  if (stopped) return kExitStopped;
  if (!noise.empty()) return kExitUnreliableLine;
  return answered > 0 ? kExitOk : kExitNoAnswer;
}

const CtlCommand kScanCommand{
    .name = "scan",
    .help =
        "Find the units that answer: each RS-485 address 00..31 (or those of --address) "
        "in turn, or the one unit of an RS-232C line. Only a well-formed answer carrying the "
        "address asked counts; anything else is reported as noise on the line (exit 8)",
    .run = RunScan,
    .everyAddressByDefault = true,
};

}  // namespace korvex7::ctl
