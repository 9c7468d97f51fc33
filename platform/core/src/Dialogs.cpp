#include "platform/Dialogs.h"

#include <cstdio>

#include "platform/CodePage.h"
#include "platform/Forms.h"
#include "platform/Printers.h"
#include "platform/SysUtils.h"

// ---- box helpers ----
TUiIcon MessageBoxIcon(UINT flags) {
  switch (flags & MB_ICONMASK) {
    case MB_ICONHAND: return TUiIcon::Error;
    case MB_ICONQUESTION: return TUiIcon::Question;
    case MB_ICONEXCLAMATION: return TUiIcon::Warning;
    case MB_ICONASTERISK: return TUiIcon::Information;
    default: return TUiIcon::None;
  }
}

std::vector<int> MessageBoxButtons(UINT flags) {
  switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
  }
}

const char* ButtonName(int answer) {
  switch (answer) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDABORT: return "Abort";
    case IDRETRY: return "Retry";
    case IDIGNORE: return "Ignore";
    case IDYES: return "Yes";
    case IDNO: return "No";
    case mrAll: return "All";
    case mrNoToAll: return "No to All";
    case mrYesToAll: return "Yes to All";
    default: return "?";
  }
}

std::string NormalizeLineBreaks(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\n') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\r') ++i;
    } else if (c == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

const char* UiKindName(TUiKind kind) {
  switch (kind) {
    case TUiKind::MessageBox: return "message box";
    case TUiKind::MessageDlg: return "message dialog";
    case TUiKind::InputQuery: return "input box";
    case TUiKind::OpenDialog: return "open dialog";
    case TUiKind::SaveDialog: return "save dialog";
    case TUiKind::ColorDialog: return "colour dialog";
    case TUiKind::FontDialog: return "font dialog";
    case TUiKind::PrintDialog: return "print dialog";
    case TUiKind::PrinterSetupDialog: return "printer setup dialog";
    case TUiKind::FindDialog: return "find dialog";
    case TUiKind::ReplaceDialog: return "replace dialog";
    case TUiKind::ModalForm: return "modal form";
  }
  return "?";
}

std::vector<TFileFilter> ParseFilter(const std::string& filter) {
  std::vector<TFileFilter> out;
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= filter.size()) {
    size_t bar = filter.find('|', start);
    if (bar == std::string::npos) {
      parts.push_back(filter.substr(start));
      break;
    }
    parts.push_back(filter.substr(start, bar - start));
    start = bar + 1;
  }
  if (filter.empty()) return out;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) out.push_back({parts[i], parts[i + 1]});
  return out;
}

std::vector<std::string> SplitMasks(const std::string& pattern) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : pattern) {
    if (c == ';') {
      std::string t = Trim(cur);
      if (!t.empty()) out.push_back(t);
      cur.clear();
    } else {
      cur += c;
    }
  }
  std::string t = Trim(cur);
  if (!t.empty()) out.push_back(t);
  return out;
}

bool PatternListsPrograms(const std::string& pattern) {
  for (const std::string& mask : SplitMasks(pattern))
    if (LowerCase(mask) == "*.exe") return true;
  return false;
}

std::string SaveExtension(const std::string& pattern, const std::string& defaultExt) {
  std::vector<std::string> masks = SplitMasks(pattern);
  if (masks.size() == 1 && masks[0].size() > 2 && masks[0].compare(0, 2, "*.") == 0 &&
      masks[0].find_first_of("*?.", 2) == std::string::npos)
    return masks[0].substr(2);
  std::string ext = Trim(defaultExt);
  while (!ext.empty() && (ext[0] == '*' || ext[0] == '.')) ext.erase(0, 1);
  return ext;
}

// ---- the service ----
namespace {
IUiService* gService = nullptr;
std::string gPrinterName;
}  // namespace

void SetUiService(IUiService* service) { gService = service; }

namespace {

// Answers when no service is installed: nothing is ever confirmed, so no
// file is written or dropped on an answer nobody gave.
class TUnattendedUi : public IUiService {
 public:
  int MessageBox(TUiKind kind, const TMessageRequest& request) override {
    Report(kind, request.Caption, request.Text);
    return request.Buttons.empty() ? IDCANCEL : request.Buttons.back();
  }
  bool InputQuery(const std::string& caption, const std::string& prompt, std::string&) override {
    return Report(TUiKind::InputQuery, caption, prompt);
  }
  bool FileDialog(TFileDialogRequest& request) override {
    return Report(request.Save ? TUiKind::SaveDialog : TUiKind::OpenDialog, request.Title, request.FileName);
  }
  bool ColorDialog(TColorDialogRequest&) override { return Report(TUiKind::ColorDialog, "", ""); }
  bool FontDialog(TFontDialogRequest& request) override { return Report(TUiKind::FontDialog, "", request.Name); }
  bool PrintDialog(TPrintDialogRequest& request) override {
    return Report(request.Setup ? TUiKind::PrinterSetupDialog : TUiKind::PrintDialog, "", "");
  }
  void ShowFindDialog(TFindDialog* dialog) override {
    Report(dialog->IsReplace() ? TUiKind::ReplaceDialog : TUiKind::FindDialog, "", dialog->FindText());
  }
  void CloseFindDialog(TFindDialog*) override {}
  void ModalFormShown(TCustomForm* form) override {
    Report(TUiKind::ModalForm, form ? form->Caption() : std::string(), "");
    if (form && form->ModalResult() == mrNone) form->SetModalResult(mrCancel);
  }

 private:
  static bool Report(TUiKind kind, const std::string& caption, const std::string& text) {
    std::string what = UiKindName(kind);
    if (!caption.empty()) what += " caption \"" + caption + "\"";
    if (!text.empty()) what += " text \"" + text + "\"";
    std::fprintf(stderr, "unanswered: %s\n", what.c_str());
    return false;
  }
};

}  // namespace

IUiService& UiService() {
  if (gService) return *gService;
  static TUnattendedUi fallback;
  return fallback;
}

bool UiServiceInstalled() { return gService != nullptr; }

const std::string& SelectedPrinterName() { return gPrinterName; }
void SetSelectedPrinterName(const std::string& name) { gPrinterName = name; }

// ---- message functions ----
namespace {
HWND TopLevelOf(HWND wnd) {
  while (wnd && GetParent(wnd)) wnd = GetParent(wnd);
  return wnd;
}

HWND ShowingForm(TCustomForm* form) {
  return form && form->HandleAllocated() && IsWindowVisible(form->WindowHandle()) ? form->WindowHandle() : nullptr;
}
}  // namespace

HWND DialogOwnerWindow(HWND owner) {
  owner = TopLevelOf(owner);
  if (owner && IsWindowVisible(owner)) return owner;
  if (HWND active = ShowingForm(Screen ? Screen->ActiveForm() : nullptr)) return active;
  if (HWND main = ShowingForm(Application ? Application->MainForm() : nullptr)) return main;
  return owner;
}

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
  TMessageRequest r;
  r.Owner = DialogOwnerWindow(owner);
  r.Text = text;
  r.Caption = caption;
  r.Flags = flags;
  r.Icon = MessageBoxIcon(flags);
  r.Buttons = MessageBoxButtons(flags);
  size_t def = (flags & MB_DEFMASK) >> 8;
  r.DefaultButton = def < r.Buttons.size() ? r.Buttons[def] : r.Buttons[0];
  return UiService().MessageBox(TUiKind::MessageBox, r);
}

namespace {
std::string AppTitle() { return Application ? Application->Title() : std::string(); }
HWND ActiveOwner() { return DialogOwnerWindow(nullptr); }
}  // namespace

void RefuseUnholdableFileName(HWND owner, const std::string& sysName) {
  MessageBox(owner, UnholdableFileNameText(sysName), AppTitle(), MB_OK | MB_ICONWARNING);
}

int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx) {
  // The toolkit's Russian captions (the program's language).
  static const std::string captions[] = {Ansi("Предупреждение"), Ansi("Ошибка"), Ansi("Информация"),
                                         Ansi("Подтверждение"), std::string()};
  static const TUiIcon icons[] = {TUiIcon::Warning, TUiIcon::Error, TUiIcon::Information, TUiIcon::Question,
                                  TUiIcon::None};
  TMessageRequest r;
  r.Owner = ActiveOwner();
  r.Text = msg;
  r.Caption = type == mtCustom ? AppTitle() : captions[type];
  r.Icon = icons[type];
  static const std::pair<TMsgDlgBtn, int> order[] = {
      {mbYes, mrYes},     {mbNo, mrNo},         {mbOK, mrOk},   {mbCancel, mrCancel},   {mbAbort, mrAbort},
      {mbRetry, mrRetry}, {mbIgnore, mrIgnore}, {mbAll, mrAll}, {mbNoToAll, mrNoToAll}, {mbYesToAll, mrYesToAll}};
  for (auto& [b, id] : order)
    if (buttons.Contains(b)) r.Buttons.push_back(id);
  if (r.Buttons.empty()) r.Buttons.push_back(mrOk);
  // The default button: OK, else Yes, else the first.
  r.DefaultButton = r.Buttons[0];
  for (int id : r.Buttons)
    if (id == mrOk || id == mrYes) {
      r.DefaultButton = id;
      break;
    }
  return UiService().MessageBox(TUiKind::MessageDlg, r);
}

void ShowMessage(const std::string& msg) {
  TMessageRequest r;
  r.Owner = ActiveOwner();
  r.Text = msg;
  r.Caption = AppTitle();
  r.Buttons = {mrOk};
  r.DefaultButton = mrOk;
  UiService().MessageBox(TUiKind::MessageDlg, r);
}

std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& def) {
  std::string value = def;
  if (!UiService().InputQuery(caption, prompt, value)) return def;
  return value;
}

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
  std::string v = value;
  if (!UiService().InputQuery(caption, prompt, v)) return false;
  value = v;
  return true;
}

// ---- dialog components ----
HWND TCommonDialog::OwnerWindow() const {
  for (TComponent* c = Owner(); c; c = c->Owner())
    if (auto* form = dynamic_cast<TCustomForm*>(c))
      return DialogOwnerWindow(form->HandleAllocated() ? form->WindowHandle() : nullptr);
  return ActiveOwner();
}

TOpenDialog::TOpenDialog(TComponent* owner) : TCommonDialog(owner), FFiles(new TStringList()) {}
TOpenDialog::~TOpenDialog() = default;

bool TOpenDialog::Execute() { return DoExecute(false); }

void TOpenDialog::SetFilters(const std::vector<TFileFilter>& filters) {
  std::string s;
  for (size_t i = 0; i < filters.size(); ++i) {
    if (i) s += '|';
    s += filters[i].Caption + '|' + filters[i].Pattern;
  }
  FFilter = s;
}

bool TOpenDialog::DoExecute(bool save) {
  TFileDialogRequest r;
  r.Save = save;
  r.Owner = OwnerWindow();
  r.Title = FTitle;
  r.Filter = FFilter;
  r.FilterIndex = FFilterIndex;
  r.FileName = FFileName;
  r.InitialDir = FInitialDir;
  r.DefaultExt = FDefaultExt;
  r.Options = FOptions;
  if (OnShow) OnShow(this);
  bool ok = UiService().FileDialog(r);
  if (OnClose) OnClose(this);
  if (!ok) return false;
  for (const std::string& sysName : r.ResultSysFiles)
    if (!AnsiHoldsFileName(sysName)) {
      RefuseUnholdableFileName(r.Owner, sysName);
      return false;
    }
  FFileName = r.ResultFileName;
  FFiles->Clear();
  if (r.ResultFiles.empty())
    FFiles->Add(FFileName);
  else
    for (auto& f : r.ResultFiles) FFiles->Add(f);
  FFilterIndex = r.ResultFilterIndex;
  if (r.ResultReadOnly)
    FOptions.Include(ofReadOnly);
  else
    FOptions.Exclude(ofReadOnly);
  return true;
}

bool TColorDialog::Execute() {
  TColorDialogRequest r;
  r.Owner = OwnerWindow();
  r.Color = FColor;
  r.Options = FOptions;
  if (OnShow) OnShow(this);
  bool ok = UiService().ColorDialog(r);
  if (OnClose) OnClose(this);
  if (ok) FColor = r.Color;
  return ok;
}

TFontDialog::TFontDialog(TComponent* owner) : TCommonDialog(owner), FFont(new TFont()) {}
TFontDialog::~TFontDialog() = default;

bool TFontDialog::Execute() {
  TFontDialogRequest r;
  r.Owner = OwnerWindow();
  r.Name = FFont->Name();
  r.Height = FFont->Height();
  r.Style = FFont->Style();
  r.Color = FFont->Color();
  r.Charset = FFont->Charset();
  r.Options = FOptions;
  if (OnShow) OnShow(this);
  bool ok = UiService().FontDialog(r);
  if (OnClose) OnClose(this);
  if (!ok) return false;
  FFont->SetName(r.Name);
  FFont->SetHeight(r.Height);
  FFont->SetStyle(r.Style);
  FFont->SetColor(r.Color);
  FFont->SetCharset(r.Charset);
  return true;
}

namespace {
// Both print dialogs choose the printer, or a file to print to, for the
// program's printer object.
bool RunPrintDialog(TPrintDialogRequest& r) {
  r.PrinterName = SelectedPrinterName();
  r.OutputFileName = Printer()->OutputFileName();
  if (!UiService().PrintDialog(r)) return false;
  SetSelectedPrinterName(r.PrinterName);
  Printer()->SetOutputFileName(r.OutputFileName);
  return true;
}
}  // namespace

bool TPrintDialog::Execute() {
  TPrintDialogRequest r;
  r.Owner = OwnerWindow();
  r.Copies = FCopies;
  if (!RunPrintDialog(r)) return false;
  FCopies = r.Copies;
  return true;
}

bool TPrinterSetupDialog::Execute() {
  TPrintDialogRequest r;
  r.Owner = OwnerWindow();
  r.Setup = true;
  return RunPrintDialog(r);
}

TFindDialog::TFindDialog(TComponent* owner) : TCommonDialog(owner) {}

TFindDialog::~TFindDialog() {
  if (FShowing) {
    FShowing = false;
    UiService().CloseFindDialog(this);
  }
}

bool TFindDialog::Execute() {
  FShowing = true;
  UiService().ShowFindDialog(this);
  return true;
}

void TFindDialog::CloseDialog() {
  if (!FShowing) return;
  FShowing = false;
  UiService().CloseFindDialog(this);
}

void TFindDialog::DoFind() {
  FOptions.Include(frFindNext);
  if (OnFind) OnFind(this);
}

void TFindDialog::DoReplace() {
  if (OnReplace) OnReplace(this);
}

void TFindDialog::DoClosed() {
  FShowing = false;
  if (OnClose) OnClose(this);
}
