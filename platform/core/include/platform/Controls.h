// Controls: TControl, TWinControl, TCustomControl, TGraphicControl, the
// control canvas, shift states and mouse buttons, control drag and drop,
// the Mouse object and TTimer.
//
// Messages. Perform(msg, w, l) sends a message to a control: it goes to
// WindowProc (by default the virtual WndProc), which pre-processes mouse
// and key messages and calls Dispatch. Dispatch switches on the message
// number and calls the handler of the class; a class that handles more
// messages overrides Dispatch, handles its numbers and passes everything
// else (or, from inside a handler, the message itself as "inherited") to
// the base class's Dispatch. Messages nobody handles reach DefaultHandler:
// for a TWinControl with a window that is the window's DefWindowProc.
//
// Windows. A TWinControl's window is made on demand (Handle(),
// HandleNeeded()): CreateParams fills a TCreateParams, CreateWnd calls
// CreateWindowHandle, which asks the widget set for a peer with
// Widgetset().CreateWindowPeer(this, params). A control class that needs a
// native widget sets params.WinClassName in CreateParams, and the widget
// set registers a peer factory for that name (IWidgetset::RegisterWindowClass).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Classes.h"
#include "platform/Colors.h"
#include "platform/Gdi.h"
#include "platform/Graphics.h"
#include "platform/Messages.h"
#include "platform/Types.h"
#include "platform/Widgetset.h"
#include "platform/Win32.h"

class TPopupMenu;  // Menus.h
class TWinControl;
class TControl;

enum TShiftStateElement { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateElement>;
enum TMouseButton { mbLeft, mbRight, mbMiddle };

// The shift state of a key message's key data (Alt from the context bit)
// plus the keyboard's Shift and Ctrl.
TShiftState KeyDataToShiftState(int32_t keyData);
// From a 256-byte keyboard state (GetKeyboardState).
TShiftState KeyboardStateToShiftState(const uint8_t* state);
// From the installed widget set's key state.
TShiftState KeyboardStateToShiftState();
// From the MK_* keys of a mouse message.
TShiftState KeysToShiftState(WPARAM keys);

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
// Border styles of controls and forms (TBorderStyle uses bsNone and bsSingle).
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

enum TControlStyleElement {
  csAcceptsControls,
  csCaptureMouse,
  csDesignInteractive,
  csClickEvents,
  csFramed,
  csSetCaption,
  csOpaque,
  csDoubleClicks,
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
  csNoStdEvents,
  csDisplayDragImage,
  csReflector,
  csActionClient,
  csMenuEvents,
  csNeedsBorderPaint,
  csParentBackground
};
using TControlStyle = TSet<TControlStyleElement>;
enum TControlStateElement {
  csLButtonDown,
  csClicked,
  csPalette,
  csReadingState,
  csAlignmentNeeded,
  csFocusing,
  csCreating,
  csPaintCopy,
  csCustomPaint,
  csDestroyingHandle,
  csDocking
};
using TControlState = TSet<TControlStateElement>;

enum TDragMode { dmManual, dmAutomatic };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum TDragKind { dkDrag, dkDock };

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TMouseWheelEvent =
    std::function<void(TObject* sender, TShiftState shift, int wheelDelta, TPoint mousePos, bool& handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* sender, TShiftState shift, TPoint mousePos, bool& handled)>;
using TKeyEvent = std::function<void(TObject* sender, uint16_t& key, TShiftState shift)>;
// The character is a Windows-1251 byte.
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TContextPopupEvent = std::function<void(TObject* sender, TPoint mousePos, bool& handled)>;
using TCanResizeEvent = std::function<void(TObject* sender, int& newWidth, int& newHeight, bool& resize)>;
using TDragOverEvent =
    std::function<void(TObject* sender, TObject* source, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(TObject* sender, TObject* source, int x, int y)>;
using TEndDragEvent = std::function<void(TObject* sender, TObject* target, int x, int y)>;
using TStartDragEvent = std::function<void(TObject* sender, TObject*& dragObject)>;

BQS_DECLARE_EXCEPTION(EInvalidOperation, Exception);

// The mouse: drag threshold, wheel settings, capture.
class TMouse {
 public:
  int DragThreshold = 5;
  bool DragImmediate = true;
  bool WheelPresent = true;
  int WheelScrollLines = 3;
  TPoint CursorPos() const;
  void SetCursorPos(TPoint p);
  // The window that has the mouse captured.
  HWND Capture() const;
  void SetCapture(HWND wnd);
};
extern TMouse Mouse;

// The control a graphic-control capture went to (the window capture is
// then its parent's).
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);
// The control under the mouse (gets CM_MOUSEENTER / CM_MOUSELEAVE).
TControl* MouseControl();
// The control of a window; null for utility windows.
TWinControl* FindControl(HWND wnd);
// The innermost control (graphic controls included) at a screen point.
TControl* FindDragTarget(TPoint screenPos, bool allowDisabled);

// The screen cursor (Forms.h's Screen->Cursor uses it): crDefault lets
// each control's Cursor show.
TCursor ScreenCursor();
void SetScreenCursor(TCursor cursor);

// The top-level control of a control's parent chain (a form, normally).
TWinControl* GetTopLevelParent(const TControl* control);

// Menu keys: the menus unit installs the handler that decides whether a
// key message is a shortcut of the control's popup menu or its form's menu.
using TMenuKeyHandler = std::function<bool(TWinControl* control, TMessage& msg)>;
void SetMenuKeyHandler(TMenuKeyHandler handler);
// Popup menus: the menus unit installs the handler that shows a control's
// popup menu at a screen point (returns false when it did not, e.g. the
// menu does not pop up automatically).
using TPopupMenuHandler = std::function<bool(TControl* control, TPopupMenu* menu, TPoint screenPos)>;
void SetPopupMenuHandler(TPopupMenuHandler handler);
// Hints: every mouse message of a control goes to this handler first (the
// application's hint logic).
using THintMouseHandler = std::function<void(TControl* control, TMessage& msg)>;
void SetHintMouseHandler(THintMouseHandler handler);

class TControlCanvas;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  const char* ClassName() const override { return "TControl"; }

  // -- messages --
  LRESULT Perform(UINT msg, WPARAM w = 0, LPARAM l = 0);
  // The message entry; WndProc unless replaced (subclassing).
  std::function<void(TMessage&)> WindowProc;
  virtual void WndProc(TMessage& msg);
  virtual void Dispatch(TMessage& msg);
  virtual void DefaultHandler(TMessage& msg);

  // -- parent and geometry --
  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return TRect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  virtual TRect ClientRect();
  int ClientWidth() { return ClientRect().Right; }
  int ClientHeight() { return ClientRect().Bottom; }
  void SetClientWidth(int w);
  void SetClientHeight(int h);
  void SetClientSize(int w, int h);
  // Client (0, 0) in screen coordinates.
  virtual TPoint ClientOrigin();
  TPoint ClientToScreen(TPoint p);
  TPoint ScreenToClient(TPoint p);
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign align);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors anchors);

  // -- state --
  bool Visible() const { return FVisible; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool enabled);
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool v);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* font);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool v);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& hint) { FHint = hint; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool v);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool v);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor cursor);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* menu) { FPopupMenu = menu; }
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle s) { FControlStyle = s; }
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState s) { FControlState = s; }
  TDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TDragMode m) { FDragMode = m; }
  TCursor DragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor c) { FDragCursor = c; }

  // Caption and Text are one string (Windows-1251) read and written
  // through WM_GETTEXT / WM_SETTEXT; a change sends CM_TEXTCHANGED.
  std::string GetText();
  void SetText(const std::string& text);
  std::string Caption() { return GetText(); }
  void SetCaption(const std::string& text) { SetText(text); }
  std::string Text() { return GetText(); }

  // -- painting --
  virtual void Invalidate();
  virtual void Repaint();
  virtual void Update();
  void Refresh() { Repaint(); }
  virtual void BringToFront();
  virtual void SendToBack();

  // -- mouse --
  bool MouseCapture() const;
  void SetMouseCapture(bool capture);
  // Control drag and drop.
  void BeginDrag(bool immediate, int threshold = -1);
  void EndDrag(bool drop);
  bool Dragging() const;
  virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
  virtual void DragDrop(TObject* source, int x, int y);
  virtual void DoEndDrag(TObject* target, int x, int y);
  virtual void DragCanceled();

  // Whether a wheel message was used (CM_MOUSEWHEEL).
  virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
  virtual bool DoMouseWheelDown(TShiftState shift, TPoint mousePos);
  virtual bool DoMouseWheelUp(TShiftState shift, TPoint mousePos);
  virtual void MouseWheelHandler(TMessage& msg);

  // The toolkit's persistent identity for tests and hints.
  virtual bool IsWindowed() const { return false; }

  // -- events --
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;
  TCanResizeEvent OnCanResize;
  TContextPopupEvent OnContextPopup;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TEndDragEvent OnEndDrag;
  TStartDragEvent OnStartDrag;

 protected:
  friend class TWinControl;
  friend class TControlCanvas;
  // Fires the events (virtual so a class can act first).
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void Resize();
  virtual bool CanResize(int& newWidth, int& newHeight);
  virtual void DoContextPopup(TPoint mousePos, bool& handled);
  virtual void DoStartDrag(TObject*& dragObject);
  virtual void Changed();
  // Notifications of property changes (sent as CM_* messages too).
  virtual void FontChanged(TObject* sender);
  virtual void VisibleChanging() {}
  // Invalidates this control's area in its parent (graphic controls).
  void InvalidateControl(bool isVisible, bool isOpaque);
  void RequestAlign();
  // The device context a control canvas uses (graphic controls: the
  // parent's, moved and clipped to the control).
  virtual HDC GetDeviceContext(HWND& wnd);

  // Message handlers of TControl.
  void WMLButtonDown(TMessage& m);
  void WMLButtonUp(TMessage& m);
  void WMLButtonDblClk(TMessage& m);
  void WMRButtonDown(TMessage& m);
  void WMRButtonUp(TMessage& m);
  void WMRButtonDblClk(TMessage& m);
  void WMMButtonDown(TMessage& m);
  void WMMButtonUp(TMessage& m);
  void WMMButtonDblClk(TMessage& m);
  void WMMouseMove(TMessage& m);
  void WMMouseWheel(TMessage& m);
  void WMCancelMode(TMessage& m);
  void WMContextMenu(TMessage& m);
  void CMMouseWheel(TMessage& m);
  void CMMouseEnter(TMessage& m);
  void CMMouseLeave(TMessage& m);
  void CMEnabledChanged(TMessage& m);
  void CMVisibleChanged(TMessage& m);
  void CMFontChanged(TMessage& m);
  void CMColorChanged(TMessage& m);
  void CMParentFontChanged(TMessage& m);
  void CMParentColorChanged(TMessage& m);
  void CMParentShowHintChanged(TMessage& m);
  void CMHitTest(TMessage& m);
  void CMDrag(TMessage& m);

  // Takes bounds the window already has, without side effects.
  void SetBoundsFields(const TRect& r) {
    FLeft = r.Left;
    FTop = r.Top;
    FWidth = r.Width();
    FHeight = r.Height();
  }
  void DoMouseDown(TMessage& m, TMouseButton button, TShiftState shift);
  void DoMouseUp(TMessage& m, TMouseButton button);
  void SendCancelMode(TControl* sender);

  std::string FText;
  TControlStyle FControlStyle;
  TControlState FControlState;

 private:
  void SetParentInternal(TWinControl* p) { FParent = p; }

  TWinControl* FParent = nullptr;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  bool FVisible = true;
  bool FEnabled = true;
  TColor FColor = clWindow;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TCursor FCursor = crDefault;
  TPopupMenu* FPopupMenu = nullptr;
  TDragMode FDragMode = dmManual;
  TCursor FDragCursor = crDrag;
  int FWheelAccumulator = 0;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  const char* ClassName() const override { return "TWinControl"; }
  bool IsWindowed() const override { return true; }

  void WndProc(TMessage& msg) override;
  void Dispatch(TMessage& msg) override;
  void DefaultHandler(TMessage& msg) override;

  // -- the window --
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  // The window without creating it.
  HWND WindowHandle() const { return FHandle; }
  // Destroys and remakes the window (after a style change).
  void RecreateWnd();
  // A window (not a control) to be the parent of this top-level control.
  HWND ParentWindow() const { return FParentWindow; }
  void SetParentWindow(HWND wnd);
  // Visible with every parent, and the window made.
  bool Showing() const { return FShowing; }

  // -- children --
  int ControlCount() const { return int(FControls.size() + FWinControls.size()); }
  // Graphic controls first, then windowed ones (each in insertion order).
  TControl* Controls(int index) const;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  bool ContainsControl(TControl* control) const;
  // The child at a client point (graphic ones only unless allowWinControls).
  TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls = false);

  // -- focus and tabbing --
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool v);
  int TabOrder() const;
  void SetTabOrder(int order);
  bool Focused();
  virtual bool CanFocus();
  virtual void SetFocus();
  // The windowed children in tab order, recursively.
  void GetTabOrderList(std::vector<TWinControl*>& list);
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent);
  void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
  // The control with focus inside this top-level control (a form keeps its
  // own; a plain top-level control keeps it here).
  virtual bool SetFocusedControl(TWinControl* control);
  TWinControl* FocusedControl() const { return FFocusedControl; }

  // -- alignment --
  void DisableAlign();
  void EnableAlign();
  void Realign();
  bool AlignDisabled() const { return FAlignLevel > 0; }

  // -- painting --
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool v) { FDoubleBuffered = v; }
  TBrush* Brush() const { return FBrush.get(); }
  void PaintTo(HDC dc, int x, int y);
  void Invalidate() override;
  void Repaint() override;
  void Update() override;
  void BringToFront() override;
  void SendToBack() override;

  void SetBounds(int left, int top, int width, int height) override;
  TRect ClientRect() override;
  TPoint ClientOrigin() override;
  void SetEnabled(bool enabled) override;
  void SetParent(TWinControl* parent) override;
  void MouseWheelHandler(TMessage& msg) override;

  // -- events --
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

 protected:
  friend class TControl;
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& params);
  virtual void CreateHandle();
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  void DestroyHandle();
  // After the window was made (fonts, children windows...).
  virtual void CreateHandleDone() {}

  virtual void AlignControls(TControl* control, TRect& rect);
  virtual void AdjustClientRect(TRect& rect) {}
  void AlignControl(TControl* control);
  void UpdateShowing();
  void UpdateControlState();

  virtual void PaintWindow(HDC dc);
  void PaintHandler(TMessage& m);
  void PaintControls(HDC dc, TControl* first);

  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyUp(uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual bool DoKeyDown(TMessage& m);
  virtual bool DoKeyUp(TMessage& m);
  virtual bool DoKeyPress(TMessage& m);
  // DoKeyDown and DoKeyUp: the form's preview first, then the handler.
  bool DoKeyEvent(TMessage& m, bool (TWinControl::*formFirst)(TMessage&),
                  void (TWinControl::*handler)(uint16_t&, TShiftState));
  // A parent form's key preview: the form overrides and reports whether it
  // wants the keys first.
  virtual bool KeyPreview() const { return false; }
  virtual bool IsMenuKey(TMessage& m);
  virtual void DoEnter();
  virtual void DoExit();
  // The control to get dialog keys (the top-level control by default).
  virtual bool DialogKey(TMessage& m) { return false; }
  HDC GetDeviceContext(HWND& wnd) override;
  // Sends a message to every child (until one sets a non-zero result).
  void Broadcast(TMessage& m);
  void RemoveFocus(bool removing);

  void WMPaint(TMessage& m);
  // A graphic child under the point answers first with its own popup menu.
  void WMWinContextMenu(TMessage& m);
  void WMEraseBkgnd(TMessage& m);
  void WMSize(TMessage& m);
  void WMMove(TMessage& m);
  void WMSetFocus(TMessage& m);
  void WMKillFocus(TMessage& m);
  void WMKeyDown(TMessage& m);
  void WMSysKeyDown(TMessage& m);
  void WMKeyUp(TMessage& m);
  void WMSysKeyUp(TMessage& m);
  void WMChar(TMessage& m);
  void WMSetCursor(TMessage& m);
  void WMNCDestroy(TMessage& m);
  void WMDestroy(TMessage& m);
  void WMWindowPosChanged(TMessage& m);
  void CNKeyDown(TMessage& m);
  void CNKeyUp(TMessage& m);
  void CNChar(TMessage& m);
  void CNSysKeyDown(TMessage& m);
  void CNSysChar(TMessage& m);
  void CMEnter(TMessage& m);
  void CMExit(TMessage& m);
  void CMDialogKey(TMessage& m);
  void CMDialogChar(TMessage& m);
  void CMChildKey(TMessage& m);
  void CMFocusChanged(TMessage& m);
  void CMShowingChanged(TMessage& m);
  void CMWinEnabledChanged(TMessage& m);
  void CMWinVisibleChanged(TMessage& m);
  void CMWinColorChanged(TMessage& m);
  void CMWinFontChanged(TMessage& m);
  void CMInvalidate(TMessage& m);
  void CMTextChangedWin(TMessage& m);
  // Mouse messages for graphic children: routed to the child under the
  // mouse or the capture control; true when delivered there.
  bool IsControlMouseMsg(TMessage& m);

 private:
  friend class IWidgetset;
  void UpdateBoundsFromPeer();
  void NotifyChildren(UINT msg);
  void ApplyAnchors(TSize oldClient, TSize newClient);

  HWND FHandle = nullptr;
  HWND FParentWindow = nullptr;
  bool FShowing = false;
  std::vector<TControl*> FControls;        // graphic children
  std::vector<TWinControl*> FWinControls;  // windowed children, in tab order
  std::vector<TWinControl*> FTabList;
  bool FTabStop = false;
  TWinControl* FFocusedControl = nullptr;
  int FAlignLevel = 0;
  bool FDoubleBuffered = false;
  std::unique_ptr<TBrush> FBrush;
  TSize FLastClientSize;
  bool FHaveClientSize = false;
  bool FCreatingHandle = false;
};

// A windowed control that paints itself on its Canvas.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;
  const char* ClassName() const override { return "TCustomControl"; }
  void Dispatch(TMessage& msg) override;
  // Bound to the paint DC while WM_PAINT runs; outside it to a window DC.
  TCanvas* Canvas() const;

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;
  void WMPaintCustom(TMessage& m);

 private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

// A control without a window, painted by its parent.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  const char* ClassName() const override { return "TGraphicControl"; }
  void Dispatch(TMessage& msg) override;
  TCanvas* Canvas() const;

 protected:
  virtual void Paint() {}
  void WMPaintGraphic(TMessage& m);

 private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

// The canvas of a control: its DC on demand (released by
// FreeDeviceContexts or when the control's window goes).
class TControlCanvas : public TCanvas {
 public:
  TControlCanvas();
  ~TControlCanvas() override;
  const char* ClassName() const override { return "TControlCanvas"; }
  TControl* Control() const { return FControl; }
  void SetControl(TControl* control);
  void FreeHandle();
  void UpdateTextFlags();

 protected:
  void CreateHandle() override;

 private:
  TControl* FControl = nullptr;
  HDC FDeviceContext = nullptr;
  HWND FWindowHandle = nullptr;
};
// Releases every control canvas's cached DC (idle time).
void FreeDeviceContexts();
// Releases the cached DCs of one control (its window is going).
void FreeDeviceContext(TControl* control);

// A timer on a utility window: OnTimer every Interval ms while Enabled.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  const char* ClassName() const override { return "TTimer"; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v);
  UINT Interval() const { return FInterval; }
  void SetInterval(UINT ms);
  TNotifyEvent OnTimer;
  void SetOnTimer(TNotifyEvent e);

 protected:
  virtual void Timer();

 private:
  void UpdateTimer();
  void WndProc(TMessage& m);
  bool FEnabled = true;
  UINT FInterval = 1000;
  HWND FWindow = nullptr;
};
