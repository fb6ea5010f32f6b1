// Rules every settings dialog shares, kept free of Win32 so they are tested
// natively: the slave-address list, which list item a stored value selects,
// when the slave-address list may be used, and the Set button.
//
// A value list stores its selection index unchanged: the field value is the
// position of the item in the list, so a value outside the list selects
// nothing. The slave-address list is the same for every dialog ("00".."31"
// and "Broadcast"), except in the read-all dialog, which offers no Broadcast.
#pragma once

#include <cstdint>
#include <string>

#include "core/link/session.h"

namespace korvex7 {

inline constexpr int kSlaveAddressItems = 33;  // "00".."31", "Broadcast"
inline constexpr int kUnitAddressItems = 32;   // "00".."31" (read-all)

// The text of slave-address item 0..32 ("00".."31", "Broadcast"); empty
// outside.
std::string SlaveAddressItem(int index);

// The list position a stored value selects: the value itself when it is an
// item of a list of itemCount items, otherwise -1 (no selection).
int ListSelectionFor(std::int32_t value, int itemCount);

// The slave-address list can be used only in RS-485 mode and never while a
// run or Set-all sequence of its dialog is going on.
bool SlaveAddressListEnabled(std::int32_t linkMode, bool runActive);

// A "設定" (Set) button: ignored (false) while a command still awaits its
// answer; otherwise a single command (transferMode 0) is sent by the encoder,
// which may refuse its value and leave the refusal in replyWait.unitStatus.
// Returns true when the encoder was called.
template <typename Encoder>
bool PressSetButton(Session& session, Encoder&& encoder) {
  if (session.replyWait.ackPending != 0) return false;
  session.replyWait.transferMode = kTransferSingle;
  encoder(session);
  return true;
}

}  // namespace korvex7
