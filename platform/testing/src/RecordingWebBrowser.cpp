#include "platform/testing/RecordingWebBrowser.h"

#include "platform/Classes.h"

void TRecordingWebBrowserEngine::Navigate(const std::string& url) {
  Navigations.push_back(url);
  if (FBrowser) FBrowser->DoBeforeNavigate(url);
  FHistory.resize(size_t(FIndex + 1));
  FHistory.push_back(url);
  ++FIndex;
  Loaded();
}

void TRecordingWebBrowserEngine::GoBack() {
  if (FIndex <= 0) return;
  --FIndex;
  Loaded();
}

void TRecordingWebBrowserEngine::GoForward() {
  if (FIndex + 1 >= int(FHistory.size())) return;
  ++FIndex;
  Loaded();
}

void TRecordingWebBrowserEngine::Loaded() {
  if (!FBrowser) return;
  std::string url = LocationURL();
  FBrowser->DoNavigateComplete(url);
  FBrowser->DoTitleChange(url);
  FBrowser->DoCommandStateChange(CSC_NAVIGATEBACK, CanGoBack());
  FBrowser->DoCommandStateChange(CSC_NAVIGATEFORWARD, CanGoForward());
  FBrowser->DoDocumentComplete(url);
}

void TRecordingWebBrowserEngine::SaveToFile(const std::string& fileName) {
  SavedFiles.push_back(fileName);
  TReplaceFileStream f(fileName);
  if (!Source.empty()) f.WriteBuffer(Source.data(), std::int64_t(Source.size()));
  f.Commit();
}

TRecordingWebBrowserEngine* RecordingEngine(TWebBrowser* browser) {
  return browser && browser->EngineCreated() ? dynamic_cast<TRecordingWebBrowserEngine*>(browser->Engine()) : nullptr;
}
