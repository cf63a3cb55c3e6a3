#include "harness/ProbeTarget.h"

#include <gtest/gtest.h>

#include "harness/Files.h"
#include "harness/Input.h"
#include "harness/WindowQueries.h"

namespace qb::e2e {

ProbeTarget::ProbeTarget(std::wstring_view extraArgs)
    : folder_(std::make_unique<AppFolder>(Ini::Empty(), SiblingExecutable(L"quorbell-e2e-probe.exe"))) {
  if (!folder_->Ready()) return;
  std::wstring args = L"visible caption";
  if (!extraArgs.empty()) args.append(L" ").append(extraArgs);
  process_ = AppProcess::Start(*folder_, args);
  if (!process_) {
    ADD_FAILURE() << "the probe did not start";
    return;
  }
  process_.SetMainWindowClass(kClass);
  hwnd_ = process_.WaitUntilResident();
  if (hwnd_ == nullptr) ADD_FAILURE() << "the probe showed no window";
}

bool ProbeTarget::BringToFront() const { return hwnd_ != nullptr && e2e::BringToFront(hwnd_); }

HWND ProbeTarget::ArrowBar() const { return hwnd_ == nullptr ? nullptr : FindChild(hwnd_, kArrowsClass, std::nullopt); }

std::vector<std::string> ProbeTarget::ArrowClicks() const {
  std::vector<std::string> clicks;
  const HWND bar = ArrowBar();
  if (bar == nullptr) return clicks;
  const std::string text = WindowText(bar);
  size_t start = 0;
  for (size_t end; (end = text.find(';', start)) != std::string::npos; start = end + 1) {
    clicks.push_back(text.substr(start, end - start));
  }
  return clicks;
}

std::vector<std::string> ProbeTarget::WaitForArrowClicks(size_t count, Millis timeout) const {
  std::vector<std::string> clicks;
  WaitUntil(
      [&] {
        clicks = ArrowClicks();
        return clicks.size() >= count;
      },
      timeout);
  return clicks;
}

}  // namespace qb::e2e
