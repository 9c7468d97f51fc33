// The find, replace and edit commands on the document (see MainEditCommands.h).
#include "MainEditCommands.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "SnippetCommands.h"
#include "SrcEditTextBuffer.h"
#include "SrcEditUndo.h"
#include "SrcMemo.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/Menus.h"
#include "platform/Messages.h"
#include "platform/SysUtils.h"

namespace {
constexpr const char* kTitle = "Brindel Quillet Studio";
// The caption of the not-found message.
constexpr const char* kFindTitle = "Brindel Velmora";

// Restores the hide-selection property to off when a replacement ends,
// also when it fails.
class THideSelectionGuard {
 public:
  explicit THideSelectionGuard(TSrcMemo* memo) : FMemo(memo) { FMemo->SetHideSelection(true); }
  ~THideSelectionGuard() { FMemo->SetHideSelection(false); }
  THideSelectionGuard(const THideSelectionGuard&) = delete;
  THideSelectionGuard& operator=(const THideSelectionGuard&) = delete;

 private:
  TSrcMemo* FMemo;
};
// Whether the text stays inside one line: such a pattern is found, and such
// a replacement made, in the lines where they are.
bool OneLine(const std::string& text) { return text.find_first_of("\r\n") == std::string::npos; }
}  // namespace

// ---------------------------------------------------------------------------
// TTextFinder

namespace {
// How often a byte turns up in markup and prose, roughly: the bytes of
// kCommon from the most frequent on; Cyrillic letters, capitals and digits
// in between; other bytes (controls, rare signs) least.
int Frequency(unsigned char c) {
  static const char kCommon[] = " etaoinsrhldcu<>/=\"pmfgywb.,v-:;k#&";
  if (const char* at = std::strchr(kCommon, static_cast<char>(c)); at && c != 0)
    return 1000 - static_cast<int>(at - kCommon);
  if (c >= 0xC0) return 500;  // Cyrillic letters (Windows-1251)
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return 400;
  if (c == '\t' || c == '\r' || c == '\n') return 900;
  return c >= 0x20 ? 100 : 0;
}
}  // namespace

TTextFinder::TTextFinder(std::string pattern) : FPattern(std::move(pattern)), FFail(FPattern.size(), 0) {
  // FFail[i]: the length of the longest proper border of pattern[0..i].
  std::size_t k = 0;
  for (std::size_t i = 1; i < FPattern.size(); ++i) {
    while (k > 0 && FPattern[i] != FPattern[k]) k = FFail[k - 1];
    if (FPattern[i] == FPattern[k]) ++k;
    FFail[i] = k;
  }
  for (std::size_t i = 1; i < FPattern.size(); ++i)
    if (Frequency(static_cast<unsigned char>(FPattern[i])) < Frequency(static_cast<unsigned char>(FPattern[FRare])))
      FRare = i;
}

std::size_t TTextFinder::Find(std::string_view text, std::size_t from) const {
  const std::size_t m = FPattern.size();
  const std::size_t n = text.size();
  if (m == 0 || from >= n || n - from < m) return npos;
  const char* t = text.data();
  const char rare = FPattern[FRare];
  std::size_t compared = 0;  // bytes of the pattern compared at candidates
  for (std::size_t i = from; i <= n - m;) {
    // The next candidate: a start at or after i with the rare byte in place.
    const void* hit = std::memchr(t + i + FRare, rare, n - m + 1 - i);
    if (!hit) return npos;
    const std::size_t c = static_cast<std::size_t>(static_cast<const char*>(hit) - t) - FRare;
    if (std::memcmp(t + c, FPattern.data(), m) == 0) return c;
    i = c + 1;
    compared += m;
    if (compared > 2 * (i - from) + 16 * m) return FindByFailures(text, i);
  }
  return npos;
}

std::size_t TTextFinder::FindByFailures(std::string_view text, std::size_t from) const {
  const std::size_t m = FPattern.size();
  if (m == 0 || from >= text.size() || text.size() - from < m) return npos;
  const char first = FPattern[0];
  std::size_t k = 0;  // characters of the pattern matched so far
  for (std::size_t i = from; i < text.size(); ++i) {
    if (k == 0) {
      // Skip quickly to the next candidate of the first character.
      const void* hit = std::memchr(text.data() + i, first, text.size() - i);
      if (!hit) return npos;
      i = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
    }
    while (k > 0 && text[i] != FPattern[k]) k = FFail[k - 1];
    if (text[i] == FPattern[k]) ++k;
    if (k == m) return i + 1 - m;
  }
  return npos;
}

// ---------------------------------------------------------------------------
// Searching a line list

namespace {

// Lines per stretch that one thread searches at a time, and the threads of
// a search (the calling one included) at most.
constexpr int kStretchLines = 1 << 15;
constexpr unsigned kMaxSearchThreads = 4;

// Calls search(stretch) for the stretches 0 .. count - 1 in turn on up to
// kMaxSearchThreads threads, until it has been called for each stretch up
// to the first one for which it returns true (later ones may be skipped):
// that one's index, or count.
int SearchStretches(int count, const std::function<bool(int)>& search) {
  unsigned threads = std::min(kMaxSearchThreads, std::max(1u, std::thread::hardware_concurrency()));
  threads = std::min(threads, static_cast<unsigned>(std::max(1, count / 2)));
  std::atomic<int> next{0};
  std::atomic<int> first{count};
  std::mutex failing;
  std::exception_ptr failure;  // the first exception of a search, raised on the calling thread
  auto work = [&] {
    for (;;) {
      const int k = next.fetch_add(1);
      if (k >= count || k > first.load()) return;
      bool hit = false;
      try {
        hit = search(k);
      } catch (...) {
        const std::lock_guard<std::mutex> lock(failing);
        if (!failure) failure = std::current_exception();
        next.store(count);
        return;
      }
      if (hit) {
        int seen = first.load();
        while (k < seen && !first.compare_exchange_weak(seen, k)) {}
      }
    }
  };
  std::vector<std::thread> helpers;
  struct TJoin {
    std::vector<std::thread>& threads;
    ~TJoin() {
      for (std::thread& t : threads) t.join();
    }
  } join{helpers};
  for (unsigned i = 1; i < threads; ++i) {
    try {
      helpers.emplace_back(work);
    } catch (const std::system_error&) {
      break;  // no more threads: the ones there do the work
    }
  }
  work();
  for (std::thread& t : helpers) t.join();
  helpers.clear();
  if (failure) std::rethrow_exception(failure);
  return first.load();
}

// Calls found(line, byte) (both 0-based) for the occurrences in lines
// first .. last, the first line from byte `from`, left to right and each
// after the one before it in its line, until it returns true; whether it
// did. The lines are searched run by run (TSrcEditStringList::LineRun).
template <typename TFound>
bool EachInLines(const TSrcEditStringList& lines, const TTextFinder& finder, int first, std::size_t from, int last,
                 TFound found) {
  const std::size_t m = finder.Pattern().size();
  // Lines i .. to one by one, line i from byte `offset`.
  auto oneByOne = [&](int i, std::size_t offset, int to) {
    for (; i <= to; ++i, offset = 0) {
      const std::string_view v = lines.LineView(i);
      for (std::size_t p = finder.Find(v, offset); p != TTextFinder::npos; p = finder.Find(v, p + m))
        if (found(i, p)) return true;
    }
    return false;
  };
  // A search from inside the first line takes that line on its own.
  if (from > 0 && first <= last) {
    if (oneByOne(first, from, first)) return true;
    ++first;
  }
  for (int i = first; i <= last;) {
    const TSrcEditStringList::TLineRun run = lines.LineRun(i, last);
    std::size_t pos = 0;
    int line = run.First;  // no hit of the run lies before this line
    for (std::size_t p; (p = finder.Find(run.Text, pos)) != TTextFinder::npos;) {
      // The line holding the hit, or the first after it.
      std::string_view v;
      std::size_t start = 0;
      for (;; ++line) {
        v = lines.LineView(line);
        if (v.empty()) continue;
        start = static_cast<std::size_t>(v.data() - run.Text.data());
        if (p < start + v.size()) break;
      }
      if (p < start || p - start + m > v.size()) {
        // Not within one line: bytes an edit left between two lines. The
        // rest of the run is searched line by line.
        if (oneByOne(line, p < start ? 0 : p - start, run.Last)) return true;
        break;
      }
      if (found(line, p - start)) return true;
      pos = p + m;
    }
    i = run.Last + 1;
  }
  return false;
}

// The first occurrence in lines first .. last, the first from byte `from`.
bool FirstInLines(const TSrcEditStringList& lines, const TTextFinder& finder, int first, std::size_t from, int last,
                  TBufferCoord& at) {
  return EachInLines(lines, finder, first, from, last, [&](int line, std::size_t p) {
    at = BufferCoord(static_cast<int>(p) + 1, line + 1);
    return true;
  });
}

// The occurrences in lines first .. last, appended to `starts`.
void AllInLines(const TSrcEditStringList& lines, const TTextFinder& finder, int first, int last,
                std::vector<TBufferCoord>& starts) {
  EachInLines(lines, finder, first, 0, last, [&](int line, std::size_t p) {
    starts.push_back(BufferCoord(static_cast<int>(p) + 1, line + 1));
    return false;
  });
}

}  // namespace

bool FindInLineRange(const TSrcEditStringList& lines, const TTextFinder& finder, int first, std::size_t from, int last,
                     TBufferCoord& at) {
  first = std::max(first, 0);
  last = std::min(last, lines.Count() - 1);
  if (first > last || finder.Pattern().empty()) return false;
  const int count = (last - first) / kStretchLines + 1;
  if (count < 4) return FirstInLines(lines, finder, first, from, last, at);
  std::vector<TBufferCoord> found(static_cast<std::size_t>(count));
  const int k = SearchStretches(count, [&](int k) {
    const int a = first + k * kStretchLines;
    const int b = std::min(last, a + kStretchLines - 1);
    return FirstInLines(lines, finder, a, k == 0 ? from : 0, b, found[static_cast<std::size_t>(k)]);
  });
  if (k == count) return false;
  at = found[static_cast<std::size_t>(k)];
  return true;
}

std::vector<TBufferCoord> FindAllInLines(const TSrcEditStringList& lines, const TTextFinder& finder) {
  std::vector<TBufferCoord> starts;
  const int total = lines.Count();
  if (total == 0 || finder.Pattern().empty()) return starts;
  const int count = (total - 1) / kStretchLines + 1;
  if (count < 4) {
    AllInLines(lines, finder, 0, total - 1, starts);
    return starts;
  }
  std::vector<std::vector<TBufferCoord>> parts(static_cast<std::size_t>(count));
  SearchStretches(count, [&](int k) {
    const int a = k * kStretchLines;
    AllInLines(lines, finder, a, std::min(total - 1, a + kStretchLines - 1), parts[static_cast<std::size_t>(k)]);
    return false;
  });
  std::size_t n = 0;
  for (const auto& part : parts) n += part.size();
  starts.reserve(n);
  for (auto& part : parts) {
    starts.insert(starts.end(), part.begin(), part.end());
    part = {};
  }
  return starts;
}

// ---------------------------------------------------------------------------
// TMainEditCommands

TMainEditCommands::TMainEditCommands(TComponent* owner, TEditCommandsHost host)
    : TComponent(owner), FHost(std::move(host)) {}

int TMainEditCommands::Message(const std::string& text, const char* caption, UINT flags) {
  HWND owner = FHost.Owner ? FHost.Owner() : nullptr;
  const int answer = MessageBox(owner, text, caption, flags);
  if (FHost.LastAnswer) *FHost.LastAnswer = static_cast<std::uint16_t>(answer);
  return answer;
}

bool TMainEditCommands::DocumentEmpty() const {
  const TSrcEditStringList* lines = FHost.Memo->Lines();
  const int count = lines->Count();
  return count == 0 || (count == 1 && lines->Get(0).empty());
}

TBufferCoord TMainEditCommands::SelectionEnd() const {
  TSrcMemo* memo = FHost.Memo;
  const TSrcEditStringList* lines = memo->Lines();
  TBufferCoord end = memo->HasSelection() ? memo->SelLast() : memo->Caret();
  end.Line = std::clamp(end.Line, 1, lines->Count());
  end.Char = std::clamp(end.Char, 1, lines->LineLength(end.Line - 1) + 1);
  return end;
}

std::size_t TMainEditCommands::SelectionEndIndex() const {
  if (FHost.Memo->Lines()->Count() == 0) return 0;
  return static_cast<std::size_t>(std::max(0, FHost.Memo->CoordToCharIndex(SelectionEnd())));
}

std::size_t TMainEditCommands::FindFromSelection(const std::string& text, const TTextFinder& finder,
                                                 bool& wrapped) const {
  const std::size_t from = SelectionEndIndex();
  wrapped = false;
  std::size_t p = finder.Find(text, from);
  if (p == TTextFinder::npos && from > 0) {
    p = finder.Find(text, 0);
    wrapped = p != TTextFinder::npos;
  }
  return p;
}

bool TMainEditCommands::FindInLines(const TTextFinder& finder, TBufferCoord& at, bool& wrapped) const {
  TSrcMemo* memo = FHost.Memo;
  const TSrcEditStringList* lines = memo->Lines();
  const int count = lines->Count();
  wrapped = false;
  if (count == 0 || finder.Pattern().empty()) return false;
  const TBufferCoord from = SelectionEnd();
  auto scan = [&](int first, std::size_t offset, int last) {
    return FindInLineRange(*lines, finder, first, offset, last, at);
  };
  if (scan(from.Line - 1, static_cast<std::size_t>(from.Char - 1), count - 1)) return true;
  // Round the end once, as far as the whole text (a match that starts
  // before the selection's end but reaches past it counts too).
  if (from.Line == 1 && from.Char == 1) return false;
  wrapped = scan(0, 0, count - 1);
  return wrapped;
}

bool TMainEditCommands::FindAndSelect(const TTextFinder& finder, bool& wrapped, bool showSelection) {
  const std::string& pattern = finder.Pattern();
  if (OneLine(pattern)) {
    TBufferCoord at;
    if (!FindInLines(finder, at, wrapped)) return false;
    if (showSelection) FHost.Memo->SetHideSelection(false);
    SelectMatchAt(at, pattern.size());
    return true;
  }
  const std::string text = FHost.Memo->Text();
  const std::size_t p = FindFromSelection(text, finder, wrapped);
  if (p == TTextFinder::npos) return false;
  if (showSelection) FHost.Memo->SetHideSelection(false);
  SelectMatch(p, pattern.size());
  return true;
}

void TMainEditCommands::SelectMatchAt(const TBufferCoord& at, std::size_t length) {
  TSrcMemo* memo = FHost.Memo;
  // As SelectMatch, without going through character indexes.
  memo->HandleNeeded();
  memo->MoveCaretTo(at);
  memo->SetSelFrom(at);
  memo->SetActiveSelectionMode(smNormal);
  const TBufferCoord end = BufferCoord(at.Char + static_cast<int>(length), at.Line);
  memo->SelectRange(end, at, end);
}

void TMainEditCommands::SelectMatch(std::size_t index, std::size_t length) {
  TSrcMemo* memo = FHost.Memo;
  // A match is a run of characters: select it as a normal selection, also
  // when the user's last selection was a column or line block.
  // (Placing the caret takes the SelectionMode property's mode; the length
  // setter keeps the mode in force when it is called.)
  memo->SetSelStart(static_cast<int>(index));
  memo->SetActiveSelectionMode(smNormal);
  memo->SetSelLength(static_cast<int>(length));
}

// ---- find and replace ----

void TMainEditCommands::N72Click(TObject*) {
  if (FHost.FindDialog) FHost.FindDialog->Execute();
}

void TMainEditCommands::N73Click(TObject*) {
  if (FHost.ReplaceDialog) FHost.ReplaceDialog->Execute();
}

void TMainEditCommands::FindDialog1Find(TObject* Sender) {
  auto* dialog = dynamic_cast<TFindDialog*>(Sender);
  if (!dialog) dialog = FHost.FindDialog;
  if (!dialog) return;
  const std::string find = dialog->FindText();
  const TTextFinder finder(find);
  // The selection stays visible while the dialog has the focus.
  bool wrapped = false;
  if (find.empty() || !FindAndSelect(finder, wrapped, true)) {
    Message(Ansi("Ничего похожего c введенным Вами \"") + find + Ansi("\" найдено не было."), kFindTitle,
            MB_OK | MB_ICONWARNING);
    MessageBeep(MB_OK);
    return;
  }
  // Back at the start: the search went round the end of the text.
  if (wrapped) MessageBeep(MB_OK);
}

void TMainEditCommands::ReplaceDialog1Replace(TObject* Sender) {
  auto* dialog = dynamic_cast<TFindDialog*>(Sender);
  if (!dialog) dialog = FHost.ReplaceDialog;
  if (!dialog) return;
  // A read-only document is not changed (the editing commands ignore it).
  if (FHost.Memo->ReadOnly()) return;
  const std::string find = dialog->FindText();
  const std::string replacement = dialog->ReplaceText();
  THideSelectionGuard hide(FHost.Memo);
  if (dialog->Options().Contains(frReplaceAll))
    ReplaceAll(find, replacement);
  else
    ReplaceOne(find, replacement);
}

void TMainEditCommands::ReplaceOne(const std::string& find, const std::string& replacement) {
  if (find.empty()) return;
  TSrcMemo* memo = FHost.Memo;
  const TTextFinder finder(find);
  bool wrapped = false;
  // The current match is the selection when it holds the searched text,
  // else the next occurrence from the selection on.
  if (OneLine(find)) {
    // The lines are read where they are.
    const TSrcEditStringList* lines = memo->Lines();
    TBufferCoord current;
    bool found = false;
    if (memo->HasSelection() && memo->SelLength() == static_cast<int>(find.size())) {
      const TBufferCoord start = memo->CharIndexToCoord(std::max(0, memo->SelStart()));
      if (start.Line >= 1 && start.Line <= lines->Count()) {
        const std::string_view line = lines->LineView(start.Line - 1);
        const std::size_t at = static_cast<std::size_t>(start.Char - 1);
        found = at <= line.size() && line.substr(at, find.size()) == find;
        current = start;
      }
    }
    if (!found && !FindInLines(finder, current, wrapped)) return;
    SelectMatchAt(current, find.size());
  } else {
    const std::string text = memo->Text();
    std::size_t current = TTextFinder::npos;
    if (memo->HasSelection() && memo->SelLength() == static_cast<int>(find.size())) {
      const std::size_t start = static_cast<std::size_t>(std::max(0, memo->SelStart()));
      if (start <= text.size() && text.compare(start, find.size(), find) == 0) current = start;
    }
    if (current == TTextFinder::npos) current = FindFromSelection(text, finder, wrapped);
    if (current == TTextFinder::npos) return;
    SelectMatch(current, find.size());
  }
  memo->ReplaceSelection(replacement);
  // Then the next occurrence after the replaced text (wrapping once).
  FindAndSelect(finder, wrapped);
}

void TMainEditCommands::ReplaceAll(const std::string& find, const std::string& replacement) {
  if (find.empty()) return;
  TSrcMemo* memo = FHost.Memo;
  const TTextFinder finder(find);
  if (OneLine(find) && OneLine(replacement)) {
    // Neither holds a line break: the occurrences are found in the lines
    // where they are, and only the lines holding one are stored again.
    memo->ReplaceRuns(FindAllInLines(*memo->Lines(), finder), static_cast<int>(find.size()), replacement);
    return;
  }
  const std::string text = memo->Text();
  // One left-to-right pass over the occurrences the text holds now; the
  // span from the first to the end of the last is rebuilt once and goes in
  // as one replacement (one undo step), the text around it untouched.
  std::size_t p = finder.Find(text, 0);
  if (p == TTextFinder::npos) return;
  const std::size_t first = p;
  std::size_t end = p;
  std::string span;
  while (p != TTextFinder::npos) {
    span.append(text, end, p - end);
    span += replacement;
    end = p + find.size();
    p = finder.Find(text, end);
  }
  SelectMatch(first, end - first);
  memo->ReplaceSelection(span);
}

// ---- edit ----

void TMainEditCommands::N97Click(TObject*) { FHost.Memo->Perform(EM_UNDO, 0, 0); }

void TMainEditCommands::N96Click(TObject*) {
  if (!FHost.Memo->ReadOnly()) FHost.Memo->DeleteSelection();
}

void TMainEditCommands::N99Click(TObject*) {
  if (DocumentEmpty()) {
    Message(Ansi("Редактор Brindel Quillet Studio сейчас пуст! Что Вы хотите тут выделять?"), kTitle,
            MB_OK | MB_ICONWARNING);
    return;
  }
  FHost.Memo->SelectAll();
}

void TMainEditCommands::N166Click(TObject*) {
  if (DocumentEmpty()) {
    Message(Ansi("Редактор Brindel Quillet Studio сейчас пуст! Копировать в нем нечего."), kTitle,
            MB_OK | MB_ICONWARNING);
    return;
  }
  FHost.Memo->SelectAll();
  FHost.Memo->CopySelection();
  Message(Ansi("Содержимое редактора было скопировано в буфер обмена Windows."), kTitle, MB_OK | MB_ICONINFORMATION);
}

void TMainEditCommands::N167Click(TObject*) {
  if (DocumentEmpty()) {
    Message(Ansi("Редактор Brindel Quillet Studio сейчас пуст! Резать в нём нечего."), kTitle, MB_OK | MB_ICONWARNING);
    return;
  }
  TSrcMemo* memo = FHost.Memo;
  memo->SelectAll();
  if (memo->ReadOnly()) {
    // Nothing may be removed from a read-only document: the text is
    // copied, and the message says so.
    memo->CopySelection();
    Message(Ansi("Содержимое редактора было скопировано в буфер обмена Windows."), kTitle, MB_OK | MB_ICONINFORMATION);
    return;
  }
  memo->CutSelection();
  Message(Ansi("Содержимое редактора было вырезано в буфер обмена Windows."), kTitle, MB_OK | MB_ICONINFORMATION);
}

void TMainEditCommands::N95Click(TObject*) {
  // A read-only document is not changed (the editing commands ignore it).
  if (FHost.Memo->ReadOnly()) return;
  if (Message(Ansi("Вы уверены?\rВосстановить потерянный текст будет НЕВОЗМОЖНО!"), kTitle,
              MB_YESNO | MB_ICONWARNING) != IDYES)
    return;
  if (DocumentEmpty()) {
    Message(Ansi("Редактор Quillet Studio сейчас пуст! Что Вы хотите тут очищать?"), kTitle, MB_OK | MB_ICONWARNING);
    return;
  }
  FHost.Memo->ClearText();
}

void TMainEditCommands::N173Click(TObject*) {
  FHost.Memo->SelectAll();
  FHost.Memo->PasteClipboard();
}

void TMainEditCommands::XpSpeedButton6Click(TObject*) { FHost.Memo->CutSelection(); }
void TMainEditCommands::XpSpeedButton7Click(TObject*) { FHost.Memo->CopySelection(); }
void TMainEditCommands::XpSpeedButton8Click(TObject*) { FHost.Memo->PasteClipboard(); }

// ---- moving ----

void TMainEditCommands::N303Click(TObject*) {
  TSrcMemo* memo = FHost.Memo;
  memo->SetSelStart(static_cast<int>(memo->Text().size()));
  memo->Perform(EM_SCROLLCARET, 0, 0);
}

void TMainEditCommands::N304Click(TObject*) {
  if (FHost.ShowGoToLine) FHost.ShowGoToLine();
}

void TMainEditCommands::N310Click(TObject*) { FHost.Memo->Perform(WM_VSCROLL, SB_BOTTOM, 0); }
void TMainEditCommands::N311Click(TObject*) { FHost.Memo->Perform(WM_VSCROLL, SB_LINEDOWN, 0); }
void TMainEditCommands::N312Click(TObject*) { FHost.Memo->Perform(WM_VSCROLL, SB_LINEUP, 0); }

// ---- settings ----

void TMainEditCommands::N300Click(TObject*) {
  const std::string name = ExtractFileName(FHost.DocName ? FHost.DocName() : std::string());
  Message(Ansi("В \"") + name + Ansi("\" сейчас ") + IntToStr(FHost.Memo->Lines()->Count()) + Ansi(" активных строк."),
          kTitle, MB_OK | MB_ICONINFORMATION);
}

void TMainEditCommands::N309Click(TObject*) {
  TSrcMemo* memo = FHost.Memo;
  // A read-only document is not changed (the editing commands ignore it).
  if (memo->ReadOnly()) return;
  TSrcEditStringList* lines = memo->Lines();
  const int count = lines->Count();
  if (Message(Ansi("Функция пересортировки всех строк (а их в документе сейчас ") + IntToStr(count) +
                  Ansi(" штук) поменяет весь текст в этом файле, потому что отсортирует их в алфавитном порядке. "
                       "Продолжить?"),
              kTitle, MB_YESNO | MB_ICONWARNING) != IDYES)
    return;
  // The lines are sorted where they are (views); the sorted order moves
  // the texts, nothing is copied, and it is one undo step (the document
  // counts as modified).
  std::vector<int> order(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) order[static_cast<std::size_t>(i)] = i;
  std::stable_sort(order.begin(), order.end(),
                   [lines](int a, int b) { return AnsiCompareText(lines->LineView(a), lines->LineView(b)) < 0; });
  memo->ReorderLines(order);
  memo->SetSelStart(0);
}

void TMainEditCommands::N314Click(TObject*) {
  if (FHost.ShowIndent) FHost.ShowIndent();
}

void TMainEditCommands::N315Click(TObject*) {
  TSrcMemo* memo = FHost.Memo;
  TRect r;
  memo->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  r.Left = 2;
  memo->Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
  memo->Repaint();
}

void TMainEditCommands::N410Click(TObject*) {
  TSrcMemo* memo = FHost.Memo;
  if (memo->ReadOnly()) {
    memo->SetReadOnly(false);
    Message(Ansi("Теперь этот документ можно редактировать."), kTitle, MB_OK | MB_ICONINFORMATION);
  } else {
    memo->SetReadOnly(true);
    Message(Ansi("Теперь этот документ используется только для чтения."), kTitle, MB_OK | MB_ICONWARNING);
  }
}

// ---- slots ----

void TMainEditCommands::CopyToSlot(int index) {
  if (!FHost.Slots || index < 0 || index >= 10) return;
  (*FHost.Slots)[static_cast<std::size_t>(index)] = FHost.Memo->SelText();
}

void TMainEditCommands::PasteFromSlot(int index) {
  if (!FHost.Slots || index < 0 || index >= 10) return;
  // A read-only document is not changed (the editing commands ignore it).
  TSrcMemo* memo = FHost.Memo;
  if (memo->ReadOnly()) return;
  const std::string& text = (*FHost.Slots)[static_cast<std::size_t>(index)];
  // Each paste is an undo step of its own: a plain insertion would join
  // the insertions before it when the control groups like changes.
  if (!memo->HasSelection() && !text.empty() && memo->HasOption(eoGroupUndo) && memo->UndoList()->CanUndo())
    memo->UndoList()->AddGroupBreak();
  memo->ReplaceSelection(text);
}

void TMainEditCommands::N418Click(TObject*) {
  if (FHost.Slots) FHost.Slots->fill(std::string());
}

// ---- clipboard viewer, editor menu ----

void TMainEditCommands::N523Click(TObject*) {
  if (FHost.ShowClipboardViewer) FHost.ShowClipboardViewer();
}

void TMainEditCommands::PopupMenu1Popup(TObject*) {
  if (FHost.SelectionItems) UpdateEditorMenuItems(*FHost.SelectionItems, *FHost.Memo);
}

// ---- handlers by name ----

namespace {
using TMember = void (TMainEditCommands::*)(TObject*);

// The slot handlers: copy and paste of slots 1 to 10, in slot order.
const char* const kCopySlot[10] = {"N1103Click", "N2104Click", "N3103Click", "N415Click", "N513Click",
                                   "N613Click",  "N713Click",  "N810Click",  "N910Click", "N1010Click"};
const char* const kPasteSlot[10] = {"N1104Click", "N2105Click", "N3104Click", "N416Click", "N514Click",
                                    "N2106Click", "N714Click",  "N811Click",  "N911Click", "N1011Click"};

const std::vector<std::pair<const char*, TMember>>& Members() {
  static const std::vector<std::pair<const char*, TMember>> members = {
      {"N72Click", &TMainEditCommands::N72Click},
      {"N73Click", &TMainEditCommands::N73Click},
      {"FindDialog1Find", &TMainEditCommands::FindDialog1Find},
      {"ReplaceDialog1Replace", &TMainEditCommands::ReplaceDialog1Replace},
      {"N97Click", &TMainEditCommands::N97Click},
      {"N96Click", &TMainEditCommands::N96Click},
      {"N99Click", &TMainEditCommands::N99Click},
      {"N166Click", &TMainEditCommands::N166Click},
      {"N167Click", &TMainEditCommands::N167Click},
      {"N95Click", &TMainEditCommands::N95Click},
      {"N173Click", &TMainEditCommands::N173Click},
      {"XpSpeedButton6Click", &TMainEditCommands::XpSpeedButton6Click},
      {"XpSpeedButton7Click", &TMainEditCommands::XpSpeedButton7Click},
      {"XpSpeedButton8Click", &TMainEditCommands::XpSpeedButton8Click},
      {"N303Click", &TMainEditCommands::N303Click},
      {"N304Click", &TMainEditCommands::N304Click},
      {"N310Click", &TMainEditCommands::N310Click},
      {"N311Click", &TMainEditCommands::N311Click},
      {"N312Click", &TMainEditCommands::N312Click},
      {"N300Click", &TMainEditCommands::N300Click},
      {"N309Click", &TMainEditCommands::N309Click},
      {"N314Click", &TMainEditCommands::N314Click},
      {"N315Click", &TMainEditCommands::N315Click},
      {"N410Click", &TMainEditCommands::N410Click},
      {"N418Click", &TMainEditCommands::N418Click},
      {"N523Click", &TMainEditCommands::N523Click},
      {"PopupMenu1Popup", &TMainEditCommands::PopupMenu1Popup},
  };
  return members;
}
}  // namespace

TNotifyEvent TMainEditCommands::Handler(const std::string& name) {
  for (const auto& [n, member] : Members())
    if (name == n) return [this, member = member](TObject* s) { (this->*member)(s); };
  for (int i = 0; i < 10; ++i) {
    if (name == kCopySlot[i]) return [this, i](TObject*) { CopyToSlot(i); };
    if (name == kPasteSlot[i]) return [this, i](TObject*) { PasteFromSlot(i); };
  }
  return nullptr;
}

const std::vector<std::string>& TMainEditCommands::HandlerNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> r;
    for (const auto& m : Members()) r.emplace_back(m.first);
    for (const char* n : kCopySlot) r.emplace_back(n);
    for (const char* n : kPasteSlot) r.emplace_back(n);
    return r;
  }();
  return names;
}
