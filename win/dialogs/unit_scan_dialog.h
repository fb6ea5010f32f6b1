// ユニット検索 (opened from 通信の設定), over the port chosen there: every
// address 00 to 31 of an RS-485 line is asked in turn, one slot of kScanSlot
// each, paced by a timer of the dialog on the user-interface thread; on
// RS-232C the one unit is asked.
// The rules of a slot are the core's (core/transfer/unit_scan.h), the same
// as korvex7ctl scan's: a unit counts only for a well-formed answer to the
// query sent to its own address while it was asked. The dialog lists the
// units that answered with their state and any noise on the line. It
// changes no setting: only the alarm-mode query goes out.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/link/line_assembler.h"
#include "core/transfer/unit_scan.h"

namespace korvex7::win {

// The line the scan runs over: the program's link in use, or (`own`) the
// port chosen in 通信の設定 when it is not the one in use, which the dialog
// opens for itself (off the window's thread, with a reader thread of its
// own) and closes when it ends.
struct UnitScanLine {
  std::wstring portName;  // for the dialog's text; the port opened when `own`
  std::int32_t mode = 0;  // 0 RS-232C (the one unit), 1 RS-485 (00..31)
  bool own = false;
  // The link in use (not `own`): writes a frame; routes every received line
  // to the function given while the scan runs (an empty function gives the
  // lines back to the session).
  std::function<void(std::string_view)> write;
  std::function<void(std::function<void(const ReceivedLine&)>)> setLineSink;
};

void RunUnitScanDialog(HINSTANCE instance, HWND owner, const UnitScanLine& line);

// The state a unit answered with: "応答あり", or the status word's meaning
// ("メニュー表示中 (Menu Display)").
std::wstring ScanStateText(std::int32_t unitStatus);

// What the dialog shows once the scan is over: the units, the noise, the
// echo and the answers that may have come late; lines end in "\r\n".
std::wstring UnitScanReport(const UnitScan& scan);

// The line above the list while the scan runs or once it is over.
std::wstring UnitScanProgress(const UnitScan& scan, std::wstring_view port);

}  // namespace korvex7::win
