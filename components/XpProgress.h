// TXpProgressBar: a progress bar with a light border and either separate
// textured blocks or one smooth textured fill.
#pragma once

#include <memory>

#include "XpControls.h"

enum TProgressBarOrientation { pbHorizontal, pbVertical };

// The bar's textures, registered by the components library (a program may
// register its own under the same names first).
extern const char* const XpProgressHorzTexture;  // "XPPBHORZ", 20 x 52
extern const char* const XpProgressVertTexture;  // "XPPBVERT", 52 x 20
void RegisterXpProgressTextures();

class TXpProgressBar : public TCustomControlXP {
 public:
  explicit TXpProgressBar(TComponent* owner);
  ~TXpProgressBar() override;
  const char* ClassName() const override { return "TXpProgressBar"; }

  TProgressBarOrientation Orientation() const { return FOrientation; }
  // Loads the other texture; a placed bar swaps its width and height.
  void SetOrientation(TProgressBarOrientation orientation);
  bool Smooth() const { return FSmooth; }
  void SetSmooth(bool smooth);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor color);
  int Min() const { return FMin; }
  void SetMin(int min);
  int Max() const { return FMax; }
  // Also lowers Position to the new Max.
  void SetMax(int max);
  int Position() const { return FPosition; }
  // Clamped to [Min, Max] (Min when Max is below Min). Growing draws the
  // new blocks over the current picture at once; shrinking repaints.
  void SetPosition(int position);
  int Step() const { return FStep; }
  void SetStep(int step);

  // Pixels of the texture in use (tests, the block renderer).
  TBitmap* Texture() const { return FTexture.get(); }
  // The number of blocks the client extent holds, and how many are filled.
  int BlockCount();
  int FilledBlocks();

 protected:
  void Paint() override;

 private:
  friend class TProgressPainter;
  void LoadTexture();

  TProgressBarOrientation FOrientation = pbHorizontal;
  bool FSmooth = false;
  TColor FBorderColor = 0x808080;
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FStep = 10;
  std::unique_ptr<TBitmap> FTexture;
};
