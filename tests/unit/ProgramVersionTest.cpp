#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "accessories/version/ProgramVersion.h"

namespace {

using qb::FileVersion;

void PutWord(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

void PutDoubleWord(std::string& out, std::uint32_t value) {
  PutWord(out, static_cast<std::uint16_t>(value & 0xFFFF));
  PutWord(out, static_cast<std::uint16_t>(value >> 16));
}

struct Block {
  FileVersion version{1, 0, 0, 0};
  std::u16string key = u"VS_VERSION_INFO";
  std::uint16_t valueLength = 52;
  std::uint32_t signature = 0xFEEF04BD;
  std::string children;  // what follows the fixed part (StringFileInfo, VarFileInfo)
};

// An RT_VERSION resource as the resource compiler lays it out.
std::string Resource(const Block& b) {
  std::string body;
  for (char16_t c : b.key) PutWord(body, c);
  PutWord(body, 0);
  while ((6 + body.size()) % 4 != 0) body += '\0';
  PutDoubleWord(body, b.signature);
  PutDoubleWord(body, 0x00010000);  // structure version
  PutDoubleWord(body, static_cast<std::uint32_t>(b.version.major) << 16 | b.version.minor);
  PutDoubleWord(body, static_cast<std::uint32_t>(b.version.build) << 16 | b.version.revision);
  PutDoubleWord(body, 0x00010000);  // product version: not what the dialog shows
  PutDoubleWord(body, 0x00000000);
  for (int i = 0; i < 7; ++i) PutDoubleWord(body, 0);  // flags, OS, type, subtype, date
  body += b.children;
  std::string out;
  PutWord(out, static_cast<std::uint16_t>(6 + body.size()));
  PutWord(out, b.valueLength);
  PutWord(out, 0);
  return out + body;
}

TEST(ProgramVersion, ReadsTheFileVersionOfAWellFormedBlock) {
  const struct {
    const char* name;
    FileVersion version;
  } cases[] = {
      {"the program's 1.0.0.0", {1, 0, 0, 0}},
      {"every field apart", {2, 1, 7, 15}},
      {"largest numbers", {65535, 65535, 65535, 65535}},
  };
  for (const auto& c : cases) {
    Block block;
    block.version = c.version;
    EXPECT_EQ(qb::ParseFileVersion(Resource(block)), c.version) << c.name;
    // The string tables after the fixed part, and the padding a resource may carry, change nothing.
    block.children = std::string(200, 'x');
    EXPECT_EQ(qb::ParseFileVersion(Resource(block) + std::string(4, '\0')), c.version) << c.name;
  }
}

TEST(ProgramVersion, RefusesBlocksThatAreNotAVersionBlock) {
  const std::string good = Resource(Block{});
  std::string longer = good;  // says it is longer than the bytes there are
  longer[0] = static_cast<char>(good.size() + 4);
  std::string shorter = good;  // says its fixed part is cut
  shorter[0] = static_cast<char>(good.size() - 4);
  Block otherKey;
  otherKey.key = u"VS_VERSION_INFX";
  Block shorterKey;
  shorterKey.key = u"VS_VERSION_INF";
  Block noFixedPart;
  noFixedPart.valueLength = 0;
  Block badSignature;
  badSignature.signature = 0xFEEF04BC;
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"nothing", ""},
      {"cut inside the fixed part", good.substr(0, good.size() - 1)},
      {"length past the end", longer},
      {"length inside the fixed part", shorter},
      {"another key", Resource(otherKey)},
      {"a shorter key", Resource(shorterKey)},
      {"no fixed part", Resource(noFixedPart)},
      {"wrong signature", Resource(badSignature)},
  };
  for (const auto& c : cases) EXPECT_EQ(qb::ParseFileVersion(c.bytes), std::nullopt) << c.name;
}

TEST(ProgramVersion, LabelShowsMajorMinorAndRevisionWithoutPadding) {
  const struct {
    FileVersion version;
    const char* label;
  } cases[] = {
      {{1, 0, 0, 0}, "ﾊﾞｰｼﾞｮﾝ 1.0.0"},
      {{1, 0, 0, 6}, "ﾊﾞｰｼﾞｮﾝ 1.0.6"},
      {{2, 1, 0, 15}, "ﾊﾞｰｼﾞｮﾝ 2.1.15"},
      {{2, 1, 9, 15}, "ﾊﾞｰｼﾞｮﾝ 2.1.15"},  // the build number is not part of it
      {{10, 20, 0, 300}, "ﾊﾞｰｼﾞｮﾝ 10.20.300"},
      {{65535, 65535, 0, 65535}, "ﾊﾞｰｼﾞｮﾝ 65535.65535.65535"},
      {{0, 0, 0, 0}, "ﾊﾞｰｼﾞｮﾝ 0.0.0"},
  };
  for (const auto& c : cases) EXPECT_EQ(qb::VersionLabel(c.version), c.label);
  EXPECT_EQ(qb::VersionDialogCaption("Quorbell"), "Quorbellのﾊﾞｰｼﾞｮﾝ情報");
}

}  // namespace
