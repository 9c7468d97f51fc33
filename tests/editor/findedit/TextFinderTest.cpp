// The linear search behind find and replace: the first occurrence at or
// after a position, checked against the plain search on awkward patterns
// (self-overlapping, repeated prefixes) and on random texts.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "MainEditCommands.h"

namespace {

struct TCase {
  const char* Text;
  const char* Pattern;
  std::size_t From;
  std::size_t Expected;
};

constexpr std::size_t npos = TTextFinder::npos;

const TCase kCases[] = {
    {"ab ab ab", "ab", 0, 0}, {"ab ab ab", "ab", 1, 3},   {"ab ab ab", "ab", 6, 6},       {"ab ab ab", "ab", 7, npos},
    {"aaab", "aab", 0, 1},    {"abababc", "ababc", 0, 2}, {"aabaabaaab", "aabaaa", 0, 3}, {"abc", "abcd", 0, npos},
    {"abc", "", 0, npos},     {"", "a", 0, npos},         {"abc", "c", 99, npos},         {"x\r\ny", "\r\n", 0, 1},
};

TEST(TextFinderTest, TableOfCases) {
  for (const TCase& c : kCases) {
    TTextFinder f(c.Pattern);
    EXPECT_EQ(f.Find(c.Text, c.From), c.Expected) << c.Text << " / " << c.Pattern << " from " << c.From;
  }
  // NUL bytes are ordinary characters.
  const std::string text("a\0b\0b", 5);
  EXPECT_EQ(TTextFinder(std::string("\0b", 2)).Find(text, 0), 1u);
  EXPECT_EQ(TTextFinder(std::string("\0b", 2)).Find(text, 2), 3u);
}

TEST(TextFinderTest, AgreesWithThePlainSearchOnRandomTexts) {
  std::mt19937 rng(12345);
  std::uniform_int_distribution<int> letter(0, 2);
  auto random = [&](int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>('a' + letter(rng));
    return s;
  };
  for (int round = 0; round < 2000; ++round) {
    const std::string text = random(1 + round % 40);
    const std::string pattern = random(1 + round % 5);
    const std::size_t from = static_cast<std::size_t>(round % 7);
    EXPECT_EQ(TTextFinder(pattern).Find(text, from), from <= text.size() ? text.find(pattern, from) : npos)
        << text << " / " << pattern << " from " << from;
  }
}

}  // namespace
