#include "platform/testing/ScriptedUi.h"

#include "platform/Forms.h"
#include "platform/SysUtils.h"

namespace {
const char* IconName(TUiIcon icon) {
  switch (icon) {
    case TUiIcon::None: return "none";
    case TUiIcon::Error: return "error";
    case TUiIcon::Question: return "question";
    case TUiIcon::Warning: return "warning";
    case TUiIcon::Information: return "information";
  }
  return "?";
}
}  // namespace

std::string DescribeUiRecord(const TUiRecord& r) {
  std::string s = UiKindName(r.Kind);
  if (!r.Caption.empty()) s += " caption \"" + r.Caption + "\"";
  if (!r.Text.empty()) s += " text \"" + r.Text + "\"";
  if (r.Kind == TUiKind::MessageBox || r.Kind == TUiKind::MessageDlg) {
    s += std::string(" icon ") + IconName(r.Icon) + " buttons";
    for (int b : r.Buttons) s += std::string(" ") + ButtonName(b);
  }
  if (!r.Value.empty()) s += " value \"" + r.Value + "\"";
  return s;
}

TScriptedUi::TScriptedUi() = default;
TScriptedUi::~TScriptedUi() = default;

TScriptedUi& TScriptedUi::Expect(TStep step) {
  FSteps.push_back(std::move(step));
  return *this;
}

TScriptedUi& TScriptedUi::ExpectMessage(int answer, const std::string* expectedText,
                                        const std::string* expectedCaption) {
  std::string text = expectedText ? *expectedText : std::string();
  std::string caption = expectedCaption ? *expectedCaption : std::string();
  bool checkText = expectedText != nullptr;
  bool checkCaption = expectedCaption != nullptr;
  TStep step;
  step.Kind = TUiKind::MessageBox;
  step.Note = "message box answered " + std::string(ButtonName(answer)) + (checkText ? " text \"" + text + "\"" : "");
  step.Answer = [this, answer, text, caption, checkText, checkCaption](TUiRecord& r, void*) {
    if (checkText && r.Text != text)
      Unexpected("text differs: got " + DescribeUiRecord(r) + ", expected \"" + text + "\"");
    if (checkCaption && r.Caption != caption)
      Unexpected("caption differs: got " + DescribeUiRecord(r) + ", expected \"" + caption + "\"");
    bool offered = false;
    for (int b : r.Buttons) offered = offered || b == answer;
    if (!offered) Unexpected(std::string("answer ") + ButtonName(answer) + " is not offered by " + DescribeUiRecord(r));
    return answer;
  };
  return Expect(std::move(step));
}

TScriptedUi& TScriptedUi::ExpectInput(bool ok, const std::string& value) {
  TStep step;
  step.Kind = TUiKind::InputQuery;
  step.Note = ok ? "input box answered \"" + value + "\"" : "input box cancelled";
  step.Answer = [ok, value](TUiRecord&, void* request) {
    if (ok) *static_cast<std::string*>(request) = value;
    return ok ? 1 : 0;
  };
  return Expect(std::move(step));
}

TScriptedUi& TScriptedUi::ExpectFileDialog(bool save, const std::string& fileName, bool readOnly) {
  TStep step;
  step.Kind = save ? TUiKind::SaveDialog : TUiKind::OpenDialog;
  step.Note = std::string(save ? "save" : "open") + " dialog " + (fileName.empty() ? "cancelled" : "-> " + fileName);
  step.Answer = [fileName, readOnly](TUiRecord&, void* request) {
    if (fileName.empty()) return 0;
    auto* r = static_cast<TFileDialogRequest*>(request);
    r->ResultFileName = fileName;
    r->ResultFiles = {fileName};
    r->ResultSysFiles = {SysFileName(fileName)};
    r->ResultFilterIndex = r->FilterIndex;
    r->ResultReadOnly = readOnly;
    return 1;
  };
  return Expect(std::move(step));
}

TScriptedUi& TScriptedUi::ExpectFileDialogSysName(bool save, const std::string& sysName) {
  TStep step;
  step.Kind = save ? TUiKind::SaveDialog : TUiKind::OpenDialog;
  step.Note = std::string(save ? "save" : "open") + " dialog -> " + sysName;
  step.Answer = [sysName](TUiRecord&, void* request) {
    auto* r = static_cast<TFileDialogRequest*>(request);
    r->ResultFileName = AnsiFileName(sysName);
    r->ResultFiles = {r->ResultFileName};
    r->ResultSysFiles = {sysName};
    r->ResultFilterIndex = r->FilterIndex;
    return 1;
  };
  return Expect(std::move(step));
}

TScriptedUi& TScriptedUi::ExpectColor(bool ok, TColor color) {
  TStep step;
  step.Kind = TUiKind::ColorDialog;
  step.Note = ok ? "colour dialog -> " + IntToStr(color) : "colour dialog cancelled";
  step.Answer = [ok, color](TUiRecord&, void* request) {
    if (ok) static_cast<TColorDialogRequest*>(request)->Color = color;
    return ok ? 1 : 0;
  };
  return Expect(std::move(step));
}

TScriptedUi& TScriptedUi::ExpectFont(bool ok, const std::string& name, int height) {
  TStep step;
  step.Kind = TUiKind::FontDialog;
  step.Note = ok ? "font dialog -> " + name : "font dialog cancelled";
  step.Answer = [ok, name, height](TUiRecord&, void* request) {
    if (ok) {
      auto* r = static_cast<TFontDialogRequest*>(request);
      if (!name.empty()) r->Name = name;
      if (height) r->Height = height;
    }
    return ok ? 1 : 0;
  };
  return Expect(std::move(step));
}

TScriptedUi& TScriptedUi::ExpectPrint(bool ok, bool setup) {
  TStep step;
  step.Kind = setup ? TUiKind::PrinterSetupDialog : TUiKind::PrintDialog;
  step.Note = std::string(setup ? "printer setup" : "print") + (ok ? " dialog confirmed" : " dialog cancelled");
  step.Answer = [ok](TUiRecord&, void*) { return ok ? 1 : 0; };
  return Expect(std::move(step));
}

TScriptedUi& TScriptedUi::ExpectPrintToFile(const std::string& fileName) {
  TStep step;
  step.Kind = TUiKind::PrintDialog;
  step.Note = "print dialog printing to " + fileName;
  step.Answer = [fileName](TUiRecord&, void* request) {
    auto* r = static_cast<TPrintDialogRequest*>(request);
    r->PrinterName.clear();
    r->OutputFileName = fileName;
    return 1;
  };
  return Expect(std::move(step));
}

TScriptedUi& TScriptedUi::ExpectModalForm(std::function<void(TCustomForm*)> play) {
  TStep step;
  step.Kind = TUiKind::ModalForm;
  step.Note = "modal form";
  step.Answer = [play](TUiRecord& r, void*) {
    if (play) play(r.Form);
    return 1;
  };
  return Expect(std::move(step));
}

std::string TScriptedUi::RemainingDescription() const {
  std::string s;
  for (auto& step : FSteps) {
    if (!s.empty()) s += "; ";
    s += step.Note;
  }
  return s;
}

void TScriptedUi::Clear() {
  FSteps.clear();
  FHistory.clear();
  FUnexpected = 0;
}

void TScriptedUi::Unexpected(const std::string& what) {
  ++FUnexpected;
  if (OnUnexpected) OnUnexpected(what);
}

int TScriptedUi::Play(TUiRecord& record, void* request, int cancelAnswer) {
  bool kindMatches = false;
  if (!FSteps.empty()) {
    TUiKind k = FSteps.front().Kind;
    kindMatches = k == record.Kind || (k == TUiKind::MessageBox && record.Kind == TUiKind::MessageDlg) ||
                  (k == TUiKind::FindDialog && record.Kind == TUiKind::ReplaceDialog);
  }
  int answer = cancelAnswer;
  if (!kindMatches) {
    Unexpected("unexpected " + DescribeUiRecord(record) +
               (FSteps.empty() ? std::string(" (script empty)") : " (next step: " + FSteps.front().Note + ")"));
  } else {
    TStep step = std::move(FSteps.front());
    FSteps.pop_front();
    answer = step.Answer ? step.Answer(record, request) : cancelAnswer;
  }
  record.Answer = answer;
  FHistory.push_back(record);
  return answer;
}

int TScriptedUi::MessageBox(TUiKind kind, const TMessageRequest& request) {
  TUiRecord r;
  r.Kind = kind;
  r.Caption = request.Caption;
  r.Text = request.Text;
  r.Icon = request.Icon;
  r.Buttons = request.Buttons;
  r.Flags = request.Flags;
  r.Owner = request.Owner;
  int cancel = request.Buttons.empty() ? IDCANCEL : request.Buttons.back();
  return Play(r, nullptr, cancel);
}

bool TScriptedUi::InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
  TUiRecord r;
  r.Kind = TUiKind::InputQuery;
  r.Caption = caption;
  r.Text = prompt;
  r.Value = value;
  return Play(r, &value, 0) != 0;
}

bool TScriptedUi::FileDialog(TFileDialogRequest& request) {
  TUiRecord r;
  r.Kind = request.Save ? TUiKind::SaveDialog : TUiKind::OpenDialog;
  r.Caption = request.Title;
  r.Value = request.FileName;
  r.FilterIndex = request.FilterIndex;
  r.Owner = request.Owner;
  return Play(r, &request, 0) != 0;
}

bool TScriptedUi::ColorDialog(TColorDialogRequest& request) {
  TUiRecord r;
  r.Kind = TUiKind::ColorDialog;
  r.Value = IntToStr(request.Color);
  return Play(r, &request, 0) != 0;
}

bool TScriptedUi::FontDialog(TFontDialogRequest& request) {
  TUiRecord r;
  r.Kind = TUiKind::FontDialog;
  r.Value = request.Name;
  return Play(r, &request, 0) != 0;
}

bool TScriptedUi::PrintDialog(TPrintDialogRequest& request) {
  TUiRecord r;
  r.Kind = request.Setup ? TUiKind::PrinterSetupDialog : TUiKind::PrintDialog;
  return Play(r, &request, 0) != 0;
}

void TScriptedUi::ShowFindDialog(TFindDialog* dialog) {
  TUiRecord r;
  r.Kind = dialog->IsReplace() ? TUiKind::ReplaceDialog : TUiKind::FindDialog;
  r.Value = dialog->FindText();
  Play(r, dialog, 0);
}

void TScriptedUi::CloseFindDialog(TFindDialog*) {}

void TScriptedUi::ModalFormShown(TCustomForm* form) {
  TUiRecord r;
  r.Kind = TUiKind::ModalForm;
  r.Caption = form ? form->Caption() : std::string();
  r.Form = form;
  Play(r, nullptr, 0);
  // A form the script left open is closed, so the test never waits.
  if (form && form->ModalResult() == mrNone) form->SetModalResult(mrCancel);
}
