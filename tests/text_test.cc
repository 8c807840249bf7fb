// Text services: the label markup parsers and the regular-expression helpers.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "view/utils.h"

using Runs = std::vector<std::pair<std::wstring, DWORD>>;

TEST(Markup, ColouredRunsAlternateWithDefaultRuns) {
  // Each span gets the default-coloured run before it, even when empty;
  // tags match in any case; the plain text is appended to, not replaced.
  const struct {
    const wchar_t* markup;
    Runs runs;
    const wchar_t* plain;
  } cases[] = {
      {L"abc", {{L"abc", 7}}, L"abc"},
      {L"a<font color=\"255\">b</font>c", {{L"a", 7}, {L"b", 255}, {L"c", 7}}, L"abc"},
      {L"<font color=\"255\">b</font>", {{L"", 7}, {L"b", 255}}, L"b"},
      {L"x<font color=\"65280\">g</font><FONT COLOR=\"16711680\">b</FONT>",
       {{L"x", 7}, {L"g", 0x00FF00}, {L"", 7}, {L"b", 0xFF0000}}, L"xgb"},
      // Decimal COLORREFs: sign and 64-bit wrap to the low 32 bits; what is
      // not a number counts up to its first other character.
      {L"<font color=\"-1\">m</font><font color=\"4294967296\">z</font>"
       L"<font color=\"#FF0000\">h</font><font color=\" 12px\">s</font>",
       {{L"", 7}, {L"m", 0xFFFFFFFF}, {L"", 7}, {L"z", 0}, {L"", 7}, {L"h", 0}, {L"", 7}, {L"s", 12}},
       L"mzhs"},
      // Malformed spans stay as text.
      {L"<font color='255'>x</font>", {{L"<font color='255'>x</font>", 7}}, nullptr},
      {L"<font  color=\"255\">x</font>", {{L"<font  color=\"255\">x</font>", 7}}, nullptr},
      {L"<font color=\"255\"><b>x</b></font>", {{L"<font color=\"255\"><b>x</b></font>", 7}}, nullptr},
      {L"<font color=\"255\">x", {{L"<font color=\"255\">x", 7}}, nullptr},
  };
  for (const auto& c : cases) {
    std::wstring plain = L">";
    EXPECT_EQ(Utils::PickColorParts(c.markup, plain, 7), c.runs) << c.markup;
    EXPECT_EQ(plain, L">" + std::wstring(c.plain ? c.plain : c.markup)) << c.markup;
  }
  std::wstring plain = L"keep";
  EXPECT_TRUE(Utils::PickColorParts(L"", plain, 3).empty());
  EXPECT_TRUE(Utils::PickColorParts(nullptr, plain, 3).empty());
  EXPECT_EQ(plain, L"keep");
}
