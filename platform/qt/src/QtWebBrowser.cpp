// The browser control's engine on Qt: a QWebEngineView inside the
// control's window, made when the control first needs its engine. This file
// is the module libbqs-qtweb.so, loaded at the first browser control (see
// QtWebBrowserLoader.cpp); its symbols from the toolkit layer are the
// program's own.
#include <QDateTime>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTimer>
#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <cerrno>
#include <memory>

#include "platform/Classes.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/Printers.h"
#include "platform/SysUtils.h"
#include "platform/WebBrowser.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtPrinting.h"
#include "platform/qt/QtWidgetset.h"

namespace {

QString QFileName(const std::string& ansi) { return QString::fromUtf8(SysFileName(ansi).c_str()); }

// A URL with a scheme is taken as it stands (a drive letter is no scheme);
// anything else is a file path.
QUrl UrlFor(const std::string& address) {
  size_t colon = address.find(':');
  bool scheme = colon != std::string::npos && colon > 1;
  for (size_t i = 0; scheme && i < colon; ++i) {
    char c = address[i];
    scheme = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
             (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
  }
  if (scheme) return QUrl(AnsiToQString(address));
  std::string path = address;
  for (char& c : path)
    if (c == '\\') c = '/';
  if (path.size() >= 2 && path[1] == ':') path.erase(0, 2);
  return QUrl::fromLocalFile(QFileName(path));
}

class QtWebBrowserEngine : public QObject, public IWebBrowserEngine {
 public:
  explicit QtWebBrowserEngine(TWebBrowser* browser) : FBrowser(browser) {
    auto* peer = dynamic_cast<QtWindowPeer*>(browser->Handle());
    QWidget* host = peer ? peer->Client() : nullptr;
    FHost = host;
    FView = new QWebEngineView(host);
    // The program's pages are Windows-1251; a page that names no encoding
    // is read so.
    FView->settings()->setDefaultTextEncoding(QStringLiteral("windows-1251"));
    if (host) {
      FView->setGeometry(host->rect());
      host->installEventFilter(this);
    }
    FView->show();
    QWebEngineView* v = FView;
    connect(v, &QWebEngineView::loadStarted, this, [this] {
      FLoading = true;
      Guard([this] { FBrowser->DoBeforeNavigate(Location()); });
    });
    connect(v, &QWebEngineView::loadProgress, this,
            [this](int p) { Guard([this, p] { FBrowser->DoProgressChange(p, 100); }); });
    connect(v, &QWebEngineView::loadFinished, this, [this](bool) {
      FLoading = false;
      Guard([this] {
        std::string url = Location();
        FBrowser->DoNavigateComplete(url);
        CommandStates();
        FBrowser->DoDocumentComplete(url);
      });
    });
    connect(v, &QWebEngineView::titleChanged, this,
            [this](const QString& t) { Guard([this, t] { FBrowser->DoTitleChange(QStringToAnsi(t)); }); });
    connect(v->page(), &QWebEnginePage::linkHovered, this,
            [this](const QString& l) { Guard([this, l] { FBrowser->DoStatusTextChange(QStringToAnsi(l)); }); });
    connect(v, &QWebEngineView::urlChanged, this, [this](const QUrl&) { Guard([this] { CommandStates(); }); });
    // A failed page process is an error box; the program goes on.
    connect(v->page(), &QWebEnginePage::renderProcessTerminated, this,
            [](QWebEnginePage::RenderProcessTerminationStatus status, int) {
              if (status == QWebEnginePage::NormalTerminationStatus) return;
              Guard([] { throw EOleException("The web page's process ended unexpectedly"); });
            });
  }

  ~QtWebBrowserEngine() override {
    if (FHost) FHost->removeEventFilter(this);
    delete FView.data();
  }

  void Navigate(const std::string& url) override {
    if (!FView) return;
    FView->setUrl(UrlFor(url));
  }
  void GoBack() override {
    if (FView) FView->back();
  }
  void GoForward() override {
    if (FView) FView->forward();
  }
  void Stop() override {
    if (FView) FView->stop();
  }
  void Refresh() override {
    if (FView) FView->reload();
  }
  bool CanGoBack() const override { return FView && FView->history()->canGoBack(); }
  bool CanGoForward() const override { return FView && FView->history()->canGoForward(); }
  std::string LocationURL() const override { return Location(); }
  std::string LocationName() const override {
    if (!FView) return std::string();
    QString t = FView->title();
    return t.isEmpty() ? Location() : QStringToAnsi(t);
  }
  bool Busy() const override { return FLoading; }
  bool HasDocument() const override { return FView && !FView->url().isEmpty(); }

  void Print(bool prompt) override {
    if (FPrinting) throw EPrinter("Printing in progress");
    // The dialog chooses the printer or the file; without it the last choice.
    if (prompt) {
      TPrintDialog dialog(nullptr);
      if (!dialog.Execute()) return;
    }
    std::string file = Printer()->OutputFileName();
    if (!file.empty()) {
      // Printing to a file: the page's own PDF, text kept as text.
      FPrinting = true;
      QPointer<QtWebBrowserEngine> self(this);
      FView->page()->printToPdf([self, file](const QByteArray& pdf) {
        if (self) self->FPrinting = false;
        // Written as every file is, carefully; the call has returned long
        // ago, so a failure is shown here, naming the file.
        try {
          if (pdf.isEmpty()) throw EWriteError("Cannot write to file \"" + file + "\". The page could not be printed");
          TReplaceFileStream out(file);
          out.WriteBuffer(pdf.constData(), pdf.size());
          out.Commit();
        } catch (const Exception& e) {
          Application->ShowException(e);
        }
      });
      return;
    }
    FPrinter = MakePrinter(file);
    FPrinting = true;
    connect(FView, &QWebEngineView::printFinished, this, [this](bool) {
      FPrinting = false;
      disconnect(FView, &QWebEngineView::printFinished, this, nullptr);
      QTimer::singleShot(0, this, [this] { FPrinter.reset(); });
    });
    FView->print(FPrinter.get());
  }

  void PrintPreview() override {
    if (FPrinting) throw EPrinter("Printing in progress");
    // A preview needs no printer: without one it shows the PDF pages.
    std::unique_ptr<QPrinter> printer = MakeQtPrinter(SelectedPrinterName(), Printer()->OutputFileName(), true);
    QPrintPreviewDialog dialog(printer.get(), FView);
    dialog.setWindowTitle(FView->title());
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) {
      QEventLoop loop;
      auto c = connect(FView, &QWebEngineView::printFinished, &loop, &QEventLoop::quit);
      FPrinting = true;
      FView->print(p);
      loop.exec();
      FPrinting = false;
      disconnect(c);
    });
    dialog.exec();
  }

  void ShowProperties() override {
    std::string text = Ansi("Заголовок: ") + LocationName() + "\n" + Ansi("Адрес: ") + Location();
    QUrl url = FView ? FView->url() : QUrl();
    QFileInfo file(url.isLocalFile() ? url.toLocalFile() : QString());
    if (url.isLocalFile() && file.isFile()) {
      text += "\n" + Ansi("Размер: ") + std::to_string(file.size()) + Ansi(" байт");
      text += "\n" + Ansi("Изменён: ") + QStringToAnsi(file.lastModified().toString("dd.MM.yyyy hh:mm:ss"));
    }
    ::MessageBox(nullptr, text, Ansi("Свойства"), MB_OK | MB_ICONINFORMATION);
  }

  void EditCommand(int command) override {
    if (!FView) return;
    if (command == OLECMDID_COPY) FView->triggerPageAction(QWebEnginePage::Copy);
    if (command == OLECMDID_SELECTALL) FView->triggerPageAction(QWebEnginePage::SelectAll);
  }

  void SaveToFile(const std::string& fileName) override {
    QByteArray bytes;
    QUrl url = FView->url();
    if (url.isLocalFile()) {
      // The page's own bytes; a page whose file is gone (the engine's error
      // page) has none to save.
      QFile in(url.toLocalFile());
      const QFileInfo info(in);
      int error = !info.exists() ? ENOENT : info.isDir() ? EISDIR : !info.isFile() ? kErrorNotRegularFile : 0;
      if (error == 0 && !in.open(QIODevice::ReadOnly)) error = errno ? errno : EIO;
      if (error != 0)
        throw EFOpenError(
            Ansi("Не удаётся открыть файл \"") + QStringToAnsi(url.toLocalFile()) + "\".\n\r" + SysErrorReason(error),
            error);
      bytes = in.readAll();
    } else {
      // The source comes back later; an answer after the wait has ended
      // finds only the shared state.
      struct TSource {
        QByteArray Bytes;
        bool Done = false;
        QPointer<QEventLoop> Loop;
      };
      auto source = std::make_shared<TSource>();
      QEventLoop loop;
      source->Loop = &loop;
      FView->page()->toHtml([source](const QString& html) {
        source->Bytes = html.toUtf8();
        source->Done = true;
        if (source->Loop) source->Loop->quit();
      });
      QTimer::singleShot(10000, &loop, &QEventLoop::quit);
      if (!source->Done) loop.exec();
      if (!source->Done) throw EStreamError("The page's source could not be read");
      bytes = source->Bytes;
    }
    // The target is replaced only by a whole copy.
    TReplaceFileStream f(fileName);
    if (!bytes.isEmpty()) f.WriteBuffer(bytes.constData(), bytes.size());
    f.Commit();
  }

  void WindowChanged() override {
    if (FView && FHost) FView->setGeometry(FHost->rect());
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched == FHost && e->type() == QEvent::Resize) WindowChanged();
    return QObject::eventFilter(watched, e);
  }

 private:
  static void Guard(const std::function<void()>& f) { GuardEvent(f); }

  std::string Location() const { return FView ? QStringToAnsi(FView->url().toString()) : std::string(); }

  void CommandStates() {
    FBrowser->DoCommandStateChange(CSC_NAVIGATEBACK, CanGoBack());
    FBrowser->DoCommandStateChange(CSC_NAVIGATEFORWARD, CanGoForward());
  }

  // The printer the print dialogs chose, or the file the job prints to.
  static std::unique_ptr<QPrinter> MakePrinter(const std::string& file) {
    return MakeQtPrinter(SelectedPrinterName(), file, false);
  }

  TWebBrowser* FBrowser;
  QPointer<QWidget> FHost;
  QPointer<QWebEngineView> FView;
  std::unique_ptr<QPrinter> FPrinter;
  bool FLoading = false;
  bool FPrinting = false;
};

}  // namespace

// The module's one entry: the loader in QtWebBrowserLoader.cpp finds it by
// name once the module is loaded.
// Qt's application-wide shared OpenGL context (exported by Qt Gui).
void qt_gl_set_global_share_context(QOpenGLContext* context);
QOpenGLContext* qt_gl_global_share_context();

extern "C" __attribute__((visibility("default"))) IWebBrowserEngine* BqsMakeQtWebBrowserEngine(TWebBrowser* browser) {
  // The engine draws through a context shared with the application's. Qt
  // makes one at start when asked to, but the engine comes in after the
  // start, so the program makes it here, once, before the first view.
  if (!qt_gl_global_share_context()) {
    auto* context = new QOpenGLContext;
    context->setFormat(QSurfaceFormat::defaultFormat());
    context->create();
    qt_gl_set_global_share_context(context);
  }
  return new QtWebBrowserEngine(browser);
}
