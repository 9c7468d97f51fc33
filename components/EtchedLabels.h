// TEtchedLabel: a one-line section heading for dialogs, the caption at the
// left followed by an etched rule to the right edge at mid-height, on
// TOpaqueGraphicControl, an opaque graphic control that repaints whenever
// its caption, font or colour changes.
#pragma once

#include <cstdint>

#include "platform/Controls.h"

class TOpaqueGraphicControl : public TGraphicControl {
 public:
  explicit TOpaqueGraphicControl(TComponent* owner);
  const char* ClassName() const override { return "TOpaqueGraphicControl"; }
  void Dispatch(TMessage& msg) override;
};

class TEtchedLabel : public TOpaqueGraphicControl {
 public:
  explicit TEtchedLabel(TComponent* owner);
  const char* ClassName() const override { return "TEtchedLabel"; }
  // Left inset of the caption; takes effect at the next repaint.
  uint16_t Space() const { return FSpace; }
  void SetSpace(uint16_t space) { FSpace = space; }

 protected:
  void Paint() override;

 private:
  uint16_t FSpace = 5;
};
