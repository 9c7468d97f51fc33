#include "platform/StdCtrls.h"

#include <algorithm>

#include "platform/Clipboard.h"
#include "platform/CodePage.h"
#include "platform/Forms.h"
#include "platform/Gdi.h"
#include "platform/SysUtils.h"
#include "platform/Win32.h"

// ---- position helpers ----
int WinToFlatPos(const std::string& winText, int winPos) {
  int flat = 0;
  int n = static_cast<int>(winText.size());
  for (int i = 0; i < n && i < winPos; ++i) {
    if (winText[static_cast<size_t>(i)] == '\r' && i + 1 < n && winText[static_cast<size_t>(i) + 1] == '\n') {
      // the pair is one flat character; a position between them is the break
      ++i;
      if (i >= winPos) {
        ++flat;
        break;
      }
    }
    ++flat;
  }
  return flat;
}

int FlatToWinPos(const std::string& winText, int flatPos) {
  int flat = 0;
  size_t i = 0;
  while (i < winText.size() && flat < flatPos) {
    if (winText[i] == '\r' && i + 1 < winText.size() && winText[i + 1] == '\n')
      i += 2;
    else
      ++i;
    ++flat;
  }
  return static_cast<int>(i);
}

std::string TextToFlat(const std::string& winText) {
  std::string out;
  out.reserve(winText.size());
  for (size_t i = 0; i < winText.size(); ++i) {
    char c = winText[i];
    if (c == '\r') {
      out += '\n';
      if (i + 1 < winText.size() && winText[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

std::string FlatToText(const std::string& flatText) {
  std::string out;
  out.reserve(flatText.size() + flatText.size() / 16);
  for (char c : flatText) {
    if (c == '\n')
      out += "\r\n";
    else
      out += c;
  }
  return out;
}

namespace {
TCustomForm* ParentFormOf(TControl* c) {
  for (; c; c = c->Parent())
    if (auto* f = dynamic_cast<TCustomForm*>(c)) return f;
  return nullptr;
}

// Splits a memo text into lines; a break at the very end adds no line.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(text.substr(start, i - start));
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
    ++i;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}
}  // namespace

// ---- TCustomEdit ----
TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetControlStyle(TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight});
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  // The window colour of its own, whatever the parent's (the default colour
  // is already clWindow, so SetColor alone would leave it following the
  // parent).
  SetColor(clWindow);
  SetParentColor(false);
}

TCustomEdit::~TCustomEdit() = default;

void TCustomEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = EditWindowClass;
  params.Style |= WS_TABSTOP | ES_AUTOHSCROLL | ES_AUTOVSCROLL;
  if (FReadOnly) params.Style |= ES_READONLY;
  if (!FHideSelection) params.Style |= ES_NOHIDESEL;
  if (FPasswordChar) params.Style |= ES_PASSWORD;
  if (FCharCase == TEditCharCase::ecUpperCase) params.Style |= ES_UPPERCASE;
  if (FCharCase == TEditCharCase::ecLowerCase) params.Style |= ES_LOWERCASE;
  if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateHandleDone() {
  TWinControl::CreateHandleDone();
  Perform(EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  Perform(EM_SETREADONLY, FReadOnly ? 1 : 0, 0);
  Perform(EM_SETPASSWORDCHAR, static_cast<unsigned char>(FPasswordChar), 0);
  SetSel(FSelStart, FSelLength);
}

void TCustomEdit::SetMaxLength(int v) {
  if (v < 0) v = 0;
  Perform(EM_LIMITTEXT, static_cast<WPARAM>(v), 0);
}

void TCustomEdit::SetReadOnly(bool v) { Perform(EM_SETREADONLY, v ? 1 : 0, 0); }

void TCustomEdit::SetPasswordChar(char c) { Perform(EM_SETPASSWORDCHAR, static_cast<unsigned char>(c), 0); }

void TCustomEdit::SetCharCase(TEditCharCase v) {
  if (FCharCase == v) return;
  FCharCase = v;
  if (v == TEditCharCase::ecUpperCase) SetText(AnsiUpperCase(Text()));
  if (v == TEditCharCase::ecLowerCase) SetText(AnsiLowerCase(Text()));
  if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool v) {
  if (FHideSelection == v) return;
  FHideSelection = v;
  if (HandleAllocated()) {
    DWORD s = WindowHandle()->Style();
    WindowHandle()->SetStyle(v ? (s & ~ES_NOHIDESEL) : (s | ES_NOHIDESEL));
  }
}

void TCustomEdit::SetBorderStyle(TBorderStyle v) {
  if (FBorderStyle == v) return;
  FBorderStyle = v;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::SetSel(int start, int length) {
  int n = static_cast<int>(Text().size());
  if (start < 0) start = 0;
  if (start > n) start = n;
  if (length < 0) {  // a backward length selects before the start
    start += length;
    length = -length;
    if (start < 0) {
      length += start;
      start = 0;
    }
  }
  if (start + length > n) length = n - start;
  Perform(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
}

void TCustomEdit::SetSelStart(int v) { SetSel(v, 0); }
void TCustomEdit::SetSelLength(int v) { SetSel(FSelStart, v); }

std::string TCustomEdit::SelText() {
  std::string t = Text();
  if (FSelStart >= static_cast<int>(t.size())) return std::string();
  return t.substr(static_cast<size_t>(FSelStart), static_cast<size_t>(FSelLength));
}

void TCustomEdit::ReplaceText(const std::string& newText, int newSelStart) {
  std::string old = Text();
  FUndoText = old;
  FUndoSelStart = FSelStart;
  FCanUndo = true;
  FInWindowEdit = true;
  try {
    SetText(newText);
  } catch (...) {
    FInWindowEdit = false;
    throw;
  }
  FInWindowEdit = false;
  FModified = true;
  SetSel(newSelStart, 0);
  Change();
}

void TCustomEdit::SetSelText(const std::string& text) {
  std::string t = Text();
  std::string ins = text;
  if (FMaxLength > 0) {
    int room = FMaxLength - (static_cast<int>(t.size()) - FSelLength);
    if (room < 0) room = 0;
    if (static_cast<int>(ins.size()) > room) ins.resize(static_cast<size_t>(room));
  }
  int start = std::min(FSelStart, static_cast<int>(t.size()));
  std::string nt = t.substr(0, static_cast<size_t>(start)) + ins +
                   t.substr(std::min(t.size(), static_cast<size_t>(start + FSelLength)));
  ReplaceText(nt, start + static_cast<int>(ins.size()));
}

void TCustomEdit::SelectAll() { SetSel(0, static_cast<int>(Text().size())); }

void TCustomEdit::ClearSelection() {
  if (FReadOnly || FSelLength == 0) return;
  SetSelText(std::string());
}

void TCustomEdit::CopyToClipboard() {
  if (FPasswordChar || FSelLength == 0) return;
  Clipboard()->SetAsText(SelText());
}

void TCustomEdit::CutToClipboard() {
  if (FPasswordChar || FSelLength == 0) return;
  CopyToClipboard();
  ClearSelection();
}

void TCustomEdit::PasteFromClipboard() {
  if (FReadOnly) return;
  std::string text = Clipboard()->AsText();
  if (!dynamic_cast<TCustomMemo*>(this)) {
    size_t br = text.find_first_of("\r\n");
    if (br != std::string::npos) text.resize(br);
  }
  if (text.empty() && FSelLength == 0) return;
  SetSelText(text);
}

void TCustomEdit::Undo() {
  if (!FCanUndo) return;
  if (HandleAllocated() && FUndoText.empty() && Perform(BQM_UNDO, 0, 0) != 0) return;
  std::string redo = Text();
  std::string undo = FUndoText;
  int sel = FUndoSelStart;
  FInWindowEdit = true;
  SetText(undo);
  FInWindowEdit = false;
  FUndoText = redo;
  FUndoSelStart = FSelStart;
  FModified = true;
  SetSel(sel, 0);
  Change();
}

void TCustomEdit::ClearUndo() {
  FCanUndo = false;
  FUndoText.clear();
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::DoEnter() {
  if (FAutoSelect && !dynamic_cast<TCustomMemo*>(this) && !ControlState().Contains(csLButtonDown)) SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::TextChangedInternally() {
  int n = static_cast<int>(Text().size());
  if (FSelStart > n) FSelStart = n;
  if (FSelStart + FSelLength > n) FSelLength = n - FSelStart;
}

void TCustomEdit::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case EM_SETSEL: {
      int n = static_cast<int>(Text().size());
      int a = static_cast<int>(static_cast<intptr_t>(msg.WParam));
      int b = static_cast<int>(msg.LParam);
      if (a == -1) {  // -1 removes the selection
        b = a = FSelStart;
      }
      if (b == -1) b = n;
      a = std::max(0, std::min(a, n));
      b = std::max(0, std::min(b, n));
      FSelStart = std::min(a, b);
      FSelLength = std::abs(b - a);
      TWinControl::Dispatch(msg);
      msg.Result = 0;
      return;
    }
    case EM_GETSEL: {
      if (msg.WParam) *reinterpret_cast<DWORD*>(msg.WParam) = static_cast<DWORD>(FSelStart);
      if (msg.LParam) *reinterpret_cast<DWORD*>(msg.LParam) = static_cast<DWORD>(FSelStart + FSelLength);
      msg.Result = static_cast<LRESULT>(
          MakeLong(static_cast<uint16_t>(FSelStart), static_cast<uint16_t>(FSelStart + FSelLength)));
      return;
    }
    case EM_REPLACESEL:
      SetSelText(msg.LParam ? reinterpret_cast<const char*>(msg.LParam) : "");
      msg.Result = 0;
      return;
    case EM_SETREADONLY:
      FReadOnly = msg.WParam != 0;
      if (HandleAllocated()) {
        DWORD s = WindowHandle()->Style();
        WindowHandle()->SetStyle(FReadOnly ? (s | ES_READONLY) : (s & ~ES_READONLY));
      }
      TWinControl::Dispatch(msg);
      msg.Result = 1;
      return;
    case EM_LIMITTEXT:
      FMaxLength = static_cast<int>(msg.WParam);
      TWinControl::Dispatch(msg);
      return;
    case EM_SETPASSWORDCHAR:
      FPasswordChar = static_cast<char>(msg.WParam);
      TWinControl::Dispatch(msg);
      return;
    case EM_GETMODIFY: msg.Result = FModified ? 1 : 0; return;
    case EM_SETMODIFY:
      FModified = msg.WParam != 0;
      msg.Result = 0;
      return;
    case EM_CANUNDO: msg.Result = FCanUndo ? 1 : 0; return;
    case EM_UNDO:
    case WM_UNDO:
      Undo();
      msg.Result = 1;
      return;
    case EM_EMPTYUNDOBUFFER: ClearUndo(); return;
    case WM_CUT: CutToClipboard(); return;
    case WM_COPY: CopyToClipboard(); return;
    case WM_PASTE: PasteFromClipboard(); return;
    case WM_CLEAR: ClearSelection(); return;
    case EM_GETLINECOUNT: {
      std::string t = Text();
      LRESULT lines = 1;
      for (size_t i = 0; i < t.size(); ++i)
        if (t[i] == '\n' || (t[i] == '\r' && (i + 1 >= t.size() || t[i + 1] != '\n'))) ++lines;
      msg.Result = lines;
      return;
    }
    case EM_LINEINDEX: {
      std::string t = Text();
      int line = static_cast<int>(static_cast<intptr_t>(msg.WParam));
      if (line < 0) {  // the caret's line
        line = 0;
        for (int i = 0; i < FSelStart && i < static_cast<int>(t.size()); ++i)
          if (t[static_cast<size_t>(i)] == '\n') ++line;
      }
      int cur = 0;
      size_t i = 0;
      while (cur < line && i < t.size()) {
        if (t[i] == '\n') ++cur;
        ++i;
      }
      msg.Result = cur == line ? static_cast<LRESULT>(i) : -1;
      return;
    }
    case EM_LINEFROMCHAR: {
      std::string t = Text();
      int pos = static_cast<int>(static_cast<intptr_t>(msg.WParam));
      if (pos < 0) pos = FSelStart;
      LRESULT line = 0;
      for (int i = 0; i < pos && i < static_cast<int>(t.size()); ++i)
        if (t[static_cast<size_t>(i)] == '\n') ++line;
      msg.Result = line;
      return;
    }
    case EM_LINELENGTH: {
      std::string t = Text();
      size_t pos = std::min(t.size(), static_cast<size_t>(msg.WParam));
      size_t start = t.rfind('\n', pos == 0 ? std::string::npos : pos - 1);
      start = (start == std::string::npos || pos == 0) ? 0 : start + 1;
      if (pos == 0) start = 0;
      size_t end = t.find_first_of("\r\n", start);
      if (end == std::string::npos) end = t.size();
      msg.Result = static_cast<LRESULT>(end - start);
      return;
    }
    case BQM_SELCHANGED:
      FSelStart = static_cast<int>(msg.WParam);
      FSelLength = static_cast<int>(msg.LParam);
      TextChangedInternally();
      return;
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
      if (auto* memo = dynamic_cast<TCustomMemo*>(this)) {
        if (memo->WantReturns()) code |= DLGC_WANTALLKEYS;
        if (memo->WantTabs()) code |= DLGC_WANTTAB;
      }
      msg.Result = code;
      return;
    }
    case BQM_CANUNDO:
      FCanUndo = msg.WParam != 0;
      if (FCanUndo) FUndoText.clear();
      return;
    case CM_TEXTCHANGED:
      TWinControl::Dispatch(msg);
      if (!FInWindowEdit) {
        // A new text puts the caret at its start and clears the undo.
        FSelStart = 0;
        FSelLength = 0;
        FModified = false;
        FCanUndo = false;
        FUndoText.clear();
        if (HandleAllocated()) {
          TMessage sel(EM_SETSEL, 0, 0);
          TWinControl::Dispatch(sel);
        }
        Change();
      }
      return;
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
      TWinControl::Dispatch(msg);
      if (HandleAllocated()) Perform(BQM_SETCOLORS, 0, 0);
      return;
    case CN_COMMAND:
      if (HiWord(msg.WParam) == EN_CHANGE) {
        FModified = true;
        TextChangedInternally();
        Change();
        return;
      }
      TWinControl::Dispatch(msg);
      return;
    default: TWinControl::Dispatch(msg);
  }
}

// ---- TCustomMemo ----
TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), FLines(new TMemoStrings(this)) {
  SetBounds(0, 0, 185, 89);
  FAutoSelect = false;
  SetControlStyle(TControlStyle{csClickEvents, csSetCaption, csDoubleClicks});
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.Style &= ~(ES_AUTOHSCROLL | WS_HSCROLL | WS_VSCROLL);
  params.Style |= ES_MULTILINE;
  if (FWantReturns) params.Style |= ES_WANTRETURN;
  if (!FWordWrap) params.Style |= ES_AUTOHSCROLL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) params.Style |= WS_VSCROLL;
  if (!FWordWrap && (FScrollBars == ssHorizontal || FScrollBars == ssBoth)) params.Style |= WS_HSCROLL;
  if (FAlignment == taCenter) params.Style |= ES_CENTER;
  if (FAlignment == taRightJustify) params.Style |= ES_RIGHT;
}

void TCustomMemo::CreateHandleDone() {
  TCustomEdit::CreateHandleDone();
  Perform(BQM_SETLAYOUT, static_cast<WPARAM>(FAlignment), FWordWrap ? 1 : 0);
  Perform(BQM_SETSCROLLBARS, static_cast<WPARAM>(FScrollBars), 0);
}

void TCustomMemo::SetScrollBars(TScrollStyle v) {
  if (FScrollBars == v) return;
  FScrollBars = v;
  Perform(BQM_SETSCROLLBARS, static_cast<WPARAM>(v), 0);
}

void TCustomMemo::SetWordWrap(bool v) {
  if (FWordWrap == v) return;
  FWordWrap = v;
  Perform(BQM_SETLAYOUT, static_cast<WPARAM>(FAlignment), v ? 1 : 0);
}

void TCustomMemo::SetAlignment(TAlignment v) {
  if (FAlignment == v) return;
  FAlignment = v;
  Perform(BQM_SETLAYOUT, static_cast<WPARAM>(v), FWordWrap ? 1 : 0);
}

TPoint TCustomMemo::CaretPos() const {
  auto* self = const_cast<TCustomMemo*>(this);
  std::string t = self->Text();
  int line = 0;
  int lineStart = 0;
  for (int i = 0; i < FSelStart && i < static_cast<int>(t.size()); ++i)
    if (t[static_cast<size_t>(i)] == '\n') {
      ++line;
      lineStart = i + 1;
    }
  return TPoint(FSelStart - lineStart, line);
}

// ---- TMemoStrings ----
std::vector<std::string> TMemoStrings::Split() const { return SplitLines(FMemo->Text()); }

void TMemoStrings::Join(const std::vector<std::string>& lines) {
  size_t total = 0;
  for (auto& l : lines) total += l.size() + 2;
  std::string text;
  text.reserve(total);
  for (auto& l : lines) {
    text += l;
    text += "\r\n";
  }
  FMemo->SetText(text);
}

std::string TMemoStrings::Get(int index) const {
  auto lines = Split();
  if (index < 0 || index >= static_cast<int>(lines.size())) Error("List index out of bounds (%d)", index);
  return lines[static_cast<size_t>(index)];
}

int TMemoStrings::GetCount() const { return static_cast<int>(Split().size()); }

void TMemoStrings::Put(int index, const std::string& s) {
  auto lines = Split();
  if (index < 0 || index >= static_cast<int>(lines.size())) Error("List index out of bounds (%d)", index);
  lines[static_cast<size_t>(index)] = s;
  Join(lines);
}

void TMemoStrings::Insert(int index, const std::string& s) {
  std::string text = FMemo->Text();
  auto lines = SplitLines(text);
  if (index < 0 || index > static_cast<int>(lines.size())) Error("List index out of bounds (%d)", index);
  if (index == static_cast<int>(lines.size())) {
    // Appending keeps the rest of the text as it stands.
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += "\r\n";
    FMemo->SetText(text + s + "\r\n");
    return;
  }
  lines.insert(lines.begin() + index, s);
  Join(lines);
}

void TMemoStrings::Delete(int index) {
  auto lines = Split();
  if (index < 0 || index >= static_cast<int>(lines.size())) Error("List index out of bounds (%d)", index);
  lines.erase(lines.begin() + index);
  Join(lines);
}

void TMemoStrings::Clear() { FMemo->SetText(std::string()); }

std::string TMemoStrings::GetTextStr() const { return FMemo->Text(); }

void TMemoStrings::SetTextStr(const std::string& text) { FMemo->SetText(text); }

void TMemoStrings::SetUpdateState(bool updating) {}

// ---- buttons ----
TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
  SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
  SetTabStop(true);
}

void TButtonControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = ButtonWindowClass;
  params.Style |= WS_TABSTOP;
  if (FWordWrap) params.Style |= BS_MULTILINE;
}

void TButtonControl::SetWordWrap(bool v) {
  if (FWordWrap == v) return;
  FWordWrap = v;
  if (HandleAllocated()) RecreateWnd();
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 75, 25); }

void TButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  params.Style = (params.Style & ~BS_TYPEMASK) | (FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::SetDefault(bool v) {
  if (FDefault == v) return;
  FDefault = v;
  if (HandleAllocated()) {
    DWORD s = WindowHandle()->Style();
    Perform(BM_SETSTYLE, (s & ~BS_TYPEMASK) | (v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 1);
  }
}

void TButton::Click() {
  if (TCustomForm* form = ParentFormOf(this)) form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

void TButton::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case CN_COMMAND:
      if (HiWord(msg.WParam) == BN_CLICKED) {
        Click();
        return;
      }
      break;
    case BM_CLICK:
      if (Enabled()) Click();
      return;
    case CM_DIALOGKEY: {
      uint16_t key = LoWord(msg.WParam);
      TShiftState shift = KeyDataToShiftState(static_cast<int32_t>(msg.LParam));
      if (!shift.Empty() || !Visible() || !Enabled()) break;
      bool focused = HandleAllocated() && GetFocus() == WindowHandle();
      TWinControl* focus = FindControl(GetFocus());
      bool active = focused || (FDefault && !dynamic_cast<TButton*>(focus));
      if ((key == VK_RETURN && active) || (key == VK_ESCAPE && FCancel)) {
        Click();
        msg.Result = 1;
        return;
      }
      break;
    }
    default: break;
  }
  TButtonControl::Dispatch(msg);
}

// ---- check box ----
TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 97, 17); }

void TCustomCheckBox::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  params.Style = (params.Style & ~BS_TYPEMASK) | (FAllowGrayed ? BS_3STATE : BS_CHECKBOX);
  if (FAlignment == taLeftJustify) params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateHandleDone() {
  TButtonControl::CreateHandleDone();
  Perform(BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCustomCheckBox::SetState(TCheckBoxState v) {
  if (FState == v) return;
  FState = v;
  Perform(BM_SETCHECK, static_cast<WPARAM>(v), 0);
  Click();
}

void TCustomCheckBox::SetAlignment(TLeftRight v) {
  if (FAlignment == v) return;
  FAlignment = v;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case CN_COMMAND:
      if (HiWord(msg.WParam) == BN_CLICKED) {
        Toggle();
        // The window may have toggled itself differently: show our state.
        Perform(BM_SETCHECK, static_cast<WPARAM>(FState), 0);
        return;
      }
      break;
    case BM_GETCHECK: msg.Result = static_cast<LRESULT>(FState); return;
    case BM_CLICK:
      if (Enabled()) Toggle();
      return;
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
      TButtonControl::Dispatch(msg);
      if (HandleAllocated()) Perform(BQM_SETCOLORS, 0, 0);
      return;
    default: break;
  }
  TButtonControl::Dispatch(msg);
}

// ---- radio button ----
TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 113, 17); }

void TRadioButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  params.Style = (params.Style & ~BS_TYPEMASK) | BS_RADIOBUTTON;
  if (FAlignment == taLeftJustify) params.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateHandleDone() {
  TButtonControl::CreateHandleDone();
  Perform(BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool v) {
  if (FChecked == v) return;
  FChecked = v;
  SetTabStop(v);
  Perform(BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!v) return;
  if (TWinControl* p = Parent()) {
    for (int i = 0; i < p->ControlCount(); ++i)
      if (auto* r = dynamic_cast<TRadioButton*>(p->Controls(i)))
        if (r != this) r->SetChecked(false);
  }
  Click();
}

void TRadioButton::SetAlignment(TLeftRight v) {
  if (FAlignment == v) return;
  FAlignment = v;
  if (HandleAllocated()) RecreateWnd();
}

void TRadioButton::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case CN_COMMAND:
      if (HiWord(msg.WParam) == BN_CLICKED) {
        SetChecked(true);
        Perform(BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
        return;
      }
      break;
    case BM_GETCHECK: msg.Result = FChecked ? BST_CHECKED : BST_UNCHECKED; return;
    case BM_CLICK:
      if (Enabled()) SetChecked(true);
      return;
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
      TButtonControl::Dispatch(msg);
      if (HandleAllocated()) Perform(BQM_SETCOLORS, 0, 0);
      return;
    default: break;
  }
  TButtonControl::Dispatch(msg);
}

// ---- item lists ----
int TListControlItems::Add(const std::string& s) { return AddObject(s, nullptr); }

int TListControlItems::AddObject(const std::string& s, TObject* object) {
  FAppending = !Sorted() && UpdateCount() == 0;
  int index;
  try {
    index = TStringList::AddObject(s, object);
  } catch (...) {
    FAppending = false;
    throw;
  }
  FAppending = false;
  return index;
}

void TListControlItems::Changed() {
  TStringList::Changed();
  // Inside BeginUpdate .. EndUpdate the window takes the items once, at the
  // end: pushing the whole list after every change made filling a list
  // quadratic (10,000 files took seconds).
  if (UpdateCount() == 0) FOwner->ItemsChanged(FAppending);
}

TCustomListControl::TCustomListControl(TComponent* owner) : TWinControl(owner), FItems(new TListControlItems(this)) {
  SetTabStop(true);
  // The window colour of its own, whatever the parent's (the default colour
  // is already clWindow, so SetColor alone would leave it following the
  // parent).
  SetColor(clWindow);
  SetParentColor(false);
}

TCustomListControl::~TCustomListControl() {
  // The items must not call back while the control goes.
  FItems->OnChange = nullptr;
}

void TCustomListControl::Dispatch(TMessage& msg) {
  TWinControl::Dispatch(msg);
  if ((msg.Msg == CM_COLORCHANGED || msg.Msg == CM_FONTCHANGED) && HandleAllocated()) Perform(BQM_SETCOLORS, 0, 0);
}

void TCustomListControl::ItemsChanged(bool appended) {
  if (FItemIndex >= FItems->Count()) FItemIndex = -1;
  if (!HandleAllocated() || (ComponentState() & csDestroying)) return;
  if (appended && FItems->Count() == FPushedCount + 1) {
    // One item added at the end: the window takes just that one.
    std::string s = FItems->Get(FPushedCount);
    Perform(MsgAdd(), 0, reinterpret_cast<LPARAM>(s.c_str()));
    ++FPushedCount;
    return;
  }
  PushItems();
}

void TCustomListControl::PushItems() {
  if (!HandleAllocated() || (ComponentState() & csDestroying)) return;
  Perform(MsgReset(), 0, 0);
  for (int i = 0; i < FItems->Count(); ++i) {
    std::string s = FItems->Get(i);
    Perform(MsgAdd(), 0, reinterpret_cast<LPARAM>(s.c_str()));
  }
  FPushedCount = FItems->Count();
  PushItemIndex();
}

void TCustomListControl::PushItemIndex() {
  if (!HandleAllocated()) return;
  Perform(MsgSetCurSel(), static_cast<WPARAM>(static_cast<intptr_t>(FItemIndex)), 0);
}

void TCustomListControl::SetItemIndex(int index) {
  if (index < -1 || index >= FItems->Count()) index = -1;
  FItemIndex = index;
  PushItemIndex();
}

// ---- combo box ----
TCustomComboBox::TCustomComboBox(TComponent* owner) : TCustomListControl(owner) {
  SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks, csFixedHeight});
  SetBounds(0, 0, 145, 21);
}

void TCustomComboBox::CreateParams(TCreateParams& params) {
  TCustomListControl::CreateParams(params);
  params.WinClassName = ComboBoxWindowClass;
  params.Style |= WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (FStyle) {
    case csSimple: params.Style |= CBS_SIMPLE; break;
    case csDropDownList:
    case csOwnerDrawFixed:
    case csOwnerDrawVariable: params.Style |= CBS_DROPDOWNLIST; break;
    default: params.Style |= CBS_DROPDOWN;
  }
}

void TCustomComboBox::CreateHandleDone() {
  TCustomListControl::CreateHandleDone();
  PushItems();
  if (FMaxLength) Perform(CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
  if (FStyle == v) return;
  FStyle = v;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomComboBox::SetItemIndex(int index) {
  TCustomListControl::SetItemIndex(index);
  std::string t = FItemIndex >= 0 ? FItems->Get(FItemIndex) : std::string();
  if (FItemIndex >= 0 || FStyle == csDropDownList) {
    if (Text() != t) SetText(t);
  }
}

void TCustomComboBox::SetDroppedDown(bool v) {
  FDroppedDown = v;
  Perform(CB_SHOWDROPDOWN, v ? 1 : 0, 0);
}

void TCustomComboBox::SetMaxLength(int v) {
  FMaxLength = std::max(0, v);
  Perform(CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

std::string TCustomComboBox::SelText() {
  std::string t = Text();
  if (FSelStart >= static_cast<int>(t.size())) return std::string();
  return t.substr(static_cast<size_t>(FSelStart), static_cast<size_t>(FSelLength));
}

void TCustomComboBox::SelectAll() {
  FSelStart = 0;
  FSelLength = static_cast<int>(Text().size());
  Perform(CB_SETEDITSEL, 0, static_cast<LPARAM>(MakeLong(0, static_cast<uint16_t>(FSelLength))));
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect)
    OnSelect(this);
  else
    Change();
}

void TCustomComboBox::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case BQM_ITEMINDEX: {
      int i = static_cast<int>(static_cast<intptr_t>(msg.WParam));
      FItemIndex = (i >= 0 && i < FItems->Count()) ? i : -1;
      return;
    }
    case BQM_SELCHANGED:
      FSelStart = static_cast<int>(msg.WParam);
      FSelLength = static_cast<int>(msg.LParam);
      return;
    case BQM_DROPPED: FDroppedDown = msg.WParam != 0; return;
    case CB_GETCURSEL: msg.Result = FItemIndex; return;
    case CB_GETCOUNT: msg.Result = FItems->Count(); return;
    case CB_GETDROPPEDSTATE: msg.Result = FDroppedDown ? 1 : 0; return;
    case CN_COMMAND:
      switch (HiWord(msg.WParam)) {
        case CBN_SELCHANGE:
          if (FItemIndex >= 0) SetText(FItems->Get(FItemIndex));
          Click();
          Select();
          return;
        case CBN_EDITCHANGE: Change(); return;
        case CBN_DBLCLK: DblClick(); return;
        case CBN_DROPDOWN:
          FDroppedDown = true;
          if (OnDropDown) OnDropDown(this);
          return;
        case CBN_CLOSEUP:
          FDroppedDown = false;
          if (OnCloseUp) OnCloseUp(this);
          return;
        default: break;
      }
      break;
    default: break;
  }
  TCustomListControl::Dispatch(msg);
}

// ---- list box ----
TCustomListBox::TCustomListBox(TComponent* owner) : TCustomListControl(owner) {
  SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 121, 97);
}

void TCustomListBox::CreateParams(TCreateParams& params) {
  TCustomListControl::CreateParams(params);
  params.WinClassName = ListBoxWindowClass;
  params.Style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY;
  if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateHandleDone() {
  TCustomListControl::CreateHandleDone();
  PushItems();
  Perform(LB_SETTOPINDEX, static_cast<WPARAM>(FTopIndex), 0);
}

void TCustomListBox::SetTopIndex(int v) {
  FTopIndex = std::max(0, std::min(v, std::max(0, FItems->Count() - 1)));
  Perform(LB_SETTOPINDEX, static_cast<WPARAM>(FTopIndex), 0);
}

void TCustomListBox::SetBorderStyle(TBorderStyle v) {
  if (FBorderStyle == v) return;
  FBorderStyle = v;
  if (HandleAllocated()) RecreateWnd();
}

int TCustomListBox::ItemAtPos(TPoint pos, bool existing) const {
  auto* self = const_cast<TCustomListBox*>(this);
  TRect r = self->ClientRect();
  if (!PtInRect(r, pos) && existing) return -1;
  int h = FItemHeight > 0 ? FItemHeight : 13;
  int index = FTopIndex + pos.Y / h;
  if (pos.Y < 0) return -1;
  if (index >= FItems->Count()) return existing ? -1 : FItems->Count();
  return index;
}

void TCustomListBox::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case BQM_ITEMINDEX: {
      int i = static_cast<int>(static_cast<intptr_t>(msg.WParam));
      FItemIndex = (i >= 0 && i < FItems->Count()) ? i : -1;
      return;
    }
    case LB_GETCURSEL: msg.Result = FItemIndex; return;
    case LB_GETCOUNT: msg.Result = FItems->Count(); return;
    case LB_GETTOPINDEX: msg.Result = FTopIndex; return;
    case CN_COMMAND:
      switch (HiWord(msg.WParam)) {
        case LBN_SELCHANGE:
          Changed();
          Click();
          return;
        case LBN_DBLCLK: DblClick(); return;
        default: break;
      }
      break;
    default: break;
  }
  TCustomListControl::Dispatch(msg);
}

// ---- label ----
TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  // A label clicks like any control (a link-like label, a copy label).
  TControlStyle style = ControlStyle();
  style.Include(csReplicatable);
  SetControlStyle(style);
  SetBounds(0, 0, 65, 17);
}

UINT TCustomLabel::TextFlags() const {
  static const UINT align[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  UINT flags = DT_EXPANDTABS | align[FAlignment];
  if (FWordWrap) flags |= DT_WORDBREAK;
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  return flags;
}

void TCustomLabel::DoDrawText(TRect& rect, UINT flags) {
  std::string text = const_cast<TCustomLabel*>(this)->Caption();
  if ((flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&"))) text = " ";
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  if (!Enabled() && !(flags & DT_CALCRECT)) {
    OffsetRect(rect, 1, 1);
    c->Font()->SetColor(clBtnHighlight);
    DrawText(c->Handle(), text.c_str(), static_cast<int>(text.size()), &rect, flags);
    OffsetRect(rect, -1, -1);
    c->Font()->SetColor(clBtnShadow);
  }
  DrawText(c->Handle(), text.c_str(), static_cast<int>(text.size()), &rect, flags);
}

void TCustomLabel::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  if (!FTransparent) {
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
  }
  c->Brush()->SetStyle(bsClear);
  UINT flags = TextFlags();
  if (FLayout != tlTop) {
    TRect calc = r;
    DoDrawText(calc, flags | DT_CALCRECT);
    int offset = r.Height() - calc.Height();
    if (FLayout == tlCenter) offset /= 2;
    OffsetRect(r, 0, offset);
  }
  DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || !WidgetsetInstalled()) return;
  if (ComponentState() & csLoading) return;
  TRect r = ClientRect();
  HDC dc = GetDC(nullptr);
  std::string text = Caption();
  if (text.empty() || (FShowAccelChar && text == "&")) text = " ";
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  UINT flags = TextFlags() | DT_CALCRECT;
  if (!FWordWrap) r.Right = r.Left + 32767;
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  int x = Left();
  if (FAlignment == taRightJustify && !FWordWrap) x = Left() + Width() - r.Width();
  if (FAlignment == taCenter && !FWordWrap) x = Left() + (Width() - r.Width()) / 2;
  SetBounds(x, Top(), r.Width(), r.Height());
}

void TCustomLabel::SetAlignment(TAlignment v) {
  if (FAlignment == v) return;
  FAlignment = v;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool v) {
  if (FAutoSize == v) return;
  FAutoSize = v;
  AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout v) {
  if (FLayout == v) return;
  FLayout = v;
  Invalidate();
}

void TCustomLabel::SetTransparent(bool v) {
  if (FTransparent == v) return;
  FTransparent = v;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool v) {
  if (FWordWrap == v) return;
  FWordWrap = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v) {
  if (FShowAccelChar == v) return;
  FShowAccelChar = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::Dispatch(TMessage& msg) {
  TGraphicControl::Dispatch(msg);
  switch (msg.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      AdjustBounds();
      Invalidate();
      break;
    default: break;
  }
}

// ---- group box ----
TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(
      TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csReplicatable});
  SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::AdjustClientRect(TRect& rect) {
  TCustomControl::AdjustClientRect(rect);
  Canvas()->Font()->Assign(Font());
  rect.Top += Canvas()->TextHeight("0");
  InflateRect(rect, -2, -2);
}

void TCustomGroupBox::Paint() {
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  int h = c->TextHeight("0");
  TRect r(0, h / 2 - 1, Width(), Height());
  c->Brush()->SetColor(Color());
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(ClientRect());
  // An etched frame.
  r.Left += 1;
  r.Top += 1;
  c->Brush()->SetColor(clBtnHighlight);
  c->FrameRect(r);
  OffsetRect(r, -1, -1);
  c->Brush()->SetColor(clBtnShadow);
  c->FrameRect(r);
  std::string text = Caption();
  if (text.empty()) return;
  TRect tr(0, 0, 0, h);
  DrawText(c->Handle(), text.c_str(), static_cast<int>(text.size()), &tr, DT_SINGLELINE | DT_CALCRECT);
  OffsetRect(tr, 8, 0);
  c->Brush()->SetColor(Color());
  c->Brush()->SetStyle(bsSolid);
  DrawText(c->Handle(), text.c_str(), static_cast<int>(text.size()), &tr, DT_SINGLELINE);
}

void TCustomGroupBox::Dispatch(TMessage& msg) {
  TCustomControl::Dispatch(msg);
  switch (msg.Msg) {
    case CM_TEXTCHANGED: Invalidate(); break;
    case CM_FONTCHANGED:
      Realign();
      Invalidate();
      break;
    default: break;
  }
}

void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
  canvas->Pen()->SetWidth(1);
  rect.Bottom -= 1;
  rect.Right -= 1;
  while (width > 0) {
    --width;
    TPoint topRight(rect.Right, rect.Top);
    TPoint bottomLeft(rect.Left, rect.Bottom);
    canvas->Pen()->SetColor(topColor);
    canvas->Polyline({bottomLeft, rect.TopLeft(), topRight});
    canvas->Pen()->SetColor(bottomColor);
    bottomLeft.X -= 1;
    canvas->Polyline({topRight, rect.BottomRight(), bottomLeft});
    InflateRect(rect, -1, -1);
  }
  rect.Bottom += 1;
  rect.Right += 1;
}
