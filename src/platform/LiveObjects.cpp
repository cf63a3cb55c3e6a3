#include "platform/LiveObjects.h"

#include <psapi.h>

#include <array>

namespace qb {

namespace detail {

std::atomic<long>& LiveCounter(ObjectKind kind) noexcept {
  static std::array<std::atomic<long>, kObjectKindCount> counters{};
  return counters[static_cast<size_t>(kind)];
}

}  // namespace detail

long LiveObjects(ObjectKind kind) noexcept { return detail::LiveCounter(kind).load(std::memory_order_relaxed); }

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  // Every descendant, not only the direct children.
  EnumChildWindows(hwnd, &CountChild, count);
  return TRUE;
}

}  // namespace

long ThreadWindowCount() noexcept {
  long count = 0;
  EnumThreadWindows(GetCurrentThreadId(), &CountTopLevel, reinterpret_cast<LPARAM>(&count));
  return count;
}

std::uint64_t PrivateBytes() noexcept {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (!K32GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                               sizeof counters))
    return 0;
  return counters.PrivateUsage;
}

UINT LiveObjectsMessage() noexcept {
  static const UINT message = RegisterWindowMessageW(kLiveObjectsMessageName);
  return message;
}

LRESULT AnswerLiveObjects(WPARAM query) noexcept {
  if (query < static_cast<WPARAM>(kObjectKindCount)) return LiveObjects(static_cast<ObjectKind>(query));
  if (query == kQueryThreadWindows) return ThreadWindowCount();
  if (query == kQueryPrivateBytes) return static_cast<LRESULT>(PrivateBytes());
  return -1;
}

}  // namespace qb
