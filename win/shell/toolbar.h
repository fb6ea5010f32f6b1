// The main window's toolbar: its 14 buttons (toolbar_buttons.h) and the
// picture strip it shows, chosen for the window's DPI (ChooseToolbarMetrics
// of the core): the 100, 150 or 200 % strip, each drawn for its size.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "core/ui/main_window_layout.h"

namespace korvex7::win {

// Owner of an image list; destroyed with ImageList_Destroy.
class UniqueImageList {
 public:
  UniqueImageList() = default;
  explicit UniqueImageList(HIMAGELIST list) : list_(list) {}
  UniqueImageList(const UniqueImageList&) = delete;
  UniqueImageList& operator=(const UniqueImageList&) = delete;
  UniqueImageList(UniqueImageList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}
  UniqueImageList& operator=(UniqueImageList&& other) noexcept {
    if (this != &other) reset(std::exchange(other.list_, nullptr));
    return *this;
  }
  ~UniqueImageList() { reset(); }

  HIMAGELIST get() const { return list_; }
  explicit operator bool() const { return list_ != nullptr; }
  void reset(HIMAGELIST list = nullptr) {
    if (list_ != nullptr) ImageList_Destroy(list_);
    list_ = list;
  }

 private:
  HIMAGELIST list_ = nullptr;
};

// The toolbar (control id 50) with its tooltips and 14 buttons, as yet
// without pictures; null on failure.
HWND CreateToolbar(HWND parent, HINSTANCE instance);

// Shows the strip of `metrics` on the toolbar with its button size, and
// sizes the toolbar to its parent. The new image list replaces `images`
// once the toolbar holds it; on failure the toolbar keeps what it showed.
bool ShowToolbarStrip(HWND toolbar, HINSTANCE instance, const ToolbarMetrics& metrics,
                      UniqueImageList& images);

}  // namespace korvex7::win
