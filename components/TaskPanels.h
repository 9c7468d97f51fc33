// The task panel and the hover label.
//
// TTaskPanel is a container panel in a flat task-pane look: an optional
// title band with a caption, a spin button that folds the panel up to its
// title and unfolds it, and a close button that hides it. It draws itself
// into an off-screen bitmap over an image of its parent's background, can
// be dragged by its title (Moveable) and resized at its right and bottom
// edges (Sizeable).
//
// Folding and unfolding run without a timer: each step of four pixels lets
// the application process pending messages. A panel (or the form holding
// it) freed during a step ends the animation at once; Busy keeps title
// clicks, drags and the inherited size handling out meanwhile.
//
// THoverLabel is a graphic label that changes its background, text colour
// and font style while the mouse is over it and can show the hand cursor
// (screen cursor 1, the "HOVERHAND" resource) with a glyph to the left of
// its text.
//
// Nothing streams these components from a form: a window that builds them
// calls Loaded itself when it is done; the loading branches never run.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Controls.h"
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"

enum TXPStyle : uint8_t { xpWindows = 0, xpOffice = 1 };

class TTaskPanel;

// One title button: drawn when Visible, clickable when Enabled (a disabled
// button is drawn with its colours inverted).
class TTaskButton : public TPersistent {
 public:
  explicit TTaskButton(TTaskPanel* panel);
  ~TTaskButton() override;
  const char* ClassName() const override { return "TTaskButton"; }
  // Copies visibility, state and glyph of another button.
  void Assign(TPersistent* source) override;

  bool Visible() const { return FVisible; }
  void SetVisible(bool v);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v);
  // Owned by the button; transparent by its bottom-left pixel.
  TBitmap* Glyph() const { return FGlyph.get(); }
  // Copies the picture.
  void SetGlyph(TBitmap* glyph);

 private:
  void Changed();
  TTaskPanel* FPanel;
  bool FVisible = false;
  bool FEnabled = false;
  std::unique_ptr<TBitmap> FGlyph;
};

// The title band of one panel; also the folded height of the panel.
class TTaskTitle : public TPersistent {
 public:
  explicit TTaskTitle(TTaskPanel* panel);
  ~TTaskTitle() override;
  const char* ClassName() const override { return "TTaskTitle"; }
  // Copies every field (the buttons' too).
  void Assign(TPersistent* source) override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v);
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  // The band's colour while folded: a plain field, no repaint.
  TColor ColorIsMinimized = 15395562;
  int Height() const { return FHeight; }
  void SetHeight(int v);
  bool Visible() const { return FVisible; }
  void SetVisible(bool v);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* font);
  TTaskButton* ButtonSpin() const { return FButtonSpin.get(); }
  void SetButtonSpin(TTaskButton* button);
  TTaskButton* ButtonClose() const { return FButtonClose.get(); }
  // Copies the button and raises Height to at least its glyph's height.
  void SetButtonClose(TTaskButton* button);

 private:
  void Changed();
  // A glyph of either button changed: an empty one gets its default
  // picture back (once; a missing picture leaves it empty).
  void GlyphChanged(TObject* sender);
  void WatchGlyphs();
  TTaskPanel* FPanel;
  std::string FCaption;
  TColor FColor = 13555414;
  int FHeight = 19;
  bool FVisible = false;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TTaskButton> FButtonSpin;
  std::unique_ptr<TTaskButton> FButtonClose;
  bool FReloading = false;
};

class TTaskPanel : public TCustomPanel {
 public:
  explicit TTaskPanel(TComponent* owner);
  ~TTaskPanel() override;
  const char* ClassName() const override { return "TTaskPanel"; }
  void Dispatch(TMessage& msg) override;

  TColor ColorFrame() const { return FColorFrame; }
  void SetColorFrame(TColor v);
  TXPStyle Style() const { return FStyle; }
  void SetStyle(TXPStyle v);
  TTaskTitle* Title() const { return FTitle.get(); }
  // Copies the title's fields.
  void SetTitle(TTaskTitle* title);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  bool Animated() const { return FAnimated; }
  void SetAnimated(bool v) { FAnimated = v; }
  bool Sound() const { return FSound; }
  void SetSound(bool v) { FSound = v; }
  bool Moveable() const { return FMoveable; }
  void SetMoveable(bool v) { FMoveable = v; }
  bool Sizeable() const { return FSizeable; }
  void SetSizeable(bool v);

  TNotifyEvent OnSpinButtonClick;
  TNotifyEvent OnCloseButtonClick;
  TNotifyEvent OnTitleClick;

  // Folds the panel to its title (only panels aligned alNone, alTop or
  // alBottom fold); Expand unfolds it to ExpandedHeight.
  void Collapse();
  void Expand();

  // The fold state, read-only.
  bool Collapsed() const { return FCollapsed; }
  bool Busy() const { return FBusy; }
  int ExpandedHeight() const { return FExpandedHeight; }
  int GripWidth() const { return FGripWidth; }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  friend class TTaskButton;
  friend class TTaskTitle;
  void WMLButtonDownPanel(TMessage& m);
  void WMNCHitTest(TMessage& m);
  void WMSizePanel(TMessage& m);
  // The folded height: Title.Height, never below 0.
  int TitleHeight() const;
  // Sets the height, then lets the application process messages; false
  // when the panel was freed or began to be destroyed meanwhile.
  bool AnimationStep(int height);
  bool FoldAnimation(int from);
  bool UnfoldAnimation();
  void PlayFoldSound(const char* name);

  TColor FColorFrame = clWindow;
  TXPStyle FStyle = xpWindows;
  std::unique_ptr<TTaskTitle> FTitle;
  bool FTransparent = false;
  bool FAnimated = false;
  bool FSound = false;
  bool FMoveable = false;
  bool FSizeable = false;
  bool FCollapsed = false;
  bool FBusy = false;
  int FExpandedHeight = 41;
  int FGripWidth = 0;
  // Reused between paints.
  std::unique_ptr<TBitmap> FBuffer;
  // Cleared by the destructor; an animation step holds a copy.
  std::shared_ptr<bool> FAlive;
};

// Text colour and style of a hovered label.
class THoverFont : public TPersistent {
 public:
  const char* ClassName() const override { return "THoverFont"; }
  void Assign(TPersistent* source) override;
  TColor Color = clWindowText;
  TFontStyles Style;
};

class THoverLabel : public TGraphicControl {
 public:
  explicit THoverLabel(TComponent* owner);
  ~THoverLabel() override;
  const char* ClassName() const override { return "THoverLabel"; }
  void Dispatch(TMessage& msg) override;
  // The caption follows the name while it equals it.
  void SetName(const std::string& name) override;
  // Fits the bounds (a window calls it once it has built the label).
  void Loaded() override;

  // The label's own font (the parent's is not used).
  void SetFont(TFont* font);
  void SetColor(TColor v);
  TColor HoverColor() const { return FHoverColor; }
  void SetHoverColor(TColor v);
  THoverFont* HoverFont() const { return FHoverFont.get(); }
  void SetHoverFont(THoverFont* font);
  bool HoverCursor() const { return FHoverCursor; }
  void SetHoverCursor(bool v);
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* glyph);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout v);
  bool Wordwrap() const { return FWordwrap; }
  void SetWordwrap(bool v);
  bool AutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool v);
  // Not a field: True exactly while the control is not opaque.
  bool Transparent() const { return !ControlStyle().Contains(csOpaque); }
  void SetTransparent(bool v);
  bool Hovered() const { return FHovered; }

  // Fired when the mouse leaves (OnMouseEnter, inherited, when it enters).
  TNotifyEvent OnMouseHover;

 protected:
  void Paint() override;
  // Measures (DT_CALCRECT) or draws the caption in the rectangle.
  void DoDrawText(TRect& rect, UINT flags);
  void AdjustBounds();

 private:
  void CMMouseEnterLabel(TMessage& m);
  void CMMouseLeaveLabel(TMessage& m);
  TColor FHoverColor = clBtnFace;
  std::unique_ptr<THoverFont> FHoverFont;
  bool FHoverCursor = false;
  std::unique_ptr<TBitmap> FGlyph;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordwrap = false;
  bool FAutoSize = false;
  bool FHovered = false;
};

// The screen cursor the hover labels show while hovered.
constexpr TCursor crHoverHand = 1;

// Registers the kit's pictures, cursor and sounds: "BM_SPIN16",
// "BM_CLOSE16", "HOVERHAND", "SNF_001" and "SNF_005" (once; a name the
// program registered already is kept).
void RegisterTaskPanelResources();
