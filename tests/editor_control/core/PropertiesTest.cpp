// Construction defaults, property setters, the modified flag and the cell
// geometry of the editing control.
#include <climits>
#include <cstdint>

#include "EditorFixture.h"
#include "SrcEditKeyCmds.h"
#include "SrcEditMiscClasses.h"

TEST_F(EditorTest, NewControlHasTheDocumentedDefaults) {
  EXPECT_EQ(Edit->Options(), 0x026C0192u);
  EXPECT_EQ(Edit->Keystrokes()->Count(), 82);
  EXPECT_EQ(Edit->Caret(), BC(1, 1));
  EXPECT_EQ(Edit->SelFrom(), BC(1, 1));
  EXPECT_EQ(Edit->SelTo(), BC(1, 1));
  EXPECT_EQ(Edit->TopLine(), 1);
  EXPECT_EQ(Edit->LeftChar(), 1);
  EXPECT_EQ(Edit->GutterWidth(), 30);
  EXPECT_EQ(Edit->TextOffset(), 32);
  EXPECT_EQ(Edit->MaxScrollWidth(), 1024);
  EXPECT_EQ(Edit->MaxUndo(), 1024);
  EXPECT_EQ(Edit->TabWidth(), 8);
  EXPECT_EQ(Edit->RightEdge(), 80);
  EXPECT_EQ(Edit->RightEdgeColor(), clSilver);
  EXPECT_EQ(Edit->ActiveLineColor(), clNone);
  EXPECT_TRUE(Edit->InsertMode());
  EXPECT_TRUE(Edit->WantReturns());
  EXPECT_FALSE(Edit->WantTabs());
  EXPECT_FALSE(Edit->ReadOnly());
  EXPECT_FALSE(Edit->Modified());
  EXPECT_EQ(Edit->SelectionMode(), smNormal);
  EXPECT_EQ(Edit->InsertCaret(), ctVerticalLine);
  EXPECT_EQ(Edit->OverwriteCaret(), ctBlock);
  EXPECT_EQ(Edit->ScrollBars(), TSrcScrollStyle::ssBoth);
  EXPECT_EQ(Edit->BorderStyle(), bsSingle);
  EXPECT_EQ(Edit->Font()->Name(), "Courier New");
  EXPECT_EQ(Edit->Font()->Size(), 10);
  EXPECT_EQ(Edit->Width(), 200);
  EXPECT_EQ(Edit->Height(), 150);
  EXPECT_EQ(Edit->Cursor(), crIBeam);
  EXPECT_EQ(Edit->Lines()->GetCount(), 0);
}

TEST_F(EditorTest, ClampedSetters) {
  struct {
    int in, out;
  } widths[] = {{0, 1}, {-7, 1}, {0x7FFFFFFF, 0x7FFFFFFE}, {500, 500}};
  for (auto& c : widths) {
    Edit->SetMaxScrollWidth(c.in);
    EXPECT_EQ(Edit->MaxScrollWidth(), c.out) << c.in;
  }
  struct {
    int in, out;
  } tabs[] = {{0, 1}, {300, 256}, {4, 4}};
  for (auto& c : tabs) {
    Edit->SetTabWidth(c.in);
    EXPECT_EQ(Edit->TabWidth(), c.out) << c.in;
    EXPECT_EQ(Edit->Lines()->TabWidth(), c.out);
  }
  Edit->SetMaxUndo(10);
  Edit->SetMaxUndo(-5);
  EXPECT_EQ(Edit->UndoList()->MaxUndoActions(), 10);
  EXPECT_EQ(Edit->RedoList()->MaxUndoActions(), 10);
}

TEST_F(EditorTest, IndentStringAndLeadingSpaceCount) {
  Edit->SetTabWidth(4);
  Edit->SetOptions(Edit->Options() & ~eoTabsToSpaces);
  EXPECT_EQ(Edit->IndentString(10, true), "\t\t  ");
  EXPECT_EQ(Edit->IndentString(3, true), "   ");
  EXPECT_EQ(Edit->IndentString(10, false), std::string(10, ' '));
  Edit->SetOptions(Edit->Options() | eoTabsToSpaces);
  EXPECT_EQ(Edit->IndentString(10, true), std::string(10, ' '));

  EXPECT_EQ(Edit->LeadingSpaceCount("\t  x", false), 3);
  EXPECT_EQ(Edit->LeadingSpaceCount("\t  x", true), 6);
  EXPECT_EQ(Edit->LeadingSpaceCount("   ", true), 3);
  Edit->SetOptions(Edit->Options() & ~eoAutoIndent);
  EXPECT_EQ(Edit->LeadingSpaceCount("\t  x", true), 0);
  EXPECT_EQ(TCustomSrcEdit::TrimTrailing("ab \t \t"), "ab");
}

TEST_F(EditorTest, ClearingModifiedAddsAGroupBreak) {
  Edit->ReplaceSelection("a");
  EXPECT_TRUE(Edit->Modified());
  Edit->SetModified(false);
  EXPECT_FALSE(Edit->Modified());
  EXPECT_EQ(Edit->UndoList()->LastReason(), urGroupBreak);
  // The next edit makes it modified again; its own item follows the break.
  Edit->ReplaceSelection("b");
  EXPECT_TRUE(Edit->Modified());
  EXPECT_EQ(Edit->UndoList()->LastReason(), urInsert);
}

TEST_F(EditorTest, ModifiedFollowsTheTextWhenNothingIsKept) {
  // With no undo at all every edit is lost from the list at once; the text
  // still differs from the saved one.
  for (int max : {0, 1}) {
    SCOPED_TRACE(max);
    Edit->ClearText();
    Edit->SetMaxUndo(max);
    Edit->SetModified(false);
    Edit->ReplaceSelection("abc");
    Edit->ReplaceSelection("def");
    EXPECT_TRUE(Edit->Modified());
  }
}

TEST_F(EditorTest, ModifiedByHandAndChangeEvents) {
  int changes = 0;
  std::vector<TSrcStatusChanges> status;
  Edit->OnChange = [&](TObject*) { ++changes; };
  Edit->OnStatusChange = [&](TObject*, TSrcStatusChanges c) { status.push_back(c); };
  Edit->ReplaceSelection("x");  // one block: one change event
  EXPECT_EQ(changes, 1);
  ASSERT_FALSE(status.empty());
  EXPECT_NE(status.back() & scModified, 0);
  Edit->SetModified(false);
  Edit->SetModified(true);
  EXPECT_TRUE(Edit->Modified());
  EXPECT_FALSE(Edit->UndoList()->IsAtUnmodifiedMark());
  Edit->SetReadOnly(true);
  EXPECT_NE(status.back() & scReadOnly, 0);
  EXPECT_FALSE(Edit->CanUndo());
}

TEST_F(EditorTest, CellIsNeverSmallerThanOnePixel) {
  int base = Edit->LineHeight();
  EXPECT_GT(base, 0);
  EXPECT_GT(Edit->CharWidth(), 0);
  Edit->SetExtraLineSpacing(4);
  EXPECT_EQ(Edit->LineHeight(), base + 4);
  Edit->SetExtraLineSpacing(-1000);
  EXPECT_EQ(Edit->LineHeight(), 1);
  Edit->SetExtraLineSpacing(0);
  EXPECT_EQ(Edit->LineHeight(), base);
}

TEST_F(EditorTest, PixelArithmeticDoesNotOverflow) {
  EXPECT_EQ(Edit->ComputeTextOffset(1), Edit->GutterWidth() + 2);
  EXPECT_EQ(Edit->ComputeTextOffset(INT_MAX), INT_MIN);
  EXPECT_EQ(Edit->ColumnToX(INT_MAX), INT_MAX);
  EXPECT_EQ(Edit->ColumnToX(1), Edit->TextOffset());
  EXPECT_EQ(Edit->RowToY(1), 0);
}

// Far to the right (LeftChar - 1) x CharWidth passes 2^31 and TextOffset is
// clamped: the columns in view are still placed from the left column.
TEST_F(EditorTest, ColumnsFarRightArePlacedFromTheLeftColumn) {
  Edit->SetMaxScrollWidth(0x7FFFFFFE);
  const int left = 400000000;
  ASSERT_GT((static_cast<std::int64_t>(left) - 1) * Edit->CharWidth(), INT_MAX);
  Edit->SetLeftChar(left);
  ASSERT_EQ(Edit->LeftChar(), left);
  const int x0 = Edit->GutterWidth() + 2, cw = Edit->CharWidth();
  EXPECT_EQ(Edit->ColumnToX(left), x0);
  EXPECT_EQ(Edit->ColumnToX(left + 3), x0 + 3 * cw);
  EXPECT_EQ(Edit->ColumnToX(left - 1), x0 - cw);
  EXPECT_EQ(Edit->ColumnToX(1), INT_MIN);
  EXPECT_EQ(Edit->DisplayToPixels(DisplayCoord(left + 3, 7)), TPoint(x0 + 3 * cw, 6 * Edit->LineHeight()));
}

TEST_F(EditorTest, ProportionalFontIsReplacedByFixedPitch) {
  FakeWidgetset::TFontConfig cfg;
  cfg.Widths['W'] = 14;  // wider than the average: proportional
  Fake.SetFontMetrics("Arial", cfg);
  TFont f;
  f.SetName("Arial");
  f.SetSize(12);
  f.SetStyle(TFontStyles{fsItalic});
  f.SetColor(clRed);
  Edit->SetFont(&f);
  EXPECT_EQ(Edit->Font()->Name(), "Arial");
  EXPECT_EQ(Edit->Font()->Pitch(), fpFixed);
  EXPECT_EQ(Edit->Font()->Size(), 12);
  EXPECT_TRUE(Edit->Font()->Style().Contains(fsItalic));
  EXPECT_EQ(Edit->Font()->Color(), clRed);
}

TEST_F(EditorTest, InvalidationsInsideAnUpdateArriveOnceAtItsEnd) {
  Edit->SetBounds(0, 0, 400, 300);
  Edit->HandleNeeded();
  Edit->SetViewSize(10, 40);
  SetLines({"a", "b", "c", "d"});
  Fake.ProcessMessages();
  TRect r;
  ASSERT_FALSE(::GetUpdateRect(Edit->Handle(), &r, false));
  Edit->Lines()->BeginUpdate();
  Edit->Lines()->Put(1, "bb");
  Edit->InvalidateLine(3);
  EXPECT_FALSE(::GetUpdateRect(Edit->Handle(), &r, false));
  EXPECT_FALSE(IsRectEmpty(Edit->PendingRect()));
  Edit->Lines()->EndUpdate();
  EXPECT_TRUE(IsRectEmpty(Edit->PendingRect()));
  ASSERT_TRUE(::GetUpdateRect(Edit->Handle(), &r, false));
  // Rows 2 and 3 (and the rows after a replaced line as far as it repaints).
  EXPECT_LE(r.Top, Edit->LineHeight());
  EXPECT_GE(r.Bottom, 3 * Edit->LineHeight());
  EXPECT_GE(r.Left, Edit->GutterWidth());
}
