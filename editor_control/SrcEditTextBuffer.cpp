#include "SrcEditTextBuffer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// One line. Text of up to kInline bytes is kept inside the record; longer
// text is either an own heap block or a run inside the shared block that a
// load or a large insertion filled (TLineStore). Records are trivially copyable and moved with
// memmove.
struct TSrcEditStringList::TRecord {
  static constexpr std::uint32_t kInline = 8;
  enum : std::uint8_t { stInline = 0, stHeap = 1, stStore = 2 };
  union {
    char* ptr;
    char inl[kInline];
  } t;
  std::uint32_t len;
  std::int32_t ScanState;
  std::int32_t ExpandedLen;
  TSrcEditLineFlags Flags;
  std::uint8_t Storage;

  const char* Data() const { return Storage == stInline ? t.inl : t.ptr; }
  std::string_view View() const { return std::string_view(Data(), len); }
};


// The block a load read, or a large insertion (PutViews) filled with the
// lines still in use and its own; the lines point into it. `live` counts
// the bytes still referenced; the block is compacted when half of it is
// dead.
class TSrcEditStringList::TLineStore {
 public:
  std::unique_ptr<char[]> data;
  std::size_t size = 0;
  std::size_t live = 0;
};

namespace {

const char kInvalidIndex[] = "Invalid stringlist index %d";
const char kCapacityError[] = "Stringlist capacity cannot be smaller than count";
constexpr std::size_t kMaxLineLength = 0x7FFFFFFF;
constexpr std::size_t kMinCompactSize = 1 << 16;

int NextCapacity(int capacity) { return capacity > 64 ? capacity + capacity / 4 : capacity + 16; }

// A line of this length or more owns a block with room to grow in place and
// a NUL after its text (the highlighters scan it without a copy).
constexpr std::size_t kRoomyLine = 4096;

// The size of a line's own block: the length for a short line; for a long
// one the length plus its NUL rounded up to an eighth of its leading power
// of two, so a keystroke changes the block only once every few kilobytes
// and the room costs at most an eighth of the text.
std::size_t BlockSize(std::size_t len) {
  if (len < kRoomyLine) return len;
  const std::size_t need = len + 1;
  const unsigned lead = 63u - static_cast<unsigned>(__builtin_clzll(static_cast<unsigned long long>(need)));
  const std::size_t step = std::size_t(1) << (lead - 3);
  return (need + step - 1) / step * step;
}

// The first CR or LF in text[i, n), or n. Short lines are probed 16 bytes
// at a time; a long one is searched with memchr for each of the two, the
// second search bounded by the first hit.
std::size_t FindBreak(const char* text, std::size_t i, std::size_t n) {
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  for (int k = 0; k < 4 && i + 16 <= n; ++k, i += 16) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))));
    if (mask) return i + static_cast<std::size_t>(__builtin_ctz(mask));
  }
#endif
  const void* a = std::memchr(text + i, '\n', n - i);
  std::size_t limit = a ? static_cast<std::size_t>(static_cast<const char*>(a) - text) : n;
  const void* b = std::memchr(text + i, '\r', limit - i);
  return b ? static_cast<std::size_t>(static_cast<const char*>(b) - text) : limit;
}

// Closes the update bracket also when the work throws.
class TUpdateBracket {
 public:
  explicit TUpdateBracket(TStrings* list) : FList(list) { FList->BeginUpdate(); }
  ~TUpdateBracket() { FList->EndUpdate(); }
  TUpdateBracket(const TUpdateBracket&) = delete;
  TUpdateBracket& operator=(const TUpdateBracket&) = delete;

 private:
  TStrings* FList;
};

}  // namespace

// --- construction -------------------------------------------------------------

TSrcEditStringList::TSrcEditStringList() { FTabExpander = SelectTabExpander(FTabWidth); }

TSrcEditStringList::~TSrcEditStringList() {
  OnUpdateBegun = nullptr;
  OnUpdateEnded = nullptr;
  FreeAll();
}

void TSrcEditStringList::FreeAll() {
  for (int i = 0; i < FCount; ++i)
    if (FList[i].Storage == TRecord::stHeap) delete[] FList[i].t.ptr;
  std::free(FList);
  FList = nullptr;
  FCount = 0;
  FCapacity = 0;
  FObjects.reset();
  FStore.reset();
}

TSrcEditStringList::TRecord& TSrcEditStringList::Rec(int index) { return FList[index]; }
const TSrcEditStringList::TRecord& TSrcEditStringList::Rec(int index) const { return FList[index]; }

void TSrcEditStringList::ListIndexError(int index) const { throw ESrcEditStringList(Format(kInvalidIndex, index)); }

// --- text storage ----------------------------------------------------------------

void TSrcEditStringList::ReleaseText(TRecord& r) {
  if (r.Storage == TRecord::stHeap) {
    delete[] r.t.ptr;
  } else if (r.Storage == TRecord::stStore && FStore) {
    FStore->live -= r.len;
  }
  r.Storage = TRecord::stInline;
  r.len = 0;
}

void TSrcEditStringList::SetText(TRecord& r, std::string_view s) {
  if (s.size() > kMaxLineLength) throw EOutOfMemory();
  // The new text is copied before the old one is released: it may be a view
  // of the old one.
  char* block = nullptr;
  char small[TRecord::kInline] = {};
  if (s.size() > TRecord::kInline) {
    block = new char[BlockSize(s.size())];
    std::memcpy(block, s.data(), s.size());
    if (s.size() >= kRoomyLine) block[s.size()] = '\0';
  } else if (!s.empty()) {
    std::memcpy(small, s.data(), s.size());
  }
  ReleaseText(r);
  r.len = static_cast<std::uint32_t>(s.size());
  if (block) {
    r.Storage = TRecord::stHeap;
    r.t.ptr = block;
  } else {
    r.Storage = TRecord::stInline;
    std::memcpy(r.t.inl, small, sizeof r.t.inl);
  }
}

// Frees the shared block when no line uses it, or moves the live lines into
// a smaller block when more than half of it is dead.
void TSrcEditStringList::CompactStore() {
  static_assert(std::is_trivially_copyable<TRecord>::value, "records are moved with memmove");
  static_assert(sizeof(TRecord) <= 24, "records stay compact");
  if (!FStore) return;
  if (FStore->live == 0) {
    FStore.reset();
    return;
  }
  if (FStore->size < kMinCompactSize || FStore->live * 2 >= FStore->size) return;
  std::unique_ptr<char[]> data(new char[FStore->live]);
  std::size_t pos = 0;
  for (int i = 0; i < FCount; ++i) {
    TRecord& r = FList[i];
    if (r.Storage != TRecord::stStore) continue;
    std::memcpy(data.get() + pos, r.t.ptr, r.len);
    r.t.ptr = data.get() + pos;
    pos += r.len;
  }
  FStore->data = std::move(data);
  FStore->size = FStore->live;
}

// --- capacity ----------------------------------------------------------------------

void TSrcEditStringList::SetCapacity(int newCapacity) {
  if (newCapacity < FCount) Error(kCapacityError);
  if (newCapacity == FCapacity) return;
  if (newCapacity == 0) {
    std::free(FList);
    FList = nullptr;
    FObjects.reset();
    FCapacity = 0;
    return;
  }
  void* p = std::realloc(FList, static_cast<std::size_t>(newCapacity) * sizeof(TRecord));
  if (!p) throw EOutOfMemory();
  FList = static_cast<TRecord*>(p);
  if (FObjects) {
    std::unique_ptr<TObject*[]> objects(new TObject*[static_cast<std::size_t>(newCapacity)]());
    std::copy(FObjects.get(), FObjects.get() + FCount, objects.get());
    FObjects = std::move(objects);
  }
  FCapacity = newCapacity;
}

void TSrcEditStringList::Grow() { SetCapacity(NextCapacity(FCapacity)); }

void TSrcEditStringList::ReserveFor(int newCount) {
  if (newCount > FCapacity) SetCapacity(((newCount + 15) / 16) * 16);
}

// --- reading -------------------------------------------------------------------------

std::string TSrcEditStringList::Get(int index) const {
  if (index < 0 || index >= FCount) return std::string();
  return std::string(Rec(index).View());
}

std::string_view TSrcEditStringList::LineView(int index) const {
  if (index < 0 || index >= FCount) return std::string_view();
  return Rec(index).View();
}

int TSrcEditStringList::LineLength(int index) const {
  if (index < 0 || index >= FCount) return 0;
  return static_cast<int>(Rec(index).len);
}

TObject* TSrcEditStringList::GetObject(int index) const {
  if (index < 0 || index >= FCount || !FObjects) return nullptr;
  return FObjects[static_cast<std::size_t>(index)];
}

int TSrcEditStringList::GetLineScanState(int index) const {
  if (index < 0 || index >= FCount) return 0;
  return Rec(index).ScanState;
}

TSrcEditLineFlags TSrcEditStringList::GetLineFlags(int index) const {
  if (index < 0 || index >= FCount) return 0;
  return Rec(index).Flags;
}

std::string TSrcEditStringList::GetTextStr() const {
  if (FCount == 0) return std::string();
  std::size_t total = static_cast<std::size_t>(FCount - 1) * 2;
  for (int i = 0; i < FCount; ++i) total += Rec(i).len;
  std::string r;
  r.resize(total);
  char* o = &r[0];
  for (int i = 0; i < FCount; ++i) {
    const TRecord& rec = Rec(i);
    std::memcpy(o, rec.Data(), rec.len);
    o += rec.len;
    if (i + 1 < FCount) {
      *o++ = '\r';
      *o++ = '\n';
    }
  }
  return r;
}

// --- changing --------------------------------------------------------------------------

void TSrcEditStringList::InsertItem(int index, std::string_view s) {
  if (s.size() > kMaxLineLength) throw EOutOfMemory();
  if (FCount == FCapacity) Grow();
  TRecord r;
  r.Storage = TRecord::stInline;
  r.len = 0;
  SetText(r, s);
  r.ScanState = -1;
  r.ExpandedLen = -1;
  r.Flags = lfWidthUnknown;
  if (index < FCount) {
    std::memmove(static_cast<void*>(FList + index + 1), FList + index,
                 static_cast<std::size_t>(FCount - index) * sizeof(TRecord));
    if (FObjects) std::move_backward(FObjects.get() + index, FObjects.get() + FCount, FObjects.get() + FCount + 1);
  }
  FList[index] = r;
  if (FObjects) FObjects[static_cast<std::size_t>(index)] = nullptr;
  ++FCount;
  // The new line may be the widest one; the old index may have moved.
  FLongestLineIndex = -1;
}

int TSrcEditStringList::Add(const std::string& s) {
  TUpdateBracket bracket(this);
  int index = FCount;
  InsertItem(index, s);
  if (OnLinesInserted) OnLinesInserted(this, index, 1);
  return index;
}

void TSrcEditStringList::Insert(int index, const std::string& s) {
  if (index < 0 || index > FCount) ListIndexError(index);
  TUpdateBracket bracket(this);
  InsertItem(index, s);
  if (OnLinesInserted) OnLinesInserted(this, index, 1);
}

void TSrcEditStringList::Put(int index, const std::string& s) { PutView(index, s); }

void TSrcEditStringList::PutView(int index, std::string_view s) {
  if (index == FCount) {
    Add(std::string(s));
    return;
  }
  if (index < 0 || index >= FCount) ListIndexError(index);
  TUpdateBracket bracket(this);
  TRecord& r = Rec(index);
  SetText(r, s);
  r.Flags = lfWidthUnknown;
  FLongestLineIndex = -1;
  CompactStore();
  if (OnLinesReplaced) OnLinesReplaced(this, index, 1);
}

void TSrcEditStringList::PutViews(int index, const std::string_view* texts, int count) {
  if (count <= 0) return;
  if (index < 0 || index >= FCount) ListIndexError(index);
  if (count > FCount - index) ListIndexError(index + count - 1);
  std::size_t extra = 0;
  for (int k = 0; k < count; ++k) {
    if (texts[k].size() > kMaxLineLength) throw EOutOfMemory();
    if (texts[k].size() > TRecord::kInline) extra += texts[k].size();
  }
  TUpdateBracket bracket(this);
  if (extra < kMinCompactSize) {
    // A few lines: a block each.
    for (int k = 0; k < count; ++k) PutView(index + k, texts[k]);
    return;
  }
  // The new block holds the shared lines still in use and the new texts;
  // it is taken before any line changes, so running out of memory leaves
  // the lines as they were.
  const std::size_t kept = FStore ? FStore->live : 0;
  std::unique_ptr<char[]> data(new char[kept + extra]);
  std::unique_ptr<TLineStore> fresh(FStore ? nullptr : new TLineStore);
  for (int k = 0; k < count; ++k) ReleaseText(Rec(index + k));
  std::size_t pos = 0;
  for (int i = 0; i < FCount; ++i) {
    TRecord& r = FList[i];
    if (r.Storage != TRecord::stStore) continue;
    std::memcpy(data.get() + pos, r.t.ptr, r.len);
    r.t.ptr = data.get() + pos;
    pos += r.len;
  }
  for (int k = 0; k < count; ++k) {
    TRecord& r = Rec(index + k);
    const std::string_view text = texts[k];
    r.len = static_cast<std::uint32_t>(text.size());
    r.Flags = lfWidthUnknown;
    if (text.size() > TRecord::kInline) {
      std::memcpy(data.get() + pos, text.data(), text.size());
      r.Storage = TRecord::stStore;
      r.t.ptr = data.get() + pos;
      pos += text.size();
    } else {
      r.Storage = TRecord::stInline;
      std::memset(r.t.inl, 0, sizeof r.t.inl);
      if (!text.empty()) std::memcpy(r.t.inl, text.data(), text.size());
    }
  }
  if (fresh) FStore = std::move(fresh);
  FStore->data = std::move(data);
  FStore->size = pos;
  FStore->live = pos;
  FLongestLineIndex = -1;
  if (OnLinesReplaced)
    for (int k = 0; k < count; ++k) OnLinesReplaced(this, index + k, 1);
}

void TSrcEditStringList::EditLine(int index, int pos, int count, std::string_view text) {
  if (index < 0 || index >= FCount) ListIndexError(index);
  TRecord& r = Rec(index);
  const std::size_t len = r.len;
  if (pos < 0 || count < 0 || static_cast<std::size_t>(pos) > len ||
      static_cast<std::size_t>(count) > len - static_cast<std::size_t>(pos))
    ListIndexError(pos < 0 || static_cast<std::size_t>(pos) > len ? pos : pos + count);
  const std::size_t at = static_cast<std::size_t>(pos), cut = static_cast<std::size_t>(count);
  const std::size_t newLen = len - cut + text.size();
  if (newLen > kMaxLineLength) throw EOutOfMemory();
  TUpdateBracket bracket(this);
  // The text may be a view of this very line.
  std::string own;
  const char* data = r.Data();
  if (!text.empty() && text.data() < data + len && data < text.data() + text.size()) {
    own.assign(text);
    text = own;
  }
  if (r.Flags & lfWidthUnknown) ComputeWidth(index);
  const int oldWidth = r.ExpandedLen;
  const bool noTabs = r.Flags == lfHasNoTabs && text.find('\t') == std::string_view::npos;
  if (r.Storage == TRecord::stHeap && BlockSize(newLen) == BlockSize(len)) {
    char* block = r.t.ptr;
    std::memmove(block + at + text.size(), block + at + cut, len - at - cut);
    if (!text.empty()) std::memcpy(block + at, text.data(), text.size());
    if (newLen >= kRoomyLine) block[newLen] = '\0';
    r.len = static_cast<std::uint32_t>(newLen);
  } else {
    std::string joined;
    joined.reserve(newLen);
    joined.append(data, at).append(text).append(data + at + cut, len - at - cut);
    SetText(r, joined);
  }
  TRecord& after = Rec(index);
  if (noTabs) {
    // Without tabs the width is the length: no walk over the line.
    after.ExpandedLen = static_cast<std::int32_t>(newLen);
    after.Flags = lfHasNoTabs;
  } else {
    ComputeWidth(index);
  }
  WidthChanged(index, oldWidth);
  CompactStore();
  if (OnLinesReplaced) OnLinesReplaced(this, index, 1);
}

const char* TSrcEditStringList::TerminatedLine(int index) const {
  if (index < 0 || index >= FCount) return nullptr;
  const TRecord& r = Rec(index);
  return r.Storage == TRecord::stHeap && r.len >= kRoomyLine ? r.t.ptr : nullptr;
}

void TSrcEditStringList::PutObject(int index, TObject* object) {
  if (index < 0 || index >= FCount) ListIndexError(index);
  if (!FObjects) {
    if (!object) return;
    FObjects.reset(new TObject*[static_cast<std::size_t>(FCapacity)]());
  }
  FObjects[static_cast<std::size_t>(index)] = object;
}

void TSrcEditStringList::AddStrings(TStrings* strings) {
  int n = strings->GetCount();
  if (n <= 0) return;
  TUpdateBracket bracket(this);
  FLongestLineIndex = -1;
  int first = FCount;
  ReserveFor(FCount + n);
  for (int i = 0; i < n; ++i) {
    TRecord r;
    r.Storage = TRecord::stInline;
    r.len = 0;
    SetText(r, strings->Get(i));
    r.ScanState = -1;
    r.ExpandedLen = -1;
    r.Flags = lfWidthUnknown;
    FList[FCount] = r;
    TObject* object = strings->GetObject(i);
    if (object && !FObjects) FObjects.reset(new TObject*[static_cast<std::size_t>(FCapacity)]());
    if (FObjects) FObjects[static_cast<std::size_t>(FCount)] = object;
    ++FCount;
  }
  if (OnLinesInserted) OnLinesInserted(this, first, n);
}

void TSrcEditStringList::Delete(int index) {
  if (index < 0 || index >= FCount) ListIndexError(index);
  TUpdateBracket bracket(this);
  ReleaseText(Rec(index));
  std::memmove(static_cast<void*>(FList + index), FList + index + 1,
               static_cast<std::size_t>(FCount - index - 1) * sizeof(TRecord));
  if (FObjects) std::move(FObjects.get() + index + 1, FObjects.get() + FCount, FObjects.get() + index);
  --FCount;
  if (FObjects) FObjects[static_cast<std::size_t>(FCount)] = nullptr;
  FLongestLineIndex = -1;
  CompactStore();
  if (OnLinesDeleted) OnLinesDeleted(this, index, 1);
}

void TSrcEditStringList::DeleteLines(int index, int numLines) {
  if (numLines <= 0) return;
  if (index < 0 || index >= FCount) ListIndexError(index);
  TUpdateBracket bracket(this);
  int n = std::min(numLines, FCount - index);
  for (int i = index; i < index + n; ++i) ReleaseText(Rec(i));
  std::memmove(static_cast<void*>(FList + index), FList + index + n,
               static_cast<std::size_t>(FCount - index - n) * sizeof(TRecord));
  if (FObjects) {
    std::move(FObjects.get() + index + n, FObjects.get() + FCount, FObjects.get() + index);
    std::fill(FObjects.get() + FCount - n, FObjects.get() + FCount, nullptr);
  }
  FCount -= n;
  // Keep the known widest line pointing at the same line.
  if (FLongestLineIndex >= index + n)
    FLongestLineIndex -= n;
  else if (FLongestLineIndex >= index)
    FLongestLineIndex = -1;
  CompactStore();
  if (OnLinesDeleted) OnLinesDeleted(this, index, n);
}

void TSrcEditStringList::InsertLines(int index, int numLines) {
  if (index < 0 || index > FCount) ListIndexError(index);
  if (numLines <= 0) return;
  if (static_cast<std::int64_t>(FCount) + numLines > 0x7FFFFFFF) throw EOutOfMemory();
  TUpdateBracket bracket(this);
  SetCapacity(FCount + numLines);
  std::memmove(static_cast<void*>(FList + index + numLines), FList + index,
               static_cast<std::size_t>(FCount - index) * sizeof(TRecord));
  std::memset(static_cast<void*>(FList + index), 0, static_cast<std::size_t>(numLines) * sizeof(TRecord));
  if (FObjects) {
    std::move_backward(FObjects.get() + index, FObjects.get() + FCount, FObjects.get() + FCount + numLines);
    std::fill(FObjects.get() + index, FObjects.get() + index + numLines, nullptr);
  }
  FCount += numLines;
  // The new lines are empty: the widest line stays the widest.
  if (FLongestLineIndex >= index) FLongestLineIndex += numLines;
  if (OnLinesInserted) OnLinesInserted(this, index, numLines);
}

void TSrcEditStringList::Clear() {
  if (FCount != 0) {
    TUpdateBracket bracket(this);
    FreeAll();
    FLongestLineIndex = -1;
    if (OnListCleared) OnListCleared(this);
  }
  FLongestLineIndex = -1;
}

void TSrcEditStringList::Exchange(int index1, int index2) {
  if (index1 < 0 || index1 >= FCount) ListIndexError(index1);
  if (index2 < 0 || index2 >= FCount) ListIndexError(index2);
  TUpdateBracket bracket(this);
  std::swap(FList[index1], FList[index2]);
  if (FObjects) std::swap(FObjects[static_cast<std::size_t>(index1)], FObjects[static_cast<std::size_t>(index2)]);
  if (FLongestLineIndex == index1)
    FLongestLineIndex = index2;
  else if (FLongestLineIndex == index2)
    FLongestLineIndex = index1;
}

void TSrcEditStringList::SetLineScanState(int index, int value) {
  if (index < 0 || index >= FCount) ListIndexError(index);
  TUpdateBracket bracket(this);
  Rec(index).ScanState = value;
}

void TSrcEditStringList::StoreLineScanState(int index, int value) {
  if (index < 0 || index >= FCount) ListIndexError(index);
  Rec(index).ScanState = value;
}

void TSrcEditStringList::SetUpdateState(bool updating) {
  if (updating) {
    if (OnUpdateBegun) OnUpdateBegun(this);
  } else {
    if (OnUpdateEnded) OnUpdateEnded(this);
  }
}

// --- tab expansion and widths ----------------------------------------------------------

std::string TSrcEditStringList::GetExpandedLine(int index) {
  if (index < 0 || index >= FCount) return std::string();
  TRecord& r = Rec(index);
  if (r.Flags & lfHasNoTabs) return std::string(r.View());
  if (r.len == 0) {
    r.ExpandedLen = 0;
    r.Flags = lfHasNoTabs;
    return std::string();
  }
  bool hasTabs = false;
  std::string result = FTabExpander(std::string(r.View()), FTabWidth, hasTabs);
  TRecord& after = Rec(index);
  after.ExpandedLen = static_cast<std::int32_t>(std::min<std::size_t>(result.size(), 0x7FFFFFFF));
  after.Flags = hasTabs ? lfHasTabs : lfHasNoTabs;
  return result;
}

// The same figures as GetExpandedLine, without building the expanded text.
void TSrcEditStringList::ComputeWidth(int index) {
  TRecord& r = Rec(index);
  if (r.len == 0) {
    r.ExpandedLen = 0;
    r.Flags = lfHasNoTabs;
    return;
  }
  std::string_view text = r.View();
  bool hasTabs = text.find('\t') != std::string_view::npos;
  std::int64_t width;
  if (!hasTabs)
    width = static_cast<std::int64_t>(text.size());
  else if (FTabWidth <= 1)
    width = static_cast<std::int64_t>(text.size());
  else
    width = ExpandedLength64(text, FTabWidth);
  r.ExpandedLen = static_cast<std::int32_t>(std::min<std::int64_t>(width, 0x7FFFFFFF));
  r.Flags = hasTabs ? lfHasTabs : lfHasNoTabs;
}

void TSrcEditStringList::WidthChanged(int index, int oldWidth) {
  if (FLongestLineIndex < 0) return;
  const int width = Rec(index).ExpandedLen;
  if (FLongestLineIndex == index) {
    if (width < oldWidth) FLongestLineIndex = -1;  // another line may be wider now
  } else if (width > Rec(FLongestLineIndex).ExpandedLen) {
    FLongestLineIndex = index;
  }
}

int TSrcEditStringList::GetExpandedLen(int index) {
  if (index < 0 || index >= FCount) return 0;
  if (Rec(index).Flags & lfWidthUnknown) ComputeWidth(index);
  return Rec(index).ExpandedLen;
}

int TSrcEditStringList::GetLongestLineLen() {
  if (FLongestLineIndex < 0) {
    int widest = 0;
    for (int i = 0; i < FCount; ++i) {
      if (Rec(i).Flags & lfWidthUnknown) ComputeWidth(i);
      if (Rec(i).ExpandedLen > widest) {
        widest = Rec(i).ExpandedLen;
        FLongestLineIndex = i;
      }
    }
  }
  if (FLongestLineIndex >= 0 && FLongestLineIndex < FCount) return Rec(FLongestLineIndex).ExpandedLen;
  return 0;
}

void TSrcEditStringList::SetTabWidth(int value) {
  if (value == FTabWidth) return;
  FTabWidth = value;
  FTabExpander = SelectTabExpander(value);
  FLongestLineIndex = -1;
  for (int i = 0; i < FCount; ++i) {
    TRecord& r = Rec(i);
    r.ExpandedLen = -1;
    r.Flags = static_cast<TSrcEditLineFlags>((r.Flags & ~lfHasNoTabs) | lfWidthUnknown);
  }
}

// --- loading and saving ------------------------------------------------------------------

void TSrcEditStringList::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyNone);
  LoadFromStream(&stream);
}

// The records of a text being loaded, owned until they are taken over.
struct TSrcEditStringList::TLoadedLines {
  TRecord* list = nullptr;
  int count = 0;
  int capacity = 0;
  TLoadedLines() = default;
  TLoadedLines(const TLoadedLines&) = delete;
  TLoadedLines& operator=(const TLoadedLines&) = delete;
  TLoadedLines(TLoadedLines&& o) noexcept : list(o.list), count(o.count), capacity(o.capacity) { o.list = nullptr; }
  ~TLoadedLines() { std::free(list); }
  TRecord& Append() {
    if (count == 0x7FFFFFFF) throw EOutOfMemory();
    if (count == capacity) {
      int next = NextCapacity(capacity);
      void* p = std::realloc(list, static_cast<std::size_t>(next) * sizeof(TRecord));
      if (!p) throw EOutOfMemory();
      list = static_cast<TRecord*>(p);
      capacity = next;
    }
    TRecord& r = list[count++];
    std::memset(static_cast<void*>(&r), 0, sizeof r);
    r.ScanState = -1;
    r.ExpandedLen = -1;
    r.Flags = lfWidthUnknown;
    return r;
  }
  TRecord* Release(int& capacityOut) {
    capacityOut = capacity;
    TRecord* r = list;
    list = nullptr;
    return r;
  }
};

// Splits the block into line records: CR LF, a lone CR and a lone LF each
// end one line; a final break gives a final empty line. Long lines point
// into the block, short ones are copied into their records.
TSrcEditStringList::TLoadedLines TSrcEditStringList::SplitLines(TLineStore* store, bool& sawCR, bool& sawLF) {
  TLoadedLines lines;
  const char* text = store->data.get();
  const std::size_t n = store->size;
  std::size_t live = 0;
  for (std::size_t i = 0; i < n;) {
    std::size_t j = FindBreak(text, i, n);
    std::size_t len = j - i;
    if (len > kMaxLineLength) throw EOutOfMemory();
    TRecord& r = lines.Append();
    r.len = static_cast<std::uint32_t>(len);
    if (len <= TRecord::kInline) {
      r.Storage = TRecord::stInline;
      if (len) std::memcpy(r.t.inl, text + i, len);
    } else {
      r.Storage = TRecord::stStore;
      r.t.ptr = const_cast<char*>(text + i);
      live += len;
    }
    if (j < n && text[j] == '\r') {
      ++j;
      sawCR = true;
    }
    if (j < n && text[j] == '\n') {
      ++j;
      sawLF = true;
    }
    i = j;
  }
  if (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n')) lines.Append();
  store->live = live;
  return lines;
}

void TSrcEditStringList::LoadFromStream(TStream* stream) {
  bool sawCR = false, sawLF = false;
  {
    TUpdateBracket bracket(this);
    // The new text is read and split into a list of its own; the old lines
    // are replaced only once that has worked, so a read failure, a line too
    // long or memory running out leaves the document as it was.
    std::int64_t size = stream->Size();
    if (size < 0) throw EReadError("Stream read error");
    if (static_cast<std::uint64_t>(size) > SIZE_MAX / 2) throw EOutOfMemory();
    std::unique_ptr<TLineStore> store(new TLineStore);
    store->size = static_cast<std::size_t>(size);
    store->data.reset(new (std::nothrow) char[store->size ? store->size : 1]);
    if (!store->data) throw EOutOfMemory();
    stream->SetPosition(0);
    stream->ReadBuffer(store->data.get(), size);

    TLoadedLines lines = SplitLines(store.get(), sawCR, sawLF);
    Clear();
    FList = lines.Release(FCapacity);
    FCount = 0;
    if (lines.count > 0) FStore = std::move(store);
    // Each line is reported as it is added.
    for (int k = 0; k < lines.count; ++k) {
      FCount = k + 1;
      if (OnLinesInserted) OnLinesInserted(this, k, 1);
    }
    FLongestLineIndex = -1;
    CompactStore();
  }
  if (sawCR && !sawLF)
    FFileFormat = lbCr;
  else if (sawLF && !sawCR)
    FFileFormat = lbLf;
  else
    FFileFormat = lbCrLf;
}

void TSrcEditStringList::SaveToStream(TStream* stream) {
  if (FCount == 0) return;
  std::size_t brk = FFileFormat == lbCrLf ? 2 : 1;
  std::size_t total = static_cast<std::size_t>(FCount - 1) * brk;
  for (int i = 0; i < FCount; ++i) total += Rec(i).len;
  std::unique_ptr<char[]> buf(new char[total ? total : 1]);
  char* o = buf.get();
  for (int i = 0; i < FCount; ++i) {
    const TRecord& r = Rec(i);
    std::memcpy(o, r.Data(), r.len);
    o += r.len;
    if (i + 1 < FCount) {
      if (FFileFormat != lbLf) *o++ = '\r';
      if (FFileFormat != lbCr) *o++ = '\n';
    }
  }
  stream->WriteBuffer(buf.get(), static_cast<std::int64_t>(total));
}

void TSrcEditStringList::SaveToFile(const std::string& fileName) {
  TSrcEditFileWriter writer(fileName);
  writer.SetFileFormat(FFileFormat);
  for (int i = 0; i + 1 < FCount; ++i) writer.WriteLine(Rec(i).View());
  if (FCount > 0) writer.Write(Rec(FCount - 1).View());
  writer.Close();
}

// --- buffered writer ------------------------------------------------------------------------

TSrcEditFiler::TSrcEditFiler() : FBuffer(new char[DefaultBufferSize]) {}
TSrcEditFiler::~TSrcEditFiler() = default;

TSrcEditFileWriter::TSrcEditFileWriter(const std::string& fileName)
    : FOwnStream(new TReplaceFileStream(fileName)), FStream(FOwnStream.get()) {}

TSrcEditFileWriter::TSrcEditFileWriter(TStream* stream) : FStream(stream) {}

TSrcEditFileWriter::~TSrcEditFileWriter() {
  if (FClosed) return;
  if (FOwnStream) return;  // not closed: the target file stays as it was
  try {
    Flush();
  } catch (...) {
    // a destructor reports nothing; Close() is the checked way
  }
}

void TSrcEditFileWriter::Append(std::string_view text, bool lineBreak) {
  std::size_t brk = lineBreak ? (FFileFormat == lbCrLf ? 2 : 1) : 0;
  std::size_t k = text.size() + brk;
  std::size_t size = static_cast<std::size_t>(FBufferSize);
  if (static_cast<std::size_t>(FFillPos) + k > size) Flush();
  if (k > size) {
    // Longer than the whole buffer: straight to the stream.
    FStream->WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
  } else {
    std::memcpy(FBuffer.get() + FFillPos, text.data(), text.size());
    FFillPos += static_cast<int>(text.size());
  }
  if (lineBreak) {
    if (FFileFormat != lbLf) FBuffer[static_cast<std::size_t>(FFillPos++)] = '\r';
    if (FFileFormat != lbCr) FBuffer[static_cast<std::size_t>(FFillPos++)] = '\n';
  }
}

void TSrcEditFileWriter::Write(std::string_view text) { Append(text, false); }
void TSrcEditFileWriter::WriteLine(std::string_view text) { Append(text, true); }

void TSrcEditFileWriter::Flush() {
  if (FFillPos > 0) {
    FStream->WriteBuffer(FBuffer.get(), FFillPos);
    FFillPos = 0;
  }
}

void TSrcEditFileWriter::Close() {
  if (FClosed) return;
  Flush();
  if (FOwnStream) FOwnStream->Commit();
  FClosed = true;
}
