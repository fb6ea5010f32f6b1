// The read-all and send-all dialogs share one shape: a progress bar (0..55),
// a percentage field, the slave-address list, the start/cancel button and
// "Close". Each describes its controls, captions and run in a
// BulkTransferDialog and opens with RunBulkTransferDialog, which runs it on
// the dialog engine (form_dialog.h) with the run as its Set-all run.
#pragma once

#include <windows.h>

#include <string_view>

#include "core/transfer/bulk_run.h"
#include "win/dialogs/dialog_common.h"
#include "win/dialogs/dialog_context.h"

namespace korvex7::win {

struct BulkTransferDialog {
  int resource;
  std::wstring_view caption;    // ends in its blank; the file name follows
  std::wstring_view idleLabel;  // the start button's text when no run is active
  int startId;
  int progressId;
  int percentId;
  int slaveListId;
  int closeId;
  SlaveList slaveList;
  BulkSequence (*sequence)();
  void (*prepare)(SettingsModel& model);  // before the dialog opens; may be null
};

void RunBulkTransferDialog(const DialogContext& context, const BulkTransferDialog& dialog);

}  // namespace korvex7::win
