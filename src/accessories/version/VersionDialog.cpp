#include "accessories/version/VersionDialog.h"

#include <commctrl.h>

#include <memory>
#include <utility>
#include <string>

#include "accessories/version/ProgramVersion.h"
#include "accessories/version/SystemInformation.h"
#include "accessories/version/VersionDialogResources.h"
#include "common/AppIdentity.h"
#include "common/FileSystem.h"
#include "platform/CommonControls.h"
#include "platform/DebugLog.h"
#include "platform/Dpi.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/ProgramResource.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/ShellOpen.h"
#include "platform/WinText.h"
#include "platform/WindowHelpers.h"

namespace qb {

namespace {

// Each line ends in a line break, the last one too.
constexpr char kAuthorBlock[] = "作者: Quorbell 開発者一同\r\n連絡先: 同梱の Readme.txt をご覧ください\r\n";
// The support link opens the read-me that ships beside the program.
constexpr char kReadmeFileName[] = "Readme.txt";
// The title is shown larger than the dialog's font, and bold.
constexpr int kTitleScalePercent = 150;
// The version resource's name, as the resource script gives it (VS_VERSION_INFO).
constexpr WORD kVersionResource = 1;
// The program's icon, as the resource script names it.
constexpr WORD kProgramIcon = 1;
// Room for the link's focus rectangle around its text.
constexpr int kLinkFocusMargin = 2;

void SetItemText(HWND dialog, int id, const std::string& text) {
  Tolerate(SetDlgItemTextW(dialog, id, Widen(text).c_str()) != FALSE, "SetDlgItemTextW");
}

// The width of `text` in pixels as `control` draws it with its font.
int TextWidth(HWND control, const std::wstring& text) {
  WindowDc dc(control);
  if (!dc) return 0;
  const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
  SelectGuard select(dc.get(), font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  if (!Tolerate(GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size) != FALSE,
                "GetTextExtentPoint32W"))
    return 0;
  return size.cx;
}

// A control's rectangle in its dialog's client coordinates.
RECT RectInDialog(HWND dialog, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

bool VersionDialog::Load() {
  if (Hwnd() != nullptr) return true;
  // The support link is a common control of its own; its class exists only once asked for.
  RegisterCommonControlClasses(ICC_LINK_CLASS);
  if (!CreateModeless(VERSION_DIALOG_TEMPLATE, nullptr)) return false;
  ShowWindow(Hwnd(), SW_SHOWNORMAL);
  Tolerate(SetForegroundWindow(Hwnd()) != FALSE, "SetForegroundWindow(version dialog)");
  return true;
}

void VersionDialog::OnInitDialog() {
  SetTexts();
  SetTitleFont(reinterpret_cast<HFONT>(SendMessageW(Hwnd(), WM_GETFONT, 0, 0)));
  PlaceSupportLink();
  layout_.Record(Hwnd());
}

void VersionDialog::SetTitleFont(HFONT dialogFont) {
  // The title in a larger, bold version of the dialog's own font.
  const HWND title = GetDlgItem(Hwnd(), VERSION_DIALOG_TITLE);
  LOGFONTW logFont{};
  if (title == nullptr || dialogFont == nullptr || GetObjectW(dialogFont, sizeof(logFont), &logFont) == 0) return;
  logFont.lfHeight = MulDiv(logFont.lfHeight, kTitleScalePercent, 100);
  logFont.lfWeight = FW_BOLD;
  UniqueFont font(CreateFontIndirectW(&logFont));
  if (!font) return;
  SendMessageW(title, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  titleFont_ = std::move(font);  // the title has the new one: the old one can go
}

void VersionDialog::OnDpiChanged(int dpi, const RECT* suggested) {
  layout_.Apply(Hwnd(), dpi, suggested);
  SetTitleFont(layout_.Font());
  // The program's icon at the desktop icon size of that DPI.
  const int side = SystemMetricForDpi(SM_CXICON, dpi);
  UniqueIcon icon(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIcon), IMAGE_ICON, side, side, LR_DEFAULTCOLOR)));
  if (const HWND iconControl = GetDlgItem(Hwnd(), VERSION_DIALOG_ICON); iconControl != nullptr && icon) {
    SendMessageW(iconControl, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
    icon_ = std::move(icon);  // the control shows the new one: the old one of ours can go
  }
  PlaceSupportLink();
}

void VersionDialog::SetTexts() {
  Tolerate(SetWindowTextW(Hwnd(), Widen(VersionDialogCaption(kAppTitle)).c_str()) != FALSE, "SetWindowTextW");
  const std::string_view resource = ProgramResource(RT_VERSION, MAKEINTRESOURCEW(kVersionResource));
  const std::optional<FileVersion> version = ParseFileVersion(resource);
  if (!version) DebugLog("version dialog: the program's version resource is missing or unreadable");
  SetItemText(Hwnd(), VERSION_DIALOG_VERSION, VersionLabel(version.value_or(FileVersion{})));
  SetItemText(Hwnd(), VERSION_DIALOG_TITLE, std::string(kAppTitle));
  SetItemText(Hwnd(), VERSION_DIALOG_AUTHOR, kAuthorBlock);
}

void VersionDialog::PlaceSupportLink() {
  // The link follows its label's text directly and is as wide as its own text, so that the part
  // that reacts to the mouse is the part drawn as a link, in every font and at every DPI.
  const HWND label = GetDlgItem(Hwnd(), VERSION_DIALOG_SUPPORT_LABEL);
  const HWND link = GetDlgItem(Hwnd(), VERSION_DIALOG_SUPPORT_LINK);
  if (label == nullptr || link == nullptr) return;
  const RECT labelRect = RectInDialog(Hwnd(), label);
  const RECT linkRect = RectInDialog(Hwnd(), link);
  const int labelWidth = TextWidth(label, Widen(WindowTextOf(label)));
  const int linkWidth = TextWidth(link, Widen(kReadmeFileName)) + 2 * kLinkFocusMargin;
  if (labelWidth <= 0 || linkWidth <= 2 * kLinkFocusMargin) return;  // the template's places stay
  SetWindowPos(label, nullptr, 0, 0, labelWidth, labelRect.bottom - labelRect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(link, nullptr, labelRect.left + labelWidth, linkRect.top, linkWidth, linkRect.bottom - linkRect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void VersionDialog::OnOkClick() { Destroy(); }

void VersionDialog::OnSystemInfoClick() { StartSysInfo(Hwnd()); }

void VersionDialog::OnSupportLinkClick() {
  const std::string readme = JoinPath(ExeDir(), kReadmeFileName);
  // No read-me beside the program: the link does nothing.
  if (!SystemFileSystem().FileExists(readme)) {
    DebugLog("version dialog: no " + readme);
    return;
  }
  (void)OpenWithShell(Hwnd(), readme);  // the shell shows its own message when it cannot
}

INT_PTR VersionDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return TRUE;  // the focus goes to the first control that takes it: OK
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:  // Escape and the close box
          OnOkClick();
          return TRUE;
        case VERSION_DIALOG_SYSTEM_INFO:
          if (HIWORD(wParam) == BN_CLICKED) OnSystemInfoClick();
          return TRUE;
        default:
          break;
      }
      break;
    case WM_DPICHANGED:
      OnDpiChanged(DpiOfDpiChange(wParam), reinterpret_cast<const RECT*>(lParam));
      return TRUE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == VERSION_DIALOG_SUPPORT_LINK && (header->code == NM_CLICK || header->code == NM_RETURN)) {
        OnSupportLinkClick();
        return TRUE;
      }
      break;
    }
    default:
      break;
  }
  return FALSE;
}

void ShowVersionDialog() {
  // One dialog for the whole program; its window comes and goes, the object stays.
  static std::unique_ptr<VersionDialog> dialog;
  if (!dialog) dialog = std::make_unique<VersionDialog>();
  if (const HWND open = dialog->Hwnd()) {
    ShowWindow(open, SW_SHOWNORMAL);
    // Its message box, when one is up, is what the user has to answer first.
    Tolerate(SetForegroundWindow(GetLastActivePopup(open)) != FALSE, "SetForegroundWindow(version dialog)");
    return;
  }
  (void)dialog->Load();
}

void StartSysInfo(HWND owner) {
  // Reading needs no more than the right to query values (RegGetValueW opens the key with
  // KEY_QUERY_VALUE): ordinary users may not open these machine-wide keys for writing.
  const SystemInfoRegistration registration{
      ReadRegistryString(HKEY_LOCAL_MACHINE, std::string(kSystemInfoKey), std::string(kSystemInfoPathValue)),
      ReadRegistryString(HKEY_LOCAL_MACHINE, std::string(kSharedToolsLocationKey),
                         std::string(kSharedToolsSystemInfoValue))};
  const std::optional<std::string> program =
      SystemInfoProgram(registration, [](const std::string& path) { return SystemFileSystem().FileExists(path); });
  // The program's folder has blanks in it ("Common Files"): started by its path, quoted, never as
  // a command line for Windows to split.
  if (program && StartProcess(*program, {}, SW_SHOWNORMAL)) return;
  ShowMessageBox(owner, kSystemInfoUnavailable, kAppTitle, MB_OK);
}

}  // namespace qb
