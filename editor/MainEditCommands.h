// The main window's find, replace and edit commands: the find and replace
// dialogs, the whole-text commands (select, copy, cut, clear, paste over
// everything), undo and delete, moving the caret and the view, the line
// count, sorting, the left indent, the read-only switch, the ten private
// clipboard slots, the clipboard viewer and the editor menu's enabling.
//
// The commands know the main window only through a TEditCommandsHost, so
// they run on any TSrcMemo with any pair of dialogs (the tests use their
// own). The main window registers them by their designer names
// (W2kMainCommands.cpp); its menu and button rows name them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "SrcEditTypes.h"
#include "platform/Classes.h"
#include "platform/Win32.h"

class TSrcMemo;
class TSrcEditStringList;
class TFindDialog;
class TMenuItem;
class TZod2uAppForm;

// Linear search for one pattern: candidates are the places of the
// pattern's rarest byte (memchr), each compared whole; when the comparisons
// grow past the bytes passed (a pattern of repeats in a text of them), the
// rest is searched by Knuth-Morris-Pratt, so every call costs at most a
// small multiple of the length of the text it looks at, whatever the
// pattern.
class TTextFinder {
 public:
  explicit TTextFinder(std::string pattern);
  const std::string& Pattern() const { return FPattern; }
  // The first occurrence at or after `from`, or npos (always npos for an
  // empty pattern).
  std::size_t Find(std::string_view text, std::size_t from = 0) const;
  static constexpr std::size_t npos = std::string::npos;

 private:
  std::size_t FindByFailures(std::string_view text, std::size_t from) const;
  std::string FPattern;
  std::vector<std::size_t> FFail;
  std::size_t FRare = 0;  // the place of the rarest byte in the pattern
};

// The searches of the find and replace commands over a line list where its
// lines are (TSrcEditStringList::LineRun: no copies), for a pattern of one
// line (no CR or LF). A large range is searched on a few threads, each
// taking the next stretch of lines in turn; the list must not change
// meanwhile (no thread outlives the call).
// The first occurrence in lines first .. last (0-based), the first line
// from byte `from`: its place (1-based), or false.
bool FindInLineRange(const TSrcEditStringList& lines, const TTextFinder& finder, int first, std::size_t from, int last,
                     TBufferCoord& at);
// Every occurrence in the lines, left to right, none overlapping the one
// before it in its line.
std::vector<TBufferCoord> FindAllInLines(const TSrcEditStringList& lines, const TTextFinder& finder);

struct TEditCommandsHost {
  TSrcMemo* Memo = nullptr;              // Memo1
  TFindDialog* FindDialog = nullptr;     // FindDialog1
  TFindDialog* ReplaceDialog = nullptr;  // ReplaceDialog1 (a TReplaceDialog)
  // The editor menu's items that want a selection (kSelection rows).
  const std::vector<TMenuItem*>* SelectionItems = nullptr;
  // The owner window of the message boxes (the main window).
  std::function<HWND()> Owner;
  // The document's display name (DocName).
  std::function<std::string()> DocName;
  // The ten slots (ClipboardSlots) and the last message-box answer.
  std::array<std::string, 10>* Slots = nullptr;
  std::uint16_t* LastAnswer = nullptr;
  // The windows the commands show modally: the go-to-line dialog
  // (TForm122), the indent dialog (TForm13) and the clipboard viewer
  // (TForm26, which the command fills from the clipboard first).
  std::function<void()> ShowGoToLine;
  std::function<void()> ShowIndent;
  std::function<void()> ShowClipboardViewer;
};

class TMainEditCommands : public TComponent {
 public:
  TMainEditCommands(TComponent* owner, TEditCommandsHost host);
  const char* ClassName() const override { return "TMainEditCommands"; }
  const TEditCommandsHost& Host() const { return FHost; }

  // -- find and replace --
  void N72Click(TObject* Sender);               // "Найти...": show FindDialog1
  void N73Click(TObject* Sender);               // "Найти и заменить...": show ReplaceDialog1
  void FindDialog1Find(TObject* Sender);        // Find Next of either dialog
  void ReplaceDialog1Replace(TObject* Sender);  // Replace and Replace All

  // -- edit --
  void N97Click(TObject* Sender);             // undo (EM_UNDO)
  void N96Click(TObject* Sender);             // delete the selection
  void N99Click(TObject* Sender);             // select all
  void N166Click(TObject* Sender);            // copy all
  void N167Click(TObject* Sender);            // cut all
  void N95Click(TObject* Sender);             // clear all
  void N173Click(TObject* Sender);            // paste replacing all
  void XpSpeedButton6Click(TObject* Sender);  // cut
  void XpSpeedButton7Click(TObject* Sender);  // copy
  void XpSpeedButton8Click(TObject* Sender);  // paste

  // -- moving --
  void N303Click(TObject* Sender);  // go to the end
  void N304Click(TObject* Sender);  // go to line (TForm122)
  void N310Click(TObject* Sender);  // view to the bottom
  void N311Click(TObject* Sender);  // view one line down
  void N312Click(TObject* Sender);  // view one line up

  // -- settings --
  void N300Click(TObject* Sender);  // line count
  void N309Click(TObject* Sender);  // sort all lines
  void N314Click(TObject* Sender);  // create indent (TForm13)
  void N315Click(TObject* Sender);  // remove indent
  void N410Click(TObject* Sender);  // read-only switch

  // -- the ten slots (index 0 .. 9) --
  void CopyToSlot(int index);
  void PasteFromSlot(int index);
  void N418Click(TObject* Sender);  // empty all slots

  // -- clipboard viewer and the editor menu --
  void N523Click(TObject* Sender);
  void PopupMenu1Popup(TObject* Sender);

  // The handler of a designer name ("N72Click", "N1103Click" for slot 1's
  // copy ...), or an empty event for an unknown name.
  TNotifyEvent Handler(const std::string& name);
  // Every handler name, in the order of the command list.
  static const std::vector<std::string>& HandlerNames();

 private:
  int Message(const std::string& text, const char* caption, UINT flags);
  bool DocumentEmpty() const;
  // The place just after the selection (the caret without one), a caret
  // past the end of its line counted at the line's end; the document has
  // lines.
  TBufferCoord SelectionEnd() const;
  // The same as a character index (0 without lines).
  std::size_t SelectionEndIndex() const;
  // The next occurrence from the selection's end, wrapping to the start
  // once; `wrapped` tells which.
  std::size_t FindFromSelection(const std::string& text, const TTextFinder& finder, bool& wrapped) const;
  // The same over the document's lines where they are, without a copy of the
  // text (a pattern without line breaks cannot span two lines): the match's
  // place, or false.
  bool FindInLines(const TTextFinder& finder, TBufferCoord& at, bool& wrapped) const;
  void SelectMatch(std::size_t index, std::size_t length);
  void SelectMatchAt(const TBufferCoord& at, std::size_t length);
  // Finds from the selection and selects the match (showing the selection
  // first when asked); false when there is none.
  bool FindAndSelect(const TTextFinder& finder, bool& wrapped, bool showSelection = false);
  void ReplaceOne(const std::string& find, const std::string& replacement);
  void ReplaceAll(const std::string& find, const std::string& replacement);

  TEditCommandsHost FHost;
};

// The commands of the main window (the component "EditCommands"), or null.
TMainEditCommands* EditCommandsOf(TZod2uAppForm& form);
