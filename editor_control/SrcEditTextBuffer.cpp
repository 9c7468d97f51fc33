#include "SrcEditTextBuffer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

#include "platform/CodePage.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

// Large blocks of text (the text a load reads, long lines) are backed by
// huge pages where the system offers them on request: filling a
// fresh block then takes one page fault per 2 MB instead of one per 4 KB,
// which is most of the time a large load takes. (Not for the record array:
// it grows by realloc, and a moved huge-page mapping is copied.)
void AdviseHugePages(const void* p, std::size_t n) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr std::uintptr_t kHuge = std::uintptr_t(2) << 20;
  if (!p || n < 2 * kHuge) return;
  const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(p) + kHuge - 1) & ~(kHuge - 1);
  const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(p) + n) & ~(kHuge - 1);
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)p;
  (void)n;
#endif
}

}  // namespace

// One line in eight bytes. Text of up to four bytes is kept in `ref`
// itself; a longer short line is at offset `ref` of the block a load read
// (TLineStore) or of the arena of stored short lines (TArena); a long line
// is entry `ref` of the long-line table, which keeps its length. The scan
// state is coded in one byte (states that do not fit go to a side array);
// the flags and the kind of storage share the last byte. Records are
// trivially copyable and moved with memmove.
struct TSrcEditStringList::TRecord {
  std::uint32_t ref;
  std::uint16_t len;
  std::uint8_t state;
  std::uint8_t bits;
};

// A long line: an own block (malloc'ed) with room in front of the text and
// after it (and a NUL after the text), or a run of the block a load read.
struct TSrcEditStringList::TLongLine {
  char* block;           // null: a run of the load's block
  std::size_t start;     // offset of the text in `block`, or in the load's block
  std::size_t capacity;  // bytes of `block`
  std::size_t len;
};

// The block a load read; the lines point into it. `live` counts the bytes
// still referenced; the block is compacted when half of it is dead. The
// text starts at `data` inside `block` (malloc'ed, `capacity` bytes, at
// least one byte after the text), so that a long line holding the whole
// text can take the block over with the room around it.
class TSrcEditStringList::TLineStore {
 public:
  char* block = nullptr;
  std::size_t capacity = 0;
  char* data = nullptr;
  std::size_t size = 0;
  std::size_t live = 0;
  TLineStore() = default;
  TLineStore(const TLineStore&) = delete;
  TLineStore& operator=(const TLineStore&) = delete;
  ~TLineStore() { std::free(block); }
  void Allocate(std::size_t front, std::size_t textSize, std::size_t back) {
    block = static_cast<char*>(std::malloc(front + textSize + back));
    if (!block) throw EOutOfMemory();
    capacity = front + textSize + back;
    data = block + front;
    size = textSize;
    AdviseHugePages(data, textSize);
  }
};

// The bytes of the arena below. A large arena is, where the system offers
// it, a mapping of its own that grows in place: growing copies nothing (a
// Replace All or an undo that stores many lines at once does not hold the
// old bytes and the new ones side by side), and room not yet written takes
// no memory.
class TArenaBytes {
 public:
  TArenaBytes() = default;
  TArenaBytes(const TArenaBytes&) = delete;
  TArenaBytes& operator=(const TArenaBytes&) = delete;
  TArenaBytes& operator=(TArenaBytes&& other) noexcept {
    std::swap(FData, other.FData);
    std::swap(FSize, other.FSize);
    std::swap(FMapped, other.FMapped);
    return *this;
  }
  ~TArenaBytes() { Free(); }
  char* get() const { return FData; }
  // Gives the pages past the first `used` bytes back to the system; the
  // room stays for the arena to grow into.
  void Release(std::size_t used) {
#if defined(__linux__) && defined(MADV_DONTNEED)
    if (!FMapped) return;
    const std::size_t from = (used + kPage - 1) & ~(kPage - 1);
    if (from < FSize) ::madvise(FData + from, FSize - from, MADV_DONTNEED);
#else
    (void)used;
#endif
  }
  // Room for `n` bytes, the first `used` kept.
  void Resize(std::size_t used, std::size_t n) {
#if defined(__linux__) && defined(MREMAP_MAYMOVE)
    if (n >= kMapFrom) {
      const std::size_t length = (n + kPage - 1) & ~(kPage - 1);
      void* p;
      if (FMapped) {
        p = ::mremap(FData, FSize, length, MREMAP_MAYMOVE);
      } else {
        p = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p != MAP_FAILED && used) std::memcpy(p, FData, used);
      }
      if (p == MAP_FAILED) throw EOutOfMemory();
      if (!FMapped) std::free(FData);
      FData = static_cast<char*>(p);
      FSize = length;
      FMapped = true;
      return;
    }
#endif
    char* p = static_cast<char*>(std::malloc(std::max<std::size_t>(n, 1)));
    if (!p) throw EOutOfMemory();
    if (used) std::memcpy(p, FData, used);
    Free();
    FData = p;
    FSize = n;
  }

 private:
  static constexpr std::size_t kMapFrom = std::size_t(1) << 20;
  static constexpr std::size_t kPage = 4096;
  void Free() {
#if defined(__linux__)
    if (FMapped) {
      ::munmap(FData, FSize);
      FData = nullptr;
      FMapped = false;
      return;
    }
#endif
    std::free(FData);
    FData = nullptr;
  }
  char* FData = nullptr;
  std::size_t FSize = 0;
  bool FMapped = false;
};

// Short lines stored after a load, one after another; `dead` counts the
// bytes no line uses any more.
class TSrcEditStringList::TArena {
 public:
  TArenaBytes data;
  std::size_t size = 0;
  std::size_t capacity = 0;
  std::size_t dead = 0;
  bool CanTake(std::size_t n) const { return size + n <= 0xFFFFFFFFu; }
  void Reserve(std::size_t n) {
    if (size + n <= capacity) return;
    std::size_t next = std::max<std::size_t>(std::max<std::size_t>(capacity * 2, 1 << 16), size + n);
    data.Resize(size, next);
    capacity = next;
  }
};

// A per-line array beside the records, as large as their capacity.
template <typename T>
class TSrcEditStringList::TSideArray {
 public:
  explicit TSideArray(int capacity) : FData(new T[static_cast<std::size_t>(std::max(capacity, 1))]()) {}
  T& operator[](int i) { return FData[static_cast<std::size_t>(i)]; }
  T operator[](int i) const { return FData[static_cast<std::size_t>(i)]; }
  void Resize(int count, int capacity) {
    std::unique_ptr<T[]> data(new T[static_cast<std::size_t>(std::max(capacity, 1))]());
    std::copy(FData.get(), FData.get() + count, data.get());
    FData = std::move(data);
  }
  void Open(int index, int count, int n) {
    std::move_backward(FData.get() + index, FData.get() + count, FData.get() + count + n);
    std::fill(FData.get() + index, FData.get() + index + n, T());
  }
  void Close(int index, int count, int n) {
    std::move(FData.get() + index + n, FData.get() + count, FData.get() + index);
    std::fill(FData.get() + count - n, FData.get() + count, T());
  }

 private:
  std::unique_ptr<T[]> FData;
};

namespace {

const char kInvalidIndex[] = "Invalid stringlist index %d";
const char kCapacityError[] = "Stringlist capacity cannot be smaller than count";
constexpr std::size_t kMaxLineLength = 0x7FFFFFFF;
constexpr std::size_t kMinCompactSize = 1 << 16;
constexpr std::size_t kInline = 4;

// Kinds of storage (the high nibble of a record's last byte).
enum : std::uint8_t { stInline = 0, stStore = 1, stArena = 2, stLong = 3 };
constexpr std::uint8_t kFlagMask = 0x0F;

// Scan states 0..253 are their own code; -1 (not scanned) has one; any
// other state is kept in the side array.
constexpr std::uint8_t kUnscannedCode = 254;
constexpr std::uint8_t kWideCode = 255;

template <typename R>
std::uint8_t StorageOf(const R* r) {
  return static_cast<std::uint8_t>(r->bits >> 4);
}

int NextCapacity(int capacity) {
  const std::int64_t c = capacity;
  return static_cast<int>(std::min<std::int64_t>(c > 64 ? c + c / 4 : c + 16, 0x7FFFFFFF));
}

// A line of this length or more is a long line: it owns a block with room
// to grow in place and a NUL after its text (the highlighters scan it
// without a copy).
constexpr std::size_t kRoomyLine = 4096;
// Moving this many bytes costs next to nothing: an edit near the start of a
// line shorter than this moves the rest, and only longer lines keep room in
// front of their text as well.
constexpr std::size_t kCheapMove = 1 << 16;
// A load whose first kCheapMove bytes hold fewer line breaks than this
// starts with a long line; a long line may take over the load's block when
// the list has no more lines than kTakeOverLines (the other lines are walked).
constexpr std::size_t kFewBreaks = 16;
constexpr int kTakeOverLines = 1 << 16;
// Bytes of records (and of text) from which a load counts its lines first.
constexpr std::size_t kManyRecords = std::size_t(4) << 20;

// Room after and before the text of a long line's new block: an eighth of
// the text after a line of moderate length; a sixteenth at each end of a
// line longer than kCheapMove, so that typing at either end changes the
// block only once every few kilobytes.
std::size_t RoomAfter(std::size_t len) {
  if (len < kRoomyLine) return 0;
  return len < kCheapMove ? len / 8 : len / 16;
}
std::size_t RoomBefore(std::size_t len) { return len < kCheapMove ? 0 : len / 16; }

// The first CR or LF in text[i, n), or n, looking for both at once: each
// byte is examined once, whatever the style of the breaks (searching for
// one kind to the end of the text before the other would read a file of CR
// breaks once per line). `examined` counts the bytes looked at.
std::size_t FindBreak(const char* text, std::size_t i, std::size_t n, std::size_t& examined) {
  const std::size_t from = i;
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  for (; i + 16 <= n; i += 16) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
    unsigned mask =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))));
    if (mask) {
      examined += i + 16 - from;
      return i + static_cast<std::size_t>(__builtin_ctz(mask));
    }
  }
#endif
  while (i < n && text[i] != '\r' && text[i] != '\n') ++i;
  examined += (i < n ? i + 1 : n) - from;
  return i;
}

thread_local std::uint64_t gScannedBytes = 0;

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

std::uint64_t LoadScannedBytes() { return gScannedBytes; }

std::int64_t TextChars(std::string_view bytes) {
  std::int64_t chars = static_cast<std::int64_t>(bytes.size());
  // A lone CR or a lone LF is one byte of a two-character break.
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' ? i + 1 == bytes.size() || bytes[i + 1] != '\n'
                         : bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
      ++chars;
  }
  return chars;
}

std::string FileTooLargeMessage(const std::string& fileName) {
  return Ansi("Файл \"") + fileName +
         Ansi(
             "\" не открыт: он слишком велик для редактора. В документе может быть не больше 2 147 483 647 "
             "знаков (перевод строки считается за два знака).");
}

namespace {

std::string TextTooLargeMessage() {
  return Ansi(
      "Текст слишком велик для редактора. В документе может быть не больше 2 147 483 647 знаков "
      "(перевод строки считается за два знака).");
}

}  // namespace

std::string InsertionTooLargeMessage(const std::string& fileName) {
  const std::string what = fileName.empty() ? Ansi("Текст из буфера обмена") : Ansi("Документ \"") + fileName + "\"";
  return what + Ansi(
                    " не вставлен: документ стал бы слишком велик для редактора. В документе может быть не больше "
                    "2 147 483 647 знаков (перевод строки считается за два знака).");
}

// --- construction -------------------------------------------------------------

TSrcEditStringList::TSrcEditStringList() { FTabExpander = SelectTabExpander(FTabWidth); }

TSrcEditStringList::~TSrcEditStringList() {
  OnUpdateBegun = nullptr;
  OnUpdateEnded = nullptr;
  FreeAll();
}

void TSrcEditStringList::FreeAll() {
  if (FLong)
    for (TLongLine& l : *FLong) std::free(l.block);
  FLong.reset();
  FFreeLong = std::vector<std::uint32_t>();
  std::free(FList);
  FList = nullptr;
  FCount = 0;
  FCapacity = 0;
  FAllocated = 0;
  FObjects.reset();
  FWideStates.reset();
  FWidths.reset();
  FStore.reset();
  FArena.reset();
}

void TSrcEditStringList::ListIndexError(int index) const { throw ESrcEditStringList(Format(kInvalidIndex, index)); }

// --- text storage ----------------------------------------------------------------

std::string_view TSrcEditStringList::View(const TRecord& r) const {
  switch (StorageOf(&r)) {
    case stInline: return std::string_view(reinterpret_cast<const char*>(&r.ref), r.len);
    case stStore: return std::string_view(FStore->data + r.ref, r.len);
    case stArena: return std::string_view(FArena->data.get() + r.ref, r.len);
    default: {
      const TLongLine& l = (*FLong)[r.ref];
      return std::string_view((l.block ? l.block : FStore->data) + l.start, l.len);
    }
  }
}

void TSrcEditStringList::ReleaseText(TRecord& r) {
  switch (StorageOf(&r)) {
    case stStore: FStore->live -= r.len; break;
    case stArena: FArena->dead += r.len; break;
    case stLong: {
      TLongLine& l = (*FLong)[r.ref];
      if (l.block)
        std::free(l.block);
      else
        FStore->live -= l.len;
      l = TLongLine{nullptr, 0, 0, 0};
      FFreeLong.push_back(r.ref);  // never grows: reserved for every entry
      break;
    }
    default: break;
  }
  r.bits &= kFlagMask;
  r.ref = 0;
  r.len = 0;
}

std::uint32_t TSrcEditStringList::NewLongLine(std::string_view head, std::string_view text, std::string_view tail) {
  const std::size_t len = head.size() + text.size() + tail.size();
  const std::size_t front = RoomBefore(len);
  const std::size_t capacity = front + len + 1 + RoomAfter(len);
  if (!FLong) FLong.reset(new std::vector<TLongLine>);
  if (FFreeLong.empty()) {
    if (FLong->size() >= 0xFFFFFFFFu) throw EOutOfMemory();
    FFreeLong.reserve(FLong->size() + 1);
    FLong->push_back(TLongLine{nullptr, 0, 0, 0});
    FFreeLong.push_back(static_cast<std::uint32_t>(FLong->size() - 1));
  }
  char* block = static_cast<char*>(std::malloc(capacity));
  if (!block) throw EOutOfMemory();
  AdviseHugePages(block + front, len);
  char* o = block + front;
  if (!head.empty()) std::memcpy(o, head.data(), head.size());
  o += head.size();
  if (!text.empty()) std::memcpy(o, text.data(), text.size());
  o += text.size();
  if (!tail.empty()) std::memcpy(o, tail.data(), tail.size());
  block[front + len] = '\0';
  const std::uint32_t index = FFreeLong.back();
  FFreeLong.pop_back();
  (*FLong)[index] = TLongLine{block, front, capacity, len};
  return index;
}

void TSrcEditStringList::SetText(TRecord& r, std::string_view s) {
  if (s.size() > kMaxLineLength) throw EOutOfMemory();
  const std::uint8_t flags = r.bits & kFlagMask;
  const std::size_t n = s.size();
  if (n <= kInline) {
    std::uint32_t ref = 0;
    if (n) std::memcpy(&ref, s.data(), n);
    ReleaseText(r);
    r.ref = ref;
    r.len = static_cast<std::uint16_t>(n);
    return;
  }
  if (n < kRoomyLine) {
    const std::uint8_t kind = StorageOf(&r);
    // Our own bytes are rewritten where they are when the text fits there
    // (or the line is the last one of the arena and the arena has room).
    if ((kind == stStore && n <= r.len) ||
        (kind == stArena && (n <= r.len || (r.ref + r.len == FArena->size && r.ref + n <= FArena->capacity)))) {
      char* at = (kind == stStore ? FStore->data : FArena->data.get()) + r.ref;
      std::memmove(at, s.data(), n);
      if (kind == stStore) {
        FStore->live -= r.len - n;
      } else if (r.ref + r.len == FArena->size) {
        FArena->size = r.ref + n;
      } else {
        FArena->dead += r.len - n;
      }
      r.len = static_cast<std::uint16_t>(n);
      return;
    }
    if (!FArena) FArena.reset(new TArena);
    if (FArena->CanTake(n)) {
      // The text may be in the arena, which may move as it grows.
      char copy[kRoomyLine];
      std::memcpy(copy, s.data(), n);
      FArena->Reserve(n);
      const std::size_t offset = FArena->size;
      std::memcpy(FArena->data.get() + offset, copy, n);
      FArena->size += n;
      ReleaseText(r);
      r.ref = static_cast<std::uint32_t>(offset);
      r.len = static_cast<std::uint16_t>(n);
      r.bits = static_cast<std::uint8_t>(flags | (stArena << 4));
      return;
    }
    // An arena past 4 GB: the line gets a block of its own.
  }
  // The new text is copied before the old one is released: it may be a view
  // of the old one.
  const std::uint32_t index = NewLongLine(s, std::string_view(), std::string_view());
  ReleaseText(r);
  r.ref = index;
  r.bits = static_cast<std::uint8_t>(flags | (stLong << 4));
}

// Edits a long line in its block: the bytes on the cheaper side of the
// change move into the room at that end. A run of the load's block, a block
// without the room needed, and one left mostly empty are replaced by a new
// block.
void TSrcEditStringList::EditLongLine(TLongLine& line, std::size_t at, std::size_t cut, std::string_view text) {
  const std::size_t len = line.len, add = text.size(), tail = len - at - cut;
  const std::size_t newLen = len - cut + add;
  if (!line.block) TakeOverStore(line);
  if (line.block) {
    char* b = line.block;
    std::size_t f = line.start;
    const std::size_t back = line.capacity - f - len - 1;
    const bool tooRoomy = line.capacity > 2 * kRoomyLine && newLen < line.capacity / 4;
    bool done = false;
    if (tooRoomy) {
      // a new block, below
    } else if (add >= cut) {
      // Only the shorter side (or one that costs next to nothing) moves: when
      // the room is on the other side, a new block with room at both ends is
      // cheaper over the next edits than moving the longer side each time.
      const std::size_t d = add - cut;
      if (back >= d && (tail <= kCheapMove || tail <= at)) {
        std::memmove(b + f + at + add, b + f + at + cut, tail);
        done = true;
      } else if (f >= d && (at <= kCheapMove || at <= tail)) {
        std::memmove(b + f - d, b + f, at);
        f -= d;
        done = true;
      }
    } else {
      const std::size_t d = cut - add;
      if (tail <= kCheapMove || tail <= at) {
        std::memmove(b + f + at + add, b + f + at + cut, tail);
      } else {
        std::memmove(b + f + d, b + f, at);
        f += d;
      }
      done = true;
    }
    if (done) {
      if (add) std::memcpy(b + f + at, text.data(), add);
      b[f + newLen] = '\0';
      line.start = f;
      line.len = newLen;
      return;
    }
  }
  const char* old = (line.block ? line.block : FStore->data) + line.start;
  // NewLongLine may move the table; the entry is found again by its place.
  const std::size_t self = static_cast<std::size_t>(&line - FLong->data());
  const std::uint32_t fresh = NewLongLine(std::string_view(old, at), text, std::string_view(old + at + cut, tail));
  TLongLine& target = (*FLong)[self];
  TLongLine& made = (*FLong)[fresh];
  if (target.block)
    std::free(target.block);
  else
    FStore->live -= target.len;
  target = made;
  made = TLongLine{nullptr, 0, 0, 0};
  FFreeLong.push_back(fresh);
}

// The live lines of the load's block, in the order of the lines, one after
// another from `to` (the block itself, or a new one): each long line
// followed by its NUL. The records follow them; the bytes written.
std::size_t TSrcEditStringList::PackStoreLines(const char* from, char* to) {
  std::size_t pos = 0;
  for (int i = 0; i < FCount; ++i) {
    TRecord& r = FList[i];
    const std::uint8_t kind = StorageOf(&r);
    if (kind == stStore) {
      if (r.len) std::memmove(to + pos, from + r.ref, r.len);
      r.ref = static_cast<std::uint32_t>(pos);
      pos += r.len;
    } else if (kind == stLong) {
      TLongLine& l = (*FLong)[r.ref];
      if (l.block) continue;
      std::memmove(to + pos, from + l.start, l.len);
      l.start = pos;
      pos += l.len;
      to[pos++] = '\0';
    }
  }
  return pos;
}

// The live lines of the load's block moved down in it, when they lie there
// in the order of the lines: each line then moves to an offset no later
// than its own, over bytes no line uses any more (a long line keeps the NUL
// after it: its break or the spare byte was there). False, nothing done,
// when the order differs (lines moved, as a sort moves them).
bool TSrcEditStringList::CompactStoreInPlace() {
  std::size_t last = 0;
  for (int i = 0; i < FCount; ++i) {
    const TRecord& r = FList[i];
    const std::uint8_t kind = StorageOf(&r);
    std::size_t at;
    if (kind == stStore) {
      at = r.ref;
    } else if (kind == stLong && !(*FLong)[r.ref].block) {
      at = (*FLong)[r.ref].start;
    } else {
      continue;
    }
    if (at < last) return false;
    last = at;
  }
  const std::size_t pos = PackStoreLines(FStore->data, FStore->data);
  // The block is cut after the lines and the spare byte; a smaller block
  // stays where it is.
  const std::size_t front = static_cast<std::size_t>(FStore->data - FStore->block);
  if (void* p = std::realloc(FStore->block, front + pos + 1)) {
    FStore->block = static_cast<char*>(p);
    FStore->data = FStore->block + front;
    FStore->capacity = front + pos + 1;
  }
  FStore->size = pos;
  return true;
}

// Frees the shared block when no line uses it, or, once a quarter of it is
// dead, moves the live lines together: in place when they lie in the block
// in the order of the lines (as a load leaves them), the block then cut to
// their size; else into a smaller block.
void TSrcEditStringList::CompactStore() {
  static_assert(std::is_trivially_copyable<TRecord>::value, "records are moved with memmove");
  static_assert(sizeof(TRecord) == 8, "records stay compact");
  if (!FStore) return;
  if (FStore->live == 0) {
    FStore.reset();
    return;
  }
  // Offsets in records stay within 32 bits.
  if (FStore->size < kMinCompactSize || FStore->live * 4 > FStore->size * 3 || FStore->live > 0xFFFFFFFFu) return;
  if (CompactStoreInPlace()) return;
  // One byte more: the text is followed by a spare byte (see TLineStore);
  // and one after each long line, its NUL.
  std::size_t longs = 0;
  if (FLong)
    for (const TLongLine& l : *FLong) longs += l.block == nullptr;
  char* data = static_cast<char*>(std::malloc(FStore->live + longs + 1));
  if (!data) throw EOutOfMemory();
  AdviseHugePages(data, FStore->live);
  const std::size_t pos = PackStoreLines(FStore->data, data);
  std::free(FStore->block);
  FStore->block = FStore->data = data;
  FStore->capacity = FStore->live + longs + 1;
  FStore->size = pos;
}

// The first edit of a long line read by a load: when the line is nearly all
// the load's block still holds (a file of one long line, perhaps with a few
// short ones), the few other bytes move out (short lines to the arena, long
// runs to blocks of their own) and the line takes over the block with the
// room the load left around the text, instead of being copied.
void TSrcEditStringList::TakeOverStore(TLongLine& line) {
  if (!FStore || FStore->live < line.len || FStore->live - line.len > kCheapMove || FCount > kTakeOverLines) return;
  const std::size_t others = FStore->live - line.len;
  if (others) {
    if (!FArena) FArena.reset(new TArena);
    if (!FArena->CanTake(others)) return;
    FArena->Reserve(others);
  }
  const char* from = FStore->data;
  for (int i = 0; i < FCount && FStore->live > line.len; ++i) {
    TRecord& r = FList[i];
    const std::uint8_t kind = StorageOf(&r);
    if (kind == stStore) {
      const std::size_t offset = FArena->size;
      std::memcpy(FArena->data.get() + offset, from + r.ref, r.len);
      FArena->size += r.len;
      FStore->live -= r.len;
      r.ref = static_cast<std::uint32_t>(offset);
      r.bits = static_cast<std::uint8_t>((r.bits & kFlagMask) | (stArena << 4));
    } else if (kind == stLong) {
      TLongLine& l = (*FLong)[r.ref];
      if (l.block || &l == &line) continue;
      char* block = static_cast<char*>(std::malloc(l.len + 1));
      if (!block) throw EOutOfMemory();
      std::memcpy(block, from + l.start, l.len);
      block[l.len] = '\0';
      FStore->live -= l.len;
      l = TLongLine{block, 0, l.len + 1, l.len};
    }
  }
  line.start += static_cast<std::size_t>(FStore->data - FStore->block);
  line.block = FStore->block;
  line.capacity = FStore->capacity;
  line.block[line.start + line.len] = '\0';
  FStore->block = FStore->data = nullptr;
  FStore.reset();
}

// Once a quarter of the arena is dead, the live lines move down in it in
// the order of their offsets (each to an offset no later than its own), and
// the pages past them go back to the system: no second arena is made.
void TSrcEditStringList::CompactArena() {
  if (!FArena) return;
  const std::size_t live = FArena->size - FArena->dead;
  if (live == 0) {
    FArena.reset();
    return;
  }
  if (FArena->size < kMinCompactSize || FArena->dead * 4 < FArena->size) return;
  // The lines in the arena, by offset: usually already in the order of the
  // lines; otherwise sorted by offset in two passes of 16 bits each.
  std::vector<std::uint32_t> order;
  order.reserve(static_cast<std::size_t>(FCount));
  bool sorted = true;
  std::uint32_t last = 0;
  for (int i = 0; i < FCount; ++i) {
    const TRecord& r = FList[i];
    if (StorageOf(&r) != stArena) continue;
    if (r.ref < last) sorted = false;
    last = r.ref;
    order.push_back(static_cast<std::uint32_t>(i));
  }
  if (!sorted) {
    std::vector<std::uint32_t> other(order.size());
    std::vector<std::uint32_t> counts(1 << 16);
    for (int shift = 0; shift < 32; shift += 16) {
      std::fill(counts.begin(), counts.end(), 0);
      for (std::uint32_t i : order) ++counts[(FList[i].ref >> shift) & 0xFFFF];
      std::uint32_t sum = 0;
      for (std::uint32_t& c : counts) {
        const std::uint32_t n = c;
        c = sum;
        sum += n;
      }
      for (std::uint32_t i : order) other[counts[(FList[i].ref >> shift) & 0xFFFF]++] = i;
      order.swap(other);
    }
  }
  char* data = FArena->data.get();
  std::size_t pos = 0;
  for (std::uint32_t i : order) {
    TRecord& r = FList[i];
    std::memmove(data + pos, data + r.ref, r.len);
    r.ref = static_cast<std::uint32_t>(pos);
    pos += r.len;
  }
  FArena->size = pos;
  FArena->dead = 0;
  FArena->data.Release(pos);
}

// --- side arrays -----------------------------------------------------------------

void TSrcEditStringList::OpenSideGap(int index, int n) {
  if (FObjects) FObjects->Open(index, FCount, n);
  if (FWideStates) FWideStates->Open(index, FCount, n);
  if (FWidths) FWidths->Open(index, FCount, n);
}

void TSrcEditStringList::CloseSideGap(int index, int n) {
  if (FObjects) FObjects->Close(index, FCount, n);
  if (FWideStates) FWideStates->Close(index, FCount, n);
  if (FWidths) FWidths->Close(index, FCount, n);
}

// --- capacity ----------------------------------------------------------------------

void TSrcEditStringList::SetCapacity(int newCapacity) {
  if (newCapacity < FCount) Error(kCapacityError);
  if (newCapacity == FCapacity && newCapacity == FAllocated) return;
  if (newCapacity == 0) {
    std::free(FList);
    FList = nullptr;
    FObjects.reset();
    FWideStates.reset();
    FWidths.reset();
    FCapacity = FAllocated = 0;
    return;
  }
  if (newCapacity != FCapacity) {
    if (FObjects) FObjects->Resize(FCount, newCapacity);
    if (FWideStates) FWideStates->Resize(FCount, newCapacity);
    if (FWidths) FWidths->Resize(FCount, newCapacity);
  }
  void* p = std::realloc(FList, static_cast<std::size_t>(newCapacity) * sizeof(TRecord));
  if (!p) throw EOutOfMemory();
  FList = static_cast<TRecord*>(p);
  FCapacity = FAllocated = newCapacity;
}

void TSrcEditStringList::EnsureAllocated(int newCount) {
  if (newCount <= FAllocated) return;
  void* p = std::realloc(FList, static_cast<std::size_t>(FCapacity) * sizeof(TRecord));
  if (!p) throw EOutOfMemory();
  FList = static_cast<TRecord*>(p);
  FAllocated = FCapacity;
}

void TSrcEditStringList::Grow() { SetCapacity(NextCapacity(FCapacity)); }

void TSrcEditStringList::ReserveFor(int newCount) {
  if (newCount > FCapacity) SetCapacity(((newCount + 15) / 16) * 16);
}

// --- reading -------------------------------------------------------------------------

std::string TSrcEditStringList::Get(int index) const {
  if (index < 0 || index >= FCount) return std::string();
  return std::string(View(FList[index]));
}

std::string_view TSrcEditStringList::LineView(int index) const {
  if (index < 0 || index >= FCount) return std::string_view();
  return View(FList[index]);
}

TSrcEditStringList::TLineRun TSrcEditStringList::LineRun(int index, int last) const {
  TLineRun run;
  run.First = index;
  run.Last = index - 1;
  last = std::min(last, FCount - 1);
  if (index < 0 || index > last) return run;
  const char* base = FStore ? FStore->data : nullptr;
  std::size_t begin = 0, end = 0;  // the bytes of the run's lines so far
  bool anchored = false;           // a line with text is in the run
  std::size_t breaks = 1;          // line breaks since the last line with text
  int i = index;
  for (; i <= last; ++i, ++breaks) {
    const TRecord& r = FList[i];
    const std::uint8_t kind = StorageOf(&r);
    const TLongLine* l = kind == stLong ? &(*FLong)[r.ref] : nullptr;
    const std::size_t len = l ? l->len : r.len;
    if (len == 0) continue;
    if (kind != stStore && !(l && !l->block)) {
      if (anchored) break;
      run.Last = i;
      run.Text = View(r);
      return run;
    }
    const std::size_t at = l ? l->start : r.ref;
    if (anchored) {
      // (The bytes between are not read: that would cost as much as the
      // search that the run is for.)
      if (at <= end || at - end > 2 * breaks) break;
    } else {
      begin = at;
      anchored = true;
    }
    end = at + len;
    breaks = 0;
    // The common case, quickly: short lines of the block, each right after
    // the break of the one before.
    for (; i < last; ++i) {
      const TRecord& n = FList[i + 1];
      if (StorageOf(&n) != stStore || n.ref <= end || n.ref > end + 2) break;
      end = n.ref + static_cast<std::size_t>(n.len);
    }
  }
  run.Last = i - 1;
  if (anchored) run.Text = std::string_view(base + begin, end - begin);
  return run;
}

int TSrcEditStringList::LineLength(int index) const {
  if (index < 0 || index >= FCount) return 0;
  const TRecord& r = FList[index];
  if (StorageOf(&r) == stLong) return static_cast<int>((*FLong)[r.ref].len);
  return r.len;
}

TObject* TSrcEditStringList::GetObject(int index) const {
  if (index < 0 || index >= FCount || !FObjects) return nullptr;
  return (*FObjects)[index];
}

int TSrcEditStringList::GetLineScanState(int index) const {
  if (index < 0 || index >= FCount) return 0;
  const std::uint8_t code = FList[index].state;
  if (code < kUnscannedCode) return code;
  if (code == kUnscannedCode) return -1;
  return (*FWideStates)[index];
}

TSrcEditLineFlags TSrcEditStringList::GetLineFlags(int index) const {
  if (index < 0 || index >= FCount) return 0;
  return FList[index].bits & kFlagMask;
}

std::int64_t TSrcEditStringList::TextChars() const {
  if (FCount == 0) return 0;
  std::int64_t chars = 2 * static_cast<std::int64_t>(FCount - 1);
  for (int i = 0; i < FCount; ++i) chars += LineLength(i);
  return chars;
}

std::string TSrcEditStringList::GetTextStr() const {
  if (FCount == 0) return std::string();
  std::size_t total = static_cast<std::size_t>(FCount - 1) * 2;
  for (int i = 0; i < FCount; ++i) total += static_cast<std::size_t>(LineLength(i));
  std::string r;
  r.resize(total);
  char* o = &r[0];
  for (int i = 0; i < FCount; ++i) {
    const std::string_view line = View(FList[i]);
    if (!line.empty()) std::memcpy(o, line.data(), line.size());
    o += line.size();
    if (i + 1 < FCount) {
      *o++ = '\r';
      *o++ = '\n';
    }
  }
  return r;
}

// --- changing --------------------------------------------------------------------------

namespace {

// A record as text operations add it: not scanned, width unknown.
template <typename R>
R NewRecord() {
  R r;
  std::memset(static_cast<void*>(&r), 0, sizeof r);
  r.state = kUnscannedCode;
  r.bits = lfWidthUnknown;
  return r;
}

}  // namespace

void TSrcEditStringList::InsertItem(int index, std::string_view s) {
  if (s.size() > kMaxLineLength) throw EOutOfMemory();
  if (FCount == FCapacity) Grow();
  EnsureAllocated(FCount + 1);
  TRecord r = NewRecord<TRecord>();
  SetText(r, s);
  if (index < FCount)
    std::memmove(static_cast<void*>(FList + index + 1), FList + index,
                 static_cast<std::size_t>(FCount - index) * sizeof(TRecord));
  OpenSideGap(index, 1);
  FList[index] = r;
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
  TRecord& r = FList[index];
  SetText(r, s);
  r.bits = static_cast<std::uint8_t>((r.bits & ~kFlagMask) | lfWidthUnknown);
  FLongestLineIndex = -1;
  CompactStore();
  CompactArena();
  if (OnLinesReplaced) OnLinesReplaced(this, index, 1);
}

void TSrcEditStringList::PutViews(int index, const std::string_view* texts, int count) {
  if (count <= 0) return;
  if (index < 0 || index >= FCount) ListIndexError(index);
  if (count > FCount - index) ListIndexError(index + count - 1);
  std::size_t shortBytes = 0;
  for (int k = 0; k < count; ++k) {
    if (texts[k].size() > kMaxLineLength) throw EOutOfMemory();
    if (texts[k].size() > kInline && texts[k].size() < kRoomyLine) shortBytes += texts[k].size();
  }
  TUpdateBracket bracket(this);
  // The short texts go one after another into the arena, grown once for
  // all of them; a long text gets its block as any long line does.
  if (shortBytes) {
    if (!FArena) FArena.reset(new TArena);
    if (FArena->CanTake(shortBytes)) FArena->Reserve(shortBytes);
  }
  for (int k = 0; k < count; ++k) PutView(index + k, texts[k]);
}

void TSrcEditStringList::MoveLines(const int* index, const int* from, int n) {
  if (n <= 0) return;
  // The sources must be exactly the lines written: a text referenced twice
  // or left unreferenced would be freed twice or lost.
  std::vector<int> sources(from, from + n);
  std::sort(sources.begin(), sources.end());
  for (int k = 0; k < n; ++k) {
    const int i = index[k];
    if (i < 0 || i >= FCount || (k > 0 && i <= index[k - 1])) ListIndexError(i);
    if (sources[static_cast<std::size_t>(k)] != i) ListIndexError(from[k]);
  }
  sources = std::vector<int>();
  TUpdateBracket bracket(this);
  std::vector<TRecord> taken(static_cast<std::size_t>(n));
  std::vector<std::int32_t> widths(FWidths ? static_cast<std::size_t>(n) : 0);
  for (int k = 0; k < n; ++k) {
    taken[static_cast<std::size_t>(k)] = FList[from[k]];
    if (FWidths) widths[static_cast<std::size_t>(k)] = (*FWidths)[from[k]];
  }
  for (int k = 0; k < n; ++k) {
    TRecord& r = FList[index[k]];
    const std::uint8_t state = r.state;
    r = taken[static_cast<std::size_t>(k)];
    r.state = state;
    if (FWidths) (*FWidths)[index[k]] = widths[static_cast<std::size_t>(k)];
  }
  FLongestLineIndex = -1;
  if (OnLinesReplaced)
    for (int k = 0; k < n; ++k) OnLinesReplaced(this, index[k], 1);
}

void TSrcEditStringList::EditLine(int index, int pos, int count, std::string_view text) {
  if (index < 0 || index >= FCount) ListIndexError(index);
  TRecord& r = FList[index];
  const std::string_view old = View(r);
  const std::size_t len = old.size();
  if (pos < 0 || count < 0 || static_cast<std::size_t>(pos) > len ||
      static_cast<std::size_t>(count) > len - static_cast<std::size_t>(pos))
    ListIndexError(pos < 0 || static_cast<std::size_t>(pos) > len ? pos : pos + count);
  const std::size_t at = static_cast<std::size_t>(pos), cut = static_cast<std::size_t>(count);
  const std::size_t newLen = len - cut + text.size();
  if (newLen > kMaxLineLength) throw EOutOfMemory();
  TUpdateBracket bracket(this);
  // The text may be a view of this very line.
  std::string own;
  if (!text.empty() && text.data() < old.data() + len && old.data() < text.data() + text.size()) {
    own.assign(text);
    text = own;
  }
  if (r.bits & lfWidthUnknown) ComputeWidth(index);
  const int oldWidth = StoredWidth(index);
  const bool noTabs = (r.bits & kFlagMask) == lfHasNoTabs && text.find('\t') == std::string_view::npos;
  const std::uint8_t kind = StorageOf(&r);
  if (kind == stLong && newLen >= kRoomyLine / 2) {
    EditLongLine((*FLong)[r.ref], at, cut, text);
  } else if (newLen >= kRoomyLine) {
    const std::uint32_t made = NewLongLine(old.substr(0, at), text, old.substr(at + cut));
    ReleaseText(r);
    r.ref = made;
    r.bits = static_cast<std::uint8_t>((r.bits & kFlagMask) | (stLong << 4));
  } else {
    std::string joined;
    joined.reserve(newLen);
    joined.append(old.data(), at).append(text).append(old.data() + at + cut, len - at - cut);
    SetText(r, joined);
  }
  if (noTabs)
    SetWidth(index, static_cast<std::int64_t>(newLen), false);  // without tabs the width is the length
  else
    ComputeWidth(index);
  WidthChanged(index, oldWidth);
  CompactStore();
  CompactArena();
  if (OnLinesReplaced) OnLinesReplaced(this, index, 1);
}

const char* TSrcEditStringList::TerminatedLine(int index) const {
  if (index < 0 || index >= FCount) return nullptr;
  const TRecord& r = FList[index];
  if (StorageOf(&r) != stLong) return nullptr;
  const TLongLine& l = (*FLong)[r.ref];
  if (l.block) return l.block + l.start;
  // A long line a load read is followed by a NUL in the load's block.
  return FStore && l.len > 0 ? FStore->data + l.start : nullptr;
}

void TSrcEditStringList::PutObject(int index, TObject* object) {
  if (index < 0 || index >= FCount) ListIndexError(index);
  if (!FObjects) {
    if (!object) return;
    FObjects.reset(new TSideArray<TObject*>(FCapacity));
  }
  (*FObjects)[index] = object;
}

void TSrcEditStringList::AddStrings(TStrings* strings) {
  int n = strings->GetCount();
  if (n <= 0) return;
  TUpdateBracket bracket(this);
  FLongestLineIndex = -1;
  int first = FCount;
  ReserveFor(FCount + n);
  EnsureAllocated(FCount + n);
  for (int i = 0; i < n; ++i) {
    TRecord r = NewRecord<TRecord>();
    SetText(r, strings->Get(i));
    FList[FCount] = r;
    TObject* object = strings->GetObject(i);
    if (object && !FObjects) FObjects.reset(new TSideArray<TObject*>(FCapacity));
    if (FObjects) (*FObjects)[FCount] = object;
    if (FWideStates) (*FWideStates)[FCount] = 0;
    if (FWidths) (*FWidths)[FCount] = 0;
    ++FCount;
  }
  if (OnLinesInserted) OnLinesInserted(this, first, n);
}

void TSrcEditStringList::Delete(int index) {
  if (index < 0 || index >= FCount) ListIndexError(index);
  TUpdateBracket bracket(this);
  ReleaseText(FList[index]);
  std::memmove(static_cast<void*>(FList + index), FList + index + 1,
               static_cast<std::size_t>(FCount - index - 1) * sizeof(TRecord));
  CloseSideGap(index, 1);
  --FCount;
  FLongestLineIndex = -1;
  CompactStore();
  CompactArena();
  if (OnLinesDeleted) OnLinesDeleted(this, index, 1);
}

void TSrcEditStringList::DeleteLines(int index, int numLines) {
  if (numLines <= 0) return;
  if (index < 0 || index >= FCount) ListIndexError(index);
  TUpdateBracket bracket(this);
  int n = std::min(numLines, FCount - index);
  for (int i = index; i < index + n; ++i) ReleaseText(FList[i]);
  std::memmove(static_cast<void*>(FList + index), FList + index + n,
               static_cast<std::size_t>(FCount - index - n) * sizeof(TRecord));
  CloseSideGap(index, n);
  FCount -= n;
  // Keep the known widest line pointing at the same line.
  if (FLongestLineIndex >= index + n)
    FLongestLineIndex -= n;
  else if (FLongestLineIndex >= index)
    FLongestLineIndex = -1;
  CompactStore();
  CompactArena();
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
  // Empty text, scan state 0, no flags.
  std::memset(static_cast<void*>(FList + index), 0, static_cast<std::size_t>(numLines) * sizeof(TRecord));
  OpenSideGap(index, numLines);
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
  if (FObjects) std::swap((*FObjects)[index1], (*FObjects)[index2]);
  if (FWideStates) std::swap((*FWideStates)[index1], (*FWideStates)[index2]);
  if (FWidths) std::swap((*FWidths)[index1], (*FWidths)[index2]);
  if (FLongestLineIndex == index1)
    FLongestLineIndex = index2;
  else if (FLongestLineIndex == index2)
    FLongestLineIndex = index1;
}

void TSrcEditStringList::SetLineScanState(int index, int value) {
  if (index < 0 || index >= FCount) ListIndexError(index);
  TUpdateBracket bracket(this);
  StoreLineScanState(index, value);
}

void TSrcEditStringList::StoreLineScanState(int index, int value) {
  if (index < 0 || index >= FCount) ListIndexError(index);
  std::uint8_t code;
  if (value >= 0 && value < kUnscannedCode) {
    code = static_cast<std::uint8_t>(value);
  } else if (value == -1) {
    code = kUnscannedCode;
  } else {
    if (!FWideStates) FWideStates.reset(new TSideArray<std::int32_t>(FCapacity));
    (*FWideStates)[index] = value;
    code = kWideCode;
  }
  FList[index].state = code;
}

void TSrcEditStringList::SetUpdateState(bool updating) {
  if (updating) {
    if (OnUpdateBegun) OnUpdateBegun(this);
  } else {
    if (OnUpdateEnded) OnUpdateEnded(this);
  }
}

// --- tab expansion and widths ----------------------------------------------------------

// A line without tabs is as wide as it is long; only lines with tabs keep
// their width beside the records.
int TSrcEditStringList::StoredWidth(int index) const {
  const std::uint8_t flags = FList[index].bits & kFlagMask;
  if (flags & lfWidthUnknown) return -1;
  if ((flags & lfHasTabs) && FWidths) return (*FWidths)[index];
  return LineLength(index);
}

void TSrcEditStringList::SetWidth(int index, std::int64_t width, bool hasTabs) {
  if (hasTabs) {
    if (!FWidths) FWidths.reset(new TSideArray<std::int32_t>(FCapacity));
    (*FWidths)[index] = static_cast<std::int32_t>(std::min<std::int64_t>(width, 0x7FFFFFFF));
  }
  TRecord& r = FList[index];
  r.bits = static_cast<std::uint8_t>((r.bits & ~kFlagMask) | (hasTabs ? lfHasTabs : lfHasNoTabs));
}

std::string TSrcEditStringList::GetExpandedLine(int index) {
  if (index < 0 || index >= FCount) return std::string();
  const std::string_view text = View(FList[index]);
  if (FList[index].bits & lfHasNoTabs) return std::string(text);
  if (text.empty()) {
    SetWidth(index, 0, false);
    return std::string();
  }
  bool hasTabs = false;
  std::string result = FTabExpander(std::string(text), FTabWidth, hasTabs);
  SetWidth(index, static_cast<std::int64_t>(result.size()), hasTabs);
  return result;
}

// The same figures as GetExpandedLine, without building the expanded text.
void TSrcEditStringList::ComputeWidth(int index) {
  const std::string_view text = View(FList[index]);
  if (text.empty()) {
    SetWidth(index, 0, false);
    return;
  }
  bool hasTabs = text.find('\t') != std::string_view::npos;
  std::int64_t width;
  if (!hasTabs || FTabWidth <= 1)
    width = static_cast<std::int64_t>(text.size());
  else
    width = ExpandedLength64(text, FTabWidth);
  SetWidth(index, width, hasTabs);
}

void TSrcEditStringList::WidthChanged(int index, int oldWidth) {
  if (FLongestLineIndex < 0) return;
  const int width = StoredWidth(index);
  if (FLongestLineIndex == index) {
    if (width < oldWidth) FLongestLineIndex = -1;  // another line may be wider now
  } else if (width > StoredWidth(FLongestLineIndex)) {
    FLongestLineIndex = index;
  }
}

int TSrcEditStringList::GetExpandedLen(int index) {
  if (index < 0 || index >= FCount) return 0;
  if (FList[index].bits & lfWidthUnknown) ComputeWidth(index);
  return StoredWidth(index);
}

int TSrcEditStringList::GetLongestLineLen() {
  if (FLongestLineIndex < 0) {
    int widest = 0;
    for (int i = 0; i < FCount; ++i) {
      if (FList[i].bits & lfWidthUnknown) ComputeWidth(i);
      const int width = StoredWidth(i);
      if (width > widest) {
        widest = width;
        FLongestLineIndex = i;
      }
    }
  }
  if (FLongestLineIndex >= 0 && FLongestLineIndex < FCount) return StoredWidth(FLongestLineIndex);
  return 0;
}

void TSrcEditStringList::SetTabWidth(int value) {
  if (value == FTabWidth) return;
  FTabWidth = value;
  FTabExpander = SelectTabExpander(value);
  FLongestLineIndex = -1;
  for (int i = 0; i < FCount; ++i) {
    TRecord& r = FList[i];
    r.bits = static_cast<std::uint8_t>((r.bits & ~lfHasNoTabs) | lfWidthUnknown);
  }
}

// --- loading and saving ------------------------------------------------------------------

void TSrcEditStringList::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyNone);
  try {
    LoadFromStream(&stream);
  } catch (const ESrcEditTextTooLarge&) {
    throw ESrcEditTextTooLarge(FileTooLargeMessage(fileName));
  }
}

// The records of a text being loaded, owned until they are taken over.
// `capacity` follows the growth of a run of appends; `allocated` records
// are really there (more when Reserve knew the number in advance).
struct TSrcEditStringList::TLoadedLines {
  TRecord* list = nullptr;
  int count = 0;
  int capacity = 0;
  int allocated = 0;
  std::vector<TLongLine> longLines;
  TLoadedLines() = default;
  TLoadedLines(const TLoadedLines&) = delete;
  TLoadedLines& operator=(const TLoadedLines&) = delete;
  TLoadedLines(TLoadedLines&& o) noexcept
      : list(o.list), count(o.count), capacity(o.capacity), allocated(o.allocated), longLines(std::move(o.longLines)) {
    o.list = nullptr;
  }
  ~TLoadedLines() { std::free(list); }
  // Room for at least `n` lines in one block: no growth while they are
  // appended. Without huge-page advice: a file of many short lines has
  // records of eight times its size, and faulting them in as huge pages
  // made the kernel compact memory on a busy machine (measured: 100 MB of
  // empty lines 2.1 s with it, 1.35 s without; the text's own block keeps
  // the advice, which saves a sixth of a 50 MB HTML load).
  void Reserve(std::size_t n) {
    if (n > 0x7FFFFFFF || static_cast<int>(n) <= allocated) return;
    void* p = std::realloc(list, n * sizeof(TRecord));
    if (!p) throw EOutOfMemory();
    list = static_cast<TRecord*>(p);
    allocated = static_cast<int>(n);
  }
  TRecord& Append() {
    if (count == 0x7FFFFFFF) throw EOutOfMemory();
    if (count == capacity) capacity = NextCapacity(capacity);
    if (count == allocated) {
      void* p = std::realloc(list, static_cast<std::size_t>(capacity) * sizeof(TRecord));
      if (!p) throw EOutOfMemory();
      list = static_cast<TRecord*>(p);
      allocated = capacity;
    }
    TRecord& r = list[count++];
    r = NewRecord<TRecord>();
    return r;
  }
  // The records, the array cut to their number; `capacityOut` is the
  // capacity the appends reached.
  TRecord* Release(int& capacityOut, int& allocatedOut) {
    capacityOut = capacity;
    allocatedOut = allocated;
    if (count == 0) {
      std::free(list);
      list = nullptr;
      capacityOut = allocatedOut = 0;
    } else if (count < allocated) {
      if (void* p = std::realloc(list, static_cast<std::size_t>(count) * sizeof(TRecord))) {
        list = static_cast<TRecord*>(p);
        allocatedOut = count;
      }
    }
    TRecord* r = list;
    list = nullptr;
    return r;
  }
};

// Splits the block into line records: CR LF, a lone CR and a lone LF each
// end one line; a final break gives a final empty line. The shortest lines
// are copied into their records, the others point into the block.
TSrcEditStringList::TLoadedLines TSrcEditStringList::SplitLines(TLineStore* store, bool& sawCR, bool& sawLF,
                                                                std::int64_t& chars) {
  TLoadedLines lines;
  const char* text = store->data;
  const std::size_t n = store->size;
  // A large text: each LF ends one line at least, so their number (and
  // one) is a lower bound of the lines.
  if (n >= kManyRecords) {
    const std::size_t atLeast = static_cast<std::size_t>(std::count(text, text + n, '\n')) + 1;
    if (atLeast * sizeof(TRecord) >= kManyRecords) lines.Reserve(atLeast);
  }
  std::size_t live = 0, examined = 0;
  std::int64_t lone = 0;
  // (Read before the loop puts a NUL over the break of a long last line.)
  const bool finalBreak = n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n');
  for (std::size_t i = 0; i < n;) {
    if (text[i] == '\n') {
      // An empty line with an LF break, as a file of blank lines is made
      // of: its record is the fresh one, nothing to search or copy.
      lines.Append();
      sawLF = true;
      ++lone;
      ++examined;
      ++i;
      continue;
    }
    std::size_t j = FindBreak(text, i, n, examined);
    std::size_t len = j - i;
    if (len > kMaxLineLength) throw EOutOfMemory();
    TRecord& r = lines.Append();
    bool isLong = false;
    if (len <= kInline) {
      if (len) std::memcpy(&r.ref, text + i, len);
      r.len = static_cast<std::uint16_t>(len);
    } else if (len < kRoomyLine && i <= 0xFFFFFFFFu) {
      r.ref = static_cast<std::uint32_t>(i);
      r.len = static_cast<std::uint16_t>(len);
      r.bits = static_cast<std::uint8_t>(r.bits | (stStore << 4));
      live += len;
    } else {
      if (lines.longLines.size() >= 0xFFFFFFFFu) throw EOutOfMemory();
      r.ref = static_cast<std::uint32_t>(lines.longLines.size());
      r.bits = static_cast<std::uint8_t>(r.bits | (stLong << 4));
      lines.longLines.push_back(TLongLine{nullptr, i, 0, len});
      isLong = true;
      live += len;
    }
    const std::size_t end = j;
    if (j < n && text[j] == '\r') {
      ++j;
      sawCR = true;
    }
    if (j < n && text[j] == '\n') {
      ++j;
      sawLF = true;
    }
    // A long line ends with a NUL in the block (over its break, or in the
    // spare byte after the text): the highlighter reads it in place.
    if (isLong) store->data[end] = '\0';
    if (j == end + 1) ++lone;  // a break of one byte counts two characters
    i = j;
  }
  gScannedBytes += examined;
  if (finalBreak) lines.Append();
  chars = static_cast<std::int64_t>(n) + lone;
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
    // Every byte is at least one character: a text this large is refused
    // before it is read.
    if (size > MaxTextChars) throw ESrcEditTextTooLarge(TextTooLargeMessage());
    if (static_cast<std::uint64_t>(size) > SIZE_MAX / 2) throw EOutOfMemory();
    const std::size_t n = static_cast<std::size_t>(size);
    std::unique_ptr<TLineStore> store(new TLineStore);
    stream->SetPosition(0);
    // A large text gets room after it, and before it too when its start
    // holds hardly any line breaks: a file of one long line (minified
    // markup) is then edited at either end in the block it was read into.
    // Room that is never written costs no memory; the room after the text
    // is given back below unless a line may take the block over.
    std::size_t front = 0, back = 1;
    if (n >= kCheapMove) {
      std::unique_ptr<char[]> head(new char[kCheapMove]());
      stream->ReadBuffer(head.get(), static_cast<std::int64_t>(kCheapMove));
      std::size_t breaks = 0;
      for (std::size_t i = 0; i < kCheapMove && breaks < kFewBreaks; ++i) breaks += head[i] == '\n' || head[i] == '\r';
      if (breaks < kFewBreaks) front = RoomBefore(n);
      back += RoomAfter(n);
      store->Allocate(front, n, back);
      std::memcpy(store->data, head.get(), kCheapMove);
      stream->ReadBuffer(store->data + kCheapMove, size - static_cast<std::int64_t>(kCheapMove));
    } else {
      store->Allocate(0, n, 1);
      stream->ReadBuffer(store->data, size);
    }

    std::int64_t chars = 0;
    TLoadedLines lines = SplitLines(store.get(), sawCR, sawLF, chars);
    if (chars > MaxTextChars) throw ESrcEditTextTooLarge(TextTooLargeMessage());
    if (back > 1) {
      std::size_t longest = 0;
      for (const TLongLine& l : lines.longLines) longest = std::max(longest, l.len);
      if (longest < kCheapMove || store->live - longest > kCheapMove || lines.count > kTakeOverLines) {
        if (void* p = std::realloc(store->block, front + n + 1)) {
          store->block = static_cast<char*>(p);
          store->data = store->block + front;
          store->capacity = front + n + 1;
        }
      }
    }
    std::unique_ptr<std::vector<TLongLine>> longLines;
    std::vector<std::uint32_t> freeLong;
    if (!lines.longLines.empty()) {
      longLines.reset(new std::vector<TLongLine>(std::move(lines.longLines)));
      freeLong.reserve(longLines->size());
    }
    // Clearing a list without lines keeps its capacity, from which the
    // appends of the load grow; its arrays (records, objects, scan states,
    // widths) are still let go, the loaded lines come with their own.
    const int keptCapacity = FCount == 0 ? FCapacity : 0;
    Clear();
    FreeAll();
    int appended = 0;
    FList = lines.Release(appended, FAllocated);
    FCapacity = keptCapacity;
    while (FCapacity < lines.count) FCapacity = NextCapacity(FCapacity);
    FCount = 0;
    FLong = std::move(longLines);
    FFreeLong.swap(freeLong);
    if (lines.count > 0) FStore = std::move(store);
    // Each line is reported as it is added.
    struct TReporting {
      bool& flag;
      ~TReporting() { flag = false; }
    } reporting{FReportingLoad};
    FReportingLoad = true;
    for (int k = 0; k < lines.count; ++k) {
      FCount = k + 1;
      if (OnLinesInserted) OnLinesInserted(this, k, 1);
    }
    FReportingLoad = false;
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
  for (int i = 0; i < FCount; ++i) total += static_cast<std::size_t>(LineLength(i));
  std::unique_ptr<char[]> buf(new char[total ? total : 1]);
  char* o = buf.get();
  for (int i = 0; i < FCount; ++i) {
    const std::string_view line = View(FList[i]);
    if (!line.empty()) std::memcpy(o, line.data(), line.size());
    o += line.size();
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
  for (int i = 0; i + 1 < FCount; ++i) writer.WriteLine(View(FList[i]));
  if (FCount > 0) writer.Write(View(FList[FCount - 1]));
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
