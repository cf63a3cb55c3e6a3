// The version dialog opened from the tray menu of the real program: its texts and version, its
// keys, the system information button against the registry of the test's own Wine prefix (nothing
// registered, a folder without the program, a path and a folder that hold a stand-in program),
// and the support link. A picture of the dialog is left next to the test program for a look.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <optional>
#include <string>
#include <vector>

#include "app/MenuModel.h"
#include "harness/Harness.h"
#include "harness/PopupMenus.h"
#include "platform/WinText.h"

namespace qb::e2e {
namespace {

constexpr UINT kIconId = 1;
constexpr UINT kIconCallback = WM_MOUSEMOVE;
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kCaption[] = L"Quorbellのﾊﾞｰｼﾞｮﾝ情報";
constexpr char kUnavailable[] = "現時点ではｼｽﾃﾑ情報を使用できません";

// One registry text value of the test's prefix (name empty: the key's default value), put back as
// it was when the test ends: its old text written again, or the value removed, and the key too
// when the test made it.
class RegistryValue {
public:
  RegistryValue(HKEY root, const wchar_t* key, const wchar_t* name) : root_(root), key_(key), name_(name) {
    HKEY opened = nullptr;
    keyExisted_ = RegOpenKeyExW(root, key, 0, KEY_QUERY_VALUE, &opened) == ERROR_SUCCESS;
    if (opened != nullptr) RegCloseKey(opened);
    DWORD bytes = 0;
    if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) == ERROR_SUCCESS) {
      std::wstring text(bytes / sizeof(wchar_t), L'\0');
      if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, text.data(), &bytes) == ERROR_SUCCESS) {
        text.resize(wcslen(text.c_str()));
        saved_ = text;
      }
    }
  }
  ~RegistryValue() {
    if (saved_) {
      Set(*saved_);
      return;
    }
    Remove();
    if (!keyExisted_) RegDeleteKeyW(root_, key_);
  }
  RegistryValue(const RegistryValue&) = delete;
  RegistryValue& operator=(const RegistryValue&) = delete;

  void Set(const std::wstring& text) const {
    ASSERT_EQ(RegSetKeyValueW(root_, key_, name_, REG_SZ, text.c_str(),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }
  void Remove() const {
    const LSTATUS status = RegDeleteKeyValueW(root_, key_, name_);
    ASSERT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << status;
  }

private:
  HKEY root_;
  const wchar_t* key_;
  const wchar_t* name_;
  bool keyExisted_ = false;
  std::optional<std::wstring> saved_;
};

// The system information program's two registrations.
class SystemInfoRegistration {
public:
  RegistryValue programPath{HKEY_LOCAL_MACHINE, LR"(SOFTWARE\Microsoft\Shared Tools\MSINFO)", L"PATH"};
  RegistryValue folder{HKEY_LOCAL_MACHINE, LR"(SOFTWARE\Microsoft\Shared Tools Location)", L"MSINFO"};
};

// The file version of an executable as Windows' own version functions read it.
std::optional<std::string> VersionOf(const std::wstring& exe) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<BYTE> info(size);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoW(exe.c_str(), 0, size, info.data()) ||
      !VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || length < sizeof(*fixed))
    return std::nullopt;
  return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
         std::to_string(LOWORD(fixed->dwFileVersionLS));
}

// A folder of the test's own, removed at the end with what runs from it.
class TempFolder {
public:
  explicit TempFolder(std::wstring_view prefix) : path_(MakeUniqueTempDirectory(prefix)) {}
  ~TempFolder() {
    // A program the button started from here may still run: Windows keeps a running program's file.
    EndLeftoverProcesses();
    RemoveTree(path_);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::wstring& Path() const { return path_; }

private:
  std::wstring path_;
};

class VersionDialog : public ResidentScenario {
protected:
  // "ﾊﾞｰｼﾞｮﾝ情報" from the tray menu, chosen with the keyboard after a right-button press; the
  // version dialog once it is up.
  HWND OpenFromTray(HWND main) {
    if (!Post(main, kIconCallback, kIconId, WM_RBUTTONDOWN)) return nullptr;
    const HWND menu = WaitForPopupMenu(app.Id());
    if (!menu || !ChooseByKeyboard(menu, static_cast<int>(MenuItem::mnuVer)) || !WaitForNoPopupMenu(app.Id()))
      return nullptr;
    return WaitForWindow(Dialogs());
  }

  WindowFilter Dialogs() const {
    WindowFilter filter;
    filter.processId = app.Id();
    filter.className = kDialogClass;
    filter.caption = kCaption;
    filter.visibleOnly = true;
    return filter;
  }

  // A message box of the program other than the version dialog itself.
  std::optional<MessageBoxInfo> WaitForMessage(HWND versionDialog) {
    HWND found = nullptr;
    WaitUntil([&] {
      for (HWND dialog : DialogWindows(app.Id()))
        if (dialog != versionDialog && IsWindowVisible(dialog) && FindChild(dialog, L"Button", std::nullopt))
          found = dialog;
      return found != nullptr;
    });
    if (!found) return std::nullopt;
    return ReadMessageBox(found);
  }

  // Presses the button and expects the "not available" message, answered with OK; the version
  // dialog stays open.
  void ExpectUnavailableMessage(HWND dialog, HWND button) {
    ASSERT_TRUE(ClickCentre(button));
    const std::optional<MessageBoxInfo> message = WaitForMessage(dialog);
    ASSERT_TRUE(message) << "no message";
    EXPECT_EQ(message->text, kUnavailable);
    EXPECT_EQ(message->caption, "Quorbell");
    EXPECT_EQ(message->buttons, std::vector<std::string>{"OK"});
    ASSERT_TRUE(PressButton(message->hwnd, "OK"));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(message->hwnd); }));
    EXPECT_TRUE(Visible(dialog));
  }

  static bool ClickCentre(HWND control) {
    RECT r{};
    GetClientRect(control, &r);
    return ClickAt(control, POINT{r.right / 2, r.bottom / 2});
  }

  // The probe's record of its command line, once it has started from the app folder (its working
  // directory, inherited from the program); removed for the next start.
  static std::optional<std::string> TakeStartedCommandLine(const AppFolder& folder) {
    const std::wstring record = folder.PathOf(L"probe-args.txt");
    std::optional<std::string> line;
    WaitUntil([&] { return (line = ReadFileBytes(record)) && !line->empty(); });
    DeleteFileW(record.c_str());
    return line;
  }
};

TEST_F(VersionDialog, OpensFromTheTrayWithItsVersionAndTextsOnceAndClosesByOkEnterAndEscape) {
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  HWND dialog = OpenFromTray(main);
  ASSERT_TRUE(dialog) << "no version dialog after choosing ﾊﾞｰｼﾞｮﾝ情報";

  // The version is the one Windows reads from the program's file: 1.0.0 for this build.
  const std::optional<std::string> version = VersionOf(folder.ExePath());
  ASSERT_TRUE(version);
  EXPECT_EQ(*version, "1.0.0");
  EXPECT_TRUE(FindChild(dialog, L"Static", "ﾊﾞｰｼﾞｮﾝ " + *version)) << "no version label";
  EXPECT_TRUE(FindChild(dialog, L"Static", "Quorbell"));
  EXPECT_TRUE(FindChild(dialog, L"Static", "ｻﾎﾟｰﾄﾎｰﾑﾍﾟｰｼﾞ: "));
  const HWND link = FindChild(dialog, L"SysLink", std::nullopt);
  ASSERT_TRUE(link);
  EXPECT_EQ(WindowText(link), "<a>Readme.txt</a>");
  // Author block, notice and acknowledgement are there with text.
  for (int id : {104, 105, 106}) EXPECT_FALSE(WindowText(GetDlgItem(dialog, id)).empty()) << id;
  const HWND ok = FindChild(dialog, L"Button", "OK");
  const HWND systemInfo = FindChild(dialog, L"Button", "ｼｽﾃﾑ情報(&S)");
  ASSERT_TRUE(ok && systemInfo);
  EXPECT_EQ(Style(ok) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(FocusOf(dialog), ok);
  // A fixed tool window with a close box and nothing to minimise or maximise.
  EXPECT_TRUE(ExStyle(dialog) & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(Style(dialog) & WS_SYSMENU);
  EXPECT_FALSE(Style(dialog) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  // The link stands right after its label, as wide as its text.
  const HWND label = FindChild(dialog, L"Static", "ｻﾎﾟｰﾄﾎｰﾑﾍﾟｰｼﾞ: ");
  ASSERT_TRUE(label);
  EXPECT_EQ(WindowRect(link).left, WindowRect(label).right);
  EXPECT_TRUE(UpdateWindow(dialog));
  EXPECT_TRUE(SaveBitmap(CaptureWindow(dialog), PathJoin(ExeDirectory(), L"VersionDialog.bmp")));

  // Chosen again: the same dialog, in front.
  EXPECT_EQ(OpenFromTray(main), dialog);
  EXPECT_FALSE(WaitUntil([&] { return TopLevelWindows(Dialogs()).size() > 1; }, kQuietPeriod));
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));

  // Escape closes it (OK is also the cancel button) ...
  ASSERT_TRUE(BringToFront(dialog));
  ASSERT_TRUE(PressKeys({VK_ESCAPE}));
  EXPECT_TRUE(WaitForNoWindow(Dialogs())) << "Escape did not close the dialog";
  // ... Enter presses OK, the default button ...
  dialog = OpenFromTray(main);
  ASSERT_TRUE(dialog) << "the dialog did not open again";
  ASSERT_TRUE(BringToFront(dialog));
  ASSERT_TRUE(PressKeys({VK_RETURN}));
  EXPECT_TRUE(WaitForNoWindow(Dialogs())) << "Enter did not close the dialog";
  // ... and so does a click on OK.
  dialog = OpenFromTray(main);
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(ClickCentre(FindChild(dialog, L"Button", "OK")));
  EXPECT_TRUE(WaitForNoWindow(Dialogs())) << "OK did not close the dialog";
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(VersionDialog, SystemInfoButtonSaysSoWhenNoProgramIsRegistered) {
  SystemInfoRegistration registration;
  registration.programPath.Remove();
  registration.folder.Remove();
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  const HWND dialog = OpenFromTray(main);
  ASSERT_TRUE(dialog);
  const HWND button = FindChild(dialog, L"Button", "ｼｽﾃﾑ情報(&S)");
  ASSERT_TRUE(button);
  ExpectUnavailableMessage(dialog, button);

  // A registered folder that does not hold the program finds nothing either.
  const TempFolder emptyFolder(L"msinfo ");
  registration.folder.Set(emptyFolder.Path());
  ExpectUnavailableMessage(dialog, button);
  // Alt+S is the button's key.
  ASSERT_TRUE(BringToFront(dialog));
  ASSERT_TRUE(PressKeys({VK_MENU, 'S'}));
  const std::optional<MessageBoxInfo> message = WaitForMessage(dialog);
  ASSERT_TRUE(message) << "Alt+S pressed no button";
  EXPECT_EQ(message->text, kUnavailable);
  ASSERT_TRUE(PressButton(message->hwnd, "OK"));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(message->hwnd); }));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(VersionDialog, SystemInfoButtonStartsTheRegisteredProgramByItsQuotedPath) {
  // The started program's working directory is the app folder: the program's own folder (below)
  // goes first at the end, ending it, before the app folder is removed.
  AppFolder appFolder;
  // Where Windows keeps it: a folder with blanks in its name (and here Japanese too).
  const TempFolder root(L"sysinfo ");
  const std::wstring folder = PathJoin(root.Path(), L"Common Files\\Microsoft Shared\\MSInfo 情報");
  ASSERT_EQ(SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr), ERROR_SUCCESS);
  const std::wstring probe = SiblingExecutable(L"quorbell-e2e-probe.exe");
  const std::wstring registered = PathJoin(folder, L"msinfo32.exe");
  const std::wstring inFolder = PathJoin(folder, L"MSINFO32.EXE");
  ASSERT_TRUE(CopyFileW(probe.c_str(), registered.c_str(), FALSE));

  SystemInfoRegistration registration;
  registration.programPath.Set(registered);
  registration.folder.Remove();
  HWND main = Start(appFolder);
  ASSERT_TRUE(main);
  const HWND dialog = OpenFromTray(main);
  ASSERT_TRUE(dialog);
  const HWND button = FindChild(dialog, L"Button", "ｼｽﾃﾑ情報(&S)");
  ASSERT_TRUE(button);

  // The registered path, even with no folder registered: the program's path in quotes, and
  // nothing else, is its command line.
  ASSERT_TRUE(ClickCentre(button));
  EXPECT_EQ(TakeStartedCommandLine(appFolder), "\"" + Narrow(registered) + "\"");
  // Only the folder registered: the program in it.
  registration.programPath.Remove();
  registration.folder.Set(folder);
  ASSERT_TRUE(ClickCentre(button));
  // The file system does not tell the two spellings of the name apart.
  const std::optional<std::string> started = TakeStartedCommandLine(appFolder);
  ASSERT_TRUE(started);
  EXPECT_EQ(CompareStringOrdinal(Widen(*started).c_str(), -1, (L"\"" + inFolder + L"\"").c_str(), -1, TRUE),
            CSTR_EQUAL)
      << *started;
  EXPECT_TRUE(StaysWithoutWindow([&] {
    WindowFilter others;
    others.processId = app.Id();
    others.className = kDialogClass;
    others.caption = L"Quorbell";
    return others;
  }())) << "a message came up although the program started";
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(VersionDialog, SupportLinkOpensTheReadMeBesideTheProgramAndNothingWithoutOne) {
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  HWND dialog = OpenFromTray(main);
  ASSERT_TRUE(dialog);
  HWND link = FindChild(dialog, L"SysLink", std::nullopt);
  ASSERT_TRUE(link);
  // Text files open with Notepad, as on Windows (the bed's prefix knows the text file type but
  // does not give it to ".txt").
  RegistryValue textType(HKEY_LOCAL_MACHINE, LR"(Software\Classes\.txt)", L"");
  textType.Set(L"txtfile");
  WindowFilter notepads;
  notepads.className = L"Notepad";
  notepads.visibleOnly = true;

  // No read-me: nothing opens, no message, and the dialog stays. Reached with the keyboard: Tab
  // from OK past the button to the link, then Enter.
  ASSERT_TRUE(BringToFront(dialog));
  ASSERT_TRUE(PressKeys({VK_TAB}));
  ASSERT_TRUE(PressKeys({VK_TAB}));
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == link; })) << "Tab did not reach the link";
  ASSERT_TRUE(PressKeys({VK_RETURN}));
  EXPECT_TRUE(StaysWithoutWindow(notepads));
  EXPECT_TRUE(Visible(dialog)) << "Enter on the link closed the dialog";
  EXPECT_EQ(DialogWindows(app.Id()).size(), 1u) << "a message came up";

  // With the read-me beside the program, a click on the link opens it with its program.
  ASSERT_TRUE(WriteFileBytes(folder.PathOf(L"Readme.txt"), "Quorbell read-me\r\n"));
  ASSERT_TRUE(ClickCentre(link));
  const HWND notepad = WaitForWindow(notepads);
  ASSERT_TRUE(notepad) << "the read-me did not open";
  EXPECT_NE(WindowText(notepad).find("Readme"), std::string::npos) << WindowText(notepad);
  EXPECT_TRUE(PostClose(notepad));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
