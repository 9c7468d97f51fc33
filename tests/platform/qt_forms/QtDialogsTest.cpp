// The Qt UI service: the boxes show the texts as given, with their line
// breaks, and give the user's answer back.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <QTreeView>
#include <fstream>
#include <functional>
#include <iterator>

#include "QtFixture.h"
#include "TempDirQt.h"
#include "platform/CodePage.h"
#include "platform/Printers.h"
#include "platform/SysUtils.h"
#include "platform/qt/QtPrinting.h"
#include "platform/qt/QtWidgetset.h"

namespace {

// Runs `act` on the modal dialog once it is up.
void WhenModal(std::function<void(QWidget*)> act) {
  auto attempt = std::make_shared<std::function<void()>>();
  *attempt = [act, attempt] {
    if (QWidget* w = QApplication::activeModalWidget()) {
      act(w);
      return;
    }
    QTimer::singleShot(10, *attempt);
  };
  QTimer::singleShot(0, *attempt);
}

QAbstractButton* ButtonWithText(QMessageBox* box, const QString& text) {
  for (QAbstractButton* b : box->buttons())
    if (b->text() == text) return b;
  return nullptr;
}

TEST_F(QtFormsTest, MessageBoxShowsTheTextAndReturnsTheChosenButton) {
  SetUiService(&FPlatform->Ui());
  QString shownText, shownTitle;
  QStringList buttons;
  WhenModal([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    shownText = box->text();
    shownTitle = box->windowTitle();
    for (QAbstractButton* b : box->buttons()) buttons << b->text();
    ButtonWithText(box, QString::fromUtf8("Нет"))->click();
  });
  int answer = MessageBox(nullptr, Ansi("Текст:\n\r\n\rдокумент\n\rдалее"), "Brindel Quillet Studio",
                          MB_YESNOCANCEL | MB_ICONINFORMATION);
  EXPECT_EQ(answer, IDNO);
  EXPECT_EQ(shownText, QString::fromUtf8("Текст:\n\nдокумент\nдалее"));
  EXPECT_EQ(shownTitle, "Brindel Quillet Studio");
  EXPECT_EQ(buttons.size(), 3);
  EXPECT_TRUE(buttons.contains(QString::fromUtf8("Да")));
  EXPECT_TRUE(buttons.contains(QString::fromUtf8("Отмена")));
}

TEST_F(QtFormsTest, InputBoxGivesTheTypedTextOrTheDefault) {
  SetUiService(&FPlatform->Ui());
  WhenModal([](QWidget* w) {
    auto* dlg = qobject_cast<QInputDialog*>(w);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->textValue(), "http://");
    dlg->setTextValue(QString::fromUtf8("http://пример.рф"));
    dlg->accept();
  });
  EXPECT_EQ(InputBox(Ansi("Открыть сайт..."), Ansi("Введите сюда адрес сайта:"), "http://"), Ansi("http://пример.рф"));
  WhenModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
  EXPECT_EQ(InputBox("C", "P", "http://"), "http://");
}

TEST_F(QtFormsTest, SaveDialogGivesTheChosenFileAndFilter) {
  SetUiService(&FPlatform->Ui());
  TTempDirQt dir;
  TSaveDialog save(Form);
  save.SetFilter("Text (*.txt)|*.txt|Web (.*htm)|*.htm");
  save.SetFilterIndex(2);
  save.SetInitialDir(AnsiFileName(dir.Path()));
  save.SetDefaultExt("*.htm");
  QStringList filters;
  WhenModal([&](QWidget* w) {
    auto* dlg = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dlg, nullptr);
    filters = dlg->nameFilters();
    // The user picks the first filter.
    dlg->selectNameFilter(dlg->nameFilters()[0]);
    dlg->selectFile(QString::fromUtf8((dir.Path() + "/страница").c_str()));
    QMetaObject::invokeMethod(dlg, "accept");
  });
  ASSERT_TRUE(save.Execute());
  EXPECT_EQ(filters, (QStringList{"Text (*.txt) (*.txt)", "Web (.*htm) (*.htm)"}));
  // The name had no extension: the chosen filter's single one is added.
  EXPECT_EQ(save.FileName(), AnsiFileName(dir.Path()) + Ansi("/страница.txt"));
  EXPECT_EQ(save.FilterIndex(), 1);

  // A filter of several extensions, or of all files, leaves the default one;
  // a name with an extension keeps it.
  struct {
    const char* filter;
    const char* typed;
    const char* saved;
  } cases[] = {{"Web (*.html; *.htm)|*.html; *.htm", "page", "page.htm"},
               {"All (*.*)|*.*", "page", "page.htm"},
               {"Text (*.txt)|*.txt", "notes.log", "notes.log"}};
  for (const auto& c : cases) {
    save.SetFilter(c.filter);
    save.SetFilterIndex(1);
    WhenModal([&](QWidget* w) {
      auto* dlg = qobject_cast<QFileDialog*>(w);
      ASSERT_NE(dlg, nullptr);
      dlg->selectFile(QString::fromUtf8((dir.Path() + "/" + c.typed).c_str()));
      QMetaObject::invokeMethod(dlg, "accept");
    });
    ASSERT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName(), AnsiFileName(dir.Path()) + "/" + c.saved) << c.filter;
  }
}

// Every text of the file dialog the user can read: captions, tips, menu
// entries, column heads and the rows of the folder shown.
QStringList DialogTexts(QFileDialog* dlg) {
  QStringList out{dlg->windowTitle()};
  for (QWidget* w : dlg->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(dlg)) continue;
    out << w->toolTip();
    if (auto* l = qobject_cast<QLabel*>(w)) out << l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) out << b->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) out << e->placeholderText();
    if (auto* c = qobject_cast<QComboBox*>(w))
      for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
    if (auto* v = qobject_cast<QAbstractItemView*>(w)) {
      QAbstractItemModel* m = v->model();
      for (int col = 0; col < m->columnCount(v->rootIndex()); ++col) {
        out << m->headerData(col, Qt::Horizontal).toString();
        for (int row = 0; row < m->rowCount(v->rootIndex()); ++row)
          out << m->index(row, col, v->rootIndex()).data().toString();
      }
    }
  }
  for (QAction* a : dlg->findChildren<QAction*>()) out << a->text() << a->toolTip();
  return out;
}

// The standard dialogs speak Russian whatever the user's locale: Qt's own
// captions, the kinds, sizes and dates of the files, in the program's
// dialog font.
TEST_F(QtFormsTest, FileDialogIsRussianWhateverTheLocale) {
  SetUiService(&FPlatform->Ui());
  TTempDirQt dir;
  const QString root = QString::fromUtf8(dir.Path().c_str());
  QDir(root).mkdir(QString::fromUtf8("папка"));
  QFile page(root + QString::fromUtf8("/страница.htm"));
  ASSERT_TRUE(page.open(QIODevice::WriteOnly));
  page.write(QByteArray(1500, 'x'));
  page.close();
  TOpenDialog open(Form);
  TSaveDialog save(Form);
  for (TOpenDialog* d : {&open, static_cast<TOpenDialog*>(&save)}) {
    d->SetFilter(Ansi("Все файлы (*.*)|*.*"));
    d->SetInitialDir(AnsiFileName(dir.Path()));
    QStringList texts;
    QString folderDate, expectedDate, pageSize;
    QFont font;
    WhenModal([&](QWidget* w) {
      auto* dlg = qobject_cast<QFileDialog*>(w);
      ASSERT_NE(dlg, nullptr);
      auto* view = dlg->findChild<QTreeView*>("treeView");
      ASSERT_NE(view, nullptr);
      for (int i = 0; i < 500 && view->model()->rowCount(view->rootIndex()) < 2; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
      texts = DialogTexts(dlg);
      font = dlg->font();
      for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
        QModelIndex name = view->model()->index(row, 0, view->rootIndex());
        if (name.data().toString() == QString::fromUtf8("страница.htm"))
          pageSize = view->model()->index(row, 1, view->rootIndex()).data().toString();
        if (name.data().toString() != QString::fromUtf8("папка")) continue;
        folderDate = view->model()->index(row, 3, view->rootIndex()).data().toString();
        expectedDate =
            QLocale(QLocale::Russian, QLocale::Russia)
                .toString(QFileInfo(root + QString::fromUtf8("/папка")).lastModified(), QLocale::ShortFormat);
      }
      dlg->reject();
    });
    EXPECT_FALSE(d->Execute());
    // Paths and file names are the user's; everything else is Russian.
    QStringList own = root.split('/') + QDir::homePath().split('/') + QStringList{"htm"};
    std::sort(own.begin(), own.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
    QStringList english;
    for (QString t : texts) {
      for (const QString& o : own)
        if (!o.isEmpty()) t.remove(o);
      // Capitals alone are names such as HTML.
      if (t.contains(QRegularExpression("[A-Za-z]*[a-z][A-Za-z]*"))) english << t;
    }
    EXPECT_TRUE(english.isEmpty()) << english.join(" | ").toStdString();
    EXPECT_FALSE(folderDate.isEmpty());
    EXPECT_EQ(folderDate.toStdString(), expectedDate.toStdString());
    EXPECT_EQ(pageSize.toStdString(), "2 КБ");
    // In the program's dialog font.
    EXPECT_EQ(QFontInfo(font).family(), QFontInfo(QtDialogFont()).family());
    EXPECT_EQ(QFontInfo(font).pixelSize(), QFontInfo(QtDialogFont()).pixelSize());
  }
}

// A face the user picks in the font dialog is named by its family alone,
// though Qt lists a family several foundries make as "Family [Foundry]".
TEST_F(QtFormsTest, FontDialogGivesTheFamilyWithoutItsFoundry) {
  QString tagged;
  for (const QString& family : QFontDatabase::families())
    if (family.endsWith(']') && family.contains(" [")) tagged = family;
  if (tagged.isEmpty()) GTEST_SKIP() << "no family comes from several foundries here";
  SetUiService(&FPlatform->Ui());
  TFontDialog dialog(Form);
  WhenModal([&](QWidget* w) {
    auto* dlg = qobject_cast<QFontDialog*>(w);
    ASSERT_NE(dlg, nullptr);
    dlg->setCurrentFont(QFont(tagged));
    dlg->accept();
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Font()->Name(), QStringToAnsi(tagged.left(tagged.indexOf(" ["))));
void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}
std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs `act` on the message box once it is up.
void WhenMessageBox(std::function<void(QMessageBox*)> act) {
  auto attempt = std::make_shared<std::function<void()>>();
  *attempt = [act, attempt] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      act(box);
      return;
    }
    QTimer::singleShot(10, *attempt);
  };
  QTimer::singleShot(0, *attempt);
}

// A chosen name Windows-1251 cannot hold is refused with a message: its
// conversion ("?" for each such character) would name another file.
TEST_F(QtFormsTest, FileDialogsRefuseANameTheCodePageCannotHold) {
  SetUiService(&FPlatform->Ui());
  TTempDirQt dir;
  const std::string unholdable = dir.Path() + "/\xe4\xb8\xad\xe6\x96\x87.html";  // two Chinese characters
  WriteFileBytes(unholdable, "page");
  WriteFileBytes(dir.Path() + "/??.html", "decoy");
  TOpenDialog open(Form);
  TSaveDialog save(Form);
  for (TOpenDialog* dialog : {&open, static_cast<TOpenDialog*>(&save)}) {
    dialog->SetInitialDir(AnsiFileName(dir.Path()));
    QString shown;
    WhenModal([&](QWidget* w) {
      auto* dlg = qobject_cast<QFileDialog*>(w);
      ASSERT_NE(dlg, nullptr);
      dlg->selectFile(QString::fromUtf8(unholdable.c_str()));
      WhenMessageBox([&](QMessageBox* box) {
        shown = box->text();
        box->accept();
      });
      QMetaObject::invokeMethod(dlg, "accept");
    });
    EXPECT_FALSE(dialog->Execute());
    EXPECT_EQ(shown, AnsiToQString(NormalizeLineBreaks(UnholdableFileNameText(unholdable))));
  }
  EXPECT_EQ(ReadFileBytes(dir.Path() + "/??.html"), "decoy");
}

// With no printer installed the print dialogs work on a PDF file: page
// setup opens and its layout goes to the next print, and the print dialog
// gives the file to print to. (On a machine with printers the dialogs
// choose among them; the first part then needs no printer to be absent.)
TEST_F(QtFormsTest, PrintDialogsWorkOnAPdfFileWithoutPrinters) {
  if (!QPrinterInfo::availablePrinterNames().isEmpty()) GTEST_SKIP() << "printers are installed";
  SetUiService(&FPlatform->Ui());
  bool setupShown = false;
  WhenModal([&](QWidget* w) {
    auto* dlg = qobject_cast<QPageSetupDialog*>(w);
    ASSERT_NE(dlg, nullptr);
    setupShown = true;
    auto* landscape = dlg->findChild<QRadioButton*>("landscape");
    ASSERT_NE(landscape, nullptr);
    landscape->click();
    dlg->accept();
  });
  TPrinterSetupDialog setup(Form);
  EXPECT_TRUE(setup.Execute());
  EXPECT_TRUE(setupShown);

  TTempDirQt dir;
  std::string pdf = AnsiFileName(dir.Path()) + "/out.pdf";
  QPageLayout::Orientation offered = QPageLayout::Portrait;
  WhenModal([&](QWidget* w) {
    auto* dlg = qobject_cast<QPrintDialog*>(w);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->printer()->outputFormat(), QPrinter::PdfFormat);
    offered = dlg->printer()->pageLayout().orientation();
    auto* file = dlg->findChild<QLineEdit*>("filename");
    ASSERT_NE(file, nullptr);
    file->setText(QString::fromStdString(dir.Path() + "/out.pdf"));
    dlg->accept();
  });
  TPrintDialog print(Form);
  EXPECT_TRUE(print.Execute());
  EXPECT_EQ(offered, QPageLayout::Landscape) << "the page setup's layout";
  EXPECT_EQ(Printer()->OutputFileName(), pdf);
  EXPECT_EQ(SelectedPrinterName(), "");
  // The job prints to that file.
  Printer()->BeginDoc();
  Printer()->Canvas()->TextOut(10, 10, "page");
  Printer()->EndDoc();
  Printer()->SetOutputFileName(std::string());
  QtChosenPageLayout() = QPageLayout();
  EXPECT_TRUE(FileExists(pdf));
}

}  // namespace
