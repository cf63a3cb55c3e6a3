// The settings dialog's controls: moving values between them and SettingsDialogValues, the two font
// samples, the colour boxes, which boxes are enabled and the hotkey rows' status texts.
#include <windows.h>

#include <cmath>
#include <string>

#include "platform/DebugLog.h"
#include "platform/WinText.h"
#include "platform/WindowHelpers.h"
#include "settings_dialog/ColourPicker.h"
#include "settings_dialog/FontPicker.h"
#include "settings_dialog/SettingsDialog.h"

namespace qb {

namespace {

constexpr COLORREF kStatusColour = RGB(192, 0, 0);

UniqueFont MakeFont(std::string_view face, double points, bool bold, bool italic) {
  const int height = -static_cast<int>(std::lround(points * ScreenDpi(LOGPIXELSY) / 72.0));
  return UniqueFont(CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, Widen(face).c_str()));
}

// Values into the controls. A control that already shows the value is left alone, so that a text
// box keeps its caret and scroll position.
class ShowFields final : public FieldVisitor {
public:
  ShowFields(std::map<int, HWND>& controls, std::map<int, qb::Colour>& colours) : controls_(controls), colours_(colours) {}

  void Text(int id, std::string& text) override {
    const HWND control = controls_[id];
    if (control != nullptr && WindowTextOf(control) != text) SetWindowTextW(control, Widen(text).c_str());
  }
  void Check(int id, bool& ticked) override {
    SendMessageW(controls_[id], BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  void List(int id, int& index) override { SendMessageW(controls_[id], CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
  void Colour(int id, qb::Colour& colour) override {
    const auto it = colours_.find(id);
    if (it != colours_.end() && it->second == colour) return;
    colours_[id] = colour;
    InvalidateRect(controls_[id], nullptr, FALSE);
  }

private:
  std::map<int, HWND>& controls_;
  std::map<int, qb::Colour>& colours_;
};

// The controls' contents into the values.
class CollectFields final : public FieldVisitor {
public:
  CollectFields(std::map<int, HWND>& controls, std::map<int, qb::Colour>& colours) : controls_(controls), colours_(colours) {}

  void Text(int id, std::string& text) override { text = WindowTextOf(controls_[id]); }
  void Check(int id, bool& ticked) override { ticked = SendMessageW(controls_[id], BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void List(int id, int& index) override {
    const LRESULT chosen = SendMessageW(controls_[id], CB_GETCURSEL, 0, 0);
    if (chosen != CB_ERR) index = static_cast<int>(chosen);
  }
  void Colour(int id, qb::Colour& colour) override {
    if (const auto it = colours_.find(id); it != colours_.end()) colour = it->second;
  }

private:
  std::map<int, HWND>& controls_;
  std::map<int, qb::Colour>& colours_;
};

}  // namespace

HWND SettingsDialog::Control(int id) const {
  const auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

void SettingsDialog::PrepareControls() {
  for (int row = 0; row < kDialogHotkeyRows; ++row) {
    for (std::string_view text : kModifierListTexts) {
      SendMessageW(Control(ctl::kModifierList + row), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
    }
    for (std::string_view text : kKeyListTexts) {
      SendMessageW(Control(ctl::kKeyList + row), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
    }
  }
  for (const auto& [id, control] : controls_) {
    const auto placed = FindControl(id);
    if (!placed) continue;
    const ControlKind kind = placed->layout->kind;
    // The stored texts have no length limit; an edit control's default is 30 000 characters.
    if (kind == ControlKind::Edit || kind == ControlKind::MultiLineEdit) SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
  }
  macroFont_ = MakeFont(kMacroFontFace, kDialogFontPoints, false, false);
  for (int n = 0; n < kDialogSlotCount; ++n) {
    SendMessageW(Control(ctl::kMacroText + n), WM_SETFONT, reinterpret_cast<WPARAM>(macroFont_.get()), FALSE);
  }
}

void SettingsDialog::ShowValues() {
  ShowFields show(controls_, boxColours_);
  VisitFields(values_, show);
}

void SettingsDialog::CollectValues() {
  CollectFields collect(controls_, boxColours_);
  VisitFields(values_, collect);
}

void SettingsDialog::UpdateEnabling() {
  const auto ticked = [this](int id) { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; };
  const bool autoDiet = ticked(ctl::kAutoDiet);
  EnableWindow(Control(ctl::kAutoDietSeconds), autoDiet);
  EnableWindow(Control(ctl::kAutoDietPercent), autoDiet);
  EnableWindow(Control(ctl::kCalendarPictureFile), ticked(ctl::kCalendarPicture));
  for (int i = 0; i < kDialogLauncherRows; ++i) EnableWindow(Control(ctl::kAppOpacity + i), values_.launcherOpacityEnabled);
}

void SettingsDialog::UpdateSamples() {
  const SampleFont calendar = CalendarSample(values_);
  calendarSampleFont_ = MakeFont(calendar.face, calendar.points, calendar.bold, calendar.italic);
  calendarSampleBack_.reset(CreateSolidBrush(static_cast<COLORREF>(calendar.back)));
  SendMessageW(Control(ctl::kCalendarSample), WM_SETFONT, reinterpret_cast<WPARAM>(calendarSampleFont_.get()), TRUE);

  const SampleFont memo = MemoSample(values_);
  memoSampleFont_ = MakeFont(memo.face, memo.points, memo.bold, memo.italic);
  memoSampleBack_.reset(CreateSolidBrush(static_cast<COLORREF>(memo.back)));
  SendMessageW(Control(ctl::kMemoSample), WM_SETFONT, reinterpret_cast<WPARAM>(memoSampleFont_.get()), TRUE);
}

void SettingsDialog::UpdateHotkeyStatus() {
  for (int row = 1; row <= kDialogHotkeyRows; ++row) {
    const std::string_view text = live_.HotkeyRowRegistered(row) ? std::string_view() : kHotkeyTakenText;
    SetWindowTextW(Control(ctl::kHotkeyStatus + row - 1), Widen(text).c_str());
  }
}

void SettingsDialog::OnColourBoxClick(int id) {
  const HWND box = Control(id);
  Colour colour = boxColours_[id];
  // The picker belongs to the box that was pressed.
  if (!TakePickedColour(colour, ShowColorDialog(box, colour))) return;
  boxColours_[id] = colour;
  InvalidateRect(box, nullptr, FALSE);
  if (id == ctl::kCalendarText || id == ctl::kCalendarBack || id == ctl::kMemoBack) {
    CollectValues();
    UpdateSamples();
  }
}

void SettingsDialog::OnFontButtonClick(int id) {
  CollectValues();
  const bool calendar = id == ctl::kCalendarFontButton;
  FontChoice font = calendar ? CalendarFontChoice(values_) : MemoFontChoice(values_);
  if (ShowFontDialog(dialog_, font) != 0) return;  // cancelled: nothing changes
  if (calendar) {
    TakeCalendarFontChoice(values_, font);
  } else {
    TakeMemoFontChoice(values_, font);
  }
  ShowValues();
  UpdateSamples();
}

void SettingsDialog::DrawColourBox(const DRAWITEMSTRUCT& item) {
  RECT r = item.rcItem;
  DrawEdge(item.hDC, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  const auto it = boxColours_.find(static_cast<int>(item.CtlID));
  const COLORREF colour = it == boxColours_.end() ? GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(it->second);
  const UniqueBrush brush(CreateSolidBrush(colour));
  FillRect(item.hDC, &r, brush.get());
  if ((item.itemState & ODS_FOCUS) != 0) {
    InflateRect(&r, -2, -2);
    DrawFocusRect(item.hDC, &r);
  }
}

HBRUSH SettingsDialog::StaticColours(HDC dc, HWND control) {
  const int id = GetDlgCtrlID(control);
  if (id == ctl::kCalendarSample || id == ctl::kMemoSample) {
    const SampleFont sample = id == ctl::kCalendarSample ? CalendarSample(values_) : MemoSample(values_);
    SetTextColor(dc, static_cast<COLORREF>(sample.text));
    SetBkColor(dc, static_cast<COLORREF>(sample.back));
    return (id == ctl::kCalendarSample ? calendarSampleBack_ : memoSampleBack_).get();
  }
  if (id >= ctl::kHotkeyStatus && id < ctl::kHotkeyStatus + kDialogHotkeyRows) {
    SetTextColor(dc, kStatusColour);
    SetBkMode(dc, TRANSPARENT);
    return GetSysColorBrush(COLOR_BTNFACE);
  }
  return nullptr;
}

}  // namespace qb
