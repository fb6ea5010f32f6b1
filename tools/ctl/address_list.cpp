#include "tools/ctl/address_list.h"

#include <algorithm>

#include "core/link/send_command.h"

namespace korvex7::ctl {

namespace {

// One address of one or two decimal digits, 0..31; -1 when it is not one.
int ParseAddress(std::string_view text) {
  if (text.empty() || text.size() > 2) return -1;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value <= kMaxUnitAddress ? value : -1;
}

bool IsBroadcast(std::string_view text) {
  return text.size() == 2 && (text[0] == 'F' || text[0] == 'f') &&
         (text[1] == 'F' || text[1] == 'f');
}

}  // namespace

AddressList ParseAddressList(std::string_view text) {
  AddressList list;
  // The entry in quotes, then the complaint.
  const auto fail = [&list](std::string_view quoted, std::string_view complaint) {
    list.addresses.clear();
    list.error.clear();
    if (!quoted.empty()) list.error.append("\"").append(quoted).append("\" ");
    list.error.append(complaint);
    return list;
  };
  if (text.empty()) return fail({}, "no unit address given");
  bool broadcast = false;
  std::string_view rest = text;
  while (true) {
    const std::size_t comma = rest.find(',');
    const std::string_view item = rest.substr(0, comma);
    if (item.empty()) return fail(text, "has an empty entry");
    if (IsBroadcast(item)) {
      broadcast = true;
      list.addresses.push_back(kBroadcastAddress);
    } else {
      const std::size_t dash = item.find('-');
      const int first = ParseAddress(item.substr(0, dash));
      const int last = dash == std::string_view::npos ? first : ParseAddress(item.substr(dash + 1));
      if (first < 0 || last < 0) {
        return fail(item, "is not a unit address (00 to 31, or FF)");
      }
      if (last < first) {
        return fail(item, "runs backwards");
      }
      for (int a = first; a <= last; ++a) {
        if (std::find(list.addresses.begin(), list.addresses.end(), a) != list.addresses.end()) {
          return fail({}, AddressName(a) + " is listed twice");
        }
        list.addresses.push_back(a);
      }
    }
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  if (broadcast && list.addresses.size() > 1) {
    return fail({},
                "FF (Broadcast) reaches every unit at once; it cannot be listed with other "
                "addresses");
  }
  return list;
}

std::string AddressName(std::int32_t address) { return AddressPrefix(address); }

}  // namespace korvex7::ctl
