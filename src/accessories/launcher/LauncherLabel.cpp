#include "accessories/launcher/LauncherLabel.h"

#include "platform/Handles.h"
#include "platform/WinText.h"

namespace qb {

void LauncherLabel::ConfigureClass(WNDCLASSEXW& wc) {
  wc.hbrBackground = nullptr;  // painted whole in WM_PAINT
}

bool LauncherLabel::Create(HWND parent, int row, const RECT& place, HFONT font, Listener* listener) {
  row_ = row;
  font_ = font;
  listener_ = listener;
  WindowCreateParams p;
  p.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  p.x = place.left;
  p.y = place.top;
  p.width = place.right - place.left;
  p.height = place.bottom - place.top;
  p.parent = parent;
  return CreateWindowFor(p);
}

void LauncherLabel::SetText(std::string_view text) {
  if (Hwnd() == nullptr) return;
  SetWindowTextW(Hwnd(), Widen(text).c_str());
  InvalidateRect(Hwnd(), nullptr, FALSE);
}

void LauncherLabel::SetFont(HFONT font) {
  font_ = font;
  if (Hwnd() != nullptr) InvalidateRect(Hwnd(), nullptr, FALSE);
}

void LauncherLabel::SetColours(COLORREF background, COLORREF text) {
  if (background == background_ && text == text_) return;
  background_ = background;
  text_ = text;
  if (Hwnd() != nullptr) InvalidateRect(Hwnd(), nullptr, FALSE);
}

void LauncherLabel::Paint() {
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(Hwnd(), &ps);
  if (dc == nullptr) return;
  RECT client{};
  GetClientRect(Hwnd(), &client);
  const UniqueBrush back(CreateSolidBrush(background_));
  if (back) FillRect(dc, &client, back.get());
  const int length = GetWindowTextLengthW(Hwnd());
  if (length > 0) {
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(Hwnd(), text.data(), length + 1)));
    const SelectGuard font(dc, font_ != nullptr ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text_);
    // As a label shows a name: wrapped at word ends, an '&' shown as it is.
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
  }
  EndPaint(Hwnd(), &ps);
}

LRESULT LauncherLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE:
      if (listener_ != nullptr) listener_->LauncherLabel_MouseMove(row_);
      return 0;
    case WM_LBUTTONUP:
      if (listener_ != nullptr) listener_->LauncherLabel_ButtonUp(row_, LauncherRows::Button::Left);
      return 0;
    case WM_RBUTTONUP:
      if (listener_ != nullptr) listener_->LauncherLabel_ButtonUp(row_, LauncherRows::Button::Right);
      return 0;
    case WM_MBUTTONUP:
      if (listener_ != nullptr) listener_->LauncherLabel_ButtonUp(row_, LauncherRows::Button::Middle);
      return 0;
    case WM_XBUTTONUP:
      if (listener_ != nullptr) listener_->LauncherLabel_ButtonUp(row_, LauncherRows::Button::Other);
      return TRUE;  // as the documentation of WM_XBUTTONUP asks
    default:
      return DefaultProc(message, wParam, lParam);
  }
}

}  // namespace qb
