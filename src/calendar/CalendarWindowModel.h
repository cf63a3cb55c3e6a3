#pragma once
// The desktop calendar window apart from its window: its geometry for a font size, the settings
// it loads and stores, paging, and which day a point of its drawing area falls on. Positions on
// the screen are stored in twips (1/1440 inch); everything inside the window is in pixels.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/Geometry.h"
#include "common/Numbers.h"

namespace qb {


struct CalendarWindowGeometry {
  int width = 0;  // the borderless window, pixels
  int height = 0;
  int pictureWidth = 0;  // the drawing area, which overhangs the window's right and bottom edges
  int pictureHeight = 0;
  PixelPoint prevButton;  // top-left corners of "<" and ">"
  PixelPoint nextButton;
  int buttonSize = 0;  // the buttons are square
};

// The design size of the window at font size 10: 4680 x 2355 twips, of which the window uses
// 85 % of the width; everything scales with fontSize / 10, except the buttons' own size. The
// figures given in pixels (the overhang, the buttons' places) are pixels of 96 dots per inch: at
// another DPI (other twips per pixel) they grow with the rest, so the layout stays the same.
CalendarWindowGeometry CalendarGeometryFor(double fontSize, double twipsPerPixelX, double twipsPerPixelY);

// The start-up opens the calendar when it was open at the last exit: DESKTOPCAL/Enable is
// exactly "True".
bool CalendarOpensAtStartup();

// What the window takes from the settings when it loads.
struct CalendarWindowSetup {
  CalendarWindowGeometry geometry;  // at the twips per pixel loading was given
  double fontSize = 0;              // CalFont/Size, what the geometry scales with
  PixelPoint place;               // top-left corner on the screen
  uint32_t backColour = 8000000;  // 0x00BBGGRR
  uint8_t opacity = 255;
};

// The settings part of loading the window: marks the calendar open (DESKTOPCAL/Enable = "True")
// and reads place, colour, opacity and font size.
CalendarWindowSetup LoadCalendarWindowSettings(double twipsPerPixelX, double twipsPerPixelY);
// The close by double-click: stores the window's place in twips (nothing when no place is given)
// and marks the calendar closed.
void StoreCalendarWindowClosed(std::optional<PixelPoint> place, double twipsPerPixelX, double twipsPerPixelY);
// The picture to draw under the calendar (Calender/Image is 1), read afresh on every drawing.
std::optional<std::string> CalendarBackgroundPicture();

// Settings text to values. Each answers the key's default for text that is not a number.
// A colour outside 0..0xFFFFFF is not a colour the window can show: the default.
uint32_t CalendarBackColourFromText(std::string_view text);
// The opacity is a byte: a number outside 0..255 is clamped into it (rounded half to even first).
uint8_t OpacityFromText(std::string_view text);
// A place in twips (single precision) to pixels, rounded half to even and kept in 16 bits.
int TwipsTextToPixels(std::string_view text, double twipsPerPixel);

// Paging: the month offset moves by delta and stops at the ends of its 16-bit range.
int16_t PagedMonthOffset(int16_t monthOffset, int delta);

// The day cell under a point of the drawing area at font size S: the index row x 7 + column
// into the day map, with column and row rounded half to even, or nullopt when the index lies
// outside 0..50 (or S is 0). Column and row are not checked on their own, so a point beside the
// grid can land on a cell of a neighbouring row.
inline constexpr int kDayMapSize = 51;
std::optional<int> CalendarCellAt(double x, double y, int fontSize);

// The note title of the day under the point, nullopt for a point off the grid or on a blank cell.
std::optional<std::string> DayNoteTitleAt(double x, double y, int fontSize, std::span<const int16_t> dayMap,
                                          int year, int month);

// The font size the hit test works with: CalFont/Size as a 16-bit integer, 0 when it is none.
int CalendarHitFontSize();

}  // namespace qb
