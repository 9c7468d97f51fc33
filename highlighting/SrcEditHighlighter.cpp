#include "SrcEditHighlighter.h"

#include <array>
#include <memory>

#include "platform/CodePage.h"

// --- style bits, colours ----------------------------------------------------
int SrcFontStyleToBits(TFontStyles style) {
  int bits = 0;
  if (style.Contains(fsBold)) bits |= 1;
  if (style.Contains(fsItalic)) bits |= 2;
  if (style.Contains(fsUnderline)) bits |= 4;
  if (style.Contains(fsStrikeOut)) bits |= 8;
  return bits;
}

TFontStyles SrcBitsToFontStyle(int bits) {
  TFontStyles style;
  if (bits & 1) style.Include(fsBold);
  if (bits & 2) style.Include(fsItalic);
  if (bits & 4) style.Include(fsUnderline);
  if (bits & 8) style.Include(fsStrikeOut);
  return style;
}

namespace {

struct TColorName {
  const char* Name;
  TColor Color;
};

constexpr TColorName kColorNames[] = {
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clMoneyGreen", clMoneyGreen},
    {"clSkyBlue", clSkyBlue},
    {"clCream", clCream},
    {"clMedGray", clMedGray},
    {"clLtGray", clLtGray},
    {"clDkGray", clDkGray},
    {"clActiveBorder", clActiveBorder},
    {"clActiveCaption", clActiveCaption},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clBackground", clBackground},
    {"clBtnFace", clBtnFace},
    {"clBtnHighlight", clBtnHighlight},
    {"clBtnShadow", clBtnShadow},
    {"clBtnText", clBtnText},
    {"clCaptionText", clCaptionText},
    {"clDefault", clDefault},
    {"clGradientActiveCaption", clGradientActiveCaption},
    {"clGradientInactiveCaption", clGradientInactiveCaption},
    {"clGrayText", clGrayText},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clHotLight", clHotLight},
    {"clInactiveBorder", clInactiveBorder},
    {"clInactiveCaption", clInactiveCaption},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clInfoBk", clInfoBk},
    {"clInfoText", clInfoText},
    {"clMenu", clMenu},
    {"clMenuBar", clMenuBar},
    {"clMenuHighlight", clMenuHighlight},
    {"clMenuText", clMenuText},
    {"clNone", clNone},
    {"clScrollBar", clScrollBar},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clWindowText", clWindowText},
};

// The 16-colour palette of the palette-based schemes.
constexpr std::array<TColor, 16> kPalette = {
    RGB(0, 0, 0),     RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),   RGB(0, 0, 128), RGB(128, 0, 128),
    RGB(0, 128, 128), RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0), RGB(255, 255, 0),
    RGB(0, 0, 255),   RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255),
};

// A registry string as a flag: true unless "0" or "FALSE" in any case.
bool IsTrueString(const std::string& s) { return s != "0" && UpperCase(s) != "FALSE"; }

// Field `n` (1-based) of a comma-separated list; a missing comma makes the
// rest of the string the field, and later fields are empty.
std::string Field(const std::string& s, int n) {
  std::size_t start = 0;
  for (int i = 1; i < n; ++i) {
    const std::size_t comma = s.find(',', start);
    if (comma == std::string::npos) return std::string();
    start = comma + 1;
  }
  const std::size_t comma = s.find(',', start);
  return s.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
}

}  // namespace

TColor SrcStringToColor(const std::string& s) {
  for (const TColorName& n : kColorNames)
    if (SameText(s, n.Name)) return n.Color;
  return static_cast<TColor>(StrToInt(s));
}

TColor SrcPaletteColor(int index) {
  // A scheme from outside may hold any number: only 0-15 name a colour.
  if (index < 0 || index >= static_cast<int>(kPalette.size()))
    throw ERangeError(Format("Palette index %d out of range", index));
  return kPalette[static_cast<std::size_t>(index)];
}

// --- TSrcHighlighterAttributes ----------------------------------------------
TSrcHighlighterAttributes::TSrcHighlighterAttributes(const std::string& name) : FName(name) {
  SetBackground(clNone);
  SetForeground(clNone);
}

void TSrcHighlighterAttributes::Assign(TPersistent* source) {
  auto* src = dynamic_cast<TSrcHighlighterAttributes*>(source);
  if (src == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  FName = src->FName;
  bool changed = false;
  if (FBackground != src->FBackground) {
    FBackground = src->FBackground;
    changed = true;
  }
  if (FForeground != src->FForeground) {
    FForeground = src->FForeground;
    changed = true;
  }
  if (FStyle != src->FStyle) {
    FStyle = src->FStyle;
    changed = true;
  }
  if (changed) Changed();
}

void TSrcHighlighterAttributes::Changed() {
  if (OnChange) OnChange(this);
}

void TSrcHighlighterAttributes::SetBackground(TColor value) {
  if (FBackground != value) {
    FBackground = value;
    Changed();
  }
}

void TSrcHighlighterAttributes::SetForeground(TColor value) {
  if (FForeground != value) {
    FForeground = value;
    Changed();
  }
}

void TSrcHighlighterAttributes::SetStyle(TFontStyles value) {
  if (FStyle != value) {
    FStyle = value;
    Changed();
  }
}

void TSrcHighlighterAttributes::InternalSaveDefaultValues() {
  FBackgroundDefault = FBackground;
  FForegroundDefault = FForeground;
  FStyleDefault = FStyle;
}

bool TSrcHighlighterAttributes::LoadFromRegistry(TRegistry& reg) {
  const std::string path = reg.CurrentPath();
  if (!reg.OpenKeyReadOnly(FName)) return false;
  if (reg.ValueExists("Background")) SetBackground(static_cast<TColor>(reg.ReadInteger("Background")));
  if (reg.ValueExists("Foreground")) SetForeground(static_cast<TColor>(reg.ReadInteger("Foreground")));
  if (reg.ValueExists("Style")) SetStyle(SrcBitsToFontStyle(reg.ReadInteger("Style")));
  reg.OpenKeyReadOnly("\\" + path);
  return true;
}

bool TSrcHighlighterAttributes::SaveToRegistry(TRegistry& reg) {
  const std::string path = reg.CurrentPath();
  if (!reg.OpenKey(FName, true)) return false;
  reg.WriteInteger("Background", static_cast<int>(FBackground));
  reg.WriteInteger("Foreground", static_cast<int>(FForeground));
  reg.WriteInteger("Style", SrcFontStyleToBits(FStyle));
  reg.OpenKey("\\" + path, false);
  return true;
}

bool TSrcHighlighterAttributes::LoadFromPaletteRegistry(HKEY rootKey, const std::string& attrKey,
                                                        const std::string& attrName, bool oldStyle) {
  bool result = false;
  try {
    TRegistry reg;
    reg.SetRootKey(rootKey);
    if (oldStyle) {
      if (!reg.OpenKeyReadOnly(attrKey) || !reg.ValueExists(attrName)) return false;
      const std::string s = reg.ReadString(attrName);
      if (Field(s, 5) == "1")
        SetBackground(clWindow);
      else
        SetBackground(SrcPaletteColor(StrToInt(Field(s, 7))));
      if (Field(s, 4) == "1")
        SetForeground(clWindowText);
      else
        SetForeground(SrcPaletteColor(StrToInt(Field(s, 6))));
      const std::string letters = Field(s, 3);
      TFontStyles style;
      if (letters.find('B') != std::string::npos) style.Include(fsBold);
      if (letters.find('I') != std::string::npos) style.Include(fsItalic);
      if (letters.find('U') != std::string::npos) style.Include(fsUnderline);
      SetStyle(style);
      result = true;
    } else {
      if (!reg.OpenKeyReadOnly(attrKey + "\\" + attrName)) return false;
      TColor foreground;
      if (reg.ValueExists("Foreground Color"))
        foreground = SrcPaletteColor(reg.ReadInteger("Foreground Color"));
      else if (reg.ValueExists("Foreground Color New"))
        foreground = SrcStringToColor(reg.ReadString("Foreground Color New"));
      else
        return false;
      TColor background;
      if (reg.ValueExists("Background Color"))
        background = SrcPaletteColor(reg.ReadInteger("Background Color"));
      else if (reg.ValueExists("Background Color New"))
        background = SrcStringToColor(reg.ReadString("Background Color New"));
      else
        return false;
      for (const char* name : {"Bold", "Italic", "Underline", "Default Foreground", "Default Background"})
        if (!reg.ValueExists(name)) return false;
      const bool bold = IsTrueString(reg.ReadString("Bold"));
      const bool italic = IsTrueString(reg.ReadString("Italic"));
      const bool underline = IsTrueString(reg.ReadString("Underline"));
      const bool defaultForeground = IsTrueString(reg.ReadString("Default Foreground"));
      const bool defaultBackground = IsTrueString(reg.ReadString("Default Background"));
      SetBackground(defaultBackground ? clWindow : background);
      SetForeground(defaultForeground ? clWindowText : foreground);
      TFontStyles style;
      if (bold) style.Include(fsBold);
      if (italic) style.Include(fsItalic);
      if (underline) style.Include(fsUnderline);
      SetStyle(style);
      result = true;
    }
  } catch (...) {
    // A damaged scheme loads as far as it goes; the result tells it failed.
  }
  return result;
}

// --- TSrcCustomHighlighter --------------------------------------------------
namespace {

TSysCharSet InitialWordBreakChars() {
  TSysCharSet s;
  s.IncludeRange(33, 34).IncludeRange(39, 47).IncludeRange(58, 59).Include(61).Include(63);
  s.IncludeRange(91, 94).IncludeRange(123, 125);
  return s;
}

TSrcCustomHighlighter* CreateCustomHighlighter(TComponent* owner) { return new TSrcCustomHighlighter(owner); }

const TSrcHighlighterClass kCustomClass = {"TSrcCustomHighlighter", &CreateCustomHighlighter};

}  // namespace

const TSrcHighlighterClass* TSrcCustomHighlighter::ClassInfo() { return &kCustomClass; }

TSrcCustomHighlighter::TSrcCustomHighlighter(TComponent* owner)
    : TComponent(owner), FWordBreakChars(InitialWordBreakChars()) {
  FAttributes = new TStringList();
  FAttributes->SetDuplicates(dupError);
  FAttributes->SetSorted(true);
  FAttrChangeHooks = new TSrcNotifyEventChain(this);
  FDefaultFilter.clear();
  FEnabled = true;
}

TSrcCustomHighlighter::~TSrcCustomHighlighter() {
  // The editors using this highlighter unhook themselves from their free
  // notification, which needs the hook chain: tell them while everything is
  // still in place. Owned components go next, for the same reason.
  NotifyDestruction();
  DestroyComponents();
  for (int i = FAttributes->Count() - 1; i >= 0; --i) delete FAttributes->Objects(i);
  FAttributes->Clear();
  delete FAttributes;
  delete FAttrChangeHooks;
}

void TSrcCustomHighlighter::AbstractError() const { throw EAbstractError("Abstract Error"); }

bool TSrcCustomHighlighter::IsOwnClassOrDescendant(const TSrcCustomHighlighter* source) const {
  return source != nullptr;
}

void TSrcCustomHighlighter::Assign(TPersistent* source) {
  auto* src = dynamic_cast<TSrcCustomHighlighter*>(source);
  if (src == nullptr) {
    TComponent::Assign(source);
    return;
  }
  for (int i = 0; i < AttributeCount(); ++i) {
    TSrcHighlighterAttributes* own = AttributeAt(i);
    for (int j = 0; j < src->AttributeCount(); ++j) {
      TSrcHighlighterAttributes* other = src->AttributeAt(j);
      if (other->Name() == own->Name()) {
        own->Assign(other);
        break;
      }
    }
  }
  if (IsOwnClassOrDescendant(src)) SetSampleText(src->SampleText());
  FWordBreakChars = src->FWordBreakChars;
  SetDefaultFilter(src->DefaultFilter());
  SetEnabled(src->Enabled());
}

void TSrcCustomHighlighter::Loaded() {
  TComponent::Loaded();
  SetComponentState(ComponentState() & ~static_cast<TComponentState>(csLoading));
  NotifyAttributeChange(nullptr);
}

int TSrcCustomHighlighter::AttributeCount() const { return FAttributes->Count(); }

TSrcHighlighterAttributes* TSrcCustomHighlighter::AttributeAt(int index) const {
  if (index < 0 || index >= FAttributes->Count()) return nullptr;
  return static_cast<TSrcHighlighterAttributes*>(FAttributes->Objects(index));
}

TSrcHighlighterAttributes* TSrcCustomHighlighter::DefaultAttribute(int) const { AbstractError(); }

std::string TSrcCustomHighlighter::DefaultFilter() const { return FDefaultFilter; }

TSysCharSet TSrcCustomHighlighter::IdentifierCharSet() const { return TSysCharSet::Range(33, 255); }

std::string TSrcCustomHighlighter::SampleText() const { return std::string(); }

bool TSrcCustomHighlighter::IsDefaultFilterStored() const { return true; }

void TSrcCustomHighlighter::SetDefaultFilter(const std::string& value) { FDefaultFilter = value; }

void TSrcCustomHighlighter::SetSampleText(const std::string&) {}

void TSrcCustomHighlighter::SetWordBreakCharSet(const TSysCharSet& value) { FWordBreakChars = value; }

std::string TSrcCustomHighlighter::LanguageName() const { return "<Unknown>"; }

bool TSrcCustomHighlighter::AtLineEnd() const { AbstractError(); }

TSrcScanState TSrcCustomHighlighter::GetScanState() const { return 0; }

std::string TSrcCustomHighlighter::TokenText() const { AbstractError(); }

TSrcHighlighterAttributes* TSrcCustomHighlighter::TokenAttribute() const { AbstractError(); }

int TSrcCustomHighlighter::TokenKind() const { AbstractError(); }

int TSrcCustomHighlighter::TokenStart() const { AbstractError(); }

int TSrcCustomHighlighter::TokenLength() const { return static_cast<int>(TokenText().size()); }

void TSrcCustomHighlighter::NextToken() { AbstractError(); }

void TSrcCustomHighlighter::StartLine(const std::string&, int) { AbstractError(); }

void TSrcCustomHighlighter::StartLineView(const char* text, int length, int lineIndex) {
  // The copy lives as long as the line's tokens are read.
  FViewCopy.assign(text, static_cast<std::size_t>(length));
  StartLine(FViewCopy, lineIndex);
}

bool TSrcCustomHighlighter::TokenResumeState(TSrcScanState&) const { return false; }

void TSrcCustomHighlighter::ResumeLine(const char*, int, int, int, TSrcScanState) { AbstractError(); }

void TSrcCustomHighlighter::SetScanState(TSrcScanState) {}

void TSrcCustomHighlighter::ResetScanState() {}

bool TSrcCustomHighlighter::LoadFromRegistry(HKEY rootKey, const std::string& key) {
  TRegistry reg;
  reg.SetRootKey(rootKey);
  if (!reg.OpenKeyReadOnly(key)) return false;
  bool result = true;
  for (int i = 0; i < AttributeCount(); ++i) result = AttributeAt(i)->LoadFromRegistry(reg) && result;
  return result;
}

bool TSrcCustomHighlighter::SaveToRegistry(HKEY rootKey, const std::string& key) {
  TRegistry reg;
  reg.SetRootKey(rootKey);
  if (!reg.OpenKey(key, true)) return false;
  bool result = true;
  for (int i = 0; i < AttributeCount(); ++i) result = AttributeAt(i)->SaveToRegistry(reg) && result;
  return result;
}

void TSrcCustomHighlighter::AddAttribute(TSrcHighlighterAttributes* attribute) {
  FAttributes->AddObject(attribute->Name(), attribute);
}

void TSrcCustomHighlighter::AddAttributeChangeHook(const TSrcMethod& hook) { FAttrChangeHooks->Add(hook); }

void TSrcCustomHighlighter::RemoveAttributeChangeHook(const TSrcMethod& hook) { FAttrChangeHooks->Remove(hook); }

void TSrcCustomHighlighter::NotifyAttributeChange(TObject* sender) {
  if (ComponentState() & csLoading) return;
  FAttrChangeHooks->SetSender(sender);
  FAttrChangeHooks->Fire();
}

TNotifyEvent TSrcCustomHighlighter::AttributeChangeHandler() {
  return [this](TObject* sender) { NotifyAttributeChange(sender); };
}

void TSrcCustomHighlighter::SetAttributesOnChange(const TNotifyEvent& method) {
  for (int i = FAttributes->Count() - 1; i >= 0; --i) {
    TSrcHighlighterAttributes* attr = AttributeAt(i);
    attr->OnChange = method;
    attr->InternalSaveDefaultValues();
  }
}

void TSrcCustomHighlighter::ScanToLineEnd() {
  while (!AtLineEnd()) NextToken();
}

void TSrcCustomHighlighter::SetEnabled(bool value) {
  if (FEnabled != value) {
    FEnabled = value;
    NotifyAttributeChange(nullptr);
  }
}

// --- TSrcHighlighterList ----------------------------------------------------
const TSrcHighlighterClass* TSrcHighlighterList::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return FClasses[static_cast<std::size_t>(index)];
}

int TSrcHighlighterList::FindByName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(FClasses[static_cast<std::size_t>(i)]->Name, name)) return i;
  return -1;
}

void TSrcHighlighterList::RegisterHighlighter(const TSrcHighlighterClass* highlighter) {
  for (const TSrcHighlighterClass* c : FClasses)
    if (c == highlighter) return;
  FClasses.push_back(highlighter);
}

TSrcHighlighterList& GetPlaceableHighlighters() {
  // Made on first use, so that every unit's registration finds it, whatever
  // the order of their initialisation; freed when the program ends.
  static TSrcHighlighterList list;
  return list;
}

void RegisterPlaceableHighlighter(const TSrcHighlighterClass* highlighter) {
  GetPlaceableHighlighters().RegisterHighlighter(highlighter);
}
