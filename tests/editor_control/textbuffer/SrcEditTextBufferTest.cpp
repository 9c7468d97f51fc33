#include <gtest/gtest.h>

#include <sys/stat.h>

#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "SrcEditTextBuffer.h"
#include "TempDir.h"
#include "platform/CodePage.h"

namespace {

using V = std::vector<std::string>;

V Lines(const TSrcEditStringList& list) {
  V r;
  for (int i = 0; i < list.Count(); ++i) r.push_back(list.Get(i));
  return r;
}

std::string Saved(TSrcEditStringList& list) {
  TStringStream s;
  list.SaveToStream(&s);
  return s.DataString();
}

void LoadBytes(TSrcEditStringList& list, const std::string& bytes) {
  TStringStream s(bytes);
  list.LoadFromStream(&s);
}

// The runs of lines from `first` to `last` (LineRun one after another):
// they follow one another without a gap, and each line with text lies in
// its run's text where its view is, after the one before it with at least
// one byte between and at most two per line break; the text begins with the first such line
// and ends with the last. The number of runs.
int CheckRuns(const TSrcEditStringList& list, int first, int last) {
  int runs = 0;
  for (int i = first; i <= last;) {
    const TSrcEditStringList::TLineRun run = list.LineRun(i, last);
    EXPECT_EQ(run.First, i);
    if (run.Last < i || run.Last > last) {
      ADD_FAILURE() << "run from " << i << " ends at " << run.Last;
      return runs;
    }
    ++runs;
    const char* text = run.Text.data();
    const char* end = nullptr;  // the end of the last line with text so far
    int breaks = 0;
    for (int j = i; j <= run.Last; ++j, ++breaks) {
      const std::string_view v = list.LineView(j);
      if (v.empty()) continue;
      const std::size_t at = static_cast<std::size_t>(v.data() - text);
      if (!end) {
        EXPECT_EQ(v.data(), text) << "line " << j;
      } else {
        EXPECT_TRUE(v.data() > end && v.data() <= end + 2 * breaks) << "line " << j;
      }
      EXPECT_LE(at + v.size(), run.Text.size()) << "line " << j;
      end = v.data() + v.size();
      breaks = 0;
    }
    EXPECT_EQ(end ? static_cast<std::size_t>(end - text) : 0u, run.Text.size()) << "run from " << i;
    i = run.Last + 1;
  }
  return runs;
}

// Records every hook with the count the list had at that moment.
struct THookLog {
  V events;
  explicit THookLog(TSrcEditStringList& list) {
    list.OnUpdateBegun = [this, &list](TObject* s) { Add(s, &list, "begun", list); };
    list.OnUpdateEnded = [this, &list](TObject* s) { Add(s, &list, "ended", list); };
    list.OnListCleared = [this, &list](TObject* s) { Add(s, &list, "cleared", list); };
    list.OnLinesDeleted = [this, &list](TObject* s, int i, int n) {
      Add(s, &list, Format("deleted %d %d", i, n), list);
    };
    list.OnLinesInserted = [this, &list](TObject* s, int i, int n) {
      Add(s, &list, Format("inserted %d %d", i, n), list);
    };
    list.OnLinesReplaced = [this, &list](TObject* s, int i, int n) {
      Add(s, &list, Format("replaced %d %d", i, n), list);
    };
  }
  void Add(TObject* sender, TObject* list, const std::string& what, const TSrcEditStringList& l) {
    EXPECT_EQ(sender, list);
    events.push_back(what + Format(" /%d", l.Count()));
  }
  V Take() {
    V r;
    r.swap(events);
    return r;
  }
};

TEST(SrcEditTextBuffer, LoadingRecognisesEveryBreakStyle) {
  struct {
    std::string bytes;
    V lines;
    TSrcEditFileFormat format;
    bool exact;  // saved back byte for byte (not for mixed breaks)
  } cases[] = {
      {"a\r\nb", {"a", "b"}, lbCrLf, true},
      {"a\r\nb\r\n", {"a", "b", ""}, lbCrLf, true},
      {"a\nb\rc", {"a", "b", "c"}, lbCrLf, false},
      {"a\rb", {"a", "b"}, lbCr, true},
      {"a\nb", {"a", "b"}, lbLf, true},
      {"a\n\rb", {"a", "", "b"}, lbCrLf, false},
      {"a\n\nb\n", {"a", "", "b", ""}, lbLf, true},
      {"\r\r", {"", "", ""}, lbCr, true},
      {"", {}, lbCrLf, true},
      {"\r\n", {"", ""}, lbCrLf, true},
      {"no break", {"no break"}, lbCrLf, true},
      {std::string("n\0l\r\n\0", 6), {std::string("n\0l", 3), std::string("\0", 1)}, lbCrLf, true},
  };
  for (const auto& c : cases) {
    TSrcEditStringList list;
    list.SetFileFormat(lbCr);
    LoadBytes(list, c.bytes);
    EXPECT_EQ(Lines(list), c.lines) << c.bytes;
    EXPECT_EQ(list.FileFormat(), c.format) << c.bytes;
    if (c.exact) {
      EXPECT_EQ(Saved(list), c.bytes) << c.bytes;
    }
  }
  TSrcEditStringList mixed;
  LoadBytes(mixed, "a\nb\rc");
  EXPECT_EQ(Saved(mixed), "a\r\nb\r\nc");
}

// Texts of about a megabyte, short and long lines, in every break style and
// mixture: the lines come back, and the break search looks at each byte
// a few times at most (a search that runs on to the end of the text for one kind of
// break before looking for the other looks at it once per line).
TEST(SrcEditTextBuffer, EveryBreakStyleLoadsInOnePass) {
  const struct {
    std::vector<const char*> breaks;  // used in turn
    TSrcEditFileFormat format;
  } cases[] = {
      {{"\r\n"}, lbCrLf},
      {{"\n"}, lbLf},
      {{"\r"}, lbCr},
      {{"\r\n", "\n"}, lbCrLf},
      {{"\r", "\n"}, lbCrLf},
      {{"\r\n", "\r"}, lbCrLf},
      {{"\r", "\r", "\r\n", "\n"}, lbCrLf},
  };
  std::mt19937 rng(7);
  for (const auto& c : cases) {
    for (bool longLines : {false, true}) {
      V lines;
      std::string bytes;
      while (bytes.size() < (1u << 20)) {
        // No empty lines: a CR, an empty line and an LF are one CR LF.
        std::size_t len = 1 + rng() % 200;
        if (longLines && rng() % 8 == 0) len = 4000 + rng() % 80000;
        lines.push_back(std::string(len, "<p>\t x"[rng() % 6]));
        bytes += lines.back();
        bytes += c.breaks[(lines.size() - 1) % c.breaks.size()];
      }
      lines.push_back("");
      TSrcEditStringList list;
      const std::uint64_t before = LoadScannedBytes();
      LoadBytes(list, bytes);
      const std::uint64_t examined = LoadScannedBytes() - before;
      const std::string what = Format("%s%s", c.breaks.size() == 1 ? c.breaks[0] : "mixed", longLines ? " long" : "");
      EXPECT_TRUE(Lines(list) == lines) << what;
      EXPECT_EQ(list.FileFormat(), c.format) << what;
      EXPECT_LE(examined, 3 * bytes.size() + 32 * lines.size()) << what;
      if (c.breaks.size() == 1) {
        EXPECT_TRUE(Saved(list) == bytes) << what;
      }
    }
  }
}

// Characters as the editor's positions count them: each break two. The
// list counts its text the same way once loaded.
TEST(SrcEditTextBuffer, TextCharsCountEachBreakAsTwo) {
  const struct {
    std::string bytes;
    std::int64_t chars;
  } cases[] = {
      {"", 0},
      {"a", 1},
      {"a\r\nb", 4},
      {"a\rb", 4},
      {"a\nb", 4},
      {"a\n\rb", 6},
      {"\r\n", 2},
      {"\r", 2},
      {"\n\n", 4},
      {"x\r", 3},
      {"\r\r\n", 4},
      {"\n\r\n", 4},
      {std::string("\0\r", 2), 3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextChars(c.bytes), c.chars) << c.bytes;
    TSrcEditStringList list;
    LoadBytes(list, c.bytes);
    EXPECT_EQ(list.TextChars(), c.chars) << c.bytes;
  }
  EXPECT_TRUE(TextCharsFit(0, MaxTextChars));
  EXPECT_TRUE(TextCharsFit(MaxTextChars, 0));
  EXPECT_TRUE(TextCharsFit(MaxTextChars - 4, 4));
  EXPECT_FALSE(TextCharsFit(MaxTextChars - 3, 4));
  EXPECT_FALSE(TextCharsFit(1, MaxTextChars));
  EXPECT_FALSE(TextCharsFit(0, std::int64_t(3) << 31));
}

// A file past the positions the editor can hold is refused before it is
// read, naming it, and the document stays (a sparse file: nothing is
// written to the disk).
TEST(SrcEditTextBuffer, AFileTooLargeForThePositionsIsRefusedUnread) {
  TTempDir tmp;
  const std::string path = tmp.Path() + "/huge.html";
  for (std::int64_t size : {MaxTextChars + 1, std::int64_t(22) << 27}) {
    {
      TFileStream f(path, fmCreate);
      f.SetSize(size);
      for (std::int64_t at = 1 << 30; at < size; at += 1 << 30) {
        f.SetPosition(at);
        f.WriteBuffer("\n", 1);  // lines within the longest a line may be
      }
    }
    TSrcEditStringList list;
    list.Add("keep");
    try {
      list.LoadFromFile(path);
      ADD_FAILURE() << "loaded " << size;
    } catch (const ESrcEditTextTooLarge& e) {
      EXPECT_EQ(e.Message(), FileTooLargeMessage(path));
    }
    EXPECT_EQ(Lines(list), V{"keep"});
  }
  EXPECT_NE(FileTooLargeMessage(path).find("\"" + path + "\""), std::string::npos);
}

TEST(SrcEditTextBuffer, ExactRoundTripsForEveryStyleThroughStreamAndFile) {
  TTempDir tmp;
  const V lines = {
      Ansi("<html> Привет"), "", std::string("nul\0byte", 8), "\ttabbed\t", std::string(20000, 'w'), "", "end"};
  const struct {
    TSrcEditFileFormat format;
    const char* brk;
  } styles[] = {{lbCrLf, "\r\n"}, {lbLf, "\n"}, {lbCr, "\r"}};
  for (const auto& st : styles) {
    for (bool finalBreak : {false, true}) {
      std::string bytes;
      for (std::size_t i = 0; i < lines.size(); ++i) {
        bytes += lines[i];
        if (i + 1 < lines.size() || finalBreak) bytes += st.brk;
      }
      TSrcEditStringList list;
      LoadBytes(list, bytes);
      EXPECT_EQ(list.FileFormat(), st.format);
      EXPECT_EQ(list.Count(), static_cast<int>(lines.size()) + (finalBreak ? 1 : 0));
      EXPECT_EQ(Saved(list), bytes);
      const std::string os = tmp.Path("doc.htm");
      list.SaveToFile(AnsiFileName(os));
      EXPECT_EQ(ReadFileBytes(os), bytes);
      TSrcEditStringList back;
      back.LoadFromFile(AnsiFileName(os));
      EXPECT_EQ(Lines(back), Lines(list));
      EXPECT_EQ(back.FileFormat(), st.format);
    }
  }
  // An empty list writes an empty file.
  TSrcEditStringList empty;
  empty.SaveToFile(AnsiFileName(tmp.Path("empty.txt")));
  EXPECT_EQ(ReadFileBytes(tmp.Path("empty.txt")), "");
  EXPECT_EQ(Saved(empty), "");
}

TEST(SrcEditTextBuffer, NulBytesSurviveEveryPath) {
  const std::string nul("a\0b\tc", 5);
  TSrcEditStringList list;
  list.Add(nul);
  list.Insert(0, nul);
  list.Put(1, nul + nul);
  EXPECT_EQ(list.Get(0), nul);
  EXPECT_EQ(list.Get(1), nul + nul);
  EXPECT_EQ(list.LineLength(1), 10);
  EXPECT_EQ(list.LineView(0), nul);
  EXPECT_EQ(list.GetTextStr(), nul + "\r\n" + nul + nul);
  EXPECT_EQ(list.GetExpandedLine(0), std::string("a\0b\t\t\t\t\tc", 9));
  EXPECT_EQ(list.GetExpandedLen(1), 17);
  TStringList copy;
  copy.Add(nul);
  list.AddStrings(&copy);
  EXPECT_EQ(list.Get(2), nul);
  TSrcEditStringList back;
  LoadBytes(back, Saved(list));
  EXPECT_EQ(Lines(back), Lines(list));
}

TEST(SrcEditTextBuffer, HooksInsideTheUpdateBracket) {
  TSrcEditStringList list;
  THookLog log(list);
  list.Add("a");
  EXPECT_EQ(log.Take(), (V{"begun /0", "inserted 0 1 /1", "ended /1"}));
  list.Put(1, "b");  // at the count: appends
  EXPECT_EQ(log.Take(), (V{"begun /1", "inserted 1 1 /2", "ended /2"}));
  list.Put(0, "A");
  EXPECT_EQ(log.Take(), (V{"begun /2", "replaced 0 1 /2", "ended /2"}));
  list.BeginUpdate();
  list.Insert(0, "x");
  list.Delete(2);
  list.Exchange(0, 1);
  list.SetLineScanState(0, 3);
  list.InsertLines(1, 2);
  list.DeleteLines(2, 10);
  EXPECT_EQ(log.Take(), (V{"begun /2", "inserted 0 1 /3", "deleted 2 1 /2", "inserted 1 2 /4", "deleted 2 2 /2"}));
  list.EndUpdate();
  EXPECT_EQ(log.Take(), (V{"ended /2"}));
  list.Exchange(0, 1);
  EXPECT_EQ(log.Take(), (V{"begun /2", "ended /2"}));
  TStringList more;
  more.SetText("p\nq\nr");
  list.AddStrings(&more);
  EXPECT_EQ(log.Take(), (V{"begun /2", "inserted 2 3 /5", "ended /5"}));
  list.DeleteLines(0, 0);
  list.InsertLines(0, 0);
  EXPECT_EQ(log.Take(), V{});
  list.Clear();
  EXPECT_EQ(log.Take(), (V{"begun /5", "cleared /0", "ended /0"}));
  list.Clear();  // nothing to clear
  EXPECT_EQ(log.Take(), V{});
}

TEST(SrcEditTextBuffer, LoadReportsEachLineAndClearsFirst) {
  TSrcEditStringList list;
  list.Add("old");
  THookLog log(list);
  TSrcEditFileFormat formatAtEnd = lbLf;
  list.SetFileFormat(lbLf);
  list.OnUpdateEnded = [&](TObject*) { formatAtEnd = list.FileFormat(); };
  LoadBytes(list, "a\r\nb\r\n");
  EXPECT_EQ(log.Take(), (V{"begun /1", "cleared /0", "inserted 0 1 /1", "inserted 1 1 /2", "inserted 2 1 /3"}));
  EXPECT_EQ(formatAtEnd, lbLf);  // the style is set after the bracket
  EXPECT_EQ(list.FileFormat(), lbCrLf);
  EXPECT_EQ(list.GetLineScanState(0), -1);
  EXPECT_EQ(list.GetLineFlags(0), lfWidthUnknown);

  // Loading reads the whole stream from its start.
  TStringStream s("x\ny");
  s.SetPosition(2);
  list.LoadFromStream(&s);
  EXPECT_EQ(Lines(list), (V{"x", "y"}));
}

// A stream that fails after `good` bytes.
class TBrokenStream : public TStringStream {
 public:
  TBrokenStream(std::string data, std::int64_t good) : TStringStream(std::move(data)), FGood(good) {}
  std::int64_t Read(void* buffer, std::int64_t count) override {
    return TStringStream::Read(buffer, std::min(count, FGood));
  }
  std::int64_t Write(const void* buffer, std::int64_t count) override {
    std::int64_t n = std::min(count, FGood - Position());
    return n <= 0 ? -1 : TStringStream::Write(buffer, n);
  }

 private:
  std::int64_t FGood;
};

TEST(SrcEditTextBuffer, ReadFailureKeepsTheOldLines) {
  TSrcEditStringList list;
  list.Add("keep");
  int begun = 0, ended = 0;
  list.OnUpdateBegun = [&](TObject*) { ++begun; };
  list.OnUpdateEnded = [&](TObject*) { ++ended; };
  TBrokenStream broken("a\r\nb\r\nc", 3);
  EXPECT_THROW(list.LoadFromStream(&broken), EReadError);
  EXPECT_EQ(Lines(list), V{"keep"});
  EXPECT_EQ(begun, 1);
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(list.UpdateCount(), 0);
  TSrcEditStringList other;
  EXPECT_THROW(other.LoadFromFile("/nonexistent/file.htm"), EFOpenError);
}

// A stream of `size` bytes that fills only its first bytes: the rest of the
// buffer is never touched, so a line of gigabytes costs no memory.
class TSparseStream : public TStream {
 public:
  TSparseStream(std::string head, std::int64_t size) : FHead(std::move(head)), FSize(size) {}
  std::int64_t Read(void* buffer, std::int64_t count) override {
    std::int64_t n = std::min<std::int64_t>(count, FSize - FPos);
    if (FPos == 0) std::memcpy(buffer, FHead.data(), FHead.size());
    FPos += n;
    return n;
  }
  std::int64_t Write(const void*, std::int64_t) override { return 0; }
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override {
    FPos = origin == soBeginning ? offset : origin == soCurrent ? FPos + offset : FSize + offset;
    return FPos;
  }

 private:
  std::string FHead;
  std::int64_t FSize;
  std::int64_t FPos = 0;
};

TEST(SrcEditTextBuffer, ALoadFailingPartWayKeepsTheOldDocument) {
  // Two lines, then one of the rest: over 2^31-1 bytes the stream is
  // refused unread; at 2^31-1 bytes the split fails after lines were
  // found, the two LF breaks making the text two characters too long.
  for (std::int64_t size : {(std::int64_t(1) << 31) + 64, MaxTextChars}) {
    TSrcEditStringList list;
    list.Add("keep");
    list.SetFileFormat(lbLf);
    THookLog log(list);
    TSparseStream tooLong("a\nb\n", size);
    EXPECT_THROW(list.LoadFromStream(&tooLong), ESrcEditTextTooLarge) << size;
    EXPECT_EQ(Lines(list), V{"keep"});
    EXPECT_EQ(list.FileFormat(), lbLf);
    EXPECT_EQ(log.Take(), (V{"begun /1", "ended /1"}));
  }
}

TEST(SrcEditTextBuffer, IndexErrorsAndOutOfRangeReads) {
  TSrcEditStringList list;
  EXPECT_EQ(list.Get(-1), "");
  EXPECT_EQ(list.Get(0), "");
  EXPECT_EQ(list.GetObject(3), nullptr);
  EXPECT_EQ(list.GetLineScanState(0), 0);
  EXPECT_EQ(list.GetExpandedLine(0), "");
  EXPECT_EQ(list.GetExpandedLen(0), 0);
  EXPECT_EQ(list.GetLongestLineLen(), 0);
  list.Put(0, "first");  // index 0 of an empty list appends
  EXPECT_EQ(Lines(list), V{"first"});
  auto expectIndexError = [](auto f, int index) {
    try {
      f();
      FAIL() << index;
    } catch (const ESrcEditStringList& e) {
      EXPECT_EQ(e.Message(), Format("Invalid stringlist index %d", index));
    }
  };
  expectIndexError([&] { list.Delete(1); }, 1);
  expectIndexError([&] { list.Put(2, "x"); }, 2);
  expectIndexError([&] { list.Put(-1, "x"); }, -1);
  expectIndexError([&] { list.PutObject(1, nullptr); }, 1);
  expectIndexError([&] { list.Insert(2, "x"); }, 2);
  expectIndexError([&] { list.Exchange(0, 1); }, 1);
  expectIndexError([&] { list.DeleteLines(1, 1); }, 1);
  expectIndexError([&] { list.InsertLines(2, 1); }, 2);
  expectIndexError([&] { list.InsertLines(-1, 0); }, -1);
  expectIndexError([&] { list.SetLineScanState(5, 0); }, 5);
  list.DeleteLines(7, 0);  // nothing to delete: no check
  try {
    list.SetCapacity(0);
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "Stringlist capacity cannot be smaller than count");
  }
  EXPECT_EQ(Lines(list), V{"first"});
}

TEST(SrcEditTextBuffer, CapacityGrowth) {
  TSrcEditStringList list;
  std::vector<int> seen = {list.Capacity()};
  for (int i = 0; i < 126; ++i) {
    list.Add("x");
    if (list.Capacity() != seen.back()) seen.push_back(list.Capacity());
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 16, 32, 48, 64, 80, 100, 125, 156}));
  list.InsertLines(3, 4);
  EXPECT_EQ(list.Capacity(), 130);  // exactly count + n
  TStringList more;
  for (int i = 0; i < 5; ++i) more.Add("m");
  list.AddStrings(&more);
  EXPECT_EQ(list.Capacity(), 144);  // (count + n + 15) rounded down to 16
  list.SetCapacity(200);
  EXPECT_EQ(list.Capacity(), 200);
  list.Clear();
  EXPECT_EQ(list.Capacity(), 0);
  // A load ends with the capacity a run of appends would have.
  std::string bytes;
  for (int i = 0; i < 100; ++i) bytes += "line\r\n";
  LoadBytes(list, bytes);
  EXPECT_EQ(list.Count(), 101);
  EXPECT_EQ(list.Capacity(), 125);
}

// A list whose lines were all deleted keeps its arrays and its capacity;
// a load into it starts from that capacity, and the objects, wide scan
// states and tab widths of the loaded lines have room for all of them.
TEST(SrcEditTextBuffer, LoadIntoAListEmptiedByDeletion) {
  const struct {
    int lines;      // added before, with the line data
    int capacity;   // set before: records the list holds
    int loaded;     // lines of the loaded text
    int after;      // capacity after the load
    bool oneByOne;  // Delete each line, else DeleteLines
  } cases[] = {
      {20, 50, 10, 50, true},
      {20, 50, 101, 102, false},
      {3, 17, 300, 306, true},
      {40, 40, 40, 40, false},
  };
  for (const auto& c : cases) {
    const std::string what = Format("%d lines, capacity %d, load %d", c.lines, c.capacity, c.loaded);
    TSrcEditStringList list;
    TObject object;
    for (int i = 0; i < c.lines; ++i) list.Add("a\tb");
    list.SetCapacity(c.capacity);
    for (int i = 0; i < c.lines; ++i) {
      list.PutObject(i, &object);
      list.SetLineScanState(i, 1000 + i);
      EXPECT_EQ(list.GetExpandedLen(i), 9);
    }
    if (c.oneByOne) {
      while (list.Count()) list.Delete(list.Count() - 1);
    } else {
      list.DeleteLines(0, c.lines);
    }
    ASSERT_EQ(list.Capacity(), c.capacity) << what;
    std::string bytes;
    for (int i = 1; i < c.loaded; ++i) bytes += "\tx\n";
    LoadBytes(list, bytes);
    ASSERT_EQ(list.Count(), c.loaded) << what;
    EXPECT_EQ(list.Capacity(), c.after) << what;
    for (int i = 0; i < c.loaded; ++i) {
      EXPECT_EQ(list.GetObject(i), nullptr) << what;
      EXPECT_EQ(list.GetLineScanState(i), -1) << what;
      list.PutObject(i, &object);
      list.StoreLineScanState(i, -5 - i);
      EXPECT_EQ(list.GetExpandedLen(i), i + 1 < c.loaded ? 9 : 0) << what;
    }
    EXPECT_EQ(list.GetLineScanState(c.loaded - 1), -4 - c.loaded) << what;
    list.DeleteLines(0, c.loaded / 2);
    list.Add("more");
    EXPECT_EQ(list.GetObject(list.Count() - 1), nullptr) << what;
    EXPECT_EQ(list.Get(list.Count() - 1), "more") << what;
  }
}

TEST(SrcEditTextBuffer, RecordsOfNewLines) {
  TSrcEditStringList list;
  list.Add("abc");
  list.SetLineScanState(0, 5);
  TObject obj;
  list.PutObject(0, &obj);
  EXPECT_EQ(list.GetObject(0), &obj);
  EXPECT_EQ(list.GetLineScanState(0), 5);
  EXPECT_EQ(list.GetLineFlags(0), lfWidthUnknown);
  EXPECT_EQ(list.GetExpandedLen(0), 3);
  EXPECT_EQ(list.GetLineFlags(0), lfHasNoTabs);
  list.Put(0, "a\tb");  // the scan state stays, the width is unknown again
  EXPECT_EQ(list.GetLineScanState(0), 5);
  EXPECT_EQ(list.GetLineFlags(0), lfWidthUnknown);
  EXPECT_EQ(list.GetObject(0), &obj);
  list.InsertLines(0, 2);  // zero-filled records
  EXPECT_EQ(list.Get(0), "");
  EXPECT_EQ(list.GetLineScanState(0), 0);
  EXPECT_EQ(list.GetLineFlags(0), 0);
  EXPECT_EQ(list.GetExpandedLen(0), 0);
  EXPECT_EQ(list.GetObject(0), nullptr);
  EXPECT_EQ(list.GetObject(2), &obj);
  list.Insert(0, "new");
  EXPECT_EQ(list.GetLineScanState(0), -1);
  EXPECT_EQ(list.GetObject(3), &obj);
  list.Delete(0);
  list.Exchange(0, 2);
  EXPECT_EQ(list.GetObject(0), &obj);
  EXPECT_EQ(list.Get(0), "a\tb");
  EXPECT_EQ(list.GetLineScanState(0), 5);
}

TEST(SrcEditTextBuffer, TabExpansionCacheAndWidestLine) {
  TSrcEditStringList list;
  list.Add("ab");
  list.Add("\tx");        // 9 at width 8
  list.Add("abcdefghi");  // 9 too: the earlier line wins
  list.Add("");
  EXPECT_EQ(list.GetLongestLineLen(), 9);
  EXPECT_EQ(list.LongestLineIndex(), 1);
  EXPECT_EQ(list.GetLineFlags(1), lfHasTabs);
  EXPECT_EQ(list.GetLineFlags(3), lfHasNoTabs);
  EXPECT_EQ(list.GetExpandedLine(1), "\t\t\t\t\t\t\t\tx");
  list.SetTabWidth(2);
  EXPECT_EQ(list.LongestLineIndex(), -1);
  EXPECT_EQ(list.GetLineFlags(1), lfHasTabs | lfWidthUnknown);
  EXPECT_EQ(list.GetLineFlags(0), lfWidthUnknown);
  EXPECT_EQ(list.GetLongestLineLen(), 9);
  EXPECT_EQ(list.LongestLineIndex(), 2);
  EXPECT_EQ(list.GetExpandedLen(1), 3);
  EXPECT_EQ(list.GetExpandedLine(1), "\t\tx");
  list.SetTabWidth(1);
  EXPECT_EQ(list.GetExpandedLine(1), " x");
  list.SetTabWidth(8);
  // The widest line follows an exchange and survives edits elsewhere.
  EXPECT_EQ(list.GetLongestLineLen(), 9);
  list.Exchange(1, 0);
  EXPECT_EQ(list.LongestLineIndex(), 0);
  list.InsertLines(0, 2);
  EXPECT_EQ(list.LongestLineIndex(), 2);
  EXPECT_EQ(list.GetLongestLineLen(), 9);
  list.DeleteLines(0, 1);
  EXPECT_EQ(list.LongestLineIndex(), 1);
  list.DeleteLines(1, 1);  // the widest line itself
  EXPECT_EQ(list.LongestLineIndex(), -1);
  EXPECT_EQ(list.GetLongestLineLen(), 9);
  EXPECT_EQ(list.Get(list.LongestLineIndex()), "abcdefghi");
  list.Put(list.LongestLineIndex(), "x");
  EXPECT_EQ(list.GetLongestLineLen(), 2);

  TSrcEditStringList empties;
  empties.Add("");
  empties.Add("");
  EXPECT_EQ(empties.GetLongestLineLen(), 0);
  EXPECT_EQ(empties.LongestLineIndex(), -1);
}

TEST(SrcEditTextBuffer, HugeTabLineKeepsWidthsInRange) {
  TSrcEditStringList list;
  list.SetTabWidth(256);
  list.Add(std::string(10 * 1024 * 1024, '\t'));
  EXPECT_EQ(list.GetExpandedLen(0), 0x7FFFFFFF);
  EXPECT_EQ(list.GetLongestLineLen(), 0x7FFFFFFF);
  EXPECT_THROW(list.GetExpandedLine(0), EOutOfMemory);
  EXPECT_EQ(list.GetLineFlags(0), lfHasTabs);
}

TEST(SrcEditTextBuffer, WriterHandlesLinesLongerThanItsBuffer) {
  for (TSrcEditFileFormat format : {lbCrLf, lbLf, lbCr}) {
    TSrcEditStringList list;
    list.SetFileFormat(format);
    list.Add("short");
    list.Add(std::string(TSrcEditFiler::DefaultBufferSize, 'a'));
    list.Add(std::string(TSrcEditFiler::DefaultBufferSize - 1, 'b'));
    list.Add(std::string(100000, 'c'));
    list.Add("");
    list.Add(std::string(40000, 'd'));
    TStringStream viaWriter;
    {
      TSrcEditFileWriter writer(&viaWriter);
      writer.SetFileFormat(format);
      for (int i = 0; i + 1 < list.Count(); ++i) writer.WriteLine(list.Get(i));
      writer.Write(list.Get(list.Count() - 1));
      writer.Close();
      EXPECT_EQ(writer.BufferSize(), TSrcEditFiler::DefaultBufferSize);
    }
    EXPECT_EQ(viaWriter.DataString(), Saved(list));
  }
  TStringStream s;
  {
    TSrcEditFileWriter writer(&s);  // lbLf by default
    writer.WriteLine("x");
  }  // destroying the writer on a stream flushes
  EXPECT_EQ(s.DataString(), "x\n");
}

TEST(SrcEditTextBuffer, FailedSaveLeavesTheOldFile) {
  TTempDir tmp;
  const std::string os = tmp.Path("page.htm");
  WriteFileBytes(os, "precious\r\n");
  ::chmod(os.c_str(), 0604);
  TSrcEditStringList list;
  for (int i = 0; i < 2000; ++i) list.Add(std::string(100, 'z'));
  {
    TFileSizeLimit limit(50000);  // the disk fills up half-way
    EXPECT_THROW(list.SaveToFile(AnsiFileName(os)), EWriteError);
  }
  EXPECT_EQ(ReadFileBytes(os), "precious\r\n");
  EXPECT_EQ(tmp.EntryCount(), 1);  // no temporary file left behind
  // A stream that fails: the error comes through.
  TBrokenStream broken("", 100);
  EXPECT_THROW(list.SaveToStream(&broken), EWriteError);
  TBrokenStream broken2("", 100);
  EXPECT_THROW(
      {
        TSrcEditFileWriter writer(&broken2);
        writer.Write(std::string(50, 'q'));
        writer.Write(std::string(50000, 'q'));
        writer.Close();
      },
      EWriteError);

  list.SaveToFile(AnsiFileName(os));  // a save that works keeps the permissions
  struct stat st;
  ASSERT_EQ(::stat(os.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0604u);
  EXPECT_EQ(ReadFileBytes(os).size(), 2000u * 102 - 2);
  EXPECT_THROW(list.SaveToFile(AnsiFileName(tmp.Path("missing/dir/page.htm"))), EFCreateError);
}

TEST(SrcEditTextBuffer, EditLineInPlaceReportsTheLineAndChecksItsRange) {
  TSrcEditStringList list;
  list.Add("abc");
  list.Add(std::string(5000, 'x'));
  std::vector<std::string> calls;
  list.OnLinesReplaced = [&](TObject*, int index, int count) {
    calls.push_back("replaced " + std::to_string(index) + " " + std::to_string(count));
  };
  list.EditLine(0, 1, 1, "XYZ");
  EXPECT_EQ(list.Get(0), "aXYZc");
  // A long line keeps its block while it grows a little, with a NUL after it.
  const char* block = list.TerminatedLine(1);
  ASSERT_NE(block, nullptr);
  list.EditLine(1, 0, 0, "y");
  EXPECT_EQ(list.TerminatedLine(1), block);
  EXPECT_EQ(list.LineLength(1), 5001);
  EXPECT_EQ(block[5001], '\0');
  // A view of the line itself as the text.
  list.EditLine(0, 5, 0, list.LineView(0).substr(0, 2));
  EXPECT_EQ(list.Get(0), "aXYZcaX");
  EXPECT_EQ(calls, (std::vector<std::string>{"replaced 0 1", "replaced 1 1", "replaced 0 1"}));
  EXPECT_THROW(list.EditLine(0, 8, 0, "q"), EStringListError);
  EXPECT_THROW(list.EditLine(0, 6, 2, ""), EStringListError);
  EXPECT_THROW(list.EditLine(2, 0, 0, "q"), EStringListError);
  EXPECT_EQ(list.Get(0), "aXYZcaX");
}

TEST(SrcEditTextBuffer, DestructionFiresNoUpdateHooks) {
  int calls = 0;
  {
    TSrcEditStringList list;
    list.Add("a");
    list.OnUpdateBegun = [&](TObject*) { ++calls; };
    list.OnUpdateEnded = [&](TObject*) { ++calls; };
    list.OnListCleared = [&](TObject*) { ++calls; };
  }
  EXPECT_EQ(calls, 0);
}

// A long line keeps room at both ends: typing or deleting at its start or
// its end moves only the bytes on that side, in the same block.
TEST(SrcEditTextBuffer, EditsAtEitherEndOfALongLineStayInItsBlock) {
  const std::size_t n = 1u << 20;
  TSrcEditStringList list;
  list.Add(std::string(n, 'x'));
  std::string model(n, 'x');
  const char* text = list.TerminatedLine(0);
  ASSERT_NE(text, nullptr);
  struct {
    int pos;  // -1: the line's end
    int count;
    const char* insert;
    std::ptrdiff_t moved;  // where the text starts now, against before
  } steps[] = {
      {0, 0, "a", -1}, {0, 0, "bc", -2}, {0, 2, "", 2}, {0, 1, "Q", 0},
      {-1, 0, "z", 0}, {-1, 0, "yy", 0}, {1, 1, "", 1}, {0, 0, "\t", -1},
  };
  for (int round = 0; round < 200; ++round) {
    for (const auto& s : steps) {
      const int pos = s.pos < 0 ? list.LineLength(0) - s.count : s.pos;
      list.EditLine(0, pos, s.count, s.insert);
      model.replace(static_cast<std::size_t>(pos), static_cast<std::size_t>(s.count), s.insert);
      const char* now = list.TerminatedLine(0);
      ASSERT_EQ(now, text + s.moved) << round;
      text = now;
      ASSERT_EQ(now[model.size()], '\0');
    }
  }
  EXPECT_EQ(list.LineView(0), model);
  EXPECT_EQ(list.GetExpandedLen(0), ExpandedLength(model, 8));
  // Most of the line deleted: the line is short again and takes little room.
  list.EditLine(0, 10, list.LineLength(0) - 20, "");
  model.erase(10, model.size() - 20);
  EXPECT_EQ(list.LineView(0), model);
  EXPECT_EQ(list.TerminatedLine(0), nullptr);
}

// A file of one long line (with at most a few short lines beside it) is
// edited in the block it was read into: typing at either end of the line
// copies nothing, and the short lines keep their text. A file with much
// besides its long line copies the line on its first edit.
TEST(SrcEditTextBuffer, AFileOfOneLongLineIsEditedWhereItWasRead) {
  const std::string line(300000, 'x');
  struct {
    const char* what;
    std::string before, after;
    bool inPlace;
  } cases[] = {
      {"the line alone", "", "", true},
      {"short lines around it", "<!DOCTYPE html>\r\nab\r\n", "\r\n" + std::string(5000, 'q') + "\r\n</html>", true},
      {"much text besides", std::string(100000, 'y') + "\n", "", false},
  };
  for (const auto& c : cases) {
    TSrcEditStringList list;
    LoadBytes(list, c.before + line + c.after);
    std::vector<std::string> model;
    for (int i = 0; i < list.Count(); ++i) model.push_back(list.Get(i));
    const int k = static_cast<int>(std::find(model.begin(), model.end(), line) - model.begin());
    ASSERT_LT(k, list.Count()) << c.what;
    const char* text = list.LineView(k).data();
    list.EditLine(k, list.LineLength(k), 0, "end");
    list.EditLine(k, 0, 0, "<");
    model[static_cast<std::size_t>(k)] = "<" + line + "end";
    EXPECT_EQ(list.TerminatedLine(k) == text - 1, c.inPlace) << c.what;
    list.EditLine(k, 1, 2, "");
    model[static_cast<std::size_t>(k)].erase(1, 2);
    for (int i = 0; i < list.Count(); ++i) {
      EXPECT_EQ(list.LineView(i), model[static_cast<std::size_t>(i)]) << c.what << " line " << i;
      if (const char* own = list.TerminatedLine(i)) {
        EXPECT_EQ(own[model[static_cast<std::size_t>(i)].size()], '\0');
      }
    }
    list.Put(0, "changed");
    model[0] = "changed";
    list.Delete(list.Count() - 1);
    model.pop_back();
    for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(list.LineView(i), model[static_cast<std::size_t>(i)]) << c.what;
  }
}

// Long lines of a load are runs of its block until they are edited; lines
// with tabs, scan states of every size and objects travel with their lines
// through every change.
TEST(SrcEditTextBuffer, LongLinesAndLineDataMatchAModel) {
  struct TModelLine {
    std::string text;
    int state;
    TObject* object;
  };
  std::mt19937 rng(777);
  const int states[] = {-1, 0, 4, 253, 254, 255, -7, 1 << 20, INT32_MIN};
  TObject objects[3];
  auto randomText = [&] {
    switch (rng() % 4) {
      case 0: return std::string(rng() % 6, 'a');
      case 1: return std::string(5 + rng() % 100, "b\t"[rng() % 2]);
      case 2: return std::string(4000 + rng() % 200, 'c');
      default: return std::string(70000 + rng() % 1000, "d\t"[rng() % 2]);
    }
  };
  for (int round = 0; round < 3; ++round) {
    std::vector<TModelLine> model;
    std::string bytes;
    for (int i = 0; i < 40; ++i) {
      model.push_back({randomText(), -1, nullptr});
      bytes += model.back().text + "\n";
    }
    model.push_back({"", -1, nullptr});
    TSrcEditStringList list;
    LoadBytes(list, bytes);
    // A long line is read in place, ended by a NUL; the text stays whole.
    for (int i = 0; i < list.Count(); ++i) {
      const char* own = list.TerminatedLine(i);
      ASSERT_EQ(own != nullptr, model[static_cast<std::size_t>(i)].text.size() >= 4096) << i;
      if (own) {
        ASSERT_EQ(std::string(own), model[static_cast<std::size_t>(i)].text) << i;
      }
    }
    ASSERT_EQ(Saved(list), bytes);
    for (int step = 0; step < 1500; ++step) {
      const int n = static_cast<int>(model.size());
      const int i = n ? static_cast<int>(rng() % static_cast<unsigned>(n)) : 0;
      switch (rng() % 9) {
        case 0:
        case 1:
          if (n) {
            // Mostly near one end of the line.
            std::string& m = model[static_cast<std::size_t>(i)].text;
            const std::size_t near = rng() % 3;
            std::size_t pos = near == 0   ? rng() % std::min<std::size_t>(m.size() + 1, 8)
                              : near == 1 ? m.size() - rng() % std::min<std::size_t>(m.size() + 1, 8)
                                          : rng() % (m.size() + 1);
            std::size_t count =
                rng() % 4 == 0 ? rng() % (m.size() - pos + 1) : std::min<std::size_t>(rng() % 3, m.size() - pos);
            std::string text = rng() % 10 == 0 ? randomText() : std::string(rng() % 3, "e\t"[rng() % 2]);
            list.EditLine(i, static_cast<int>(pos), static_cast<int>(count), text);
            m.replace(pos, count, text);
          }
          break;
        case 2:
          if (n) {
            model[static_cast<std::size_t>(i)].text = randomText();
            list.Put(i, model[static_cast<std::size_t>(i)].text);
          }
          break;
        case 3:
          model.insert(model.begin() + i, TModelLine{randomText(), -1, nullptr});
          list.Insert(i, model[static_cast<std::size_t>(i)].text);
          break;
        case 4:
          if (n) {
            list.Delete(i);
            model.erase(model.begin() + i);
          }
          break;
        case 5:
          if (n) {
            const int j = static_cast<int>(rng() % static_cast<unsigned>(n));
            list.Exchange(i, j);
            std::swap(model[static_cast<std::size_t>(i)], model[static_cast<std::size_t>(j)]);
          }
          break;
        case 6: {
          const int k = static_cast<int>(rng() % 3);
          list.InsertLines(i, k);
          model.insert(model.begin() + i, static_cast<std::size_t>(k), TModelLine{"", 0, nullptr});
          break;
        }
        case 7:
          if (n) {
            const int value = states[rng() % std::size(states)];
            list.SetLineScanState(i, value);
            model[static_cast<std::size_t>(i)].state = value;
          }
          break;
        case 8:
          if (n) {
            TObject* o = rng() % 2 ? &objects[rng() % 3] : nullptr;
            list.PutObject(i, o);
            model[static_cast<std::size_t>(i)].object = o;
          }
          break;
      }
      ASSERT_EQ(list.Count(), static_cast<int>(model.size()));
      for (int k = 0; k < list.Count(); ++k) {
        const TModelLine& m = model[static_cast<std::size_t>(k)];
        ASSERT_EQ(list.LineView(k), m.text) << "step " << step << " line " << k;
        ASSERT_EQ(list.LineLength(k), static_cast<int>(m.text.size()));
        ASSERT_EQ(list.GetLineScanState(k), m.state) << "step " << step << " line " << k;
        ASSERT_EQ(list.GetObject(k), m.object);
        if (const char* own = list.TerminatedLine(k)) {
          ASSERT_EQ(own[m.text.size()], '\0');
        }
      }
      if (n && step % 7 == 0 && i < list.Count()) {
        ASSERT_EQ(list.GetExpandedLen(i), ExpandedLength(model[static_cast<std::size_t>(i)].text, 8));
      }
      if (step % 50 == 0) {
        int widest = 0;
        for (const TModelLine& m : model) widest = std::max(widest, ExpandedLength(m.text, 8));
        ASSERT_EQ(list.GetLongestLineLen(), widest);
      }
    }
    std::string saved;
    for (std::size_t k = 0; k < model.size(); ++k) saved += model[k].text + (k + 1 < model.size() ? "\n" : "");
    list.SetFileFormat(lbLf);
    EXPECT_EQ(Saved(list), saved);
  }
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BQS_NO_HEAP_FIGURES
#endif
#endif
#else
#define BQS_NO_HEAP_FIGURES
#endif

// What a line costs beside its text: a file of empty lines and one of
// short lines, loaded, then scanned (a state stored on every line).
TEST(SrcEditTextBuffer, ALineCostsLittleMoreThanItsText) {
#if defined(BQS_NO_HEAP_FIGURES)
  GTEST_SKIP() << "the sanitizer's allocator keeps its own figures";
#else
  struct {
    const char* what;
    std::string bytes;
    double maxPerFileByte;
  } cases[] = {
      {"empty lines", std::string(1000000, '\n'), 9.0},
      {"short lines", std::string(), 4.0},
  };
  for (int i = 0; i < 250000; ++i) cases[1].bytes += i % 3 ? "<p>\r\n" : "ab\r\n";
  for (const auto& c : cases) {
    malloc_trim(0);
    const struct mallinfo2 before = mallinfo2();
    {
      TSrcEditStringList list;
      LoadBytes(list, c.bytes);
      for (int k = 0; k < list.Count(); ++k) list.StoreLineScanState(k, k % 9);
      const struct mallinfo2 after = mallinfo2();
      const double heap = static_cast<double>((after.uordblks + after.hblkhd) - (before.uordblks + before.hblkhd));
      EXPECT_LT(heap / static_cast<double>(c.bytes.size()), c.maxPerFileByte) << c.what;
    }
  }
#endif
}

// Random edits against a plain vector, over text that partly lives in the
// block a load read (which is compacted as lines leave it).
TEST(SrcEditTextBuffer, ManyLinesPutAtOnceShareABlockAndStayEditable) {
  // Short and long lines, more than a shared block is worth; then the
  // same again over a loaded document, and edits of every kind after.
  V texts;
  for (int i = 0; i < 3000; ++i)
    texts.push_back(i % 5 ? std::string(20 + i % 60, static_cast<char>('a' + i % 26)) : "s");
  std::vector<std::string_view> views(texts.begin(), texts.end());
  for (const char* loaded : {"", "first loaded line, long enough to share\r\nx\r\nlast loaded line, long as well"}) {
    SCOPED_TRACE(loaded);
    TSrcEditStringList list;
    LoadBytes(list, loaded);
    V model = Lines(list);
    const int at = list.Count() > 1 ? 1 : 0;
    list.InsertLines(at, static_cast<int>(texts.size()));
    model.insert(model.begin() + at, texts.size(), std::string());
    THookLog log(list);
    list.PutViews(at, views.data(), static_cast<int>(views.size()));
    std::copy(texts.begin(), texts.end(), model.begin() + at);
    ASSERT_EQ(Lines(list), model);
    V events = log.Take();
    ASSERT_EQ(events.size(), texts.size() + 2);
    EXPECT_EQ(events[1], Format("replaced %d 1 /%d", at, list.Count()));
    EXPECT_EQ(events.back(), Format("ended /%d", list.Count()));
    list.EditLine(at + 1, 2, 3, "EDIT");
    model[static_cast<std::size_t>(at + 1)].replace(2, 3, "EDIT");
    list.Put(at + 2, "put");
    model[static_cast<std::size_t>(at + 2)] = "put";
    list.DeleteLines(at + 3, 1000);
    model.erase(model.begin() + at + 3, model.begin() + at + 1003);
    ASSERT_EQ(Lines(list), model);
    // A second batch over the first moves what is still in use.
    list.PutViews(at + 3, views.data(), 1500);
    std::copy(texts.begin(), texts.begin() + 1500, model.begin() + at + 3);
    ASSERT_EQ(Lines(list), model);
    list.DeleteLines(0, list.Count());
    EXPECT_EQ(list.Count(), 0);
  }
  TSrcEditStringList list;
  list.InsertLines(0, 2);
  EXPECT_THROW(list.PutViews(1, views.data(), 2), ESrcEditStringList);
  EXPECT_EQ(Lines(list), (V{"", ""}));
}

TEST(SrcEditTextBuffer, RandomEditsMatchAModel) {
  std::mt19937 rng(12345);
  auto randomLine = [&] {
    std::size_t len = rng() % 4 == 0 ? rng() % 9 : 9 + rng() % 120;
    std::string s;
    for (std::size_t i = 0; i < len; ++i) s.push_back(static_cast<char>("ab\t\0xyz"[rng() % 7]));
    return s;
  };
  for (int round = 0; round < 4; ++round) {
    V model;
    std::string bytes;
    for (int i = 0; i < 3000; ++i) {
      model.push_back(randomLine());
      bytes += model.back() + "\r\n";
    }
    model.push_back("");
    TSrcEditStringList list;
    LoadBytes(list, bytes);
    ASSERT_EQ(Lines(list), model);
    for (int step = 0; step < 6000; ++step) {
      int n = static_cast<int>(model.size());
      int i = n ? static_cast<int>(rng() % static_cast<unsigned>(n)) : 0;
      switch (rng() % 10) {
        case 0: {
          std::string s = randomLine();
          list.Put(i, s);
          if (i < n)
            model[static_cast<std::size_t>(i)] = s;
          else
            model.push_back(s);
          break;
        }
        case 1:
          if (n) {
            list.Delete(i);
            model.erase(model.begin() + i);
          }
          break;
        case 2: {
          std::string s = randomLine();
          list.Insert(i, s);
          model.insert(model.begin() + i, s);
          break;
        }
        case 3:
          if (n) {
            int k = static_cast<int>(rng() % 50);
            list.DeleteLines(i, k);
            model.erase(model.begin() + i, model.begin() + std::min(n, i + k));
          }
          break;
        case 4: {
          int k = static_cast<int>(rng() % 5);
          list.InsertLines(i, k);
          model.insert(model.begin() + i, static_cast<std::size_t>(k), std::string());
          break;
        }
        case 5:
          if (n) {
            int j = static_cast<int>(rng() % static_cast<unsigned>(n));
            list.Exchange(i, j);
            std::swap(model[static_cast<std::size_t>(i)], model[static_cast<std::size_t>(j)]);
          }
          break;
        case 6: {
          std::string s = n ? model[static_cast<std::size_t>(i)] : std::string();
          list.Add(s);
          model.push_back(s);
          break;
        }
        case 7:
          if (n) {
            EXPECT_EQ(list.GetExpandedLen(i), ExpandedLength(model[static_cast<std::size_t>(i)], 8));
          }
          break;
        case 8:
          // An edit in place, now and then one that makes the line long or
          // crosses the size of its block.
          if (n) {
            std::string& m = model[static_cast<std::size_t>(i)];
            const int pos = static_cast<int>(rng() % (m.size() + 1));
            const int count = static_cast<int>(rng() % (m.size() - static_cast<std::size_t>(pos) + 1));
            std::string text =
                rng() % 8 == 0 ? std::string(3000 + rng() % 3000, 'w') : randomLine().substr(0, rng() % 4);
            list.EditLine(i, pos, count, text);
            m.replace(static_cast<std::size_t>(pos), static_cast<std::size_t>(count), text);
            ASSERT_EQ(list.LineView(i), m);
            if (const char* own = list.TerminatedLine(i)) {
              EXPECT_EQ(own, list.LineView(i).data());
              EXPECT_EQ(own[m.size()], '\0');
            }
          }
          break;
        case 9: {
          int widest = 0;
          for (const std::string& m : model) widest = std::max(widest, ExpandedLength(m, 8));
          ASSERT_EQ(list.GetLongestLineLen(), widest) << "step " << step;
          break;
        }
      }
    }
    ASSERT_EQ(Lines(list), model);
    CheckRuns(list, 0, list.Count() - 1);
    int widest = 0;
    for (const std::string& s : model) widest = std::max(widest, ExpandedLength(s, 8));
    EXPECT_EQ(list.GetLongestLineLen(), widest);
  }
}

TEST(SrcEditTextBuffer, LineRunsHoldTheLinesWhereTheyLie) {
  const std::string longLine(70000, 'L');
  struct TCase {
    const char* Name;
    std::string Bytes;
    int Runs;  // of the loaded lines
  };
  const TCase cases[] = {
      {"CR LF", "first line\r\nsecond line\r\n\r\n\r\nafter two empty\r\n", 1},
      {"LF", "first line\nsecond line\n\nafter one empty", 1},
      {"CR", "first line\rsecond line\r\r\rafter two empty\r", 1},
      {"mixed", "first line\r\nsecond line\nthird line\rfourth line\n\r\n\rlast line", 1},
      // A line of up to four bytes is kept in its record: a run of its own
      // between two runs.
      {"short line", "first line\r\nab\r\nthird line\r\nfourth line", 3},
      // A long line read by the load stays in the block (a NUL over its
      // break).
      {"long line", "first line\r\n" + longLine + "\r\nlast line\r\n", 1},
      {"only empty lines", "\r\n\n\r\r", 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TSrcEditStringList list;
    LoadBytes(list, c.Bytes);
    const int last = list.Count() - 1;
    EXPECT_EQ(CheckRuns(list, 0, last), c.Runs);
    // From any line, to any line.
    for (int i = 0; i <= last; ++i) CheckRuns(list, i, std::max(i, last - 1));
  }
  // Outside the lines: an empty run, Last before First.
  TSrcEditStringList list;
  LoadBytes(list, "first line\r\nsecond line\r\nthird line\r\nfourth line\r\nfifth line");
  for (int i : {-1, 5, 9}) {
    const TSrcEditStringList::TLineRun run = list.LineRun(i, 4);
    EXPECT_EQ(run.Last, i - 1);
    EXPECT_TRUE(run.Text.empty());
  }
  EXPECT_EQ(list.LineRun(3, 2).Last, 2);
  EXPECT_EQ(list.LineRun(0, 2).Last, 2);
  // Edits: a line shortened where it is leaves its old end before the next
  // line's (a run ends there), one stored again elsewhere or moved is a run
  // of its own, new empty lines stay in a run; the others stay in runs.
  list.Put(1, "second");
  EXPECT_EQ(CheckRuns(list, 0, 4), 2);
  list.Put(2, "the third line is longer now");
  EXPECT_EQ(CheckRuns(list, 0, 4), 3);
  list.Exchange(3, 4);
  EXPECT_EQ(CheckRuns(list, 0, 4), 4);
  list.Delete(2);
  EXPECT_EQ(CheckRuns(list, 0, 3), 3);
  list.InsertLines(1, 2);
  EXPECT_EQ(CheckRuns(list, 0, 5), 3);
  list.EditLine(0, 0, 2, "");
  CheckRuns(list, 0, 5);
  EXPECT_EQ(Lines(list), (V{"rst line", "", "", "second", "fifth line", "fourth line"}));
}

}  // namespace

// A reordering moves the texts of every kind of storage (inline, the
// load's block, the arena, a long line) with their tab widths; the scan
// states stay with their indexes; anything but a permutation of the lines
// written is refused before a line changes.
TEST(SrcEditTextBuffer, MovedLinesKeepTheirTextsAndWidths) {
  TSrcEditStringList list;
  const std::string longLine(5000, 'L');
  LoadBytes(list, "ab\r\nloaded line\r\n" + longLine + "\r\n\tx");
  list.Put(0, "stored in the arena");
  for (int i = 0; i < 4; ++i) list.SetLineScanState(i, 10 + i);
  EXPECT_EQ(list.GetExpandedLen(3), 9);
  THookLog log(list);
  const int index[] = {0, 1, 2, 3}, from[] = {3, 2, 0, 1};
  list.MoveLines(index, from, 4);
  EXPECT_EQ(log.Take(),
            (V{"begun /4", "replaced 0 1 /4", "replaced 1 1 /4", "replaced 2 1 /4", "replaced 3 1 /4", "ended /4"}));
  EXPECT_EQ(list.Get(0), "\tx");
  EXPECT_EQ(list.Get(1), longLine);
  EXPECT_EQ(list.Get(2), "stored in the arena");
  EXPECT_EQ(list.Get(3), "loaded line");
  EXPECT_EQ(list.GetExpandedLen(0), 9);
  EXPECT_EQ(list.GetLongestLineLen(), 5000);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(list.GetLineScanState(i), 10 + i);
  // Back again, a part of the lines only.
  const int some[] = {0, 2, 3}, back[] = {2, 3, 0};
  list.MoveLines(some, back, 3);
  EXPECT_EQ(Lines(list), (V{"stored in the arena", longLine, "loaded line", "\tx"}));
  const int twice[] = {0, 0}, bad[] = {1, 1}, out[] = {0, 4};
  EXPECT_THROW(list.MoveLines(some, bad, 2), ESrcEditStringList);
  EXPECT_THROW(list.MoveLines(twice, index, 2), ESrcEditStringList);
  EXPECT_THROW(list.MoveLines(index, out, 2), ESrcEditStringList);
  EXPECT_EQ(Lines(list), (V{"stored in the arena", longLine, "loaded line", "\tx"}));
  log.Take();
}

// Rewriting every line of megabytes of text compacts the load's block and
// the arena as the dead bytes grow, in place while the lines lie in line
// order, by a copy or a sort of the offsets once a reordering has mixed
// them; the texts stay those of a model throughout.
TEST(SrcEditTextBuffer, CompactionKeepsEveryLineThroughWholeRewrites) {
  TSrcEditStringList list;
  V model;
  std::string file;
  for (int i = 0; i < 60000; ++i) {
    model.push_back("line " + std::to_string(i) + std::string(static_cast<std::size_t>(i % 40), 'x'));
    file += model.back() + "\r\n";
  }
  model.push_back("");
  LoadBytes(list, file);
  const int n = static_cast<int>(model.size());
  auto rewrite = [&](const std::string& add) {
    for (int i = 0; i < n; ++i) {
      model[static_cast<std::size_t>(i)] += add;
      list.Put(i, model[static_cast<std::size_t>(i)]);
    }
    ASSERT_EQ(Lines(list), model);
  };
  auto reverse = [&](int from, int to) {
    std::vector<int> index, source;
    for (int i = from; i < to; ++i) {
      index.push_back(i);
      source.push_back(to - 1 - (i - from));
    }
    list.MoveLines(index.data(), source.data(), static_cast<int>(index.size()));
    std::reverse(model.begin() + from, model.begin() + to);
    ASSERT_EQ(Lines(list), model);
  };
  // Half the lines from the load's block, reordered, then all rewritten.
  for (int i = 0; i < n / 3; ++i) list.Put(i, model[static_cast<std::size_t>(i)] + "");
  reverse(n / 4, n / 2);
  rewrite("+");
  reverse(0, n);
  rewrite("-");
  rewrite("=");
  for (int i = 0; i < n; i += 2) {
    model[static_cast<std::size_t>(i)].resize(model[static_cast<std::size_t>(i)].size() / 2);
    list.Put(i, model[static_cast<std::size_t>(i)]);
  }
  ASSERT_EQ(Lines(list), model);
  rewrite("#");
}
