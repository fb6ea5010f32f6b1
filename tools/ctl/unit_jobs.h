// What the tool does with one unit: read every setting (the 55 queries of
// the read-all run), send every setting (the 55 steps of the send-all run),
// read chosen fields, set chosen fields, and the checks that keep a refused
// value from reaching the wire. All of it runs on a CommandExchange over the
// core's Session, so the unit sees exactly the commands the program sends.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/model/saved_fields.h"
#include "tools/ctl/command_exchange.h"
#include "tools/ctl/field_args.h"

namespace korvex7::ctl {

// Called after each command with the number done and the number planned.
using ProgressFn = std::function<void(int done, int total)>;

// How a job ended. Every job ends as its exchange's ConfirmQuiet says: a line
// after the answer to its last Set fails it.
struct JobResult {
  bool ok = true;
  // Index of the failed command in its job: the command that was not sent,
  // or not answered as it must be. When the failure is a line that came
  // after an answer (failure.afterPrevious), the commands before this index
  // were answered, and the answer to the last of them is in doubt.
  int failedAt = -1;
  int total = 0;           // commands planned
  ExchangeResult failure;  // the failed exchange
};

// The 55 queries of the read-all run, one after another; stops at the first
// that fails. Decoded answers land in the session's model.
JobResult ReadAllSettings(CommandExchange& exchange, const ProgressFn& progress = {});

// Runs the given read-all queries (step indexes 0..54) in order. An answer
// that is not the line asked for ("GO", another setting's line) fails the
// query as an unexpected answer.
JobResult RunQueries(CommandExchange& exchange, const std::vector<int>& steps,
                     const ProgressFn& progress = {});

// The 55 steps of the send-all run from the session's model. The caller has
// checked the model with CheckSendAll.
JobResult WriteAllSettings(CommandExchange& exchange, const ProgressFn& progress = {});

// A value that would be refused, named by its field.
struct Refusal {
  std::string field;
  std::string message;
};

// Every value the send-all run would carry, checked before anything is sent:
// each field must hold a value of its kind and range, and every step's
// encoder must accept the model (a split layout that shows a channel twice,
// a title the unit cannot show).
std::vector<Refusal> CheckSendAll(const SettingsModel& model);

// One command that carries assigned values to the unit.
struct PlannedCommand {
  enum Kind { kStep, kEntry } kind = kStep;
  int step = -1;                        // kStep: the send-all step
  const FieldFamily* family = nullptr;  // kEntry: the family and entry
  int entry = -1;
  std::string fields;  // the fields it carries, for messages
};

// How the values of a set reach the unit: a scalar by its own step, a title by
// its channel's step, an array by its single-entry command where the unit has
// one, else by the all-entries command, which needs the unit's current values
// of the entries not assigned (read first with the step's query).
struct SetPlan {
  std::vector<int> queries;              // read-all steps to run before applying
  std::vector<PlannedCommand> commands;  // in send-all order
  std::vector<std::string> errors;       // fields the unit does not keep
};
SetPlan PlanSet(const std::vector<SavedField>& fields, const std::vector<Assignment>& assignments);

// The encoded commands of a plan for the model (the assignments already
// applied), or the refusals that keep all of them from being sent.
struct BuiltCommands {
  std::vector<Encoded> commands;
  std::vector<Refusal> refusals;
};
BuiltCommands BuildCommands(const SettingsModel& model, const SetPlan& plan);

// Sends built commands in order; stops at the first that fails.
JobResult SendCommands(CommandExchange& exchange, const std::vector<Encoded>& commands,
                       const ProgressFn& progress = {});

// The read-all steps that report the given fields, in order, without
// repeats; fields the unit does not keep are listed in `notKept`.
std::vector<int> QueriesFor(const std::vector<SavedField>& fields,
                            const std::vector<std::size_t>& indexes,
                            std::vector<std::string>* notKept);

}  // namespace korvex7::ctl
