#include "settings_dialog/SettingsDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/CommonControls.h"
#include "platform/DebugLog.h"
#include "platform/Dpi.h"
#include "platform/DialogTemplate.h"
#include "platform/ModelessDialogs.h"
#include "platform/WinText.h"
#include "platform/WindowHelpers.h"
#include "settings_dialog/FilePickers.h"

namespace qb {

namespace {

constexpr BYTE kShiftJisCharset = SHIFTJIS_CHARSET;
// Dialog units around the tab strip and the buttons, and the buttons' size.
constexpr int kMargin = 6;
constexpr int kButtonWidth = 56;
constexpr int kButtonHeight = 15;

DialogItem ItemFor(const ControlLayout& c) {
  DialogItem item;
  item.x = static_cast<short>(c.x);
  item.y = static_cast<short>(c.y);
  item.width = static_cast<short>(c.width);
  item.height = static_cast<short>(c.height);
  item.id = c.id == 0 ? -1 : c.id;
  item.text = Widen(c.caption);
  // Every control but the second and later options of a group starts a group of its own, so the
  // arrow keys move only between options.
  const DWORD group = (c.kind != ControlKind::Option || c.groupStart) ? WS_GROUP : 0;
  switch (c.kind) {
    case ControlKind::Group:
      item.className = L"BUTTON";
      item.style = BS_GROUPBOX;
      break;
    case ControlKind::Label:
    case ControlKind::HotkeyStatus:
      item.className = L"STATIC";
      item.style = SS_LEFT | SS_NOPREFIX | group;
      break;
    case ControlKind::ValueLabel:
      item.className = L"STATIC";
      item.style = SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE | SS_SUNKEN | group;
      break;
    case ControlKind::FontSample:
      item.className = L"STATIC";
      item.style = SS_LEFT | SS_NOPREFIX | SS_SUNKEN | group;
      break;
    case ControlKind::Edit:
      item.className = L"EDIT";
      item.style = ES_AUTOHSCROLL | WS_TABSTOP | group;
      item.exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::MultiLineEdit:
      item.className = L"EDIT";
      item.style = ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP | group;
      item.exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Check:
      item.className = L"BUTTON";
      item.style = BS_AUTOCHECKBOX | WS_TABSTOP | group;
      break;
    case ControlKind::Option:
      item.className = L"BUTTON";
      item.style = BS_AUTORADIOBUTTON | (c.groupStart ? WS_TABSTOP : 0) | group;
      break;
    case ControlKind::List:
      item.className = L"COMBOBOX";
      item.style = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | group;
      break;
    case ControlKind::Button:
      item.className = L"BUTTON";
      item.style = BS_PUSHBUTTON | WS_TABSTOP | group;
      break;
    case ControlKind::ColourBox:
      item.className = L"BUTTON";
      item.style = BS_OWNERDRAW | WS_TABSTOP | group;
      break;
    case ControlKind::ColourView:
      // Not a tab stop: the memo text colour changes through the font button only.
      item.className = L"STATIC";
      item.style = SS_OWNERDRAW | group;
      break;
  }
  return item;
}

DialogSpec DialogFont(DialogSpec spec) {
  spec.fontFace = Widen(kDialogFontFace);
  spec.fontPoints = kDialogFontPoints;
  spec.fontCharset = kShiftJisCharset;
  return spec;
}

SettingsDialog* OwnerOf(HWND hwnd) { return reinterpret_cast<SettingsDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER)); }

bool KeyDown(int vk) { return GetKeyState(vk) < 0; }

RECT DialogUnits(HWND dialog, int x, int y, int width, int height) {
  RECT r{x, y, x + width, y + height};
  MapDialogRect(dialog, &r);
  return r;
}

}  // namespace

SettingsDialog::~SettingsDialog() {
  if (dialog_ != nullptr) {
    RemoveModelessDialog(dialog_);
    DestroyWindow(dialog_);
  }
}

bool SettingsDialog::Show() {
  if (dialog_ == nullptr) {
    if (!Create()) return false;
    LoadSettingsDialog(values_, live_);
    ShowValues();
    UpdateEnabling();
    UpdateSamples();
    UpdateHotkeyStatus();
    SelectPage(0, false);
    SetFocus(tabStrip_);
  }
  ShowWindow(dialog_, SW_SHOW);
  Tolerate(SetForegroundWindow(dialog_) != FALSE, "SetForegroundWindow(settings dialog)");
  return true;
}

bool SettingsDialog::Create() {
  RegisterCommonControlClasses(ICC_TAB_CLASSES | ICC_STANDARD_CLASSES);
  DialogSpec spec;
  spec.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
  spec.exStyle = WS_EX_CONTROLPARENT;
  spec.width = kPageWidth + 2 * kMargin;
  spec.height = kPageHeight + 60;
  spec.caption = Widen(kSettingsDialogCaption);
  spec = DialogFont(std::move(spec));
  // The tab strip last: pages go to the top of the window order (the strip must not paint over
  // them), and Tab runs top to bottom and round, so it goes strip, page, OK, Cancel, strip.
  spec.items.push_back({L"BUTTON", Widen(kOkCaption), BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, 0, 0,
                        static_cast<short>(kButtonWidth), static_cast<short>(kButtonHeight), IDOK});
  spec.items.push_back({L"BUTTON", Widen(kCancelCaption), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, 0, 0,
                        static_cast<short>(kButtonWidth), static_cast<short>(kButtonHeight), IDCANCEL});
  spec.items.push_back({WC_TABCONTROLW, L"", TCS_MULTILINE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_GROUP, 0,
                        static_cast<short>(kMargin), static_cast<short>(kMargin), static_cast<short>(kPageWidth + 4),
                        static_cast<short>(kPageHeight + 30), kTabStripId});
  const std::vector<DWORD> bytes = BuildDialogTemplate(spec);
  const HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()),
                                                 nullptr, &SettingsDialog::DialogProc, reinterpret_cast<LPARAM>(this));
  if (!Tolerate(dialog != nullptr, "CreateDialogIndirectParamW(settings dialog)")) return false;
  AddModelessDialog(dialog, [this](const MSG& msg) { return PreviewKey(msg); });
  return true;
}

void SettingsDialog::OnInitDialog(HWND dialog) {
  dialog_ = dialog;
  tabStrip_ = GetDlgItem(dialog, kTabStripId);
  const auto& pages = SettingsDialogPages();
  for (int i = 0; i < kSettingsPageCount; ++i) {
    std::wstring caption = Widen(pages[static_cast<size_t>(i)].caption);
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = caption.data();
    SendMessageW(tabStrip_, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tab));
  }
  dpi_ = DpiOfWindow(dialog);
  CreatePages();
  PrepareControls();
  ArrangeWindow();
  layout_.Record(dialog);
  for (int i = 0; i < kSettingsPageCount; ++i) pageLayouts_[static_cast<size_t>(i)].Record(pages_[static_cast<size_t>(i)]);
}

void SettingsDialog::OnDpiChanged(int dpi, const RECT* suggested) {
  layout_.Apply(dialog_, dpi, suggested);
  for (int i = 0; i < kSettingsPageCount; ++i) pageLayouts_[static_cast<size_t>(i)].Apply(pages_[static_cast<size_t>(i)], dpi, nullptr);
  dpi_ = layout_.Dpi();
  UpdateMacroFont();
  UpdateSamples();
}

bool SettingsDialog::CreatePages() {
  const auto& layouts = SettingsDialogPages();
  for (int i = 0; i < kSettingsPageCount; ++i) {
    DialogSpec spec;
    // DS_CONTROL: the page is part of the dialog for the keyboard (Tab walks into it).
    // No WS_CLIPCHILDREN: the page must paint its background inside the group boxes' frames too.
    spec.style = WS_CHILD | DS_CONTROL;
    spec.exStyle = WS_EX_CONTROLPARENT;
    spec.width = kPageWidth;
    spec.height = kPageHeight;
    spec = DialogFont(std::move(spec));
    for (const ControlLayout& c : layouts[static_cast<size_t>(i)].controls) spec.items.push_back(ItemFor(c));
    const std::vector<DWORD> bytes = BuildDialogTemplate(spec);
    const HWND page = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()),
                                                 dialog_, &SettingsDialog::PageProc, reinterpret_cast<LPARAM>(this));
    if (!Tolerate(page != nullptr, "CreateDialogIndirectParamW(settings page)")) return false;
    pages_[static_cast<size_t>(i)] = page;
    for (const ControlLayout& c : layouts[static_cast<size_t>(i)].controls) {
      if (c.id != 0) controls_[c.id] = GetDlgItem(page, c.id);
    }
  }
  return true;
}

void SettingsDialog::ArrangeWindow() {
  const RECT pageSize = DialogUnits(dialog_, 0, 0, kPageWidth, kPageHeight);
  const RECT margin = DialogUnits(dialog_, 0, 0, kMargin, kMargin);
  const RECT button = DialogUnits(dialog_, 0, 0, kButtonWidth, kButtonHeight);
  const int pageWidth = pageSize.right;
  const int pageHeight = pageSize.bottom;
  const int mx = margin.right;
  const int my = margin.bottom;
  // The strip's rows of tabs depend on its width: find the width whose display area is the page's,
  // then the height that leaves the page's height below the rows.
  int width = pageWidth + 8;
  RECT display{};
  for (int pass = 0; pass < 3; ++pass) {
    SetWindowPos(tabStrip_, nullptr, mx, my, width, pageHeight * 2, SWP_NOZORDER | SWP_NOACTIVATE);
    display = RECT{0, 0, width, pageHeight * 2};
    TabCtrl_AdjustRect(tabStrip_, FALSE, &display);
    width += pageWidth - (display.right - display.left);
  }
  const int height = display.top + pageHeight + (pageHeight * 2 - display.bottom);
  SetWindowPos(tabStrip_, nullptr, mx, my, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  for (HWND page : pages_) {
    SetWindowPos(page, HWND_TOP, mx + display.left, my + display.top, pageWidth, pageHeight, SWP_NOACTIVATE);
  }
  const int buttonsTop = my + height + my;
  const int right = mx + width;
  SetWindowPos(GetDlgItem(dialog_, IDCANCEL), nullptr, right - button.right, buttonsTop, button.right, button.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(GetDlgItem(dialog_, IDOK), nullptr, right - 2 * button.right - mx, buttonsTop, button.right,
               button.bottom, SWP_NOZORDER | SWP_NOACTIVATE);

  RECT outer{0, 0, right + mx, buttonsTop + button.bottom + my};
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(dialog_, GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(dialog_, GWL_EXSTYLE));
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int outerWidth = outer.right - outer.left;
  const int outerHeight = outer.bottom - outer.top;
  const int left = static_cast<int>(work.left) + std::max(0, static_cast<int>(work.right - work.left) - outerWidth) / 2;
  const int top = static_cast<int>(work.top) + std::max(0, static_cast<int>(work.bottom - work.top) - outerHeight) / 2;
  SetWindowPos(dialog_, nullptr, left, top, outerWidth, outerHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsDialog::SelectPage(int index, bool focusIntoPage) {
  if (index < 0 || index >= kSettingsPageCount || dialog_ == nullptr) return;
  selectedPage_ = index;
  if (TabCtrl_GetCurSel(tabStrip_) != index) TabCtrl_SetCurSel(tabStrip_, index);
  const HWND front = pages_[static_cast<size_t>(index)];
  // The page in front first, so that focus never lands in a page that is going.
  EnableWindow(front, TRUE);
  ShowWindow(front, SW_SHOWNA);
  for (HWND page : pages_) {
    if (page == front) continue;
    if (IsChild(page, GetFocus())) SetFocus(tabStrip_);
    ShowWindow(page, SW_HIDE);
    EnableWindow(page, FALSE);
  }
  if (!focusIntoPage) return;
  const HWND first = GetNextDlgTabItem(front, nullptr, FALSE);
  if (first != nullptr && IsChild(front, first)) {
    SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
  } else {
    SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tabStrip_), TRUE);
  }
}

void SettingsDialog::StepPage(int delta) {
  SelectPage((selectedPage_ + delta + kSettingsPageCount) % kSettingsPageCount, false);
  // The focus goes to the strip, which shows the page now in front; were it to go into the page, a
  // page that begins with a text box would take the next Ctrl+Tab as a tab, and the keyboard would
  // be stuck there. Tab goes on into the page.
  SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tabStrip_), TRUE);
}

bool SettingsDialog::PreviewKey(const MSG& msg) {
  const HWND focus = GetFocus();
  const bool inBox = focus != nullptr && IsMultiLineBox(GetDlgCtrlID(focus)) && IsChild(dialog_, focus);
  if (msg.message == WM_CHAR && inBox && (msg.wParam == '\r' || msg.wParam == '\n')) {
    // The slot and macro texts hold line breaks: Enter is one, not OK.
    DispatchMessageW(&msg);
    return true;
  }
  if (msg.message != WM_KEYDOWN) return false;
  const bool ctrl = KeyDown(VK_CONTROL) && !KeyDown(VK_MENU);
  const bool shift = KeyDown(VK_SHIFT);
  switch (msg.wParam) {
    case VK_NEXT:
    case VK_PRIOR:
      if (!ctrl) return false;
      StepPage(msg.wParam == VK_NEXT ? 1 : -1);
      return true;
    case VK_TAB:
      if (ctrl && inBox) {
        // The texts hold tabs too: Ctrl+Tab types one there.
        SendMessageW(focus, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\t"));
        return true;
      }
      if (ctrl) {
        StepPage(shift ? -1 : 1);
        return true;
      }
      if (inBox) {
        SendMessageW(dialog_, WM_NEXTDLGCTL, shift ? 1 : 0, FALSE);
        return true;
      }
      return false;
    case VK_RETURN:
      if (!inBox) return false;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      return true;
    case VK_ESCAPE: {
      // An open list closes first, as in any dialog.
      wchar_t className[16] = {};
      GetClassNameW(focus, className, 16);
      if (lstrcmpiW(className, L"ComboBox") == 0 && SendMessageW(focus, CB_GETDROPPEDSTATE, 0, 0) != 0) return false;
      OnCancel();
      return true;
    }
    default:
      return false;
  }
}

void SettingsDialog::OnOk() {
  CollectValues();
  ConfirmSettingsDialog(values_, live_);
  ShowValues();
  UpdateEnabling();
  UpdateSamples();
  UpdateHotkeyStatus();
  ShowWindow(dialog_, SW_HIDE);
}

void SettingsDialog::OnCancel() { ShowWindow(dialog_, SW_HIDE); }

void SettingsDialog::BrowseFile(int editId, bool pictureMode) {
  const HWND edit = Control(editId);
  const std::string chosen = ShowOpenFileDialog(dialog_, WindowTextOf(edit), pictureMode);
  if (!chosen.empty()) SetWindowTextW(edit, Widen(chosen).c_str());
}

void SettingsDialog::BrowseFolder(int editId) {
  const std::string chosen = ShowFolderDialog(dialog_);
  if (!chosen.empty()) SetWindowTextW(Control(editId), Widen(chosen).c_str());
}

void SettingsDialog::OnCommand(int id, int code, HWND) {
  if (id == IDOK) return OnOk();
  if (id == IDCANCEL) return OnCancel();
  if (code != BN_CLICKED) return;
  if (id >= ctl::kAppBrowse && id < ctl::kAppBrowse + kDialogLauncherRows) {
    return BrowseFile(ctl::kAppPath + (id - ctl::kAppBrowse), false);
  }
  switch (id) {
    case ctl::kCalendarPictureBrowse:
      return BrowseFile(ctl::kCalendarPictureFile, true);
    case ctl::kWallpaperFolderBrowse:
      return BrowseFolder(ctl::kWallpaperFolder);
    case ctl::kCalendarFontButton:
    case ctl::kMemoFontButton:
      return OnFontButtonClick(id);
    case ctl::kCalendarBack:
    case ctl::kCalendarText:
    case ctl::kCalendarHoliday:
    case ctl::kCalendarSaturday:
    case ctl::kIconTextColour:
    case ctl::kMemoBack:
      return OnColourBoxClick(id);
    case ctl::kCalendarFontBold:
    case ctl::kCalendarFontItalic:
    case ctl::kMemoFontBold:
    case ctl::kMemoFontItalic:
      CollectValues();
      return UpdateSamples();
    case ctl::kAutoDiet:
    case ctl::kCalendarPicture:
      return UpdateEnabling();
    default:
      return;
  }
}

void SettingsDialog::OnTabNotify(const NMHDR& header) {
  if (header.code == TCN_SELCHANGING) {
    // The page that goes takes no keyboard focus any more.
    EnableWindow(pages_[static_cast<size_t>(selectedPage_)], FALSE);
  } else if (header.code == TCN_SELCHANGE) {
    SelectPage(TabCtrl_GetCurSel(tabStrip_), false);
  }
}

INT_PTR SettingsDialog::HandleDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return TRUE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == tabStrip_) OnTabNotify(*header);
      return TRUE;
    }
    case WM_CLOSE:
      OnCancel();
      return TRUE;
    case WM_DPICHANGED:
      OnDpiChanged(DpiOfDpiChange(wParam), reinterpret_cast<const RECT*>(lParam));
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR SettingsDialog::HandlePageMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return TRUE;
    case WM_DRAWITEM:
      DrawColourBox(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<INT_PTR>(StaticColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK SettingsDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
      reinterpret_cast<SettingsDialog*>(lParam)->OnInitDialog(hwnd);
      return FALSE;  // the focus is set when the dialog is shown
    }
    SettingsDialog* self = OwnerOf(hwnd);
    return self != nullptr ? self->HandleDialogMessage(message, wParam, lParam) : FALSE;
  } catch (...) {
    LogCurrentException("settings dialog");
    return FALSE;
  }
}

INT_PTR CALLBACK SettingsDialog::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
      return FALSE;
    }
    SettingsDialog* self = OwnerOf(hwnd);
    return self != nullptr ? self->HandlePageMessage(hwnd, message, wParam, lParam) : FALSE;
  } catch (...) {
    LogCurrentException("settings dialog page");
    return FALSE;
  }
}

void ShowSettingsDialog(SettingsDialogLive& live) {
  // One dialog for the whole program; it lives until the process ends.
  static auto* dialog = new SettingsDialog(live);
  (void)dialog->Show();
}

}  // namespace qb
