// TXpSpeedButton: a graphic tool button with a glyph and an optional
// caption, painted with vertical gradients in a flat light-grey look.
// Toggled buttons of one GroupIndex on a parent form a group; RepeatAction
// repeats the click while the button is held (400 ms, then every 100 ms, on
// a TTimer); DropDownMenu pops up below the button on release.
#pragma once

#include <memory>
#include <string>

#include "XpGlyphs.h"
#include "platform/ActnList.h"
#include "platform/Controls.h"
#include "platform/Menus.h"

class TXpSpeedButton : public TGraphicControl {
 public:
  explicit TXpSpeedButton(TComponent* owner);
  ~TXpSpeedButton() override;
  const char* ClassName() const override { return "TXpSpeedButton"; }
  void Dispatch(TMessage& msg) override;
  void Loaded() override;

  bool Flat() const { return FFlat; }
  void SetFlat(bool flat);
  bool Transparent() const { return FTransparent; }
  // False makes the button opaque: it fills its rectangle first.
  void SetTransparent(bool transparent);
  TBitmap* Glyph() const { return FGlyph->Glyph(); }
  void SetGlyph(TBitmap* glyph) { FGlyph->SetGlyph(glyph); }
  int NumGlyphs() const { return FGlyph->NumGlyphs(); }
  void SetNumGlyphs(int n) { FGlyph->SetNumGlyphs(n); }
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout layout);
  int Margin() const { return FMargin; }
  // -1 centres glyph and text; values below -1 are ignored.
  void SetMargin(int margin);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int spacing);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int index);
  bool Down() const { return FDown; }
  // Only a button of a group goes down; a down button of a group without
  // AllowAllUp cannot be raised directly.
  void SetDown(bool down);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool allow);
  bool RepeatAction() const { return FRepeatAction; }
  void SetRepeatAction(bool repeat);
  TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  // The button destroys its drop-down menu with itself.
  void SetDropDownMenu(TPopupMenu* menu);
  TBasicAction* Action() const { return FAction; }
  void SetAction(TBasicAction* action);

  TButtonState State() const { return FState; }
  bool MouseInControl() const { return FMouseInControl; }
  bool IsDragging() const { return FDragging; }
  TXpBGlyph* GlyphObject() const { return FGlyph.get(); }
  // The repeat timer (null until first needed).
  TTimer* RepeatTimer() const { return FRepeatTimer; }

  // The point the drop-down menu opens at: below the button's bottom-left
  // corner, in screen coordinates.
  TPoint DropDownPoint();
  void Click() override;

 protected:
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  virtual void ActionChange(TObject* sender, bool checkDefaults);

 private:
  friend class TXpButtonPainter;
  bool Designing() const { return (ComponentState() & csDesigning) != 0; }
  bool Inside(int x, int y);
  void UpdateTracking();
  void UpdateExclusive();
  void RepeatTick(TObject*);
  void ShowDropDown();

  void CMButtonPressed(TMessage& m);
  void CMDialogChar(TMessage& m);
  void CMEnabledChanged(TMessage& m);
  void CMMouseEnter(TMessage& m);
  void CMMouseLeave(TMessage& m);
  void CMSysColorChange(TMessage& m);
  void WMLButtonDblClk(TMessage& m);

  bool FFlat = false;
  bool FTransparent = true;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  bool FRepeatAction = false;
  TPopupMenu* FDropDownMenu = nullptr;
  TBasicAction* FAction = nullptr;

  TButtonState FState = StateUp;
  bool FMouseInControl = false;
  bool FDragging = false;
  std::unique_ptr<TXpBGlyph> FGlyph;
  std::unique_ptr<TBitmap> FFaceBitmap;
  std::unique_ptr<TBitmap> FFrameBitmap;
  TTimer* FRepeatTimer = nullptr;  // owned as a component
};
