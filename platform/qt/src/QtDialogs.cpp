// The UI service on Qt: message boxes, input boxes, the file, colour, font
// and print dialogs (the modeless find and replace dialogs are in
// QtFindDialogs.cpp).
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "platform/CodePage.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtPrinting.h"
#include "platform/qt/QtWidgetset.h"

namespace {

QString Text(const std::string& ansi) { return AnsiToQString(NormalizeLineBreaks(ansi)); }

QString FileNameToQ(const std::string& ansi) { return QString::fromUtf8(SysFileName(ansi).c_str()); }
std::string QToFileName(const QString& s) { return AnsiFileName(s.toUtf8().toStdString()); }

// The window a dialog belongs to (centred on it, above it: transient for
// it): the owner's top-level widget when it is on screen, else the active
// form's, else the main form's, else the active window of the application.
QWidget* OwnerWidget(HWND owner) {
  if (WidgetsetInstalled()) owner = DialogOwnerWindow(owner && Widgetset().IsWindow(owner) ? owner : nullptr);
  if (owner)
    if (auto* p = dynamic_cast<QtWindowPeer*>(owner))
      if (p->Outer()) return p->Outer()->window();
  return QApplication::activeWindow();
}

// Runs a dialog; once shown it comes above its owner with the focus.
int ExecAbove(QDialog& dlg) {
  QTimer::singleShot(0, &dlg, [&dlg] {
    dlg.raise();
    dlg.activateWindow();
  });
  return dlg.exec();
}

QMessageBox::Icon IconFor(TUiIcon icon) {
  switch (icon) {
    case TUiIcon::Error: return QMessageBox::Critical;
    case TUiIcon::Question: return QMessageBox::Question;
    case TUiIcon::Warning: return QMessageBox::Warning;
    case TUiIcon::Information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

// The buttons speak the program's language: the system box's captions, and
// the toolkit's message dialog with its accelerators.
struct TButtonCaption {
  int Id;
  const char* System;
  const char* Toolkit;
};
const TButtonCaption kButtonCaptions[] = {
    {IDOK, "ОК", "ОК"},
    {IDCANCEL, "Отмена", "Отмена"},
    {IDABORT, "Прервать", "&Прервать"},
    {IDRETRY, "Повторить", "&Повтор"},
    {IDIGNORE, "Пропустить", "&Пропустить"},
    {IDYES, "Да", "&Да"},
    {IDNO, "Нет", "&Нет"},
    {mrAll, "&Все", "&Все"},
    {mrNoToAll, "Н&ет для всех", "Н&ет для всех"},
    {mrYesToAll, "Д&а для всех", "Д&а для всех"},
};

QString ButtonCaption(int id, bool system) {
  for (const TButtonCaption& b : kButtonCaptions)
    if (b.Id == id) return QString::fromUtf8(system ? b.System : b.Toolkit);
  return QStringLiteral("?");
}

QMessageBox::ButtonRole RoleFor(int id) {
  switch (id) {
    case IDYES:
    case mrYesToAll:
    case mrAll: return QMessageBox::YesRole;
    case IDNO:
    case mrNoToAll: return QMessageBox::NoRole;
    case IDCANCEL:
    case IDABORT: return QMessageBox::RejectRole;
    default: return QMessageBox::AcceptRole;
  }
}

// Qt's name filters: the caption as the program gives it, the real masks
// in the hidden details part.
// A filter asking for programs lists every file for the dialog's model:
// ProgramsProxy picks them.
QStringList NameFilters(const std::string& filter) {
  QStringList out;
  for (const TFileFilter& f : ParseFilter(filter)) {
    QStringList masks;
    if (PatternListsPrograms(f.Pattern))
      masks << "*";
    else
      for (const std::string& m : SplitMasks(f.Pattern)) masks << AnsiToQString(m);
    out << AnsiToQString(Trim(f.Caption)) + " (" + masks.join(' ') + ")";
  }
  return out;
}

// The file model as the dialog shows it: sizes and dates in the program's
// Russian, not in the user's locale; the order stays the file model's own,
// which compares sizes and dates as numbers.
class RussianFilesProxy : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

  QVariant data(const QModelIndex& index, int role) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!files || role != Qt::DisplayRole || (index.column() != 1 && index.column() != 3))
      return QSortFilterProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    const QLocale russian;
    if (index.column() == 3) return russian.toString(files->lastModified(source), QLocale::ShortFormat);
    if (files->isDir(source)) return QString();
    // As the system's own lists: whole kilobytes, rounded up.
    return russian.toString((files->size(source) + 1023) / 1024) + QString::fromUtf8(" КБ");
  }
  void sort(int column, Qt::SortOrder order) override {
    if (sourceModel()) sourceModel()->sort(column, order);
  }
};

// While a filter asking for programs is chosen, the dialog lists folders,
// the files its masks name and the files that may be run (programs here
// have no ".exe").
class ProgramsProxy : public RussianFilesProxy {
 public:
  using RussianFilesProxy::RussianFilesProxy;

  void Choose(const TFileFilter* filter) {
    FMasks.clear();
    FPrograms = filter && PatternListsPrograms(filter->Pattern);
    if (FPrograms)
      for (const std::string& m : SplitMasks(filter->Pattern))
        FMasks.push_back(QRegularExpression(QRegularExpression::wildcardToRegularExpression(AnsiToQString(m)),
                                            QRegularExpression::CaseInsensitiveOption));
    invalidate();
  }

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    if (!FPrograms) return true;
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!files) return true;
    const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
    if (info.isDir() || info.isExecutable()) return true;
    for (const QRegularExpression& mask : FMasks)
      if (mask.match(info.fileName()).hasMatch()) return true;
    return false;
  }

 private:
  bool FPrograms = false;
  std::vector<QRegularExpression> FMasks;
};

// The index of the filter the dialog names: with the details hidden it names
// its filter without the masks. -1 for none.
int FilterIndexOf(const QStringList& filters, const QString& chosen) {
  for (int i = 0; i < filters.size(); ++i) {
    const QString& f = filters[i];
    if (f == chosen || f.left(f.lastIndexOf(" (")) == chosen) return i;
  }
  return -1;
}

}  // namespace

int QtUiService::MessageBox(TUiKind kind, const TMessageRequest& r) {
  QMessageBox box(OwnerWidget(r.Owner));
  box.setWindowTitle(AnsiToQString(r.Caption));
  box.setText(Text(r.Text));
  box.setIcon(IconFor(r.Icon));
  std::map<QAbstractButton*, int> ids;
  bool system = kind == TUiKind::MessageBox;
  QAbstractButton* def = nullptr;
  QAbstractButton* escape = nullptr;
  for (int id : r.Buttons) {
    QPushButton* b = box.addButton(ButtonCaption(id, system), RoleFor(id));
    ids[b] = id;
    if (id == r.DefaultButton) def = b;
    if (id == IDCANCEL || (r.Buttons.size() == 1)) escape = b;
  }
  if (def) box.setDefaultButton(static_cast<QPushButton*>(def));
  if (escape) box.setEscapeButton(escape);
  ExecAbove(box);
  auto it = ids.find(box.clickedButton());
  if (it != ids.end()) return it->second;
  // Closed from the title bar: the answer Cancel would give, else the only button.
  for (int id : r.Buttons)
    if (id == IDCANCEL) return IDCANCEL;
  return r.Buttons.size() == 1 ? r.Buttons[0] : IDCANCEL;
}

bool QtUiService::InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
  QInputDialog dlg(OwnerWidget(nullptr));
  dlg.setWindowTitle(AnsiToQString(caption));
  dlg.setLabelText(Text(prompt));
  dlg.setTextValue(AnsiToQString(value));
  dlg.setOkButtonText(QString::fromUtf8("ОК"));
  dlg.setCancelButtonText(QString::fromUtf8("Отмена"));
  if (ExecAbove(dlg) != QDialog::Accepted) return false;
  value = QStringToAnsi(dlg.textValue());
  return true;
}

bool QtUiService::FileDialog(TFileDialogRequest& r) {
  QFileDialog dlg(OwnerWidget(r.Owner));
  dlg.setOption(QFileDialog::DontUseNativeDialog, true);
  dlg.setOption(QFileDialog::HideNameFilterDetails, true);
  dlg.setAcceptMode(r.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (!r.Save)
    dlg.setFileMode(r.Options.Contains(ofAllowMultiSelect) ? QFileDialog::ExistingFiles
                    : r.Options.Contains(ofFileMustExist)  ? QFileDialog::ExistingFile
                                                           : QFileDialog::AnyFile);
  // The program asks about overwriting itself where it wants to.
  dlg.setOption(QFileDialog::DontConfirmOverwrite, !r.Options.Contains(ofOverwritePrompt));
  if (!r.Title.empty()) dlg.setWindowTitle(AnsiToQString(r.Title));
  QStringList filters = NameFilters(r.Filter);
  const std::vector<TFileFilter> parsed = ParseFilter(r.Filter);
  const bool anyPrograms =
      std::any_of(parsed.begin(), parsed.end(), [](const TFileFilter& f) { return PatternListsPrograms(f.Pattern); });
  if (!anyPrograms) dlg.setProxyModel(new RussianFilesProxy(&dlg));
  if (!filters.isEmpty()) {
    dlg.setNameFilters(filters);
    int index = r.FilterIndex >= 1 && r.FilterIndex <= filters.size() ? r.FilterIndex - 1 : 0;
    dlg.selectNameFilter(filters[index]);
    if (anyPrograms) {
      auto* programs = new ProgramsProxy(&dlg);
      dlg.setProxyModel(programs);
      programs->Choose(&parsed[size_t(index)]);
      QObject::connect(&dlg, &QFileDialog::filterSelected, programs, [programs, &filters, &parsed](const QString& f) {
        const int chosen = FilterIndexOf(filters, f);
        programs->Choose(chosen >= 0 ? &parsed[size_t(chosen)] : nullptr);
      });
    }
  }
  std::string dir = r.InitialDir;
  std::string name = r.FileName;
  if (!name.empty() && name.find('/') != std::string::npos) {
    if (dir.empty()) dir = ExtractFilePath(name);
    name = ExtractFileName(name);
  }
  if (!dir.empty() && DirectoryExists(dir)) dlg.setDirectory(FileNameToQ(dir));
  if (!name.empty()) dlg.selectFile(FileNameToQ(name));
  QCheckBox* readOnly = nullptr;
  if (!r.Save && !r.Options.Contains(ofHideReadOnly)) {
    if (auto* grid = qobject_cast<QGridLayout*>(dlg.layout())) {
      readOnly = new QCheckBox(QString::fromUtf8("Только для &чтения"), &dlg);
      readOnly->setChecked(r.Options.Contains(ofReadOnly));
      grid->addWidget(readOnly, grid->rowCount(), 0, 1, grid->columnCount());
    }
  }
  if (ExecAbove(dlg) != QDialog::Accepted) return false;
  QStringList files = dlg.selectedFiles();
  if (files.isEmpty()) return false;
  int chosen = FilterIndexOf(filters, dlg.selectedNameFilter());
  // A name typed without an extension gets the chosen filter's extension
  // when the filter has exactly one, else the default extension.
  std::string ext = SaveExtension(
      chosen >= 0 && chosen < int(parsed.size()) ? parsed[size_t(chosen)].Pattern : std::string(), r.DefaultExt);
  r.ResultFiles.clear();
  r.ResultSysFiles.clear();
  for (const QString& f : files) {
    std::string sysName = f.toUtf8().toStdString();
    std::string name = AnsiFileName(sysName);
    if (r.Save && !ext.empty() && ExtractFileExt(name).empty()) {
      name += "." + ext;
      sysName += "." + ext;
    }
    r.ResultFiles.push_back(name);
    r.ResultSysFiles.push_back(sysName);
  }
  r.ResultFileName = r.ResultFiles.front();
  r.ResultFilterIndex = chosen >= 0 ? chosen + 1 : r.FilterIndex;
  r.ResultReadOnly = readOnly ? readOnly->isChecked() : r.Options.Contains(ofReadOnly);
  return true;
}

bool QtUiService::ColorDialog(TColorDialogRequest& r) {
  QColorDialog dlg(OwnerWidget(r.Owner));
  COLORREF c = ColorToRGB(r.Color);
  dlg.setCurrentColor(QColor(GetRValue(c), GetGValue(c), GetBValue(c)));
  dlg.setOption(QColorDialog::DontUseNativeDialog, true);
  if (ExecAbove(dlg) != QDialog::Accepted) return false;
  QColor q = dlg.selectedColor();
  r.Color = RGB(q.red(), q.green(), q.blue());
  return true;
}

bool QtUiService::FontDialog(TFontDialogRequest& r) {
  QFont initial(AnsiToQString(r.Name));
  int ppi = 96;
  int points = r.Height < 0 ? MulDiv(-r.Height, 72, ppi) : MulDiv(r.Height, 72, ppi);
  if (points > 0) initial.setPointSize(points);
  initial.setBold(r.Style.Contains(fsBold));
  initial.setItalic(r.Style.Contains(fsItalic));
  initial.setUnderline(r.Style.Contains(fsUnderline));
  initial.setStrikeOut(r.Style.Contains(fsStrikeOut));
  QFontDialog dlg(initial, OwnerWidget(r.Owner));
  dlg.setOption(QFontDialog::DontUseNativeDialog, true);
  if (ExecAbove(dlg) != QDialog::Accepted) return false;
  QFont f = dlg.selectedFont();
  r.Name = QStringToAnsi(QtFamilyName(f.family()));
  int size = f.pointSize() > 0 ? f.pointSize() : points;
  r.Height = -MulDiv(size, ppi, 72);
  TFontStyles st;
  if (f.bold()) st.Include(fsBold);
  if (f.italic()) st.Include(fsItalic);
  if (f.underline()) st.Include(fsUnderline);
  if (f.strikeOut()) st.Include(fsStrikeOut);
  r.Style = st;
  return true;
}

bool QtUiService::PrintDialog(TPrintDialogRequest& r) {
  // Without a printer installed the dialogs work on a PDF file.
  std::unique_ptr<QPrinter> made = MakeQtPrinter(r.PrinterName, r.OutputFileName, true);
  QPrinter& printer = *made;
  printer.setCopyCount(std::max(1, r.Copies));
  if (r.Setup) {
    QPageSetupDialog dlg(&printer, OwnerWidget(r.Owner));
    if (ExecAbove(dlg) != QDialog::Accepted) return false;
    QtChosenPageLayout() = printer.pageLayout();
  } else {
    QPrintDialog dlg(&printer, OwnerWidget(r.Owner));
    if (ExecAbove(dlg) != QDialog::Accepted) return false;
    r.Copies = printer.copyCount();
    QtChosenPageLayout() = printer.pageLayout();
  }
  bool toFile = printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
  r.OutputFileName = toFile ? QToFileName(printer.outputFileName()) : std::string();
  r.PrinterName = toFile ? std::string() : QStringToAnsi(printer.printerName());
  return true;
}

// The find and replace dialogs: QtFindDialogs.cpp.

namespace {
// The few texts of Qt's dialogs that Qt's Russian translations lack.
class TranslationGaps : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* source, const char*, int) const override {
    struct TGap {
      const char* Context;
      const char* Source;
      const char* Russian;
    };
    static const TGap gaps[] = {
        {"QAbstractFileIconProvider", "Folder", "Папка"},
        {"QAbstractFileIconProvider", "Drive", "Диск"},
        {"QAbstractFileIconProvider", "File", "Файл"},
        {"QAbstractFileIconProvider", "Unknown", "Неизвестный"},
    };
    for (const TGap& g : gaps)
      if (qstrcmp(context, g.Context) == 0 && qstrcmp(source, g.Source) == 0) return QString::fromUtf8(g.Russian);
    return QString();
  }
};
}  // namespace

QFont QtDialogFont() {
  LOGFONT lf{};
  lf.lfHeight = -11;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  SetLogFontFaceName(lf, "MS Shell Dlg");
  return QtGdiFont(lf).Font();
}

void InstallRussianDialogs() {
  static QPointer<QCoreApplication> done;
  QCoreApplication* app = QCoreApplication::instance();
  if (!app || done == app) return;
  done = app;
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  // Qt's own windows (the standard dialogs, find and replace) in the
  // program's dialog font; the menus keep the desktop's.
  QFont menu = QApplication::font("QMenu"), bar = QApplication::font("QMenuBar");
  menu.setStyleStrategy(QFont::PreferNoShaping);
  bar.setStyleStrategy(QFont::PreferNoShaping);
  QApplication::setFont(QtDialogFont());
  QApplication::setFont(menu, "QMenu");
  QApplication::setFont(bar, "QMenuBar");
  // Searched last: Qt's own translations, installed after it, come first.
  app->installTranslator(new TranslationGaps(app));
  const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const char* name : {"qtbase_ru", "qtwebengine_ru"}) {
    auto* translator = new QTranslator(app);
    if (translator->load(QString::fromLatin1(name), dir))
      app->installTranslator(translator);
    else
      delete translator;
  }
}
