#pragma once
// The background behind the labels of the desktop icons, set in the shell's icon list. Without an
// icon list (another shell, or none, as under Wine) every operation does nothing and reports
// nothing. Window thread only.
#include <windows.h>

#include <cstdint>

namespace qb {

// The shell's desktop icon list, or null.
[[nodiscard]] HWND FindDesktopIconList();

// Gives the labels that background (0x00BBGGRR, or kTransparentTextBackground) and redraws them.
// The first change of an icon list first records the background it had.
void SetIconTextBackground(uint32_t colour);

// Gives the labels back the background recorded before the program's first change; nothing when
// the program changed nothing.
void RestoreIconText();

// Applies the choice stored in section ICONTEXT of the settings file.
void ApplyIconTextChoice();

}  // namespace qb
