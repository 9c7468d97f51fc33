// Panels, bevels, images and shapes: controls that paint themselves.
// (TTimer is in Controls.h.)
#pragma once

#include <memory>
#include <string>

#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
using TPanelBevel = TBevelCut;

class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TComponent* owner);
  const char* ClassName() const override { return "TCustomPanel"; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut v);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut v);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int v);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int v);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle v);
  bool FullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool v) { FFullRepaint = v; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void AdjustClientRect(TRect& rect) override;
  void Dispatch(TMessage& msg) override;
  void Paint() override;

 private:
  TAlignment FAlignment = taCenter;
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TBorderStyle FBorderStyle = bsNone;
  bool FFullRepaint = true;
};

class TPanel : public TCustomPanel {
 public:
  explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
  const char* ClassName() const override { return "TPanel"; }
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
 public:
  explicit TBevel(TComponent* owner);
  const char* ClassName() const override { return "TBevel"; }
  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape v);
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle v);

 protected:
  void Paint() override;

 private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

// Shows a picture: at the top left, centred, stretched to the control or
// scaled proportionally into it.
class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* owner);
  ~TImage() override;
  const char* ClassName() const override { return "TImage"; }
  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(TPicture* picture) { FPicture->Assign(picture); }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool v);
  bool Proportional() const { return FProportional; }
  void SetProportional(bool v);
  bool Center() const { return FCenter; }
  void SetCenter(bool v);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  // Where the picture is drawn (client coordinates).
  TRect DestRect() const;

 protected:
  void Paint() override;

 private:
  void PictureChanged(TObject*);
  std::unique_ptr<TPicture> FPicture;
  bool FStretch = false;
  bool FProportional = false;
  bool FCenter = false;
  bool FAutoSize = false;
  bool FTransparent = false;
};

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
 public:
  explicit TShape(TComponent* owner);
  ~TShape() override;
  const char* ClassName() const override { return "TShape"; }
  TShapeType Shape() const { return FShape; }
  void SetShape(TShapeType v);
  TBrush* Brush() const { return FBrush.get(); }
  TPen* Pen() const { return FPen.get(); }

 protected:
  void Paint() override;

 private:
  void StyleChanged(TObject*);
  TShapeType FShape = stRectangle;
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TPen> FPen;
};
