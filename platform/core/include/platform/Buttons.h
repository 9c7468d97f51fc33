// The plain speed button: a caption on a button face, drawn on its
// parent, which clicks when the left button is pressed and released over
// it. It has no window of its own, so it never takes the keyboard focus:
// a click leaves the focus where it was (a palette of buttons can work on
// another window's control).
#pragma once

#include "platform/Controls.h"

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);
  const char* ClassName() const override { return "TSpeedButton"; }
  // Flat: no face until the mouse is over it.
  bool Flat() const { return FFlat; }
  void SetFlat(bool v);
  // Shown pressed while the left button is held over it.
  bool Pressed() const { return FPressed; }

 protected:
  void Dispatch(TMessage& msg) override;
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  bool Inside(int x, int y) const;
  void SetPressed(bool v);

  bool FFlat = false;
  bool FTracking = false;
  bool FPressed = false;
  bool FHot = false;
};
