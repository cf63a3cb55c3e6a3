#include "platform/DialogDpiLayout.h"

#include "common/DpiScale.h"
#include "platform/DebugLog.h"
#include "platform/Dpi.h"

namespace qb {

namespace {

// Windows 10 1703: SetDialogDpiChangeBehavior(dialog, DDC_DISABLE_ALL, DDC_DISABLE_ALL).
using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
constexpr int kDisableAll = 1;

int Scale(LONG value, int to, int from) { return MulDiv(value, to, from); }

}  // namespace

void DialogDpiLayout::Record(HWND dialog) {
  static const auto setBehaviour = reinterpret_cast<SetDialogDpiChangeBehaviorFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetDialogDpiChangeBehavior")));
  if (setBehaviour != nullptr) {
    Tolerate(setBehaviour(dialog, kDisableAll, kDisableAll) != FALSE, "SetDialogDpiChangeBehavior");
  }
  recordedDpi_ = dpi_ = DpiOfWindow(dialog);
  const auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
  hasFont_ = dialogFont != nullptr && GetObjectW(dialogFont, sizeof recordedFont_, &recordedFont_) != 0;
  RECT inner{};
  GetClientRect(dialog, &inner);
  inner_ = SIZE{inner.right, inner.bottom};
  controls_.clear();
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
    controls_.push_back(Control{child, place, font != nullptr && font == dialogFont});
  }
}

void DialogDpiLayout::Apply(HWND dialog, int dpi, const RECT* suggested) {
  dpi_ = UsableDpi(dpi);
  if (hasFont_) {
    LOGFONTW logFont = recordedFont_;
    logFont.lfHeight = Scale(logFont.lfHeight, dpi_, recordedDpi_);
    UniqueFont font(CreateFontIndirectW(&logFont));
    if (Tolerate(font.valid(), "CreateFontIndirectW(dialog)")) {
      SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
      for (const Control& c : controls_) {
        if (c.dialogFont) SendMessageW(c.window, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
      }
      font_ = std::move(font);  // every control has the new one: the old one can go
    }
  }
  for (const Control& c : controls_) {
    PlaceChild(c.window, PixelRect{Scale(c.place.left, dpi_, recordedDpi_), Scale(c.place.top, dpi_, recordedDpi_),
                                   Scale(c.place.right, dpi_, recordedDpi_), Scale(c.place.bottom, dpi_, recordedDpi_)});
  }
  ApplySuggestedRectOrSize(dialog, suggested,
                           OuterSizeForDpi(SIZE{Scale(inner_.cx, dpi_, recordedDpi_), Scale(inner_.cy, dpi_, recordedDpi_)},
                                           static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)),
                                           static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)), dpi_));
  InvalidateRect(dialog, nullptr, TRUE);
}

}  // namespace qb
