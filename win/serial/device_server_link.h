// The program's link to a unit through a serial device server (tcp://,
// rfc2217://): the same port korvex7ctl opens (link/network_link.h: the
// Telnet / RFC 2217 client, the quiet start, a busy server tried again),
// held so that the receive thread and the user-interface thread can share
// it.
//
// Threads. Connecting takes up to several seconds (the connect time, the
// RFC 2217 negotiation, the quiet start), so it runs on a thread of its own
// (StartConnect) and its result is posted to the main window
// (kServerConnectedMessage); the window stays responsive meanwhile. The
// user-interface thread installs the connected port, writes frames and
// closes it; the receive thread reads it (ReadSome). The port is shared
// under a lock and held by each user while in use, so a port closed while
// the receive thread reads goes away when that read returns. The port sends
// the Telnet replies it owes while reading under the same write lock as the
// frames, so the two never interleave on the socket.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "core/link/port.h"
#include "link/link_port.h"
#include "win/serial/receive_thread.h"

namespace korvex7::win {

// Posted to the main window when a connection attempt has ended; lParam is
// a ServerConnectResult* allocated with new, owned by the receiver.
inline constexpr UINT kServerConnectedMessage = WM_APP + 4;  // after kOfferSaveMessage

struct ServerConnectResult {
  std::uint64_t attempt = 0;
  std::unique_ptr<links::LinkPort> port;  // empty when the attempt failed
  links::LinkErrorKind kind = links::LinkErrorKind::kFailed;
  std::string detail;  // the link's own words about the failure
};

inline std::unique_ptr<ServerConnectResult> TakeConnectResult(LPARAM lParam) {
  return std::unique_ptr<ServerConnectResult>(reinterpret_cast<ServerConnectResult*>(lParam));
}

// Frees the connection results still queued for a window that is going away.
void DiscardConnectResults(HWND target);

// Whether a port name is a device server's address ("tcp://", "rfc2217://",
// any case).
bool IsDeviceServerName(std::wstring_view name);

// The address as the profile keeps it: the scheme in small letters, an IPv6
// address in brackets, the port without leading zeros; nothing when the text
// is not a device server's address.
std::optional<std::wstring> CanonicalDeviceServerName(std::wstring_view text);

// The Japanese message shown when the operator's connection to `name` fails;
// `detail` (the link's English words) is added where it says more.
std::wstring ServerConnectFailureText(links::LinkErrorKind kind, std::wstring_view name,
                                      std::string_view detail);

// Holds any LinkPort for a reader thread and a writer: the program's device
// server, or the port ユニット検索 opens for itself (a COM port too).
class DeviceServerLink {
 public:
  // Starts connecting to `name` (a device server's address, or any port
  // links::OpenPort takes) on a thread of its own; the result goes to
  // `target` tagged with `attempt`. False when the thread could not start.
  static bool StartConnect(std::wstring_view name, HWND target, std::uint64_t attempt);

  // User-interface thread: the connected port becomes the link, with an
  // opening number of its own.
  void Install(std::unique_ptr<links::LinkPort> port);
  void Close();
  bool IsOpen() const;
  std::uint64_t openNumber() const;
  // A frame to the unit; a frame that does not leave shows as the reply
  // time-out (the receive thread notices the lost connection).
  void Write(std::string_view frame);

  // Receive thread: waits up to `waitMs` for bytes from the line.
  ReceiveSource::Read ReadSome(char* buffer, std::size_t capacity, DWORD waitMs);

 private:
  mutable std::mutex mutex_;
  std::shared_ptr<links::LinkPort> port_;
  std::uint64_t opening_ = 0;
};

// Openings of a device server's link are numbered apart from the serial
// port's, so that a report about one is never taken for the other.
inline constexpr std::uint64_t kServerOpeningBase = 0x40000000;

// A receive thread's source over a DeviceServerLink alone.
class ServerReceiveSource final : public ReceiveSource {
 public:
  explicit ServerReceiveSource(DeviceServerLink& link) : link_(link) {}
  Read ReadSome(char* buffer, std::size_t capacity, DWORD waitMs, HANDLE) override {
    return link_.ReadSome(buffer, capacity, waitMs);
  }

 private:
  DeviceServerLink& link_;
};

// The receive thread's source and the core's writer over whichever link is
// in use: the device server's when one is connected, else the serial port.
class LinkReceiveSource final : public ReceiveSource {
 public:
  LinkReceiveSource(win32::SerialPort& port, DeviceServerLink& server)
      : serial_(port), server_(server) {}
  Read ReadSome(char* buffer, std::size_t capacity, DWORD waitMs, HANDLE stop) override;

 private:
  SerialReceiveSource serial_;
  DeviceServerLink& server_;
};

class LinkWriter final : public PortWriter {
 public:
  LinkWriter(win32::SerialPort& port, DeviceServerLink& server) : port_(port), server_(server) {}
  void Write(std::string_view frame) override;

 private:
  win32::SerialPort& port_;
  DeviceServerLink& server_;
};

}  // namespace korvex7::win
