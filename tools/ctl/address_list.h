// RS-485 unit addresses as typed after --address: one address "05", the
// broadcast address "FF", a range "03-07", or a list of these "01,04,10-12".
// Addresses are decimal, 00 to 31; units are served in the order given.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvex7::ctl {

struct AddressList {
  std::vector<std::int32_t> addresses;  // link.slaveAddress values: 0..31, 32 = Broadcast
  std::string error;                    // plain words when the text is not an address list
  bool ok() const { return error.empty(); }
};

AddressList ParseAddressList(std::string_view text);

// "00".."31", or "FF" for Broadcast: the two characters that go on the wire.
std::string AddressName(std::int32_t address);

}  // namespace korvex7::ctl
