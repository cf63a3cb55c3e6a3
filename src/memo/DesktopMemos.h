#pragma once
// The desktop memos of the program: the table of open memo windows by memo number, bringing every
// stored memo onto the screen, and a new empty memo.
#include <windows.h>

#include <array>

#include "common/OpenWork.h"
#include "memo/MemoRecord.h"

namespace qb {

// The open memo windows by memo number (0 to 10); null where no memo is open.
extern std::array<HWND, kMemoSlots> MemoWindows;

inline constexpr const char* kMemoLimitMessage = "ﾒﾓは最大10個迄です.";

// At start-up, before the first memo opens: the open memos register their savers with `openWork`
// so that they are stored at log-off and when the program ends.
void SetUpDesktopMemos(OpenWorkRegistry& openWork);

// Closes every open memo (each stores itself first) and opens one window for every stored memo,
// so each stored memo is on the screen exactly once afterwards. An open desktop calendar is opened
// again where it stands.
void LoadDesktopMemos();

// A new, empty memo under the lowest free number, cascaded from the top-left of the work area; the
// limit message when no number is free. Answers the new window, or null.
HWND NewDesktopMemo();

}  // namespace qb
