// Text services: the label markup parsers and the regular-expression helpers.

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "view/utils.h"

namespace {

using Runs = std::vector<std::pair<std::wstring, DWORD>>;

TEST(Markup, ColouredRunsAndPlainText) {
  std::wstring plain = L">";  // appended to, not cleared
  EXPECT_EQ(Utils::PickColorParts(L"abc", plain, 0), (Runs{{L"abc", 0}}));
  EXPECT_EQ(plain, L">abc");

  plain.clear();
  EXPECT_EQ(Utils::PickColorParts(L"a<font color=\"255\">b</font>c", plain, 7),
            (Runs{{L"a", 7}, {L"b", 255}, {L"c", 7}}));
  EXPECT_EQ(plain, L"abc");

  // A leading span gets an empty default run before it and no run after it.
  plain.clear();
  EXPECT_EQ(Utils::PickColorParts(L"<font color=\"255\">b</font>", plain, 7),
            (Runs{{L"", 7}, {L"b", 255}}));
  EXPECT_EQ(plain, L"b");

  // Back to back: an empty default run between the spans. Tags in any case.
  plain.clear();
  EXPECT_EQ(Utils::PickColorParts(
                L"x<font color=\"65280\">g</font><FONT COLOR=\"16711680\">b</FONT>", plain, 1),
            (Runs{{L"x", 1}, {L"g", 0x00FF00}, {L"", 1}, {L"b", 0xFF0000}}));
  EXPECT_EQ(plain, L"xgb");

  // Colours are decimal COLORREFs: sign and 64-bit wrap to the low 32 bits;
  // anything that is not a number is black.
  plain.clear();
  const Runs colours = Utils::PickColorParts(
      L"<font color=\"-1\">m</font><font color=\"4294967296\">z</font>"
      L"<font color=\"#FF0000\">h</font><font color=\" 12px\">s</font>",
      plain, 9);
  ASSERT_EQ(colours.size(), 8u);
  EXPECT_EQ(colours[1].second, 0xFFFFFFFFu);
  EXPECT_EQ(colours[3].second, 0u);
  EXPECT_EQ(colours[5].second, 0u);
  EXPECT_EQ(colours[7].second, 12u);
  EXPECT_EQ(plain, L"mzhs");
}

TEST(Markup, MalformedSpansStayAsText) {
  const wchar_t* const kept[] = {
      L"<font color='255'>x</font>",        // single quotes
      L"<font  color=\"255\">x</font>",     // two spaces
      L"<font color=\"255\"><b>x</b></font>",  // a tag inside the span
      L"<font color=\"255\">x",             // never closed
  };
  for (const wchar_t* text : kept) {
    std::wstring plain;
    EXPECT_EQ(Utils::PickColorParts(text, plain, 3), (Runs{{text, 3}}));
    EXPECT_EQ(plain, text);
  }
  std::wstring plain = L"keep";
  EXPECT_TRUE(Utils::PickColorParts(L"", plain, 3).empty());
  EXPECT_TRUE(Utils::PickColorParts(nullptr, plain, 3).empty());
  EXPECT_EQ(plain, L"keep");
}

TEST(Markup, LinkShowContent) {
  EXPECT_EQ(Utils::PickLinkShowContent(L"see <A HREF=\"x\">here</A>."), L"see here.");
  EXPECT_EQ(Utils::PickLinkShowContent(L"<a href=\"http://e/?q=1\">one</a> and "
                                       L"<A HREF=\"\">two</A>"),
            L"one and two");
  EXPECT_EQ(Utils::PickLinkShowContent(L"no links here"), L"no links here");
  EXPECT_EQ(Utils::PickLinkShowContent(L"<A HREF='x'>q</A>"), L"<A HREF='x'>q</A>");
  EXPECT_EQ(Utils::PickLinkShowContent(L""), L"");
  EXPECT_EQ(Utils::PickLinkShowContent(nullptr), L"");
}

TEST(Patterns, MatchFindReplace) {
  EXPECT_FALSE(Utils::IsMatch("abc", "b"));  // the whole text must match
  EXPECT_TRUE(Utils::IsMatch("abc", "a.c"));
  EXPECT_FALSE(Utils::IsMatch("abc", "ABC"));  // case-sensitive
  EXPECT_TRUE(Utils::IsMatch("", ""));

  EXPECT_EQ(Utils::FindIfMatch("order 1234 done", "[0-9]+"), "1234");
  EXPECT_EQ(Utils::FindIfMatch("order 1234 done", "x+"), "order 1234 done");
  EXPECT_EQ(Utils::FindIfMatch("bbb", "a*"), "");  // an empty match at the start
  EXPECT_EQ(Utils::FindIfMatch("abcd", "b|bc"), "b");  // first alternative, not longest
  EXPECT_EQ(Utils::FindIfMatchW(L"x = 42;", L"[0-9]+"), L"42");
  EXPECT_EQ(Utils::FindIfMatchW(L"nothing", L"[0-9]+"), L"nothing");

  EXPECT_EQ(Utils::RepalceWithPattern("a1b22", "[0-9]+", "<$&>"), "a<1>b<22>");
  EXPECT_EQ(Utils::RepalceWithPattern("a1b22", "[0-9]+", "$$"), "a$b$");
  EXPECT_EQ(Utils::RepalceWithPattern("k=v", "(\\w)=(\\w)", "$2=$1"), "v=k");
  EXPECT_EQ(Utils::RepalceWithPattern("abc", "b", "[$`|$']"), "a[a|c]c");
  EXPECT_EQ(Utils::RepalceWithPattern("abc", "z", "y"), "abc");
}

TEST(Patterns, InvalidPatternRaisesRegexError) {
  EXPECT_THROW(Utils::IsMatch("a", "(a"), std::regex_error);
  EXPECT_THROW(Utils::FindIfMatch("a", "(a"), std::regex_error);
  EXPECT_THROW(Utils::FindIfMatchW(L"a", L"(a"), std::regex_error);
  EXPECT_THROW(Utils::RepalceWithPattern("a", "(a", "b"), std::regex_error);
  // Null arguments are empty texts, not crashes.
  EXPECT_TRUE(Utils::IsMatch(nullptr, nullptr));
  EXPECT_EQ(Utils::FindIfMatch(nullptr, "a"), "");
  EXPECT_EQ(Utils::RepalceWithPattern("abc", "b", nullptr), "ac");
}

}  // namespace
