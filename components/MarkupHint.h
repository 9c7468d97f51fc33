// TMarkupHint: placed once on the main form, it makes every tooltip of the
// application appear in TMarkupHintWindow, which draws the tooltip text
// with the markup renderer (MarkupHints.h): a background colour or a
// vertical gradient, a 3-D frame or a rounded outline, margins, the hint
// font, anchors in a link colour, pictures.
//
// Construction installs the window class for the whole application (it
// stays installed after the component is destroyed) and listens to every
// tooltip through a TApplicationEvents object of its own. The window finds
// the component anew at every activation; when the component dies while a
// tooltip shows, the window forgets it and paints only its background.
#pragma once

#include <memory>
#include <string>

#include "PictureStore.h"
#include "platform/AppEvnts.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"

BQS_DECLARE_EXCEPTION(EMarkupHintError, Exception);

enum THintStyle { hsRectangle, hsRounded };

class TMarkupHint : public TComponent {
 public:
  // Raises EMarkupHintError "Control parent must be a form!" when the owner
  // is not a form and "Only one instance of TMarkupHint allowed on form"
  // for a second one on the same form.
  explicit TMarkupHint(TComponent* owner);
  ~TMarkupHint() override;
  const char* ClassName() const override { return "TMarkupHint"; }

  bool Ellipsis() const { return FEllipsis; }
  void SetEllipsis(bool v) { FEllipsis = v; }
  TColor HintColor() const { return FHintColor; }
  void SetHintColor(TColor c) { FHintColor = c; }
  TColor HintColorTo() const { return FHintColorTo; }
  void SetHintColorTo(TColor c) { FHintColorTo = c; }
  TFont* HintFont() const { return FHintFont.get(); }
  void SetHintFont(TFont* font) { FHintFont->Assign(font); }
  THintStyle HintStyle() const { return FHintStyle; }
  void SetHintStyle(THintStyle s) { FHintStyle = s; }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* images);
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int w) { FMaxWidth = w; }
  TPictureStore* PictureStore() const { return FPictureStore; }
  void SetPictureStore(TPictureStore* store);
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor c) { FShadowColor = c; }
  int ShadowOffset() const { return FShadowOffset; }
  void SetShadowOffset(int v) { FShadowOffset = v; }
  TColor URLColor() const { return FURLColor; }
  void SetURLColor(TColor c) { FURLColor = c; }
  int XMargin() const { return FXMargin; }
  void SetXMargin(int v) { FXMargin = v; }
  int YMargin() const { return FYMargin; }
  void SetYMargin(int v) { FYMargin = v; }
  std::string Version() const { return "1.3.5.0"; }
  void SetVersion(const std::string&) {}
  // Called for every tooltip before it is shown.
  TShowHintEvent OnShowHint;

  THintPictureCache* PictureCache() const { return FCache.get(); }
  // The hint information of the last tooltip.
  const THintInfo& HintInfo() const { return FHintInfo; }
  // The show-hint handler bound to the application events.
  void AppShowHint(std::string& hintStr, bool& canShow, THintInfo& hintInfo);
  // True once after each tooltip the application announced through
  // AppShowHint: the window's next activation is that tooltip.
  bool TakeTooltip() {
    bool t = FTooltipPending;
    FTooltipPending = false;
    return t;
  }

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  std::unique_ptr<THintPictureCache> FCache;
  TApplicationEvents* FEvents = nullptr;
  THintInfo FHintInfo;
  bool FTooltipPending = false;
  bool FEllipsis = false;
  TColor FHintColor = clInfoBk;
  TColor FHintColorTo = clNone;
  std::unique_ptr<TFont> FHintFont;
  THintStyle FHintStyle = hsRectangle;
  TImageList* FImages = nullptr;
  int FMaxWidth = 0;
  TPictureStore* FPictureStore = nullptr;
  TColor FShadowColor = clGray;
  int FShadowOffset = 1;
  TColor FURLColor = clBlue;
  int FXMargin = 0;
  int FYMargin = 0;
};

// MarkupHint1 of both programs, placed on their main window with the
// settings they share: no wrapping, white to light grey, Trebuchet MS 8 pt
// in the Russian character set, a rectangle with its 3-D frame.
TMarkupHint* CreateProgramMarkupHint(TCustomForm* mainForm);

// The maximum hint width of the last tooltip any TMarkupHint saw.
int LastHintMaxWidth();

class TMarkupHintWindow : public THintWindow {
 public:
  explicit TMarkupHintWindow(TComponent* owner);
  ~TMarkupHintWindow() override;
  const char* ClassName() const override { return "TMarkupHintWindow"; }
  // An application tooltip: sized to the rendered text at the remembered
  // hint position, kept on its monitor. Any other activation (a control's
  // own hint, such as the editing control's scroll hint) keeps the
  // rectangle and the colour it was given. Nothing is shown without a
  // TMarkupHint on the main form.
  void ActivateHint(TRect rect, const std::string& hint) override;
  TMarkupHint* HintComponent() const { return FHint; }
  int TextWidth() const { return FTextWidth; }
  int TextHeight() const { return FTextHeight; }

 protected:
  // The hint window's parameters without the border.
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  // The first TMarkupHint of the application's main form.
  static TMarkupHint* FindHintComponent();
  void SetHintComponent(TMarkupHint* hint);
  TMarkupHint* FHint = nullptr;
  bool FDirect = false;  // activated by a control, not by the tooltips
  int FTextWidth = 0;
  int FTextHeight = 0;
};

// Light lines left and top, dark lines bottom and right.
void DrawHintFrame(TCanvas* canvas, const TRect& r, TColor light, TColor dark);
// Bands from one colour to the other, the last band exactly the end
// colour; steps 0 or 1 give one band in the start colour.
void FillHintGradient(TCanvas* canvas, TColor from, TColor to, bool horizontal, const TRect& r, int steps);
