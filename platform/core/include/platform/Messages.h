// Window messages, their numbers and the message records.
//
// The numbers are those of the Windows API; the toolkit's own control
// messages (CM_*) start at CM_BASE. A message travels as a TMessage; the
// typed views (TWMKey, TWMMouse, ...) read and write its fields under the
// names the handlers use.
#pragma once

#include <cstdint>

#include "platform/Types.h"

class TWindowPeer;
using HWND = TWindowPeer*;

inline uint32_t MakeLong(uint16_t lo, uint16_t hi) { return uint32_t(lo) | (uint32_t(hi) << 16); }
inline uint16_t LoWord(uintptr_t v) { return uint16_t(v & 0xFFFF); }
inline uint16_t HiWord(uintptr_t v) { return uint16_t((v >> 16) & 0xFFFF); }
inline uint8_t LoByte(uint16_t v) { return uint8_t(v & 0xFF); }
inline uint8_t HiByte(uint16_t v) { return uint8_t(v >> 8); }
inline WPARAM MakeWParam(uint16_t lo, uint16_t hi) { return WPARAM(MakeLong(lo, hi)); }
// LParam with two signed 16-bit halves, as mouse messages carry positions.
inline LPARAM MakeLParam(int lo, int hi) { return LPARAM(int32_t(MakeLong(uint16_t(lo), uint16_t(hi)))); }
inline LPARAM PointToLParam(int x, int y) { return MakeLParam(x, y); }
inline int GetXLParam(LPARAM l) { return int16_t(LoWord(uintptr_t(l))); }
inline int GetYLParam(LPARAM l) { return int16_t(HiWord(uintptr_t(l))); }

// ---- window messages ----
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_ENABLE = 0x000A;
constexpr UINT WM_SETREDRAW = 0x000B;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_GETTEXTLENGTH = 0x000E;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUERYENDSESSION = 0x0011;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_SYSCOLORCHANGE = 0x0015;
constexpr UINT WM_ENDSESSION = 0x0016;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_SETTINGCHANGE = 0x001A;
constexpr UINT WM_ACTIVATEAPP = 0x001C;
constexpr UINT WM_CANCELMODE = 0x001F;
constexpr UINT WM_SETCURSOR = 0x0020;
constexpr UINT WM_MOUSEACTIVATE = 0x0021;
constexpr UINT WM_GETMINMAXINFO = 0x0024;
constexpr UINT WM_DRAWITEM = 0x002B;
constexpr UINT WM_MEASUREITEM = 0x002C;
constexpr UINT WM_SETFONT = 0x0030;
constexpr UINT WM_GETFONT = 0x0031;
constexpr UINT WM_WINDOWPOSCHANGING = 0x0046;
constexpr UINT WM_WINDOWPOSCHANGED = 0x0047;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_CONTEXTMENU = 0x007B;
constexpr UINT WM_GETICON = 0x007F;
constexpr UINT WM_SETICON = 0x0080;
constexpr UINT WM_NCCREATE = 0x0081;
constexpr UINT WM_NCDESTROY = 0x0082;
constexpr UINT WM_NCCALCSIZE = 0x0083;
constexpr UINT WM_NCHITTEST = 0x0084;
constexpr UINT WM_NCPAINT = 0x0085;
constexpr UINT WM_NCACTIVATE = 0x0086;
constexpr UINT WM_GETDLGCODE = 0x0087;
constexpr UINT WM_NCMOUSEMOVE = 0x00A0;
constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
constexpr UINT WM_NCLBUTTONUP = 0x00A2;
constexpr UINT WM_NCLBUTTONDBLCLK = 0x00A3;
constexpr UINT WM_NCRBUTTONDOWN = 0x00A4;
constexpr UINT WM_NCRBUTTONUP = 0x00A5;

constexpr UINT WM_KEYFIRST = 0x0100;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_DEADCHAR = 0x0103;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_SYSCHAR = 0x0106;
constexpr UINT WM_SYSDEADCHAR = 0x0107;
constexpr UINT WM_KEYLAST = 0x0108;
constexpr UINT WM_IME_STARTCOMPOSITION = 0x010D;
constexpr UINT WM_IME_ENDCOMPOSITION = 0x010E;
constexpr UINT WM_IME_COMPOSITION = 0x010F;
constexpr UINT WM_IME_KEYLAST = 0x010F;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_HSCROLL = 0x0114;
constexpr UINT WM_VSCROLL = 0x0115;
constexpr UINT WM_INITMENU = 0x0116;
constexpr UINT WM_INITMENUPOPUP = 0x0117;
constexpr UINT WM_MENUSELECT = 0x011F;
constexpr UINT WM_MENUCHAR = 0x0120;
constexpr UINT WM_ENTERIDLE = 0x0121;
constexpr UINT WM_CTLCOLOREDIT = 0x0133;
constexpr UINT WM_CTLCOLORSTATIC = 0x0138;

constexpr UINT WM_MOUSEFIRST = 0x0200;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MBUTTONUP = 0x0208;
constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
constexpr UINT WM_MOUSEWHEEL = 0x020A;
constexpr UINT WM_MOUSEHWHEEL = 0x020E;
constexpr UINT WM_MOUSELAST = 0x020E;
constexpr UINT WM_PARENTNOTIFY = 0x0210;
constexpr UINT WM_ENTERMENULOOP = 0x0211;
constexpr UINT WM_EXITMENULOOP = 0x0212;
constexpr UINT WM_SIZING = 0x0214;
constexpr UINT WM_CAPTURECHANGED = 0x0215;
constexpr UINT WM_MOVING = 0x0216;
constexpr UINT WM_DROPFILES = 0x0233;
constexpr UINT WM_IME_SETCONTEXT = 0x0281;
constexpr UINT WM_IME_NOTIFY = 0x0282;
constexpr UINT WM_IME_CONTROL = 0x0283;
constexpr UINT WM_IME_COMPOSITIONFULL = 0x0284;
constexpr UINT WM_IME_SELECT = 0x0285;
constexpr UINT WM_IME_CHAR = 0x0286;
constexpr UINT WM_IME_REQUEST = 0x0288;
constexpr UINT WM_IME_KEYDOWN = 0x0290;
constexpr UINT WM_IME_KEYUP = 0x0291;
constexpr UINT WM_MOUSEHOVER = 0x02A1;
constexpr UINT WM_MOUSELEAVE = 0x02A3;
constexpr UINT WM_CUT = 0x0300;
constexpr UINT WM_COPY = 0x0301;
constexpr UINT WM_PASTE = 0x0302;
constexpr UINT WM_CLEAR = 0x0303;
constexpr UINT WM_UNDO = 0x0304;
constexpr UINT WM_PRINT = 0x0317;
constexpr UINT WM_PRINTCLIENT = 0x0318;
constexpr UINT WM_APP = 0x8000;
constexpr UINT WM_USER = 0x0400;

// WM_SIZE kinds
constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;
constexpr WPARAM SIZE_MAXIMIZED = 2;

// WM_ACTIVATE states
constexpr WPARAM WA_INACTIVE = 0;
constexpr WPARAM WA_ACTIVE = 1;
constexpr WPARAM WA_CLICKACTIVE = 2;

// WM_NCHITTEST results
constexpr LRESULT HTERROR = -2;
constexpr LRESULT HTTRANSPARENT = -1;
constexpr LRESULT HTNOWHERE = 0;
constexpr LRESULT HTCLIENT = 1;
constexpr LRESULT HTCAPTION = 2;
constexpr LRESULT HTSYSMENU = 3;
constexpr LRESULT HTHSCROLL = 6;
constexpr LRESULT HTVSCROLL = 7;
constexpr LRESULT HTLEFT = 10;
constexpr LRESULT HTRIGHT = 11;
constexpr LRESULT HTTOP = 12;
constexpr LRESULT HTTOPLEFT = 13;
constexpr LRESULT HTTOPRIGHT = 14;
constexpr LRESULT HTBOTTOM = 15;
constexpr LRESULT HTBOTTOMLEFT = 16;
constexpr LRESULT HTBOTTOMRIGHT = 17;
constexpr LRESULT HTBORDER = 18;

// ---- edit control messages ----
constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_GETRECT = 0x00B2;
constexpr UINT EM_SETRECT = 0x00B3;
constexpr UINT EM_SETRECTNP = 0x00B4;
constexpr UINT EM_SCROLL = 0x00B5;
constexpr UINT EM_LINESCROLL = 0x00B6;
constexpr UINT EM_SCROLLCARET = 0x00B7;
constexpr UINT EM_GETMODIFY = 0x00B8;
constexpr UINT EM_SETMODIFY = 0x00B9;
constexpr UINT EM_GETLINECOUNT = 0x00BA;
constexpr UINT EM_LINEINDEX = 0x00BB;
constexpr UINT EM_SETHANDLE = 0x00BC;
constexpr UINT EM_GETHANDLE = 0x00BD;
constexpr UINT EM_GETTHUMB = 0x00BE;
constexpr UINT EM_LINELENGTH = 0x00C1;
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT EM_GETLINE = 0x00C4;
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_SETLIMITTEXT = 0x00C5;
constexpr UINT EM_CANUNDO = 0x00C6;
constexpr UINT EM_UNDO = 0x00C7;
constexpr UINT EM_FMTLINES = 0x00C8;
constexpr UINT EM_LINEFROMCHAR = 0x00C9;
constexpr UINT EM_SETTABSTOPS = 0x00CB;
constexpr UINT EM_SETPASSWORDCHAR = 0x00CC;
constexpr UINT EM_EMPTYUNDOBUFFER = 0x00CD;
constexpr UINT EM_GETFIRSTVISIBLELINE = 0x00CE;
constexpr UINT EM_SETREADONLY = 0x00CF;
constexpr UINT EM_SETWORDBREAKPROC = 0x00D0;
constexpr UINT EM_GETWORDBREAKPROC = 0x00D1;
constexpr UINT EM_GETPASSWORDCHAR = 0x00D2;
constexpr UINT EM_SETMARGINS = 0x00D3;
constexpr UINT EM_GETMARGINS = 0x00D4;
constexpr UINT EM_GETLIMITTEXT = 0x00D5;
constexpr UINT EM_POSFROMCHAR = 0x00D6;
constexpr UINT EM_CHARFROMPOS = 0x00D7;
constexpr UINT EM_SETIMESTATUS = 0x00D8;
constexpr UINT EM_GETIMESTATUS = 0x00D9;
// rich-edit extensions used by selection-text queries
constexpr UINT EM_GETSELTEXT = WM_USER + 62;

// ---- scroll bars ----
// bars
constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_BOTH = 3;
// WM_HSCROLL / WM_VSCROLL codes
constexpr int SB_LINEUP = 0;
constexpr int SB_LINELEFT = 0;
constexpr int SB_LINEDOWN = 1;
constexpr int SB_LINERIGHT = 1;
constexpr int SB_PAGEUP = 2;
constexpr int SB_PAGELEFT = 2;
constexpr int SB_PAGEDOWN = 3;
constexpr int SB_PAGERIGHT = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_TOP = 6;
constexpr int SB_LEFT = 6;
constexpr int SB_BOTTOM = 7;
constexpr int SB_RIGHT = 7;
constexpr int SB_ENDSCROLL = 8;
// SCROLLINFO mask
constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
// EnableScrollBar
constexpr UINT ESB_ENABLE_BOTH = 0x0000;
constexpr UINT ESB_DISABLE_BOTH = 0x0003;
constexpr UINT ESB_DISABLE_LEFT = 0x0001;
constexpr UINT ESB_DISABLE_RIGHT = 0x0002;
constexpr UINT ESB_DISABLE_UP = 0x0001;
constexpr UINT ESB_DISABLE_DOWN = 0x0002;
constexpr UINT ESB_DISABLE_LTUP = ESB_DISABLE_LEFT;
constexpr UINT ESB_DISABLE_RTDN = ESB_DISABLE_RIGHT;

// ---- WM_GETDLGCODE results ----
constexpr LRESULT DLGC_WANTARROWS = 0x0001;
constexpr LRESULT DLGC_WANTTAB = 0x0002;
constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
constexpr LRESULT DLGC_WANTMESSAGE = 0x0004;
constexpr LRESULT DLGC_HASSETSEL = 0x0008;
constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
constexpr LRESULT DLGC_RADIOBUTTON = 0x0040;
constexpr LRESULT DLGC_WANTCHARS = 0x0080;
constexpr LRESULT DLGC_STATIC = 0x0100;
constexpr LRESULT DLGC_BUTTON = 0x2000;

// ---- input method ----
constexpr LPARAM GCS_COMPREADSTR = 0x0001;
constexpr LPARAM GCS_COMPSTR = 0x0008;
constexpr LPARAM GCS_CURSORPOS = 0x0080;
constexpr LPARAM GCS_RESULTREADSTR = 0x0200;
constexpr LPARAM GCS_RESULTSTR = 0x0800;
constexpr WPARAM IMN_CLOSESTATUSWINDOW = 0x0001;
constexpr WPARAM IMN_OPENSTATUSWINDOW = 0x0002;
constexpr WPARAM IMN_SETCONVERSIONMODE = 0x0006;
constexpr WPARAM IMN_SETSENTENCEMODE = 0x0007;
constexpr WPARAM IMN_SETOPENSTATUS = 0x0008;
constexpr WPARAM IMN_SETCOMPOSITIONFONT = 0x000A;
constexpr WPARAM IMN_SETCOMPOSITIONWINDOW = 0x000B;

// ---- mouse key flags (wParam of mouse messages) ----
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010;
constexpr WPARAM MK_XBUTTON1 = 0x0020;
constexpr WPARAM MK_XBUTTON2 = 0x0040;
constexpr int WHEEL_DELTA = 120;

// key data bits (lParam of key messages)
constexpr LPARAM KF_EXTENDED_BIT = 1 << 24;  // extended key
constexpr LPARAM KF_ALTDOWN_BIT = 1 << 29;   // context code: Alt held
constexpr LPARAM KF_REPEAT_BIT = 1 << 30;    // previous key state
constexpr uint32_t KF_UP_BIT = 0x80000000u;  // transition state
constexpr uint16_t KF_ALTDOWN = 0x2000;      // in the high word

// ---- virtual keys ----
constexpr uint16_t VK_LBUTTON = 0x01;
constexpr uint16_t VK_RBUTTON = 0x02;
constexpr uint16_t VK_CANCEL = 0x03;
constexpr uint16_t VK_MBUTTON = 0x04;
constexpr uint16_t VK_XBUTTON1 = 0x05;
constexpr uint16_t VK_XBUTTON2 = 0x06;
constexpr uint16_t VK_BACK = 0x08;
constexpr uint16_t VK_TAB = 0x09;
constexpr uint16_t VK_CLEAR = 0x0C;
constexpr uint16_t VK_RETURN = 0x0D;
constexpr uint16_t VK_SHIFT = 0x10;
constexpr uint16_t VK_CONTROL = 0x11;
constexpr uint16_t VK_MENU = 0x12;
constexpr uint16_t VK_PAUSE = 0x13;
constexpr uint16_t VK_CAPITAL = 0x14;
constexpr uint16_t VK_KANA = 0x15;
constexpr uint16_t VK_HANGUL = 0x15;
constexpr uint16_t VK_JUNJA = 0x17;
constexpr uint16_t VK_FINAL = 0x18;
constexpr uint16_t VK_HANJA = 0x19;
constexpr uint16_t VK_KANJI = 0x19;
constexpr uint16_t VK_ESCAPE = 0x1B;
constexpr uint16_t VK_CONVERT = 0x1C;
constexpr uint16_t VK_NONCONVERT = 0x1D;
constexpr uint16_t VK_ACCEPT = 0x1E;
constexpr uint16_t VK_MODECHANGE = 0x1F;
constexpr uint16_t VK_SPACE = 0x20;
constexpr uint16_t VK_PRIOR = 0x21;
constexpr uint16_t VK_NEXT = 0x22;
constexpr uint16_t VK_END = 0x23;
constexpr uint16_t VK_HOME = 0x24;
constexpr uint16_t VK_LEFT = 0x25;
constexpr uint16_t VK_UP = 0x26;
constexpr uint16_t VK_RIGHT = 0x27;
constexpr uint16_t VK_DOWN = 0x28;
constexpr uint16_t VK_SELECT = 0x29;
constexpr uint16_t VK_PRINT = 0x2A;
constexpr uint16_t VK_EXECUTE = 0x2B;
constexpr uint16_t VK_SNAPSHOT = 0x2C;
constexpr uint16_t VK_INSERT = 0x2D;
constexpr uint16_t VK_DELETE = 0x2E;
constexpr uint16_t VK_HELP = 0x2F;
// '0'..'9' = 0x30..0x39, 'A'..'Z' = 0x41..0x5A
constexpr uint16_t VK_LWIN = 0x5B;
constexpr uint16_t VK_RWIN = 0x5C;
constexpr uint16_t VK_APPS = 0x5D;
constexpr uint16_t VK_SLEEP = 0x5F;
constexpr uint16_t VK_NUMPAD0 = 0x60;
constexpr uint16_t VK_NUMPAD1 = 0x61;
constexpr uint16_t VK_NUMPAD2 = 0x62;
constexpr uint16_t VK_NUMPAD3 = 0x63;
constexpr uint16_t VK_NUMPAD4 = 0x64;
constexpr uint16_t VK_NUMPAD5 = 0x65;
constexpr uint16_t VK_NUMPAD6 = 0x66;
constexpr uint16_t VK_NUMPAD7 = 0x67;
constexpr uint16_t VK_NUMPAD8 = 0x68;
constexpr uint16_t VK_NUMPAD9 = 0x69;
constexpr uint16_t VK_MULTIPLY = 0x6A;
constexpr uint16_t VK_ADD = 0x6B;
constexpr uint16_t VK_SEPARATOR = 0x6C;
constexpr uint16_t VK_SUBTRACT = 0x6D;
constexpr uint16_t VK_DECIMAL = 0x6E;
constexpr uint16_t VK_DIVIDE = 0x6F;
constexpr uint16_t VK_F1 = 0x70;
constexpr uint16_t VK_F2 = 0x71;
constexpr uint16_t VK_F3 = 0x72;
constexpr uint16_t VK_F4 = 0x73;
constexpr uint16_t VK_F5 = 0x74;
constexpr uint16_t VK_F6 = 0x75;
constexpr uint16_t VK_F7 = 0x76;
constexpr uint16_t VK_F8 = 0x77;
constexpr uint16_t VK_F9 = 0x78;
constexpr uint16_t VK_F10 = 0x79;
constexpr uint16_t VK_F11 = 0x7A;
constexpr uint16_t VK_F12 = 0x7B;
constexpr uint16_t VK_F13 = 0x7C;
constexpr uint16_t VK_F14 = 0x7D;
constexpr uint16_t VK_F15 = 0x7E;
constexpr uint16_t VK_F16 = 0x7F;
constexpr uint16_t VK_F17 = 0x80;
constexpr uint16_t VK_F18 = 0x81;
constexpr uint16_t VK_F19 = 0x82;
constexpr uint16_t VK_F20 = 0x83;
constexpr uint16_t VK_F21 = 0x84;
constexpr uint16_t VK_F22 = 0x85;
constexpr uint16_t VK_F23 = 0x86;
constexpr uint16_t VK_F24 = 0x87;
constexpr uint16_t VK_NUMLOCK = 0x90;
constexpr uint16_t VK_SCROLL = 0x91;
constexpr uint16_t VK_LSHIFT = 0xA0;
constexpr uint16_t VK_RSHIFT = 0xA1;
constexpr uint16_t VK_LCONTROL = 0xA2;
constexpr uint16_t VK_RCONTROL = 0xA3;
constexpr uint16_t VK_LMENU = 0xA4;
constexpr uint16_t VK_RMENU = 0xA5;
constexpr uint16_t VK_BROWSER_BACK = 0xA6;
constexpr uint16_t VK_BROWSER_FORWARD = 0xA7;
constexpr uint16_t VK_BROWSER_REFRESH = 0xA8;
constexpr uint16_t VK_BROWSER_STOP = 0xA9;
constexpr uint16_t VK_BROWSER_SEARCH = 0xAA;
constexpr uint16_t VK_BROWSER_FAVORITES = 0xAB;
constexpr uint16_t VK_BROWSER_HOME = 0xAC;
constexpr uint16_t VK_VOLUME_MUTE = 0xAD;
constexpr uint16_t VK_VOLUME_DOWN = 0xAE;
constexpr uint16_t VK_VOLUME_UP = 0xAF;
constexpr uint16_t VK_MEDIA_NEXT_TRACK = 0xB0;
constexpr uint16_t VK_MEDIA_PREV_TRACK = 0xB1;
constexpr uint16_t VK_MEDIA_STOP = 0xB2;
constexpr uint16_t VK_MEDIA_PLAY_PAUSE = 0xB3;
constexpr uint16_t VK_LAUNCH_MAIL = 0xB4;
constexpr uint16_t VK_OEM_1 = 0xBA;       // ;:
constexpr uint16_t VK_OEM_PLUS = 0xBB;    // =+
constexpr uint16_t VK_OEM_COMMA = 0xBC;   // ,<
constexpr uint16_t VK_OEM_MINUS = 0xBD;   // -_
constexpr uint16_t VK_OEM_PERIOD = 0xBE;  // .>
constexpr uint16_t VK_OEM_2 = 0xBF;       // /?
constexpr uint16_t VK_OEM_3 = 0xC0;       // `~
constexpr uint16_t VK_OEM_4 = 0xDB;       // [{
constexpr uint16_t VK_OEM_5 = 0xDC;       // \|
constexpr uint16_t VK_OEM_6 = 0xDD;       // ]}
constexpr uint16_t VK_OEM_7 = 0xDE;       // '"
constexpr uint16_t VK_OEM_8 = 0xDF;
constexpr uint16_t VK_OEM_102 = 0xE2;  // <> on the 102-key keyboard
constexpr uint16_t VK_PROCESSKEY = 0xE5;
constexpr uint16_t VK_PACKET = 0xE7;
constexpr uint16_t VK_ATTN = 0xF6;
constexpr uint16_t VK_CRSEL = 0xF7;
constexpr uint16_t VK_EXSEL = 0xF8;
constexpr uint16_t VK_EREOF = 0xF9;
constexpr uint16_t VK_PLAY = 0xFA;
constexpr uint16_t VK_ZOOM = 0xFB;
constexpr uint16_t VK_NONAME = 0xFC;
constexpr uint16_t VK_PA1 = 0xFD;
constexpr uint16_t VK_OEM_CLEAR = 0xFE;

// ---- the toolkit's control messages ----
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_GOTFOCUS = CM_BASE + 2;
constexpr UINT CM_LOSTFOCUS = CM_BASE + 3;
constexpr UINT CM_CANCELMODE = CM_BASE + 4;
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr UINT CM_HITTEST = CM_BASE + 10;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
constexpr UINT CM_CTL3DCHANGED = CM_BASE + 16;
constexpr UINT CM_PARENTCTL3DCHANGED = CM_BASE + 17;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr UINT CM_MENUCHANGED = CM_BASE + 21;
constexpr UINT CM_APPKEYDOWN = CM_BASE + 22;
constexpr UINT CM_APPSYSCOMMAND = CM_BASE + 23;
constexpr UINT CM_BUTTONPRESSED = CM_BASE + 24;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr UINT CM_ENTER = CM_BASE + 26;
constexpr UINT CM_EXIT = CM_BASE + 27;
constexpr UINT CM_DESIGNHITTEST = CM_BASE + 28;
constexpr UINT CM_ICONCHANGED = CM_BASE + 29;
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr UINT CM_INVOKEHELP = CM_BASE + 31;
constexpr UINT CM_WINDOWHOOK = CM_BASE + 32;
constexpr UINT CM_RELEASE = CM_BASE + 33;
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 36;
constexpr UINT CM_WININICHANGE = CM_BASE + 37;
constexpr UINT CM_FONTCHANGE = CM_BASE + 38;
constexpr UINT CM_TIMECHANGE = CM_BASE + 39;
constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 40;
constexpr UINT CM_UIACTIVATE = CM_BASE + 41;
constexpr UINT CM_UIDEACTIVATE = CM_BASE + 42;
constexpr UINT CM_DOCWINDOWACTIVATE = CM_BASE + 43;
constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;
constexpr UINT CM_GETDATALINK = CM_BASE + 45;
constexpr UINT CM_CHILDKEY = CM_BASE + 46;
constexpr UINT CM_DRAG = CM_BASE + 47;
constexpr UINT CM_HINTSHOW = CM_BASE + 48;
constexpr UINT CM_DIALOGHANDLE = CM_BASE + 49;
constexpr UINT CM_ISTOOLCONTROL = CM_BASE + 50;
constexpr UINT CM_RECREATEWND = CM_BASE + 51;
constexpr UINT CM_INVALIDATE = CM_BASE + 52;
constexpr UINT CM_SYSFONTCHANGED = CM_BASE + 53;
constexpr UINT CM_CONTROLCHANGE = CM_BASE + 54;
constexpr UINT CM_CHANGED = CM_BASE + 55;
constexpr UINT CM_DOCKCLIENT = CM_BASE + 56;
constexpr UINT CM_UNDOCKCLIENT = CM_BASE + 57;
constexpr UINT CM_FLOAT = CM_BASE + 58;
constexpr UINT CM_BORDERCHANGED = CM_BASE + 59;
constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 60;
constexpr UINT CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
constexpr UINT CM_ALLCHILDRENFLIPPED = CM_BASE + 62;
constexpr UINT CM_ACTIONUPDATE = CM_BASE + 63;
constexpr UINT CM_ACTIONEXECUTE = CM_BASE + 64;
constexpr UINT CM_HINTSHOWPAUSE = CM_BASE + 65;
constexpr UINT CM_DOCKNOTIFICATION = CM_BASE + 66;
constexpr UINT CM_MOUSEWHEEL = CM_BASE + 67;
constexpr UINT CM_ISSHORTCUT = CM_BASE + 68;
constexpr UINT CM_INVALIDATEDOCKHOST = CM_BASE + 70;
constexpr UINT CM_SETACTIVECONTROL = CM_BASE + 71;
constexpr UINT CM_POPUPHWNDDESTROY = CM_BASE + 72;
constexpr UINT CM_CREATEPOPUP = CM_BASE + 73;
constexpr UINT CM_DESTROYHANDLE = CM_BASE + 74;
constexpr UINT CM_MOUSEACTIVATE = CM_BASE + 75;
constexpr UINT CM_CONTROLLISTCHANGING = CM_BASE + 76;
constexpr UINT CM_BUFFEREDPRINTCLIENT = CM_BASE + 77;
constexpr UINT CM_UNTHEMECONTROL = CM_BASE + 78;
// notifications reflected back to the control that caused them
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;

// ---- the message record ----
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;

  TMessage() = default;
  TMessage(UINT msg, WPARAM w, LPARAM l) : Msg(msg), WParam(w), LParam(l) {}

  uint16_t WParamLo() const { return LoWord(WParam); }
  uint16_t WParamHi() const { return HiWord(WParam); }
  uint16_t LParamLo() const { return LoWord(uintptr_t(LParam)); }
  uint16_t LParamHi() const { return HiWord(uintptr_t(LParam)); }
};

// Typed views: each holds a reference to the message and names its fields.
struct TWMView {
  TMessage& M;
  explicit TWMView(TMessage& m) : M(m) {}
  UINT Msg() const { return M.Msg; }
  LRESULT Result() const { return M.Result; }
  void SetResult(LRESULT r) { M.Result = r; }
};

// WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR.
// For WM_CHAR the character code is a Windows-1251 byte.
struct TWMKey : TWMView {
  using TWMView::TWMView;
  uint16_t CharCode() const { return LoWord(M.WParam); }
  void SetCharCode(uint16_t c) { M.WParam = c; }
  int32_t KeyData() const { return int32_t(M.LParam); }
  bool AltDown() const { return (M.LParam & KF_ALTDOWN_BIT) != 0; }
};
using TWMChar = TWMKey;
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;
using TWMSysChar = TWMKey;
using TWMSysKeyDown = TWMKey;

// Mouse button and move messages: Keys is the MK_* set, positions are
// client coordinates as signed 16-bit values.
struct TWMMouse : TWMView {
  using TWMView::TWMView;
  WPARAM Keys() const { return M.WParam; }
  int XPos() const { return GetXLParam(M.LParam); }
  int YPos() const { return GetYLParam(M.LParam); }
};
using TWMLButtonDown = TWMMouse;
using TWMLButtonUp = TWMMouse;
using TWMLButtonDblClk = TWMMouse;
using TWMRButtonDown = TWMMouse;
using TWMRButtonUp = TWMMouse;
using TWMMButtonDown = TWMMouse;
using TWMMouseMove = TWMMouse;

// WM_MOUSEWHEEL: Keys in the low word, the signed delta in the high word,
// the position in screen coordinates.
struct TWMMouseWheel : TWMView {
  using TWMView::TWMView;
  uint16_t Keys() const { return LoWord(M.WParam); }
  int WheelDelta() const { return int16_t(HiWord(M.WParam)); }
  int XPos() const { return GetXLParam(M.LParam); }
  int YPos() const { return GetYLParam(M.LParam); }
};

// WM_HSCROLL / WM_VSCROLL: code and (16-bit) position, the scroll bar's
// window in LParam (0 for a window's own bars).
struct TWMScroll : TWMView {
  using TWMView::TWMView;
  int ScrollCode() const { return int16_t(LoWord(M.WParam)); }
  int Pos() const { return int16_t(HiWord(M.WParam)); }
  HWND ScrollBar() const { return reinterpret_cast<HWND>(M.LParam); }
};
using TWMHScroll = TWMScroll;
using TWMVScroll = TWMScroll;

struct TWMSize : TWMView {
  using TWMView::TWMView;
  WPARAM SizeType() const { return M.WParam; }
  int Width() const { return LoWord(uintptr_t(M.LParam)); }
  int Height() const { return HiWord(uintptr_t(M.LParam)); }
};

struct TWMMove : TWMView {
  using TWMView::TWMView;
  int XPos() const { return GetXLParam(M.LParam); }
  int YPos() const { return GetYLParam(M.LParam); }
};

struct TWMSetFocus : TWMView {
  using TWMView::TWMView;
  HWND FocusedWnd() const { return reinterpret_cast<HWND>(M.WParam); }
};
struct TWMKillFocus : TWMView {
  using TWMView::TWMView;
  HWND FocusedWnd() const { return reinterpret_cast<HWND>(M.WParam); }
};

struct TWMTimer : TWMView {
  using TWMView::TWMView;
  uintptr_t TimerID() const { return M.WParam; }
};

class TDeviceContext;
struct TWMPaint : TWMView {
  using TWMView::TWMView;
  TDeviceContext* DC() const { return reinterpret_cast<TDeviceContext*>(M.WParam); }
};
using TWMEraseBkgnd = TWMPaint;

struct TWMSetCursor : TWMView {
  using TWMView::TWMView;
  HWND CursorWnd() const { return reinterpret_cast<HWND>(M.WParam); }
  int HitTest() const { return int16_t(LoWord(uintptr_t(M.LParam))); }
  UINT MouseMsg() const { return HiWord(uintptr_t(M.LParam)); }
};

struct TWMNCHitTest : TWMView {
  using TWMView::TWMView;
  int XPos() const { return GetXLParam(M.LParam); }
  int YPos() const { return GetYLParam(M.LParam); }
};

struct TWMGetDlgCode : TWMView {
  using TWMView::TWMView;
};

struct TWMSetText : TWMView {
  using TWMView::TWMView;
  // A NUL-terminated Windows-1251 string.
  const char* Text() const { return reinterpret_cast<const char*>(M.LParam); }
};

struct TWMGetText : TWMView {
  using TWMView::TWMView;
  int TextMax() const { return int(M.WParam); }
  char* Text() const { return reinterpret_cast<char*>(M.LParam); }
};

struct TDropHandle;
struct TWMDropFiles : TWMView {
  using TWMView::TWMView;
  TDropHandle* Drop() const { return reinterpret_cast<TDropHandle*>(M.WParam); }
};

struct TWMImeComposition : TWMView {
  using TWMView::TWMView;
  uint16_t Chr() const { return LoWord(M.WParam); }
  LPARAM Flags() const { return M.LParam; }
};

struct TWMImeNotify : TWMView {
  using TWMView::TWMView;
  WPARAM Command() const { return M.WParam; }
  LPARAM Data() const { return M.LParam; }
};

struct TWMCaptureChanged : TWMView {
  using TWMView::TWMView;
  HWND NewCapture() const { return reinterpret_cast<HWND>(M.LParam); }
};

struct TWMNCLButtonDown : TWMView {
  using TWMView::TWMView;
  int HitTest() const { return int(M.WParam); }
  int XCursor() const { return GetXLParam(M.LParam); }
  int YCursor() const { return GetYLParam(M.LParam); }
};

struct TWMCommand : TWMView {
  using TWMView::TWMView;
  uint16_t ItemID() const { return LoWord(M.WParam); }
  uint16_t NotifyCode() const { return HiWord(M.WParam); }
  HWND Ctl() const { return reinterpret_cast<HWND>(M.LParam); }
};

struct TWMContextMenu : TWMView {
  using TWMView::TWMView;
  HWND hWnd() const { return reinterpret_cast<HWND>(M.WParam); }
  int XPos() const { return GetXLParam(M.LParam); }
  int YPos() const { return GetYLParam(M.LParam); }
};

// CM_MOUSEWHEEL carries the shift state in WParam's low word.
struct TCMMouseWheel : TWMView {
  using TWMView::TWMView;
  uint16_t ShiftState() const { return LoWord(M.WParam); }
  int WheelDelta() const { return int16_t(HiWord(M.WParam)); }
  int XPos() const { return GetXLParam(M.LParam); }
  int YPos() const { return GetYLParam(M.LParam); }
};

// CM_DIALOGCHAR / CM_DIALOGKEY / CM_WANTSPECIALKEY carry a key message's
// fields.
using TCMDialogChar = TWMKey;
using TCMDialogKey = TWMKey;
using TCMWantSpecialKey = TWMKey;

class TControl;
// CM_MOUSEENTER / CM_MOUSELEAVE carry the control under the mouse in LParam.
struct TCMMouseEnterLeave : TWMView {
  using TWMView::TWMView;
  TControl* Control() const { return reinterpret_cast<TControl*>(M.LParam); }
};
