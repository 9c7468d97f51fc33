// The windows were laid out for Windows' fonts: with the faces the widget
// set puts in their place every caption still fits its control. Each label,
// button and status panel is measured in its own font against its bounds;
// the windows are also saved as pictures in the test's working folder (the
// build tree) for a look.
#include <QImage>

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

// The rectangle `text` needs in `font` (DT_CALCRECT), within `width` when
// it wraps.
TRect Needed(TFont* font, const std::string& text, UINT flags, int width) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font->Handle());
  TRect r(0, 0, width, 0);
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, flags | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return r;
}

// Every label and button of `form` shows its whole caption.
void ExpectCaptionsFit(TCustomForm* form) {
  int checked = 0;
  for (int i = 0; i < form->ComponentCount(); ++i) {
    TComponent* c = form->Components(i);
    if (auto* label = dynamic_cast<TCustomLabel*>(c)) {
      if (!label->Visible() || label->Caption().empty()) continue;
      UINT flags = label->WordWrap() ? DT_WORDBREAK : DT_SINGLELINE;
      TRect need = Needed(label->Font(), label->Caption(), flags, label->WordWrap() ? label->Width() : 32767);
      EXPECT_LE(need.Width(), label->Width()) << form->Name() << "." << label->Name();
      EXPECT_LE(need.Height(), label->Height()) << form->Name() << "." << label->Name();
      ++checked;
    } else if (auto* button = dynamic_cast<TButton*>(c)) {
      if (!button->Visible()) continue;
      // A push button keeps a few pixels of frame on each side.
      TRect need = Needed(button->Font(), button->Caption(), DT_SINGLELINE, 32767);
      EXPECT_LE(need.Width() + 8, button->Width()) << form->Name() << "." << button->Name();
      ++checked;
    }
  }
  EXPECT_GT(checked, 0) << form->Name();
}

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
  TRect need = Needed(bar->Font(), text, DT_SINGLELINE, 32767);
  EXPECT_LE(need.Width() + 6, clock->Width()) << text;
  Save(Main(), "screenshot-main.png");

  for (TCustomForm* form : {static_cast<TCustomForm*>(Form122), static_cast<TCustomForm*>(Form13)}) {
    form->Show();
    Pump();
    ExpectCaptionsFit(form);
    Save(form, "screenshot-" + form->Name() + ".png");
    form->Hide();
  }
}

}  // namespace
