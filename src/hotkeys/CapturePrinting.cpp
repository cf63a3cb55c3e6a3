#include "hotkeys/CapturePrinting.h"

#include <winspool.h>

#include <cwchar>
#include <string>
#include <vector>

#include "common/AppIdentity.h"
#include "platform/DebugLog.h"
#include "platform/SystemLibrary.h"
#include "platform/WinText.h"

namespace qb {

namespace {

// The spooler is loaded the first time something is printed, not with the program.
constexpr const wchar_t* kSpooler = L"winspool.drv";

struct PrinterDcTraits {
  using Value = HDC;
  static HDC Empty() noexcept { return nullptr; }
  static bool IsValid(HDC h) noexcept { return h != nullptr; }
  static void Close(HDC h) noexcept { DeleteDC(h); }
};
using UniquePrinterDc = UniqueResource<PrinterDcTraits>;

struct PrinterTraits {
  using Value = HANDLE;
  static HANDLE Empty() noexcept { return nullptr; }
  static bool IsValid(HANDLE h) noexcept { return h != nullptr; }
  static void Close(HANDLE h) noexcept {
    if (const auto close = SystemFunctionAs<decltype(&ClosePrinter)>(kSpooler, "ClosePrinter")) close(h);
  }
};
using UniquePrinter = UniqueResource<PrinterTraits>;

std::wstring DefaultPrinterName() {
  const auto defaultPrinter = SystemFunctionAs<decltype(&GetDefaultPrinterW)>(kSpooler, "GetDefaultPrinterW");
  if (defaultPrinter == nullptr) return {};
  DWORD size = 0;
  defaultPrinter(nullptr, &size);
  if (size == 0) return {};
  std::wstring name(size, L'\0');
  if (!defaultPrinter(name.data(), &size)) return {};
  name.resize(wcsnlen(name.c_str(), name.size()));
  return name;
}

// The printer's own page set-up with A4 landscape asked for; empty when the driver does not say,
// and the page then prints as the printer is set up.
std::vector<std::byte> CapturePageSetup(std::wstring& printerName) {
  const auto openPrinter = SystemFunctionAs<decltype(&OpenPrinterW)>(kSpooler, "OpenPrinterW");
  const auto documentProperties = SystemFunctionAs<decltype(&DocumentPropertiesW)>(kSpooler, "DocumentPropertiesW");
  if (openPrinter == nullptr || documentProperties == nullptr) return {};
  HANDLE opened = nullptr;
  if (!Tolerate(openPrinter(printerName.data(), &opened, nullptr) != FALSE, "OpenPrinterW")) return {};
  const UniquePrinter printer(opened);
  const LONG size = documentProperties(nullptr, printer.get(), printerName.data(), nullptr, nullptr, 0);
  if (!Tolerate(size >= static_cast<LONG>(sizeof(DEVMODEW)), "DocumentPropertiesW(size)")) return {};
  std::vector<std::byte> buffer(static_cast<size_t>(size));
  auto* mode = reinterpret_cast<DEVMODEW*>(buffer.data());
  if (!Tolerate(documentProperties(nullptr, printer.get(), printerName.data(), mode, nullptr, DM_OUT_BUFFER) == IDOK,
                "DocumentPropertiesW(read)")) {
    return {};
  }
  mode->dmPaperSize = kCapturePaper;
  mode->dmOrientation = kCaptureOrientation;
  mode->dmFields |= DM_PAPERSIZE | DM_ORIENTATION;
  // The driver merges the request into a set-up it can print.
  Tolerate(documentProperties(nullptr, printer.get(), printerName.data(), mode, mode, DM_IN_BUFFER | DM_OUT_BUFFER) == IDOK,
           "DocumentPropertiesW(merge)");
  return buffer;
}

}  // namespace

PrintablePage PrintablePageOf(HDC page) {
  return {GetDeviceCaps(page, HORZRES), GetDeviceCaps(page, VERTRES), GetDeviceCaps(page, LOGPIXELSX),
          GetDeviceCaps(page, LOGPIXELSY)};
}

bool DrawCapturePicture(HDC page, const ScreenPicture& picture, const PixelRect& place) {
  if (picture.pixels == nullptr) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = picture.size.width;
  info.bmiHeader.biHeight = -picture.size.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  if (width < 1 || height < 1) return false;
  if (width < picture.size.width || height < picture.size.height) {
    // Halftoning keeps a shrunk screen's text legible; it needs the brush origin set afterwards.
    SetStretchBltMode(page, HALFTONE);
    SetBrushOrgEx(page, 0, 0, nullptr);
  } else {
    // Enlarged onto the printer's finer dots, each screen pixel stays a sharp square.
    SetStretchBltMode(page, COLORONCOLOR);
  }
  const int lines = StretchDIBits(page, place.left, place.top, width, height, 0, 0, picture.size.width,
                                  picture.size.height, picture.pixels, &info, DIB_RGB_COLORS, SRCCOPY);
  // No lines drawn (0) and GDI_ERROR (-1) both mean failure.
  return Tolerate(lines > 0, "StretchDIBits(print)");
}

bool PrintCapture(const ScreenPicture& picture) {
  std::wstring printer = DefaultPrinterName();
  if (printer.empty()) {
    DebugLog("screen capture: no default printer");
    return false;
  }
  std::vector<std::byte> setup = CapturePageSetup(printer);
  const auto* mode = setup.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(setup.data());
  const UniquePrinterDc page(CreateDCW(L"WINSPOOL", printer.c_str(), nullptr, mode));
  if (!Tolerate(page.valid(), "CreateDCW(printer)")) return false;
  const std::optional<PixelRect> place = PrintPlacement(picture.size, PrintablePageOf(page.get()));
  if (!place) return false;
  const std::wstring title = Widen(kAppTitle);
  DOCINFOW document{};
  document.cbSize = sizeof document;
  document.lpszDocName = title.c_str();
  if (!Tolerate(StartDocW(page.get(), &document) > 0, "StartDocW")) return false;
  const bool printed = Tolerate(StartPage(page.get()) > 0, "StartPage") && DrawCapturePicture(page.get(), picture, *place) &&
                       Tolerate(EndPage(page.get()) > 0, "EndPage");
  if (!printed) {
    AbortDoc(page.get());
    return false;
  }
  return Tolerate(EndDoc(page.get()) > 0, "EndDoc");
}

}  // namespace qb
