#include "win/PictureTestSupport.h"

#include <objbase.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include "common/FileSystem.h"
#include "platform/WinText.h"

namespace qb::test {

TempFolder::TempFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  if (::GetTempPathW(MAX_PATH, temp) == 0) return;
  path_ = std::wstring(temp) + name + L"-" + std::to_wstring(::GetCurrentProcessId());
  ::CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  WIN32_FIND_DATAW found;
  HANDLE find = ::FindFirstFileW((path_ + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      ::DeleteFileW((path_ + L"\\" + found.cFileName).c_str());
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
  }
  ::RemoveDirectoryW(path_.c_str());
}

std::string TempFolder::File(const std::string& name) const { return Narrow(path_) + "\\" + name; }

std::optional<std::string> ReadBytes(const std::string& path) { return SystemFileSystem().ReadFile(path); }

bool WriteBytes(const std::string& path, const std::string& bytes) {
  return SystemFileSystem().WriteFileAtomically(path, bytes);
}

namespace {

std::uint32_t U16(const std::string& b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) | (static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 1])) << 8);
}
std::uint32_t U32(const std::string& b, std::size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }

void Put16(std::string& out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

}  // namespace

std::optional<Bmp24> ParseBmp24(const std::string& b) {
  if (b.size() < 54 || b.compare(0, 2, "BM") != 0) {
    ADD_FAILURE() << "not a bitmap file (" << b.size() << " bytes)";
    return std::nullopt;
  }
  Bmp24 bmp;
  bmp.width = static_cast<int>(U32(b, 18));
  bmp.height = static_cast<int>(U32(b, 22));
  const std::size_t row = (static_cast<std::size_t>(bmp.width) * 3 + 3) / 4 * 4;
  EXPECT_EQ(U32(b, 2), b.size()) << "file size field";
  EXPECT_EQ(U32(b, 10), 54u) << "pixel offset";
  EXPECT_EQ(U32(b, 14), 40u) << "BITMAPINFOHEADER size";
  EXPECT_EQ(U16(b, 26), 1u) << "planes";
  EXPECT_EQ(U16(b, 28), 24u) << "bits per pixel";
  EXPECT_EQ(U32(b, 30), 0u) << "BI_RGB";
  if (bmp.width < 1 || bmp.height < 1 || b.size() != 54 + row * static_cast<std::size_t>(bmp.height)) {
    ADD_FAILURE() << "size " << bmp.width << "x" << bmp.height << " does not match " << b.size() << " bytes";
    return std::nullopt;
  }
  bmp.pixels.resize(static_cast<std::size_t>(bmp.width) * static_cast<std::size_t>(bmp.height));
  for (int y = 0; y < bmp.height; ++y) {
    const std::size_t line = 54 + row * static_cast<std::size_t>(bmp.height - 1 - y);  // bottom-up
    for (int x = 0; x < bmp.width; ++x) {
      const std::size_t at = line + static_cast<std::size_t>(x) * 3;
      bmp.pixels[static_cast<std::size_t>(y * bmp.width + x)] =
          static_cast<std::uint8_t>(b[at]) | (static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 1])) << 8) |
          (static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 2])) << 16);
    }
    for (std::size_t p = static_cast<std::size_t>(bmp.width) * 3; p < row; ++p) {
      EXPECT_EQ(b[line + p], '\0') << "padding of row " << y;
    }
  }
  return bmp;
}

// LZW with a clear code before every pixel: the dictionary never grows, so every code stays
// three bits wide and no compressor is needed.
std::string MakeGif(int width, int height, const std::uint32_t (&palette)[4],
                    const std::vector<std::uint8_t>& indexes) {
  std::string out = "GIF89a";
  Put16(out, static_cast<unsigned>(width));
  Put16(out, static_cast<unsigned>(height));
  out += static_cast<char>(0x91);  // global table, 2-bit colour resolution, 4 entries
  out += '\0';
  out += '\0';
  for (std::uint32_t rgb : palette) {
    out += static_cast<char>((rgb >> 16) & 0xFF);
    out += static_cast<char>((rgb >> 8) & 0xFF);
    out += static_cast<char>(rgb & 0xFF);
  }
  out += ',';
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, static_cast<unsigned>(width));
  Put16(out, static_cast<unsigned>(height));
  out += '\0';
  out += '\x02';  // minimum code size

  std::string data;
  std::uint32_t bits = 0;
  int count = 0;
  auto emit = [&](unsigned code) {
    bits |= code << count;
    count += 3;
    while (count >= 8) {
      data += static_cast<char>(bits & 0xFF);
      bits >>= 8;
      count -= 8;
    }
  };
  for (std::uint8_t index : indexes) {
    emit(4);  // clear
    emit(index & 3u);
  }
  emit(5);  // end of information
  if (count > 0) data += static_cast<char>(bits & 0xFF);
  for (std::size_t at = 0; at < data.size(); at += 255) {
    const std::size_t n = std::min<std::size_t>(255, data.size() - at);
    out += static_cast<char>(n);
    out.append(data, at, n);
  }
  out += '\0';
  out += ';';
  return out;
}

bool WriteSolidJpeg(const std::string& path, int width, int height, std::uint32_t rgb) {
  const bool comOwned = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  bool ok = false;
  IWICImagingFactory* factory = nullptr;
  IWICStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  IPropertyBag2* options = nullptr;
  const std::wstring widePath = Widen(path);
  std::vector<BYTE> pixels(static_cast<std::size_t>(width) * 3 * static_cast<std::size_t>(height));
  for (std::size_t i = 0; i < pixels.size(); i += 3) {
    pixels[i] = static_cast<BYTE>(rgb & 0xFF);
    pixels[i + 1] = static_cast<BYTE>((rgb >> 8) & 0xFF);
    pixels[i + 2] = static_cast<BYTE>((rgb >> 16) & 0xFF);
  }
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
      SUCCEEDED(factory->CreateStream(&stream)) &&
      SUCCEEDED(stream->InitializeFromFilename(widePath.c_str(), GENERIC_WRITE)) &&
      SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder)) &&
      SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
      SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) && SUCCEEDED(frame->Initialize(options)) &&
      SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
      SUCCEEDED(frame->SetPixelFormat(&format)) && format == GUID_WICPixelFormat24bppBGR &&
      SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), static_cast<UINT>(width * 3),
                                   static_cast<UINT>(pixels.size()), pixels.data())) &&
      SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit())) {
    ok = true;
  }
  if (options != nullptr) options->Release();
  if (frame != nullptr) frame->Release();
  if (encoder != nullptr) encoder->Release();
  if (stream != nullptr) stream->Release();
  if (factory != nullptr) factory->Release();
  if (comOwned) CoUninitialize();
  return ok;
}

}  // namespace qb::test
