#include "platform/WebBrowser.h"

#include "platform/Classes.h"

// The browser's answer to a command it cannot carry out
// (OLECMDERR_E_NOTSUPPORTED, whose system text it is).
const char* const SOleCommandNotSupported = "Trying to revoke a drop target that has not been registered";

namespace {
TWebBrowserEngineFactory& Factory() {
  static TWebBrowserEngineFactory factory;
  return factory;
}

bool NeedsDocument(int command) {
  switch (command) {
    case OLECMDID_SAVE:
    case OLECMDID_SAVEAS:
    case OLECMDID_SAVECOPYAS:
    case OLECMDID_PRINT:
    case OLECMDID_PRINTPREVIEW:
    case OLECMDID_PAGESETUP:
    case OLECMDID_PROPERTIES:
    case OLECMDID_CUT:
    case OLECMDID_COPY:
    case OLECMDID_PASTE:
    case OLECMDID_SELECTALL:
    case OLECMDID_REFRESH: return true;
    default: return false;
  }
}

bool Known(int command) {
  switch (command) {
    case OLECMDID_PRINT:
    case OLECMDID_PRINTPREVIEW:
    case OLECMDID_PROPERTIES:
    case OLECMDID_COPY:
    case OLECMDID_SELECTALL:
    case OLECMDID_REFRESH:
    case OLECMDID_STOP: return true;
    default: return false;
  }
}

// The engine of a widget set without a web engine: it never loads, so the
// document commands report that they are not supported.
class TBlankWebBrowserEngine : public IWebBrowserEngine {
 public:
  void Navigate(const std::string&) override {}
  void GoBack() override {}
  void GoForward() override {}
  void Stop() override {}
  void Refresh() override {}
  bool CanGoBack() const override { return false; }
  bool CanGoForward() const override { return false; }
  std::string LocationURL() const override { return std::string(); }
  std::string LocationName() const override { return std::string(); }
  bool Busy() const override { return false; }
  bool HasDocument() const override { return false; }
  void Print(bool) override {}
  void PrintPreview() override {}
  void ShowProperties() override {}
  void EditCommand(int) override {}
  void SaveToFile(const std::string&) override {}
};
}  // namespace

void SetWebBrowserEngineFactory(TWebBrowserEngineFactory factory) { Factory() = std::move(factory); }
const TWebBrowserEngineFactory& WebBrowserEngineFactory() { return Factory(); }

// ---------------------------------------------------------------------------
// TWebBrowser

TWebBrowser::TWebBrowser(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 300, 150);
  SetTabStop(true);
}

TWebBrowser::~TWebBrowser() { FEngine.reset(); }

IWebBrowserEngine* TWebBrowser::Engine() {
  if (!FEngine) {
    if (Factory()) FEngine = Factory()(this);
    if (!FEngine) FEngine = std::make_unique<TBlankWebBrowserEngine>();
  }
  return FEngine.get();
}

void TWebBrowser::Navigate(const std::string& url) { Engine()->Navigate(url); }
void TWebBrowser::GoBack() {
  if (!Engine()->CanGoBack()) throw EOleException("Unspecified error");
  Engine()->GoBack();
}
void TWebBrowser::GoForward() {
  if (!Engine()->CanGoForward()) throw EOleException("Unspecified error");
  Engine()->GoForward();
}
void TWebBrowser::GoHome() { Engine()->Navigate("about:blank"); }
void TWebBrowser::Stop() { Engine()->Stop(); }
void TWebBrowser::Refresh() { Engine()->Refresh(); }
std::string TWebBrowser::LocationURL() { return Engine()->LocationURL(); }
std::string TWebBrowser::LocationName() { return Engine()->LocationName(); }
bool TWebBrowser::Busy() { return Engine()->Busy(); }
bool TWebBrowser::HasDocument() { return Engine()->HasDocument(); }

void TWebBrowser::ExecWB(int command, int option) {
  IWebBrowserEngine* e = Engine();
  if (!Known(command) || (NeedsDocument(command) && !e->HasDocument())) throw EOleException(SOleCommandNotSupported);
  switch (command) {
    case OLECMDID_PRINT: e->Print(option != OLECMDEXECOPT_DONTPROMPTUSER); break;
    case OLECMDID_PRINTPREVIEW: e->PrintPreview(); break;
    case OLECMDID_PROPERTIES: e->ShowProperties(); break;
    case OLECMDID_REFRESH: e->Refresh(); break;
    case OLECMDID_STOP: e->Stop(); break;
    default: e->EditCommand(command); break;
  }
}

int TWebBrowser::QueryStatusWB(int command) {
  if (!Known(command)) return 0;
  IWebBrowserEngine* e = Engine();
  if (NeedsDocument(command) && !e->HasDocument()) return OLECMDF_SUPPORTED;
  if (command == OLECMDID_STOP && !e->Busy()) return OLECMDF_SUPPORTED;
  return OLECMDF_SUPPORTED | OLECMDF_ENABLED;
}

void TWebBrowser::SaveToFile(const std::string& fileName) {
  if (!Engine()->HasDocument()) throw EOleException(SOleCommandNotSupported);
  Engine()->SaveToFile(fileName);
}

void TWebBrowser::DoBeforeNavigate(const std::string& url) {
  if (OnBeforeNavigate2) OnBeforeNavigate2(this, url);
}
void TWebBrowser::DoNavigateComplete(const std::string& url) {
  if (OnNavigateComplete2) OnNavigateComplete2(this, url);
}
void TWebBrowser::DoDocumentComplete(const std::string& url) {
  if (OnDocumentComplete) OnDocumentComplete(this, url);
}
void TWebBrowser::DoTitleChange(const std::string& title) {
  if (OnTitleChange) OnTitleChange(this, title);
}
void TWebBrowser::DoStatusTextChange(const std::string& text) {
  if (OnStatusTextChange) OnStatusTextChange(this, text);
}
void TWebBrowser::DoCommandStateChange(int command, bool enable) {
  if (OnCommandStateChange) OnCommandStateChange(this, command, enable);
}
void TWebBrowser::DoProgressChange(int progress, int progressMax) {
  if (OnProgressChange) OnProgressChange(this, progress, progressMax);
}

void TWebBrowser::Dispatch(TMessage& msg) {
  TWinControl::Dispatch(msg);
  switch (msg.Msg) {
    case WM_SIZE:
    case CM_SHOWINGCHANGED:
      if (FEngine) FEngine->WindowChanged();
      break;
    default: break;
  }
}
