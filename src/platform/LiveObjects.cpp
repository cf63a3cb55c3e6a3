#include "platform/LiveObjects.h"

#include <malloc.h>

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
  // The committed private pages of the address space, as Windows counts "private bytes". Walked
  // rather than asked of GetProcessMemoryInfo, whose PrivateUsage Wine leaves at 0.
  std::uint64_t bytes = 0;
  const auto* address = static_cast<const unsigned char*>(nullptr);
  MEMORY_BASIC_INFORMATION region{};
  while (VirtualQuery(address, &region, sizeof region) == sizeof region) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) bytes += region.RegionSize;
    const auto* next = static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize;
    if (next <= address) break;
    address = next;
  }
  return bytes;
}

HeapFigures WalkHeap(HANDLE heap) noexcept {
  HeapFigures figures;
  if (heap == nullptr || !HeapLock(heap)) return figures;
  PROCESS_HEAP_ENTRY entry{};
  while (HeapWalk(heap, &entry)) {
    if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0) figures.inUse += entry.cbData;
    if ((entry.wFlags & PROCESS_HEAP_REGION) != 0) figures.committed += entry.Region.dwCommittedSize;
  }
  HeapUnlock(heap);
  return figures;
}

UINT LiveObjectsMessage() noexcept {
  static const UINT message = RegisterWindowMessageW(kLiveObjectsMessageName);
  return message;
}

LRESULT AnswerLiveObjects(WPARAM query) noexcept {
  if (query < static_cast<WPARAM>(kObjectKindCount)) return LiveObjects(static_cast<ObjectKind>(query));
  if (query == kQueryThreadWindows) return ThreadWindowCount();
  if (query == kQueryPrivateBytes) return static_cast<LRESULT>(PrivateBytes());
  if (query == kQueryOwnHeapBytes) {
    return static_cast<LRESULT>(WalkHeap(reinterpret_cast<HANDLE>(_get_heap_handle())).inUse);
  }
  if (query == kQuerySystemHeapBytes) return static_cast<LRESULT>(WalkHeap(GetProcessHeap()).inUse);
  if (query == kQuerySystemHeapCommitted) return static_cast<LRESULT>(WalkHeap(GetProcessHeap()).committed);
  return -1;
}

}  // namespace qb
