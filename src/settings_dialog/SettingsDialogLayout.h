#pragma once
// The settings dialog's pages as data: the fifteen tab captions and, for each page, its groups,
// labels and controls with their captions and places in dialog units. The window builds its pages
// from this table; VisitFields ties each control that carries a value to its field of
// SettingsDialogValues. Portable, so that a native test can check the table.
#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "common/Canvas.h"
#include "settings_dialog/SettingsDialogValues.h"

namespace qb {

enum class ControlKind : unsigned char {
  Group,          // a frame with its caption around other controls
  Label,          // a fixed text
  ValueLabel,     // a text in a sunken box that only a button changes (font name, size)
  HotkeyStatus,   // tells that a hotkey row could not be registered
  Edit,           // a one-line text box
  MultiLineEdit,  // takes Enter as a line break and Ctrl+Tab as a tab
  Check,
  Option,         // a radio button; the first of its group has `groupStart`
  List,           // a drop-down list to choose from
  Button,
  ColourBox,      // shows a colour; pressing it opens the colour picker
  ColourView,     // shows a colour that only a button changes
  FontSample,     // three lines in a chosen font and colours
};

// Dialog units: x and width in quarters of the font's average character width, y and height in
// eighths of its height. Relative to the page's top-left corner.
struct ControlLayout {
  int id;  // 0 for labels and groups nothing refers to
  ControlKind kind;
  std::string_view caption;
  int x, y, width, height;
  bool groupStart = false;
};

struct PageLayout {
  std::string_view caption;  // the tab's
  std::vector<ControlLayout> controls;
};

inline constexpr int kSettingsPageCount = 15;
inline constexpr int kPageWidth = 380;
inline constexpr int kPageHeight = 250;

inline constexpr std::string_view kSettingsDialogCaption = "設定";
inline constexpr std::string_view kOkCaption = "OK";
inline constexpr std::string_view kCancelCaption = "ｷｬﾝｾﾙ";
inline constexpr std::string_view kDialogFontFace = "ＭＳ Ｐゴシック";
inline constexpr int kDialogFontPoints = 9;
// The macro boxes show their texts in a font of even width.
inline constexpr std::string_view kMacroFontFace = "ＭＳ 明朝";
// The three lines of both font samples.
inline constexpr std::string_view kSampleText = "1234567890\r\nABCDEFGHIJKLMNOPQ\r\nあいうえおＡＢＣＤ";
// Next to a hotkey row whose combination another program (or an earlier row) holds.
inline constexpr std::string_view kHotkeyTakenText = "他で使用中";

// Control ids, unique over all pages. Numbered families count from their first id.
namespace ctl {
inline constexpr int kModifierList = 1101;  // rows 1..9: copy 1-3, paste 1-3, macro 1-3
inline constexpr int kKeyList = 1111;
inline constexpr int kHotkeyStatus = 1121;
inline constexpr int kSlotText = 1131;   // 1..3
inline constexpr int kMacroText = 1141;  // 1..3
inline constexpr int kAppName = 1201;    // rows 1..15
inline constexpr int kAppPath = 1221;
inline constexpr int kAppBrowse = 1241;
inline constexpr int kAppOpacity = 1261;
inline constexpr int kCalendarPicture = 1301;
inline constexpr int kCalendarPictureFile = 1302;
inline constexpr int kCalendarPictureBrowse = 1303;
inline constexpr int kCalendarBack = 1304;
inline constexpr int kCalendarOpacity = 1305;
inline constexpr int kCalendarFontName = 1306;
inline constexpr int kCalendarFontSize = 1307;
inline constexpr int kCalendarFontBold = 1308;
inline constexpr int kCalendarFontItalic = 1309;
inline constexpr int kCalendarFontButton = 1310;
inline constexpr int kCalendarSample = 1311;
inline constexpr int kCalendarText = 1312;
inline constexpr int kCalendarHoliday = 1313;
inline constexpr int kCalendarSaturday = 1314;
inline constexpr int kWallpaperCalendar = 1315;
inline constexpr int kWallpaperCalendarX = 1316;
inline constexpr int kWallpaperCalendarY = 1317;
inline constexpr int kIconTextTransparent = 1401;
inline constexpr int kIconTextColour = 1402;
inline constexpr int kStartupWait = 1403;
inline constexpr int kCapturePrints = 1501;
inline constexpr int kCaptureToFile = 1502;
inline constexpr int kMemoFontName = 1601;
inline constexpr int kMemoFontSize = 1602;
inline constexpr int kMemoFontColour = 1603;
inline constexpr int kMemoFontBold = 1604;
inline constexpr int kMemoFontItalic = 1605;
inline constexpr int kMemoFontButton = 1606;
inline constexpr int kMemoSample = 1607;
inline constexpr int kMemoBack = 1608;
inline constexpr int kMemoOpacity = 1609;
inline constexpr int kWindowShadeXp = 1701;
inline constexpr int kWallpaperRotation = 1801;
inline constexpr int kWallpaperFolder = 1802;
inline constexpr int kWallpaperFolderBrowse = 1803;
inline constexpr int kDietMegabytes = 1901;
inline constexpr int kAutoDiet = 1902;
inline constexpr int kAutoDietSeconds = 1903;
inline constexpr int kAutoDietPercent = 1904;
inline constexpr int kMouseWarp = 2001;
}  // namespace ctl

// The pages in tab order.
const std::array<PageLayout, kSettingsPageCount>& SettingsDialogPages();

// The page that holds control `id`, and its layout; nothing for an unknown id.
struct PlacedControl {
  int page;
  const ControlLayout* layout;
};
std::optional<PlacedControl> FindControl(int id);

// Every control that carries a value, with the field it carries.
class FieldVisitor {
public:
  virtual ~FieldVisitor() = default;
  virtual void Text(int id, std::string& text) = 0;   // text boxes and value labels
  virtual void Check(int id, bool& ticked) = 0;       // check boxes and options
  virtual void List(int id, int& index) = 0;
  virtual void Colour(int id, qb::Colour& colour) = 0;
};
void VisitFields(SettingsDialogValues& values, FieldVisitor& visitor);

// The six multi-line boxes (slots and macros).
bool IsMultiLineBox(int id);

}  // namespace qb
