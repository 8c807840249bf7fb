// Utils: the label markup parsers and the regular-expression front ends.

#include "view/utils.h"

#include <cstdlib>
#include <regex>

namespace {

const wchar_t* OrEmpty(const wchar_t* text) { return text != nullptr ? text : L""; }
const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }

// The label markup: a coloured span and a link. Tag and attribute names match
// in any case; the attribute must be written exactly like this. Compiled once
// (function-local statics are initialised thread-safely) and only read after.
const std::wregex& ColorSpanPattern() {
  static const std::wregex pattern(L"(<font color=\"([^\"]*)\">)([^<]*)(</font>)",
                                   std::regex_constants::ECMAScript | std::regex_constants::icase);
  return pattern;
}

const std::wregex& LinkPattern() {
  static const std::wregex pattern(L"(<A HREF=\"[^\"]*\">)([^<]*)(</A>)",
                                   std::regex_constants::ECMAScript | std::regex_constants::icase);
  return pattern;
}

// A colour written as the decimal number of its COLORREF, converted the way
// the C runtime's _wtoi64 does (leading blanks, optional sign, digits up to the
// first other character; no digits give 0); the low 32 bits are the colour.
DWORD ColorFromDecimal(const std::wstring& value) {
  return static_cast<DWORD>(static_cast<unsigned long long>(_wtoi64(value.c_str())) & 0xFFFFFFFFu);
}

}  // namespace

std::vector<std::pair<std::wstring, DWORD>> Utils::PickColorParts(const wchar_t* text,
                                                                  std::wstring& plainText,
                                                                  DWORD defaultColor) {
  const std::wstring source(OrEmpty(text));
  std::vector<std::pair<std::wstring, DWORD>> runs;
  std::size_t pos = 0;
  for (std::wsregex_iterator it(source.begin(), source.end(), ColorSpanPattern()), end; it != end;
       ++it) {
    const std::wsmatch& match = *it;
    const std::size_t start = static_cast<std::size_t>(match.position(0));
    std::wstring before = source.substr(pos, start - pos);
    std::wstring span = match.str(3);
    plainText += before;
    plainText += span;
    // The run before a span is kept even when empty, so runs alternate.
    runs.emplace_back(std::move(before), defaultColor);
    runs.emplace_back(std::move(span), ColorFromDecimal(match.str(2)));
    pos = start + static_cast<std::size_t>(match.length(0));
  }
  if (pos < source.size()) {
    std::wstring rest = source.substr(pos);
    plainText += rest;
    runs.emplace_back(std::move(rest), defaultColor);
  }
  return runs;
}

std::wstring Utils::PickLinkShowContent(const wchar_t* text) {
  const std::wstring source(OrEmpty(text));
  std::wstring result;
  std::size_t pos = 0;
  for (std::wsregex_iterator it(source.begin(), source.end(), LinkPattern()), end; it != end;
       ++it) {
    const std::wsmatch& match = *it;
    const std::size_t start = static_cast<std::size_t>(match.position(0));
    result.append(source, pos, start - pos);
    result += match.str(2);
    pos = start + static_cast<std::size_t>(match.length(0));
  }
  if (pos < source.size()) result.append(source, pos, std::wstring::npos);
  return result;
}

bool Utils::IsMatch(const char* text, const char* pattern) {
  const std::regex expression(OrEmpty(pattern));
  const std::string subject(OrEmpty(text));
  return std::regex_match(subject, expression);
}

std::string Utils::FindIfMatch(const char* text, const char* pattern) {
  const std::regex expression(OrEmpty(pattern));
  const std::string subject(OrEmpty(text));
  std::smatch match;
  if (std::regex_search(subject, match, expression)) return match.str(0);
  return subject;
}

std::wstring Utils::FindIfMatchW(const wchar_t* text, const wchar_t* pattern) {
  const std::wregex expression(OrEmpty(pattern));
  const std::wstring subject(OrEmpty(text));
  std::wsmatch match;
  if (std::regex_search(subject, match, expression)) return match.str(0);
  return subject;
}

std::string Utils::RepalceWithPattern(const char* text, const char* pattern,
                                      const char* replacement) {
  const std::string subject(OrEmpty(text));
  const std::regex expression(OrEmpty(pattern));
  const std::string format(OrEmpty(replacement));
  return std::regex_replace(subject, expression, format);
}
