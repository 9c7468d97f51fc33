// The help viewer's one window: a row of navigation buttons over the
// embedded browser that shows the help pages beside the program.
#pragma once

#include <string>

#include "MarkupHint.h"
#include "TaskPanels.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/WebBrowser.h"

class TXpSpeedButton;

class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* owner);
  const char* ClassName() const override { return "TForm1"; }

  TTaskPanel* TaskPanel1 = nullptr;  // the banner and button row, 89 pixels high
  TLabel* Label1 = nullptr;          // the program's name
  TLabel* Label2 = nullptr;          // the greeting
  TImage* Image1 = nullptr;          // the banner picture, at the right edge
  TWebBrowser* Web = nullptr;        // the help pages, filling the rest
  TStatusBar* StatusBar1 = nullptr;
  TMarkupHint* MarkupHint1 = nullptr;  // renders every hint of the program

  TSaveDialog* SaveDialog1 = nullptr;
  // The navigation buttons on TaskPanel1, left to right: back, forward,
  // stop, save, print, home, properties.
  TXpSpeedButton *XpSpeedButton1 = nullptr, *XpSpeedButton2 = nullptr, *XpSpeedButton5 = nullptr,
                 *XpSpeedButton3 = nullptr, *XpSpeedButton6 = nullptr, *XpSpeedButton9 = nullptr,
                 *XpSpeedButton4 = nullptr;

  // The home page: loaded when the window is made and by the Home button.
  void FormCreate(TObject* sender);
  void XpSpeedButton1Click(TObject* sender);  // back
  void XpSpeedButton2Click(TObject* sender);  // forward
  void XpSpeedButton5Click(TObject* sender);  // stop
  void XpSpeedButton3Click(TObject* sender);  // save
  void XpSpeedButton6Click(TObject* sender);  // print
  void XpSpeedButton4Click(TObject* sender);  // properties

 private:
  void BuildBanner();
  void BuildButtons();
  // Back or forward; at the end of the history, the box with `atTheEnd`.
  void WalkHistory(void (TWebBrowser::*step)(), const char* atTheEnd);
};

// The home page's path: the program folder's "Help/Help.htm".
std::string HelpHomePage();

extern TForm1* Form1;
