// ReplyAssembler: what happens to one complete line from the unit.
//
// Any line ends the wait for a reply: replyWait.waitTicks is cleared first and
// replyWait.ackPending last, whatever the line held. In between:
//
//   1. RS-485: a line that begins with the two digits of the selected unit
//      address ("00".."31", and "32" while Broadcast is selected) loses them.
//      A line without them, or with another unit's digits, is taken whole.
//   2. The status words "MENU", "ALARM", "LOCK", "GN", "E0".."E3" (each the
//      whole line with its CR LF) set replyWait.unitStatus to 1..8.
//   3. "GO" while a command awaits its acknowledgement clears the status and
//      reports the outcome: 1 for a single command, 2 for the last step of a
//      run, unchanged for an earlier step (the run's timer goes on once
//      waitTicks is 0).
//   4. Every other line, "GO" with nothing awaited included, is a data reply
//      for ReplyDispatcher.
//
// Before all that, HandleReceivedLine skips the line's echo: on a line that
// returns what is sent (2-wire RS-485, some device servers) the frame just
// written comes back, byte for byte, ahead of the unit's answer. Taken as a
// reply it would pass for one: the echo of "AMI" decodes as the alarm mode
// and would report a refused command as accepted. Only the first line after
// the frame, and only when it holds exactly the frame's bytes, is the echo;
// it changes nothing (the wait goes on) and is counted in session.sent.
//
// Runs on the thread that owns the Session (the user-interface thread in the
// Windows program, which receives complete lines from the receive thread).
#pragma once

#include <string_view>

#include "core/link/line_assembler.h"
#include "core/link/session.h"

namespace korvex7 {

// Settles one complete line: its bytes up to and including LF, as
// LineAssembler hands them on.
void ReplyAssembler(Session& session, std::string_view line);

// A line that was too long to hold: it ends the wait like any line and is
// reported as a malformed reply (status 8).
void RejectOverlongLine(Session& session);

// True when `line` is the echo of the frame SendCommand wrote last: the first
// line since, and byte for byte that frame. The echo is counted and the frame
// can no longer be echoed; any other line only ends the chance of an echo.
bool TakeEcho(Session& session, const ReceivedLine& line);

// What happens to a line from the port: the echo of the frame just written is
// skipped (TakeEcho; false is returned and nothing else changes), every other
// line goes to ReplyAssembler or RejectOverlongLine (true).
bool HandleReceivedLine(Session& session, const ReceivedLine& line);

// The line without the selected unit's address digits, as ReplyAssembler
// sees it: in RS-485 mode two leading digits of link.slaveAddress ("32" while
// Broadcast is selected) are removed; otherwise the line is unchanged.
std::string_view WithoutOwnAddress(const SettingsModel::Link& link, std::string_view line);

// The unit status code of a status-word line ("MENU\r\n" -> 1 ... "E3\r\n" ->
// 8), 0 for any other line.
int StatusWordCode(std::string_view line);

}  // namespace korvex7
