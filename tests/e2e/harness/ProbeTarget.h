#pragma once
// A window of another process for the program under test to act on, such as the window tools,
// which work on whatever window is in front: the probe program (fixtures/HarnessProbe.cpp) started
// in a folder of its own with a visible, captioned window whose state the test reads back.
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "harness/AppFolder.h"
#include "harness/Process.h"
#include "harness/Wait.h"

namespace qb::e2e {

class ProbeTarget {
public:
  static constexpr wchar_t kClass[] = L"QuorbellProbe.Main";
  // The stand-in vertical scroll bar of the "document" argument and its height in pixels.
  static constexpr wchar_t kArrowsClass[] = L"QuorbellProbe.Arrows";
  static constexpr int kArrowBarHeight = 120;

  // Starts the probe with "visible caption" and `extraArgs` (see the probe: "exstyle=0x280",
  // "document", "alpha=N", "region") and waits until its window exists.
  explicit ProbeTarget(std::wstring_view extraArgs = L"");
  ProbeTarget(const ProbeTarget&) = delete;
  ProbeTarget& operator=(const ProbeTarget&) = delete;

  // False when the probe did not start or showed no window (the constructor has reported why).
  [[nodiscard]] bool Ready() const { return hwnd_ != nullptr; }
  [[nodiscard]] HWND Hwnd() const { return hwnd_; }
  [[nodiscard]] const AppProcess& Process() const { return process_; }

  // Puts the window in front (and waits until Windows says so).
  [[nodiscard]] bool BringToFront() const;

  // With "document": the stand-in scroll bar (the window after the document's first scroll bar)
  // and the left presses and releases it received, in order, as "down 1 0,110" (wParam, x,y).
  [[nodiscard]] HWND ArrowBar() const;
  [[nodiscard]] std::vector<std::string> ArrowClicks() const;
  // The clicks once at least `count` have arrived (fewer on time-out).
  [[nodiscard]] std::vector<std::string> WaitForArrowClicks(size_t count, Millis timeout = kDefaultTimeout) const;

private:
  std::unique_ptr<AppFolder> folder_;
  AppProcess process_;
  HWND hwnd_ = nullptr;
};

}  // namespace qb::e2e
