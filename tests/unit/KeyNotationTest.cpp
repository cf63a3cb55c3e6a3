#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hotkeys/KeyNotation.h"

namespace {

// The events as the keys tool prints them, joined by ", ".
std::string Describe(const std::vector<qb::KeyEvent>& events) {
  std::string out;
  for (const qb::KeyEvent& event : events) {
    if (!out.empty()) out += ", ";
    out += qb::DescribeKeyEvent(event);
  }
  return out;
}

std::string Parsed(const std::string& text) {
  const qb::ParsedKeys keys = qb::ParseKeyNotation(text);
  if (!keys.valid) return "invalid: " + keys.reason;
  return Describe(keys.events);
}

struct Case {
  const char* text;
  const char* events;
};

TEST(KeyNotation, OrdinaryCharactersAreTypedAsThemselves) {
  const Case cases[] = {
      {"", ""},
      {"ab", "char a, char b"},
      {"A1", "char A, char 1"},
      {"日本語", "char 日, char 本, char 語"},
      {"ｶﾅ", "char ｶ, char ﾅ"},
      {"😀", "char 😀"},
      {"a b", "char a, char U+0020, char b"},
      {"[x]", "char [, char x, char ]"},
      {"\xff", "char \xEF\xBF\xBD"},  // malformed UTF-8 types U+FFFD, it does not stop the text
      {"a\r\nb", "char a, down 0x0D, up 0x0D, char b"},
      {"a\rb\nc", "char a, down 0x0D, up 0x0D, char b, down 0x0D, up 0x0D, char c"},
      {"a\tb", "char a, down 0x09, up 0x09, char b"},
      {"~", "down 0x0D, up 0x0D"},
      {"(ab)", "char a, char b"},
      {"()", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Parsed(c.text), c.events) << c.text;
}

TEST(KeyNotation, ModifiersHoldForTheNextKeyOrGroup) {
  const Case cases[] = {
      {"+a", "down 0x10, down 0x41, up 0x41, up 0x10"},
      {"^c", "down 0x11, down 0x43, up 0x43, up 0x11"},
      {"^C", "down 0x11, down 0x43, up 0x43, up 0x11"},  // no Shift added for a capital
      {"%(EC)", "down 0x12, down 0x45, up 0x45, down 0x43, up 0x43, up 0x12"},
      {"^{PRTSC}%(EC)",
       "down 0x11, down 0x2C, up 0x2C, up 0x11, down 0x12, down 0x45, up 0x45, down 0x43, up 0x43, up 0x12"},
      {"^{PRTSC}%EC", "down 0x11, down 0x2C, up 0x2C, up 0x11, down 0x12, down 0x45, up 0x45, up 0x12, char C"},
      {"+^a", "down 0x10, down 0x11, down 0x41, up 0x41, up 0x11, up 0x10"},
      {"%^+z", "down 0x12, down 0x11, down 0x10, down 0x5A, up 0x5A, up 0x10, up 0x11, up 0x12"},
      {"+ab", "down 0x10, down 0x41, up 0x41, up 0x10, char b"},
      {"+()", "down 0x10, up 0x10"},
      // A modifier an enclosing group holds is not pressed (nor released) a second time.
      {"+(a+b)", "down 0x10, down 0x41, up 0x41, down 0x42, up 0x42, up 0x10"},
      {"+(a^(b)c)", "down 0x10, down 0x41, up 0x41, down 0x11, down 0x42, up 0x42, up 0x11, down 0x43, up 0x43, up 0x10"},
      {"^~", "down 0x11, down 0x0D, up 0x0D, up 0x11"},
      {"+{LEFT 3}", "down 0x10, down 0x25, up 0x25, down 0x25, up 0x25, down 0x25, up 0x25, up 0x10"},
      {"^{a}", "down 0x11, down 0x41, up 0x41, up 0x11"},
      {"^1", "down 0x11, down 0x31, up 0x31, up 0x11"},
      {"^ ", "down 0x11, down 0x20, up 0x20, up 0x11"},
      {"^-^,^.^/",
       "down 0x11, down 0xBD, up 0xBD, up 0x11, down 0x11, down 0xBC, up 0xBC, up 0x11, "
       "down 0x11, down 0xBE, up 0xBE, up 0x11, down 0x11, down 0xBF, up 0xBF, up 0x11"},
      // Characters without a key common to US and Japanese layouts are typed with the modifier held.
      {"^@", "down 0x11, char @, up 0x11"},
      {"+あ", "down 0x10, char あ, up 0x10"},
      {"+(ab)", "down 0x10, down 0x41, up 0x41, down 0x42, up 0x42, up 0x10"},
      {"%{(}", "down 0x12, char (, up 0x12"},
  };
  for (const Case& c : cases) EXPECT_EQ(Parsed(c.text), c.events) << c.text;
}

TEST(KeyNotation, BracesNameKeysAndEscapedCharacters) {
  const Case cases[] = {
      {"{ENTER}", "down 0x0D, up 0x0D"},
      {"{enter}", "down 0x0D, up 0x0D"},
      {"{Tab}", "down 0x09, up 0x09"},
      {"{LEFT 3}", "down 0x25, up 0x25, down 0x25, up 0x25, down 0x25, up 0x25"},
      {"{LEFT 0}", ""},
      {"{LEFT 003}", "down 0x25, up 0x25, down 0x25, up 0x25, down 0x25, up 0x25"},
      {"{x 2}", "char x, char x"},
      {"{あ 2}", "char あ, char あ"},
      {"{+}{^}{%}{~}", "char +, char ^, char %, char ~"},
      {"{(}{)}{[}{]}", "char (, char ), char [, char ]"},
      {"{{}{}}", "char {, char }"},
      {"{} 2}", "char }, char }"},
      {"{ }", "char U+0020"},
      {"a{BS}b", "char a, down 0x08, up 0x08, char b"},
  };
  for (const Case& c : cases) EXPECT_EQ(Parsed(c.text), c.events) << c.text;
}

TEST(KeyNotation, KeyNamesAliasesAndFunctionKeyRange) {
  const struct {
    const char* name;
    const char* same;
  } aliases[] = {{"ESCAPE", "ESC"}, {"BACKSPACE", "BS"}, {"BKSP", "BS"}, {"DELETE", "DEL"}, {"INSERT", "INS"}, {"f5", "F5"}};
  for (const auto& a : aliases) {
    EXPECT_NE(qb::KeyNameCode(a.same), 0) << a.same;
    EXPECT_EQ(qb::KeyNameCode(a.name), qb::KeyNameCode(a.same)) << a.name;
  }
  for (int n = 1; n <= 16; ++n) EXPECT_EQ(qb::KeyNameCode("F" + std::to_string(n)), 0x6F + n) << n;
  for (const char* name : {"F0", "F17", "F01", "F", "F1A", "ENTE", "ENTERS", "", "CLIP", "WAIT", "CLR"}) {
    EXPECT_EQ(qb::KeyNameCode(name), 0) << name;
  }
  EXPECT_EQ(qb::KeyNameCode("PRTSC"), 0x2C);
  EXPECT_EQ(qb::KeyNameCode("BREAK"), 0x03);
  EXPECT_EQ(qb::KeyNameCode("Divide"), 0x6F);
}

TEST(KeyNotation, InvalidTextGivesNoEventsAndAReason) {
  const Case cases[] = {
      {"{FOO}", "unknown key name {FOO}"},
      {"ab{F17}", "unknown key name {F17}"},
      {"{ 3}", "unknown key name { 3}"},
      {"{clip}", "unknown key name {clip}"},
      {"{ENTER", "{ without }"},
      {"{", "{ without }"},
      {"{}", "{ without }"},
      {"a}", "} outside braces (type it as {}})"},
      {"a)", ") without ("},
      {"(a))", ") without ("},
      {"+(a", "( without )"},
      {"((a)", "( without )"},
      {"abc+", "modifier at the end of the text without a key"},
      {"^", "modifier at the end of the text without a key"},
      {"++a", "modifier + given twice for one key"},
      {"^+^a", "modifier ^ given twice for one key"},
      {"(+)", "modifier without a key before )"},
      {"{LEFT x}", "bad repeat count in {LEFT x}"},
      {"{LEFT -1}", "bad repeat count in {LEFT -1}"},
      {"{LEFT }", "bad repeat count in {LEFT }"},
      {"{LEFT 1.5}", "bad repeat count in {LEFT 1.5}"},
      {"{LEFT 10000}", "repeat count over 9999 in {LEFT 10000}"},
      {"{a 99999999999999999999999}", "repeat count over 9999 in {a 99999999999999999999999}"},
  };
  for (const Case& c : cases) {
    const qb::ParsedKeys keys = qb::ParseKeyNotation(c.text);
    EXPECT_FALSE(keys.valid) << c.text;
    EXPECT_TRUE(keys.events.empty()) << c.text;
    EXPECT_EQ(keys.reason, c.events) << c.text;
  }
}

TEST(KeyNotation, LargestRepeatCountIsTyped) {
  const qb::ParsedKeys keys = qb::ParseKeyNotation("{LEFT 9999}");
  ASSERT_TRUE(keys.valid);
  EXPECT_EQ(keys.events.size(), 2u * 9999u);
}

TEST(KeyNotation, LiteralTextIgnoresTheNotation) {
  EXPECT_EQ(Describe(qb::LiteralKeyEvents("+{F4}%~")), "char +, char {, char F, char 4, char }, char %, char ~");
  EXPECT_EQ(Describe(qb::LiteralKeyEvents("a\r\nb\rc\nd\te")),
            "char a, down 0x0D, up 0x0D, char b, down 0x0D, up 0x0D, char c, down 0x0D, up 0x0D, char d, "
            "down 0x09, up 0x09, char e");
  EXPECT_EQ(Describe(qb::LiteralKeyEvents("[画像]")), "char [, char 画, char 像, char ]");
  EXPECT_TRUE(qb::LiteralKeyEvents("").empty());
}

TEST(KeyNotation, DescriptionsUseTwoUpperCaseHexDigitsAndNameInvisibleCharacters) {
  EXPECT_EQ(qb::DescribeKeyEvent(qb::KeyEvent::Press(0x0D)), "down 0x0D");
  EXPECT_EQ(qb::DescribeKeyEvent(qb::KeyEvent::Release(0xBD)), "up 0xBD");
  EXPECT_EQ(qb::DescribeKeyEvent(qb::KeyEvent::Character(U'\x7f')), "char U+007F");
  EXPECT_EQ(qb::DescribeKeyEvent(qb::KeyEvent::Character(U'\x01')), "char U+0001");
  EXPECT_EQ(qb::DescribeKeyEvent(qb::KeyEvent::Character(U'!')), "char !");
}

}  // namespace
