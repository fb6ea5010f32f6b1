// The functions behind the driver's steps (the table is in steps.cpp). Each
// takes its own arguments from the driver and fails with the reason the
// step did not hold.
#pragma once

namespace korvex7::e2e {

class Driver;

// ---- The program, its windows and message boxes (window_steps.cpp) -------
void FindMainWindow(Driver& d);          // main MS
void PostMenuCommand(Driver& d);         // menu ID
void WaitForDialog(Driver& d);           // dialog CAPTION MS
void ExpectNoDialog(Driver& d);          // no-dialog CAPTION MS
void ExpectCaption(Driver& d);           // caption TEXT
void PostClose(Driver& d);               // close
void SendClose(Driver& d);               // send-close
void RetryWithin(Driver& d);             // within MS STEP [ARG...]
void WaitUntilGone(Driver& d);           // gone MS
void WaitForBox(Driver& d);              // box TEXT CAPTION MS
void WaitForBoxOfAnyProcess(Driver& d);  // box-any TEXT CAPTION MS
void ExpectNoBox(Driver& d);             // no-box MS
void ExpectStatus(Driver& d);            // status PART TEXT
void PrintStatus(Driver& d);             // print-status PART
void PrintCurrentRect(Driver& d);        // print-rect
void PrintMainRect(Driver& d);           // print-main-rect
void PrintControlRect(Driver& d);        // print-control-rect ID
void ExpectExited(Driver& d);            // exited MS [CODE]
void ExpectAlive(Driver& d);             // alive
void SleepFor(Driver& d);                // sleep MS
void ClickToolbarButton(Driver& d);      // toolbar ID
void PostKey(Driver& d);                 // key VK

// ---- Where the windows are (layout_steps.cpp) ------------------------------
void ExpectFits(Driver& d);       // fits
void ExpectMainFits(Driver& d);   // main-fits
void PrintMainLayout(Driver& d);  // print-main-layout
void SendDpiChanged(Driver& d);   // dpi-changed DPI

// ---- The system around the program (session_steps.cpp) ------------------
void SendQueryEndSession(Driver& d);  // query-end-session ANSWER
void SendEndSession(Driver& d);       // end-session 0|1
void HoldFile(Driver& d);             // hold-file PATH SHARE
void ReleaseFile(Driver& d);          // release-file PATH
void SendEnterSizeMove(Driver& d);    // size-move-start
void SendExitSizeMove(Driver& d);     // size-move-end
void SendDpiChangedTo(Driver& d);     // dpi-changed-to DPI X Y W H
void MovePointer(Driver& d);          // pointer-at X Y

// ---- The controls of the current window (control_steps.cpp) --------------
void PostSelect(Driver& d);       // select ID INDEX
void SendSelect(Driver& d);       // choose ID INDEX
void ExpectSelection(Driver& d);  // selection ID INDEX
void ClickButton(Driver& d);      // click ID
void SetControlText(Driver& d);   // set-text ID TEXT
void SetFileName(Driver& d);      // filename TEXT
void ExpectText(Driver& d);       // text ID TEXT
void WaitForText(Driver& d);      // wait-text ID TEXT MS
void PrintText(Driver& d);        // print-text ID
void ExpectEnabled(Driver& d);    // enabled ID 0|1
void ExpectChecked(Driver& d);    // checked ID 0|1
void ExpectItems(Driver& d);      // items ID N
void PrintItems(Driver& d);       // print-items ID
void ExpectVisible(Driver& d);    // visible ID 0|1
void PrintTextsSeen(Driver& d);   // texts-seen ID MS

}  // namespace korvex7::e2e
