#include "win/serial/port_choices.h"

#include <algorithm>
#include <optional>

#include "platform/win32/text.h"
#include "win/serial/link_profile.h"

namespace korvex7::win {

namespace {

constexpr int kAlwaysListed = 6;  // COM1..COM6

// The order of the list: COM ports by number, then other names.
bool ListedBefore(const PortChoice& a, const PortChoice& b) {
  const std::optional<std::wstring> an = CanonicalPortName(a.name);
  const std::optional<std::wstring> bn = CanonicalPortName(b.name);
  if (an.has_value() != bn.has_value()) return an.has_value();
  if (an) return std::stoi(an->substr(3)) < std::stoi(bn->substr(3));
  return a.name < b.name;
}

}  // namespace

std::vector<PortChoice> BuildPortChoices(const std::vector<platform::SerialPortInfo>& present,
                                         std::wstring_view current) {
  std::vector<PortChoice> choices;
  for (int n = 1; n <= kAlwaysListed; ++n) {
    const std::wstring name = L"COM" + std::to_wstring(n);
    choices.push_back({name, name});
  }
  std::vector<PortChoice> others;
  for (const platform::SerialPortInfo& port : present) {
    const std::wstring wide = win32::Utf8ToWide(port.name);
    const std::wstring name = CanonicalPortName(wide).value_or(wide);
    const std::wstring label =
        win32::Utf8ToWide(platform::PortLabel({port.name, port.description}));
    const int index = FindPortChoice(choices, name);
    if (index >= 0 && index < kAlwaysListed) {
      choices[static_cast<std::size_t>(index)].label = label;
    } else if (FindPortChoice(others, name) < 0 && !name.empty()) {
      others.push_back({name, label});
    }
  }
  if (!current.empty() && FindPortChoice(choices, current) < 0 &&
      FindPortChoice(others, current) < 0) {
    const std::wstring name = CanonicalPortName(current).value_or(std::wstring(current));
    others.push_back({name, name});
  }
  std::stable_sort(others.begin(), others.end(), ListedBefore);
  choices.insert(choices.end(), others.begin(), others.end());
  return choices;
}

int FindPortChoice(const std::vector<PortChoice>& choices, std::wstring_view name) {
  const auto same = [name](const PortChoice& c) {
    if (c.name.size() != name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
      const auto lower = [](wchar_t ch) {
        return ch >= L'A' && ch <= L'Z' ? ch - L'A' + L'a' : ch;
      };
      if (lower(c.name[i]) != lower(name[i])) return false;
    }
    return true;
  };
  const auto it = std::find_if(choices.begin(), choices.end(), same);
  return it == choices.end() ? -1 : static_cast<int>(it - choices.begin());
}

}  // namespace korvex7::win
