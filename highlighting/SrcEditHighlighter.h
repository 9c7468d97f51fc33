// The highlighter framework: token attributes, the language-neutral
// highlighter base with its line-scanning protocol, and the list of
// registered highlighter classes.
//
// Line-scanning protocol, as the editing control drives it:
//  1. Before the first line of a run call ResetScanState; before any other
//     line SetScanState with the value GetScanState gave at the end of the
//     line above.
//  2. StartLine(text, index): the highlighter keeps a pointer into `text`,
//     which must stay alive and unchanged until the line is done; the first
//     token is scanned at once.
//  3. While !AtLineEnd(): read TokenStart, TokenText (or TokenLength),
//     TokenKind and TokenAttribute (nil: paint in the editor's own colours),
//     then NextToken. Tokens may be empty.
//  4. At the line end GetScanState gives the value to store for the line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SrcEditMiscClasses.h"
#include "platform/Classes.h"
#include "platform/Colors.h"
#include "platform/Graphics.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"
#include "platform/Types.h"

// Language-neutral roles asked of DefaultAttribute.
constexpr int SRC_ATTR_COMMENT = 0;
constexpr int SRC_ATTR_IDENTIFIER = 1;
constexpr int SRC_ATTR_KEYWORD = 2;
constexpr int SRC_ATTR_STRING = 3;
constexpr int SRC_ATTR_WHITESPACE = 4;
constexpr int SRC_ATTR_SYMBOL = 5;

// Scan state carried from line to line; a highlighter defines what it holds.
using TSrcScanState = std::intptr_t;

// One named set of colours and font style.
class TSrcHighlighterAttributes : public TPersistent {
 public:
  // Background and Foreground start as clNone, Style empty, defaults zero.
  explicit TSrcHighlighterAttributes(const std::string& name);
  const char* ClassName() const override { return "TSrcHighlighterAttributes"; }

  // From another attribute: Name, then Background, Foreground and Style;
  // Changed once at the end when any of the three differed.
  void Assign(TPersistent* source) override;
  // Calls OnChange with this attribute as sender.
  virtual void Changed();
  // Reads a colour scheme stored as palette indices (two layouts); every
  // error is swallowed and gives false.
  virtual bool LoadFromPaletteRegistry(HKEY rootKey, const std::string& attrKey, const std::string& attrName,
                                       bool oldStyle);

  // The subkey `Name` below the registry's open key: "Background",
  // "Foreground" and "Style" (bits 0-3: bold, italic, underline, strike-out)
  // as integers. False when the subkey cannot be opened (or made); the
  // registry's open key is restored afterwards.
  bool LoadFromRegistry(TRegistry& reg);
  bool SaveToRegistry(TRegistry& reg);

  const std::string& Name() const { return FName; }
  TColor Background() const { return FBackground; }
  void SetBackground(TColor value);
  TColor Foreground() const { return FForeground; }
  void SetForeground(TColor value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles value);

  // The values at which the three properties count as not stored.
  TColor BackgroundDefault() const { return FBackgroundDefault; }
  TColor ForegroundDefault() const { return FForegroundDefault; }
  TFontStyles StyleDefault() const { return FStyleDefault; }
  bool IsBackgroundStored() const { return FBackground != FBackgroundDefault; }
  bool IsForegroundStored() const { return FForeground != FForegroundDefault; }
  bool IsStyleStored() const { return FStyle != FStyleDefault; }
  // Makes the current values the defaults.
  void InternalSaveDefaultValues();

  TNotifyEvent OnChange;

 private:
  TColor FBackground = clNone;
  TColor FBackgroundDefault = 0;
  TColor FForeground = clNone;
  TColor FForegroundDefault = 0;
  std::string FName;
  TFontStyles FStyle;
  TFontStyles FStyleDefault;
};

// Style bits as the registry keeps them (bit 0 bold, 1 italic, 2 underline,
// 3 strike-out; other bits ignored).
int SrcFontStyleToBits(TFontStyles style);
TFontStyles SrcBitsToFontStyle(int bits);
// The colour-name ("clRed", "clWindow"...) or number ("$FF", "255") syntax;
// raises EConvertError "'%s' is not a valid integer value" otherwise.
TColor SrcStringToColor(const std::string& s);
// The 16 colours of the palette-based schemes (index 0-15).
TColor SrcPaletteColor(int index);

class TSrcCustomHighlighter;

// A class reference for the list of highlighters: one static descriptor per
// class, compared by address.
struct TSrcHighlighterClass {
  const char* Name;
  TSrcCustomHighlighter* (*Create)(TComponent* owner);
};

// The language-neutral highlighter. The operations marked "concrete" raise
// EAbstractError "Abstract Error" here.
class TSrcCustomHighlighter : public TComponent {
 public:
  explicit TSrcCustomHighlighter(TComponent* owner);
  ~TSrcCustomHighlighter() override;
  const char* ClassName() const override { return "TSrcCustomHighlighter"; }

  void Assign(TPersistent* source) override;
  void Loaded() override;

  virtual int AttributeCount() const;
  // In alphabetical (case-insensitive) order of the names; nil out of range.
  virtual TSrcHighlighterAttributes* AttributeAt(int index) const;
  virtual TSrcHighlighterAttributes* DefaultAttribute(int index) const;  // concrete
  virtual std::string DefaultFilter() const;
  // The characters that may form an identifier: 33 to 255 here.
  virtual TSysCharSet IdentifierCharSet() const;
  virtual std::string SampleText() const;
  virtual bool IsDefaultFilterStored() const;
  virtual void SetDefaultFilter(const std::string& value);
  virtual void SetSampleText(const std::string& value);
  virtual void SetWordBreakCharSet(const TSysCharSet& value);
  virtual unsigned Capabilities() const { return 2; }
  virtual std::string LanguageName() const;

  // The token protocol.
  virtual bool AtLineEnd() const;                             // concrete
  virtual TSrcScanState GetScanState() const;                 // 0 here
  virtual std::string TokenText() const;                      // concrete
  virtual TSrcHighlighterAttributes* TokenAttribute() const;  // concrete
  virtual int TokenKind() const;                              // concrete
  virtual int TokenStart() const;                             // concrete
  // Length of the current token, without copying it (TokenText's length).
  virtual int TokenLength() const;
  virtual void NextToken();                                            // concrete
  virtual void StartLine(const std::string& lineText, int lineIndex);  // concrete
  virtual void SetScanState(TSrcScanState value);                      // nothing here
  virtual void ResetScanState();                                       // nothing here
  // StartLine on a text the caller keeps, `text[length]` being a NUL (no
  // copy). Here: a copy given to StartLine.
  virtual void StartLineView(const char* text, int length, int lineIndex);

  // Resuming inside a line. TokenResumeState answers true when the current
  // token's start is a resume point, with the state to resume there: a scan
  // placed at that start with ResumeLine gives the tokens of the scan from
  // the line start, as long as the line's bytes from ResumeMargin() before
  // the point on are those of the scan that found it; and the tokens before
  // the point read no byte at or beyond ResumeMargin() after it, so an edit
  // that far away leaves the point and its state as they were. Here: no
  // resume points.
  virtual bool TokenResumeState(TSrcScanState& state) const;
  // Continues the line at `position` (a resume point) in `state`; `text` as
  // for StartLineView. Concrete in a highlighter that has resume points.
  virtual void ResumeLine(const char* text, int length, int lineIndex, int position, TSrcScanState state);
  virtual int ResumeMargin() const { return 0; }

  // Attributes under `key` below `rootKey` of the default settings store;
  // false when the key cannot be opened (or made) or an attribute fails.
  virtual bool LoadFromRegistry(HKEY rootKey, const std::string& key);
  virtual bool SaveToRegistry(HKEY rootKey, const std::string& key);

  // Adds under the attribute's Name; a second one of that name raises the
  // string list's duplicate error. The highlighter owns the attribute.
  void AddAttribute(TSrcHighlighterAttributes* attribute);
  void AddAttributeChangeHook(const TSrcMethod& hook);
  void RemoveAttributeChangeHook(const TSrcMethod& hook);
  // Fires the attribute-change hooks with `sender` (not while loading).
  void NotifyAttributeChange(TObject* sender);
  // Every attribute gets `method` as OnChange and its current values as defaults.
  void SetAttributesOnChange(const TNotifyEvent& method);
  // NextToken until AtLineEnd.
  void ScanToLineEnd();

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  const TSysCharSet& WordBreakChars() const { return FWordBreakChars; }

  // A class descriptor for the list of highlighters.
  static const TSrcHighlighterClass* ClassInfo();

 protected:
  // True when `source` is of this object's class or derives from it
  // (Assign copies the sample text only then).
  virtual bool IsOwnClassOrDescendant(const TSrcCustomHighlighter* source) const;
  // The attribute-change handler every attribute reports to.
  TNotifyEvent AttributeChangeHandler();
  [[noreturn]] void AbstractError() const;

 private:
  TStringList* FAttributes;
  TSrcNotifyEventChain* FAttrChangeHooks;
  bool FEnabled = true;
  TSysCharSet FWordBreakChars;
  std::string FDefaultFilter;
  std::string FViewCopy;
};

// The registry of highlighter classes; one global instance.
class TSrcHighlighterList : public TObject {
 public:
  TSrcHighlighterList() = default;
  const char* ClassName() const override { return "TSrcHighlighterList"; }
  int Count() const { return static_cast<int>(FClasses.size()); }
  const TSrcHighlighterClass* Items(int index) const;  // nil out of range
  int FindByName(const std::string& name) const;       // -1 when absent
  void RegisterHighlighter(const TSrcHighlighterClass* highlighter);

 private:
  std::vector<const TSrcHighlighterClass*> FClasses;
};

TSrcHighlighterList& GetPlaceableHighlighters();
void RegisterPlaceableHighlighter(const TSrcHighlighterClass* highlighter);
