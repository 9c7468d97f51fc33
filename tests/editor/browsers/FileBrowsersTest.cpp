// The text-file and picture browsers in the running editor: a real folder
// listed, the file's text, name and path inserted (bytes, one undo step,
// the window closed first), clicks on no file, and the bad files.
#include <sys/stat.h>

#include "BrowsersFixture.h"
#include "TestPictures.h"
#include "Unit19.h"
#include "Unit20.h"
#include "platform/Clipboard.h"
#include "platform/Graphics.h"

namespace {

class TextBrowserTest : public BrowsersTest {
 protected:
  void OpenFolder(const std::string& name) {
    Form19->Show();
    Form19->DirectoryListBox1->SetDirectory(AnsiPath(name));
    Pump();
  }
};

TEST_F(TextBrowserTest, ListsARealFolderAndInsertsTextNameAndPathAsOneUndoStepAfterClosing) {
  ForceDirectories(OsPath("docs/sub"));
  const std::string text = Ansi("первая строка\r\n<b>вторая</b>\r\n");
  WriteFileBytes(OsPath("docs/заметка.txt"), text);
  WriteFileBytes(OsPath("docs/a.TXT"), "A");
  WriteFileBytes(OsPath("docs/page.htm"), "<p>");
  StartWithText("ab SEL cd", 3, 3);
  OpenFolder("docs");
  EXPECT_EQ(ItemsOf(Form19->FileListBox1), (std::vector<std::string>{"a.TXT", Ansi("заметка.txt")}));
  Pick(Form19->FileListBox1, Ansi("заметка.txt"), LBN_SELCHANGE);
  EXPECT_EQ(Form19->Memo1->Text(), text);
  EXPECT_EQ(Form19->Label1->Caption(), Ansi("заметка.txt"));
  EXPECT_EQ(Form19->Caption(), Ansi("Навигатор Quillet Studio - Текст: заметка.txt"));
  struct TCase {
    const char* Handler;
    std::string Inserted;
  };
  const std::vector<TCase> cases = {
      {"N5Click", text},
      {"N8Click", Ansi("заметка.txt")},
      {"N9Click", AnsiPath("docs/заметка.txt")},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Handler);
    Memo()->SetText("ab SEL cd");
    Memo()->SetSelectionStart(3);
    Memo()->SetSelectionLength(3);
    Memo()->ClearUndoRedo();
    Form19->Show();
    Run(Form19, c.Handler);
    EXPECT_FALSE(Form19->Visible());
    EXPECT_EQ(Memo()->Text(), "ab " + c.Inserted + " cd");
    EXPECT_EQ(Memo()->GetSelectionStart(), int(3 + c.Inserted.size()));
    ExpectOneUndoStep("ab SEL cd");
  }
  // The filter box changes the mask.
  Form19->FilterComboBox1->SetItemIndex(1);
  Form19->FilterComboBox1->Perform(CN_COMMAND, MakeWParam(0, CBN_SELCHANGE), 0);
  EXPECT_EQ(ItemsOf(Form19->FileListBox1), std::vector<std::string>{"page.htm"});
}

TEST_F(TextBrowserTest, NothingSelectedOrNothingShownChangesNothing) {
  ForceDirectories(OsPath("empty"));
  StartWithText("ab SEL cd", 3, 3);
  OpenFolder("empty");
  EXPECT_EQ(Form19->FileListBox1->Items()->Count(), 0);
  for (const char* handler : {"FileListBox1Click", "N5Click", "N8Click", "N9Click"}) {
    SCOPED_TRACE(handler);
    Run(Form19, handler);
    EXPECT_TRUE(Form19->Visible());
  }
  EXPECT_TRUE(Ui().History().empty());
  EXPECT_EQ(Memo()->Text(), "ab SEL cd");
  EXPECT_EQ(Memo()->GetSelectedText(), "SEL");
  EXPECT_FALSE(Memo()->Modified());
}

TEST_F(TextBrowserTest, BadFilesLoadWithoutACrashOrLeaveTheViewAsItWas) {
  ForceDirectories(OsPath("bad"));
  WriteFileBytes(OsPath("bad/empty.txt"), "");
  WriteFileBytes(OsPath("bad/nul.txt"), std::string("a\0b\r\nc", 6));
  WriteFileBytes(OsPath("bad/binary.txt"), std::string("\xFF\xFE\x00\x01\x80\r\r\n\n", 9));
  WriteFileBytes(OsPath("bad/日本.txt"), "never this");
  WriteFileBytes(OsPath("bad/ok.txt"), "ok");
  Start();
  OpenFolder("bad");
  for (const char* name : {"binary.txt", "empty.txt", "nul.txt"}) {
    SCOPED_TRACE(name);
    Pick(Form19->FileListBox1, name, LBN_SELCHANGE);
    EXPECT_EQ(Form19->Label1->Caption(), name);
  }
  Pick(Form19->FileListBox1, "ok.txt", LBN_SELCHANGE);
  // A name Windows-1251 cannot hold: a message, never another file.
  Ui().ExpectMessage(IDOK);
  Pick(Form19->FileListBox1, "??.txt", LBN_SELCHANGE);
  EXPECT_EQ(Ui().History().size(), 1u);
  EXPECT_EQ(Form19->Memo1->Text(), "ok");
  // A file gone since it was listed: the error box, the view unchanged.
  ::unlink(OsPath("bad/empty.txt").c_str());
  Ui().ExpectMessage(IDOK);
  GuardCall([&] { Pick(Form19->FileListBox1, "empty.txt", LBN_SELCHANGE); });
  EXPECT_EQ(Ui().History().size(), 2u);
  EXPECT_EQ(Form19->Memo1->Text(), "ok");
  EXPECT_EQ(Form19->Label1->Caption(), "ok.txt");
}

TEST_F(TextBrowserTest, MenusAreDrawnFlatWithButtonFaceColours) {
  Start();
  ASSERT_TRUE(Form19->MenuPainter);
  EXPECT_EQ(Form19->MenuPainter->SelectColor, clBtnFace);
  EXPECT_EQ(Form19->MenuPainter->GutterColor, clBtnFace);
  ASSERT_TRUE(Form20->MenuPainter);
  EXPECT_EQ(Form20->MenuPainter->SelectColor, clBtnFace);
  for (TMenu* menu : {static_cast<TMenu*>(Form19->MainMenu1), static_cast<TMenu*>(Form19->PopupMenu1),
                      static_cast<TMenu*>(Form20->MainMenu1), static_cast<TMenu*>(Form20->PopupMenu1)})
    for (int i = 0; i < menu->Items()->Count(); ++i)
      EXPECT_TRUE(menu->Items()->Items(i)->HasOwnerDraw()) << menu->Name() << " " << i;
  EXPECT_EQ(Form19->Memo1->PopupMenu(), Form19->PopupMenu1);
  EXPECT_EQ(Form20->Image1->PopupMenu(), Form20->PopupMenu1);
}

class PictureBrowserTest : public BrowsersTest {
 protected:
  void OpenFolder(const std::string& name) {
    Form20->Show();
    Form20->DirectoryListBox1->SetDirectory(AnsiPath(name));
    Pump();
  }
};

// A small BMP of the given size.
std::string BmpBytes(int width, int height) {
  TBitmap b(width, height);
  TMemoryStream s;
  b.SaveToStream(&s);
  return std::string(static_cast<const char*>(s.Memory()), size_t(s.Size()));
}

// "Открыть эту картинку..." shows the file, never runs it: not even an
// executable script dressed as a picture.
TEST_F(PictureBrowserTest, OpeningAPictureNeverRunsIt) {
  ForceDirectories(OsPath("pics"));
  WriteFileBytes(OsPath("pics/run.bmp"), "#!/bin/sh\nexit 0\n");
  ::chmod(OsPath("pics/run.bmp").c_str(), 0755);
  StartWithText("", 0, 0);
  OpenFolder("pics");
  Ui().ExpectMessage(IDOK);  // no picture in it
  Pick(Form20->FileListBox1, "run.bmp", LBN_SELCHANGE);
  Run(Form20, "N5Click");
  ASSERT_EQ(FShell.Starts.size(), 1u);
  EXPECT_EQ(FShell.Starts[0].Start.Kind, TShellStart::skDocument);
  EXPECT_EQ(FShell.Starts[0].Start.Target, AnsiPath("pics/run.bmp"));
}

TEST_F(PictureBrowserTest, ShowsPicturesInsertsNamesAndRefusesBadOnes) {
  ForceDirectories(OsPath("pics"));
  WriteFileBytes(OsPath("pics/рисунок.bmp"), BmpBytes(7, 5));
  std::string huge = BmpBytes(2, 2);
  // A header that claims 60000 x 60000 pixels.
  huge[18] = '\x60', huge[19] = '\xEA', huge[22] = '\x60', huge[23] = '\xEA';
  WriteFileBytes(OsPath("pics/huge.bmp"), huge);
  WriteFileBytes(OsPath("pics/cut.jpg"), std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10));
  WriteFileBytes(OsPath("pics/text.jpg"), "not a picture at all");
  WriteFileBytes(OsPath("pics/draw.emf"), std::string(64, '\x01'));
  WriteFileBytes(OsPath("pics/empty.ico"), "");
  WriteFileBytes(OsPath("pics/note.txt"), "x");
  struct TMetafile {
    const char* Name;
    std::string Bytes;
    int Width, Height;
  };
  const TMetafile metafiles[] = {{"draw.wmf", MakeWmf(30, 20, clBlue, clRed), 30, 20},
                                 {"frame.emf", MakeEmf(21, 34, clBlue, clRed), 21, 34}};
  for (const TMetafile& m : metafiles) WriteFileBytes(OsPath(std::string("pics/") + m.Name), m.Bytes);
  StartWithText("ab SEL cd", 3, 3);
  OpenFolder("pics");
  EXPECT_EQ(ItemsOf(Form20->FileListBox1),
            (std::vector<std::string>{"cut.jpg", "draw.emf", "draw.wmf", "empty.ico", "frame.emf", "huge.bmp",
                                      "text.jpg", Ansi("рисунок.bmp")}));
  Pick(Form20->FileListBox1, Ansi("рисунок.bmp"), LBN_SELCHANGE);
  EXPECT_EQ(Form20->Image1->Picture()->Width(), 7);
  EXPECT_EQ(Form20->Image1->Picture()->Height(), 5);
  EXPECT_EQ(Form20->Caption(), Ansi("Навигатор Quillet Studio - Изображения: рисунок.bmp"));
  for (const char* bad : {"huge.bmp", "cut.jpg", "text.jpg", "draw.emf", "empty.ico"}) {
    SCOPED_TRACE(bad);
    Ui().ExpectMessage(IDOK);
    Pick(Form20->FileListBox1, bad, LBN_SELCHANGE);
    // The application's error display: the error icon, the program's title.
    EXPECT_EQ(Ui().History().back().Icon, TUiIcon::Error);
    EXPECT_EQ(Ui().History().back().Caption, "Brindel Quillet Studio");
    EXPECT_EQ(Form20->Caption(), Ansi("Навигатор Quillet Studio - Изображения: рисунок.bmp"));
    EXPECT_NE(Ui().History().back().Text.find(bad), std::string::npos);
    EXPECT_EQ(Form20->Image1->Picture()->Width(), 7);
    EXPECT_EQ(Form20->Label1->Caption(), Ansi("рисунок.bmp"));
  }
  // A metafile that is no metafile is a bad picture like any other.
  EXPECT_EQ(Ui().History()[3].Text.substr(0, 40), Ui().History()[2].Text.substr(0, 40));
  // Metafiles show at the size their headers state.
  for (const TMetafile& m : metafiles) {
    SCOPED_TRACE(m.Name);
    Pick(Form20->FileListBox1, m.Name, LBN_SELCHANGE);
    EXPECT_EQ(Form20->Image1->Picture()->Width(), m.Width);
    EXPECT_EQ(Form20->Image1->Picture()->Height(), m.Height);
    EXPECT_EQ(Form20->Label1->Caption(), m.Name);
  }
  Pick(Form20->FileListBox1, Ansi("рисунок.bmp"), LBN_SELCHANGE);
  // Toggling a scale twice gives the first display back.
  for (const char* toggle : {"rasClick", "propClick"}) {
    const TRect before = Form20->Image1->DestRect();
    const bool stretch = Form20->Image1->Stretch(), proportional = Form20->Image1->Proportional();
    Run(Form20, toggle);
    EXPECT_NE(Form20->Image1->Stretch() != stretch, Form20->Image1->Proportional() != proportional);
    Run(Form20, toggle);
    EXPECT_EQ(Form20->Image1->DestRect(), before);
  }
  Pick(Form20->FileListBox1, Ansi("рисунок.bmp"), LBN_SELCHANGE);
  Run(Form20, "N5Click");
  ASSERT_EQ(FShell.Starts.size(), 1u);
  EXPECT_EQ(FShell.Starts[0].Start.Kind, TShellStart::skDocument);
  EXPECT_EQ(FShell.Starts[0].Start.Target, AnsiPath("pics/рисунок.bmp"));
  for (const auto& c :
       {std::make_pair("N2Click", Ansi("рисунок.bmp")), std::make_pair("N3Click", AnsiPath("pics/рисунок.bmp"))}) {
    SCOPED_TRACE(c.first);
    Memo()->SetText("ab SEL cd");
    Memo()->SetSelectionStart(3);
    Memo()->SetSelectionLength(3);
    Memo()->ClearUndoRedo();
    Form20->Show();
    Run(Form20, c.first);
    EXPECT_FALSE(Form20->Visible());
    EXPECT_EQ(Memo()->Text(), "ab " + c.second + " cd");
    ExpectOneUndoStep("ab SEL cd");
  }
}

}  // namespace
