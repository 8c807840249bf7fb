// Text services: the label markup parsers and the regular-expression helpers.

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "view/utils.h"

using Runs = std::vector<std::pair<std::wstring, DWORD>>;

TEST(Markup, ColouredRunsLinksAndPatterns) {
  // Each span gets the default-coloured run before it, even when empty;
  // tags match in any case; the plain text is appended to, not replaced.
  const struct { const wchar_t* markup; Runs runs; const wchar_t* plain; } cases[] = {
      {L"abc", {{L"abc", 7}}, L"abc"}, {L"", {}, L""}, {L"<font color=\"255\">b</font>", {{L"", 7}, {L"b", 255}}, L"b"},
      {L"a<font color=\"255\">b</font>c", {{L"a", 7}, {L"b", 255}, {L"c", 7}}, L"abc"},
      {L"x<font color=\"65280\">g</font><FONT COLOR=\"16711680\">b</FONT>",
       {{L"x", 7}, {L"g", 0x00FF00}, {L"", 7}, {L"b", 0xFF0000}}, L"xgb"},
      // Decimal COLORREFs: sign and 64-bit wrap to the low 32 bits; what is
      // not a number counts up to its first other character.
      {L"<font color=\"-1\">m</font><font color=\"4294967296\">z</font>"
       L"<font color=\"#FF0000\">h</font><font color=\" 12px\">s</font>",
       {{L"", 7}, {L"m", 0xFFFFFFFF}, {L"", 7}, {L"z", 0}, {L"", 7}, {L"h", 0}, {L"", 7}, {L"s", 12}}, L"mzhs"},
      // Malformed spans stay as text; a null text gives nothing.
      {L"<font color='255'>x</font>", {{L"<font color='255'>x</font>", 7}}, nullptr},
      {L"<font  color=\"255\">x</font>", {{L"<font  color=\"255\">x</font>", 7}}, nullptr},
      {L"<font color=\"255\"><b>x</b></font>", {{L"<font color=\"255\"><b>x</b></font>", 7}}, nullptr},
      {L"<font color=\"255\">x", {{L"<font color=\"255\">x", 7}}, nullptr}, {nullptr, {}, L""}};
  for (const auto& c : cases) {
    std::wstring plain = L">";
    EXPECT_EQ(Utils::PickColorParts(c.markup, plain, 7), c.runs) << c.markup;
    EXPECT_EQ(plain, L">" + std::wstring(c.plain ? c.plain : c.markup)) << c.markup;
  }

  // A link shows its label, not its target; anything not written exactly
  // like the markup stays as it is. IsMatch matches the whole text,
  // case-sensitively; FindIfMatch gives the whole first match (the text
  // itself without one); replacements expand every match.
  const std::pair<std::wstring, std::wstring> wide[] = {
      {Utils::PickLinkShowContent(L"see <A HREF=\"x\">here</A>."), L"see here."},
      {Utils::PickLinkShowContent(L"<a href=\"u\">one</a> and <A HREF=\"v\">two</A>"), L"one and two"},
      {Utils::PickLinkShowContent(L"<A HREF='x'>q</A>"), L"<A HREF='x'>q</A>"},
      {Utils::FindIfMatchW(L"x = 12.5", L"[0-9]+(\\.[0-9])?"), L"12.5"}, {Utils::FindIfMatchW(L"ab", L"[0-9]"), L"ab"}};
  for (const auto& [got, want] : wide) EXPECT_EQ(got, want);
  const std::pair<std::string, std::string> narrow[] = {
      {Utils::FindIfMatch("order a12 done", "([a-z])([0-9]+)"), "a12"}, {Utils::FindIfMatch("or 1", "x+"), "or 1"},
      {Utils::RepalceWithPattern("a1b22", "[0-9]+", "<$&>"), "a<1>b<22>"}, {Utils::NullToEmpty(nullptr), ""},
      {Utils::RepalceWithPattern("a1b22", "([a-z])([0-9])", "$2$1"), "1a2b2"}};
  for (const auto& [got, want] : narrow) EXPECT_EQ(got, want);
  const bool whole[] = {Utils::IsMatch("abc", "b"), Utils::IsMatch("abc", "a.c"), Utils::IsMatch("abc", "ABC")};
  EXPECT_EQ(std::vector<bool>(whole, whole + 3), (std::vector<bool>{false, true, false}));
  EXPECT_THROW(Utils::IsMatch("a", "(a"), std::regex_error);
}
