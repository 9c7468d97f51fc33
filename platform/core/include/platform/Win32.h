// Window-level Win32 semantics on HWND (a TWindowPeer*): painting and
// invalidation, scrolling, caret, scroll bars, timers, keyboard state,
// capture, cursors, system metrics, posted and sent messages, focus, dropped
// files, the input-method context and the clipboard with a small
// global-memory emulation. Everything goes to the installed IWidgetset.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Gdi.h"
#include "platform/Messages.h"
#include "platform/Types.h"

// ---- window styles ----
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_MINIMIZE = 0x20000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_MAXIMIZE = 0x01000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD WS_POPUPWINDOW = WS_POPUP | WS_BORDER | WS_SYSMENU;

constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001;
constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr DWORD WS_EX_ACCEPTFILES = 0x00000010;
constexpr DWORD WS_EX_TRANSPARENT = 0x00000020;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
constexpr DWORD WS_EX_WINDOWEDGE = 0x00000100;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
constexpr DWORD WS_EX_CONTROLPARENT = 0x00010000;
constexpr DWORD WS_EX_STATICEDGE = 0x00020000;
constexpr DWORD WS_EX_APPWINDOW = 0x00040000;
constexpr DWORD WS_EX_LAYERED = 0x00080000;
constexpr DWORD WS_EX_NOACTIVATE = 0x08000000;

// class styles
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_DBLCLKS = 0x0008;
constexpr UINT CS_OWNDC = 0x0020;
constexpr UINT CS_SAVEBITS = 0x0800;

// ShowWindow
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_NORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;

// ---- painting ----
struct PAINTSTRUCT {
  HDC hdc = nullptr;
  bool fErase = false;
  TRect rcPaint;
};
using TPaintStruct = PAINTSTRUCT;

HDC GetDC(HWND wnd);  // null: the screen DC
int ReleaseDC(HWND wnd, HDC dc);
HDC BeginPaint(HWND wnd, PAINTSTRUCT* ps);
bool EndPaint(HWND wnd, const PAINTSTRUCT* ps);
bool InvalidateRect(HWND wnd, const TRect* r, bool erase);
bool InvalidateRgn(HWND wnd, HRGN rgn, bool erase);
bool ValidateRect(HWND wnd, const TRect* r);
bool GetUpdateRect(HWND wnd, TRect* r, bool erase);
bool UpdateWindow(HWND wnd);

// RedrawWindow flags
constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_INTERNALPAINT = 0x0002;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_VALIDATE = 0x0008;
constexpr UINT RDW_NOERASE = 0x0020;
constexpr UINT RDW_ALLCHILDREN = 0x0080;
constexpr UINT RDW_UPDATENOW = 0x0100;
constexpr UINT RDW_ERASENOW = 0x0200;
constexpr UINT RDW_FRAME = 0x0400;
bool RedrawWindow(HWND wnd, const TRect* r, HRGN rgn, UINT flags);

// ScrollWindowEx flags
constexpr UINT SW_SCROLLCHILDREN = 0x0001;
constexpr UINT SW_INVALIDATE = 0x0002;
constexpr UINT SW_ERASE = 0x0004;
// Moves the client pixels by (dx, dy) and invalidates the uncovered area.
bool ScrollWindow(HWND wnd, int dx, int dy, const TRect* scroll, const TRect* clip);
int ScrollWindowEx(HWND wnd, int dx, int dy, const TRect* scroll, const TRect* clip, HRGN update, TRect* updateRect,
                   UINT flags);

// ---- geometry ----
bool GetClientRect(HWND wnd, TRect* r);
// Window rectangle in screen coordinates.
bool GetWindowRect(HWND wnd, TRect* r);
bool ClientToScreen(HWND wnd, TPoint* p);
bool ScreenToClient(HWND wnd, TPoint* p);
int MapWindowPoints(HWND from, HWND to, TPoint* pts, int count);
bool MoveWindow(HWND wnd, int x, int y, int w, int h, bool repaint);
bool ShowWindow(HWND wnd, int cmd);
// The window's region (window coordinates); the window owns the region
// from here on (null: the whole window again). Returns 0 on failure.
int SetWindowRgn(HWND wnd, HRGN rgn, bool redraw);
bool IsWindow(HWND wnd);
bool IsWindowVisible(HWND wnd);
bool IsWindowEnabled(HWND wnd);
bool EnableWindow(HWND wnd, bool enable);
HWND GetParent(HWND wnd);
bool SetWindowText(HWND wnd, const std::string& text);
std::string GetWindowTextString(HWND wnd);
bool DestroyWindow(HWND wnd);

// ---- caret (one per program) ----
// bitmap null: a solid caret; (HBITMAP)1: a grey caret.
bool CreateCaret(HWND wnd, HBITMAP bitmap, int width, int height);
bool DestroyCaret();
bool SetCaretPos(int x, int y);
bool GetCaretPos(TPoint* p);
// A new caret starts hidden; ShowCaret and HideCaret keep a hide count
// (shown at 0). Both fail for a window that does not own the caret (null =
// the owner).
bool ShowCaret(HWND wnd);
bool HideCaret(HWND wnd);
UINT GetCaretBlinkTime();
bool SetCaretBlinkTime(UINT ms);

// ---- scroll bars ----
struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};
using TScrollInfo = SCROLLINFO;

// Returns the new position. nPage is limited to nMax - nMin + 1 and nPos to
// [nMin, nMax - max(nPage - 1, 0)]. Without SIF_DISABLENOSCROLL a bar whose
// range is empty or fits in one page is hidden, otherwise shown; with it the
// bar stays and is disabled instead.
int SetScrollInfo(HWND wnd, int bar, const SCROLLINFO* si, bool redraw);
bool GetScrollInfo(HWND wnd, int bar, SCROLLINFO* si);
int SetScrollPos(HWND wnd, int bar, int pos, bool redraw);
int GetScrollPos(HWND wnd, int bar);
bool SetScrollRange(HWND wnd, int bar, int minPos, int maxPos, bool redraw);
bool GetScrollRange(HWND wnd, int bar, int* minPos, int* maxPos);
bool ShowScrollBar(HWND wnd, int bar, bool show);
bool EnableScrollBar(HWND wnd, UINT bar, UINT arrows);

// ---- timers ----
using TIMERPROC = void (*)(HWND, UINT, uintptr_t, DWORD);
// With a window: WM_TIMER (wParam = id) to it every `ms`; an existing timer
// with that id is replaced. Without a window a new id is returned and the
// procedure is called. Returns 0 on failure.
uintptr_t SetTimer(HWND wnd, uintptr_t id, UINT ms, TIMERPROC proc = nullptr);
bool KillTimer(HWND wnd, uintptr_t id);
DWORD GetTickCount();

// ---- keyboard ----
// High bit (negative result) while down; low bit the toggle state
// (VK_CAPITAL, VK_NUMLOCK, VK_SCROLL).
int16_t GetKeyState(int vk);
int16_t GetAsyncKeyState(int vk);
bool GetKeyboardState(uint8_t* state256);

// ---- mouse ----
HWND SetCapture(HWND wnd);
bool ReleaseCapture();
HWND GetCapture();
bool GetCursorPos(TPoint* p);
bool SetCursorPos(int x, int y);
UINT GetDoubleClickTime();

using HCURSOR = intptr_t;
using HICON = intptr_t;
using HINSTANCE = intptr_t;
constexpr intptr_t IDC_ARROW = 32512;
constexpr intptr_t IDC_IBEAM = 32513;
constexpr intptr_t IDC_WAIT = 32514;
constexpr intptr_t IDC_CROSS = 32515;
constexpr intptr_t IDC_UPARROW = 32516;
constexpr intptr_t IDC_SIZE = 32640;
constexpr intptr_t IDC_ICON = 32641;
constexpr intptr_t IDC_SIZENWSE = 32642;
constexpr intptr_t IDC_SIZENESW = 32643;
constexpr intptr_t IDC_SIZEWE = 32644;
constexpr intptr_t IDC_SIZENS = 32645;
constexpr intptr_t IDC_SIZEALL = 32646;
constexpr intptr_t IDC_NO = 32648;
constexpr intptr_t IDC_HAND = 32649;
constexpr intptr_t IDC_APPSTARTING = 32650;
constexpr intptr_t IDC_HELP = 32651;
// The widget set's own shapes used by the toolkit cursors.
constexpr intptr_t IDC_DRAG = 0x7F00 + 0x100;
constexpr intptr_t IDC_NODROP = 0x7F00 + 0x101;
constexpr intptr_t IDC_HSPLIT = 0x7F00 + 0x102;
constexpr intptr_t IDC_VSPLIT = 0x7F00 + 0x103;
constexpr intptr_t IDC_MULTIDRAG = 0x7F00 + 0x104;
constexpr intptr_t IDC_SQLWAIT = 0x7F00 + 0x105;
// A cursor handle is the shape's id.
HCURSOR LoadCursor(HINSTANCE inst, intptr_t id);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
int ShowCursor(bool show);

// ---- system metrics ----
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CXFIXEDFRAME = 7;
constexpr int SM_CYFIXEDFRAME = 8;
constexpr int SM_CYVTHUMB = 9;
constexpr int SM_CXHTHUMB = 10;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CXCURSOR = 13;
constexpr int SM_CYCURSOR = 14;
constexpr int SM_CYMENU = 15;
constexpr int SM_CXFULLSCREEN = 16;
constexpr int SM_CYFULLSCREEN = 17;
constexpr int SM_CYVSCROLL = 20;
constexpr int SM_CXHSCROLL = 21;
constexpr int SM_SWAPBUTTON = 23;
constexpr int SM_CXMIN = 28;
constexpr int SM_CYMIN = 29;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;
constexpr int SM_CXSIZEFRAME = 32;
constexpr int SM_CYSIZEFRAME = 33;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
constexpr int SM_DBCSENABLED = 42;
constexpr int SM_CMOUSEBUTTONS = 43;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;
constexpr int SM_CYSMCAPTION = 51;
constexpr int SM_CXMENUSIZE = 54;
constexpr int SM_CYMENUSIZE = 55;
constexpr int SM_CXMAXIMIZED = 61;
constexpr int SM_CYMAXIMIZED = 62;
constexpr int SM_CXDRAG = 68;
constexpr int SM_CYDRAG = 69;
constexpr int SM_CXMENUCHECK = 71;
constexpr int SM_CYMENUCHECK = 72;
constexpr int SM_MOUSEWHEELPRESENT = 75;
constexpr int SM_CXVIRTUALSCREEN = 78;
constexpr int SM_CYVIRTUALSCREEN = 79;
constexpr int SM_IMMENABLED = 82;
int GetSystemMetrics(int index);

// SystemParametersInfo: the few queries the toolkit makes.
constexpr UINT SPI_GETWORKAREA = 0x0030;
constexpr UINT SPI_GETWHEELSCROLLLINES = 0x0068;
bool SystemParametersInfo(UINT action, UINT param, void* value, UINT winIni);

// ---- messages ----
LRESULT SendMessage(HWND wnd, UINT msg, WPARAM w, LPARAM l);
bool PostMessage(HWND wnd, UINT msg, WPARAM w, LPARAM l);
void PostQuitMessage(int code);
LRESULT DefWindowProc(HWND wnd, UINT msg, WPARAM w, LPARAM l);
// A message number shared by every part of the process that registers the
// same name (compared without case), from 0xC000 up; 0 for an empty name.
// The numbers do not depend on the widget set, so a component may register
// its messages before one is installed.
UINT RegisterWindowMessage(const std::string& name);

// ---- focus ----
HWND GetFocus();
HWND SetFocus(HWND wnd);
HWND GetActiveWindow();

// ---- sounds ----
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONASTERISK = 0x00000040;
bool MessageBeep(UINT type);

// ---- global memory blocks (for the clipboard) ----
struct TGlobalBlock;
using HGLOBAL = TGlobalBlock*;
using HANDLE = void*;
constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GMEM_DDESHARE = 0x2000;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
HGLOBAL GlobalAlloc(UINT flags, size_t bytes);
HGLOBAL GlobalReAlloc(HGLOBAL mem, size_t bytes, UINT flags);
void* GlobalLock(HGLOBAL mem);
bool GlobalUnlock(HGLOBAL mem);
size_t GlobalSize(HGLOBAL mem);
// Returns null on success (mem itself on failure), as Win32 does.
HGLOBAL GlobalFree(HGLOBAL mem);
// Convenience: a block holding exactly these bytes.
HGLOBAL GlobalAllocBytes(const std::string& bytes);
std::string GlobalBytes(HGLOBAL mem);

// ---- dropped files ----
// The payload of WM_DROPFILES (wParam): the files and where they fell.
struct TDropHandle {
  std::vector<std::string> Files;  // Windows-1251 paths
  TPoint Point;                    // client coordinates of the target
  bool NonClient = false;
};
using HDROP = TDropHandle*;
void DragAcceptFiles(HWND wnd, bool accept);
// index 0xFFFFFFFF: the number of files; buffer null: the length of name
// `index`; otherwise copies at most size - 1 bytes plus a NUL and returns the
// bytes copied.
UINT DragQueryFile(HDROP drop, UINT index, char* buffer, UINT size);
std::string DragQueryFileString(HDROP drop, UINT index);
bool DragQueryPoint(HDROP drop, TPoint* p);
void DragFinish(HDROP drop);

// ---- input method ----
struct TImeContext;
using HIMC = TImeContext*;
struct COMPOSITIONFORM {
  DWORD dwStyle = 0;
  TPoint ptCurrentPos;
  TRect rcArea;
};
constexpr DWORD CFS_DEFAULT = 0x0000;
constexpr DWORD CFS_RECT = 0x0001;
constexpr DWORD CFS_POINT = 0x0002;
constexpr DWORD CFS_FORCE_POSITION = 0x0020;
HIMC ImmGetContext(HWND wnd);
bool ImmReleaseContext(HWND wnd, HIMC imc);
// GCS_RESULTSTR / GCS_COMPSTR in Windows-1251 bytes; buffer null: the byte
// count needed. Returns the bytes copied (no NUL is added).
int32_t ImmGetCompositionString(HIMC imc, DWORD index, void* buffer, DWORD size);
bool ImmSetCompositionFont(HIMC imc, const LOGFONT* lf);
bool ImmSetCompositionWindow(HIMC imc, const COMPOSITIONFORM* form);
bool ImmGetOpenStatus(HIMC imc);
bool ImmSetOpenStatus(HIMC imc, bool open);

// ---- clipboard ----
constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_OEMTEXT = 7;
constexpr UINT CF_DIB = 8;
constexpr UINT CF_UNICODETEXT = 13;
constexpr UINT CF_HDROP = 15;
constexpr UINT CF_LOCALE = 16;
// Named formats get numbers from 0xC000 up; the same name, the same number.
UINT RegisterClipboardFormat(const std::string& name);
int GetClipboardFormatName(UINT format, char* buffer, int size);
std::string ClipboardFormatName(UINT format);
// One window at a time may have the clipboard open.
bool OpenClipboard(HWND owner);
bool CloseClipboard();
// Takes ownership; the new content becomes visible to others on close.
bool EmptyClipboard();
// The clipboard takes the block. CF_TEXT is Windows-1251 bytes ending in
// NUL; CF_UNICODETEXT UTF-16 ending in a NUL word; CF_HDROP a list of
// NUL-terminated names ending in an empty one. Text in one form is offered
// in the others too. Returns the block, null on failure.
HGLOBAL SetClipboardData(UINT format, HGLOBAL data);
// The block belongs to the clipboard (valid until it is closed).
HGLOBAL GetClipboardData(UINT format);
bool IsClipboardFormatAvailable(UINT format);
int CountClipboardFormats();
UINT EnumClipboardFormats(UINT format);
HWND GetClipboardOwner();
