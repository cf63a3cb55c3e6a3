#include "memo/MemoRecord.h"

#include <limits>

#include "common/Numbers.h"
#include "settings/Catalogue.h"
#include "settings/IniText.h"
#include "settings/Settings.h"

namespace qb {

namespace {

constexpr std::string_view kStoredLineBreak = "@@";
constexpr std::string_view kBoxLineBreak = "\r\n";
// Font sizes a memo can show; anything else is junk and takes the fallback.
constexpr double kSmallestPoints = 1;
constexpr double kLargestPoints = 1000;
constexpr Colour kLargestColour = 0xFFFFFF;

std::optional<Colour> ColourFromText(std::string_view text) {
  const auto value = ParseInteger(text, 0, kLargestColour);
  if (!value) return std::nullopt;
  return static_cast<Colour>(*value);
}

std::optional<double> PointsFromText(std::string_view text) {
  const auto value = ParseNumber(text);
  if (!value || *value < kSmallestPoints || *value > kLargestPoints) return std::nullopt;
  return *value;
}

// The memo's own value when it is usable, else the common one, else the common default.
template <class T, class Parse>
T OwnOrCommon(const SettingKey& own, const SettingKey& common, Parse parse) {
  if (const auto value = parse(ReadSetting(own))) return *value;
  if (const auto value = parse(ReadSetting(common))) return *value;
  return *parse(common.defaultValue);
}

std::optional<std::string> NonEmpty(std::string_view text) {
  if (text.empty()) return std::nullopt;
  return std::string(text);
}

}  // namespace

std::string EncodeMemoText(std::string_view boxText) {
  const std::size_t first = boxText.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  std::string stored;
  stored.reserve(boxText.size());
  for (std::size_t i = 0; i < boxText.size(); ++i) {
    const char c = boxText[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < boxText.size() && boxText[i + 1] == '\n') ++i;
      stored.append(kStoredLineBreak);
    } else {
      stored.push_back(c);
    }
  }
  return stored;
}

std::string DecodeMemoText(std::string_view stored) {
  std::string box;
  box.reserve(stored.size() + stored.size() / 8);
  for (std::size_t pos = 0;;) {
    const std::size_t mark = stored.find(kStoredLineBreak, pos);
    if (mark == std::string_view::npos) {
      box.append(stored.substr(pos));
      return box;
    }
    box.append(stored.substr(pos, mark - pos)).append(kBoxLineBreak);
    pos = mark + kStoredLineBreak.size();
  }
}

MemoPlaceTwips MemoPlaceFromTexts(std::string_view top, std::string_view left, std::string_view width,
                                  std::string_view height) {
  MemoPlaceTwips place;
  place.top = ParseInt32(top).value_or(place.top);
  place.left = ParseInt32(left).value_or(place.left);
  place.width = ParseInt32(width).value_or(place.width);
  place.height = ParseInt32(height).value_or(place.height);
  return place;
}

std::optional<bool> FlagFromSettingText(std::string_view text) {
  const auto lower = [](std::string_view t) {
    std::string out(t);
    for (char& c : out) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return out;
  };
  const std::string word = lower(text);
  if (word == "true") return true;
  if (word == "false") return false;
  if (const auto number = ParseNumber(text)) return *number != 0;
  return std::nullopt;
}

MemoStyle ReadMemoStyle(int n) {
  MemoStyle style;
  style.back = OwnOrCommon<Colour>(keys::MemoBkColor(n), keys::DesktopMemoBkColor, ColourFromText);
  style.face = OwnOrCommon<std::string>(keys::MemoOwnFontName(n), keys::MemoFontName, NonEmpty);
  style.points = OwnOrCommon<double>(keys::MemoOwnFontSize(n), keys::MemoFontSize, PointsFromText);
  style.italic = OwnOrCommon<bool>(keys::MemoOwnFontItalic(n), keys::MemoFontItalic, FlagFromSettingText);
  style.bold = OwnOrCommon<bool>(keys::MemoOwnFontBold(n), keys::MemoFontBold, FlagFromSettingText);
  style.text = OwnOrCommon<Colour>(keys::MemoFrColor(n), keys::MemoFontForeColor, ColourFromText);
  return style;
}

std::optional<uint8_t> ReadMemoOpacity() {
  const auto value = ParseInteger(ReadSetting(keys::DesktopMemoTrans), 0, 255);
  if (!value || *value == 255) return std::nullopt;
  return static_cast<uint8_t>(*value);
}

std::optional<int> FindFreeMemoSlot(const std::array<bool, kMemoSlots>& open,
                                    const std::function<bool(int)>& storedTextEmpty) {
  for (int n = 0; n < kMemoSlots; ++n) {
    if (!open[static_cast<std::size_t>(n)] && storedTextEmpty(n)) return n;
  }
  return std::nullopt;
}

std::optional<int> FindFreeMemoSlot(const std::array<bool, kMemoSlots>& open) {
  return FindFreeMemoSlot(open, [](int n) { return ReadSetting(keys::MemoText(n)).empty(); });
}

std::vector<StoredMemo> ReadStoredMemos() {
  std::vector<StoredMemo> memos;
  for (int n = 0; n < kMemoSlots; ++n) {
    const std::string text = ReadWholeSetting(keys::MemoText(n));
    if (text.empty()) continue;
    StoredMemo memo;
    memo.n = n;
    memo.boxText = DecodeMemoText(text);
    const std::string top = ReadSetting(keys::MemoTop(n));
    const std::string left = ReadSetting(keys::MemoLeft(n));
    // A missing size is no size: the catalogue's defaults are not used (see MemoPlaceTwips).
    const std::string width = ReadSetting(keys::MemoWidth(n).section, keys::MemoWidth(n).key, "");
    const std::string height = ReadSetting(keys::MemoHeight(n).section, keys::MemoHeight(n).key, "");
    memo.place = MemoPlaceFromTexts(top, left, width, height);
    memos.push_back(std::move(memo));
  }
  return memos;
}

void WriteMemoRecord(int n, std::string_view boxText, double topTwips, double leftTwips, double widthTwips,
                     double heightTwips) {
  // One replacement of the file: the text and its place land together.
  WriteSettings(keys::MemoText(n).section, {{keys::MemoText(n).key, ProtectIniValue(EncodeMemoText(boxText))},
                                            {keys::MemoTop(n).key, SingleText(topTwips)},
                                            {keys::MemoLeft(n).key, SingleText(leftTwips)},
                                            {keys::MemoWidth(n).key, SingleText(widthTwips)},
                                            {keys::MemoHeight(n).key, SingleText(heightTwips)}});
}

PixelRect MemoRegion(PixelPoint clientOffset, int clientWidth, int clientHeight) {
  return {clientOffset.x - 1, clientOffset.y - 1, clientOffset.x + clientWidth + 1, clientOffset.y + clientHeight + 1};
}

void WriteMemoFont(int n, std::string_view face, int points, bool italic, bool bold) {
  WriteSettings(keys::MemoOwnFontName(n).section, {{keys::MemoOwnFontName(n).key, face},
                                                   {keys::MemoOwnFontSize(n).key, std::to_string(points)},
                                                   {keys::MemoOwnFontItalic(n).key, italic ? "True" : "False"},
                                                   {keys::MemoOwnFontBold(n).key, bold ? "True" : "False"}});
}

void WriteMemoTextColour(int n, Colour colour) { WriteSetting(keys::MemoFrColor(n), std::to_string(colour)); }
void WriteMemoBackColour(int n, Colour colour) { WriteSetting(keys::MemoBkColor(n), std::to_string(colour)); }

}  // namespace qb
