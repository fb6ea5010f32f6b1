#include "win/serial/device_server_link.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <utility>

#include "core/link/port_address.h"
#include "link/network_link.h"
#include "platform/win32/text.h"

namespace korvex7::win {

namespace {

// The longest a read of the device server's link keeps the receive thread
// from looking at its stop signal.
constexpr DWORD kLongestServerReadMs = 200;

struct ConnectJob {
  std::string name;
  HWND target = nullptr;
  std::uint64_t attempt = 0;
};

DWORD WINAPI ConnectEntry(void* parameter) {
  const std::unique_ptr<ConnectJob> job(static_cast<ConnectJob*>(parameter));
  auto result = std::make_unique<ServerConnectResult>();
  result->attempt = job->attempt;
  try {
    result->port = links::OpenPort(job->name);
  } catch (const links::LinkError& e) {
    result->kind = e.kind();
    result->detail = e.what();
  } catch (const std::exception& e) {
    result->detail = e.what();
  }
  if (PostMessageW(job->target, kServerConnectedMessage, 0,
                   reinterpret_cast<LPARAM>(result.get()))) {
    (void)result.release();  // the window owns it now
  }
  return 0;
}

}  // namespace

void DiscardConnectResults(HWND target) {
  MSG msg;
  while (PeekMessageW(&msg, target, kServerConnectedMessage, kServerConnectedMessage, PM_REMOVE)) {
    TakeConnectResult(msg.lParam);
  }
}

bool IsDeviceServerName(std::wstring_view name) {
  const auto startsWith = [name](std::wstring_view scheme) {
    if (name.size() < scheme.size()) return false;
    for (std::size_t i = 0; i < scheme.size(); ++i) {
      const wchar_t c = name[i] >= L'A' && name[i] <= L'Z' ? name[i] - L'A' + L'a' : name[i];
      if (c != scheme[i]) return false;
    }
    return true;
  };
  return startsWith(L"tcp://") || startsWith(L"rfc2217://");
}

std::optional<std::wstring> CanonicalDeviceServerName(std::wstring_view text) {
  if (!IsDeviceServerName(text)) return std::nullopt;
  const ParsedPortAddress parsed = ParsePortAddress(win32::WideToUtf8(std::wstring(text)));
  if (!parsed.address || parsed.address->kind == PortAddress::Kind::kSerial) return std::nullopt;
  return win32::Utf8ToWide(parsed.address->ToString());
}

std::wstring ServerConnectFailureText(links::LinkErrorKind kind, std::wstring_view name,
                                      std::string_view detail) {
  using links::LinkErrorKind;
  const std::wstring n(name);
  std::wstring text;
  switch (kind) {
    case LinkErrorKind::kHostNotFound:
      text = n + L" のホストが見つかりません。ホスト名を確認してください。";
      break;
    case LinkErrorKind::kNotReached:
      text = n +
             L" に接続できません。シリアルデバイスサーバーの電源、アドレスとポート番号を確認してく"
             L"ださい。";
      break;
    case LinkErrorKind::kBusy:
      text = n + L" は使用中です。ほかのプログラムが接続していないか確認してください。";
      break;
    case LinkErrorKind::kTelnetOnRawPort:
      text = n + L" は Telnet (RFC 2217) のポートです。種類に RFC 2217 を選んでください。";
      break;
    case LinkErrorKind::kNoComPortControl:
      text = n +
             L" は RFC 2217 の回線制御に応じません。種類に TCP "
             L"を選ぶか、サーバーの設定を確認してください。";
      break;
    case LinkErrorKind::kLineSettingsRefused:
      text = n +
             L" が回線の設定 (9600 bps、8 ビット、偶数パリティ、ストップ 1 ビット) "
             L"を受け付けませんでした。";
      break;
    case LinkErrorKind::kUnreliable:
      text = n + L" の回線が静かになりません。ノイズか、問い合わせなしに送信する機器があります。";
      break;
    case LinkErrorKind::kConnectionLost:
    case LinkErrorKind::kFailed:
      text = n + L" との接続に失敗しました。";
      break;
  }
  // The link's own words where they say more than the text above: the
  // system's reason (a connection refused or timed out, a name unknown), the
  // line settings the server made, what the line sent.
  const bool detailed = kind != LinkErrorKind::kBusy && kind != LinkErrorKind::kTelnetOnRawPort &&
                        kind != LinkErrorKind::kNoComPortControl;
  if (detailed && !detail.empty()) text += L"\n\n" + win32::Utf8ToWide(std::string(detail));
  return text;
}

bool DeviceServerLink::StartConnect(std::wstring_view name, HWND target, std::uint64_t attempt) {
  auto job = std::make_unique<ConnectJob>();
  job->name = win32::WideToUtf8(std::wstring(name));
  job->target = target;
  job->attempt = attempt;
  HANDLE thread = CreateThread(nullptr, 0, &ConnectEntry, job.get(), 0, nullptr);
  if (thread == nullptr) return false;
  (void)job.release();  // the thread owns it now
  CloseHandle(thread);
  return true;
}

void DeviceServerLink::Install(std::unique_ptr<links::LinkPort> port) {
  const std::lock_guard<std::mutex> lock(mutex_);
  port_ = std::move(port);
  ++opening_;
}

void DeviceServerLink::Close() {
  std::shared_ptr<links::LinkPort> old;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    old = std::exchange(port_, nullptr);
  }
}

bool DeviceServerLink::IsOpen() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return port_ != nullptr;
}

std::uint64_t DeviceServerLink::openNumber() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return kServerOpeningBase + opening_;
}

void DeviceServerLink::Write(std::string_view frame) {
  std::shared_ptr<links::LinkPort> port;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    port = port_;
  }
  if (port) port->Write(frame);
}

ReceiveSource::Read DeviceServerLink::ReadSome(char* buffer, std::size_t capacity, DWORD waitMs) {
  std::shared_ptr<links::LinkPort> port;
  ReceiveSource::Read read;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    port = port_;
    read.opening = kServerOpeningBase + opening_;
  }
  if (!port) {
    read.status = ReceiveSource::Read::Status::kNoLink;
    return read;
  }
  try {
    const std::size_t n = port->Read(
        buffer, capacity, std::chrono::milliseconds(std::min(waitMs, kLongestServerReadMs)));
    read.status =
        n > 0 ? ReceiveSource::Read::Status::kBytes : ReceiveSource::Read::Status::kNothing;
    read.count = n;
  } catch (const links::LinkError& e) {
    read.status = ReceiveSource::Read::Status::kFailed;
    read.error = static_cast<unsigned long>(e.kind());
  } catch (const std::exception&) {
    // Nothing may end the receive thread: a failure of any kind is a lost link.
    read.status = ReceiveSource::Read::Status::kFailed;
  }
  return read;
}

ReceiveSource::Read LinkReceiveSource::ReadSome(char* buffer, std::size_t capacity, DWORD waitMs,
                                                HANDLE stop) {
  if (server_.IsOpen()) return server_.ReadSome(buffer, capacity, waitMs);
  return serial_.ReadSome(buffer, capacity, waitMs, stop);
}

void LinkWriter::Write(std::string_view frame) {
  if (server_.IsOpen()) {
    server_.Write(frame);
  } else {
    port_.Write(frame);
  }
}

}  // namespace korvex7::win
