// The standard controls: edit, memo, button, check box, radio button,
// combo box, list box, label and group box.
//
// The control object holds the state (text, selection, check state,
// items, item index); its window mirrors it. The widget set gives the
// window classes "EDIT", "BUTTON", "COMBOBOX" and "LISTBOX" native widgets
// (the fake widget set a plain peer). The control pushes its state to the
// window with the Win32 messages below; the window reports the user's
// changes back to the control: first the new state (BQM_* messages), then
// the notification as CN_COMMAND (EN_CHANGE, BN_CLICKED, CBN_SELCHANGE,
// LBN_SELCHANGE, ...), which fires the events. Labels and group boxes
// paint themselves.
//
// Selection positions count a memo's line breaks as two characters
// (CR LF), as the Win32 edit control does.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/Messages.h"
#include "platform/Win32.h"

// ---- window classes ----
constexpr const char* EditWindowClass = "EDIT";
constexpr const char* ButtonWindowClass = "BUTTON";
constexpr const char* ComboBoxWindowClass = "COMBOBOX";
constexpr const char* ListBoxWindowClass = "LISTBOX";

// ---- edit styles ----
constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_UPPERCASE = 0x0008;
constexpr DWORD ES_LOWERCASE = 0x0010;
constexpr DWORD ES_PASSWORD = 0x0020;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_NOHIDESEL = 0x0100;
constexpr DWORD ES_OEMCONVERT = 0x0400;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_WANTRETURN = 0x1000;
constexpr DWORD ES_NUMBER = 0x2000;
// edit notifications
constexpr WORD EN_SETFOCUS = 0x0100;
constexpr WORD EN_KILLFOCUS = 0x0200;
constexpr WORD EN_CHANGE = 0x0300;
constexpr WORD EN_UPDATE = 0x0400;
constexpr WORD EN_MAXTEXT = 0x0501;

// ---- button styles, messages, notifications ----
constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD BS_CHECKBOX = 0x0002;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_RADIOBUTTON = 0x0004;
constexpr DWORD BS_3STATE = 0x0005;
constexpr DWORD BS_AUTO3STATE = 0x0006;
constexpr DWORD BS_GROUPBOX = 0x0007;
constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
constexpr DWORD BS_TYPEMASK = 0x000F;
constexpr DWORD BS_LEFTTEXT = 0x0020;
constexpr DWORD BS_MULTILINE = 0x2000;
constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT BM_GETSTATE = 0x00F2;
constexpr UINT BM_SETSTATE = 0x00F3;
constexpr UINT BM_SETSTYLE = 0x00F4;
constexpr UINT BM_CLICK = 0x00F5;
constexpr WPARAM BST_UNCHECKED = 0;
constexpr WPARAM BST_CHECKED = 1;
constexpr WPARAM BST_INDETERMINATE = 2;
constexpr WORD BN_CLICKED = 0;
constexpr WORD BN_DOUBLECLICKED = 5;

// ---- combo boxes ----
constexpr DWORD CBS_SIMPLE = 0x0001;
constexpr DWORD CBS_DROPDOWN = 0x0002;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
constexpr DWORD CBS_SORT = 0x0100;
constexpr UINT CB_GETEDITSEL = 0x0140;
constexpr UINT CB_LIMITTEXT = 0x0141;
constexpr UINT CB_SETEDITSEL = 0x0142;
constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_INSERTSTRING = 0x014A;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_FINDSTRING = 0x014C;
constexpr UINT CB_SELECTSTRING = 0x014D;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT CB_SHOWDROPDOWN = 0x014F;
constexpr UINT CB_SETITEMHEIGHT = 0x0153;
constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
constexpr UINT CB_SETDROPPEDWIDTH = 0x0160;
constexpr WORD CBN_SELCHANGE = 1;
constexpr WORD CBN_DBLCLK = 2;
constexpr WORD CBN_SETFOCUS = 3;
constexpr WORD CBN_KILLFOCUS = 4;
constexpr WORD CBN_EDITCHANGE = 5;
constexpr WORD CBN_EDITUPDATE = 6;
constexpr WORD CBN_DROPDOWN = 7;
constexpr WORD CBN_CLOSEUP = 8;
constexpr WORD CBN_SELENDOK = 9;
constexpr WORD CBN_SELENDCANCEL = 10;

// ---- list boxes ----
constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_SORT = 0x0002;
constexpr DWORD LBS_MULTIPLESEL = 0x0008;
constexpr DWORD LBS_EXTENDEDSEL = 0x0800;
constexpr UINT LB_ADDSTRING = 0x0180;
constexpr UINT LB_INSERTSTRING = 0x0181;
constexpr UINT LB_DELETESTRING = 0x0182;
constexpr UINT LB_RESETCONTENT = 0x0184;
constexpr UINT LB_SETSEL = 0x0185;
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_GETSEL = 0x0187;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETTEXT = 0x0189;
constexpr UINT LB_GETTEXTLEN = 0x018A;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr UINT LB_GETTOPINDEX = 0x018E;
constexpr UINT LB_SETTOPINDEX = 0x0197;
constexpr UINT LB_SETITEMHEIGHT = 0x01A0;
constexpr WORD LBN_SELCHANGE = 1;
constexpr WORD LBN_DBLCLK = 2;
constexpr WORD LBN_SELCANCEL = 3;
constexpr WORD LBN_SETFOCUS = 4;
constexpr WORD LBN_KILLFOCUS = 5;

// ---- what the windows report to their controls ----
constexpr UINT BQM_BASE = WM_APP + 0x3F00;
// wParam selection start, lParam selection length (edit, memo, combo edit).
constexpr UINT BQM_SELCHANGED = BQM_BASE + 1;
// wParam the item index the user chose (-1 none).
constexpr UINT BQM_ITEMINDEX = BQM_BASE + 2;
// wParam the check state the user gave (BST_*).
constexpr UINT BQM_CHECKSTATE = BQM_BASE + 3;
// wParam 1 dropped down, 0 closed.
constexpr UINT BQM_DROPPED = BQM_BASE + 4;
// The user undid or redid in the window: wParam 1 when an undo is possible.
constexpr UINT BQM_CANUNDO = BQM_BASE + 5;
// Sent by the control: undo in the window (native undo), result 1 when done.
constexpr UINT BQM_UNDO = BQM_BASE + 6;
// Sent by the control: alignment (wParam TAlignment) and word wrap (lParam).
constexpr UINT BQM_SETLAYOUT = BQM_BASE + 7;
// Sent by the control: scroll bars (wParam TScrollStyle).
constexpr UINT BQM_SETSCROLLBARS = BQM_BASE + 8;
// Sent by the control when its colour or its font's colour changed.
constexpr UINT BQM_SETCOLORS = BQM_BASE + 9;

// Positions in a text whose line breaks (CR LF, CR or LF) count as two
// characters (the Win32 edit control's view, "win") or as one (a native
// widget's view with "\n" breaks, "flat").
int WinToFlatPos(const std::string& winText, int winPos);
int FlatToWinPos(const std::string& winText, int flatPos);
// Every CR LF, lone CR and lone LF becomes "\n", and back as CR LF.
std::string TextToFlat(const std::string& winText);
std::string FlatToText(const std::string& flatText);

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// Scoped: the editing control's command numbers use the same names.
enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TTextLayout { tlTop, tlCenter, tlBottom };

// ---- edit ----
class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* owner);
  ~TCustomEdit() override;
  const char* ClassName() const override { return "TCustomEdit"; }

  // Text is TControl's (Text(), SetText()).
  void Clear() { SetText(std::string()); }
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int v);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);
  char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char c);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase v);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool v);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool v) { FAutoSelect = v; }
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle v);
  bool Modified() const { return FModified; }
  void SetModified(bool v) { FModified = v; }

  // -- selection (start from 0) --
  int SelStart() const { return FSelStart; }
  void SetSelStart(int v);
  int SelLength() const { return FSelLength; }
  void SetSelLength(int v);
  std::string SelText();
  // Replaces the selection (one undo step of the window).
  void SetSelText(const std::string& text);
  void SelectAll();
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  bool CanUndo() const { return FCanUndo; }
  void Undo();
  void ClearUndo();

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void Dispatch(TMessage& msg) override;
  virtual void Change();
  void DoEnter() override;
  // Sets the selection (clamped to the text) and tells the window.
  void SetSel(int start, int length);
  // The text changed under the selection (SetText, window edits): clamp.
  void TextChangedInternally();
  void ReplaceText(const std::string& newText, int newSelStart);

  int FMaxLength = 0;
  bool FReadOnly = false;
  char FPasswordChar = 0;
  TEditCharCase FCharCase = TEditCharCase::ecNormal;
  bool FHideSelection = true;
  bool FAutoSelect = true;
  TBorderStyle FBorderStyle = bsSingle;
  bool FModified = false;
  int FSelStart = 0;
  int FSelLength = 0;
  bool FCanUndo = false;
  std::string FUndoText;
  int FUndoSelStart = 0;
  bool FInWindowEdit = false;
};

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
  const char* ClassName() const override { return "TEdit"; }
};

// ---- memo ----
class TCustomMemo;
// The lines of a memo, over the memo's text.
class TMemoStrings : public TStrings {
 public:
  explicit TMemoStrings(TCustomMemo* memo) : FMemo(memo) {}
  const char* ClassName() const override { return "TMemoStrings"; }
  std::string Get(int index) const override;
  int GetCount() const override;
  void Put(int index, const std::string& s) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  // The whole text: lines joined by CR LF (no break after the last).
  std::string GetTextStr() const override;
  void SetTextStr(const std::string& text) override;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  std::vector<std::string> Split() const;
  void Join(const std::vector<std::string>& lines);
  TCustomMemo* FMemo;
};

class TCustomMemo : public TCustomEdit {
 public:
  explicit TCustomMemo(TComponent* owner);
  ~TCustomMemo() override;
  const char* ClassName() const override { return "TCustomMemo"; }
  TStrings* Lines() const { return FLines.get(); }
  void SetLines(TStrings* lines) { FLines->Assign(lines); }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle v);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool v) { FWantReturns = v; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool v) { FWantTabs = v; }
  // The caret as (column, line) from 0.
  TPoint CaretPos() const;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  std::unique_ptr<TMemoStrings> FLines;
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
  TAlignment FAlignment = taLeftJustify;
  bool FWantReturns = true;
  bool FWantTabs = false;
};

class TMemo : public TCustomMemo {
 public:
  explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}
  const char* ClassName() const override { return "TMemo"; }
};

// ---- buttons ----
class TButtonControl : public TWinControl {
 public:
  explicit TButtonControl(TComponent* owner);
  const char* ClassName() const override { return "TButtonControl"; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);

 protected:
  void CreateParams(TCreateParams& params) override;
  bool FWordWrap = false;
};

class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* owner);
  const char* ClassName() const override { return "TButton"; }
  // Sets the form's ModalResult when clicked (after OnClick).
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int v) { FModalResult = v; }
  // Enter presses the default button, Escape the cancel button.
  bool Default() const { return FDefault; }
  void SetDefault(bool v);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool v) { FCancel = v; }
  void Click() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Dispatch(TMessage& msg) override;

 private:
  int FModalResult = 0;
  bool FDefault = false;
  bool FCancel = false;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
// taLeftJustify or taRightJustify: the side the caption is on.
using TLeftRight = TAlignment;

class TCustomCheckBox : public TButtonControl {
 public:
  explicit TCustomCheckBox(TComponent* owner);
  const char* ClassName() const override { return "TCustomCheckBox"; }
  bool Checked() const { return FState == cbChecked; }
  // Fires OnClick when the state changes (as the toolkit does).
  void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState v);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool v) { FAllowGrayed = v; }
  TLeftRight Alignment() const { return FAlignment; }
  void SetAlignment(TLeftRight v);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void Dispatch(TMessage& msg) override;
  virtual void Toggle();

 private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TLeftRight FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
 public:
  explicit TCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}
  const char* ClassName() const override { return "TCheckBox"; }
};

class TRadioButton : public TButtonControl {
 public:
  explicit TRadioButton(TComponent* owner);
  const char* ClassName() const override { return "TRadioButton"; }
  bool Checked() const { return FChecked; }
  // Checking one unchecks the other radio buttons of the same parent;
  // fires OnClick when it becomes checked.
  void SetChecked(bool v);
  TLeftRight Alignment() const { return FAlignment; }
  void SetAlignment(TLeftRight v);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void Dispatch(TMessage& msg) override;

 private:
  bool FChecked = false;
  TLeftRight FAlignment = taRightJustify;
};

// ---- item lists (combo box and list box) ----
class TCustomListControl;
// The items of a combo or list box: kept here and mirrored to the window.
class TListControlItems : public TStringList {
 public:
  explicit TListControlItems(TCustomListControl* owner) : FOwner(owner) {}
  const char* ClassName() const override { return "TListControlItems"; }
  int Add(const std::string& s) override;
  int AddObject(const std::string& s, TObject* object) override;

 protected:
  void Changed() override;

 private:
  TCustomListControl* FOwner;
  bool FAppending = false;
};

class TCustomListControl : public TWinControl {
 public:
  explicit TCustomListControl(TComponent* owner);
  ~TCustomListControl() override;
  const char* ClassName() const override { return "TCustomListControl"; }
  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* items) { FItems->Assign(items); }
  int ItemIndex() const { return FItemIndex; }
  virtual void SetItemIndex(int index);
  bool Sorted() const { return FItems->Sorted(); }
  void SetSorted(bool v) { FItems->SetSorted(v); }
  void Clear() { FItems->Clear(); }
  void AddItem(const std::string& item, TObject* object) { FItems->AddObject(item, object); }

  // Called by the items after every change: mirror to the window
  // (`appended`: the change added one item at the end).
  void ItemsChanged(bool appended = false);

 protected:
  void Dispatch(TMessage& msg) override;
  // The window's messages for the list.
  virtual UINT MsgReset() const = 0;
  virtual UINT MsgAdd() const = 0;
  virtual UINT MsgSetCurSel() const = 0;
  void PushItems();
  void PushItemIndex();

  std::unique_ptr<TListControlItems> FItems;
  int FItemIndex = -1;
  int FPushedCount = 0;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox : public TCustomListControl {
 public:
  explicit TCustomComboBox(TComponent* owner);
  const char* ClassName() const override { return "TCustomComboBox"; }
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle v);
  // Choosing an item also sets Text to it.
  void SetItemIndex(int index) override;
  bool DroppedDown() const { return FDroppedDown; }
  void SetDroppedDown(bool v);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int v) { FDropDownCount = v; }
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int v);
  std::string SelText();
  void SelectAll();

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void Dispatch(TMessage& msg) override;
  UINT MsgReset() const override { return CB_RESETCONTENT; }
  UINT MsgAdd() const override { return CB_ADDSTRING; }
  UINT MsgSetCurSel() const override { return CB_SETCURSEL; }
  virtual void Change();
  virtual void Select();

 private:
  TComboBoxStyle FStyle = csDropDown;
  bool FDroppedDown = false;
  int FDropDownCount = 8;
  int FMaxLength = 0;
  int FSelStart = 0;
  int FSelLength = 0;
};

class TComboBox : public TCustomComboBox {
 public:
  explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
  const char* ClassName() const override { return "TComboBox"; }
};

class TCustomListBox : public TCustomListControl {
 public:
  explicit TCustomListBox(TComponent* owner);
  const char* ClassName() const override { return "TCustomListBox"; }
  int TopIndex() const { return FTopIndex; }
  void SetTopIndex(int v);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int v) { FItemHeight = v; }
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle v);
  // The item at a client point, -1 when none (rows of ItemHeight pixels).
  int ItemAtPos(TPoint pos, bool existing) const;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void Dispatch(TMessage& msg) override;
  UINT MsgReset() const override { return LB_RESETCONTENT; }
  UINT MsgAdd() const override { return LB_ADDSTRING; }
  UINT MsgSetCurSel() const override { return LB_SETCURSEL; }

 private:
  int FTopIndex = 0;
  int FItemHeight = 13;
  TBorderStyle FBorderStyle = bsSingle;
};

class TListBox : public TCustomListBox {
 public:
  explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
  const char* ClassName() const override { return "TListBox"; }
};

// ---- label ----
class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* owner);
  const char* ClassName() const override { return "TCustomLabel"; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout v);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool v);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* c) { FFocusControl = c; }
  // Recomputes the size from the caption and font (AutoSize).
  void AdjustBounds();

 protected:
  void Dispatch(TMessage& msg) override;
  void Paint() override;
  // DrawText of the caption with the label's flags (DT_CALCRECT measures).
  virtual void DoDrawText(TRect& rect, UINT flags);
  UINT TextFlags() const;

 private:
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
  TTextLayout FLayout = tlTop;
  bool FTransparent = false;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
 public:
  explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
  const char* ClassName() const override { return "TLabel"; }
};

// ---- group box ----
class TCustomGroupBox : public TCustomControl {
 public:
  explicit TCustomGroupBox(TComponent* owner);
  const char* ClassName() const override { return "TCustomGroupBox"; }

 protected:
  void AdjustClientRect(TRect& rect) override;
  void Dispatch(TMessage& msg) override;
  void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
 public:
  explicit TGroupBox(TComponent* owner) : TCustomGroupBox(owner) {}
  const char* ClassName() const override { return "TGroupBox"; }
};

// Draws a 3-D frame (top-left in topColor, bottom-right in bottomColor)
// of `width` pixels inside rect and shrinks rect by it.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);
