#include "platform/GdiCanvas.h"

#include <algorithm>
#include <cwchar>

#include "common/BmpFile.h"
#include "common/DpiScale.h"
#include "common/FileSystem.h"
#include "platform/DebugLog.h"
#include "platform/PictureFile.h"
#include "platform/WinText.h"

namespace qb {
namespace {

constexpr int kFallbackWidth = 640;
constexpr int kFallbackHeight = 480;

}  // namespace

GdiCanvas::GdiCanvas(HDC hdc, int width, int height) : hdc_(hdc), width_(width), height_(height) {
  if (hdc_ != nullptr) savedState_ = SaveDC(hdc_);
}

GdiCanvas::GdiCanvas(int width, int height) : memDc_(CreateCompatibleDC(nullptr)) {
  if (!Tolerate(memDc_.valid(), "CreateCompatibleDC")) return;
  hdc_ = memDc_.get();
  savedState_ = SaveDC(hdc_);
  (void)Allocate(width < 1 ? 1 : width, height < 1 ? 1 : height);
}

GdiCanvas GdiCanvas::ScreenSized() {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  if (width < 1 || height < 1) return GdiCanvas(kFallbackWidth, kFallbackHeight);
  return GdiCanvas(width, height);
}

GdiCanvas::~GdiCanvas() {
  // Puts back the DC's own font and bitmap, so that ours can be deleted and a borrowed DC is
  // handed back as it came.
  if (hdc_ != nullptr && savedState_ != 0) RestoreDC(hdc_, savedState_);
}

bool GdiCanvas::Allocate(int width, int height) {
  std::uint32_t* bits = nullptr;
  UniqueBitmap bitmap = CreateTopDownDib(width, height, &bits);
  if (!Tolerate(bitmap.valid() && bits != nullptr, "CreateDIBSection")) return false;
  if (SelectObject(hdc_, bitmap.get()) == nullptr) {
    LogWin32Failure("SelectObject(DIB)", GetLastError());
    return false;
  }
  // The previous bitmap (if any) is no longer selected and goes now.
  bitmap_ = std::move(bitmap);
  bits_ = bits;
  width_ = width;
  height_ = height;
  return true;
}

HFONT GdiCanvas::FontFor(const CanvasFont& font) {
  auto key = std::make_tuple(font.face, font.size, font.bold, font.italic);
  const auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second.get();

  LOGFONTW logFont{};
  // Points to pixels; a size the font cannot take gives the face's default.
  logFont.lfHeight = FontHeightForPoints(font.size, fontDpi_ > 0 ? fontDpi_ : GetDeviceCaps(hdc_, LOGPIXELSY));
  logFont.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  logFont.lfItalic = font.italic ? TRUE : FALSE;
  logFont.lfCharSet = DEFAULT_CHARSET;
  logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
  logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  logFont.lfQuality = DEFAULT_QUALITY;
  logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring face = font.face.empty() ? std::wstring(kDefaultFace) : Widen(font.face);
  wcsncpy(logFont.lfFaceName, face.c_str(), LF_FACESIZE - 1);

  UniqueFont created(CreateFontIndirectW(&logFont));
  if (!Tolerate(created.valid(), "CreateFontIndirectW")) return nullptr;
  const HFONT handle = created.get();
  fonts_.emplace(std::move(key), std::move(created));
  return handle;
}

void GdiCanvas::SetFontDpi(int dpi) {
  if (UsableDpi(dpi) == fontDpi_) return;
  fontDpi_ = UsableDpi(dpi);
  // The fonts made so far are for the other DPI; none of them is selected once the DC is restored.
  if (hdc_ != nullptr && !fonts_.empty()) SelectObject(hdc_, GetStockObject(SYSTEM_FONT));
  fonts_.clear();
}

void GdiCanvas::DrawText(int x, int y, std::string_view text, Colour colour, const CanvasFont& font) {
  if (hdc_ == nullptr) return;
  const HFONT hfont = FontFor(font);
  if (hfont != nullptr) SelectObject(hdc_, hfont);  // stays selected; the destructor restores
  SetBkMode(hdc_, TRANSPARENT);
  SetTextColor(hdc_, static_cast<COLORREF>(colour) & 0x00FFFFFFu);
  const std::wstring wide = Widen(text);
  Tolerate(TextOutW(hdc_, x, y, wide.c_str(), static_cast<int>(wide.size())) != 0, "TextOutW");
}

void GdiCanvas::FillRect(int x, int y, int width, int height, Colour colour) {
  if (hdc_ == nullptr) return;
  UniqueBrush brush(CreateSolidBrush(static_cast<COLORREF>(colour) & 0x00FFFFFFu));
  if (!Tolerate(brush.valid(), "CreateSolidBrush")) return;
  const RECT rect{x, y, x + width, y + height};
  Tolerate(::FillRect(hdc_, &rect, brush.get()) != 0, "FillRect");
}

bool GdiCanvas::LoadPicture(const std::string& path) {
  if (bits_ == nullptr) return false;  // a borrowed DC cannot be resized
  const std::optional<DecodedPicture> picture = DecodePictureFile(path);
  if (!picture) return false;
  GdiFlush();
  if (picture->width != width_ || picture->height != height_) {
    if (!Allocate(picture->width, picture->height)) return false;
  }
  std::copy(picture->pixels.begin(), picture->pixels.end(), bits_);
  return true;
}

bool GdiCanvas::SavePicture(const std::string& path) {
  if (bits_ == nullptr) return false;
  GdiFlush();  // GDI may batch drawing into a DIB section
  const std::string bytes = EncodeBmp24(bits_, width_, height_);
  if (bytes.empty()) return false;
  return SystemFileSystem().WriteFileAtomically(path, bytes);
}

}  // namespace qb
