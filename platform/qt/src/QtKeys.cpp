// Keys: Qt key events to Windows virtual keys, key data and characters.
#include <QGuiApplication>
#include <QString>

#include "platform/CodePage.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtWidgetset.h"

namespace {

// X11 keycodes (evdev + 8) of the PC keyboard.
struct TKeyCode {
  quint32 Code;
  uint16_t Vk;
};
const TKeyCode kX11Keys[] = {
    {9, VK_ESCAPE},     {10, '1'},      {11, '2'},          {12, '3'},           {13, '4'},         {14, '5'},
    {15, '6'},          {16, '7'},      {17, '8'},          {18, '9'},           {19, '0'},         {20, VK_OEM_MINUS},
    {21, VK_OEM_PLUS},  {22, VK_BACK},  {23, VK_TAB},       {24, 'Q'},           {25, 'W'},         {26, 'E'},
    {27, 'R'},          {28, 'T'},      {29, 'Y'},          {30, 'U'},           {31, 'I'},         {32, 'O'},
    {33, 'P'},          {34, VK_OEM_4}, {35, VK_OEM_6},     {36, VK_RETURN},     {37, VK_CONTROL},  {38, 'A'},
    {39, 'S'},          {40, 'D'},      {41, 'F'},          {42, 'G'},           {43, 'H'},         {44, 'J'},
    {45, 'K'},          {46, 'L'},      {47, VK_OEM_1},     {48, VK_OEM_7},      {49, VK_OEM_3},    {50, VK_SHIFT},
    {51, VK_OEM_5},     {52, 'Z'},      {53, 'X'},          {54, 'C'},           {55, 'V'},         {56, 'B'},
    {57, 'N'},          {58, 'M'},      {59, VK_OEM_COMMA}, {60, VK_OEM_PERIOD}, {61, VK_OEM_2},    {62, VK_SHIFT},
    {63, VK_MULTIPLY},  {64, VK_MENU},  {65, VK_SPACE},     {66, VK_CAPITAL},    {67, VK_F1},       {68, VK_F2},
    {69, VK_F3},        {70, VK_F4},    {71, VK_F5},        {72, VK_F6},         {73, VK_F7},       {74, VK_F8},
    {75, VK_F9},        {76, VK_F10},   {77, VK_NUMLOCK},   {78, VK_SCROLL},     {82, VK_SUBTRACT}, {86, VK_ADD},
    {94, VK_OEM_102},   {95, VK_F11},   {96, VK_F12},       {104, VK_RETURN},    {105, VK_CONTROL}, {106, VK_DIVIDE},
    {107, VK_SNAPSHOT}, {108, VK_MENU}, {110, VK_HOME},     {111, VK_UP},        {112, VK_PRIOR},   {113, VK_LEFT},
    {114, VK_RIGHT},    {115, VK_END},  {116, VK_DOWN},     {117, VK_NEXT},      {118, VK_INSERT},  {119, VK_DELETE},
    {127, VK_PAUSE},    {133, VK_LWIN}, {134, VK_RWIN},     {135, VK_APPS},      {191, VK_F13},     {192, VK_F14},
    {193, VK_F15},      {194, VK_F16},  {195, VK_F17},      {196, VK_F18},       {197, VK_F19},     {198, VK_F20},
    {199, VK_F21},      {200, VK_F22},  {201, VK_F23},      {202, VK_F24},
};

// The numeric keypad: with NumLock its digit, otherwise the navigation key.
struct TPadKey {
  quint32 Code;
  uint16_t Digit;
  uint16_t Nav;
};
const TPadKey kPadKeys[] = {
    {79, VK_NUMPAD7, VK_HOME},  {80, VK_NUMPAD8, VK_UP},     {81, VK_NUMPAD9, VK_PRIOR},  {83, VK_NUMPAD4, VK_LEFT},
    {84, VK_NUMPAD5, VK_CLEAR}, {85, VK_NUMPAD6, VK_RIGHT},  {87, VK_NUMPAD1, VK_END},    {88, VK_NUMPAD2, VK_DOWN},
    {89, VK_NUMPAD3, VK_NEXT},  {90, VK_NUMPAD0, VK_INSERT}, {91, VK_DECIMAL, VK_DELETE},
};

// Cyrillic letters on the Russian layout, by their physical key.
struct TCyrKey {
  char16_t Ch;
  uint16_t Vk;
};
const TCyrKey kCyrKeys[] = {
    {u'Й', 'Q'},          {u'Ц', 'W'},           {u'У', 'E'},      {u'К', 'R'},      {u'Е', 'T'},      {u'Н', 'Y'},
    {u'Г', 'U'},          {u'Ш', 'I'},           {u'Щ', 'O'},      {u'З', 'P'},      {u'Х', VK_OEM_4}, {u'Ъ', VK_OEM_6},
    {u'Ф', 'A'},          {u'Ы', 'S'},           {u'В', 'D'},      {u'А', 'F'},      {u'П', 'G'},      {u'Р', 'H'},
    {u'О', 'J'},          {u'Л', 'K'},           {u'Д', 'L'},      {u'Ж', VK_OEM_1}, {u'Э', VK_OEM_7}, {u'Я', 'Z'},
    {u'Ч', 'X'},          {u'С', 'C'},           {u'М', 'V'},      {u'И', 'B'},      {u'Т', 'N'},      {u'Ь', 'M'},
    {u'Б', VK_OEM_COMMA}, {u'Ю', VK_OEM_PERIOD}, {u'Ё', VK_OEM_3},
};

bool NativeScanCodesUsable() {
  static const bool usable = [] {
    QString p = QGuiApplication::platformName();
    return p == "xcb" || p.startsWith("wayland");
  }();
  return usable;
}

}  // namespace

uint16_t VirtualKeyFromX11Keycode(quint32 keycode, bool keypadDigits) {
  for (const TPadKey& k : kPadKeys)
    if (k.Code == keycode) return keypadDigits ? k.Digit : k.Nav;
  for (const TKeyCode& k : kX11Keys)
    if (k.Code == keycode) return k.Vk;
  return 0;
}

uint16_t VirtualKeyFromQtKey(int key, Qt::KeyboardModifiers mods) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return uint16_t(key);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    if (mods & Qt::KeypadModifier) return uint16_t(VK_NUMPAD0 + (key - Qt::Key_0));
    return uint16_t(key);
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return uint16_t(VK_F1 + (key - Qt::Key_F1));
  // Lower-case Cyrillic letters come upper-cased by Qt; map both.
  if (key >= 0x0400 && key <= 0x04FF) {
    char16_t up = char16_t(QChar(char16_t(key)).toUpper().unicode());
    for (const TCyrKey& k : kCyrKeys)
      if (k.Ch == up) return k.Vk;
  }
  switch (key) {
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_Clear: return VK_CLEAR;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return VK_MENU;
    case Qt::Key_Meta: return VK_LWIN;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Asterisk: return (mods & Qt::KeypadModifier) ? VK_MULTIPLY : uint16_t('8');
    case Qt::Key_Plus: return (mods & Qt::KeypadModifier) ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Minus: return (mods & Qt::KeypadModifier) ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Slash: return (mods & Qt::KeypadModifier) ? VK_DIVIDE : VK_OEM_2;
    case Qt::Key_Period: return (mods & Qt::KeypadModifier) ? VK_DECIMAL : VK_OEM_PERIOD;
    case Qt::Key_Comma: return VK_OEM_COMMA;
    case Qt::Key_Equal: return VK_OEM_PLUS;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return VK_OEM_1;
    case Qt::Key_Question: return VK_OEM_2;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return VK_OEM_7;
    case Qt::Key_Less:
    case Qt::Key_Greater: return VK_OEM_COMMA;
    case Qt::Key_Underscore: return VK_OEM_MINUS;
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Back: return VK_BROWSER_BACK;
    case Qt::Key_Forward: return VK_BROWSER_FORWARD;
    case Qt::Key_Refresh: return VK_BROWSER_REFRESH;
    case Qt::Key_Stop: return VK_BROWSER_STOP;
    case Qt::Key_Search: return VK_BROWSER_SEARCH;
    case Qt::Key_Favorites: return VK_BROWSER_FAVORITES;
    case Qt::Key_HomePage: return VK_BROWSER_HOME;
    case Qt::Key_VolumeMute: return VK_VOLUME_MUTE;
    case Qt::Key_VolumeDown: return VK_VOLUME_DOWN;
    case Qt::Key_VolumeUp: return VK_VOLUME_UP;
    case Qt::Key_MediaNext: return VK_MEDIA_NEXT_TRACK;
    case Qt::Key_MediaPrevious: return VK_MEDIA_PREV_TRACK;
    case Qt::Key_MediaStop: return VK_MEDIA_STOP;
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaTogglePlayPause: return VK_MEDIA_PLAY_PAUSE;
    case Qt::Key_LaunchMail: return VK_LAUNCH_MAIL;
    default: return 0;
  }
}

uint16_t VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers mods, quint32 nativeScanCode, const QString& text) {
  if (nativeScanCode != 0 && NativeScanCodesUsable()) {
    bool digits = (mods & Qt::KeypadModifier) && qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9;
    if (qtKey == Qt::Key_Period || qtKey == Qt::Key_Comma) digits = true;
    uint16_t vk = VirtualKeyFromX11Keycode(nativeScanCode, digits);
    if (vk) return vk;
  }
  uint16_t vk = VirtualKeyFromQtKey(qtKey, mods);
  if (vk) return vk;
  // A letter key Qt does not name: take the character.
  if (text.size() == 1) {
    QChar c = text[0].toUpper();
    if (c >= 'A' && c <= 'Z') return uint16_t(c.unicode());
    return VirtualKeyFromQtKey(int(c.unicode()), mods);
  }
  return 0;
}

namespace {
bool Extended(uint16_t vk, quint32 code) {
  switch (vk) {
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_DIVIDE:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
    case VK_SNAPSHOT: return code < 79 || code > 91;  // not the keypad's
    case VK_RETURN: return code == 104;
    case VK_CONTROL: return code == 105;
    case VK_MENU: return code == 108;
    default: return false;
  }
}
}  // namespace

LPARAM KeyDataFor(uint16_t vk, quint32 nativeScanCode, bool altDown, bool autoRepeat, bool up) {
  uint32_t d = 1;
  if (nativeScanCode >= 8 && nativeScanCode < 8 + 0x80) d |= uint32_t((nativeScanCode - 8) & 0xFF) << 16;
  if (Extended(vk, nativeScanCode)) d |= 1u << 24;
  if (altDown) d |= 1u << 29;
  if (autoRepeat || up) d |= 1u << 30;
  if (up) d |= 1u << 31;
  return LPARAM(int32_t(d));
}

std::string CharsForKey(uint16_t vk, Qt::KeyboardModifiers mods, const QString& text) {
  bool ctrl = (mods & Qt::ControlModifier) != 0;
  bool alt = (mods & Qt::AltModifier) != 0;
  if (vk == VK_DELETE || vk == VK_INSERT) return std::string();
  if (ctrl && !alt) {
    // Windows makes control characters of Ctrl+letter on every layout.
    if (vk >= 'A' && vk <= 'Z') return std::string(1, char(vk - 'A' + 1));
    if (vk == VK_OEM_4) return std::string(1, '\x1B');
    if (vk == VK_OEM_5) return std::string(1, '\x1C');
    if (vk == VK_OEM_6) return std::string(1, '\x1D');
    if (vk == VK_RETURN) return std::string(1, '\n');
    if (vk == VK_BACK) return std::string(1, '\x7F');
    if (vk == VK_SPACE) return std::string(1, ' ');
    if (vk == VK_OEM_MINUS && (mods & Qt::ShiftModifier)) return std::string(1, '\x1F');
    return std::string();
  }
  switch (vk) {
    case VK_RETURN: return std::string(1, '\r');
    case VK_BACK: return std::string(1, '\b');
    case VK_TAB: return std::string(1, '\t');
    case VK_ESCAPE: return std::string(1, '\x1B');
    default: break;
  }
  std::string out;
  for (QChar c : text) {
    char16_t u = c.unicode();
    if (u == 0x7F || (u < 0x20 && u != '\r' && u != '\t' && u != '\b' && u != 0x1B)) continue;
    int b = UnicodeToCp1251(u);
    out += b >= 0 ? char(b) : '?';
  }
  return out;
}

// ---- the lock keys (QtKeysX11.cpp) ----
bool X11CanSendKeys();
bool X11SendLockKey(int lock, bool down);

bool QtLockKeysBackend::Read(TLockKeyStates& states) {
  return QueryLockKeys(states.CapsLock, states.NumLock, states.ScrollLock);
}

bool QtLockKeysBackend::CanSendKeys() { return X11CanSendKeys(); }

bool QtLockKeysBackend::SendKey(int vk, bool down) {
  const int lock = vk == VK_NUMLOCK ? 0 : vk == VK_CAPITAL ? 1 : vk == VK_SCROLL ? 2 : -1;
  return lock >= 0 && X11SendLockKey(lock, down);
}
