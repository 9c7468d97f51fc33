// The embedded web-browser control: navigation, history, the command
// execution of the browser (print, print preview, properties...) and
// saving the shown document.
//
// The control's page is shown by an engine that the widget set supplies
// (Qt: a QWebEngineView inside the control's window). The engine is made
// when it is first needed (a navigation, a command, a query of the
// document), so windows that hold a browser cost nothing until they show
// a page. Without an engine factory (the fake widget set) the control uses
// the recording engine, which tests also install on purpose: it keeps the
// navigations and commands and answers like a browser whose pages load at
// once.
//
// Addresses are Windows-1251 strings: a URL with a scheme, or a file path
// (a Windows-style path with a drive letter or backslashes is taken with
// its separators turned into "/").
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/SysUtils.h"

// ---- command execution (ExecWB / QueryStatusWB) ----
constexpr int OLECMDID_OPEN = 1;
constexpr int OLECMDID_NEW = 2;
constexpr int OLECMDID_SAVE = 3;
constexpr int OLECMDID_SAVEAS = 4;
constexpr int OLECMDID_SAVECOPYAS = 5;
constexpr int OLECMDID_PRINT = 6;
constexpr int OLECMDID_PRINTPREVIEW = 7;
constexpr int OLECMDID_PAGESETUP = 8;
constexpr int OLECMDID_PROPERTIES = 10;
constexpr int OLECMDID_CUT = 11;
constexpr int OLECMDID_COPY = 12;
constexpr int OLECMDID_PASTE = 13;
constexpr int OLECMDID_SELECTALL = 17;
constexpr int OLECMDID_REFRESH = 22;
constexpr int OLECMDID_STOP = 23;

constexpr int OLECMDEXECOPT_DODEFAULT = 0;
constexpr int OLECMDEXECOPT_PROMPTUSER = 1;
constexpr int OLECMDEXECOPT_DONTPROMPTUSER = 2;
constexpr int OLECMDEXECOPT_SHOWHELP = 3;

// QueryStatusWB bits.
constexpr int OLECMDF_SUPPORTED = 1;
constexpr int OLECMDF_ENABLED = 2;
constexpr int OLECMDF_LATCHED = 4;
constexpr int OLECMDF_NINCHED = 8;

// OnCommandStateChange commands.
constexpr int CSC_UPDATECOMMANDS = -1;
constexpr int CSC_NAVIGATEFORWARD = 1;
constexpr int CSC_NAVIGATEBACK = 2;

// Browser failures (a command without a document, an unknown command...).
BQS_DECLARE_EXCEPTION(EOleException, Exception);
// The message of a command the browser cannot carry out (no document
// loaded, or a command it does not know).
extern const char* const SOleCommandNotSupported;

class TWebBrowser;

// The engine behind one browser control. Its events go back through the
// control's Do* entries.
class IWebBrowserEngine {
 public:
  virtual ~IWebBrowserEngine() = default;
  virtual void Navigate(const std::string& url) = 0;
  virtual void GoBack() = 0;
  virtual void GoForward() = 0;
  virtual void Stop() = 0;
  virtual void Refresh() = 0;
  virtual bool CanGoBack() const = 0;
  virtual bool CanGoForward() const = 0;
  virtual std::string LocationURL() const = 0;
  // The document's title (its address while it has none).
  virtual std::string LocationName() const = 0;
  virtual bool Busy() const = 0;
  // A document is loaded (the print and save commands need one).
  virtual bool HasDocument() const = 0;
  // Print (prompt: ask for the printer first), print preview, the page's
  // properties, copy and select-all of the page.
  virtual void Print(bool prompt) = 0;
  virtual void PrintPreview() = 0;
  virtual void ShowProperties() = 0;
  virtual void EditCommand(int command) = 0;
  // Writes the document's source to a file (the document's own bytes).
  virtual void SaveToFile(const std::string& fileName) = 0;
  // The control's window changed its size or visibility.
  virtual void WindowChanged() {}
};

using TWebBrowserEngineFactory = std::function<std::unique_ptr<IWebBrowserEngine>(TWebBrowser* browser)>;
// The widget set's engines. Without a factory a browser gets a blank engine
// that never loads a document.
void SetWebBrowserEngineFactory(TWebBrowserEngineFactory factory);
const TWebBrowserEngineFactory& WebBrowserEngineFactory();

using TWebNavigateEvent = std::function<void(TObject* sender, const std::string& url)>;
using TWebTextEvent = std::function<void(TObject* sender, const std::string& text)>;
using TWebCommandStateEvent = std::function<void(TObject* sender, int command, bool enable)>;
using TWebProgressEvent = std::function<void(TObject* sender, int progress, int progressMax)>;

class TWebBrowser : public TWinControl {
 public:
  explicit TWebBrowser(TComponent* owner);
  ~TWebBrowser() override;
  const char* ClassName() const override { return "TWebBrowser"; }

  void Navigate(const std::string& url);
  void GoBack();
  void GoForward();
  // The home page is the blank page.
  void GoHome();
  void Stop();
  void Refresh();
  std::string LocationURL();
  std::string LocationName();
  bool Busy();
  bool HasDocument();

  // The browser's command execution: print (6), print preview (7),
  // properties (10), copy (12), select all (17), refresh (22), stop (23).
  // A command that needs a document raises EOleException without one, as
  // does a command the browser does not know.
  void ExecWB(int command, int option);
  // OLECMDF_* bits of a command.
  int QueryStatusWB(int command);
  // Saves the document (EOleException without one).
  void SaveToFile(const std::string& fileName);

  // The engine, made on first use.
  IWebBrowserEngine* Engine();
  bool EngineCreated() const { return FEngine != nullptr; }

  // -- the engine reports --
  void DoBeforeNavigate(const std::string& url);
  void DoNavigateComplete(const std::string& url);
  void DoDocumentComplete(const std::string& url);
  void DoTitleChange(const std::string& title);
  void DoStatusTextChange(const std::string& text);
  void DoCommandStateChange(int command, bool enable);
  void DoProgressChange(int progress, int progressMax);

  TWebNavigateEvent OnBeforeNavigate2;
  TWebNavigateEvent OnNavigateComplete2;
  TWebNavigateEvent OnDocumentComplete;
  TWebTextEvent OnTitleChange;
  TWebTextEvent OnStatusTextChange;
  TWebCommandStateEvent OnCommandStateChange;
  TWebProgressEvent OnProgressChange;

 protected:
  void Dispatch(TMessage& msg) override;

 private:
  std::unique_ptr<IWebBrowserEngine> FEngine;
};
