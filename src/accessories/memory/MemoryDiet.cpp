#include "accessories/memory/MemoryDiet.h"

#include <windows.h>

#include <cstring>

#include "accessories/memory/DietPlan.h"
#include "platform/DebugLog.h"
#include "platform/MessagePump.h"
#include "settings/Catalogue.h"
#include "settings/Settings.h"

namespace qb {

void FillDietBlock(void* block, std::size_t bytes) noexcept { std::memset(block, 0, bytes); }

int RunMemoryDietPasses(std::size_t bytes, int passes) {
  int committed = 0;
  for (int pass = 0; pass < passes; ++pass) {
    // Uncached so that the writes go out to physical memory and push other pages out of the
    // working sets, which is the point of the diet.
    void* block = VirtualAlloc(nullptr, bytes, MEM_COMMIT, PAGE_READWRITE | PAGE_NOCACHE);
    if (Tolerate(block != nullptr, "VirtualAlloc")) {
      ++committed;
      FillDietBlock(block, bytes);
      // Decommit only: the range stays reserved until the helper process ends a moment later.
      Tolerate(VirtualFree(block, bytes, MEM_DECOMMIT) != FALSE, "VirtualFree");
    }
    PumpPendingMessages();
  }
  return committed;
}

void RunMemoryDiet() { RunMemoryDietPasses(DietBlockBytes(ReadSetting(keys::MemDietSize)), kDietPasses); }

}  // namespace qb
