// The settings dialog's page table: the fifteen tabs in order, every value-carrying control present
// once with a control of its kind, every control inside its page and group, no two controls a user
// works with on top of each other, and the captions the pages show.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "settings_dialog/SettingsDialogLayout.h"

namespace qb {
namespace {

struct Rect {
  int left, top, right, bottom;
};
Rect RectOf(const ControlLayout& c) {
  // A list's height is the height of its dropped-down part; closed it is one line.
  const int height = c.kind == ControlKind::List ? 12 : c.height;
  return {c.x, c.y, c.x + c.width, c.y + height};
}
bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
bool Inside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

TEST(SettingsDialogLayout, FifteenTabsInOrder) {
  const std::vector<std::string> expected = {"ｸﾘｯﾌﾟ操作", "自動操作", "ﾗﾝﾁｬ", "ｶﾚﾝﾀﾞ", "ｱｲｺﾝﾃｷｽﾄ", "ｽｸﾘｰﾝｺﾋﾟｰ",
                                             "ﾒﾓ", "ｳｲﾝﾄﾞｳｼｪｰﾄﾞ", "ｳｲﾝﾄﾞｳ透明化", "辞書検索", "CD操作",
                                             "壁紙ﾁｪﾝｼﾞｬ", "ｱﾅﾛｸﾞ時計", "ﾒﾓﾘ状況", "ﾏｳｽﾜｰﾌﾟ"};
  std::vector<std::string> captions;
  for (const PageLayout& page : SettingsDialogPages()) captions.emplace_back(page.caption);
  EXPECT_EQ(captions, expected);
  for (int p : {8, 9, 10, 12}) EXPECT_TRUE(SettingsDialogPages()[static_cast<size_t>(p)].controls.empty()) << p;
}

class KindCheck : public FieldVisitor {
public:
  std::map<int, int> visits;
  std::vector<std::string> problems;

  void Text(int id, std::string&) override {
    Expect(id, {ControlKind::Edit, ControlKind::MultiLineEdit, ControlKind::ValueLabel});
  }
  void Check(int id, bool&) override { Expect(id, {ControlKind::Check, ControlKind::Option}); }
  void List(int id, int&) override { Expect(id, {ControlKind::List}); }
  void Colour(int id, qb::Colour&) override { Expect(id, {ControlKind::ColourBox, ControlKind::ColourView}); }

private:
  void Expect(int id, std::set<ControlKind> kinds) {
    ++visits[id];
    const auto placed = FindControl(id);
    if (!placed) {
      problems.push_back("no control " + std::to_string(id));
    } else if (!kinds.count(placed->layout->kind)) {
      problems.push_back("wrong kind of control " + std::to_string(id));
    }
  }
};

TEST(SettingsDialogLayout, EveryFieldHasOneControlOfItsKindAndEveryValueControlAField) {
  SettingsDialogValues values;
  KindCheck check;
  VisitFields(values, check);
  EXPECT_EQ(check.problems, std::vector<std::string>{});
  for (const auto& [id, count] : check.visits) EXPECT_EQ(count, 1) << id;
  std::set<int> ids;
  for (const PageLayout& page : SettingsDialogPages()) {
    for (const ControlLayout& c : page.controls) {
      if (c.id != 0) {
        EXPECT_TRUE(ids.insert(c.id).second) << "id used twice: " << c.id;
      }
      const bool carriesValue = c.kind != ControlKind::Group && c.kind != ControlKind::Label &&
                                c.kind != ControlKind::Button && c.kind != ControlKind::FontSample &&
                                c.kind != ControlKind::HotkeyStatus;
      if (carriesValue) {
        EXPECT_EQ(check.visits.count(c.id), 1u) << "control without a field: " << c.id;
      }
    }
  }
  // 9 x 2 lists, 6 texts, 15 x 3 launcher boxes and 34 single controls.
  EXPECT_EQ(check.visits.size(), 18u + 6u + 45u + 34u);
}

TEST(SettingsDialogLayout, ControlsLieInsideTheirPageAndGroupsAndDoNotCoverEachOther) {
  const Rect pageRect{0, 0, kPageWidth, kPageHeight};
  for (const PageLayout& page : SettingsDialogPages()) {
    std::vector<const ControlLayout*> groups;
    for (const ControlLayout& c : page.controls) {
      EXPECT_TRUE(Inside(RectOf(c), pageRect)) << page.caption << " " << c.caption << " " << c.id;
      if (c.kind == ControlKind::Group) groups.push_back(&c);
    }
    for (size_t i = 0; i < page.controls.size(); ++i) {
      const ControlLayout& a = page.controls[i];
      if (a.kind == ControlKind::Group) continue;
      for (size_t j = i + 1; j < page.controls.size(); ++j) {
        const ControlLayout& b = page.controls[j];
        if (b.kind == ControlKind::Group) continue;
        EXPECT_FALSE(Overlap(RectOf(a), RectOf(b))) << page.caption << ": " << a.id << " '" << a.caption << "' and "
                                                    << b.id << " '" << b.caption << "'";
      }
      // A control that overlaps a group lies wholly inside it (its frame is not crossed).
      for (const ControlLayout* g : groups) {
        if (Overlap(RectOf(a), RectOf(*g))) {
          const Rect frame = RectOf(*g);
          EXPECT_TRUE(Inside(RectOf(a), Rect{frame.left + 2, frame.top + 8, frame.right - 2, frame.bottom - 2}))
              << page.caption << ": " << a.id << " '" << a.caption << "' crosses '" << g->caption << "'";
        }
      }
    }
  }
}

TEST(SettingsDialogLayout, PagesShowTheirGroupsLabelsAndCaptions) {
  const std::map<int, std::vector<std::string>> expected = {
      {0, {"コピー操作キー", "ペースト操作キー", "1:", "2:", "3:"}},
      {1, {"自動操作マクロ", "自動操作キー"}},
      {2, {"ランチャ設定", "ｱﾌﾟﾘｹｰｼｮﾝ名", "ﾊﾟｽ", "透明度", "..."}},
      {3, {"ﾃﾞｽｸﾄｯﾌﾟｶﾚﾝﾀﾞｰ", "ｶﾚﾝﾀﾞｰ背景ｲﾒｰｼﾞ", "イメージ名", "背景色", "透明度", "共通", "ﾌｫﾝﾄ", "ﾌｫﾝﾄ名", "ｻｲｽﾞ",
           "ﾎﾞｰﾙﾄﾞ", "ｲﾀﾘｯｸ", "ﾌｫﾝﾄ変更", "基本文字色", "休日文字色", "土曜文字色", "壁紙ｶﾚﾝﾀﾞ設定", "使用する",
           "描画位置Ｘ", "描画位置Ｙ"}},
      {4, {"ﾃﾞｽｸﾄｯﾌﾟｱｲｺﾝﾃｷｽﾄ", "ｱｲｺﾝﾃｷｽﾄ透明", "ｱｲｺﾝﾃｷｽﾄｶﾗｰ", "起動時待ち時間(ミリ秒)"}},
      {5, {"ｽｸﾘｰﾝｺﾋﾟｰ設定", "印刷", "ﾌｧｲﾙ"}},
      {6, {"文字", "ﾌｫﾝﾄ名", "ｻｲｽﾞ", "色", "ﾎﾞｰﾙﾄﾞ", "ｲﾀﾘｯｸ", "ﾌｫﾝﾄ変更", "背景色", "透明化(0～255)"}},
      {7, {"Windows XPモード"}},
      {11, {"Quorbell起動時壁紙ﾁｪﾝｼﾞを有効", "壁紙格納ﾌｫﾙﾀﾞ", "..."}},
      {13, {"ﾒﾓﾘ圧縮容量", "MB", "定期的にメモリ状況を監視する。", "秒", "％ 以上なった時に圧縮"}},
      {14, {"ﾜｰﾌﾟする"}},
  };
  for (const auto& [page, captions] : expected) {
    std::set<std::string> shown;
    for (const ControlLayout& c : SettingsDialogPages()[static_cast<size_t>(page)].controls) shown.emplace(c.caption);
    for (const std::string& caption : captions) EXPECT_TRUE(shown.count(caption)) << "page " << page << ": " << caption;
  }
  const auto sample = FindControl(ctl::kCalendarSample);
  ASSERT_TRUE(sample);
  EXPECT_EQ(sample->layout->caption, "1234567890\r\nABCDEFGHIJKLMNOPQ\r\nあいうえおＡＢＣＤ");
  for (int id : {ctl::kSlotText, ctl::kSlotText + 2, ctl::kMacroText, ctl::kMacroText + 2}) EXPECT_TRUE(IsMultiLineBox(id));
  EXPECT_FALSE(IsMultiLineBox(ctl::kAppName));
  EXPECT_EQ(FindControl(ctl::kAppBrowse + 14)->page, 2) << "row 15 has its button";
}

}  // namespace
}  // namespace qb
