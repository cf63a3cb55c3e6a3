#pragma once
// Windows of one kind that the program opens any number of. A window closes from inside its own
// handlers, so its object cannot be freed then: closed windows leave the list of open ones at the
// next opening and are freed one opening after that, long after their handlers returned.
#include <memory>
#include <vector>

namespace qb {

template <class Window>
void SweepClosedWindows(std::vector<std::unique_ptr<Window>>& windows) {
  static std::vector<std::unique_ptr<Window>> closed;
  closed.clear();
  for (auto& w : windows) {
    if (w->Hwnd() == nullptr) closed.push_back(std::move(w));
  }
  std::erase(windows, nullptr);
}

}  // namespace qb
