// The recording browser engine for tests. The fake widget set's scope
// installs it as the engine factory.
#pragma once

#include <string>
#include <vector>

#include "platform/WebBrowser.h"

// The recording engine: every navigation is kept and loads at once (the
// title is the address); back and forward walk the kept history; print,
// preview, properties and edit commands are kept as commands; saving
// writes `Source` (an empty file when it is empty) in the target's place
// only once it is whole.
class TRecordingWebBrowserEngine : public IWebBrowserEngine {
 public:
  explicit TRecordingWebBrowserEngine(TWebBrowser* browser) : FBrowser(browser) {}

  struct TCommand {
    int Command = 0;
    int Option = 0;  // print: 1 prompted, 2 not
  };
  std::vector<std::string> Navigations;
  std::vector<TCommand> Commands;
  std::vector<std::string> SavedFiles;
  std::string Source;

  void Navigate(const std::string& url) override;
  void GoBack() override;
  void GoForward() override;
  void Stop() override { Commands.push_back({OLECMDID_STOP, 0}); }
  void Refresh() override { Commands.push_back({OLECMDID_REFRESH, 0}); }
  bool CanGoBack() const override { return FIndex > 0; }
  bool CanGoForward() const override { return FIndex + 1 < int(FHistory.size()); }
  std::string LocationURL() const override { return FIndex >= 0 ? FHistory[size_t(FIndex)] : std::string(); }
  std::string LocationName() const override { return LocationURL(); }
  bool Busy() const override { return false; }
  bool HasDocument() const override { return FIndex >= 0; }
  void Print(bool prompt) override {
    Commands.push_back({OLECMDID_PRINT, prompt ? OLECMDEXECOPT_PROMPTUSER : OLECMDEXECOPT_DONTPROMPTUSER});
  }
  void PrintPreview() override { Commands.push_back({OLECMDID_PRINTPREVIEW, OLECMDEXECOPT_DONTPROMPTUSER}); }
  void ShowProperties() override { Commands.push_back({OLECMDID_PROPERTIES, 0}); }
  void EditCommand(int command) override { Commands.push_back({command, 0}); }
  void SaveToFile(const std::string& fileName) override;

 private:
  void Loaded();
  TWebBrowser* FBrowser;
  std::vector<std::string> FHistory;
  int FIndex = -1;
};

// The recording engine of a browser (null when it has another engine or
// none yet).
TRecordingWebBrowserEngine* RecordingEngine(TWebBrowser* browser);
