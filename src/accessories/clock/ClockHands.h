#pragma once
// Where the hands of the analog clock point at a given time of day, and when the shown time next
// changes. Pixels of the 100 x 100 dial, y growing downwards.
#include <string>
#include <string_view>

namespace qb {

// The dial: its centre and the hands' lengths, pen widths in pixels.
inline constexpr double kDialCentreX = 50;
inline constexpr double kDialCentreY = 50;
inline constexpr int kDialSize = 100;
inline constexpr double kHourHandLength = 20;
inline constexpr double kMinuteHandLength = 30;
inline constexpr double kSecondHandLength = 35;

struct DialPoint {
  double x = 0;
  double y = 0;
};

// The distance between two points.
double Distance(double x1, double y1, double x2, double y2);

// The point at the distance of (x, y) from the centre (xc, yc), turned to `angle` degrees: 0 points
// right, -90 straight up, growing angles turn clockwise. Only the distance of (x, y) matters.
void Rotate(double x, double y, double xc, double yc, double angle, double& xr, double& yr);

struct ClockHands {
  double hourAngle = 0;  // degrees, as Rotate takes them
  double minuteAngle = 0;
  double secondAngle = 0;
  DialPoint hourEnd;
  DialPoint minuteEnd;
  DialPoint secondEnd;
};

// The hands at hour (0-23), minute and second. The hour hand moves half a degree a minute; the
// minute and second hands jump once a minute and once a second.
ClockHands HandsAt(int hour, int minute, int second);

// Milliseconds from `millisecond` (0-999) into the current second until the next one starts: at
// least 1, so a timer set to it never spins.
int MillisecondsToNextSecond(int millisecond);

// The face picture the clock shows.
enum class ClockFaceSource {
  File,     // the named picture file
  BuiltIn,  // the program's own face: the default file name that is not there
  Empty,    // another name that is not there: the hands on an empty face
};
// `name` is the PicName setting; `fileExists` whether a file of that name is there.
ClockFaceSource ChooseClockFace(std::string_view name, bool fileExists);

// The start of each of the twelve hour marks of the built-in face and its end, towards the centre.
struct HourMark {
  DialPoint outer;
  DialPoint inner;
};
HourMark HourMarkAt(int hour);

}  // namespace qb
