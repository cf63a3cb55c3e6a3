#pragma once
// Picture files for the GDI canvas tests: a temporary folder, a 24-bit bitmap reader, and source
// pictures made on the spot (JPEG through the WIC encoder, GIF written by hand).
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qb::test {

// A folder under %TEMP% that is emptied and removed again.
class TempFolder {
public:
  explicit TempFolder(const std::wstring& name);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // UTF-8 path of a file in the folder.
  std::string File(const std::string& name) const;
  const std::wstring& path() const { return path_; }

private:
  std::wstring path_;
};

std::optional<std::string> ReadBytes(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);

// A 24-bit bottom-up bitmap as this program writes it, checked field by field on the way.
struct Bmp24 {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};
// nullopt (and a gtest failure describing why) when the bytes are not such a file.
std::optional<Bmp24> ParseBmp24(const std::string& bytes);

// A GIF89a of the given size whose pixels index a four-colour palette (0x00RRGGBB values).
std::string MakeGif(int width, int height, const std::uint32_t (&palette)[4],
                    const std::vector<std::uint8_t>& indexes);
// A JPEG of one colour, through the WIC encoder; false when WIC cannot make it.
bool WriteSolidJpeg(const std::string& path, int width, int height, std::uint32_t rgb);

inline int Red(std::uint32_t p) { return static_cast<int>((p >> 16) & 0xFF); }
inline int Green(std::uint32_t p) { return static_cast<int>((p >> 8) & 0xFF); }
inline int Blue(std::uint32_t p) { return static_cast<int>(p & 0xFF); }

}  // namespace qb::test
