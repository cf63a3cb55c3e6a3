// The version dialog opened from the tray menu of the real program: its texts, version and keys,
// the system information button against the registry of the test's own Wine prefix, and the
// support link. A picture of the dialog is left next to the test program for a look.
#include <gtest/gtest.h>

#include <windows.h>

#include <sddl.h>
#include <shlobj.h>

#include <optional>
#include <string>
#include <vector>

#include "accessories/version/VersionDialogResources.h"
#include "app/MenuModel.h"
#include "harness/Harness.h"
#include "harness/PopupMenus.h"
#include "platform/WinText.h"

namespace qb::e2e {
namespace {

constexpr UINT kIconId = 1;
constexpr UINT kIconCallback = WM_MOUSEMOVE;
constexpr char kUnavailable[] = "現時点ではｼｽﾃﾑ情報を使用できません";
constexpr wchar_t kProgramKey[] = LR"(SOFTWARE\Microsoft\Shared Tools\MSINFO)";
constexpr wchar_t kLocationKey[] = LR"(SOFTWARE\Microsoft\Shared Tools Location)";

// One text value of the test prefix's registry (name empty: the key's default value), put back as
// it was, or removed again, when the test ends.
class RegistryValue {
public:
  RegistryValue(HKEY root, const wchar_t* key, const wchar_t* name) : root_(root), key_(key), name_(name) {
    wchar_t text[1024];
    DWORD bytes = sizeof(text);
    if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, text, &bytes) == ERROR_SUCCESS) saved_ = text;
  }
  ~RegistryValue() { saved_ ? Set(*saved_) : Remove(); }
  RegistryValue(const RegistryValue&) = delete;
  RegistryValue& operator=(const RegistryValue&) = delete;

  void Set(const std::wstring& text) const {
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    EXPECT_EQ(RegSetKeyValueW(root_, key_, name_, REG_SZ, text.c_str(), bytes), ERROR_SUCCESS);
  }
  void Remove() const { RegDeleteKeyValueW(root_, key_, name_); }

private:
  HKEY root_;
  const wchar_t* key_;
  const wchar_t* name_;
  std::optional<std::wstring> saved_;
};

// A key as an ordinary user finds the machine-wide keys: readable, not writable, until the test
// ends. Changing its permissions stays allowed, for the test's own clean-up.
class ReadOnlyKey {
public:
  ReadOnlyKey(HKEY root, const wchar_t* path) {
    if (RegOpenKeyExW(root, path, 0, READ_CONTROL | WRITE_DAC, &key_) != ERROR_SUCCESS) {
      ADD_FAILURE() << "cannot change the permissions of the key";
      return;
    }
    DWORD bytes = sizeof(saved_);
    EXPECT_EQ(RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_, &bytes), ERROR_SUCCESS);
    // Everyone: read the key and change its permissions.
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    EXPECT_TRUE(
        ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;KRWD;;;WD)", SDDL_REVISION_1, &readOnly, nullptr));
    EXPECT_EQ(RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, readOnly), ERROR_SUCCESS);
    LocalFree(readOnly);
    HKEY writable = nullptr;
    EXPECT_EQ(RegOpenKeyExW(root, path, 0, KEY_ALL_ACCESS, &writable), ERROR_ACCESS_DENIED);
    if (writable != nullptr) RegCloseKey(writable);
  }
  ~ReadOnlyKey() {
    if (key_ == nullptr) return;
    RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_);
    RegCloseKey(key_);
  }
  ReadOnlyKey(const ReadOnlyKey&) = delete;
  ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

private:
  HKEY key_ = nullptr;
  alignas(void*) BYTE saved_[4096]{};
};

// A folder of the test's own, removed at the end with the programs started from it (Windows keeps
// the file of a running program).
class TempFolder {
public:
  explicit TempFolder(std::wstring_view prefix) : path_(MakeUniqueTempDirectory(prefix)) {}
  ~TempFolder() {
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
  // "ﾊﾞｰｼﾞｮﾝ情報" chosen with the keyboard from the tray menu; the dialog once it is up.
  HWND OpenFromTray(HWND main) {
    if (!Post(main, kIconCallback, kIconId, WM_RBUTTONDOWN)) return nullptr;
    const HWND menu = WaitForPopupMenu(app.Id());
    if (!menu || !ChooseByKeyboard(menu, static_cast<int>(MenuItem::mnuVer)) || !WaitForNoPopupMenu(app.Id()))
      return nullptr;
    return WaitForWindow(Dialogs());
  }

  WindowFilter Dialogs() const { return {app.Id(), L"#32770", L"Quorbellのﾊﾞｰｼﾞｮﾝ情報", true}; }

  // A message box of the program (a dialog other than the version dialog).
  std::optional<MessageBoxInfo> WaitForMessage(HWND versionDialog, Millis timeout = kDefaultTimeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
          for (HWND dialog : DialogWindows(app.Id()))
            if (dialog != versionDialog && IsWindowVisible(dialog) && FindChild(dialog, L"Button", std::nullopt))
              found = dialog;
          return found != nullptr;
        },
        timeout);
    if (!found) return std::nullopt;
    return ReadMessageBox(found);
  }

  // After a press of the button: the "not available" message, answered with OK; the version
  // dialog stays.
  void ExpectUnavailableMessage(HWND dialog) {
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
};

TEST_F(VersionDialog, OpensFromTheTrayWithItsVersionAndTextsOnceAndClosesByOkEnterAndEscape) {
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  HWND dialog = OpenFromTray(main);
  ASSERT_TRUE(dialog) << "no version dialog after choosing ﾊﾞｰｼﾞｮﾝ情報";
  EXPECT_TRUE(FindChild(dialog, L"Static", "ﾊﾞｰｼﾞｮﾝ 1.0.0")) << "no version label";
  EXPECT_TRUE(FindChild(dialog, L"Static", "Quorbell"));
  // Author block, notice and acknowledgement.
  for (int id : {VERSION_DIALOG_AUTHOR, VERSION_DIALOG_NOTICE, VERSION_DIALOG_ACKNOWLEDGEMENT})
    EXPECT_FALSE(WindowText(GetDlgItem(dialog, id)).empty()) << id;
  // The link follows its label directly.
  const HWND label = FindChild(dialog, L"Static", "ｻﾎﾟｰﾄﾎｰﾑﾍﾟｰｼﾞ: ");
  const HWND link = FindChild(dialog, L"SysLink", "<a>Readme.txt</a>");
  ASSERT_TRUE(label && link);
  EXPECT_EQ(WindowRect(link).left, WindowRect(label).right);
  const HWND ok = FindChild(dialog, L"Button", "OK");
  ASSERT_TRUE(ok && FindChild(dialog, L"Button", "ｼｽﾃﾑ情報(&S)"));
  EXPECT_EQ(Style(ok) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(FocusOf(dialog), ok);
  // A fixed tool window with a close box and nothing to minimise or maximise.
  EXPECT_TRUE(ExStyle(dialog) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(Style(dialog) & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), WS_SYSMENU);
  EXPECT_TRUE(UpdateWindow(dialog));
  EXPECT_TRUE(SaveBitmap(CaptureWindow(dialog), PathJoin(ExeDirectory(), L"VersionDialog.bmp")));

  // Chosen again: the same dialog, in front.
  EXPECT_EQ(OpenFromTray(main), dialog);
  EXPECT_FALSE(WaitUntil([&] { return TopLevelWindows(Dialogs()).size() > 1; }, kQuietPeriod));
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));

  // OK is the cancel button (Escape) and the default one (Enter), and closes on a click (0).
  const WORD closingKeys[] = {VK_ESCAPE, VK_RETURN, 0};
  for (const WORD key : closingKeys) {
    if (dialog == nullptr) dialog = OpenFromTray(main);
    ASSERT_TRUE(dialog) << "the dialog did not open again";
    if (key != 0) {
      ASSERT_TRUE(BringToFront(dialog));
      ASSERT_TRUE(PressKeys({key}));
    } else {
      ASSERT_TRUE(ClickCentre(FindChild(dialog, L"Button", "OK")));
    }
    EXPECT_TRUE(WaitForNoWindow(Dialogs())) << "not closed by key " << key;
    dialog = nullptr;
  }
  // The close box.
  dialog = OpenFromTray(main);
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(PostClose(dialog));
  EXPECT_TRUE(WaitForNoWindow(Dialogs())) << "WM_CLOSE did not close the dialog";
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(VersionDialog, SystemInfoButtonStartsTheProgramRegisteredInReadOnlyKeysByItsQuotedPathOrSaysThereIsNone) {
  // The started program's working directory is the app folder: the program's own folder goes
  // first at the end, ending it, before the app folder is removed.
  AppFolder folder;
  // Where Windows keeps it: a folder with blanks in its name (and here Japanese too).
  const TempFolder root(L"sysinfo ");
  const std::wstring programFolder = PathJoin(root.Path(), L"Common Files\\Microsoft Shared\\MSInfo 情報");
  ASSERT_EQ(SHCreateDirectoryExW(nullptr, programFolder.c_str(), nullptr), ERROR_SUCCESS);
  const std::wstring probe = SiblingExecutable(L"quorbell-e2e-probe.exe");
  const std::wstring registered = PathJoin(programFolder, L"msinfo32.exe");
  ASSERT_TRUE(CopyFileW(probe.c_str(), registered.c_str(), FALSE));
  RegistryValue programPath(HKEY_LOCAL_MACHINE, kProgramKey, L"PATH");
  RegistryValue location(HKEY_LOCAL_MACHINE, kLocationKey, L"MSINFO");
  programPath.Remove();
  location.Remove();

  HWND main = Start(folder);
  ASSERT_TRUE(main);
  const HWND dialog = OpenFromTray(main);
  ASSERT_TRUE(dialog);
  const HWND button = FindChild(dialog, L"Button", "ｼｽﾃﾑ情報(&S)");
  ASSERT_TRUE(button);
  // Nothing registered.
  ASSERT_TRUE(ClickCentre(button));
  ExpectUnavailableMessage(dialog);
  // A registered folder without the program; the button pressed by its key, Alt+S.
  location.Set(root.Path());
  ASSERT_TRUE(BringToFront(dialog));
  ASSERT_TRUE(PressKeys({VK_MENU, 'S'}));
  ExpectUnavailableMessage(dialog);

  // The probe records its command line in its working directory, the program's folder.
  const auto startedCommandLine = [&] {
    const std::wstring record = folder.PathOf(L"probe-args.txt");
    std::optional<std::string> line;
    WaitUntil([&] { return (line = ReadFileBytes(record)) && !line->empty(); });
    DeleteFileW(record.c_str());
    return line.value_or("(nothing started)");
  };
  // The registered path: the program's path in quotes, and nothing else, is its command line.
  // The keys are read-only, as they are for every user who is not an administrator.
  programPath.Set(registered);
  location.Remove();
  {
    const ReadOnlyKey readOnly(HKEY_LOCAL_MACHINE, kProgramKey);
    ASSERT_TRUE(ClickCentre(button));
    EXPECT_EQ(startedCommandLine(), "\"" + Narrow(registered) + "\"");
  }
  // Only the folder: the program in it, under the name the registry promises.
  programPath.Remove();
  location.Set(programFolder);
  {
    const ReadOnlyKey readOnly(HKEY_LOCAL_MACHINE, kLocationKey);
    ASSERT_TRUE(ClickCentre(button));
    EXPECT_EQ(startedCommandLine(), "\"" + Narrow(programFolder) + "\\MSINFO32.EXE\"");
  }
  EXPECT_FALSE(WaitForMessage(dialog, kQuietPeriod)) << "a message although the program started";
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(VersionDialog, SupportLinkOpensTheReadMeBesideTheProgramAndNothingWithoutOne) {
  // Text files open with Notepad, as on Windows (the bed's prefix has the type but does not give
  // ".txt" to it).
  RegistryValue textType(HKEY_LOCAL_MACHINE, LR"(Software\Classes\.txt)", L"");
  textType.Set(L"txtfile");
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  const HWND dialog = OpenFromTray(main);
  ASSERT_TRUE(dialog);
  const HWND link = FindChild(dialog, L"SysLink", std::nullopt);
  ASSERT_TRUE(link);
  const WindowFilter notepads{0, L"Notepad", std::nullopt, true};

  // No read-me: nothing opens, no message, the dialog stays. The link reached with the keyboard:
  // Tab from OK past the button, then Enter.
  ASSERT_TRUE(BringToFront(dialog));
  ASSERT_TRUE(PressKeys({VK_TAB}));
  ASSERT_TRUE(PressKeys({VK_TAB}));
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == link; })) << "Tab did not reach the link";
  ASSERT_TRUE(PressKeys({VK_RETURN}));
  EXPECT_TRUE(StaysWithoutWindow(notepads));
  EXPECT_TRUE(Visible(dialog)) << "Enter on the link closed the dialog";
  EXPECT_EQ(DialogWindows(app.Id()).size(), 1u) << "a message came up";

  // With the read-me that ships beside the program, a click on the link opens it with its program,
  // which reads its Japanese text as written.
  const std::wstring shipped = SiblingExecutable(L"Readme.txt");
  ASSERT_TRUE(CopyFileW(shipped.c_str(), folder.PathOf(L"Readme.txt").c_str(), TRUE)) << "no Readme.txt beside the build";
  ASSERT_TRUE(ClickCentre(link));
  const HWND notepad = WaitForWindow(notepads);
  ASSERT_TRUE(notepad) << "the read-me did not open";
  EXPECT_NE(WindowText(notepad).find("Readme"), std::string::npos) << WindowText(notepad);
  const HWND text = FindChild(notepad, L"Edit", std::nullopt);
  ASSERT_TRUE(text);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(text).find("タスクトレイに常駐するデスクトップアクセサリ集") != std::string::npos; }))
      << WindowText(text).substr(0, 200);
  EXPECT_TRUE(PostClose(notepad));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
