#include "win/tools/e2e_driver/remote_controls.h"

#include <commctrl.h>

#include "win/tools/e2e_driver/text_io.h"
#include "win/tools/e2e_driver/window_search.h"

namespace korvex7::e2e {

namespace {

// A block of read-write memory in the process of a window, freed (and the
// process handle closed) with the object.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, SIZE_T bytes) : bytes_(bytes) {
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                           ProcessOf(window));
    if (process_ == nullptr) Fail(L"cannot open the program's process");
    address_ = VirtualAllocEx(process_, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool valid() const { return address_ != nullptr; }
  LPARAM address() const { return reinterpret_cast<LPARAM>(address_); }

  // Copies the whole block into `into` (bytes_ long); false when it could
  // not be read in full.
  bool Read(void* into) const {
    SIZE_T got = 0;
    return ReadProcessMemory(process_, address_, into, bytes_, &got) != 0 && got == bytes_;
  }

  // Copies bytes_ bytes of `from` into the block; false when they could not
  // all be written.
  bool Write(const void* from) const {
    SIZE_T put = 0;
    return WriteProcessMemory(process_, address_, from, bytes_, &put) != 0 && put == bytes_;
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  SIZE_T bytes_;
};

}  // namespace

std::wstring RemoteStatusText(HWND bar, int part) {
  constexpr SIZE_T kChars = 256;
  RemoteBuffer remote(bar, kChars * sizeof(wchar_t));
  if (!remote.valid()) return {};
  DWORD_PTR result = 0;
  if (!SendWithTimeout(bar, SB_GETTEXTW, static_cast<WPARAM>(part), remote.address(), result)) {
    return {};
  }
  wchar_t local[kChars + 1] = {};
  if (!remote.Read(local)) return {};
  return local;
}

bool RemoteToolbarButtonRect(HWND toolbar, int command, RECT& rect) {
  return RemoteRectQuery(toolbar, TB_GETRECT, static_cast<WPARAM>(command), rect);
}

bool RemoteRectQuery(HWND window, UINT message, WPARAM wParam, RECT& rect) {
  RemoteBuffer remote(window, sizeof(RECT));
  if (!remote.valid()) return false;
  DWORD_PTR result = 0;
  return SendWithTimeout(window, message, wParam, remote.address(), result) && result != 0 &&
         remote.Read(&rect);
}

bool RemoteSendRect(HWND window, UINT message, WPARAM wParam, const RECT& rect) {
  RemoteBuffer remote(window, sizeof(RECT));
  if (!remote.valid() || !remote.Write(&rect)) return false;
  DWORD_PTR result = 0;
  return SendWithTimeout(window, message, wParam, remote.address(), result);
}

}  // namespace korvex7::e2e
