// The 14 toolbar buttons: picture index, the menu command each sends, its
// tooltip and its status-bar help text.
#pragma once

#include <array>
#include <string_view>

#include "win/resources/resource.h"

namespace korvex7::win {

struct ToolbarButton {
  int image;
  int command;
  std::wstring_view tooltip;
  std::wstring_view statusText;
};

inline constexpr std::array<ToolbarButton, 14> kToolbarButtons = {{
    {0, IDM_ALARM, L"アラーム", L"アラームの設定"},
    {1, IDM_VIDEO_LOSS, L"ビデオロス", L"ビデオロスの設定"},
    {2, IDM_DATE_TIME, L"日付・時刻", L"日付・時刻の設定"},
    {3, IDM_TITLE, L"タイトル", L"タイトルの設定"},
    {4, IDM_TITLE_DISPLAY, L"タイトル表示", L"タイトル表示の設定"},
    {5, IDM_FONT_SIZE, L"フォントサイズ", L"フォントサイズの設定"},
    {6, IDM_AUTO_SWITCH, L"自動切換え", L"自動切換えの設定"},
    {7, IDM_VIDEO_ADJUST, L"ビデオ調整", L"ビデオ調整"},
    {8, IDM_AGC, L"オート・ゲイン・コントロール", L"オート・ゲイン・コントロールの設定"},
    {9, IDM_VIDEO_FORMAT, L"ビデオフォーマット", L"ビデオフォーマットの設定"},
    {10, IDM_TITLE_POSITION, L"タイトル位置微調整", L"タイトル位置微調整"},
    {11, IDM_SPLIT_LAYOUT, L"分割画面配置", L"分割画面配置の設定"},
    {12, IDM_SCREEN_SWITCH, L"画面切換え", L"画面切換えの設定"},
    {13, IDM_OTHER, L"その他", L"その他の設定"},
}};

// The button that sends command, or null.
inline const ToolbarButton* FindToolbarButton(int command) {
  for (const ToolbarButton& b : kToolbarButtons) {
    if (b.command == command) return &b;
  }
  return nullptr;
}

}  // namespace korvex7::win
