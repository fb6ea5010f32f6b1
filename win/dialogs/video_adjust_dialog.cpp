#include "win/dialogs/video_adjust_dialog.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/commands/video_adjust_commands.h"
#include "core/transfer/dialog_sequences.h"
#include "core/ui/display_scale.h"
#include "core/ui/title_dialog_logic.h"
#include "core/ui/video_adjust_dialog_logic.h"
#include "win/dialogs/form_dialog.h"
#include "win/dialogs/paint_support.h"
#include "win/resources/resource.h"
#include "win/support/display_dpi.h"
#include "win/support/text.h"

namespace korvex7::win {

namespace {

constexpr wchar_t kCaption[] = L"ビデオ調整設定 ";
constexpr wchar_t kSetAllLabel[] = L"全設定";

// The single-channel encoder of each row, in row order.
using SendOne = bool (*)(Session&, std::int32_t stored);
constexpr std::array<SendOne, kAdjustRows> kRowSenders = {SendBrightness, SendContrast, SendHue,
                                                          SendSharpness, SendSaturation};

int ListId(int row) { return IDC_VIDEO_ADJUST_LIST + row; }
int SetId(int row) { return IDC_VIDEO_ADJUST_SET + row; }

void SetProgress(HWND dialog, std::wstring_view text) {
  const std::wstring t(text);
  SetDlgItemTextW(dialog, IDC_VIDEO_ADJUST_PROGRESS, t.c_str());
}

SetAllOptions VideoAdjustSetAllOptions() {
  SetAllOptions o;
  o.buttonId = IDC_VIDEO_ADJUST_SET_ALL;
  o.idleLabel = kSetAllLabel;
  for (int row = 0; row < kAdjustRows; ++row) {
    o.lockedControls.push_back(ListId(row));
    o.lockedControls.push_back(SetId(row));
  }
  o.lockedControls.push_back(IDC_VIDEO_ADJUST_CHANNEL);
  o.lockedControls.push_back(IDC_VIDEO_ADJUST_CLOSE);
  o.slaveListId = IDC_VIDEO_ADJUST_SLAVE;
  o.periodMs = 200;
  o.onStart = [](HWND dialog) { SetProgress(dialog, L"0"); };
  o.onStep = [](HWND dialog, int percent) {
    SetProgress(dialog, Utf8ToWide(VideoAdjustPercentText(percent)));
  };
  o.onRestore = [](HWND dialog) { SetProgress(dialog, L""); };
  return o;
}

struct VideoAdjustDialog {
  VideoAdjustDialog(Session& session, bool narrowLayout)
      : setAll(session, VideoAdjustSequence(), VideoAdjustSetAllOptions()), narrow(narrowLayout) {}

  SetAllRun setAll;
  // Opened from the narrow template (above 96 DPI), which paints the narrow
  // table.
  bool narrow;
};

bool ValidChannel(std::int32_t channel) { return channel >= 0 && channel < kChannels; }

// The table where this dialog paints it, at the dialog's DPI; `dc` holds the
// dialog's font (the narrow table is fitted to its texts).
VideoAdjustTable TableOf(HWND dialog, const VideoAdjustDialog& d, HDC dc, int dpi) {
  if (!d.narrow) return ScaledVideoAdjustTable(dpi);
  RECT client{};
  if (!GetClientRect(dialog, &client)) return ScaledVideoAdjustTable(dpi);
  VideoAdjustTextWidths widths;
  widths.label =
      WidestText(dc, {VideoAdjustRowLabel(kAdjustBrightness), VideoAdjustRowLabel(kAdjustContrast),
                      VideoAdjustRowLabel(kAdjustHue), VideoAdjustRowLabel(kAdjustSharpness),
                      VideoAdjustRowLabel(kAdjustSaturation)});
  // The widest heading, and the widest cell of each row's form.
  widths.cell = WidestText(
      dc, {ChannelItem(kChannels - 1), VideoAdjustCell(kAdjustBrightness, 0),
           VideoAdjustCell(kAdjustContrast, 127), VideoAdjustCell(kAdjustHue, 0),
           VideoAdjustCell(kAdjustSharpness, 31), VideoAdjustCell(kAdjustSaturation, 127)});
  return NarrowVideoAdjustTable(dpi, client.right, widths);
}

// The table is repainted without erasing: its frame is filled first. The
// narrow table's frame spans the client area but for its margin.
void InvalidateTable(HWND dialog, const VideoAdjustDialog& d) {
  const AdjustTableRect f = ScaledVideoAdjustTable(DialogDpi(dialog)).frame;
  RECT r{f.left, f.top, f.right + 1, f.bottom + 1};
  if (RECT client{}; d.narrow && GetClientRect(dialog, &client)) r.right = client.right;
  InvalidateRect(dialog, &r, FALSE);
}

// Each value list shows the selected channel's stored value.
void SelectChannelValues(HWND dialog) {
  const SettingsModel& m = DialogSessionOf(dialog).model;
  for (int row = 0; row < kAdjustRows; ++row) {
    const std::int32_t value =
        ValidChannel(m.selectedChannel)
            ? VideoAdjustValues(m.videoAdjust, row)[static_cast<std::size_t>(m.selectedChannel)]
            : -1;
    SelectListValue(dialog, ListId(row), value);
  }
}

void FillGeneratedList(HWND dialog, int listId, int count, std::string (*item)(int)) {
  std::vector<std::string> texts;
  texts.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) texts.push_back(item(i));
  const std::vector<std::string_view> items(texts.begin(), texts.end());
  FillValueList(dialog, listId, items);
}

void OnInit(HWND dialog, VideoAdjustDialog&) {
  FillGeneratedList(dialog, IDC_VIDEO_ADJUST_CHANNEL, kChannels, ChannelItem);
  for (int row = 0; row < kAdjustRows; ++row) {
    std::vector<std::string> texts;
    for (int p = 0; p < VideoAdjustItemCount(row); ++p) texts.push_back(VideoAdjustItem(row, p));
    const std::vector<std::string_view> items(texts.begin(), texts.end());
    FillValueList(dialog, ListId(row), items);
  }
  SendDlgItemMessageW(dialog, IDC_VIDEO_ADJUST_PROGRESS, EM_SETREADONLY, TRUE, 0);
  SelectChannelValues(dialog);
  SelectListValue(dialog, IDC_VIDEO_ADJUST_CHANNEL, DialogSessionOf(dialog).model.selectedChannel);
}

// A value list changed: the selected channel's element of its field.
void OnValueChanged(HWND dialog, const VideoAdjustDialog& d, int row) {
  SettingsModel& m = DialogSessionOf(dialog).model;
  const int selected = ListSelection(dialog, ListId(row));
  if (selected < 0 || !ValidChannel(m.selectedChannel)) return;
  VideoAdjustValues(m.videoAdjust, row)[static_cast<std::size_t>(m.selectedChannel)] = selected;
  InvalidateTable(dialog, d);
  MarkModified(dialog);
}

void OnChannelChanged(HWND dialog, const VideoAdjustDialog& d) {
  const int selected = ListSelection(dialog, IDC_VIDEO_ADJUST_CHANNEL);
  if (selected < 0) return;
  DialogSessionOf(dialog).model.selectedChannel = selected;
  SelectChannelValues(dialog);
  InvalidateTable(dialog, d);
}

// "設定" of a row: the selected channel's stored value. Without a channel
// there is no value; -1 is refused by the encoder ("Command Error").
void OnSetRow(HWND dialog, int row) {
  PressSetButton(dialog, [row](Session& s) {
    const std::int32_t channel = s.model.selectedChannel;
    const std::int32_t value =
        ValidChannel(channel)
            ? VideoAdjustValues(s.model.videoAdjust, row)[static_cast<std::size_t>(channel)]
            : -1;
    kRowSenders[static_cast<std::size_t>(row)](s, value);
  });
}

void PaintTable(HWND dialog, VideoAdjustDialog& d) {
  DialogPaint paint(dialog);
  if (paint.dc() == nullptr) return;
  const SelectedObject font(paint.dc(), DialogFont(dialog));
  const VideoAdjustTable t = TableOf(dialog, d, paint.dc(), paint.dpi());
  paint.FramePixels(t.frame.left, t.frame.top, t.frame.right, t.frame.bottom);
  const SettingsModel& m = DialogSessionOf(dialog).model;
  for (int ch = 0; ch < kChannels; ++ch) {
    paint.TextPixelsUtf8(t.columnX[static_cast<std::size_t>(ch)], t.headingY, ChannelItem(ch));
  }
  for (int row = 0; row < kAdjustRows; ++row) {
    const int y = t.rowY[static_cast<std::size_t>(row)];
    paint.TextPixelsUtf8(t.labelX, y, VideoAdjustRowLabel(row));
    const ChannelInts& values = VideoAdjustValues(m.videoAdjust, row);
    for (int ch = 0; ch < kChannels; ++ch) {
      paint.TextPixelsUtf8(t.columnX[static_cast<std::size_t>(ch)], y,
                           VideoAdjustCell(row, values[static_cast<std::size_t>(ch)]));
    }
  }
}

bool OnCommand(HWND dialog, VideoAdjustDialog& d, WPARAM wParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  for (int row = 0; row < kAdjustRows; ++row) {
    if (id == ListId(row)) {
      if (code == CBN_SELCHANGE) OnValueChanged(dialog, d, row);
      return true;
    }
    if (id == SetId(row)) {
      OnSetRow(dialog, row);
      return true;
    }
  }
  if (id != IDC_VIDEO_ADJUST_CHANNEL) return false;
  if (code == CBN_SELCHANGE) OnChannelChanged(dialog, d);
  return true;
}

const FormDialog<VideoAdjustDialog> kForm = {
    .resource = IDD_VIDEO_ADJUST,
    .caption = kCaption,
    .slaveListId = IDC_VIDEO_ADJUST_SLAVE,
    .closeId = IDC_VIDEO_ADJUST_CLOSE,
    .setAll = &VideoAdjustDialog::setAll,
    .init = OnInit,
    .command = OnCommand,
    .paint = PaintTable,
};

}  // namespace

void RunVideoAdjustDialog(const DialogContext& context) {
  // Above 96 DPI the specified layout scaled is wider than a laptop's screen
  // (1446 pixels at 150 %): the narrow one takes its place.
  VideoAdjustDialog d(context.session, WindowDpi(context.owner) > kDesignDpi);
  FormDialog<VideoAdjustDialog> form = kForm;
  if (d.narrow) form.resource = IDD_VIDEO_ADJUST_NARROW;
  RunFormDialog(context, form, d);
}

}  // namespace korvex7::win
