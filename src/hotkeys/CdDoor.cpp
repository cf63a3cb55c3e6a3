#include "hotkeys/CdDoor.h"

#include <mmsystem.h>

#include <array>
#include <string>

#include "common/AppIdentity.h"
#include "hotkeys/CdDoorCommand.h"
#include "platform/DebugLog.h"
#include "platform/MessageBox.h"
#include "platform/SystemLibrary.h"
#include "platform/WinText.h"

namespace qb {

void SetCdDoor(HWND window, bool open) {
  const std::wstring command = Widen(CdDoorCommand(open));
  std::array<wchar_t, 255> answer{};
  // The multimedia library is loaded on the first use of the door, not with the program.
  const auto send = SystemFunctionAs<decltype(&mciSendStringW)>(L"winmm.dll", "mciSendStringW");
  const MCIERROR error =
      send != nullptr ? send(command.c_str(), answer.data(), static_cast<UINT>(answer.size()), window) : MCIERR_INTERNAL;
  if (error == 0) return;
  DebugLog("mciSendStringW \"" + Narrow(command) + "\" failed: " + std::to_string(error));
  ShowMessageBox(window, kCdDoorErrorMessage, kAppTitle, MB_OK);
}

void ToggleCdDoor(HWND window) {
  CdDoorOpen = !CdDoorOpen;
  SetCdDoor(window, CdDoorOpen);
}

}  // namespace qb
