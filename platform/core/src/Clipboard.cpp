// The toolkit's clipboard object.
#include "platform/Clipboard.h"

#include <cstring>

#include "platform/Widgetset.h"

namespace {
TClipboard* gClipboard = nullptr;
}

TClipboard::~TClipboard() {
  if (FOpenRefCount > 0 && WidgetsetInstalled()) CloseClipboard();
}

void TClipboard::Open() {
  if (FOpenRefCount == 0) {
    if (!OpenClipboard(nullptr)) throw EClipboardException("Cannot open clipboard");
    FEmptied = false;
  }
  ++FOpenRefCount;
}

void TClipboard::Close() {
  if (FOpenRefCount == 0) return;
  if (--FOpenRefCount == 0) CloseClipboard();
}

void TClipboard::Adding() {
  if (FOpenRefCount != 0 && !FEmptied) {
    EmptyClipboard();
    FEmptied = true;
  }
}

void TClipboard::Clear() {
  Open();
  try {
    EmptyClipboard();
    FEmptied = true;
  } catch (...) {
    Close();
    throw;
  }
  Close();
}

bool TClipboard::HasFormat(UINT format) { return IsClipboardFormatAvailable(format); }

int TClipboard::FormatCount() { return CountClipboardFormats(); }

UINT TClipboard::Formats(int index) {
  UINT f = 0;
  for (int i = 0; i <= index; ++i) {
    f = EnumClipboardFormats(f);
    if (f == 0) break;
  }
  return f;
}

std::string TClipboard::AsText() {
  std::string r;
  Open();
  try {
    HGLOBAL h = GetClipboardData(CF_TEXT);
    if (h) {
      std::string b = GlobalBytes(h);
      size_t z = b.find('\0');
      r = z == std::string::npos ? b : b.substr(0, z);
    }
  } catch (...) {
    Close();
    throw;
  }
  Close();
  return r;
}

void TClipboard::SetAsText(const std::string& text) {
  Open();
  try {
    Adding();
    std::string bytes = text;
    bytes.push_back('\0');
    if (!SetClipboardData(CF_TEXT, GlobalAllocBytes(bytes))) throw EClipboardException("Cannot set clipboard data");
  } catch (...) {
    Close();
    throw;
  }
  Close();
}

void TClipboard::SetTextBuf(const char* buffer) { SetAsText(buffer ? std::string(buffer) : std::string()); }

int TClipboard::GetTextBuf(char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  std::string t = AsText();
  int n = std::min<int>(int(t.size()), size - 1);
  std::memcpy(buffer, t.data(), size_t(n));
  buffer[n] = 0;
  return n;
}

HGLOBAL TClipboard::GetAsHandle(UINT format) {
  Open();
  HGLOBAL h = nullptr;
  try {
    h = GetClipboardData(format);
  } catch (...) {
    Close();
    throw;
  }
  Close();
  return h;
}

void TClipboard::SetAsHandle(UINT format, HGLOBAL block) {
  Open();
  try {
    Adding();
    if (!SetClipboardData(format, block)) throw EClipboardException("Cannot set clipboard data");
  } catch (...) {
    Close();
    throw;
  }
  Close();
}

std::string TClipboard::GetAsBytes(UINT format) {
  std::string r;
  Open();
  try {
    HGLOBAL h = GetClipboardData(format);
    if (h) r = GlobalBytes(h);
  } catch (...) {
    Close();
    throw;
  }
  Close();
  return r;
}

void TClipboard::SetAsBytes(UINT format, const std::string& bytes) { SetAsHandle(format, GlobalAllocBytes(bytes)); }

TClipboard* Clipboard() {
  if (!gClipboard) gClipboard = new TClipboard;
  return gClipboard;
}

TClipboard* SetClipboard(TClipboard* clipboard) {
  TClipboard* old = gClipboard;
  gClipboard = clipboard;
  return old;
}
