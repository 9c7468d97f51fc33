// The windows were laid out for Windows' fonts: with the faces the widget
// set puts in their place every caption still fits its control. Each label,
// button, check box, radio button and status panel of every window is
// measured in its own font against its room (CaptionFit.h); two windows are
// also saved as pictures in the test's working folder (the build tree) for
// a look.
#include <QImage>

#include "CaptionFit.h"
#include "EditorAppFixture.h"
#include "Unit12.h"
#include "Unit13.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/Gdi.h"
#include "platform/StdCtrls.h"
#include "platform/Win32.h"
#include "platform/qt/QtWidgetset.h"

namespace {

void Save(TCustomForm* form, const std::string& path) {
  QImage shot = QtGrabWidget(form->Handle());
  ASSERT_FALSE(shot.isNull()) << form->Name();
  shot.save(QString::fromStdString(path));
}

TEST_F(EditorAppTest, CaptionsFitTheirControlsInTheSubstitutedFonts) {
  Start();
  Main()->Timer1Timer(nullptr);
  Pump();
  // The status bar's first panel: the date and time as the clock writes
  // them, on the day of the longest name; the panel keeps 6 pixels of frame.
  TStatusBar* bar = Main()->StatusBar1;
  TStatusPanel* clock = bar->Panels()->Items(0);
  std::string text = clock->Text();
  ASSERT_NE(text.find(','), std::string::npos) << text;
  text = " " + Ansi("воскресенье") + text.substr(text.find(','));
  TRect need = CaptionNeeds(bar->Font(), text, DT_SINGLELINE, 32767);
  EXPECT_LE(need.Width() + 6, clock->Width()) << text;
  Save(Main(), "screenshot-main.png");

  for (TCustomForm* form : {static_cast<TCustomForm*>(Form122), static_cast<TCustomForm*>(Form13)}) {
    form->Show();
    Pump();
    Save(form, "screenshot-" + form->Name() + ".png");
    form->Hide();
  }
  // Every window the program makes at its start.
  ASSERT_GT(Screen->FormCount(), 20);
  int measured = 0;
  for (int i = 0; i < Screen->FormCount(); ++i) measured += ExpectCaptionsFit(Screen->Forms(i));
  EXPECT_GT(measured, 150);
}

}  // namespace
