#include "Unit1.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  SetName("Form1");
  SetCaption("Brindel Norvane");
  SetBounds(0, 0, 645, 684);
  SetPosition(poScreenCenter);
  Font()->SetName("MS Sans Serif");
  Font()->SetSize(8);
  MarkupHint1 = CreateProgramMarkupHint(this);

  TaskPanel1 = new TPanel(this);
  TaskPanel1->SetName("TaskPanel1");
  TaskPanel1->SetParent(this);
  TaskPanel1->SetAlign(alTop);
  TaskPanel1->SetHeight(89);
  TaskPanel1->SetBevelOuter(bvNone);
  TaskPanel1->SetColor(16772250);
  TaskPanel1->SetCaption(std::string());

  StatusBar1 = new TStatusBar(this);
  StatusBar1->SetName("StatusBar1");
  StatusBar1->SetParent(this);
  StatusBar1->SetHeight(19);

  Web = new TPanel(this);
  Web->SetName("Web");
  Web->SetParent(this);
  Web->SetAlign(alClient);
  Web->SetBevelOuter(bvNone);
  Web->SetColor(clWindow);
  Web->SetCaption(std::string());
}
