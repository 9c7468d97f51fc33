// The insert commands whose text is an entity, a sign or a value worked
// out when they run: the date and time, the status bar's clock, numbers
// and random digits or characters, file names picked in a dialog, this
// document's name, the signature lines and colour codes. Each puts its
// text in place of the selection (one insertion, one undo step) and does
// nothing at all, dialogs included, while the document is read-only.
#include "HtmlColors.h"
#include "InsertTable.h"
#include "SrcEditUndo.h"
#include "SrcMemo.h"
#include "Unit22.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/SysUtils.h"

namespace {

const char* const kDigits[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};

}  // namespace

bool TZod2uAppForm::InsertText(const std::string& text, bool focus) {
  if (!CanInsert()) return false;
  InsertTag(text, 0, focus);
  return true;
}

void TZod2uAppForm::RegisterInsertCommands() {
  auto fixed = [this](const std::string& text) {
    return TNotifyEvent([this, text](TObject*) { InsertText(text, false); });
  };
  for (const TInsertTextMenu& menu : EntityMenus())
    for (const TInsertText& row : menu.Rows) FCommands.Add(row.Handler, fixed(Ansi(row.Text)));
  for (const TSignText& row : SignTexts()) FCommands.Add(row.Handler, fixed(Ansi(row.Text)));
  for (const TDateInsert& row : DateInserts()) {
    const std::string format = Ansi(row.Format);
    const bool focus = row.Focus;
    FCommands.Add(row.Handler,
                  TNotifyEvent([this, format, focus](TObject*) { InsertText(FormatDateTime(format, Now()), focus); }));
  }
}

void TZod2uAppForm::N464Click(TObject*) { InsertText(StatusBar1->Panels()->Items(0)->Text(), false); }

void TZod2uAppForm::Pi1Click(TObject*) { InsertText("3,14159265358979", false); }
void TZod2uAppForm::E1Click(TObject*) { InsertText("2,71828182845905", false); }

void TZod2uAppForm::InsertRandomDigits(int count, bool focus) {
  if (!CanInsert()) return;
  // Each digit is its own insertion (and undo step); the first replaces
  // the selection.
  for (int i = 0; i < count; ++i) {
    // A break between them: undo takes the digits back one at a time
    // rather than as one run of typing.
    if (i) Memo1->UndoList()->AddGroupBreak();
    InsertTag(kDigits[SecureRandom(10)], 0, false);
  }
  if (focus) Memo1->SetFocus();
}

void TZod2uAppForm::N091Click(TObject*) { InsertRandomDigits(1, false); }
void TZod2uAppForm::N479Click(TObject*) { InsertRandomDigits(2, false); }
void TZod2uAppForm::N480Click(TObject*) { InsertRandomDigits(3, false); }
void TZod2uAppForm::Button22Click(TObject*) { InsertRandomDigits(20, true); }

void TZod2uAppForm::N424Click(TObject*) {
  if (!CanInsert()) return;
  // One draw from each of the data window's ten lists, list 1 first,
  // inserted as one text.
  std::string text;
  if (Form22) {
    for (TComboBox* list : Form22->Lists()) {
      list->SetItemIndex(SecureRandom(list->Items()->Count()));
      text += list->Items()->Get(list->ItemIndex());
    }
  } else {
    const std::vector<const char*>& items = RandomCharacterItems();
    for (int i = 0; i < 10; ++i) text += items[static_cast<size_t>(SecureRandom(int(items.size())))];
  }
  InsertText(text, false);
}

void TZod2uAppForm::N70Click(TObject*) {
  std::string path;
  if (PickFile(OpenDialog, path)) InsertText(path, true);
}

void TZod2uAppForm::N92Click(TObject*) {
  std::string path;
  if (PickFile(OpenDialog, path)) InsertText(ExtractFileName(path), false);
}

void TZod2uAppForm::N93Click(TObject*) {
  std::string path;
  if (PickFile(OpenDialog, path)) InsertText(ExtractFilePath(path), false);
}

void TZod2uAppForm::N174Click(TObject*) {
  std::string path;
  if (PickFile(OpenDialog, path)) InsertText(ExtractFileExt(path), false);
}

void TZod2uAppForm::DOS2Click(TObject*) {
  // The file systems here keep no short names: the long form is the name.
  std::string path;
  if (PickFile(OpenDialog, path)) InsertText(path, false);
}

void TZod2uAppForm::N526Click(TObject*) {
  std::string path;
  if (PickFile(pd, path)) InsertText(ExtractFilePath(path), false);
}

void TZod2uAppForm::N60Click(TObject*) { InsertText(FCurrentFileName, false); }

void TZod2uAppForm::N486Click(TObject*) { InsertText(N486->Caption(), false); }
void TZod2uAppForm::N487Click(TObject*) { InsertText(N487->Caption(), false); }
void TZod2uAppForm::ddd1Click(TObject*) { InsertText(ddd1->Caption(), false); }
void TZod2uAppForm::com1Click(TObject*) { InsertText(com1->Caption(), false); }

void TZod2uAppForm::N59Click(TObject*) {
  if (!CanInsert() || !ColorDialog1->Execute()) return;
  InsertText(IntToStr(static_cast<std::int64_t>(ColorDialog1->Color())), false);
}

void TZod2uAppForm::HTMLHEX1Click(TObject*) {
  if (!CanInsert() || !ColorDialog1->Execute()) return;
  InsertText(ColorToHtml(ColorDialog1->Color()), true);
}

void TZod2uAppForm::N427Click(TObject*) {
  // Shows the colour of the selected code; it inserts nothing, so it works
  // on a read-only document too.
  TColor color = clBlack;
  try {
    color = HexToColor(Memo1->GetSelectedText());
  } catch (const EConvertError&) {
    MessageBox(Handle(),
               Ansi("Неверный HEX-код. Выделите правильный HEX-код в документе и повторите выбор этой команды."),
               ProgramTitle, MB_OK | MB_ICONWARNING);
    return;
  }
  ColorDialog1->SetColor(color);
  ColorDialog1->Execute();
}
