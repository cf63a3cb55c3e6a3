#pragma once
// Counts of the GDI and USER objects the program holds through its owners (Handles.h), answered
// through a registered message of the main window so that a long run can prove nothing grows.
// The system's own figures (GetGuiResources) answer 0 under Wine, and a relaxed atomic add per
// object made or freed costs too little to keep the counting out of the shipped program.
#include <windows.h>

#include <atomic>
#include <cstdint>

namespace qb {

enum class ObjectKind : int { Font, Brush, Pen, Bitmap, Region, MemoryDc, WindowDc, Menu, Icon };
inline constexpr int kObjectKindCount = 9;

// The registered message: wParam is an ObjectKind or one of the queries below, the answer the
// figure. Asked of the main window by the soak scenario.
inline constexpr wchar_t kLiveObjectsMessageName[] = L"Quorbell.LiveObjects";
// The windows of the program's thread, their children included (the system's lists tell them,
// so they need no counter).
inline constexpr WPARAM kQueryThreadWindows = 100;
// The process's private memory in bytes.
inline constexpr WPARAM kQueryPrivateBytes = 101;
// What the program's own code holds: the bytes in use on the C runtime's heap (new and malloc).
inline constexpr WPARAM kQueryOwnHeapBytes = 102;
// What the system's libraries hold inside the process: the bytes in use on the process heap, and
// the bytes that heap has committed (its blocks' headers and free room included).
inline constexpr WPARAM kQuerySystemHeapBytes = 103;
inline constexpr WPARAM kQuerySystemHeapCommitted = 104;

namespace detail {
std::atomic<long>& LiveCounter(ObjectKind kind) noexcept;
}

inline void CountObjectMade(ObjectKind kind) noexcept {
  detail::LiveCounter(kind).fetch_add(1, std::memory_order_relaxed);
}
inline void CountObjectFreed(ObjectKind kind) noexcept {
  detail::LiveCounter(kind).fetch_sub(1, std::memory_order_relaxed);
}

[[nodiscard]] long LiveObjects(ObjectKind kind) noexcept;
[[nodiscard]] long ThreadWindowCount() noexcept;
[[nodiscard]] std::uint64_t PrivateBytes() noexcept;

struct HeapFigures {
  std::uint64_t inUse = 0;      // the busy blocks' bytes as asked for
  std::uint64_t committed = 0;  // the heap's committed pages
};
// Walks a heap under its lock; a long walk, for figures asked now and then, never on a hot path.
[[nodiscard]] HeapFigures WalkHeap(HANDLE heap) noexcept;

UINT LiveObjectsMessage() noexcept;
// The answer to the registered message's query; -1 for a query it does not know.
[[nodiscard]] LRESULT AnswerLiveObjects(WPARAM query) noexcept;

}  // namespace qb
