#pragma once
// Looking from inside the program under test (see fixtures/InProcessProbe.h): a hook that loads
// the probe DLL into a thread of the program, and the shared memory through which it answers.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace qb::e2e {

// The probe DLL hooked onto one thread of another process for the object's lifetime.
class ProbeHook {
public:
  // A test failure (and !ok()) when the DLL cannot be loaded or the hook cannot be set.
  explicit ProbeHook(DWORD threadId);
  ~ProbeHook();
  ProbeHook(const ProbeHook&) = delete;
  ProbeHook& operator=(const ProbeHook&) = delete;
  [[nodiscard]] bool ok() const { return hook_ != nullptr; }

private:
  HHOOK hook_ = nullptr;
};

// Zeroed shared memory of `size` bytes named `prefix` + this process's id, where the probe writes
// its answer.
class ProbeAnswer {
public:
  ProbeAnswer(const wchar_t* prefix, size_t size);
  ~ProbeAnswer();
  ProbeAnswer(const ProbeAnswer&) = delete;
  ProbeAnswer& operator=(const ProbeAnswer&) = delete;
  [[nodiscard]] void* data() const { return view_; }

private:
  HANDLE mapping_ = nullptr;
  void* view_ = nullptr;
};

// The query message of that name, sent to a window of the hooked thread with this process's id
// as wParam; false when the window did not take it.
bool SendProbeQuery(HWND hwnd, const wchar_t* messageName, LPARAM lParam = 0);

// Drops the files (full paths, in this order) onto a window of another process, as the shell
// delivers a drop: a WM_DROPFILES whose drop handle is made inside that process. False (and a test
// failure) when the drop could not be made.
bool DropFilesOn(HWND window, const std::vector<std::wstring>& files);

// Sends `window` WM_DPICHANGED from inside its own process, as Windows does when the window moves to
// a monitor of `dpi` dots per inch (Wine, with one DPI for every monitor, never does): the DPI in
// wParam, the suggested rectangle (screen coordinates) in lParam. False (and a test failure) when
// the message could not be sent.
bool SendDpiChange(HWND window, int dpi, const RECT& suggested);

// How many text labels and buttons of `window` show their whole text with their own font, measured
// inside the program: wrapped labels within their area, buttons on one line within their width.
struct TextsFitResult {
  int checked = 0;
  int clipped = 0;
  std::string firstClipped;  // UTF-8
};
std::optional<TextsFitResult> MeasureTexts(HWND window);

}  // namespace qb::e2e
