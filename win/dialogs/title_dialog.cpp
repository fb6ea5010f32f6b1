#include "win/dialogs/title_dialog.h"

#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "core/commands/title_commands.h"
#include "core/transfer/dialog_sequences.h"
#include "core/ui/title_dialog_logic.h"
#include "win/dialogs/form_dialog.h"
#include "win/dialogs/paint_support.h"
#include "win/dialogs/title_characters.h"
#include "win/resources/resource.h"
#include "win/support/text.h"

namespace korvex7::win {

namespace {

constexpr wchar_t kCaption[] = L"タイトルの設定  ";
constexpr wchar_t kSetAllLabel[] = L"全設定";
constexpr wchar_t kPreviewFace[] = L"ＭＳ ゴシック";
constexpr int kPreviewFontWeight = 100;

SetAllOptions TitleSetAllOptions() {
  SetAllOptions o;
  o.buttonId = IDC_TITLE_SET_ALL;
  o.idleLabel = kSetAllLabel;
  o.lockedControls = {IDC_TITLE_CHANNEL, IDC_TITLE_EDIT, IDC_TITLE_SET, IDC_TITLE_CLOSE};
  o.slaveListId = IDC_TITLE_SLAVE;
  o.periodMs = 400;
  return o;
}

struct TitleDialog {
  explicit TitleDialog(Session& session) : setAll(session, TitleSequence(), TitleSetAllOptions()) {}

  SetAllRun setAll;
  // The edit box is being filled from the model (or cut back to what was
  // stored): its change notification is not an edit.
  bool loading = false;
  // The text the box showed after its last change, to tell what was typed.
  std::wstring shown;
};

bool ValidChannel(std::int32_t channel) { return channel >= 0 && channel < kChannels; }

std::wstring EditText(HWND edit) {
  const int length = GetWindowTextLengthW(edit);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(edit, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

void SetEditText(HWND dialog, TitleDialog& d, const std::wstring& text) {
  d.loading = true;
  SetDlgItemTextW(dialog, IDC_TITLE_EDIT, text.c_str());
  d.loading = false;
}

void InvalidatePreview(HWND dialog) {
  const PreviewRect& f = kTitlePreviewFrame;
  const RECT r = ScaledClientRect(dialog, f.left, f.top, f.right + 1, f.bottom + 1);
  InvalidateRect(dialog, &r, TRUE);
}

// Puts the selected channel's stored title into the edit box; not an edit.
void LoadTitle(HWND dialog, TitleDialog& d) {
  const SettingsModel& m = DialogSessionOf(dialog).model;
  std::wstring text;
  if (ValidChannel(m.selectedChannel)) {
    text = Cp932ToWide(TextView(m.title.text[static_cast<std::size_t>(m.selectedChannel)]));
  }
  SetEditText(dialog, d, text);
  d.shown = text;
  InvalidatePreview(dialog);
}

// The operator changed the edit box: the text, cut to 20 bytes of code page
// 932 at a character boundary, becomes the selected channel's title.
void OnEditChanged(HWND dialog, TitleDialog& d) {
  if (d.loading) return;
  SettingsModel& m = DialogSessionOf(dialog).model;
  if (!ValidChannel(m.selectedChannel)) return;
  HWND edit = GetDlgItem(dialog, IDC_TITLE_EDIT);
  const std::vector<TitleCharacter> before = TitleCharacters(d.shown);
  const std::vector<TitleCharacter> after = TitleCharacters(EditText(edit));
  const TitleEditFit fit = FitTitleEdit(before, after);
  const TitleText932 title = ComposeTitle(std::span<const TitleCharacter>(fit.text));
  SetText(m.title.text[static_cast<std::size_t>(m.selectedChannel)], title.bytes);
  d.shown = TypedText(fit.text);
  if (fit.cut) {
    // What did not fit is refused, as by a byte-limited box: the box shows
    // the stored title with the caret after the characters that were kept.
    SetEditText(dialog, d, d.shown);
    std::size_t units = 0;
    for (std::size_t i = 0; i < fit.caret; ++i) units += fit.text[i].typed.size();
    const auto caret = static_cast<LPARAM>(units);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(caret), caret);
  }
  InvalidatePreview(dialog);
  MarkEditModified(dialog);
}

// "設定": the selected channel's title, or the title-character message when
// it cannot be sent.
void SendSelectedTitle(Session& s) {
  TitleWorkBuffer work{};
  const std::int32_t channel = s.model.selectedChannel;
  if (PrepareTitle(s.model, channel, work) == 1 && SendTitle(s, channel, work) == 0) return;
  ShowInvalidTitleCharacters();
}

void PaintPreview(HWND dialog, TitleDialog&) {
  DialogPaint paint(dialog);
  HDC dc = paint.dc();
  if (dc == nullptr) return;
  const PreviewRect& f = kTitlePreviewFrame;
  paint.Frame(f.left, f.top, f.right, f.bottom);

  const SelectedObject labelFont(dc, DialogFont(dialog));
  for (int ch = 0; ch < kChannels; ++ch) {
    const TitlePreviewLine line = TitlePreviewLineOf(ch);
    paint.TextUtf8(line.labelX, line.y, ChannelItem(ch));
  }

  UniqueGdiObject<HFONT> font(CreateFontW(paint.Px(kTitlePreviewFontHeight), 0, 0, 0,
                                          kPreviewFontWeight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                          FIXED_PITCH | FF_MODERN, kPreviewFace));
  if (!font) return;
  const SelectedObject titleFont(dc, font.get());
  const int previousExtra = SetTextCharacterExtra(dc, paint.Px(kTitlePreviewCharacterExtra));
  const SettingsModel& m = DialogSessionOf(dialog).model;
  for (int ch = 0; ch < kChannels; ++ch) {
    const TitlePreviewLine line = TitlePreviewLineOf(ch);
    paint.Text(line.titleX, line.y,
               Cp932ToWide(TextView(m.title.text[static_cast<std::size_t>(ch)])));
  }
  SetTextCharacterExtra(dc, previousExtra == INT_MIN ? 0 : previousExtra);
}

void OnInit(HWND dialog, TitleDialog& d) {
  std::vector<std::string> channels;
  for (int ch = 0; ch < kChannels; ++ch) channels.push_back(ChannelItem(ch));
  const std::vector<std::string_view> items(channels.begin(), channels.end());
  FillValueList(dialog, IDC_TITLE_CHANNEL, items);
  // A title is at most 20 bytes, so never more than 20 characters; the byte
  // limit itself is kept when the text is stored.
  SendDlgItemMessageW(dialog, IDC_TITLE_EDIT, EM_LIMITTEXT, kTitleBytes, 0);
  SelectListValue(dialog, IDC_TITLE_CHANNEL, DialogSessionOf(dialog).model.selectedChannel);
  LoadTitle(dialog, d);
}

bool OnCommand(HWND dialog, TitleDialog& d, WPARAM wParam) {
  const int code = HIWORD(wParam);
  switch (LOWORD(wParam)) {
    case IDC_TITLE_CHANNEL:
      if (code == CBN_SELCHANGE) {
        const int selected = ListSelection(dialog, IDC_TITLE_CHANNEL);
        if (selected >= 0) {
          DialogSessionOf(dialog).model.selectedChannel = selected;
          LoadTitle(dialog, d);
        }
      }
      return true;
    case IDC_TITLE_EDIT:
      if (code == EN_CHANGE) OnEditChanged(dialog, d);
      return true;
    case IDC_TITLE_SET:
      PressSetButton(dialog, SendSelectedTitle);
      return true;
    default:
      return false;
  }
}

const FormDialog<TitleDialog> kForm = {
    .resource = IDD_TITLE,
    .caption = kCaption,
    .slaveListId = IDC_TITLE_SLAVE,
    .closeId = IDC_TITLE_CLOSE,
    .setAll = &TitleDialog::setAll,
    .init = OnInit,
    .command = OnCommand,
    .paint = PaintPreview,
};

}  // namespace

void RunTitleDialog(const DialogContext& context) {
  TitleDialog d(context.session);
  RunFormDialog(context, kForm, d);
}

}  // namespace korvex7::win
