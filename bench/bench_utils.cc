// The text helpers on a 1 KB text: calls per second.

#include <cstdio>
#include <string>
#include <vector>

#include "bench.h"
#include "view/utils.h"

namespace {

constexpr int kCalls = 200;  // per timed repetition

void UtilsBenchmark(std::vector<bench::Row>& rows) {
  // About 1 KB of prose with a version number near the end.
  std::string text;
  while (text.size() < 1000) text += "The quick brown fox jumps over the lazy dog. ";
  text += "Release 12.4.7 is out.";
  text.resize(1024, ' ');
  size_t found = 0;
  const double find = bench::MedianSeconds([&] {
    for (int i = 0; i < kCalls; ++i) {
      found += Utils::FindIfMatch(text.c_str(), "[0-9]+\\.[0-9]+\\.[0-9]+").size();
    }
  });
  rows.push_back({"Utils::FindIfMatch on a 1 KB text", "(calls per second)", kCalls / find,
                  bench::Target::kReport, 0, "calls/s"});

  // About 1 KB of markup: plain runs with a coloured span every so often.
  std::wstring markup;
  while (markup.size() < 1000) {
    markup += L"Plain words before a span <font color=\"255\">red words</font> and after. ";
  }
  markup.resize(1024, L' ');
  size_t parts = 0;
  const double pick = bench::MedianSeconds([&] {
    for (int i = 0; i < kCalls; ++i) {
      std::wstring plain;
      parts += Utils::PickColorParts(markup.c_str(), plain, RGB(0, 0, 0)).size();
    }
  });
  rows.push_back({"Utils::PickColorParts on a 1 KB text", "(calls per second)", kCalls / pick,
                  bench::Target::kReport, 0, "calls/s"});
  if (found == 0 || parts == 0) std::fprintf(stderr, "utils: nothing found\n");
}

}  // namespace

VIEW_BENCHMARK(utils, UtilsBenchmark);
