#include "tools/ctl/unit_jobs.h"

#include <algorithm>
#include <map>
#include <set>

#include "core/link/status_timer.h"
#include "core/transfer/read_all.h"
#include "core/transfer/send_all_steps.h"

namespace korvex7::ctl {

namespace {

std::string_view BaseOf(std::string_view name) { return name.substr(0, name.find('[')); }

// The fields a step carries, as an operator names them: an array by its name
// without index.
std::string StepFields(const std::vector<SavedField>& fields, int step) {
  std::string out;
  std::string_view last;
  for (const SavedField& f : fields) {
    if (FieldStep(f.name) != step) continue;
    const FieldFamily* family = FindFamily(f.name);
    const std::string_view name =
        family != nullptr && !family->stepPerEntry ? BaseOf(f.name) : std::string_view(f.name);
    if (name == last) continue;
    if (!out.empty()) out += ", ";
    out += name;
    last = name;
  }
  return out;
}

std::string RefusalText(const Encoded& e, bool title) {
  if (e.refusal == kStatusDuplicateChannel) {
    return "チャンネルが重複しています。 (a channel is used twice in the layout)";
  }
  if (title) {
    return std::string(InvalidTitleCharactersMessage().text) +
           " (characters other than JIS level 1 and level 2)";
  }
  return std::string(UnitStatusText(kStatusCommandError)) + " (value refused)";
}

JobResult Failed(int index, int total, ExchangeResult failure) {
  JobResult r;
  r.ok = false;
  r.failedAt = index;
  r.total = total;
  r.failure = std::move(failure);
  return r;
}

}  // namespace

namespace {

// The end of a job: after a last Set, the line must stay quiet.
JobResult Finished(CommandExchange& exchange, int total) {
  ExchangeResult quiet = exchange.ConfirmQuiet();
  if (!quiet.ok()) return Failed(total, total, std::move(quiet));
  JobResult done;
  done.total = total;
  return done;
}

}  // namespace

JobResult RunQueries(CommandExchange& exchange, const std::vector<int>& steps,
                     const ProgressFn& progress) {
  const int total = static_cast<int>(steps.size());
  for (int i = 0; i < total; ++i) {
    // The exchange takes only the query's own data line for its answer.
    ExchangeResult r = exchange.Query(ReadAllQuery(steps[static_cast<std::size_t>(i)]));
    if (!r.ok()) return Failed(i, total, std::move(r));
    if (progress) progress(i + 1, total);
  }
  return Finished(exchange, total);
}

JobResult ReadAllSettings(CommandExchange& exchange, const ProgressFn& progress) {
  std::vector<int> steps(kReadAllStepCount);
  for (int i = 0; i < kReadAllStepCount; ++i) steps[static_cast<std::size_t>(i)] = i;
  return RunQueries(exchange, steps, progress);
}

JobResult WriteAllSettings(CommandExchange& exchange, const ProgressFn& progress) {
  for (int i = 0; i < kSendAllStepCount; ++i) {
    ExchangeResult r = exchange.Run([i](Session& s) { RunSendAllStep(s, i); });
    if (!r.ok()) return Failed(i, kSendAllStepCount, std::move(r));
    if (progress) progress(i + 1, kSendAllStepCount);
  }
  return Finished(exchange, kSendAllStepCount);
}

std::vector<Refusal> CheckSendAll(const SettingsModel& model) {
  SettingsModel copy = model;  // the field table hands out writable pointers
  const std::vector<SavedField> fields = SavedFields(copy);
  std::vector<Refusal> refusals;
  std::set<int> stepsWithInvalidFields;
  for (const SavedField& f : fields) {
    const int step = FieldStep(f.name);
    if (step < 0) continue;  // not sent
    const ShownValue shown = ShowField(f);
    if (shown.valid) continue;
    const FieldFamily* family = FindFamily(f.name);
    if (family->form == ValueForm::kTitle) {
      // The program's own words for a title it cannot send.
      refusals.push_back(
          {f.name, "holds \"" + shown.text + "\": " + RefusalText(Encoded::Refused(), true)});
    } else {
      refusals.push_back({f.name, "holds " + shown.text + "; it takes " + AcceptedValues(*family)});
    }
    stepsWithInvalidFields.insert(step);
  }
  for (int step = 0; step < kSendAllStepCount; ++step) {
    if (stepsWithInvalidFields.count(step) != 0) continue;
    const Encoded e = EncodeSendAllStep(model, step);
    if (e.ok()) continue;
    const FieldFamily* family = FindFamily(SendAllStepSetting(step).setting);
    const bool title = family != nullptr && family->form == ValueForm::kTitle;
    refusals.push_back({StepFields(fields, step), RefusalText(e, title)});
  }
  return refusals;
}

SetPlan PlanSet(const std::vector<SavedField>& fields, const std::vector<Assignment>& assignments) {
  // Entries assigned per family (-1 for a scalar).
  std::map<const FieldFamily*, std::set<int>> assigned;
  for (const Assignment& a : assignments) {
    if (a.error != ArgumentError::kNone || a.family == nullptr) continue;
    for (std::size_t i : a.indexes) assigned[a.family].insert(FieldIndex(fields[i].name));
  }
  SetPlan plan;
  for (const FieldFamily& family : FieldFamilies()) {
    const auto it = assigned.find(&family);
    if (it == assigned.end()) continue;
    const std::set<int>& entries = it->second;
    if (family.step < 0) {
      plan.errors.push_back(std::string(family.name) +
                            " is kept in settings files only; the unit has no command for it");
      continue;
    }
    const bool scalar = entries.size() == 1 && *entries.begin() < 0;
    if (scalar) {
      plan.commands.push_back(
          {PlannedCommand::kStep, family.step, &family, -1, std::string(family.name)});
      continue;
    }
    const auto entryName = [&family](int entry) {
      return std::string(family.name) + "[" + std::to_string(entry) + "]";
    };
    if (family.stepPerEntry) {
      for (int entry : entries) {
        plan.commands.push_back(
            {PlannedCommand::kStep, family.step + entry, &family, entry, entryName(entry)});
      }
      continue;
    }
    std::size_t count = 0;
    for (const SavedField& f : fields) count += BaseOf(f.name) == family.name ? 1 : 0;
    if (entries.size() == count && family.stepCarriesAllEntries) {
      plan.commands.push_back(
          {PlannedCommand::kStep, family.step, &family, -1, std::string(family.name)});
    } else if (family.entryEncoder != nullptr) {
      for (int entry : entries) {
        plan.commands.push_back(
            {PlannedCommand::kEntry, family.step, &family, entry, entryName(entry)});
      }
    } else {
      // Only an all-entries command: the entries not assigned keep the
      // values the unit holds, so those are read first.
      plan.queries.push_back(family.step);
      plan.commands.push_back(
          {PlannedCommand::kStep, family.step, &family, -1, std::string(family.name)});
    }
  }
  std::stable_sort(plan.commands.begin(), plan.commands.end(),
                   [](const PlannedCommand& a, const PlannedCommand& b) {
                     return a.step != b.step ? a.step < b.step : a.entry < b.entry;
                   });
  std::sort(plan.queries.begin(), plan.queries.end());
  return plan;
}

BuiltCommands BuildCommands(const SettingsModel& model, const SetPlan& plan) {
  BuiltCommands built;
  for (const PlannedCommand& c : plan.commands) {
    const Encoded e = c.kind == PlannedCommand::kEntry ? c.family->entryEncoder(model, c.entry)
                                                       : EncodeSendAllStep(model, c.step);
    if (e.ok()) {
      built.commands.push_back(e);
    } else {
      const bool title = c.family != nullptr && c.family->form == ValueForm::kTitle;
      built.refusals.push_back({c.fields, RefusalText(e, title)});
    }
  }
  return built;
}

JobResult SendCommands(CommandExchange& exchange, const std::vector<Encoded>& commands,
                       const ProgressFn& progress) {
  const int total = static_cast<int>(commands.size());
  for (int i = 0; i < total; ++i) {
    ExchangeResult r = exchange.Send(commands[static_cast<std::size_t>(i)]);
    if (!r.ok()) return Failed(i, total, std::move(r));
    if (progress) progress(i + 1, total);
  }
  return Finished(exchange, total);
}

std::vector<int> QueriesFor(const std::vector<SavedField>& fields,
                            const std::vector<std::size_t>& indexes,
                            std::vector<std::string>* notKept) {
  std::set<int> steps;
  for (std::size_t i : indexes) {
    const int step = FieldStep(fields[i].name);
    if (step >= 0) {
      steps.insert(step);
    } else if (notKept != nullptr) {
      notKept->push_back(fields[i].name);
    }
  }
  return std::vector<int>(steps.begin(), steps.end());
}

}  // namespace korvex7::ctl
