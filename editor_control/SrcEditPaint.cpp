// TCustomSrcEdit: the paint pass (gutter and text lines).
//
// Every character occupies one cell of CharWidth x LineHeight pixels; all
// text goes through the control's text drawer. A text row is painted as
// runs of highlighter tokens merged by colour and style and cut at the
// selection edges; only the rows and columns inside the clip rectangle are
// painted, and the token loop stops at the last visible column.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

#include "SrcEdit.h"
#include "SrcEditHighlighter.h"
#include "SrcEditMarks.h"
#include "SrcEditMiscClasses.h"
#include "SrcEditMiscProcs.h"
#include "SrcEditTextBuffer.h"
#include "SrcTextDrawer.h"
#include "platform/CodePage.h"
#include "platform/Colors.h"
#include "platform/Controls.h"
#include "platform/Gdi.h"
#include "platform/Graphics.h"
#include "platform/Win32.h"

namespace {

using i64 = std::int64_t;

constexpr char kPilcrow = '\xB6';
constexpr char kMiddleDot = '\xB7';
constexpr char kTabMark = '\xBB';

// Lines at least this long keep their display text between paint passes.
constexpr std::size_t kLongLineBytes = 64 * 1024;

bool AllSpaces(const char* p, i64 n) {
  for (i64 i = 0; i < n; ++i)
    if (p[i] != ' ') return false;
  return true;
}

bool HasUnderline(TFontStyles s) { return s.Contains(fsUnderline); }

// Restores what a paint pass must not leave behind.
class TDrawingGuard {
 public:
  explicit TDrawingGuard(TheTextDrawer* drawer) : FDrawer(drawer) {}
  ~TDrawingGuard() {
    if (FDrawer != nullptr) FDrawer->EndDrawing();
  }
  TDrawingGuard(const TDrawingGuard&) = delete;
  TDrawingGuard& operator=(const TDrawingGuard&) = delete;

 private:
  TheTextDrawer* FDrawer;
};

}  // namespace

// ---------------------------------------------------------------------------
// State of one text-area pass.

struct TCustomSrcEdit::TPaintPass {
  explicit TPaintPass(TCustomSrcEdit& editor)
      : E(editor),
        TD(editor.FTextDrawer),
        CW(std::max(1, editor.FCharWidth)),
        LH(std::max(1, editor.FLineHeight)),
        SpecialChars(editor.HasOption(eoShowSpecialChars)),
        SpecialLineDefaultFg(editor.HasOption(eoSpecialLineDefaultFg)),
        FontColor(editor.Font()->Color()),
        FontStyle(editor.Font()->Style()) {
    WhitespaceBG = clNone;
    if (E.FHighlighter != nullptr) {
      TSrcHighlighterAttributes* ws = E.FHighlighter->DefaultAttribute(SRC_ATTR_WHITESPACE);
      if (ws != nullptr) WhitespaceBG = ws->Background();
    }
  }

  TCustomSrcEdit& E;
  TheTextDrawer* TD;
  HDC DC = nullptr;
  const int CW;
  const int LH;
  const bool SpecialChars;
  const bool SpecialLineDefaultFg;
  const TColor FontColor;
  const TFontStyles FontStyle;
  TColor WhitespaceBG;

  // Painted range.
  i64 FirstCol = 1;
  i64 LastCol = 1;

  // Selection in display coordinates.
  bool AnySelection = false;
  TDisplayPoint SelStart;
  TDisplayPoint SelEnd;

  // Right edge.
  bool DoRightEdge = false;
  int RightEdgeX = 0;

  // The line being painted.
  bool CurrentLine = false;
  bool SpecialLine = false;
  TColor LineFG = clNone;  // the line's own colours (tokens without attribute)
  TColor LineBG = clNone;
  TColor DrawFG = clNone;  // the colours of the part being drawn
  TColor DrawBG = clNone;
  TColor SelFG = clNone;
  TColor SelBG = clNone;

  // The row being painted.
  i64 FirstChar = 1;  // positions in the line's display text (1-based)
  i64 LastChar = 1;
  i64 LineSelStart = 0;
  i64 LineSelEnd = 0;
  bool ComplexLine = false;
  bool LineSelected = false;
  TRect RowBox;
  TRect TokenBox;

  // The token accumulator: its text and the 0-based column of its first
  // character.
  std::string RunText;
  i64 RunPos = 0;
  TColor RunFG = clNone;
  TColor RunBG = clNone;
  TFontStyles RunStyle;

  // Characters of one output (special characters replaced).
  std::string Out;

  int X(i64 column) const { return E.ColumnToX(column); }
  int Y(i64 row) const { return E.RowToY(row); }

  TColor EditorBG() const {
    if (E.FActiveLineColor != clNone && CurrentLine) return E.FActiveLineColor;
    if (WhitespaceBG != clNone) return WhitespaceBG;
    return E.Color();
  }

  void SetDrawingColors(bool selected) {
    TD->SetForeColor(selected ? SelFG : DrawFG);
    TD->SetBackColor(selected ? SelBG : DrawBG);
  }

  void FillTokenBox() { ::ExtTextOut(DC, TokenBox.Left, TokenBox.Top, ETO_OPAQUE, &TokenBox, nullptr, 0, nullptr); }

  void ComputeSelection(int firstLine, int lastLine);
  void ComputeRowSelection(int row, std::string_view lineText);
  void PaintLine(int line, int firstRow, int lastRow);
  void PaintToken(const char* token, i64 tokenLen, i64 charsBefore, i64 first, i64 last);
  void AddToken(const char* p, i64 len, i64 column0, TFontStyles style, TColor bg, TColor fg);
  void FlushRun(bool fillToEOL);
  void AdjustEndRect();
  void PaintRowWithoutHighlighter(std::string_view text);
};

void TCustomSrcEdit::TPaintPass::ComputeSelection(int firstLine, int lastLine) {
  AnySelection = false;
  if (E.FHideSelection && !E.Focused()) return;
  TBufferCoord vStart = E.FBlockBegin;
  TBufferCoord vEnd = E.FBlockEnd;
  if (vStart == vEnd) return;
  if (vStart.Line > vEnd.Line || (vStart.Line == vEnd.Line && vStart.Char > vEnd.Char)) std::swap(vStart, vEnd);
  if (vEnd.Line < firstLine || vStart.Line > lastLine) return;
  AnySelection = true;
  SelStart = E.BufferToDisplay(vStart);
  SelEnd = E.BufferToDisplay(vEnd);
  if (E.FActiveSelectionMode == smColumn && SelStart.Column > SelEnd.Column) std::swap(SelStart.Column, SelEnd.Column);
}

void TCustomSrcEdit::TPaintPass::ComputeRowSelection(int row, std::string_view lineText) {
  LineSelStart = 0;
  LineSelEnd = 0;
  ComplexLine = false;
  if (AnySelection && row >= SelStart.Row && row <= SelEnd.Row) {
    const TSrcSelectionMode mode = E.FActiveSelectionMode;
    LineSelStart = FirstCol;
    LineSelEnd = LastCol + 1;
    bool none = false;
    if (mode == smColumn || (mode == smNormal && row == SelStart.Row)) {
      if (SelStart.Column > LastCol) {
        none = true;
      } else if (SelStart.Column > FirstCol) {
        LineSelStart = SelStart.Column;
        ComplexLine = true;
      }
    }
    if (!none && (mode == smColumn || (mode == smNormal && row == SelEnd.Row))) {
      if (SelEnd.Column < FirstCol) {
        none = true;
      } else if (SelEnd.Column < LastCol) {
        LineSelEnd = SelEnd.Column;
        ComplexLine = true;
      }
    }
    if (none) {
      LineSelStart = 0;
      LineSelEnd = 0;
      ComplexLine = false;
    } else if (mode == smColumn) {
      // A bound on the second byte of a double-byte character moves right.
      const char* text = lineText.data();
      const i64 len = static_cast<i64>(lineText.size());
      if (IsTrailByte(std::string_view(text, static_cast<std::size_t>(len)), LineSelStart - FirstCol + FirstChar))
        ++LineSelStart;
      if (IsTrailByte(std::string_view(text, static_cast<std::size_t>(len)), LineSelEnd - FirstCol + FirstChar))
        ++LineSelEnd;
    }
  }
  LineSelected = !ComplexLine && LineSelStart > 0;
}

// Draws columns first..last of a token (the token's first character is in
// column charsBefore + 1) into the token box, which then moves on.
void TCustomSrcEdit::TPaintPass::PaintToken(const char* token, i64 tokenLen, i64 charsBefore, i64 first, i64 last) {
  if (last >= first && TokenBox.Right > TokenBox.Left) {
    int x = X(first);
    i64 f = first - charsBefore;
    const i64 l = last - charsBefore;
    if (f < 1) {
      x = X(charsBefore + 1);
      f = 1;
    }
    i64 count = 0;
    bool tabs = false;
    const i64 markFirst = f;
    if (f <= tokenLen) {
      if (IsTrailByte(std::string_view(token, static_cast<std::size_t>(tokenLen)), f)) {
        --f;
        x -= CW;
      }
      count = std::max<i64>(0, std::min(tokenLen - f + 1, l - f + 1));
      Out.assign(token + (f - 1), static_cast<std::size_t>(count));
      for (char& ch : Out) {
        if (ch == '\t') {
          ch = ' ';
          tabs = tabs || SpecialChars;
        } else if (ch == ' ' && SpecialChars) {
          ch = kMiddleDot;
        }
      }
    }
    TD->ExtTextOut(x, TokenBox.Top, ETO_OPAQUE, &TokenBox, count > 0 ? Out.data() : nullptr, static_cast<int>(count));

    if (tabs) {
      // One mark per tab run, centred on the columns the run covers.
      const int tabWidth = std::max(1, E.FTabWidth);
      const i64 end = std::min(l, tokenLen);
      i64 i = markFirst;
      while (i <= end) {
        if (token[i - 1] != '\t') {
          ++i;
          continue;
        }
        const i64 column = charsBefore + i;
        const i64 h = (tabWidth - column % tabWidth) % tabWidth + 1;
        const int xm = ClampToInt(i64(X(column + h / 2 - 1)) + ((h & 1) != 0 ? CW : CW / 2));
        TRect box(xm, TokenBox.Top, ClampToInt(i64(xm) + CW), TokenBox.Bottom);
        TD->ExtTextOut(xm, TokenBox.Top, ETO_OPAQUE, &box, &kTabMark, 1);
        i += h;
      }
    }
  }
  TokenBox.Left = TokenBox.Right;
}

void TCustomSrcEdit::TPaintPass::AddToken(const char* p, i64 len, i64 column0, TFontStyles style, TColor bg,
                                          TColor fg) {
  if (bg == clNone || (E.FActiveLineColor != clNone && CurrentLine)) bg = EditorBG();
  if (fg == clNone) fg = FontColor;

  // The part of a token left of the view is never drawn; keep one character
  // before the first column (a double-byte lead byte may be there).
  const i64 drop = std::min(len, std::max<i64>(0, FirstCol - 2 - column0));
  p += drop;
  len -= drop;
  column0 += drop;

  const i64 runLen = static_cast<i64>(RunText.size());
  bool append = runLen > 0 && column0 == RunPos + runLen;
  if (append) {
    int spaces = -1;  // unknown
    auto isSpaces = [&] {
      if (spaces < 0) spaces = AllSpaces(p, len) ? 1 : 0;
      return spaces == 1;
    };
    append = (style == RunStyle || (!HasUnderline(style) && !HasUnderline(RunStyle) && isSpaces())) &&
             ((SpecialLine && !SpecialLineDefaultFg) || LineSelected || (bg == RunBG && (fg == RunFG || isSpaces())));
  }
  if (append) {
    RunText.append(p, static_cast<std::size_t>(len));
    return;
  }
  FlushRun(false);
  RunText.assign(p, static_cast<std::size_t>(len));
  RunPos = column0;
  RunFG = fg;
  RunBG = bg;
  RunStyle = style;
}

// A styled run's last character may be wider than its cell (italic or bold
// overhang): the fill after it starts right of the overhang.
void TCustomSrcEdit::TPaintPass::AdjustEndRect() {
  const unsigned ch = static_cast<unsigned char>(RunText.back());
  i64 real = CW;
  ABC abc;
  int width = 0;
  if (::GetCharABCWidths(DC, ch, ch, &abc)) {
    real = i64(abc.abcA) + i64(abc.abcB);
    if (abc.abcC >= 0) real += abc.abcC;
  } else if (::GetCharWidth32(DC, ch, ch, &width)) {
    real = width;
  }
  if (real > CW) TokenBox.Left = ClampToInt(i64(TokenBox.Left) + real - CW);
}

void TCustomSrcEdit::TPaintPass::FlushRun(bool fillToEOL) {
  const i64 runLen = static_cast<i64>(RunText.size());
  const i64 c1 = std::max(FirstCol, RunPos + 1);
  const i64 c2 = std::min(LastCol, RunPos + runLen + 1);
  bool before = false;
  bool inside = false;
  bool after = false;
  if (ComplexLine) {
    before = c1 < LineSelStart;
    inside = c1 < LineSelEnd && c2 >= LineSelStart;
    after = c2 >= LineSelEnd;
  } else {
    inside = LineSelected;
  }
  const bool mixed = inside && (before || after);

  if (runLen > 0) {
    if (!SpecialLine) {
      DrawFG = RunFG;
      DrawBG = RunBG;
    } else if (SpecialLineDefaultFg) {
      DrawFG = RunFG;
    }
    TD->SetStyle(RunStyle);
    const char* text = RunText.data();
    if (mixed) {
      if (before) {
        SetDrawingColors(false);
        TokenBox.Right = X(LineSelStart);
        PaintToken(text, runLen, RunPos, c1, LineSelStart);
      }
      const i64 s = std::max(LineSelStart, c1);
      const i64 e = std::min(LineSelEnd, c2);
      SetDrawingColors(true);
      TokenBox.Right = X(e);
      PaintToken(text, runLen, RunPos, s, e);
      if (after) {
        SetDrawingColors(false);
        TokenBox.Right = X(c2);
        PaintToken(text, runLen, RunPos, LineSelEnd, c2);
      }
    } else {
      SetDrawingColors(inside);
      TokenBox.Right = X(c2);
      PaintToken(text, runLen, RunPos, c1, c2);
    }
  }

  if (fillToEOL && TokenBox.Left < RowBox.Right) {
    if (!SpecialLine) DrawBG = EditorBG();
    const bool overhang = runLen > 0 && !RunStyle.Empty();
    if (ComplexLine) {
      const int x1 = X(LineSelStart);
      const int x2 = X(LineSelEnd);
      if (TokenBox.Left < x1) {
        SetDrawingColors(false);
        TokenBox.Right = x1;
        if (overhang) AdjustEndRect();
        FillTokenBox();
        TokenBox.Left = x1;
      }
      if (TokenBox.Left < x2) {
        SetDrawingColors(true);
        TokenBox.Right = x2;
        FillTokenBox();
        TokenBox.Left = x2;
      }
      if (TokenBox.Left < RowBox.Right) {
        SetDrawingColors(false);
        TokenBox.Right = RowBox.Right;
        FillTokenBox();
      }
    } else {
      SetDrawingColors(LineSelected);
      TokenBox.Right = RowBox.Right;
      if (overhang) AdjustEndRect();
      FillTokenBox();
    }
  }
  RunText.clear();
}

void TCustomSrcEdit::TPaintPass::PaintRowWithoutHighlighter(std::string_view line) {
  const char* token = line.data();
  i64 tokenLen = static_cast<i64>(line.size());
  i64 tokenStart = 0;  // 0-based position of the token in the line
  if (FirstChar != FirstCol || LastChar != LastCol) {
    // A wrapped row: its part of the line.
    tokenStart = std::min<i64>(std::max<i64>(FirstChar - 1, 0), tokenLen);
    tokenLen = std::max<i64>(0, std::min(LastChar - FirstChar, tokenLen - tokenStart));
    token += tokenStart;
  }
  const bool lineEndInToken = tokenStart + tokenLen >= static_cast<i64>(line.size());
  if (SpecialChars && lineEndInToken && tokenLen < LastCol) {
    Out.assign(token, static_cast<std::size_t>(tokenLen));
    Out.push_back(kPilcrow);
    RunText.swap(Out);  // PaintToken builds its output in Out
    token = RunText.data();
    ++tokenLen;
  }
  DrawFG = LineFG;
  DrawBG = LineBG;
  if (ComplexLine) {
    SetDrawingColors(false);
    TokenBox.Left = std::max(RowBox.Left, X(FirstCol));
    TokenBox.Right = std::min(RowBox.Right, X(LineSelStart));
    PaintToken(token, tokenLen, 0, FirstCol, LineSelStart);
    TokenBox.Left = std::max(RowBox.Left, X(LineSelEnd));
    TokenBox.Right = std::min(RowBox.Right, X(LastCol));
    PaintToken(token, tokenLen, 0, LineSelEnd, LastCol);
    SetDrawingColors(true);
    TokenBox.Left = std::max(RowBox.Left, X(LineSelStart));
    TokenBox.Right = std::min(RowBox.Right, X(LineSelEnd));
    PaintToken(token, tokenLen, 0, LineSelStart, LineSelEnd - 1);
  } else {
    SetDrawingColors(LineSelected);
    PaintToken(token, tokenLen, 0, FirstCol, LastCol);
  }
  RunText.clear();
}

void TCustomSrcEdit::TPaintPass::PaintLine(int line, int firstRow, int lastRow) {
  std::string scratch;
  const std::string_view text = E.PaintLineText(line - 1, scratch);
  const char* lineData = text.data();

  CurrentLine = line == E.FCaretY;
  LineFG = FontColor;
  LineBG = EditorBG();
  SpecialLine = E.FireSpecialLineColors(line, LineFG, LineBG);
  if (SpecialLine) {
    SelFG = LineBG;
    SelBG = LineFG;
  } else {
    SelFG = E.FSelectedColor->Foreground();
    SelBG = E.FSelectedColor->Background();
  }

  const bool wrap = E.WordWrap();
  int startRow = line;
  int endRow = line;
  if (wrap) {
    startRow = std::max(E.LineToRow(line), firstRow);
    endRow = std::min(line < INT_MAX ? E.LineToRow(line + 1) - 1 : lastRow, lastRow);
  }

  TSrcCustomHighlighter* hl = E.FHighlighter != nullptr && E.FHighlighter->Enabled() ? E.FHighlighter : nullptr;
  bool scanning = false;
  TSrcHighlighterAttributes* lastAttr = nullptr;
  i64 lastEnd = 0;

  for (int row = startRow; row <= endRow; ++row) {
    if (!wrap) {
      FirstChar = FirstCol;
      LastChar = LastCol;
    } else {
      ISrcEditBufferPlugin* plugin = E.FWordWrapPlugin.get();
      FirstChar = plugin->DisplayToBufferPos(DisplayCoord(hl != nullptr ? ClampToInt(FirstCol) : 1, row)).Char;
      LastChar = plugin->DisplayToBufferPos(DisplayCoord(ClampToInt(LastCol), row)).Char;
    }
    ComputeRowSelection(row, text);

    RowBox = TRect(RowBox.Left, Y(row), RowBox.Right, ClampToInt(i64(Y(row)) + LH));
    TokenBox = RowBox;

    if (hl != nullptr) {
      if (!scanning) {
        const TSrcScanState start = E.PrepareLineStart(line - 1);
        // Far into a long line without tabs (the painted text is the stored
        // one) the scan resumes at the checkpoint before the first column.
        const TSrcScanCheckpoint* from = nullptr;
        if (FirstChar > TSrcScanCheckpoints::kSpacing && text.size() >= std::size_t(TSrcScanCheckpoints::kMinLine) &&
            (E.FLines->GetLineFlags(line - 1) & lfHasNoTabs) != 0)
          from = E.FScanCheckpoints.Before(line - 1, start, ClampToInt(FirstChar - 1));
        if (from != nullptr)
          hl->ResumeLine(text.data(), static_cast<int>(text.size()), line - 1, from->Pos, from->State);
        else
          hl->StartLineView(text.data(), static_cast<int>(text.size()), line - 1);
        scanning = true;
        if (RunText.capacity() < std::size_t(std::max(128, E.FCharsInWindow)))
          RunText.reserve(std::size_t(std::max(128, E.FCharsInWindow)));
      }
      const i64 shift = FirstCol - FirstChar;
      // Tokens that reach into the next wrapped row stay current for it.
      while (!hl->AtLineEnd()) {
        const i64 pos = hl->TokenStart();
        i64 len = hl->TokenLength();
        if (pos + len >= FirstChar) {
          const bool reachesEnd = pos + len >= LastChar;
          if (reachesEnd) {
            if (pos >= LastChar) break;
            len = LastChar - pos - 1;
          }
          TSrcHighlighterAttributes* attr = hl->TokenAttribute();
          if (attr != nullptr)
            AddToken(lineData + pos, len, pos + shift, attr->Style(), attr->Background(), attr->Foreground());
          else
            AddToken(lineData + pos, len, pos + shift, FontStyle, LineBG, LineFG);
          if (reachesEnd) break;
          lastAttr = attr;
        } else if (SpecialChars) {
          lastAttr = hl->TokenAttribute();  // the line-end mark may need it
        }
        lastEnd = pos + hl->TokenLength();
        hl->NextToken();
      }
      if (SpecialChars && hl->AtLineEnd()) {
        TSrcHighlighterAttributes* comment = hl->DefaultAttribute(SRC_ATTR_COMMENT);
        TSrcHighlighterAttributes* attr =
            lastAttr != nullptr && lastAttr == comment ? lastAttr : hl->DefaultAttribute(SRC_ATTR_WHITESPACE);
        if (attr != nullptr)
          AddToken(&kPilcrow, 1, lastEnd + shift, TFontStyles(), attr->Background(), attr->Foreground());
        else
          AddToken(&kPilcrow, 1, lastEnd + shift, TFontStyles(), LineBG, LineFG);
      }
      FlushRun(true);
    } else {
      PaintRowWithoutHighlighter(text);
    }

    if (DoRightEdge) {
      ::MoveToEx(DC, RightEdgeX, RowBox.Top, nullptr);
      ::LineTo(DC, RightEdgeX, ClampToInt(i64(RowBox.Bottom) + 1));
    }
  }
  CurrentLine = false;
}

// ---------------------------------------------------------------------------

TColor TCustomSrcEdit::EditorBackgroundColor(int Line) const {
  if (FActiveLineColor != clNone && Line == FCaretY) return FActiveLineColor;
  if (FHighlighter != nullptr) {
    TSrcHighlighterAttributes* ws = FHighlighter->DefaultAttribute(SRC_ATTR_WHITESPACE);
    if (ws != nullptr && ws->Background() != clNone) return ws->Background();
  }
  return Color();
}

std::string_view TCustomSrcEdit::PaintLineText(int Index, std::string& Scratch) {
  if (Index < 0 || Index >= FLines->Count()) {
    Scratch.clear();
    return Scratch;
  }
  const std::string_view raw = FLines->LineView(Index);
  if (raw.size() < kLongLineBytes) {
    Scratch = FLines->GetExpandedLine(Index);
    return Scratch;
  }
  // A long line without tabs that holds its own NUL is painted from the
  // list itself: a keystroke in it copies nothing.
  FLines->GetExpandedLen(Index);  // the tab flags
  if ((FLines->GetLineFlags(Index) & lfHasNoTabs) != 0) {
    if (const char* own = FLines->TerminatedLine(Index)) return std::string_view(own, raw.size());
  }
  // Any other long line is expanded once and kept until the text changes.
  const int tabWidth = FLines->TabWidth();
  TPaintLineCacheEntry* victim = &FPaintLineCache[0];
  for (TPaintLineCacheEntry& e : FPaintLineCache) {
    if (e.Index == Index && e.Generation == FLinesGeneration && e.Data == raw.data() && e.Size == raw.size() &&
        e.TabWidth == tabWidth) {
      e.LastUse = ++FPaintLineCacheClock;
      return e.Text;
    }
    if (e.LastUse < victim->LastUse) victim = &e;
  }
  victim->Text = FLines->GetExpandedLine(Index);
  victim->Index = Index;
  victim->Generation = FLinesGeneration;
  victim->Data = raw.data();
  victim->Size = raw.size();
  victim->TabWidth = tabWidth;
  victim->LastUse = ++FPaintLineCacheClock;
  return victim->Text;
}

void TCustomSrcEdit::Paint() {
  TCanvas* canvas = Canvas();
  const TRect rcClip = canvas->ClipRect();
  const int cw = std::max(1, FCharWidth);
  const int lh = std::max(1, FLineHeight);

  // Columns and rows that intersect the clip rectangle.
  i64 firstCol = FLeftChar;
  if (rcClip.Left > FGutterWidth + 2) firstCol += (i64(rcClip.Left) - FGutterWidth - 2) / cw;
  const i64 lastCol = i64(FLeftChar) + (i64(rcClip.Right) - FGutterWidth - 2 + cw - 1) / cw;
  const i64 firstRow = std::max<i64>(i64(FTopLine) + rcClip.Top / lh, FTopLine);
  const i64 lastRow =
      std::max<i64>(std::min<i64>(i64(FTopLine) + (i64(rcClip.Bottom) + lh - 1) / lh, DisplayRowCount()), 1);

  HideCaret();
  try {
    if (rcClip.Left < FGutterWidth) {
      TRect r = rcClip;
      r.Right = FGutterWidth;
      PaintGutter(r, ClampToInt(firstRow), ClampToInt(lastRow));
    }
    if (rcClip.Right > FGutterWidth) {
      TRect r = rcClip;
      r.Left = std::max(r.Left, FGutterWidth);
      PaintTextLines(r, ClampToInt(firstRow), ClampToInt(lastRow), ClampToInt(firstCol), ClampToInt(lastCol));
    }
    FirePaint();
    FirePaintTransient(ttAfter);
  } catch (...) {
    UpdateCaret();
    throw;
  }
  UpdateCaret();
}

// ---------------------------------------------------------------------------
// Gutter

void TCustomSrcEdit::PaintGutter(const TRect& AClip, int FirstRow, int LastRow) {
  TCanvas* canvas = Canvas();
  const int lh = std::max(1, FLineHeight);
  const int firstLine = RowToLine(FirstRow);
  const int lastLine = RowToLine(LastRow);
  auto rowY = [&](i64 row) { return RowToY(row); };
  const bool gradient = FGutter->Gradient();

  if (gradient)
    FillGradient(canvas, FGutter->GradientStartColor(), FGutter->GradientEndColor(), FGutter->GradientSteps(),
                 TRect(0, 0, FGutterWidth, ClientHeight()), true);
  canvas->Brush()->SetColor(FGutter->Color());
  canvas->Brush()->SetStyle(bsSolid);

  if (FGutter->ShowLineNumbers()) {
    const bool useFontStyle = FGutter->UseFontStyle();
    if (useFontStyle)
      FTextDrawer->SetBaseFont(FGutter->Font());
    else
      FTextDrawer->SetStyle(0);
    try {
      HDC dc = canvas->Handle();
      FTextDrawer->BeginDrawing(dc);
      TDrawingGuard guard(FTextDrawer);
      FTextDrawer->SetForeColor(useFontStyle ? FGutter->Font()->Color() : Font()->Color());
      FTextDrawer->SetBackColor(FGutter->Color());

      TRect rcLine = AClip;
      rcLine.Right = std::max(AClip.Right, FGutterWidth - 2);
      int prevBottom = AClip.Top;
      for (int line = firstLine; line <= lastLine; ++line) {
        const int y = rowY(LineToRow(line));
        if (WordWrap() && !gradient && prevBottom < y) {
          // The continuation rows of the line above.
          TRect band(rcLine.Left, prevBottom, rcLine.Right, y);
          ::ExtTextOut(dc, band.Left, band.Top, ETO_OPAQUE, &band, nullptr, 0, nullptr);
        }
        rcLine.Top = y;
        rcLine.Bottom = ClampToInt(i64(y) + lh);
        prevBottom = rcLine.Bottom;
        std::string s = FGutter->FormatLineNumber(line);
        if (OnGutterGetText) OnGutterGetText(this, line, s);
        TSize size;
        ::GetTextExtentPoint32(dc, s.data(), static_cast<int>(s.size()), &size);
        const int x = FGutterWidth - FGutter->RightOffset() - size.cx - 2;
        const int ty = rcLine.Top + (lh - size.cy) / 2;
        if (gradient) {
          ::SetBkMode(dc, TRANSPARENT);
          ::ExtTextOut(dc, x, ty, ETO_CLIPPED, &rcLine, s.data(), static_cast<UINT>(s.size()), nullptr);
          ::SetBkMode(dc, OPAQUE);
        } else {
          ::ExtTextOut(dc, x, ty, ETO_OPAQUE | ETO_CLIPPED, &rcLine, s.data(), static_cast<UINT>(s.size()), nullptr);
        }
      }
      if (!gradient && AClip.Bottom > prevBottom) {
        TRect rest(rcLine.Left, prevBottom, rcLine.Right, AClip.Bottom);
        ::ExtTextOut(dc, rest.Left, rest.Top, ETO_OPAQUE, &rest, nullptr, 0, nullptr);
      }
    } catch (...) {
      if (useFontStyle) FTextDrawer->SetBaseFont(Font());
      throw;
    }
    if (useFontStyle) FTextDrawer->SetBaseFont(Font());
  } else if (!gradient) {
    canvas->FillRect(AClip);
  }

  if (gradient) canvas->Brush()->SetStyle(bsClear);

  // Wrapped rows: the continuation glyph.
  if (WordWrap() && FWordWrapGlyph->Visible()) {
    // Every row of a line but its first is a continuation row.
    const int x = FGutterWidth - FGutter->RightOffset() - FWordWrapGlyph->Width() - 2;
    int lineStart = LineToRow(firstLine);
    for (int line = firstLine; line <= lastLine && lineStart <= LastRow; ++line) {
      const int next = LineToRow(line + 1);
      for (int row = std::max(lineStart + 1, FirstRow); row < next && row <= LastRow; ++row)
        FWordWrapGlyph->Draw(canvas, x, rowY(row), lh);
      lineStart = next;
    }
  }

  // Border.
  if (FGutter->BorderStyle() != gbsNone && AClip.Right >= FGutterWidth - 2) {
    canvas->Pen()->SetColor(FGutter->BorderColor());
    canvas->Pen()->SetWidth(1);
    if (FGutter->BorderStyle() == gbsMiddle) {
      canvas->MoveTo(FGutterWidth - 2, AClip.Top);
      canvas->LineTo(FGutterWidth - 2, AClip.Bottom);
      canvas->Pen()->SetColor(FGutter->Color());
    }
    canvas->MoveTo(FGutterWidth - 1, AClip.Top);
    canvas->LineTo(FGutterWidth - 1, AClip.Bottom);
  }

  // Marks, then the gutter paint event per line.
  const int lineCount = lastLine >= firstLine ? lastLine - firstLine + 1 : 0;
  if (FBookMarkOpt->GlyphsVisible() && FMarkList->Count() > 0 && lineCount > 0) {
    std::vector<int> offsets(static_cast<std::size_t>(lineCount), 0);
    const bool bookmarksFirst = FBookMarkOpt->DrawBookmarksFirst();
    TImageList* images = FBookMarkOpt->BookmarkImages();
    const int xOffset = FBookMarkOpt->Xoffset();
    const int leftMargin = FBookMarkOpt->LeftMargin();

    auto drawMark = [&](TSrcEditMark* mark) {
      int& offset = offsets[static_cast<std::size_t>(mark->Line() - firstLine)];
      const int y = rowY(LineToRow(mark->Line()));
      if (images != nullptr && !mark->InternalImage()) {
        if (mark->ImageIndex() < 0 || mark->ImageIndex() >= images->Count()) return;
        if (mark->IsBookmark() == bookmarksFirst)
          offset = 0;
        else if (offset == 0)
          offset = xOffset;
        images->Draw(canvas, leftMargin + offset, y, mark->ImageIndex());
      } else {
        if (mark->ImageIndex() < 0 || mark->ImageIndex() > 9) return;
        if (FInternalImage == nullptr)
          FInternalImage = new TSrcInternalImage(nullptr, SrcEditInternalImagesResource, 10);
        if (offset == 0) FInternalImage->Draw(canvas, mark->ImageIndex(), leftMargin + offset, y, lh);
      }
      offset += xOffset;
    };

    bool others = false;
    for (int i = 0; i < FMarkList->Count(); ++i) {
      TSrcEditMark* mark = FMarkList->Items(i);
      if (!mark->Visible() || mark->Line() < firstLine || mark->Line() > lastLine) continue;
      if (mark->IsBookmark() == bookmarksFirst)
        drawMark(mark);
      else
        others = true;
    }
    if (others) {
      for (int i = 0; i < FMarkList->Count(); ++i) {
        TSrcEditMark* mark = FMarkList->Items(i);
        if (!mark->Visible() || mark->Line() < firstLine || mark->Line() > lastLine) continue;
        if (mark->IsBookmark() != bookmarksFirst) drawMark(mark);
      }
    }
    if (OnGutterPaint)
      for (int line = firstLine; line <= lastLine; ++line)
        OnGutterPaint(this, line, offsets[static_cast<std::size_t>(line - firstLine)], rowY(LineToRow(line)));
  } else if (OnGutterPaint) {
    for (int line = firstLine; line <= lastLine; ++line) OnGutterPaint(this, line, 0, rowY(LineToRow(line)));
  }

  if (gradient) canvas->Brush()->SetStyle(bsSolid);
}

// ---------------------------------------------------------------------------
// Text area

void TCustomSrcEdit::PaintTextLines(const TRect& AClip, int FirstRow, int LastRow, int FirstCol, int LastCol) {
  TCanvas* canvas = Canvas();
  TPaintPass P(*this);
  P.FirstCol = FirstCol;
  P.LastCol = LastCol;
  const int firstLine = RowToLine(FirstRow);
  const int lastLine = RowToLine(LastRow);

  TRect rcClip = AClip;
  if (FRightEdge > 0) {
    P.RightEdgeX = P.X(i64(FRightEdge) + 1);
    P.DoRightEdge = AClip.Left <= P.RightEdgeX && P.RightEdgeX <= AClip.Right;
  }

  auto fillBackground = [&](const TRect& r) {
    if (FHighlighter != nullptr) FHighlighter->ResetScanState();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(P.EditorBG());
    canvas->FillRect(r);
  };

  // The strip between the gutter and column 1.
  if (rcClip.Left < FGutterWidth + 2) {
    fillBackground(TRect(std::max(rcClip.Left, FGutterWidth), rcClip.Top, FGutterWidth + 2, rcClip.Bottom));
    rcClip.Left = FGutterWidth + 2;
  }

  if (lastLine >= firstLine) {
    P.ComputeSelection(firstLine, lastLine);
    FTextDrawer->SetStyle(P.FontStyle);
    P.DC = canvas->Handle();
    HPEN pen = P.DoRightEdge ? ::CreatePen(PS_SOLID, 1, ColorToRGB(FRightEdgeColor)) : nullptr;
    try {
      FTextDrawer->BeginDrawing(P.DC);
      TDrawingGuard guard(FTextDrawer);
      if (pen != nullptr) ::SelectObject(P.DC, pen);
      P.RowBox = TRect(rcClip.Left, 0, rcClip.Right, 0);
      for (int line = firstLine; line <= lastLine; ++line) P.PaintLine(line, FirstRow, LastRow);
    } catch (...) {
      if (pen != nullptr) ::DeleteObject(pen);
      throw;
    }
    if (pen != nullptr) ::DeleteObject(pen);
  }

  // Below the last row.
  TRect rest = rcClip;
  rest.Top = P.Y(i64(LastRow) + 1);
  if (rest.Top < rest.Bottom) {
    fillBackground(rest);
    if (P.DoRightEdge) {
      canvas->Pen()->SetColor(FRightEdgeColor);
      canvas->Pen()->SetWidth(1);
      canvas->MoveTo(P.RightEdgeX, rest.Top);
      canvas->LineTo(P.RightEdgeX, ClampToInt(i64(rest.Bottom) + 1));
    }
  }
}
