// The HTML highlighter: tags and their names, attribute names and values,
// comments, character references, white space and text, with a range byte
// carried from line to line so that comments, open tags and quoted values
// span lines.
#pragma once

#include <cstdint>
#include <string>

#include "SrcEditHighlighter.h"

// The range byte, the highlighter's scan state.
enum THtmlRange : std::uint8_t {
  hrAmpersand = 0,          // an escape begins at the scan position
  hrComment = 1,            // inside "<!-- ... -->"
  hrKey = 2,                // just after "<": the tag name comes next
  hrParam = 3,              // inside a tag after its name
  hrText = 4,               // outside tags (initial)
  hrUnused = 5,             // never produced
  hrValue = 6,              // just after "=" inside a tag
  hrSingleQuotedValue = 7,  // inside '...'
  hrDoubleQuotedValue = 8,  // inside "..."
};

// What TokenKind answers.
enum THtmlTokenKind : std::uint8_t {
  htkEscapeAmpersand = 0,
  htkComment = 1,
  htkIdentifier = 2,
  htkReservedWord = 3,
  htkEndOfLine = 4,
  htkSpace = 5,
  htkSymbol = 6,
  htkText = 7,
  htkUnknownWord = 8,
  htkValue = 9,
};

class TSrcHTMLHighlighter : public TSrcCustomHighlighter {
 public:
  explicit TSrcHTMLHighlighter(TComponent* owner);
  const char* ClassName() const override { return "TSrcHTMLHighlighter"; }

  TSrcHighlighterAttributes* DefaultAttribute(int index) const override;
  TSysCharSet IdentifierCharSet() const override;
  std::string SampleText() const override;
  std::string LanguageName() const override;
  bool IsDefaultFilterStored() const override;

  bool AtLineEnd() const override { return FTokenKind == htkEndOfLine; }
  TSrcScanState GetScanState() const override { return FRange; }
  void SetScanState(TSrcScanState value) override { FRange = static_cast<std::uint8_t>(value & 0xFF); }
  void ResetScanState() override { FRange = hrText; }
  std::string TokenText() const override;
  int TokenLength() const override { return FRun - FTokenPos; }
  TSrcHighlighterAttributes* TokenAttribute() const override;
  int TokenKind() const override { return FTokenKind; }
  int TokenStart() const override { return FTokenPos; }
  void NextToken() override;
  void StartLine(const std::string& lineText, int lineIndex) override;
  void StartLineView(const char* text, int length, int lineIndex) override;
  // Every token start is a resume point but the one of an escape that the
  // text before it found (its state holds what that text looked ahead at).
  bool TokenResumeState(TSrcScanState& state) const override;
  void ResumeLine(const char* text, int length, int lineIndex, int position, TSrcScanState state) override;
  // Comments look two bytes back; "<" looks three ahead; 16 keeps clear.
  int ResumeMargin() const override { return 16; }

  // The entity found ahead of the scan position (index into HtmlEntities), or -1.
  int EntityIndex() const { return FEntityIndex; }
  int LineIndex() const { return FLineIndex; }

  TSrcHighlighterAttributes* AndAttri() const { return FAndAttri; }
  TSrcHighlighterAttributes* CommentAttri() const { return FCommentAttri; }
  TSrcHighlighterAttributes* IdentifierAttri() const { return FIdentifierAttri; }
  TSrcHighlighterAttributes* KeyAttri() const { return FKeyAttri; }
  TSrcHighlighterAttributes* SpaceAttri() const { return FSpaceAttri; }
  TSrcHighlighterAttributes* SymbolAttri() const { return FSymbolAttri; }
  TSrcHighlighterAttributes* TextAttri() const { return FTextAttri; }
  TSrcHighlighterAttributes* UndefKeyAttri() const { return FUndefKeyAttri; }
  TSrcHighlighterAttributes* ValueAttri() const { return FValueAttri; }

  static const TSrcHighlighterClass* ClassInfo();

 protected:
  bool IsOwnClassOrDescendant(const TSrcCustomHighlighter* source) const override;

 private:
  void Dispatch();
  void EndOfLineProc();
  void LineFeedProc();
  void CarriageReturnProc();
  void SpaceProc();
  void OpenProc();
  void EqualsProc();
  void CloseProc();
  void WordProc();
  void QuoteProc();
  void AmpersandProc();
  void TextProc();
  void CommentProc();
  // Skips "X"/"x" and hexadecimal digits, or decimal digits, from FRun.
  void SkipReferenceDigits();

  int FEntityIndex = -1;
  std::uint8_t FRange = hrText;
  const unsigned char* FLine;  // the caller's text, NUL after its last byte
  int FLineLen = 0;
  int FRun = 0;
  int FTokenPos = 0;
  std::uint8_t FTokenKind = htkEndOfLine;
  // The range and the entity found ahead at the current token's start.
  std::uint8_t FTokenRange = hrText;
  int FTokenEntity = -1;
  TSrcHighlighterAttributes* FAndAttri;
  TSrcHighlighterAttributes* FCommentAttri;
  TSrcHighlighterAttributes* FIdentifierAttri;
  TSrcHighlighterAttributes* FKeyAttri;
  TSrcHighlighterAttributes* FSpaceAttri;
  TSrcHighlighterAttributes* FSymbolAttri;
  TSrcHighlighterAttributes* FTextAttri;
  TSrcHighlighterAttributes* FUndefKeyAttri;
  TSrcHighlighterAttributes* FValueAttri;
  TSrcHighlighterAttributes* FTokenAttributes[10];  // by token kind
  int FLineIndex = 0;
};
