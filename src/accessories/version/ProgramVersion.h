#pragma once
// The program's version as its version resource records it, and the texts the version dialog
// makes of it. Reading the resource's bytes is plain code, so a damaged or foreign resource can be
// tried without a window.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qb {

// The four numbers of the resource's file version, in Windows' order and naming: FILEVERSION
// major,minor,build,revision.
struct FileVersion {
  std::uint16_t major = 0;
  std::uint16_t minor = 0;
  std::uint16_t build = 0;
  std::uint16_t revision = 0;

  friend bool operator==(const FileVersion&, const FileVersion&) = default;
};

// The file version of a VS_VERSIONINFO block (the bytes of an RT_VERSION resource); nullopt when
// the bytes are too short, name another block or carry no fixed file information.
[[nodiscard]] std::optional<FileVersion> ParseFileVersion(std::string_view resource);

// "ﾊﾞｰｼﾞｮﾝ 1.0.6": major, minor and revision in decimal without padding; the build number is not
// shown.
[[nodiscard]] std::string VersionLabel(const FileVersion& version);

// "Quorbellのﾊﾞｰｼﾞｮﾝ情報".
[[nodiscard]] std::string VersionDialogCaption(std::string_view programTitle);

}  // namespace qb
