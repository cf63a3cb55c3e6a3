// The four pickers on the real common dialogs. A watcher thread plays the user through the
// end-to-end harness's dialog driving (harness/CommonDialogs.h), which these tests check as well:
// it finds this process's dialog, fills it in and presses OK or Cancel while the test thread sits
// in the modal call.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "harness/CommonDialogs.h"
#include "harness/WindowQueries.h"
#include "platform/Handles.h"
#include "platform/WinText.h"
#include "settings_dialog/Pickers.h"

namespace qb {

void PrintTo(const FontChoice& f, std::ostream* out) {
  *out << "{\"" << f.name << "\" colour " << std::hex << f.colour << std::dec << " size " << f.size
       << (f.bold ? " bold" : "") << (f.italic ? " italic" : "") << (f.strikeout ? " strikeout" : "")
       << (f.underline ? " underline" : "") << "}";
}

namespace {

using namespace std::chrono_literals;
namespace e2e = qb::e2e;

// Runs `act` on the first dialog of this process that holds `controlId`. Whatever happens, the
// dialog is closed in the end (a stray message box first), so a failing test cannot hang.
class DialogWatcher {
public:
  DialogWatcher(int controlId, std::function<bool(HWND)> act)
      : thread_([this, controlId, act = std::move(act)] { Watch(controlId, act); }) {}
  ~DialogWatcher() {
    if (thread_.joinable()) thread_.join();
  }
  DialogWatcher(const DialogWatcher&) = delete;
  DialogWatcher& operator=(const DialogWatcher&) = delete;

  // Call after the modal call returned: true when the dialog was found and driven as planned.
  [[nodiscard]] bool Succeeded() {
    thread_.join();
    return found_ && acted_ && closedByAct_;
  }

private:
  void Watch(int controlId, const std::function<bool(HWND)>& act) {
    const DWORD self = GetCurrentProcessId();
    const auto dialog = e2e::WaitForCommonDialog(self, controlId, 10s);
    if (!dialog) return;
    found_ = true;
    acted_ = act(*dialog);
    closedByAct_ = e2e::WaitUntil([&] { return !IsWindow(*dialog); }, 10s);
    if (closedByAct_) return;
    for (HWND other : e2e::DialogWindows(self)) {
      if (other != *dialog) (void)e2e::CancelDialog(other);
    }
    (void)e2e::CancelDialog(*dialog);
  }

  bool found_ = false;
  bool acted_ = false;
  bool closedByAct_ = false;
  std::thread thread_;
};

// ---- colour ----------------------------------------------------------------------------------

TEST(PickerColour, ReturnsTheColourSetInTheDialog) {
  DialogWatcher user(e2e::kColourRedEdit, [](HWND d) { return e2e::ChooseColourInDialog(d, RGB(12, 34, 56)); });
  const Colour chosen = ShowColorDialog(nullptr, Rgb(200, 0, 0));
  ASSERT_TRUE(user.Succeeded());
  EXPECT_EQ(chosen, Rgb(12, 34, 56));
}

TEST(PickerColour, CancelGivesMinusOne) {
  DialogWatcher user(e2e::kColourRedEdit, e2e::CancelDialog);
  const Colour chosen = ShowColorDialog(nullptr, Rgb(1, 2, 3));
  ASSERT_TRUE(user.Succeeded());
  EXPECT_EQ(chosen, -1);
}

TEST(PickerColour, CustomColoursStartWhiteAtEveryCall) {
  // First call: add a custom colour, move away from it and click it back: the click works.
  DialogWatcher first(e2e::kColourRedEdit, [](HWND d) {
    return e2e::SetColourInDialog(d, RGB(1, 2, 3)) && e2e::PressDialogButton(d, e2e::kColourAddCustom, true) &&
           e2e::SetColourInDialog(d, RGB(90, 90, 90)) && e2e::ClickCustomColour(d, 0) && e2e::ConfirmDialog(d);
  });
  ASSERT_EQ(ShowColorDialog(nullptr, Rgb(0, 0, 0)), Rgb(1, 2, 3));
  ASSERT_TRUE(first.Succeeded());

  // Second call: the same box is white again.
  DialogWatcher second(e2e::kColourRedEdit, [](HWND d) { return e2e::ClickCustomColour(d, 0) && e2e::ConfirmDialog(d); });
  EXPECT_EQ(ShowColorDialog(nullptr, Rgb(0, 0, 0)), Rgb(255, 255, 255));
  ASSERT_TRUE(second.Succeeded());
}

// ---- font ------------------------------------------------------------------------------------

TEST(PickerFont, ConfirmReplacesEveryValueWithTheDialogsChoice) {
  FontChoice font{"IPAゴシック", Rgb(128, 0, 0), 10, false, true, false, false};
  DialogWatcher user(e2e::kFontFaceCombo, [](HWND d) {
    return e2e::SetFontEffect(d, e2e::kFontStrikeoutCheck, true) &&
           e2e::SetFontEffect(d, e2e::kFontUnderlineCheck, true) && e2e::ConfirmFontDialog(d, "IPA明朝", 12, true);
  });
  ASSERT_EQ(ShowFontDialog(nullptr, font), 0);
  ASSERT_TRUE(user.Succeeded());
  EXPECT_EQ(font, (FontChoice{"IPA明朝", Rgb(128, 0, 0), 12, true, true, true, true}));
}

TEST(PickerFont, ConfirmingUnchangedKeepsTheSizeEvenAtTheLimits) {
  // A size that came back rounded down would fall below the dialog's 8-point limit and be refused.
  for (int size : {8, 9, 10, 11, 24}) {
    FontChoice font{"IPAゴシック", Rgb(0, 0, 0), size, true, false, false, false};
    const FontChoice before = font;
    DialogWatcher user(e2e::kFontFaceCombo, e2e::ConfirmDialog);
    ASSERT_EQ(ShowFontDialog(nullptr, font), 0) << size;
    ASSERT_TRUE(user.Succeeded()) << size;
    EXPECT_EQ(font, before) << size;
  }
}

TEST(PickerFont, CancelLeavesTheChoiceAsItWasAndGivesOne) {
  FontChoice font{"IPA P明朝", Rgb(0, 128, 0), 18, true, true, true, true};
  const FontChoice before = font;
  DialogWatcher user(e2e::kFontFaceCombo, [](HWND d) {
    return e2e::SetFontEffect(d, e2e::kFontStrikeoutCheck, false) &&
           e2e::SelectComboEntry(d, e2e::kFontSizeCombo, "9") && e2e::CancelDialog(d);
  });
  EXPECT_EQ(ShowFontDialog(nullptr, font), 1);
  ASSERT_TRUE(user.Succeeded());
  EXPECT_EQ(font, before);
}

// ---- file ------------------------------------------------------------------------------------

// A folder of its own under %TEMP% whose path has `length` characters (at least the temp path and
// a short name), removed with everything created in it.
class TempFolder {
public:
  explicit TempFolder(size_t length = 0) {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    static int made = 0;
    path_ = std::wstring(temp) + L"qb-pickers-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++made);
    Make(path_);
    // Deeper levels of at most 100 characters (backslash included) until the length is reached,
    // never leaving a single character for a last level.
    while (path_.size() + 1 < length) {
      size_t level = std::min<size_t>(100, length - path_.size());
      if (length - path_.size() - level == 1) --level;
      path_ += L"\\" + std::wstring(level - 1, L'd');
      Make(path_);
    }
  }
  ~TempFolder() {
    for (auto it = files_.rbegin(); it != files_.rend(); ++it) DeleteFileW(it->c_str());
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) RemoveDirectoryW(it->c_str());
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path() const { return Narrow(path_); }
  // Creates an empty file in the folder; its full path.
  std::string AddFile(const std::string& name) {
    const std::wstring file = path_ + L"\\" + Widen(name);
    const UniqueHandle created(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_TRUE(created) << Narrow(file);
    files_.push_back(file);
    return Narrow(file);
  }

private:
  void Make(const std::wstring& dir) {
    EXPECT_TRUE(CreateDirectoryW(dir.c_str(), nullptr)) << Narrow(dir) << " " << GetLastError();
    made_.push_back(dir);
  }
  std::wstring path_;
  std::vector<std::wstring> made_;
  std::vector<std::wstring> files_;
};

std::wstring CurrentDirectory() {
  std::wstring buffer(32768, L'\0');
  buffer.resize(GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data()));
  return buffer;
}

TEST(PickerFile, PictureModeStartsWithBitmapsAndReturnsTheChosenFile) {
  TempFolder folder;
  const std::string picture = folder.AddFile("a.bmp");
  std::string fileType;
  DialogWatcher user(e2e::kFileTypeCombo, [&](HWND d) {
    fileType = e2e::SelectedComboText(d, e2e::kFileTypeCombo);
    return e2e::ChooseFileInDialog(d, "a.bmp");
  });
  const std::wstring directoryBefore = CurrentDirectory();
  const std::string chosen = ShowOpenFileDialog(nullptr, folder.Path(), true);
  ASSERT_TRUE(user.Succeeded());
  EXPECT_EQ(fileType, "画像ファイル (*.bmp)");
  EXPECT_EQ(chosen, picture);
  // The picked folder is not left as the process's current directory (which would lock it).
  EXPECT_EQ(CurrentDirectory(), directoryBefore);
}

TEST(PickerFile, ANameWithoutExtensionGetsExe) {
  for (bool pictureMode : {false, true}) {
    TempFolder folder;
    const std::string tool = folder.AddFile("tool.exe");
    DialogWatcher user(e2e::kFileTypeCombo, [&](HWND d) {
      return e2e::SelectComboEntry(d, e2e::kFileTypeCombo, "全てのﾌｧｲﾙ (*.*)") && e2e::ChooseFileInDialog(d, "tool");
    });
    EXPECT_EQ(ShowOpenFileDialog(nullptr, folder.Path(), pictureMode), tool) << pictureMode;
    ASSERT_TRUE(user.Succeeded());
  }
}

TEST(PickerFile, APathOf255CharactersOrMoreComesBack) {
  // Such paths used to come back empty, as if the user had cancelled. 259 is the most Wine's own
  // dialog takes: from 260 characters on it crashes inside, whatever buffer it is given.
  for (size_t length : {255u, 259u}) {
    TempFolder folder(length - 6);
    const std::string file = folder.AddFile("f.exe");
    ASSERT_EQ(file.size(), length);
    DialogWatcher user(e2e::kFileTypeCombo, [&](HWND d) { return e2e::ChooseFileInDialog(d, file); });
    EXPECT_EQ(ShowOpenFileDialog(nullptr, folder.Path(), false), file) << length;
    ASSERT_TRUE(user.Succeeded()) << length;
  }
}

TEST(PickerFile, ExecutableModeStartsWithExecutablesAndCancelGivesEmpty) {
  std::string fileType;
  DialogWatcher user(e2e::kFileTypeCombo, [&](HWND d) {
    fileType = e2e::SelectedComboText(d, e2e::kFileTypeCombo);
    return e2e::CancelDialog(d);
  });
  EXPECT_EQ(ShowOpenFileDialog(nullptr, "", false), "");
  ASSERT_TRUE(user.Succeeded());
  EXPECT_EQ(fileType, "実行可能ファイル (*.exe)");
}

// ---- folder ----------------------------------------------------------------------------------

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

TEST(PickerFolder, ConfirmGivesAFolderOnDiskUnderItsTitle) {
  std::string title;
  DialogWatcher user(e2e::kFolderTree, [&](HWND d) {
    title = e2e::WindowText(GetDlgItem(d, e2e::kFolderTitle));
    return e2e::ConfirmDialog(d);  // on the folder the dialog starts at
  });
  const std::string chosen = ShowFolderDialog(nullptr);
  ASSERT_TRUE(user.Succeeded());
  EXPECT_EQ(title, "フォルダを選択してください");
  EXPECT_TRUE(IsFolder(chosen)) << chosen;
}

TEST(PickerFolder, CancelGivesEmpty) {
  DialogWatcher user(e2e::kFolderTree, e2e::CancelDialog);
  EXPECT_EQ(ShowFolderDialog(nullptr), "");
  ASSERT_TRUE(user.Succeeded());
}

enum class ThreadCom { None, Apartment, Multithreaded };

// CoInitializeEx's answer for a multithreaded apartment, undone again: S_OK when the thread had
// no COM, S_FALSE when it had that kind, RPC_E_CHANGED_MODE when it had the other.
HRESULT ProbeCom() {
  const HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (SUCCEEDED(hr)) CoUninitialize();
  return hr;
}

TEST(PickerFolder, LeavesTheThreadsComAsItFoundIt) {
  const struct {
    ThreadCom before;
    HRESULT probeAfter;
  } cases[] = {
      {ThreadCom::None, S_OK},
      {ThreadCom::Apartment, RPC_E_CHANGED_MODE},
      {ThreadCom::Multithreaded, S_FALSE},
  };
  for (const auto& c : cases) {
    HRESULT probe = E_UNEXPECTED;
    std::thread caller([&] {
      const HRESULT own = c.before == ThreadCom::None ? S_OK
                          : CoInitializeEx(nullptr, c.before == ThreadCom::Apartment ? COINIT_APARTMENTTHREADED
                                                                                     : COINIT_MULTITHREADED);
      DialogWatcher user(e2e::kFolderTree, e2e::CancelDialog);
      EXPECT_EQ(ShowFolderDialog(nullptr), "");
      EXPECT_TRUE(user.Succeeded());
      probe = ProbeCom();
      if (c.before != ThreadCom::None && SUCCEEDED(own)) CoUninitialize();
    });
    caller.join();
    EXPECT_EQ(probe, c.probeAfter) << static_cast<int>(c.before);
  }
}

}  // namespace
}  // namespace qb
