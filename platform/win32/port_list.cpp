// The serial ports of this computer: the system's list of serial devices
// (HARDWARE\DEVICEMAP\SERIALCOMM: one value per present port, its data the
// port's name), every COM name the system resolves (a driver that does not
// enter its ports in that list), and the device's own name from the Ports
// device class ("USB Serial Port (COM7)" there, or its description).
#include <windows.h>
// SetupAPI's class GUIDs are defined here, once.
#include <devguid.h>
#include <initguid.h>
#include <setupapi.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <map>
#include <optional>

#include "platform/win32/serial_port.h"
#include "platform/win32/text.h"

namespace korvex7::win32 {

namespace {

std::wstring Upper(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return out;
}

// The number of "COMn" (1..256 and beyond), nothing for any other name.
std::optional<unsigned> ComNumber(std::wstring_view upper) {
  if (upper.size() < 4 || upper.size() > 8 || upper.substr(0, 3) != L"COM") return std::nullopt;
  unsigned n = 0;
  for (const wchar_t c : upper.substr(3)) {
    if (c < L'0' || c > L'9') return std::nullopt;
    n = n * 10 + static_cast<unsigned>(c - L'0');
  }
  if (n == 0) return std::nullopt;
  return n;
}

// The names in HARDWARE\DEVICEMAP\SERIALCOMM.
void AddSystemList(std::map<std::wstring, std::wstring>& names) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return;
  }
  for (DWORD i = 0;; ++i) {
    wchar_t valueName[256];
    DWORD valueNameChars = static_cast<DWORD>(std::size(valueName));
    wchar_t data[256] = {};
    DWORD dataBytes = sizeof(data) - sizeof(wchar_t);
    DWORD type = 0;
    const LONG r = RegEnumValueW(key, i, valueName, &valueNameChars, nullptr, &type,
                                 reinterpret_cast<BYTE*>(data), &dataBytes);
    if (r == ERROR_NO_MORE_ITEMS) break;
    if (r != ERROR_SUCCESS || type != REG_SZ) continue;
    const std::wstring name(data, wcsnlen(data, dataBytes / sizeof(wchar_t)));
    if (!name.empty()) names.emplace(Upper(name), name);
  }
  RegCloseKey(key);
}

// The COM names the system resolves.
void AddDosDevices(std::map<std::wstring, std::wstring>& names) {
  wchar_t target[512];
  for (unsigned n = 1; n <= 256; ++n) {
    const std::wstring name = L"COM" + std::to_wstring(n);
    if (QueryDosDeviceW(name.c_str(), target, static_cast<DWORD>(std::size(target))) != 0 ||
        GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
      names.emplace(name, name);
    }
  }
}

std::wstring DeviceProperty(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
  wchar_t text[512] = {};
  DWORD type = 0;
  if (!SetupDiGetDeviceRegistryPropertyW(set, &device, property, &type,
                                         reinterpret_cast<BYTE*>(text), sizeof(text) - 2,
                                         nullptr) ||
      type != REG_SZ) {
    return {};
  }
  return std::wstring(text);
}

// "USB Serial Port" for COM7 from the present devices of the Ports class,
// by upper-case port name.
std::map<std::wstring, std::wstring> DeviceNames() {
  std::map<std::wstring, std::wstring> described;
  const HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
  if (set == INVALID_HANDLE_VALUE) return described;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof(device);
  for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &device); ++i) {
    const HKEY key = SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) continue;
    wchar_t port[64] = {};
    DWORD bytes = sizeof(port) - sizeof(wchar_t);
    DWORD type = 0;
    const LONG r =
        RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(port), &bytes);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS || type != REG_SZ || port[0] == L'\0') continue;
    const std::wstring name(port);
    std::wstring text = DeviceProperty(set, device, SPDRP_FRIENDLYNAME);
    const std::wstring suffix = L" (" + name + L")";
    if (text.size() > suffix.size() &&
        Upper(text.substr(text.size() - suffix.size())) == Upper(suffix)) {
      text.resize(text.size() - suffix.size());
    }
    if (text.empty()) text = DeviceProperty(set, device, SPDRP_DEVICEDESC);
    if (!text.empty()) described.emplace(Upper(name), text);
  }
  SetupDiDestroyDeviceInfoList(set);
  return described;
}

}  // namespace

std::vector<SerialPortInfo> ListSerialPorts() {
  std::map<std::wstring, std::wstring> names;  // upper case -> as the system spells it
  AddSystemList(names);
  AddDosDevices(names);
  const std::map<std::wstring, std::wstring> described = DeviceNames();

  struct Entry {
    std::optional<unsigned> number;
    std::wstring upper;
    std::wstring name;
  };
  std::vector<Entry> entries;
  for (const auto& [upper, name] : names) {
    const std::optional<unsigned> number = ComNumber(upper);
    entries.push_back({number, upper, number ? L"COM" + std::to_wstring(*number) : name});
  }
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    if (a.number.has_value() != b.number.has_value()) return a.number.has_value();
    if (a.number) return *a.number < *b.number;
    return a.upper < b.upper;
  });
  std::vector<SerialPortInfo> ports;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Entry& e = entries[i];
    if (i > 0 && e.number && entries[i - 1].number == e.number) continue;  // "COM07" and "COM7"
    const auto d = described.find(e.number ? L"COM" + std::to_wstring(*e.number) : e.upper);
    ports.push_back(
        {WideToUtf8(e.name), d == described.end() ? std::string() : WideToUtf8(d->second)});
  }
  return ports;
}

}  // namespace korvex7::win32
