#include "accessories/clock/ClockHands.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "settings/Catalogue.h"

namespace qb {

namespace {

// The value of pi the hands have always been placed with.
constexpr double kPi = 3.1415926;

DialPoint HandEnd(double length, double angle) {
  DialPoint end;
  Rotate(kDialCentreX, kDialCentreY - length, kDialCentreX, kDialCentreY, angle, end.x, end.y);
  return end;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

double Distance(double x1, double y1, double x2, double y2) {
  return std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
}

void Rotate(double x, double y, double xc, double yc, double angle, double& xr, double& yr) {
  const double rad = kPi / 180;
  const double r = Distance(x, y, xc, yc);
  xr = std::cos(rad * angle) * r + xc;
  yr = std::sin(rad * angle) * r + yc;
}

ClockHands HandsAt(int hour, int minute, int second) {
  // A twelve-hour dial: 13 to 23 come round again, 12 and 0 both point up.
  if (hour > 12) hour -= 12;
  ClockHands hands;
  hands.hourAngle = hour * 30 + minute / 2.0 - 90;
  hands.minuteAngle = minute * 6 - 90;
  hands.secondAngle = second * 6 - 90;
  hands.hourEnd = HandEnd(kHourHandLength, hands.hourAngle);
  hands.minuteEnd = HandEnd(kMinuteHandLength, hands.minuteAngle);
  hands.secondEnd = HandEnd(kSecondHandLength, hands.secondAngle);
  return hands;
}

int MillisecondsToNextSecond(int millisecond) { return std::clamp(1000 - millisecond, 1, 1000); }

ClockFaceSource ChooseClockFace(std::string_view name, bool fileExists) {
  if (fileExists) return ClockFaceSource::File;
  // The default names a picture that was never shipped beside the program: the program's own face
  // stands in for it. A picture the user chose and then removed leaves the face empty.
  if (SameNameIgnoringCase(name, keys::ClockPicName.defaultValue)) return ClockFaceSource::BuiltIn;
  return ClockFaceSource::Empty;
}

HourMark HourMarkAt(int hour) {
  const double angle = hour * 30 - 90;
  // Quarter hours get longer marks, as on most dials.
  const double inner = hour % 3 == 0 ? 38 : 42;
  HourMark mark;
  Rotate(kDialCentreX, kDialCentreY - 47, kDialCentreX, kDialCentreY, angle, mark.outer.x, mark.outer.y);
  Rotate(kDialCentreX, kDialCentreY - inner, kDialCentreX, kDialCentreY, angle, mark.inner.x, mark.inner.y);
  return mark;
}

}  // namespace qb
