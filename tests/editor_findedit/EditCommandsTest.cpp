// The whole-text and edit commands: their messages (text, caption, icon,
// buttons), what they do to the text, the undo history and the modified
// flag, the ten slots, the read-only switch, sorting, moving and the
// editor menu's enabling.
#include <set>

#include "FindEditFixture.h"
#include "SrcEditTextBuffer.h"
#include "platform/Menus.h"

namespace {

// ---- messages of an empty document ----

TEST_F(FindEditTest, EmptyDocumentMessages) {
  struct TCase {
    const char* Handler;
    const char* Text;
  };
  const TCase cases[] = {
      {"N99Click", "Редактор Brindel Quillet Studio сейчас пуст! Что Вы хотите тут выделять?"},
      {"N166Click", "Редактор Brindel Quillet Studio сейчас пуст! Копировать в нем нечего."},
      {"N167Click", "Редактор Brindel Quillet Studio сейчас пуст! Резать в нём нечего."},
  };
  for (const TCase& c : cases) {
    Start("");
    Widgets->ClipboardData()[CF_TEXT] = std::string("old") + '\0';
    ExpectBox(IDOK, c.Text);
    Commands->Handler(c.Handler)(nullptr);
    CheckLastBox(TUiIcon::Warning, {IDOK});
    EXPECT_EQ(Board(), std::string("old") + '\0');
    EXPECT_FALSE(Memo->Modified());
  }
  // Clear all asks first, then finds nothing to clear.
  Start("");
  ExpectBoxAnsi(IDYES, Ansi("Вы уверены?\rВосстановить потерянный текст будет НЕВОЗМОЖНО!"));
  ExpectBox(IDOK, "Редактор Quillet Studio сейчас пуст! Что Вы хотите тут очищать?");
  Commands->N95Click(nullptr);
  CheckLastBox(TUiIcon::Warning, {IDOK});
}

// ---- select, copy, cut, clear, paste over everything ----

TEST_F(FindEditTest, SelectAllCopyAllCutAll) {
  Start("ab\r\ncd", 1);
  Commands->N99Click(nullptr);
  EXPECT_EQ(Memo->SelText(), "ab\r\ncd");
  EXPECT_TRUE(Ui->History().empty());

  Start("ab\r\ncd", 1);
  ExpectBox(IDOK, "Содержимое редактора было скопировано в буфер обмена Windows.");
  Commands->N166Click(nullptr);
  CheckLastBox(TUiIcon::Information, {IDOK});
  EXPECT_EQ(Board(), std::string("ab\r\ncd") + '\0');
  EXPECT_EQ(Memo->Text(), "ab\r\ncd");

  Start("ef\r\ngh", 1);
  ExpectBox(IDOK, "Содержимое редактора было вырезано в буфер обмена Windows.");
  Commands->N167Click(nullptr);
  CheckLastBox(TUiIcon::Information, {IDOK});
  EXPECT_EQ(Board(), std::string("ef\r\ngh") + '\0');
  EXPECT_EQ(Memo->Text(), "");
  EXPECT_TRUE(Memo->Modified());
  Memo->Undo();
  EXPECT_EQ(Memo->Text(), "ef\r\ngh");
}

TEST_F(FindEditTest, CutAllInAReadOnlyDocumentCopiesAndSaysSo) {
  Start("ef\r\ngh", 1);
  Memo->SetReadOnly(true);
  ExpectBox(IDOK, "Содержимое редактора было скопировано в буфер обмена Windows.");
  Commands->N167Click(nullptr);
  CheckLastBox(TUiIcon::Information, {IDOK});
  EXPECT_EQ(Board(), std::string("ef\r\ngh") + '\0');
  EXPECT_EQ(Memo->Text(), "ef\r\ngh");
  EXPECT_FALSE(Memo->Modified());
}

TEST_F(FindEditTest, ClearAll) {
  Start("ab\r\ncd", 1);
  Memo->SetSelLength(2);
  ExpectBoxAnsi(IDNO, Ansi("Вы уверены?\rВосстановить потерянный текст будет НЕВОЗМОЖНО!"));
  Commands->N95Click(nullptr);
  CheckLastBox(TUiIcon::Warning, {IDYES, IDNO});
  EXPECT_EQ(Ui->History().back().Flags, UINT(MB_YESNO | MB_ICONWARNING));
  EXPECT_EQ(Answer, IDNO);
  EXPECT_EQ(Memo->Text(), "ab\r\ncd");

  // Yes: everything goes, undo included (the box says it cannot come back).
  Memo->ReplaceSelection("X");
  Memo->SetBookmark(2, 1, 2);
  ExpectBoxAnsi(IDYES, Ansi("Вы уверены?\rВосстановить потерянный текст будет НЕВОЗМОЖНО!"));
  Commands->N95Click(nullptr);
  EXPECT_EQ(Memo->Text(), "");
  EXPECT_FALSE(Memo->CanUndo());
  EXPECT_FALSE(Memo->Modified());
  int ch = 0, line = 0;
  EXPECT_FALSE(Memo->GetBookmark(2, ch, line));

  // A read-only document is left alone, without asking.
  Start("keep");
  Memo->SetReadOnly(true);
  Commands->N95Click(nullptr);
  EXPECT_EQ(Memo->Text(), "keep");
}

TEST_F(FindEditTest, PasteReplacingAllAndTheButtons) {
  Start("ab\r\ncd", 1);
  Widgets->ClipboardData()[CF_TEXT] = std::string("new") + '\0';
  Commands->N173Click(nullptr);
  EXPECT_EQ(Memo->Text(), "new");
  Memo->Undo();
  EXPECT_EQ(Memo->Text(), "ab\r\ncd");

  // Cut, copy and paste of the selection (tool bar buttons 6, 7, 8).
  Start("abcd", 1);
  Memo->SetSelLength(2);
  Commands->XpSpeedButton7Click(nullptr);
  EXPECT_EQ(Board(), std::string("bc") + '\0');
  Commands->XpSpeedButton6Click(nullptr);
  EXPECT_EQ(Memo->Text(), "ad");
  Memo->SetSelStart(2);
  Commands->XpSpeedButton8Click(nullptr);
  EXPECT_EQ(Memo->Text(), "adbc");
}

TEST_F(FindEditTest, UndoAndDeleteSelection) {
  Start("abcd", 1);
  Memo->SetSelLength(2);
  Commands->N96Click(nullptr);
  EXPECT_EQ(Memo->Text(), "ad");
  Commands->N96Click(nullptr);  // nothing selected: nothing happens
  EXPECT_EQ(Memo->Text(), "ad");
  Commands->N97Click(nullptr);  // EM_UNDO
  EXPECT_EQ(Memo->Text(), "abcd");
  EXPECT_EQ(Memo->SelText(), "bc");
  EXPECT_FALSE(Memo->Modified());
  Memo->SetReadOnly(true);
  Commands->N96Click(nullptr);
  EXPECT_EQ(Memo->Text(), "abcd");
}

// ---- sorting ----

std::string SortPrompt(int count) {
  return Ansi("Функция пересортировки всех строк (а их в документе сейчас ") + std::to_string(count) +
         Ansi(" штук) поменяет весь текст в этом файле, потому что отсортирует их в алфавитном порядке. Продолжить?");
}

TEST_F(FindEditTest, SortIsOneUndoableChangeThatMarksTheDocument) {
  Start("b\r\nA\r\nc", 2);
  ExpectBoxAnsi(IDNO, SortPrompt(3));
  Commands->N309Click(nullptr);
  CheckLastBox(TUiIcon::Warning, {IDYES, IDNO});
  EXPECT_EQ(Memo->Text(), "b\r\nA\r\nc");

  ExpectBoxAnsi(IDYES, SortPrompt(3));
  Commands->N309Click(nullptr);
  EXPECT_EQ(Memo->Text(), "A\r\nb\r\nc");
  EXPECT_TRUE(Memo->Modified()) << "a sorted document is not lost on close";
  EXPECT_EQ(Memo->Caret(), (TBufferCoord{1, 1}));
  Memo->Undo();
  EXPECT_EQ(Memo->Text(), "b\r\nA\r\nc");
  EXPECT_FALSE(Memo->Modified());
  EXPECT_FALSE(Memo->CanUndo());
  Memo->Redo();
  EXPECT_EQ(Memo->Text(), "A\r\nb\r\nc");
}

TEST_F(FindEditTest, SortOrderIgnoresCaseAndKeepsEveryLine) {
  Start(Ansi("яблоко\r\nБанан\r\n\r\nапельсин\r\nzebra\r\nApple\r\nбанан"));
  ExpectBoxAnsi(IDYES, SortPrompt(7));
  Commands->N309Click(nullptr);
  std::vector<std::string> lines;
  for (int i = 0; i < Memo->Lines()->Count(); ++i) lines.push_back(Memo->Lines()->Get(i));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "Apple");
  EXPECT_EQ(lines[2], "zebra");
  EXPECT_EQ(lines[3], Ansi("апельсин"));
  EXPECT_EQ(std::set<std::string>({lines[4], lines[5]}), std::set<std::string>({Ansi("Банан"), Ansi("банан")}));
  EXPECT_EQ(lines[6], Ansi("яблоко"));

  // Already in order, or read-only: nothing changes.
  Start("a\r\nB\r\nc");
  ExpectBoxAnsi(IDYES, SortPrompt(3));
  Commands->N309Click(nullptr);
  EXPECT_FALSE(Memo->Modified());
  Memo->SetReadOnly(true);
  Start("b\r\na");
  Commands->N309Click(nullptr);
  EXPECT_EQ(Memo->Text(), "b\r\na");
}

// ---- line count, read-only switch, indent, moving ----

TEST_F(FindEditTest, LineCountNamesTheDocument) {
  Start("a\r\nb\r\nc");
  ExpectBox(IDOK, "В \"Новый файл\" сейчас 3 активных строк.");
  Commands->N300Click(nullptr);
  CheckLastBox(TUiIcon::Information, {IDOK});
  Doc = "/home/user/site/page.html";
  Start("");
  ExpectBox(IDOK, "В \"page.html\" сейчас 0 активных строк.");
  Commands->N300Click(nullptr);
}

TEST_F(FindEditTest, ReadOnlySwitch) {
  Start("x");
  ExpectBox(IDOK, "Теперь этот документ используется только для чтения.");
  Commands->N410Click(nullptr);
  CheckLastBox(TUiIcon::Warning, {IDOK});
  EXPECT_TRUE(Memo->ReadOnly());
  ExpectBox(IDOK, "Теперь этот документ можно редактировать.");
  Commands->N410Click(nullptr);
  CheckLastBox(TUiIcon::Information, {IDOK});
  EXPECT_FALSE(Memo->ReadOnly());
}

TEST_F(FindEditTest, GoToEndAndTheView) {
  std::string text;
  for (int i = 1; i <= 100; ++i) text += "line " + std::to_string(i) + (i < 100 ? "\r\n" : "");
  Start(text);
  Commands->N303Click(nullptr);
  EXPECT_EQ(Memo->Caret(), (TBufferCoord{9, 100}));
  EXPECT_FALSE(Memo->HasSelection());
  EXPECT_TRUE(Memo->IsCaretInView());

  Start(text);
  ASSERT_GT(Memo->LinesInWindow(), 1);
  Commands->N311Click(nullptr);
  EXPECT_EQ(Memo->TopLine(), 2);
  Commands->N311Click(nullptr);
  Commands->N312Click(nullptr);
  EXPECT_EQ(Memo->TopLine(), 2);
  Commands->N310Click(nullptr);
  EXPECT_GT(Memo->TopLine(), 50);
  EXPECT_EQ(Memo->Caret(), (TBufferCoord{1, 1})) << "the view moves, the caret stays";

  // Removing the indent asks for a margin the control does not have: only
  // a repaint.
  Commands->N315Click(nullptr);
  EXPECT_EQ(Memo->Text(), text);
  EXPECT_FALSE(Memo->Modified());
}

TEST_F(FindEditTest, WindowsShownByTheCommands) {
  Commands->N304Click(nullptr);
  Commands->N314Click(nullptr);
  Commands->N523Click(nullptr);
  EXPECT_EQ(Shown, "goto;indent;clipboard;");
}

// ---- slots ----

TEST_F(FindEditTest, TenSlots) {
  Start("abcdef", 1);
  // Slot 1 gets bc, slot 10 gets de.
  Memo->SetSelLength(2);
  Commands->Handler("N1103Click")(nullptr);
  Memo->SetSelStart(3);
  Memo->SetSelLength(2);
  Commands->Handler("N1010Click")(nullptr);
  EXPECT_EQ(Slots[0], "bc");
  EXPECT_EQ(Slots[9], "de");
  // Copying without a selection empties the slot.
  Memo->SetSelStart(0);
  Commands->Handler("N3103Click")(nullptr);
  EXPECT_EQ(Slots[2], "");

  // Pasting replaces the selection (one undo step), or inserts at the caret.
  Memo->SetSelStart(0);
  Memo->SetSelLength(1);
  Commands->Handler("N1011Click")(nullptr);
  EXPECT_EQ(Memo->Text(), "debcdef");
  EXPECT_EQ(Memo->SelStart(), 2);
  Commands->Handler("N1104Click")(nullptr);
  EXPECT_EQ(Memo->Text(), "debcbcdef");
  Memo->Undo();
  EXPECT_EQ(Memo->Text(), "debcdef");
  // An empty slot removes the selection and inserts nothing.
  Memo->SetSelStart(0);
  Memo->SetSelLength(2);
  Commands->Handler("N3104Click")(nullptr);
  EXPECT_EQ(Memo->Text(), "bcdef");
  // Read-only: nothing goes in.
  Memo->SetReadOnly(true);
  Commands->Handler("N1104Click")(nullptr);
  EXPECT_EQ(Memo->Text(), "bcdef");
  // Clearing empties all ten.
  Slots.fill("x");
  Commands->N418Click(nullptr);
  for (const std::string& s : Slots) EXPECT_EQ(s, "");
}

TEST_F(FindEditTest, EverySlotHandlerHasItsOwnSlot) {
  const char* copy[] = {"N1103Click", "N2104Click", "N3103Click", "N415Click", "N513Click",
                        "N613Click",  "N713Click",  "N810Click",  "N910Click", "N1010Click"};
  const char* paste[] = {"N1104Click", "N2105Click", "N3104Click", "N416Click", "N514Click",
                         "N2106Click", "N714Click",  "N811Click",  "N911Click", "N1011Click"};
  Start("x", 0);
  Memo->SelectAll();
  for (int i = 0; i < 10; ++i) {
    Slots.fill(std::string());
    Commands->Handler(copy[i])(nullptr);
    for (int j = 0; j < 10; ++j) EXPECT_EQ(Slots[j], i == j ? "x" : "") << copy[i];
  }
  for (int i = 0; i < 10; ++i) {
    Slots.fill(std::string());
    Slots[i] = "S" + std::to_string(i);
    Start("", 0);
    Commands->Handler(paste[i])(nullptr);
    EXPECT_EQ(Memo->Text(), Slots[i]) << paste[i];
  }
}

// ---- handler names, the editor menu ----

TEST_F(FindEditTest, HandlersByName) {
  std::set<std::string> names;
  for (const std::string& n : TMainEditCommands::HandlerNames()) {
    EXPECT_TRUE(names.insert(n).second) << n;
    EXPECT_TRUE(Commands->Handler(n)) << n;
  }
  EXPECT_EQ(names.size(), 47u);
  EXPECT_FALSE(Commands->Handler("NoSuchClick"));
}

TEST_F(FindEditTest, EditorMenuEnablesTheSelectionItems) {
  TPopupMenu menu(&Window);
  TMenuItem* selection = NewItem(&Window, Ansi("Выделенный текст"));
  TMenuItem* hex = NewItem(&Window, Ansi("Определить цвет HEX... "));
  TMenuItem* other = NewItem(&Window, Ansi("Найти..."));
  AddItems(menu.Items(), {selection, hex, other});
  // The items a selection enables are the menu rows marked kSelection.
  const std::vector<TMenuItem*> selectionItems = {selection, hex};
  TEditCommandsHost host = Commands->Host();
  host.SelectionItems = &selectionItems;
  TMainEditCommands commands(nullptr, host);
  Start("abc", 1);
  commands.PopupMenu1Popup(nullptr);
  EXPECT_FALSE(selection->Enabled());
  EXPECT_FALSE(hex->Enabled());
  Memo->SetSelLength(1);
  commands.PopupMenu1Popup(nullptr);
  EXPECT_TRUE(selection->Enabled());
  EXPECT_TRUE(hex->Enabled());
  EXPECT_TRUE(other->Enabled());
}

}  // namespace
