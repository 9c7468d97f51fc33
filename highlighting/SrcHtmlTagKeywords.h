// Tag-name keywords of the HTML highlighter: the character value table, the
// tag-name hash and the keyword slots, all built at compile time from the one
// keyword list in SrcHtmlTagKeywords.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Letter values used by the tag-name hash: "!" 123, "/" 122, each ASCII
// letter its place in the alphabet (case folded), every other byte 0.
constexpr std::array<std::int32_t, 256> MakeHtmlCharValueTable() {
  std::array<std::int32_t, 256> t{};
  t['!'] = 123;
  t['/'] = 122;
  for (int c = 'A'; c <= 'Z'; ++c) {
    t[c] = c - 'A' + 1;
    t[c + 32] = c - 'A' + 1;
  }
  return t;
}

inline constexpr std::array<std::int32_t, 256> HtmlCharValue = MakeHtmlCharValueTable();

// Number of hash slots; a name whose sum exceeds the last slot is an identifier.
inline constexpr int HtmlTagSlotCount = 251;
inline constexpr int HtmlTagKeywordCount = 202;

// The keywords in their table order (110 tag names, 91 closing forms, !DOCTYPE).
extern const std::array<std::string_view, HtmlTagKeywordCount> HtmlTagKeywords;

// Hash of a tag name as the highlighter measures it: the values of the
// leading "!", "/" and letters, then the numeric values of the digits that
// follow. `length` receives the number of bytes taken, which may be 0.
// Stops at the first byte outside these classes (a NUL ends the name).
inline std::uint64_t HtmlTagHash(const unsigned char* p, int& length) {
  const unsigned char* s = p;
  std::uint64_t sum = 0;
  while (HtmlCharValue[*p] != 0) {
    sum += static_cast<std::uint64_t>(HtmlCharValue[*p]);
    ++p;
  }
  while (*p >= '0' && *p <= '9') {
    sum += static_cast<std::uint64_t>(*p - '0');
    ++p;
  }
  length = static_cast<int>(p - s);
  return sum;
}

// Token kinds answered by the classification (the HTML token-kind numbers).
inline constexpr int HtmlTagIdentifier = 2;
inline constexpr int HtmlTagReservedWord = 3;
inline constexpr int HtmlTagUnknownWord = 8;

// Keywords sharing one hash slot: indexes into HtmlTagKeywords.
struct THtmlTagSlot {
  std::uint8_t Count;
  std::uint8_t Keyword[4];
};

const THtmlTagSlot& HtmlTagSlot(int index);

// Measures the tag name at `p` and classifies it: reserved word (a keyword,
// letters compared without case, digits matching any digit), unknown word,
// or identifier when the sum is above the slot table.
int HtmlClassifyTagName(const unsigned char* p, int& length);
