// The about and advertisement windows in the running editor (offscreen Qt):
// opened by their commands and shortcut, their pictures decoded from the
// program's resources, the about text white over the dark picture.
#include <QImage>

#include "EditorAppFixture.h"
#include "MenuRows.h"
#include "ProgramPictures.h"
#include "Unit14.h"
#include "Unit3.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/Menus.h"
#include "platform/Resources.h"
#include "platform/qt/QtWidgetset.h"

namespace {

TEST_F(EditorAppTest, AboutWindowShowsItsPictureAndText) {
  Start();
  QImage shot;
  Ui().ExpectModalForm([&](TCustomForm* f) {
    EXPECT_EQ(f, about_forma);
    EXPECT_EQ(about_forma->Image1->Picture()->Width(), 541);
    EXPECT_EQ(about_forma->Image1->Picture()->Height(), 385);
    EXPECT_EQ(about_forma->Image1->Left(), -5);
    shot = QtGrabWidget(about_forma->Handle());
    f->Close();
  });
  FindMenuItem(*Main()->MainMenu1, "Справка", "О программе...")->Click();
  EXPECT_EQ(about_forma->ClientWidth(), 501);
  EXPECT_EQ(about_forma->ClientHeight(), 277);
  EXPECT_EQ(about_forma->Label1->Caption().rfind("Brindel Quillet Studio\r\n" + Ansi("Версия: 1.0.0.0 Build 0109"), 0),
            0u);
  EXPECT_TRUE(about_forma->Label1->Transparent());
  EXPECT_TRUE(about_forma->Label1->WordWrap());
  for (TLabel* l : {about_forma->Label1, about_forma->Label9, about_forma->Label2})
    EXPECT_EQ(l->Font()->Color(), clWhite);
  // Dark picture, white letters: both show in the window.
  ASSERT_FALSE(shot.isNull());
  int white = 0, dark = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) {
      const QRgb p = shot.pixel(x, y);
      if (qRed(p) > 230 && qGreen(p) > 230 && qBlue(p) > 230) ++white;
      if (qRed(p) < 80 && qGreen(p) < 80) ++dark;
    }
  EXPECT_GT(white, 300);
  EXPECT_GT(dark, shot.width() * shot.height() / 2);
}

// No star of the picture stands under the text: every pixel behind a
// label is as dark as the sky or the quill's light, never star-bright.
TEST_F(EditorAppTest, AboutPicturesStarsKeepOutOfTheText) {
  Start();
  Ui().ExpectModalForm([&](TCustomForm* f) { f->Close(); });
  FindMenuItem(*Main()->MainMenu1, "Справка", "О программе...")->Click();
  TBitmap* picture = about_forma->Image1->Picture()->Bitmap();
  ASSERT_EQ(picture->Width(), 541);
  for (TLabel* l : {about_forma->Label1, about_forma->Label9, about_forma->Label2}) {
    SCOPED_TRACE(l->Name());
    int bright = 0;
    for (int y = l->Top(); y < l->Top() + l->Height(); ++y)
      for (int x = l->Left(); x < l->Left() + l->Width(); ++x)
        if (GetRValue(picture->Pixel(x - about_forma->Image1->Left(), y - about_forma->Image1->Top())) > 140) ++bright;
    EXPECT_EQ(bright, 0);
  }
}

TEST_F(EditorAppTest, AdvertisementWindowShowsItsPicture) {
  Start();
  Ui().ExpectModalForm([&](TCustomForm* f) {
    EXPECT_EQ(f, Form14);
    EXPECT_EQ(Form14->Image1->Picture()->Width(), 809);
    EXPECT_EQ(Form14->Image1->Picture()->Height(), 609);
    f->Close();
  });
  FindMenuItem(*Main()->MainMenu1, "Brindel Ostrelle", "Чего-то не хватает?")->Click();
  EXPECT_EQ(Form14->ClientWidth(), 791);
}

TEST_F(EditorAppTest, UnknownPictureNameIsAnError) {
  TPicture picture;
  EXPECT_THROW(LoadProgramPicture(picture, "NOSUCHPICTURE"), EResNotFound);
}

}  // namespace
