// A control in a window of the fake widget set, with helpers that read the
// painted cells back (glyphs from the fake's glyph memory, backgrounds from
// the window's pixels), and a small highlighter that counts its work.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "SrcEdit.h"
#include "SrcEditHighlighter.h"
#include "SrcEditMiscClasses.h"
#include "SrcEditTextBuffer.h"
#include "SrcHighlighterHtml.h"
#include "platform/Colors.h"
#include "platform/testing/FakeWidgetset.h"

// Words, blanks and "/* ... */" comments; the comment carries across line
// ends (state 1). Counts the lines it is given and the tokens it makes.
class TCountingHighlighter : public TSrcCustomHighlighter {
 public:
  enum { kComment = 0, kWord = 1, kSpace = 2, kEol = 3 };

  explicit TCountingHighlighter(TComponent* owner) : TSrcCustomHighlighter(owner) {
    Comment = new TSrcHighlighterAttributes("Comment");
    Comment->SetForeground(clGreen);
    Word = new TSrcHighlighterAttributes("Word");
    Word->SetStyle(TFontStyles{fsBold});
    Word->SetForeground(clNavy);
    Space = new TSrcHighlighterAttributes("Space");
    AddAttribute(Comment);
    AddAttribute(Word);
    AddAttribute(Space);
    SetAttributesOnChange(AttributeChangeHandler());
  }
  const char* ClassName() const override { return "TCountingHighlighter"; }

  TSrcHighlighterAttributes* DefaultAttribute(int index) const override {
    switch (index) {
      case SRC_ATTR_COMMENT: return Comment;
      case SRC_ATTR_WHITESPACE: return Space;
      default: return nullptr;
    }
  }
  bool AtLineEnd() const override { return FKind == kEol; }
  TSrcScanState GetScanState() const override { return FState; }
  void SetScanState(TSrcScanState value) override { FState = static_cast<int>(value); }
  void ResetScanState() override { FState = 0; }
  std::string TokenText() const override { return FLine->substr(FTokenPos, FRun - FTokenPos); }
  int TokenLength() const override { return static_cast<int>(FRun - FTokenPos); }
  int TokenStart() const override { return static_cast<int>(FTokenPos); }
  int TokenKind() const override { return FKind; }
  TSrcHighlighterAttributes* TokenAttribute() const override {
    switch (FKind) {
      case kComment: return Comment;
      case kWord: return Word;
      case kSpace: return Space;
      default: return nullptr;
    }
  }
  void StartLine(const std::string& lineText, int lineIndex) override {
    ++StartLines;
    FLine = &lineText;
    FRun = 0;
    NextToken();
  }
  void NextToken() override {
    ++Tokens;
    const std::string& s = *FLine;
    const std::size_t n = s.size();
    FTokenPos = FRun;
    if (FRun >= n) {
      FKind = kEol;
      return;
    }
    auto closeComment = [&](std::size_t from) {
      const std::size_t e = s.find("*/", from);
      if (e == std::string::npos) {
        FRun = n;
      } else {
        FRun = e + 2;
        FState = 0;
      }
      FKind = kComment;
    };
    if (FState == 1) return closeComment(FRun);
    if (s.compare(FRun, 2, "/*") == 0) {
      FState = 1;
      return closeComment(FRun + 2);
    }
    const bool blank = s[FRun] == ' ' || s[FRun] == '\t';
    FKind = blank ? kSpace : kWord;
    while (FRun < n && (s[FRun] == ' ' || s[FRun] == '\t') == blank && s.compare(FRun, 2, "/*") != 0) ++FRun;
  }

  void ResetCounts() { StartLines = Tokens = 0; }

  TSrcHighlighterAttributes* Comment;
  TSrcHighlighterAttributes* Word;
  TSrcHighlighterAttributes* Space;
  long StartLines = 0;
  long Tokens = 0;

 private:
  const std::string* FLine = nullptr;
  std::size_t FRun = 0;
  std::size_t FTokenPos = 0;
  int FKind = kEol;
  int FState = 0;
};

class TPaintEdit : public TSrcEdit {
 public:
  explicit TPaintEdit(TComponent* owner) : TSrcEdit(owner) {}
  using TCustomSrcEdit::FCharsInWindow;
  using TCustomSrcEdit::FLinesInWindow;
};

// The control in a window of 40 x 10 cells (8 x 16 pixels each) right of a
// 30-pixel gutter, without border or scroll bars unless a test sets them.
class PaintTest : public ::testing::Test {
 protected:
  static constexpr int kCols = 40;
  static constexpr int kRows = 10;

  void SetUp() override {
    SetWidgetset(&Fake);
    Create();
  }
  // (Re)creates the control, e.g. after the fake's font metrics changed.
  void Create(int width = 30 + 2 + kCols * 8, int height = kRows * 16) {
    Edit.reset();
    Edit = std::make_unique<TPaintEdit>(nullptr);
    Edit->SetBorderStyle(bsNone);
    Edit->SetScrollBars(TSrcScrollStyle::ssNone);
    Edit->SetBounds(0, 0, width, height);
    Wnd = Edit->Handle();
    ::ShowWindow(Wnd, SW_SHOW);
    Edit->SetVisible(true);
    Fake.ProcessMessages();
  }
  void TearDown() override {
    Edit.reset();
    Html.reset();
    Counting.reset();
    SetWidgetset(nullptr);
  }

  FakePeer* Peer() const { return static_cast<FakePeer*>(Wnd); }

  void SetLines(std::initializer_list<const char*> lines) {
    Edit->Lines()->Clear();
    for (const char* l : lines) Edit->Lines()->Add(l);
  }
  void UseHtml() {
    Html = std::make_unique<TSrcHTMLHighlighter>(nullptr);
    Edit->SetHighlighter(Html.get());
  }
  void UseCounting() {
    Counting = std::make_unique<TCountingHighlighter>(nullptr);
    Edit->SetHighlighter(Counting.get());
  }
  // Repaints the whole window now.
  void PaintAll() {
    Edit->Invalidate();
    Fake.ClearCalls();
    Fake.ProcessMessages();
  }
  void Focus() {
    Edit->SetFocus();
    Fake.ProcessMessages();
  }

  static int Clamp(std::int64_t v) {
    return static_cast<int>(std::max<std::int64_t>(INT_MIN, std::min<std::int64_t>(INT_MAX, v)));
  }
  int X(int col) const {
    return Clamp(std::int64_t(Edit->GutterWidth()) + 2 + (std::int64_t(col) - Edit->LeftChar()) * Edit->CharWidth());
  }
  int Y(int row) const { return Clamp((std::int64_t(row) - Edit->TopLine()) * Edit->LineHeight()); }
  // The glyph drawn in a cell (null when none).
  const TFakeGlyph* Cell(int col, int row) { return Fake.TextAt(Wnd, X(col) + 1, Y(row) + 1); }
  char Ch(int col, int row) {
    const TFakeGlyph* g = Cell(col, row);
    return g != nullptr ? g->Ch : '\0';
  }
  COLORREF Fg(int col, int row) {
    const TFakeGlyph* g = Cell(col, row);
    return g != nullptr ? g->TextColor : CLR_INVALID;
  }
  bool Bold(int col, int row) {
    const TFakeGlyph* g = Cell(col, row);
    return g != nullptr && g->Font.lfWeight >= FW_BOLD;
  }
  // The background of a cell (its centre pixel; text leaves no ink).
  COLORREF Bg(int col, int row) { return Fake.PixelAt(Wnd, X(col) + Edit->CharWidth() / 2, Y(row) + 8); }
  // The characters of a text row from column 1 to the last whole column.
  std::string RowText(int row) { return Fake.RowText(Wnd, Y(row), X(1), Clamp(std::int64_t(X(kCols + 1)) - 1)); }

  static COLORREF RGBOf(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)); }

  FakeWidgetset Fake;
  std::unique_ptr<TPaintEdit> Edit;
  HWND Wnd = nullptr;
  std::unique_ptr<TSrcHTMLHighlighter> Html;
  std::unique_ptr<TCountingHighlighter> Counting;
};
