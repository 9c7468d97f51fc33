// Resuming the HTML scanner inside a line: from any resume point the tokens
// and the end state are those of the scan from the line start, and an edit
// at least ResumeMargin() bytes after a resume point leaves it and its state
// as they were.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "SrcHighlighterHtml.h"

namespace {

struct TToken {
  int Start;
  int Length;
  int Kind;
  const TSrcHighlighterAttributes* Attr;
  bool Resumable;
  TSrcScanState State;
  bool operator==(const TToken& o) const {
    return Start == o.Start && Length == o.Length && Kind == o.Kind && Attr == o.Attr;
  }
};

// Every token of the line from `position` (0: the line start in `start`).
std::vector<TToken> Scan(TSrcHTMLHighlighter& h, const std::string& line, TSrcScanState start, int position,
                         TSrcScanState resumeState, TSrcScanState* end) {
  if (position == 0) {
    h.SetScanState(start);
    h.StartLineView(line.c_str(), static_cast<int>(line.size()), 0);
  } else {
    h.ResumeLine(line.c_str(), static_cast<int>(line.size()), 0, position, resumeState);
  }
  std::vector<TToken> tokens;
  while (!h.AtLineEnd()) {
    TToken t{h.TokenStart(), h.TokenLength(), h.TokenKind(), h.TokenAttribute(), false, 0};
    t.Resumable = h.TokenResumeState(t.State);
    tokens.push_back(t);
    h.NextToken();
  }
  *end = h.GetScanState();
  return tokens;
}

// Lines built from the pieces the scanner treats specially, so that every
// range, escape and lookahead occurs often.
std::string RandomHtml(std::mt19937& rng, int pieces) {
  static const char* const kPieces[] = {
      "<",     ">",    "<!--", "-->", "--",   "-",   "!",     "=",     "\"",    "'",        " ", "\t",
      "\r",    "\n",   "&",    "&#",  "&#x",  "12",  "af",    ";",     "&amp;", "&copy",    "a", "div",
      "table", "href", "x=y",  "<p>", "</p>", "<a ", "value", "text ", "&lt;",  "\xC0\xE1", "#", "&#38;",
  };
  std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof kPieces / sizeof kPieces[0]) - 1);
  std::string s;
  for (int i = 0; i < pieces; ++i) s += kPieces[pick(rng)];
  return s;
}

TEST(HtmlResumeTest, RandomResumePointsGiveTheTokensOfAScanFromTheLineStart) {
  TSrcHTMLHighlighter h(nullptr);
  std::mt19937 rng(24);
  int compared = 0;
  for (int round = 0; round < 400; ++round) {
    const std::string line = RandomHtml(rng, 5 + static_cast<int>(rng() % 120));
    const TSrcScanState start = static_cast<TSrcScanState>(rng() % 9);
    TSrcScanState fullEnd = 0;
    const std::vector<TToken> full = Scan(h, line, start, 0, 0, &fullEnd);
    for (std::size_t k = 0; k < full.size(); ++k) {
      if (!full[k].Resumable || full[k].Start == 0 || rng() % 3 != 0) continue;
      TSrcScanState end = 0;
      const std::vector<TToken> resumed = Scan(h, line, 0, full[k].Start, full[k].State, &end);
      ASSERT_EQ(resumed, std::vector<TToken>(full.begin() + static_cast<std::ptrdiff_t>(k), full.end()))
          << "line \"" << line << "\" resumed at " << full[k].Start;
      EXPECT_EQ(end, fullEnd);
      ++compared;
    }
  }
  EXPECT_GT(compared, 1000);
}

TEST(HtmlResumeTest, AnEditBeyondTheMarginKeepsTheResumePointsBeforeIt) {
  TSrcHTMLHighlighter h(nullptr);
  const int margin = h.ResumeMargin();
  std::mt19937 rng(1024);
  int compared = 0;
  for (int round = 0; round < 400; ++round) {
    const std::string line = RandomHtml(rng, 20 + static_cast<int>(rng() % 100));
    TSrcScanState end = 0;
    const std::vector<TToken> before = Scan(h, line, 4, 0, 0, &end);
    const std::size_t at = rng() % (line.size() + 1);
    std::string edited = line;
    edited.replace(at, rng() % 4, RandomHtml(rng, 1 + static_cast<int>(rng() % 3)));
    const std::vector<TToken> after = Scan(h, edited, 4, 0, 0, &end);
    for (std::size_t k = 0; k < before.size(); ++k) {
      const TToken& t = before[k];
      if (k > 0 && before[k - 1].Start == t.Start) continue;
      if (!t.Resumable || static_cast<std::size_t>(t.Start + margin) > at) continue;
      // The first token that starts there (an empty one may come first).
      bool found = false;
      for (const TToken& u : after) {
        if (u.Start != t.Start) continue;
        found = true;
        EXPECT_TRUE(u.Resumable);
        EXPECT_EQ(u.State, t.State) << "line \"" << line << "\" edited at " << at;
        break;
      }
      EXPECT_TRUE(found) << "line \"" << line << "\" edited at " << at << " lost the point " << t.Start;
      ++compared;
    }
  }
  EXPECT_GT(compared, 1000);
}

}  // namespace
