// The editing control's line list and its buffered file writer.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "SrcEditMiscProcs.h"
#include "platform/Classes.h"
#include "platform/SysUtils.h"

// Raised for an index outside the allowed range: "Invalid stringlist index %d".
BQS_DECLARE_EXCEPTION(ESrcEditStringList, EStringListError);

// A text with more characters than the editor's positions can hold
// (MaxTextChars); the message says so in the user's words.
BQS_DECLARE_EXCEPTION(ESrcEditTextTooLarge, Exception);

// The editor's positions are 32-bit character indexes in which each line
// break counts as two characters (CR LF): a text holds at most this many,
// so that every position, the end of the text included, fits.
constexpr std::int64_t MaxTextChars = 0x7FFFFFFF;
// Characters of the bytes as a text of the editor counts them: CR LF, a
// lone CR and a lone LF are each one break of two characters.
std::int64_t TextChars(std::string_view bytes);
// Whether `added` characters more still fit a text of `chars`.
inline bool TextCharsFit(std::int64_t chars, std::int64_t added) { return added <= MaxTextChars - chars; }
// The messages of a text refused for its size: of a file to open, and of a
// file to insert (no name: the clipboard's text).
std::string FileTooLargeMessage(const std::string& fileName);
std::string InsertionTooLargeMessage(const std::string& fileName = std::string());

// Per-line flags.
enum TSrcEditLineFlag : std::uint8_t { lfHasTabs = 1, lfHasNoTabs = 2, lfWidthUnknown = 4 };
using TSrcEditLineFlags = std::uint8_t;

// Line-break style of a file.
enum TSrcEditFileFormat : std::uint8_t { lbCrLf = 0, lbLf = 1, lbCr = 2 };

using TStringListChangeEvent = std::function<void(TObject* sender, int index, int count)>;

// The text of one editor: one record per line, no line breaks stored. Every
// change of the line array is reported through the six hooks; loading and
// saving keep the file's line-break style.
class TSrcEditStringList : public TStrings {
 public:
  TSrcEditStringList();
  ~TSrcEditStringList() override;
  const char* ClassName() const override { return "TSrcEditStringList"; }

  // --- string-list interface (indexes 0-based) ---
  // Out-of-range reads give an empty string / nil.
  std::string Get(int index) const override;
  int GetCount() const override { return FCount; }
  int GetCapacity() const override { return FCapacity; }
  // Below the count: EStringListError "Stringlist capacity cannot be smaller than count".
  void SetCapacity(int newCapacity) override;
  TObject* GetObject(int index) const override;
  // index = count appends.
  void Put(int index, const std::string& s) override;
  // The same from a view: a line cut from a larger text is copied once.
  void PutView(int index, std::string_view s);
  // Lines index .. index + count - 1 take the texts (which must not point
  // into this list), each reported replaced. The short ones go one after
  // another into the arena, grown once for all of them.
  void PutViews(int index, const std::string_view* texts, int count);
  // Line index[k] takes the text line from[k] has (k < n; the indexes
  // ascending, the two sets the same lines): the texts move, nothing is
  // copied. Scan states and objects stay with their indexes; each line
  // reported replaced.
  void MoveLines(const int* index, const int* from, int n);
  void PutObject(int index, TObject* object) override;
  int Add(const std::string& s) override;
  void Insert(int index, const std::string& s) override;
  using TStrings::AddStrings;
  void AddStrings(TStrings* strings) override;
  void Delete(int index) override;
  void Clear() override;
  void Exchange(int index1, int index2) override;
  // Lines joined by CR LF, no break after the last line.
  std::string GetTextStr() const override;
  // Characters of the text (the length of GetTextStr).
  std::int64_t TextChars() const;
  // A file whose text would pass MaxTextChars raises ESrcEditTextTooLarge
  // naming it, the old lines kept.
  void LoadFromFile(const std::string& fileName) override;
  // The whole stream from position 0. A text past MaxTextChars raises
  // ESrcEditTextTooLarge (before reading when the size alone says so) and
  // leaves the old lines.
  void LoadFromStream(TStream* stream) override;
  void SaveToStream(TStream* stream) override;
  // Replaces the file safely: a failure leaves the old file as it was.
  void SaveToFile(const std::string& fileName) override;

  // No-copy access to a line; valid until the list next changes. Empty outside
  // the range.
  std::string_view LineView(int index) const;
  int LineLength(int index) const;
  // Replaces `count` bytes at byte `pos` of the line with `text` in place
  // (a long line's block has room to grow, at both ends when the line is
  // over 64 KB, and the bytes on the cheaper side of the edit move) and
  // reports the line replaced, as Put does. `text` may be a view of the line. A range
  // outside the line raises the index error.
  void EditLine(int index, int pos, int count, std::string_view text);
  // Lines from `index` on (to `last` at most) whose texts lie in order in
  // the block a load read, so that a search runs over them at once (Text,
  // from the first line with text to the end of the last). Between two
  // lines with text lie at least one byte and at most two per line break:
  // their breaks as the load found them (CR, LF, or the NUL a long line read
  // by the load ends with), but a line shortened where it lies may leave its
  // old last bytes before the next, so a match found in Text is checked to
  // lie within the line whose LineView holds its start. Empty lines take no
  // bytes of their own. A line with text stored elsewhere (edited, or of up
  // to four bytes) is a run of its own, Text its view; one out of order
  // (exchanged) starts a run. Text is empty
  // when all the lines are; Last is index - 1 for an index outside
  // 0 .. min(last, count - 1). Valid as LineView is.
  struct TLineRun {
    int First = 0;
    int Last = -1;
    std::string_view Text;
  };
  TLineRun LineRun(int index, int last) const;
  // The line's bytes with a NUL after them when its block holds one (a long
  // line that was stored or edited, not one read by a load), else null.
  // Valid as LineView is.
  const char* TerminatedLine(int index) const;

  // --- the editor's own operations ---
  void DeleteLines(int index, int numLines);
  void InsertLines(int index, int numLines);
  int GetLineScanState(int index) const;
  void SetLineScanState(int index, int value);
  // The same without the update bracket: a scan state is not text, and the
  // control stores states while it paints (an update would end in its
  // change handling).
  void StoreLineScanState(int index, int value);
  // The line with tabs expanded; may raise EOutOfMemory for a line whose
  // expansion exceeds MaxExpandedLineLength.
  std::string GetExpandedLine(int index);
  // Display columns of the line (clamped to 0x7FFFFFFF); 0 outside the range.
  int GetExpandedLen(int index);
  int GetLongestLineLen();
  int LongestLineIndex() const { return FLongestLineIndex; }
  // True while a load reports its lines, one OnLinesInserted per line at
  // the end of the list, with nothing else happening to the list between.
  bool ReportingLoad() const { return FReportingLoad; }
  TSrcEditLineFlags GetLineFlags(int index) const;
  int TabWidth() const { return FTabWidth; }
  void SetTabWidth(int value);
  TSrcEditFileFormat FileFormat() const { return FFileFormat; }
  void SetFileFormat(TSrcEditFileFormat value) { FFileFormat = value; }

  // Hooks (sender first); fired only when set.
  TNotifyEvent OnUpdateBegun;
  TNotifyEvent OnUpdateEnded;
  TNotifyEvent OnListCleared;
  TStringListChangeEvent OnLinesDeleted;
  TStringListChangeEvent OnLinesInserted;
  TStringListChangeEvent OnLinesReplaced;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  struct TRecord;
  struct TLongLine;
  class TLineStore;
  class TArena;
  template <typename T>
  class TSideArray;
  struct TLoadedLines;
  static TLoadedLines SplitLines(TLineStore* store, bool& sawCR, bool& sawLF, std::int64_t& chars);
  [[noreturn]] void ListIndexError(int index) const;
  void Grow();
  void ReserveFor(int newCount);
  void EnsureAllocated(int newCount);
  void InsertItem(int index, std::string_view s);
  // Room for `n` more records at `index` in the side arrays (the records
  // themselves are moved by the caller); and the removal of `n` from there.
  void OpenSideGap(int index, int n);
  void CloseSideGap(int index, int n);
  void ComputeWidth(int index);
  // The cached width of a line: -1 while unknown.
  int StoredWidth(int index) const;
  void SetWidth(int index, std::int64_t width, bool hasTabs);
  // The widest line after line `index` changed from `oldWidth` to its
  // (known) width now.
  void WidthChanged(int index, int oldWidth);
  std::string_view View(const TRecord& r) const;
  void ReleaseText(TRecord& r);
  void SetText(TRecord& r, std::string_view s);
  // A line of three pieces in an own block with room to grow.
  std::uint32_t NewLongLine(std::string_view head, std::string_view text, std::string_view tail);
  void EditLongLine(TLongLine& line, std::size_t at, std::size_t cut, std::string_view text);
  void TakeOverStore(TLongLine& line);
  void FreeAll();
  void CompactStore();
  bool CompactStoreInPlace();
  std::size_t PackStoreLines(const char* from, char* to);
  void CompactArena();

  TRecord* FList = nullptr;
  int FCount = 0;
  int FCapacity = 0;
  // Records the array really has: a load leaves no unused records and
  // FCapacity is what a run of appends would have reached; the rest is
  // allocated when a line is added.
  int FAllocated = 0;
  TSrcEditFileFormat FFileFormat = lbCrLf;
  TExpandTabsProc FTabExpander = nullptr;
  int FLongestLineIndex = -1;
  int FTabWidth = 8;
  bool FReportingLoad = false;
  // Per line, allocated when first needed: objects of the string-list
  // interface, scan states that do not fit a record, widths of lines with
  // tabs.
  std::unique_ptr<TSideArray<TObject*>> FObjects;
  std::unique_ptr<TSideArray<std::int32_t>> FWideStates;
  std::unique_ptr<TSideArray<std::int32_t>> FWidths;
  // Text loaded from a file lives in one shared block; short lines stored
  // later in an arena; long lines each in a block of their own.
  std::unique_ptr<TLineStore> FStore;
  std::unique_ptr<TArena> FArena;
  std::unique_ptr<std::vector<TLongLine>> FLong;
  std::vector<std::uint32_t> FFreeLong;
};

// Bytes the line-break search of this thread's loads has examined so far:
// a load looks at each byte of its text about once, whatever its breaks.
std::uint64_t LoadScannedBytes();

// The buffered file writer used for saving.
class TSrcEditFiler : public TObject {
 public:
  static constexpr int DefaultBufferSize = 16384;
  TSrcEditFiler();
  ~TSrcEditFiler() override;
  const char* ClassName() const override { return "TSrcEditFiler"; }
  virtual void Flush() {}
  TSrcEditFileFormat FileFormat() const { return FFileFormat; }
  void SetFileFormat(TSrcEditFileFormat value) { FFileFormat = value; }
  int BufferSize() const { return FBufferSize; }

 protected:
  std::unique_ptr<char[]> FBuffer;
  int FBufferSize = DefaultBufferSize;
  int FFillPos = 0;
  TSrcEditFileFormat FFileFormat = lbLf;
};

// Writes text in the line-break style of FileFormat. On a file name the
// data goes to a temporary file beside it and Close() puts it in place;
// destroying the writer without Close() leaves the target untouched. On a
// stream, Close() flushes and the stream is not owned.
class TSrcEditFileWriter : public TSrcEditFiler {
 public:
  explicit TSrcEditFileWriter(const std::string& fileName);
  explicit TSrcEditFileWriter(TStream* stream);
  ~TSrcEditFileWriter() override;
  const char* ClassName() const override { return "TSrcEditFileWriter"; }
  void Write(std::string_view text);
  void WriteLine(std::string_view text);
  void Flush() override;
  void Close();

 private:
  void Append(std::string_view text, bool lineBreak);
  std::unique_ptr<TReplaceFileStream> FOwnStream;
  TStream* FStream = nullptr;
  bool FClosed = false;
};
