// The insert commands that ask first: a picture, a web page or another
// document from an open dialog, a font or colour from their dialogs, a
// link typed in three prompts, and the body wizard's five colours. Each
// builds one piece of markup and puts it in place of the selection; a
// cancelled dialog, or a read-only document, leaves the text as it was.
#include "FileUrl.h"
#include "HtmlColors.h"
#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "W2kMain.h"
#include "platform/Classes.h"
#include "platform/CodePage.h"
#include "platform/SysUtils.h"

namespace {

// The body wizard's steps: caption and message of each box before its
// colour dialog, in the order the colours are asked for.
struct TBodyStep {
  const char* Caption;
  const char* Text;
};
const TBodyStep kBodySteps[] = {
    {"Шаг 1 из 5",
     "Этот мастер позволит настроить полную цветовую гамму Вашей странички! Вам же ничего особого делать и не "
     "придется, - только выбирать нужные цвета.\r\rИтак, на первом шаге выберите цвет фона Вашей веб-страницы..."},
    {"Шаг 2 из 5", "Теперь выберите цвет текста на Вашей веб-странице..."},
    {"Шаг 3 из 5", "Далее выберите цвет ссылок на Вашей веб-странице..."},
    {"Шаг 4 из 5", "Дальше выбираем цвет ссылок на Вашей веб-странице во время их нажатия мышкой..."},
    {"Шаг 5 из 5", "И последний шаг: выберите цвет посещенных ссылок на Вашей веб-странице..."},
};

const char* const kCompactCaption = "\"Компактная\" ссылка";

}  // namespace

bool TZod2uAppForm::CanInsert() const { return Memo1 && !Memo1->ReadOnly(); }

void TZod2uAppForm::InsertTag(const std::string& text, int back, bool focus) {
  Memo1->ReplaceSelection(text);
  if (back) Memo1->SetSelectionStart(Memo1->GetSelectionStart() - back);
  if (focus) Memo1->SetFocus();
}

bool TZod2uAppForm::PickFile(TOpenDialog* dialog, std::string& path) {
  if (!CanInsert() || !dialog->Execute()) return false;
  path = dialog->FileName();
  return PickedFileUsable(path);
}

void TZod2uAppForm::N84Click(TObject*) {
  std::string path;
  if (!PickFile(pd, path)) return;
  InsertTag("<IMG src=\"" + MarkupFileName(path) + Ansi("\" height=высота width=ширина>"), 0, false);
}

void TZod2uAppForm::BODYBACKGROUND1Click(TObject*) {
  std::string path;
  if (!PickFile(pd, path)) return;
  InsertTag("<BODY BACKGROUND=\"" + MarkupFileName(path) + "\">", 0, false);
}

void TZod2uAppForm::N228Click(TObject*) {
  std::string path;
  if (!PickFile(pd, path)) return;
  InsertTag("<IMG src=\"" + FileUrl(path) + "\">", 0, false);
}

void TZod2uAppForm::N298Click(TObject*) {
  std::string path;
  if (!PickFile(pd, path)) return;
  InsertTag("<IMG src=\"" + MarkupFileName(ExtractFileName(path)) + "\">", 2, true);
}

void TZod2uAppForm::N249Click(TObject*) {
  if (!CanInsert() || !FontDialog1->Execute()) return;
  InsertTag("<font face=\"" + FontDialog1->Font()->Name() + "\"> </font>", 0, false);
}

void TZod2uAppForm::N251Click(TObject*) {
  if (!CanInsert() || !ColorDialog1->Execute()) return;
  InsertTag("<font color=\"" + ColorToHtml(ColorDialog1->Color()) + "\"> </font>", 0, false);
}

void TZod2uAppForm::N39Click(TObject*) {
  if (!CanInsert() || !FontDialog1->Execute()) return;
  InsertTag("<BASEFONT size=\"" + IntToStr(FontDialog1->Font()->Size()) + "\">", 0, false);
}

void TZod2uAppForm::Button12Click(TObject*) {
  if (!CanInsert()) return;
  // Without a font the tag still takes a colour: face and size stay empty.
  std::string face, size;
  if (FontDialog1->Execute()) {
    face = FontDialog1->Font()->Name();
    size = IntToStr(FontDialog1->Font()->Size());
  }
  if (!ColorDialog1->Execute()) return;
  InsertTag(
      "<font face=\"" + face + "\" size=\"" + size + "\" color=\"" + ColorToHtml(ColorDialog1->Color()) + "\"></font>",
      7, true);
}

void TZod2uAppForm::N297Click(TObject*) {
  std::string path;
  if (!PickFile(Openhtm, path)) return;
  const std::string name = MarkupFileName(ExtractFileName(path));
  InsertTag("<A HREF=" + name + Ansi(">ссылка на ") + name + "</A>", 0, true);
}

void TZod2uAppForm::N545Click(TObject*) {
  if (!CanInsert()) return;
  // Cancel in any of the three prompts ends the command.
  const std::string caption = Ansi(kCompactCaption);
  std::string url = "http://";
  if (!InputQuery(caption, Ansi("Введите сюда адрес сайта:"), url)) return;
  std::string text = Ansi("Ссылка на ") + url;
  if (!InputQuery(caption, Ansi("Введите сюда текст ссылки:"), text)) return;
  std::string target = "_blank";
  if (!InputQuery(caption, Ansi("Параметры открытия ссылки:"), target)) return;
  InsertTag(
      "<a href = \"" + url + "\" target=\"" + target + Ansi("\" title=\"Ссылка на ") + url + "\">" + text + "</a>", 0,
      true);
}

void TZod2uAppForm::BODY1Click(TObject*) {
  if (!CanInsert()) return;
  // A cancelled colour leaves its value empty; the dialog keeps the last
  // colour chosen, so each step starts from it.
  std::string colors[5];
  for (int i = 0; i < 5; ++i) {
    MessageBox(Handle(), Ansi(kBodySteps[i].Text), Ansi(kBodySteps[i].Caption), MB_OK | MB_ICONINFORMATION);
    if (ColorDialog1->Execute()) colors[i] = ColorToHtml(ColorDialog1->Color());
  }
  // Steps: background, text, links, pressed links, visited links.
  InsertTag("<body bgcolor=\"" + colors[0] + "\" text=\"" + colors[1] + "\" link=\"" + colors[2] + "\" vlink=\"" +
                colors[4] + "\" alink=\"" + colors[3] + "\">",
            0, false);
  MessageBox(Handle(),
             Ansi("Готово! Мастер создания красочной веб-странички закончил создание цветовой гаммы для Вашей "
                  "веб-страницы."),
             Ansi("Готово!"), MB_OK | MB_ICONINFORMATION);
}

void TZod2uAppForm::N296Click(TObject*) {
  if (!CanInsert() || !OpenDialog->Execute()) return;
  const std::string path = OpenDialog->FileName();
  // A document the editor's positions could not hold is refused, by its
  // size before it is read (each byte is a character at least), else by
  // its characters.
  const std::int64_t chars = Memo1->Lines()->TextChars();
  if (!TextCharsFit(chars, FileSizeOf(path))) throw ESrcEditTextTooLarge(InsertionTooLargeMessage(path));
  // Read whole before the document changes: an unreadable file or a folder
  // ends the command with the stream error and nothing inserted. The
  // document goes in byte for byte: a NUL in it is text too.
  const std::string text = ReadWholeFile(path);
  if (!TextCharsFit(chars, TextChars(text))) throw ESrcEditTextTooLarge(InsertionTooLargeMessage(path));
  Memo1->ReplaceSelectionWhole(text);
  Memo1->SetFocus();
}
