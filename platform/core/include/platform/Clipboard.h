// The toolkit's clipboard object over the Win32 clipboard calls.
#pragma once

#include <string>

#include "platform/Classes.h"
#include "platform/Win32.h"

class TClipboard : public TPersistent {
 public:
  TClipboard() = default;
  ~TClipboard() override;
  const char* ClassName() const override { return "TClipboard"; }

  // Nestable: the first Open opens the Win32 clipboard (raising
  // EClipboardException "Cannot open clipboard" when it cannot), the last
  // Close closes it.
  void Open();
  void Close();
  bool IsOpen() const { return FOpenRefCount > 0; }
  void Clear();

  bool HasFormat(UINT format);
  int FormatCount();
  UINT Formats(int index);

  // CF_TEXT in Windows-1251 (without the closing NUL); setting replaces the
  // whole content.
  std::string AsText();
  void SetAsText(const std::string& text);
  void SetTextBuf(const char* buffer);
  int GetTextBuf(char* buffer, int size);

  // Blocks: SetAsHandle hands the block to the clipboard (which owns it);
  // GetAsHandle returns the clipboard's block (valid while it is open).
  HGLOBAL GetAsHandle(UINT format);
  void SetAsHandle(UINT format, HGLOBAL block);
  // The same as byte strings.
  std::string GetAsBytes(UINT format);
  void SetAsBytes(UINT format, const std::string& bytes);

 private:
  void Adding();
  int FOpenRefCount = 0;
  bool FEmptied = false;
};

BQS_DECLARE_EXCEPTION(EClipboardException, Exception);

// The program's clipboard object.
TClipboard* Clipboard();
// Replaces it (tests); returns the old one (the caller frees it).
TClipboard* SetClipboard(TClipboard* clipboard);
