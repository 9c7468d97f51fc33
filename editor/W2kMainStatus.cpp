// The main window's status bar: the panels' contents and the timers that
// fill them.
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/SysUtils.h"

void TZod2uAppForm::Timer1Timer(TObject*) {
  StatusBar1->Panels()->Items(0)->SetText(
      " " + FormatDateTime(Ansi("dddd, dd.mm.yyyy год, время: hhhh:nnnn:ssss"), Now()));
}
