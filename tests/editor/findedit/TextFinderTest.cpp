// The linear search behind find and replace: the first occurrence at or
// after a position, checked against the plain search on awkward patterns
// (self-overlapping, repeated prefixes, long repeats) and on random texts.
// Then the searches over a line list where its lines lie (runs of the block
// a load read, on several threads for many lines) against a search of each
// line on its own.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "MainEditCommands.h"
#include "SrcEditTextBuffer.h"
#include "platform/Classes.h"

namespace {

struct TCase {
  const char* Text;
  const char* Pattern;
  std::size_t From;
  std::size_t Expected;
};

constexpr std::size_t npos = TTextFinder::npos;

const TCase kCases[] = {
    {"ab ab ab", "ab", 0, 0},
    {"ab ab ab", "ab", 1, 3},
    {"ab ab ab", "ab", 6, 6},
    {"ab ab ab", "ab", 7, npos},
    {"aaab", "aab", 0, 1},
    {"abababc", "ababc", 0, 2},
    {"aabaabaaab", "aabaaa", 0, 3},
    {"abc", "abcd", 0, npos},
    {"abc", "", 0, npos},
    {"", "a", 0, npos},
    {"abc", "c", 99, npos},
    {"x\r\ny", "\r\n", 0, 1},
    // The rarest byte inside the pattern, near the ends of the text.
    {"the zoo, the zoo", "e zo", 0, 2},
    {"the zoo, the zoo", "e zo", 3, 11},
    {"zebra", "ze", 0, 0},
    {"a quiz", "quiz", 0, 2},
    {"a quiz", "quiz", 3, npos},
    {"q", "q", 0, 0},
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

// Many candidates that fail late: the search turns to the failure table
// part way and still finds what the plain search finds.
TEST(TextFinderTest, LongRepeatsOfThePattern) {
  const std::string text = std::string(5000, 'a') + "b" + std::string(3000, 'a') + "ab";
  for (const std::string& pattern : {std::string(40, 'a') + "b", std::string(3000, 'a') + "b", std::string("ab")}) {
    TTextFinder finder(pattern);
    for (std::size_t from : {0, 100, 4960, 4961, 5001, 8000})
      EXPECT_EQ(finder.Find(text, from), text.find(pattern, from)) << pattern.size() << " from " << from;
  }
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

// ---------------------------------------------------------------------------
// Searching a line list

TSrcEditStringList* Loaded(TSrcEditStringList& list, const std::string& bytes) {
  TStringStream s(bytes);
  list.LoadFromStream(&s);
  return &list;
}

// The first occurrence in lines first .. last (the first from byte `from`)
// and every occurrence, by a search of each line on its own: (line, byte),
// 0-based.
using THit = std::pair<int, std::size_t>;
std::optional<THit> FirstPlainly(const TSrcEditStringList& list, const std::string& pattern, int first,
                                 std::size_t from, int last) {
  for (int i = std::max(first, 0); i <= std::min(last, list.Count() - 1); ++i, from = 0) {
    const std::string line(list.LineView(i));
    if (from <= line.size())
      if (const std::size_t p = line.find(pattern, from); p != std::string::npos) return THit{i, p};
  }
  return std::nullopt;
}
std::vector<THit> AllPlainly(const TSrcEditStringList& list, const std::string& pattern) {
  std::vector<THit> r;
  for (int i = 0; i < list.Count(); ++i) {
    const std::string line(list.LineView(i));
    for (std::size_t p = line.find(pattern); p != std::string::npos; p = line.find(pattern, p + pattern.size()))
      r.emplace_back(i, p);
  }
  return r;
}

std::optional<THit> First(const TSrcEditStringList& list, const std::string& pattern, int first, std::size_t from,
                          int last) {
  TBufferCoord at;
  if (!FindInLineRange(list, TTextFinder(pattern), first, from, last, at)) return std::nullopt;
  return THit{at.Line - 1, static_cast<std::size_t>(at.Char - 1)};
}
std::vector<THit> All(const TSrcEditStringList& list, const std::string& pattern) {
  std::vector<THit> r;
  for (const TBufferCoord& c : FindAllInLines(list, TTextFinder(pattern)))
    r.emplace_back(c.Line - 1, static_cast<std::size_t>(c.Char - 1));
  return r;
}

struct TLineCase {
  const char* Name;
  const char* Bytes;
  const char* Pattern;
  int First;
  std::size_t From;
  int Last;  // -1: to the last line
  std::optional<THit> Expected;
};

const TLineCase kLineCases[] = {
    {"at the start of a run", "needle and more\r\nsecond line", "needle", 0, 0, -1, THit{0, 0}},
    {"at the end of a run", "first line\r\nsecond line\r\nthe needle", "needle", 0, 0, -1, THit{2, 4}},
    {"at the end of a line", "first needle\r\nsecond line", "needle", 0, 0, -1, THit{0, 6}},
    {"across a CR LF", "a nee\r\ndle b\r\nc", "needle", 0, 0, -1, std::nullopt},
    {"across an LF", "a nee\ndle b\nc", "needle", 0, 0, -1, std::nullopt},
    {"across a CR", "a nee\rdle b\rc", "needle", 0, 0, -1, std::nullopt},
    {"across empty lines", "a nee\r\n\r\n\ndle b", "needle", 0, 0, -1, std::nullopt},
    {"after one across a break", "a nee\r\ndle needle", "needle", 0, 0, -1, THit{1, 4}},
    {"overlapping candidates", "xxxxx aaab\r\nyyyyy", "aab", 0, 0, -1, THit{0, 7}},
    {"from a byte of the first line", "needle needle\r\nneedle", "needle", 0, 1, -1, THit{0, 7}},
    {"from past the first line's last", "needle needle\r\nfirst needle", "needle", 0, 8, -1, THit{1, 6}},
    {"from a later line", "needle one\r\nneedle two\r\nneedle three", "needle", 1, 3, -1, THit{2, 0}},
    {"not past the last line", "first line\r\nsecond line\r\nneedle", "needle", 0, 0, 1, std::nullopt},
    {"in a line of four bytes", "first line\r\nab\r\nthird ab", "ab", 0, 0, -1, THit{1, 0}},
    {"after a line of four bytes", "first line\r\nab\r\nthird cd", "cd", 0, 0, -1, THit{2, 6}},
    {"across a long line's end", "", "LLLLneedle", 0, 0, -1, std::nullopt},
};

TEST(LineSearchTest, TableOfCases) {
  for (const TLineCase& c : kLineCases) {
    SCOPED_TRACE(c.Name);
    TSrcEditStringList list;
    std::string bytes = c.Bytes;
    // A long line read by the load (a NUL over its break), then a line
    // that starts with the rest of the pattern.
    if (bytes.empty()) bytes = "first line\r\n" + std::string(70000, 'L') + "\r\nneedle line\r\nLLLLneedl";
    Loaded(list, bytes);
    const int last = c.Last < 0 ? list.Count() - 1 : c.Last;
    EXPECT_EQ(FirstPlainly(list, c.Pattern, c.First, c.From, last), c.Expected);
    EXPECT_EQ(First(list, c.Pattern, c.First, c.From, last), c.Expected);
    if (c.First == 0 && c.From == 0 && c.Last < 0) {
      EXPECT_EQ(All(list, c.Pattern), AllPlainly(list, c.Pattern));
    }
  }
}

// A line shortened where it lies leaves its old last bytes before the next
// line, inside the run: a match through them is no match, and the ones after
// it are still found.
TEST(LineSearchTest, BytesLeftBetweenLinesByAnEditAreNotMatched) {
  TSrcEditStringList list;
  Loaded(list, "hello world\nnext line\nhello worl\nd world\nlast world");
  list.Put(0, "hello worl");  // "d\n" now lies between the first two lines
  ASSERT_EQ(list.LineRun(0, 4).Last, 4);
  EXPECT_EQ(First(list, "world", 0, 0, 4), (THit{3, 2}));
  EXPECT_EQ(All(list, "world"), (std::vector<THit>{{3, 2}, {4, 5}}));
  EXPECT_EQ(First(list, "ld\nne", 0, 0, 4), std::nullopt);
}

// Loaded texts of random lines in every break style, edited at random: the
// searches find what a search of each line finds.
TEST(LineSearchTest, AgreesWithASearchOfEachLineAfterRandomEdits) {
  std::mt19937 rng(77);
  auto randomLine = [&] {
    std::string s;
    const std::size_t len = rng() % 3 == 0 ? rng() % 5 : rng() % 14;
    for (std::size_t i = 0; i < len; ++i) s += "aab"[rng() % 3];
    return s;
  };
  const char* const breaks[] = {"\r\n", "\n", "\r"};
  for (int round = 0; round < 60; ++round) {
    std::string bytes;
    const int lines = 1 + static_cast<int>(rng() % 60);
    for (int i = 0; i < lines; ++i) bytes += randomLine() + breaks[rng() % (round % 2 ? 3 : 1)];
    TSrcEditStringList list;
    Loaded(list, bytes);
    for (int step = 0; step < 8; ++step) {
      const int n = list.Count();
      const int i = static_cast<int>(rng() % static_cast<unsigned>(n));
      switch (rng() % 6) {
        case 0: list.Put(i, list.Get(i).substr(0, rng() % 12)); break;
        case 1: list.Put(i, randomLine()); break;
        case 2: list.Delete(i); break;
        case 3: list.Insert(i, randomLine()); break;
        case 4: list.Exchange(i, static_cast<int>(rng() % static_cast<unsigned>(n))); break;
        default: list.InsertLines(i, 1 + static_cast<int>(rng() % 2)); break;
      }
      if (list.Count() == 0) list.Add("ab");
      for (const char* pattern : {"a", "ab", "aab", "ba", "abab", "baa"}) {
        ASSERT_EQ(All(list, pattern), AllPlainly(list, pattern)) << "round " << round << " " << pattern;
        const int first = static_cast<int>(rng() % static_cast<unsigned>(list.Count()));
        const int last = first + static_cast<int>(rng() % static_cast<unsigned>(list.Count() - first));
        const std::size_t from = rng() % 6;
        ASSERT_EQ(First(list, pattern, first, from, last), FirstPlainly(list, pattern, first, from, last))
            << "round " << round << " " << pattern << " lines " << first << ".." << last << " from " << from;
      }
    }
  }
}

// Enough lines for the search to share them out among threads: the first
// occurrence wins over later ones found sooner, and every occurrence comes
// in order.
TEST(LineSearchTest, ManyLinesOnSeveralThreads) {
  std::string bytes;
  const int count = 300000;
  for (int i = 0; i < count; ++i) {
    bytes += i % 50000 == 49999 ? "line with a needle" : "an ordinary line";
    bytes += "\r\n";
  }
  TSrcEditStringList list;
  Loaded(list, bytes);
  const int last = list.Count() - 1;
  EXPECT_EQ(First(list, "needle", 0, 0, last), (THit{49999, 12}));
  EXPECT_EQ(First(list, "needle", 49999, 13, last), (THit{99999, 12}));
  EXPECT_EQ(First(list, "needle", 250000, 0, last), (THit{299999, 12}));
  EXPECT_EQ(First(list, "needle", 0, 0, 49998), std::nullopt);
  EXPECT_EQ(First(list, "no such", 0, 0, last), std::nullopt);
  EXPECT_EQ(All(list, "needle"), AllPlainly(list, "needle"));
  const std::vector<THit> lines = All(list, "line");
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(count));
  EXPECT_EQ(lines.back(), (THit{count - 1, 0}));
  // Lines edited here and there: the same.
  list.Put(10, "a needle put in");
  list.Exchange(20, 120000);
  list.Put(150000, "needle");
  EXPECT_EQ(First(list, "needle", 0, 0, last), (THit{10, 2}));
  EXPECT_EQ(All(list, "needle"), AllPlainly(list, "needle"));
}

}  // namespace
