#include "platform/PictureFile.h"

#include <windows.h>
#include <objbase.h>
#include <wincodec.h>

#include <limits>

#include "common/BmpFile.h"
#include "common/FileSystem.h"
#include "platform/ComApartment.h"
#include "platform/DebugLog.h"
#include "platform/WinText.h"

namespace qb {
namespace {

// Owner of one COM interface pointer.
template <class T>
class ComRef {
public:
  ComRef() = default;
  ~ComRef() {
    if (p_ != nullptr) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T** put() { return &p_; }
  T* operator->() const { return p_; }
  T* get() const { return p_; }

private:
  T* p_ = nullptr;
};

bool Check(HRESULT hr, const char* call) {
  if (SUCCEEDED(hr)) return true;
  LogWin32Failure(call, static_cast<DWORD>(hr));
  return false;
}

bool HasBmpExtension(const std::string& path) {
  if (path.size() < 4) return false;
  std::string tail = path.substr(path.size() - 4);
  for (char& c : tail) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return tail == ".bmp";
}

// The plain bitmap files (the program's own among them) without starting COM; nullopt leaves the
// file to the imaging component.
std::optional<DecodedPicture> DecodePlainBmp(const std::string& path) {
  if (!HasBmpExtension(path)) return std::nullopt;
  const std::optional<std::string> bytes = SystemFileSystem().ReadFile(path);
  if (!bytes) return std::nullopt;
  std::optional<BmpPixels> bmp = DecodeBmp(*bytes);
  if (!bmp) return std::nullopt;
  return DecodedPicture{bmp->width, bmp->height, std::move(bmp->pixels)};
}

}  // namespace

std::optional<DecodedPicture> DecodePictureFile(const std::string& path) {
  if (path.empty()) return std::nullopt;
  if (std::optional<DecodedPicture> plain = DecodePlainBmp(path)) return plain;
  const ComApartment com;
  if (!com.Usable()) return std::nullopt;

  ComRef<IWICImagingFactory> factory;
  if (!Check(CreateComInstance(CLSID_WICImagingFactory, IID_IWICImagingFactory, reinterpret_cast<void**>(factory.put())),
             "CoCreateInstance(WICImagingFactory)")) {
    return std::nullopt;
  }
  const std::wstring widePath = Widen(path);
  ComRef<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromFilename(widePath.c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, decoder.put()))) {
    return std::nullopt;  // missing or not a picture: an everyday answer, not worth a log line
  }
  ComRef<IWICBitmapFrameDecode> frame;
  if (!Check(decoder->GetFrame(0, frame.put()), "IWICBitmapDecoder::GetFrame")) return std::nullopt;

  // 32bppBGR drops transparency: a transparent GIF pixel shows its palette colour, as a picture
  // box shows it.
  ComRef<IWICFormatConverter> converter;
  if (!Check(factory->CreateFormatConverter(converter.put()), "CreateFormatConverter") ||
      !Check(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom),
             "IWICFormatConverter::Initialize")) {
    return std::nullopt;
  }
  UINT width = 0;
  UINT height = 0;
  if (!Check(converter->GetSize(&width, &height), "IWICBitmapSource::GetSize") || width == 0 ||
      height == 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
      static_cast<std::uint64_t>(width) * height > kMaxPicturePixels) {
    return std::nullopt;
  }
  DecodedPicture picture;
  picture.width = static_cast<int>(width);
  picture.height = static_cast<int>(height);
  picture.pixels.resize(static_cast<std::size_t>(width) * height);
  const UINT stride = width * 4;
  const auto bytes = static_cast<UINT>(picture.pixels.size() * 4);
  if (!Check(converter->CopyPixels(nullptr, stride, bytes,
                                   reinterpret_cast<BYTE*>(picture.pixels.data())),
             "IWICBitmapSource::CopyPixels")) {
    return std::nullopt;
  }
  for (std::uint32_t& p : picture.pixels) p &= 0x00FFFFFFu;
  return picture;
}

UniqueBitmap CreateTopDownDib(int width, int height, std::uint32_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* memory = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
  *bits = static_cast<std::uint32_t*>(memory);
  return bitmap;
}

}  // namespace qb
