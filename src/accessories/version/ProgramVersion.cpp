#include "accessories/version/ProgramVersion.h"

namespace qb {

namespace {

// A VS_VERSIONINFO block: wLength, wValueLength, wType, the key L"VS_VERSION_INFO" with its
// terminating zero, padding to a 32-bit boundary, then VS_FIXEDFILEINFO.
constexpr std::u16string_view kKey = u"VS_VERSION_INFO";
constexpr std::size_t kKeyOffset = 6;
constexpr std::size_t kFixedInfoOffset = (kKeyOffset + (kKey.size() + 1) * 2 + 3) / 4 * 4;
constexpr std::size_t kFixedInfoSize = 13 * 4;
constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;

std::uint16_t Word(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::uint32_t DoubleWord(std::string_view bytes, std::size_t at) {
  return Word(bytes, at) | static_cast<std::uint32_t>(Word(bytes, at + 2)) << 16;
}

}  // namespace

std::optional<FileVersion> ParseFileVersion(std::string_view resource) {
  constexpr std::size_t kMinimum = kFixedInfoOffset + kFixedInfoSize;
  if (resource.size() < kMinimum) return std::nullopt;
  // The block's own length may be shorter than the resource (alignment), never shorter than its
  // fixed part, and never longer than the bytes there are.
  const std::size_t length = Word(resource, 0);
  if (length < kMinimum || length > resource.size()) return std::nullopt;
  if (Word(resource, 2) < kFixedInfoSize) return std::nullopt;
  for (std::size_t i = 0; i <= kKey.size(); ++i) {
    const char16_t expected = i < kKey.size() ? kKey[i] : u'\0';
    if (Word(resource, kKeyOffset + 2 * i) != expected) return std::nullopt;
  }
  if (DoubleWord(resource, kFixedInfoOffset) != kFixedInfoSignature) return std::nullopt;
  const std::uint32_t high = DoubleWord(resource, kFixedInfoOffset + 8);
  const std::uint32_t low = DoubleWord(resource, kFixedInfoOffset + 12);
  return FileVersion{static_cast<std::uint16_t>(high >> 16), static_cast<std::uint16_t>(high & 0xFFFF),
                     static_cast<std::uint16_t>(low >> 16), static_cast<std::uint16_t>(low & 0xFFFF)};
}

std::string VersionLabel(const FileVersion& version) {
  return "ﾊﾞｰｼﾞｮﾝ " + std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
         std::to_string(version.revision);
}

std::string VersionDialogCaption(std::string_view programTitle) {
  return std::string(programTitle) + "のﾊﾞｰｼﾞｮﾝ情報";
}

}  // namespace qb
