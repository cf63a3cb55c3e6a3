// The harness checked against a program whose windows are known (fixtures/HarnessProbe.cpp), and
// the test bed checked for what the scenarios take for granted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/Harness.h"
#include "platform/WinText.h"

namespace qb::e2e {
namespace {

constexpr wchar_t kProbeClass[] = L"QuorbellProbe.Main";

std::wstring ProbeExe() { return SiblingExecutable(L"quorbell-e2e-probe.exe"); }

class Harness : public Scenario {
protected:
  // Starts the probe in `folder` and waits until its main window exists.
  HWND StartProbe(AppFolder& folder, AppProcess& process, std::wstring_view args) {
    process = AppProcess::Start(folder, args);
    process.SetMainWindowClass(kProbeClass);
    return process.WaitUntilResident();
  }
};

TEST_F(Harness, StartsTheCopyInItsFolderWithTheQuotedPathAndTheArguments) {
  AppFolder folder(Ini::Empty(), ProbeExe());
  ASSERT_TRUE(folder.Ready());
  AppProcess probe;
  ASSERT_TRUE(StartProbe(folder, probe, L"exit=3 \"two words\" 日本語"));
  // The folder name holds a blank and Japanese, so the quoting and the UTF-16 path both matter.
  EXPECT_NE(folder.Dir().find(L' '), std::wstring::npos);
  auto recorded = folder.ReadBytes(L"probe-args.txt");
  ASSERT_TRUE(recorded);
  EXPECT_EQ(*recorded, "\"" + qb::Narrow(folder.ExePath()) + "\" exit=3 \"two words\" 日本語");
  EXPECT_EQ(probe.CloseMainWindow(), 3u);
}

TEST_F(Harness, FindsAHiddenTopLevelWindowByClassAndCaption) {
  AppFolder folder(Ini::Empty(), ProbeExe());
  AppProcess probe;
  HWND hwnd = StartProbe(folder, probe, L"exit=7");
  ASSERT_TRUE(hwnd);
  struct Case {
    const char* name;
    WindowFilter filter;
    bool found;
  } cases[] = {
      {"class and caption", {probe.Id(), kProbeClass, L"Probe 検査", false}, true},
      {"caption only", {probe.Id(), std::nullopt, L"Probe 検査", false}, true},
      {"other caption", {probe.Id(), kProbeClass, L"Probe", false}, false},
      {"other process", {probe.Id() + 4, kProbeClass, std::nullopt, false}, false},
      {"visible only", {probe.Id(), kProbeClass, std::nullopt, true}, false},
  };
  for (const auto& c : cases) {
    auto found = TopLevelWindows(c.filter);
    EXPECT_EQ(!found.empty(), c.found) << c.name;
    if (c.found && !found.empty()) {
      EXPECT_EQ(found.front(), hwnd) << c.name;
    }
  }
  EXPECT_FALSE(Visible(hwnd));
  EXPECT_EQ(WindowText(hwnd), "Probe 検査");
  EXPECT_EQ(ProcessOf(hwnd), probe.Id());
  EXPECT_EQ(probe.CloseMainWindow(), 7u);
  EXPECT_FALSE(probe.Running());
}

TEST_F(Harness, KillsAProcessThatDoesNotEndAndReportsItsExitCode) {
  AppFolder folder(Ini::Empty(), ProbeExe());
  AppProcess probe = AppProcess::Start(folder, L"sleep");
  ASSERT_TRUE(probe);
  EXPECT_FALSE(probe.WaitForExit(300ms));
  EXPECT_TRUE(probe.Running());
  probe.Kill();
  EXPECT_FALSE(probe.Running());
  EXPECT_EQ(probe.WaitForExit(0ms), kKilledExitCode);
}

TEST_F(Harness, AProcessObjectEndsItsProcessWhenItGoesOutOfScope) {
  AppFolder folder(Ini::Empty(), ProbeExe());
  HANDLE watch = nullptr;
  {
    AppProcess probe = AppProcess::Start(folder, L"sleep");
    ASSERT_TRUE(probe);
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), probe.Handle(), GetCurrentProcess(), &watch, SYNCHRONIZE,
                                FALSE, 0));
  }
  EXPECT_EQ(WaitForSingleObject(watch, 0), WAIT_OBJECT_0);
  CloseHandle(watch);
}

TEST_F(Harness, EndsLeftoverProcessesOfTheTest) {
  AppFolder folder(Ini::Empty(), ProbeExe());
  AppProcess probe = AppProcess::Start(folder, L"sleep");
  ASSERT_TRUE(probe);
  std::vector<DWORD> ended = EndLeftoverProcesses();
  EXPECT_EQ(ended, std::vector<DWORD>{probe.Id()});
  EXPECT_FALSE(probe.Running());
}

struct MessageBoxCase {
  const char* button;
  DWORD exitCode;
};

class HarnessMessageBox : public Harness, public ::testing::WithParamInterface<MessageBoxCase> {};

TEST_P(HarnessMessageBox, ReadsTheMessageBoxAndPressesItsButtons) {
  AppFolder folder(Ini::Empty(), ProbeExe());
  AppProcess probe = AppProcess::Start(folder, L"msgbox");
  ASSERT_TRUE(probe);
  auto box = WaitForMessageBox(probe.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "Probe");
  EXPECT_EQ(box->text, "確認してください。");
  EXPECT_EQ(box->buttons, (std::vector<std::string>{"OK", "キャンセル"}));
  ASSERT_TRUE(PressButton(box->hwnd, GetParam().button));
  EXPECT_EQ(probe.WaitForExit(), GetParam().exitCode);
}

INSTANTIATE_TEST_SUITE_P(Buttons, HarnessMessageBox,
                         ::testing::Values(MessageBoxCase{"OK", IDOK}, MessageBoxCase{"キャンセル", IDCANCEL}));

TEST_F(Harness, ChoosesAColourInAnotherProcesssColourDialog) {
  AppFolder folder(Ini::Empty(), ProbeExe());
  AppProcess probe = AppProcess::Start(folder, L"colour");
  ASSERT_TRUE(probe);
  const auto dialog = WaitForCommonDialog(probe.Id(), kColourRedEdit);
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(ChooseColourInDialog(*dialog, RGB(12, 34, 56)));
  EXPECT_EQ(probe.WaitForExit(), RGB(12, 34, 56));
}

TEST_F(Harness, ConfirmsAFontInAnotherProcesssFontDialog) {
  AppFolder folder(Ini::Empty(), ProbeExe());
  AppProcess probe = AppProcess::Start(folder, L"font");
  ASSERT_TRUE(probe);
  const auto dialog = WaitForCommonDialog(probe.Id(), kFontFaceCombo);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(SelectedComboText(*dialog, kFontFaceCombo), "IPAゴシック");
  ASSERT_TRUE(ConfirmFontDialog(*dialog, "IPA明朝", 14, true));
  EXPECT_EQ(probe.WaitForExit(), 0u);
  EXPECT_EQ(folder.ReadBytes(L"probe-font.txt"), "IPA明朝|14|700");
}

TEST_F(Harness, ReadsPlaceVisibilityRegionOpacityAndControlTexts) {
  AppFolder folder(Ini::Empty(), ProbeExe());
  AppProcess shaped, plain;
  HWND hwnd = StartProbe(folder, shaped, L"visible region alpha=128");
  ASSERT_TRUE(hwnd);
  HWND bare = StartProbe(folder, plain, L"");
  ASSERT_TRUE(bare);

  EXPECT_TRUE(Visible(hwnd));
  RECT r = WindowRect(hwnd);
  EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}), (std::vector<LONG>{100, 100, 420, 340}));
  EXPECT_TRUE(Style(hwnd) & WS_POPUP);
  EXPECT_TRUE(ExStyle(hwnd) & WS_EX_LAYERED);

  // An L shape: two rectangles, so the region is complex and its box exact.
  RegionInfo region = WindowRegion(hwnd);
  EXPECT_EQ(region.type, COMPLEXREGION);
  EXPECT_EQ((std::vector<LONG>{region.box.left, region.box.top, region.box.right, region.box.bottom}),
            (std::vector<LONG>{0, 0, 320, 240}));
  EXPECT_EQ(WindowRegion(bare).type, ERROR);

  auto layered = LayeredAttributes(hwnd);
  ASSERT_TRUE(layered);
  EXPECT_EQ(layered->alpha, 128);
  EXPECT_TRUE(layered->flags & LWA_ALPHA);
  EXPECT_FALSE(LayeredAttributes(bare));

  EXPECT_EQ(WindowText(FindChild(hwnd, L"Edit", std::nullopt)), "初期テキスト");
  EXPECT_TRUE(FindChild(hwnd, L"Button", "押す"));
  EXPECT_TRUE(FindChild(hwnd, std::nullopt, "待機中"));
  EXPECT_EQ(ChildWindows(hwnd).size(), 3u);
  EXPECT_FALSE(FindChild(hwnd, L"Edit", "押す"));
}

TEST_F(Harness, ClicksAndPostedClicksReachTheClientArea) {
  AppFolder folder(Ini::Empty(), ProbeExe());
  AppProcess probe;
  HWND hwnd = StartProbe(folder, probe, L"visible");
  ASSERT_TRUE(hwnd);
  struct Case {
    bool real;
    MouseButton button;
    POINT at;
    const char* caption;
  } cases[] = {
      {true, MouseButton::Left, {200, 150}, "left 200,150"},
      {true, MouseButton::Right, {150, 200}, "right 150,200"},
      {false, MouseButton::Left, {250, 210}, "left 250,210"},
      {false, MouseButton::Right, {5, 230}, "right 5,230"},
  };
  for (const auto& c : cases) {
    bool sent = c.real ? ClickAt(hwnd, c.at, c.button) : PostClick(hwnd, c.at, c.button);
    EXPECT_TRUE(sent) << c.caption;
    EXPECT_TRUE(WaitUntil([&] { return WindowText(hwnd) == c.caption; }, 5s))
        << "expected " << c.caption << ", caption is " << WindowText(hwnd);
  }
}

TEST_F(Harness, PressesButtonsAndTypesTextIntoAnotherProcess) {
  AppFolder folder(Ini::Empty(), ProbeExe());
  AppProcess probe;
  HWND hwnd = StartProbe(folder, probe, L"visible");
  ASSERT_TRUE(hwnd);
  HWND label = FindChild(hwnd, std::nullopt, "待機中");
  ASSERT_TRUE(label);
  ASSERT_TRUE(PressButton(hwnd, "押す"));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(label) == "押された"; }, 5s));
  EXPECT_FALSE(PressButton(hwnd, "ない"));

  HWND edit = FindChild(hwnd, L"Edit", std::nullopt);
  ASSERT_TRUE(edit);
  ASSERT_TRUE(ClickAt(edit, {5, 5}));
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(hwnd) == edit; }, 5s));
  ASSERT_TRUE(Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"")));
  ASSERT_TRUE(TypeText("abc日本"));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == "abc日本"; }, 5s)) << WindowText(edit);
  ASSERT_TRUE(PressKeys({VK_END}));
  ASSERT_TRUE(PressKeys({VK_BACK}));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == "abc日"; }, 5s)) << WindowText(edit);
  ASSERT_TRUE(PostKey(edit, VK_HOME));
  ASSERT_TRUE(PostKey(edit, VK_DELETE));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == "bc日"; }, 5s)) << WindowText(edit);
}

TEST_F(Harness, FolderHoldsTheCopyAndTheSettingsFileInCp932AndIsRemovedAfterwards) {
  std::wstring dir;
  {
    AppFolder folder(Ini::Text("[Memo]\r\nText=表ソ\r\n"), ProbeExe());
    ASSERT_TRUE(folder.Ready());
    dir = folder.Dir();
    EXPECT_EQ(folder.IniBytes(), std::string("[Memo]\r\nText=\x95\x5c\x83\x5c\r\n"));
    EXPECT_EQ(folder.ReadSetting("memo", "TEXT", "none"), "表ソ");
    EXPECT_EQ(folder.ReadSetting("Memo", "Other", "none"), "none");
    EXPECT_EQ(folder.Files(), (std::vector<std::wstring>{L"Quorbell.ini", L"quorbell-e2e-probe.exe"}));
    folder.WriteIniBytes("\xEF\xBB\xBF[A]\r\nB=c\r\n");
    EXPECT_EQ(folder.IniBytes(), std::string("\xEF\xBB\xBF[A]\r\nB=c\r\n"));
    folder.RemoveIni();
    EXPECT_FALSE(FileExists(folder.IniPath()));
  }
  EXPECT_FALSE(DirectoryExists(dir));
}

TEST_F(Harness, FolderWithoutSettingsFileGuardsTheSystemLocations) {
  AppFolder folder(Ini::None(), ProbeExe());
  ASSERT_TRUE(folder.Ready());
  EXPECT_EQ(folder.Files(), std::vector<std::wstring>{L"quorbell-e2e-probe.exe"});
  ASSERT_NE(folder.System(), nullptr);
  EXPECT_FALSE(DirectoryExists(folder.System()->AppDataFolder()));
  EXPECT_FALSE(FileExists(folder.System()->WindowsIni()));
  EXPECT_EQ(AppFolder(Ini::Empty(), ProbeExe()).System(), nullptr);
}

TEST_F(Harness, SystemSettingsGuardMovesAsideAndRestoresWhatWasThere) {
  const std::wstring appData = PathJoin(RoamingAppDataDirectory(), L"Quorbell");
  const std::wstring appDataIni = PathJoin(appData, kIniName);
  const std::wstring windowsIni = PathJoin(WindowsDirectory(), kIniName);
  ASSERT_FALSE(DirectoryExists(appData)) << "the bed should start without user settings";
  ASSERT_TRUE(CreateDirectoryW(appData.c_str(), nullptr));
  ASSERT_TRUE(WriteFileBytes(appDataIni, "user"));
  ASSERT_TRUE(WriteFileBytes(windowsIni, "windows"));
  {
    SystemSettingsGuard guard;
    EXPECT_EQ(guard.AppDataIni(), appDataIni);
    EXPECT_EQ(guard.WindowsIni(), windowsIni);
    EXPECT_FALSE(DirectoryExists(appData));
    EXPECT_FALSE(FileExists(windowsIni));
    {
      SystemSettingsGuard nested;  // must neither move nor restore anything
      guard.WriteWindowsIni("[A]\r\nB=漢字\r\n");
    }
    EXPECT_EQ(ReadFileBytes(windowsIni), std::string("[A]\r\nB=\x8a\xbf\x8e\x9a\r\n"));
    ASSERT_TRUE(CreateDirectoryW(appData.c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(appDataIni, "test"));
    EXPECT_EQ(guard.AppDataIniBytes(), std::string("test"));
  }
  EXPECT_EQ(ReadFileBytes(appDataIni), std::string("user"));
  EXPECT_EQ(ReadFileBytes(windowsIni), std::string("windows"));
  EXPECT_TRUE(RemoveTree(appData));
  EXPECT_TRUE(RemoveTree(windowsIni));
}

// The face a font request really gets, as the font file names its family.
std::string RealFamilyOf(const wchar_t* face) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
  HGDIOBJ old = SelectObject(dc, font);
  std::string family;
  if (UINT size = GetOutlineTextMetricsW(dc, 0, nullptr)) {
    std::vector<char> buf(size);
    auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buf.data());
    if (GetOutlineTextMetricsW(dc, size, metrics)) {
      family = qb::Narrow(reinterpret_cast<const wchar_t*>(buf.data() + reinterpret_cast<size_t>(metrics->otmpFamilyName)));
    }
  }
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
  return family;
}

void ExpectJapaneseFacesResolve() {
  for (const wchar_t* face : {L"ＭＳ ゴシック", L"ＭＳ Ｐ明朝", L"MS Shell Dlg", L"MS UI Gothic", L"メイリオ"}) {
    EXPECT_EQ(RealFamilyOf(face).rfind("IPA", 0), 0u) << qb::Narrow(face) << " -> " << RealFamilyOf(face);
  }
}

TEST(TestBed, PlaysJapaneseWindows) {
  EXPECT_EQ(GetACP(), 932u);
  EXPECT_TRUE(JapaneseCodePage());
  ExpectJapaneseFacesResolve();
}

TEST(TestBedInEnglish, UsesAWesternCodePageAndKeepsTheJapaneseFaces) {
  EXPECT_EQ(GetACP(), 1252u);
  EXPECT_FALSE(JapaneseCodePage());
  ExpectJapaneseFacesResolve();
}

}  // namespace
}  // namespace qb::e2e
