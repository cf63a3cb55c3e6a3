#pragma once
// Waiting for things that happen in another process. Every wait of the harness has a limit; what
// the limit is does not matter to a passing test (only how long a failing one takes to fail).
#include <windows.h>

#include <chrono>

namespace qb::e2e {

using Millis = std::chrono::milliseconds;
using namespace std::chrono_literals;

// Generous: a loaded two-core machine running Wine can stall a start for seconds.
inline constexpr Millis kDefaultTimeout = 15s;
// How long to watch for something that must NOT happen (a window that must not appear).
inline constexpr Millis kQuietPeriod = 1500ms;

// Calls `condition` every 20 ms until it returns true or `timeout` has passed; answers the last
// result. Pending messages of the calling thread are dispatched while waiting, so a test that owns
// windows keeps them responsive.
template <class Condition>
bool WaitUntil(Condition&& condition, Millis timeout = kDefaultTimeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(20);
  }
}

inline DWORD ToDword(Millis ms) { return ms.count() < 0 ? 0 : static_cast<DWORD>(ms.count()); }

}  // namespace qb::e2e
