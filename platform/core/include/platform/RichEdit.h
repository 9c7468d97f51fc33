// The rich-edit control and the toolkit's small RTF reader and writer.
//
// The control keeps plain Windows-1251 text, as a memo does (window class
// "EDIT" with ES_MULTILINE, so every widget set shows it with its memo
// widget); what makes it "rich" is its exchange: its lines load and save
// RTF files (PlainText off, the default) and it pastes and copies the
// clipboard's "Rich Text Format" beside plain text.
//
// RTF reading keeps the text and drops the formatting: paragraphs (\par,
// \line, \row, \page, \sect) become CR LF, \tab a tab, \cell a tab; the
// bytes of \'hh are read in the code page of the current font's character
// set (from the font table) or the document's \ansicpg (1251, 1252 and 866
// are known; other bytes above 0x7F become "?"); \uN gives the Unicode
// character (in Windows-1251, "?" where it has none) and skips the \ucN
// fallback characters after it; destinations that hold no text (font,
// colour and style tables, \info, pictures, objects, every \* group) are
// skipped, as are the bytes of \binN. Unbalanced braces end or close the
// document without error.
//
// RTF writing puts the text in one paragraph per line in the given font
// (Windows-1251 document, font character set 204): "\", "{" and "}" are
// escaped, tabs become \tab, bytes 0x80..0xFF and control characters
// \'hh. Reading what was written gives the text back byte for byte.
#pragma once

#include <memory>
#include <string>

#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"

// True when the bytes start an RTF document ("{\rtf").
bool IsRtf(const std::string& bytes);
// The plain text of an RTF document (Windows-1251, paragraphs ended by
// CR LF, the document's last paragraph mark dropped).
std::string RtfToText(const std::string& rtf);
// An RTF document holding `text` (Windows-1251; CR LF, lone CR and lone LF
// each end a paragraph) in the font `fontName` of `pointSize` points.
std::string TextToRtf(const std::string& text, const std::string& fontName = "Times New Roman", int pointSize = 12);
// The clipboard format "Rich Text Format".
UINT RtfClipboardFormat();

class TCustomRichEdit;

// The lines of a rich edit: the memo's lines, read and written as RTF
// unless the control is in plain-text mode. Loading a stream that is not
// RTF takes it as plain text.
class TRichEditStrings : public TStrings {
 public:
  explicit TRichEditStrings(TCustomRichEdit* edit) : FEdit(edit) {}
  const char* ClassName() const override { return "TRichEditStrings"; }
  std::string Get(int index) const override;
  int GetCount() const override;
  void Put(int index, const std::string& s) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  std::string GetTextStr() const override;
  void SetTextStr(const std::string& text) override;
  void LoadFromStream(TStream* stream) override;
  void SaveToStream(TStream* stream) override;

 private:
  TStrings* Plain() const;
  TCustomRichEdit* FEdit;
};

class TCustomRichEdit : public TCustomMemo {
 public:
  explicit TCustomRichEdit(TComponent* owner);
  ~TCustomRichEdit() override;
  const char* ClassName() const override { return "TCustomRichEdit"; }

  // The RTF-aware lines (the memo's own lines stay plain).
  TStrings* Lines() const { return FRichLines.get(); }
  TStrings* PlainLines() const { return TCustomMemo::Lines(); }
  bool PlainText() const { return FPlainText; }
  void SetPlainText(bool v) { FPlainText = v; }

  // The selection as RTF, and the clipboard with RTF beside the text.
  void CopyToClipboard();
  void CutToClipboard();
  // Pastes the clipboard's RTF when it has some (and the control is not in
  // plain-text mode), else its text; nothing while read-only.
  void PasteFromClipboard();

 protected:
  void Dispatch(TMessage& msg) override;

 private:
  std::unique_ptr<TRichEditStrings> FRichLines;
  bool FPlainText = false;
};

class TRichEdit : public TCustomRichEdit {
 public:
  explicit TRichEdit(TComponent* owner) : TCustomRichEdit(owner) {}
  const char* ClassName() const override { return "TRichEdit"; }
};
