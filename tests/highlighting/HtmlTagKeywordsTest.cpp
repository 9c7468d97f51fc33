// The tag-name hash and the keyword table.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "SrcHtmlEntities.h"
#include "SrcHtmlTagKeywords.h"

namespace {

int Classify(const std::string& name, int* length = nullptr) {
  int len = -1;
  const int kind = HtmlClassifyTagName(reinterpret_cast<const unsigned char*>(name.c_str()), len);
  if (length != nullptr) *length = len;
  return kind;
}

std::uint64_t Hash(const std::string& name) {
  int len = 0;
  return HtmlTagHash(reinterpret_cast<const unsigned char*>(name.c_str()), len);
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string Mixed(std::string s) {
  for (std::size_t i = 0; i < s.size(); i += 2)
    s[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(s[i])));
  return s;
}

std::set<std::string> KeywordSet() {
  std::set<std::string> set;
  for (std::string_view k : HtmlTagKeywords) set.insert(std::string(k));
  return set;
}

TEST(HtmlTagKeywords, CharacterValues) {
  EXPECT_EQ(HtmlCharValue['!'], 123);
  EXPECT_EQ(HtmlCharValue['/'], 122);
  EXPECT_EQ(HtmlCharValue['A'], 1);
  EXPECT_EQ(HtmlCharValue['a'], 1);
  EXPECT_EQ(HtmlCharValue['Z'], 26);
  EXPECT_EQ(HtmlCharValue['z'], 26);
  int nonZero = 0;
  for (int c = 0; c < 256; ++c) nonZero += HtmlCharValue[static_cast<std::size_t>(c)] != 0;
  EXPECT_EQ(nonZero, 54);  // 52 letters, "!" and "/"
  EXPECT_EQ(HtmlCharValue['0'], 0);
  EXPECT_EQ(HtmlCharValue[0xC0], 0);
}

TEST(HtmlTagKeywords, HashesOfNamedKeywords) {
  EXPECT_EQ(Hash("A"), 1u);
  EXPECT_EQ(Hash("H1"), 9u);
  EXPECT_EQ(Hash("BODY"), 46u);
  EXPECT_EQ(Hash("/A"), 123u);
  EXPECT_EQ(Hash("!DOCTYPE"), 211u);
  EXPECT_EQ(Hash("/OPTGROUP"), 250u);
  EXPECT_EQ(Hash("!DOCTYPEX"), 235u);
  EXPECT_EQ(Hash("h12"), 11u);
  std::uint64_t largest = 0;
  for (std::string_view k : HtmlTagKeywords) largest = std::max(largest, Hash(std::string(k)));
  EXPECT_EQ(largest, 250u);
}

TEST(HtmlTagKeywords, TableShape) {
  EXPECT_EQ(KeywordSet().size(), 202u);
  int used = 0;
  int bySize[5] = {0, 0, 0, 0, 0};
  int total = 0;
  for (int i = 0; i < HtmlTagSlotCount; ++i) {
    const THtmlTagSlot& slot = HtmlTagSlot(i);
    ASSERT_LE(slot.Count, 4);
    if (slot.Count > 0) ++used;
    ++bySize[slot.Count];
    total += slot.Count;
    for (int k = 0; k < slot.Count; ++k)
      EXPECT_EQ(Hash(std::string(HtmlTagKeywords[slot.Keyword[k]])), static_cast<std::uint64_t>(i));
  }
  EXPECT_EQ(total, 202);
  EXPECT_EQ(used, 137);
  EXPECT_EQ(bySize[0], 114);
  EXPECT_EQ(bySize[1], 89);
  EXPECT_EQ(bySize[2], 33);
  EXPECT_EQ(bySize[3], 13);
  EXPECT_EQ(bySize[4], 2);
}

TEST(HtmlTagKeywords, EveryKeywordInAnyCaseIsReserved) {
  for (std::string_view kv : HtmlTagKeywords) {
    const std::string k(kv);
    for (const std::string& form : {k, Lower(k), Mixed(k)}) {
      int len = -1;
      EXPECT_EQ(Classify(form + ">", &len), HtmlTagReservedWord) << form;
      EXPECT_EQ(len, static_cast<int>(k.size())) << form;
    }
  }
}

TEST(HtmlTagKeywords, NearMissesAreNotReserved) {
  const std::set<std::string> keywords = KeywordSet();
  for (std::string_view kv : HtmlTagKeywords) {
    const std::string k(kv);
    // Same slot and length, other letters: adjacent letters swapped.
    for (std::size_t i = 0; i + 1 < k.size(); ++i) {
      std::string swapped = k;
      std::swap(swapped[i], swapped[i + 1]);
      if (swapped == k || keywords.count(swapped) != 0) continue;
      if (!std::isdigit(static_cast<unsigned char>(swapped[i])) &&
          !std::isdigit(static_cast<unsigned char>(swapped[i + 1]))) {
        EXPECT_NE(Classify(swapped), HtmlTagReservedWord) << swapped;
      }
    }
    // One letter more or less (a letter after digits is not part of a name).
    const std::string longer = k + "A";
    if (keywords.count(longer) == 0 && !std::isdigit(static_cast<unsigned char>(k.back()))) {
      EXPECT_NE(Classify(longer), HtmlTagReservedWord) << longer;
    }
    const std::string shorter = k.substr(0, k.size() - 1);
    if (!shorter.empty() && keywords.count(shorter) == 0) {
      EXPECT_NE(Classify(shorter), HtmlTagReservedWord) << shorter;
    }
  }
}

TEST(HtmlTagKeywords, Classification) {
  struct TCase {
    const char* Text;
    int Kind;
    int Length;
  };
  const TCase cases[] = {
      {"body", HtmlTagReservedWord, 4},       {"BODY", HtmlTagReservedWord, 4},
      {"Body", HtmlTagReservedWord, 4},       {"/body", HtmlTagReservedWord, 5},
      {"/br", HtmlTagUnknownWord, 3},         {"/img", HtmlTagUnknownWord, 4},
      {"!doctype", HtmlTagReservedWord, 8},   {"!DOCTYPEX", HtmlTagUnknownWord, 9},
      {"?", HtmlTagUnknownWord, 0},           {"", HtmlTagUnknownWord, 0},
      {"xxxxxxxxxxx", HtmlTagIdentifier, 11}, {"H1", HtmlTagReservedWord, 2},
      {"h6", HtmlTagReservedWord, 2},         {"h7", HtmlTagUnknownWord, 2},
      {"h12", HtmlTagUnknownWord, 3},         {"1", HtmlTagUnknownWord, 1},
      {"h1x", HtmlTagReservedWord, 2},        {"a1b", HtmlTagUnknownWord, 2},
      {"br/", HtmlTagUnknownWord, 3},         {"table border", HtmlTagReservedWord, 5},
      {"p\xC0", HtmlTagReservedWord, 1},      {"!--", HtmlTagUnknownWord, 1},
  };
  for (const TCase& c : cases) {
    int len = -1;
    EXPECT_EQ(Classify(c.Text, &len), c.Kind) << c.Text;
    EXPECT_EQ(len, c.Length) << c.Text;
  }
}

TEST(HtmlTagKeywords, DigitsMatchAnyDigitOfTheSameSum) {
  // A digit in the name compares equal to any digit: "H1" and "H1" only
  // share a slot when the digits add up the same.
  EXPECT_EQ(Classify("H1"), HtmlTagReservedWord);
  EXPECT_EQ(Classify("G2"), HtmlTagUnknownWord);  // sum 9 like H1, letter differs
}

TEST(HtmlEntities, TableAndLookup) {
  ASSERT_EQ(HtmlEntities.size(), 249u);
  EXPECT_EQ(HtmlEntities[0], "&Alpha;");
  EXPECT_EQ(HtmlEntities[248], "&circ;");
  std::set<std::string_view> distinct(HtmlEntities.begin(), HtmlEntities.end());
  EXPECT_EQ(distinct.size(), 249u);
  for (int i = 0; i < HtmlEntityCount; ++i) {
    const std::string text(HtmlEntities[static_cast<std::size_t>(i)]);
    ASSERT_GE(text.size(), 4u);
    EXPECT_EQ(text.front(), '&');
    EXPECT_EQ(text.back(), ';');
    EXPECT_EQ(HtmlFindEntity(reinterpret_cast<const unsigned char*>(text.c_str())), i) << text;
    const std::string followed = text + "tail";
    EXPECT_EQ(HtmlFindEntity(reinterpret_cast<const unsigned char*>(followed.c_str())), i) << text;
    // Without its semicolon, or with one character less, it is no entity.
    const std::string cut = text.substr(0, text.size() - 1);
    EXPECT_EQ(HtmlFindEntity(reinterpret_cast<const unsigned char*>(cut.c_str())), -1) << cut;
    const std::string shorter = text.substr(0, text.size() - 2) + ";";
    if (distinct.count(shorter) == 0) {
      EXPECT_EQ(HtmlFindEntity(reinterpret_cast<const unsigned char*>(shorter.c_str())), -1) << shorter;
    }
  }
  for (const char* miss : {"&Copy;", "&COPY;", "&copyx;", "&;", "&a;", "&thetasymx;", "&", "&#169;", "&co py;"})
    EXPECT_EQ(HtmlFindEntity(reinterpret_cast<const unsigned char*>(miss)), -1) << miss;
}

}  // namespace
