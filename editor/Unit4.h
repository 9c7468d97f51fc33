// The font and text-block wizard: a font, a size and a colour around a
// block of text typed, loaded or saved here.
#pragma once

#include "CommandRegistry.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"

class TForm4 : public TForm {
 public:
  explicit TForm4(TComponent* owner);
  const char* ClassName() const override { return "TForm4"; }

  TComboBox* ComboBox1 = nullptr;  // the installed fonts
  TComboBox* Edit1 = nullptr;      // size "1" .. "7"
  TLabel* Label4 = nullptr;        // the colour's code, hidden until one is chosen
  TRichEdit* RichEdit1 = nullptr;  // the font's preview, always wholly selected
  TRichEdit* RichEdit2 = nullptr;  // the text block (plain text)
  TColorDialog* ColorDialog1 = nullptr;

  void ComboBox1Click(TObject* Sender);
  void RichEdit1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Button1Click(TObject* Sender);  // "Вставить"
  void Button2Click(TObject* Sender);  // "Отменить"
  void Button3Click(TObject* Sender);  // "Открыть текст..."
  void Button4Click(TObject* Sender);  // "Сохранить текст"
  void Button5Click(TObject* Sender);  // "Новый текст"
  void Button6Click(TObject* Sender);  // "Очистить всё"
  void Button7Click(TObject* Sender);  // "Выбрать...": the colour

  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  TCommandRegistry FCommands{"Form4"};
};

extern TForm4* Form4;
