// The scripted dialog service for tests: every box and dialog is answered
// from a script and recorded.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

// Records every request and answers it from a script of steps, in order.
// A request with no step left, or whose step expects another kind, is
// unexpected: OnUnexpected is called with a description (tests make it a
// failure) and the request is answered with Cancel (the last button of a
// message box, false for dialogs).
struct TUiRecord {
  TUiKind Kind;
  std::string Caption;
  std::string Text;  // message text, input prompt, dialog title
  TUiIcon Icon = TUiIcon::None;
  std::vector<int> Buttons;
  UINT Flags = 0;
  HWND Owner = nullptr;
  std::string Value;            // input box preset / file dialog file name
  int FilterIndex = 0;          // file dialogs
  TCustomForm* Form = nullptr;  // ModalForm
  int Answer = 0;               // the ID* answer, or 1/0 for true/false
};
std::string DescribeUiRecord(const TUiRecord& record);

class TScriptedUi : public IUiService {
 public:
  // One scripted step; `Answer` fills in the reply. For message boxes it
  // returns the answer; for the others it fills the request and returns
  // 1 (confirmed) or 0 (cancelled).
  struct TStep {
    TUiKind Kind;
    std::function<int(TUiRecord& record, void* request)> Answer;
    std::string Note;  // shown when it is left over or mismatched
  };

  TScriptedUi();
  ~TScriptedUi() override;

  // -- the script --
  // A message box (or message dialog) answered with `answer`; when
  // `expectedText` / `expectedCaption` are given, a different text or
  // caption is reported as unexpected (the box is still answered).
  TScriptedUi& ExpectMessage(int answer, const std::string* expectedText = nullptr,
                             const std::string* expectedCaption = nullptr);
  TScriptedUi& ExpectMessage(int answer, const std::string& expectedText, const std::string& expectedCaption) {
    return ExpectMessage(answer, &expectedText, &expectedCaption);
  }
  TScriptedUi& ExpectInput(bool ok, const std::string& value = std::string());
  // A file dialog (open when save is false): confirmed with `fileName`, or
  // cancelled when fileName is empty.
  TScriptedUi& ExpectFileDialog(bool save, const std::string& fileName, bool readOnly = false);
  // A file dialog confirmed with a name as the system has it (UTF-8).
  TScriptedUi& ExpectFileDialogSysName(bool save, const std::string& sysName);
  TScriptedUi& ExpectColor(bool ok, TColor color = clBlack);
  TScriptedUi& ExpectFont(bool ok, const std::string& name = std::string(), int height = 0);
  TScriptedUi& ExpectPrint(bool ok, bool setup = false);
  // A print dialog confirmed with printing to this file.
  TScriptedUi& ExpectPrintToFile(const std::string& fileName);
  // A form entering ShowModal; `play` acts on it (it must leave a
  // ModalResult, or the loop ends it with mrCancel).
  TScriptedUi& ExpectModalForm(std::function<void(TCustomForm*)> play);
  // Any step.
  TScriptedUi& Expect(TStep step);

  // -- results --
  const std::vector<TUiRecord>& History() const { return FHistory; }
  // Steps not played yet.
  int Remaining() const { return static_cast<int>(FSteps.size()); }
  std::string RemainingDescription() const;
  int UnexpectedCount() const { return FUnexpected; }
  void Clear();

  std::function<void(const std::string& what)> OnUnexpected;

  // -- IUiService --
  int MessageBox(TUiKind kind, const TMessageRequest& request) override;
  bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) override;
  bool FileDialog(TFileDialogRequest& request) override;
  bool ColorDialog(TColorDialogRequest& request) override;
  bool FontDialog(TFontDialogRequest& request) override;
  bool PrintDialog(TPrintDialogRequest& request) override;
  void ShowFindDialog(TFindDialog* dialog) override;
  void CloseFindDialog(TFindDialog* dialog) override;
  void ModalFormShown(TCustomForm* form) override;

 private:
  int Play(TUiRecord& record, void* request, int cancelAnswer);
  void Unexpected(const std::string& what);

  std::deque<TStep> FSteps;
  std::vector<TUiRecord> FHistory;
  int FUnexpected = 0;
};
