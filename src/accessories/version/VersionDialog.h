#pragma once
// The version dialog "Quorbellのﾊﾞｰｼﾞｮﾝ情報": the program's icon, title and version (read from its
// version resource), the author block, a notice, a link to the read-me beside the program, an
// acknowledgement, "OK" (default and cancel button) and "ｼｽﾃﾑ情報(&S)", which starts the system
// information program Windows has registered. Modeless, one at a time.
#include <windows.h>

#include "platform/DialogBase.h"
#include "platform/DialogDpiLayout.h"
#include "platform/Handles.h"

namespace qb {

class VersionDialog : public DialogBase<VersionDialog> {
public:
  VersionDialog() = default;
  ~VersionDialog() { Destroy(); }

  // Creates and shows the dialog; false when it cannot be created.
  [[nodiscard]] bool Load();

  void OnOkClick();
  void OnSystemInfoClick();
  void OnSupportLinkClick();
  // Moved to a monitor of another DPI: fonts, controls, icon and link at that DPI, in the
  // suggested rectangle (when one is given).
  void OnDpiChanged(int dpi, const RECT* suggested);

  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
  void OnInitDialog();
  void SetTexts();
  void PlaceSupportLink();
  void SetTitleFont(HFONT dialogFont);

  UniqueFont titleFont_;
  UniqueIcon icon_;  // the program's icon once it was loaded for another DPI
  DialogDpiLayout layout_;
};

// The tray item: opens the version dialog, or brings the open one forward.
void ShowVersionDialog();

// Starts the system information program found through the registry (keys opened for reading
// only), as one quoted program path; when none is found or it does not start, says so in a
// message box owned by `owner`.
void StartSysInfo(HWND owner);

}  // namespace qb
