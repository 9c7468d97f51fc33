#include "Unit1.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  SetName("Form1");
  SetCaption("Brindel Norvane");
  SetBounds(0, 0, 645, 684);
  SetPosition(poScreenCenter);
  Font()->SetName("MS Sans Serif");
  Font()->SetSize(8);

  // The banner: a task panel in the windows style with its title and title
  // buttons hidden.
  TaskPanel1 = new TTaskPanel(this);
  TaskPanel1->SetName("TaskPanel1");
  TaskPanel1->SetAlign(alTop);
  TaskPanel1->SetHeight(89);
  TaskPanel1->SetStyle(xpWindows);
  TaskPanel1->SetColor(16772250);
  TaskPanel1->SetColorFrame(16250870);
  TaskPanel1->Title()->SetVisible(false);
  for (TTaskButton* button : {TaskPanel1->Title()->ButtonSpin(), TaskPanel1->Title()->ButtonClose()}) {
    button->SetEnabled(false);
    button->SetVisible(false);
  }
  TaskPanel1->SetAnimated(true);
  TaskPanel1->SetMoveable(false);
  TaskPanel1->SetSound(false);
  TaskPanel1->SetTransparent(false);
  TaskPanel1->SetParent(this);

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
