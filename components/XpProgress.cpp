#include "XpProgress.h"

#include <algorithm>
#include <cstdint>
#include <mutex>

#include "platform/Resources.h"
#include "platform/Win32.h"

const char* const XpProgressHorzTexture = "XPPBHORZ";
const char* const XpProgressVertTexture = "XPPBVERT";

namespace {

constexpr int kBlockSize = 8;
constexpr int kBlockPitch = kBlockSize + 1;
// Counts an exact multiple of the block value as a whole block.
constexpr double kBlockEpsilon = 0.00000001;

// A light block: a pale green body, brighter towards its middle line and
// darker at both edges, with a fine grain every other pixel. `across` is
// the texture's long side, the one that spans the bar's thickness.
TColor TextureColor(int along, int across, int length) {
  int mid = length / 2;
  int dist = across < mid ? mid - across : across - mid;
  int light = 255 - dist * 150 / std::max(mid, 1);
  int grain = ((along + across) & 1) ? 6 : 0;
  int r = std::clamp(light * 7 / 10 + 40 - grain, 0, 255);
  int g = std::clamp(light - grain, 0, 255);
  int b = std::clamp(light * 6 / 10 + 50 - grain, 0, 255);
  return RGB(r, g, b);
}

void PaintHorzTexture(TBitmap& b) {
  b.SetPixelFormat(pf24bit);
  b.SetSize(20, 52);
  for (int y = 0; y < 52; ++y)
    for (int x = 0; x < 20; ++x) b.SetPixel(x, y, TextureColor(x, y, 52));
}

void PaintVertTexture(TBitmap& b) {
  b.SetPixelFormat(pf24bit);
  b.SetSize(52, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 52; ++x) b.SetPixel(x, y, TextureColor(y, x, 52));
}

}  // namespace

void RegisterXpProgressTextures() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (!BitmapResourceExists(XpProgressHorzTexture)) RegisterBitmapResource(XpProgressHorzTexture, &PaintHorzTexture);
    if (!BitmapResourceExists(XpProgressVertTexture)) RegisterBitmapResource(XpProgressVertTexture, &PaintVertTexture);
  });
}

// One paint of the bar: frame, progress and rounded corners.
class TProgressPainter {
 public:
  TProgressPainter(TXpProgressBar& bar, TCanvas* canvas)
      : FBar(bar), FCanvas(canvas), FW(bar.ClientWidth()), FH(bar.ClientHeight()) {}

  void Frame() {
    FLight = LightenForCanvas(FCanvas, FBar.FBorderColor, 70);
    FCanvas->Pen()->SetColor(FLight);
    Line(1, 1, FW + 1, 1);
    Line(1, 1, 1, FH + 1);
    FCanvas->Pen()->SetColor(FBar.FBorderColor);
    Line(0, 0, 0, FH);
    Line(0, FH - 1, FW, FH - 1);
    Line(0, 0, FW, 0);
    Line(FW - 1, 0, FW - 1, FH);
  }

  void Progress() {
    FCanvas->Brush()->SetStyle(bsSolid);
    if (FBar.FSmooth)
      SmoothFill();
    else
      Blocks();
  }

  void Corners() {
    TColor parent = ParentBrushColor(&FBar);
    int r = FW - 1, b = FH - 1;
    for (TPoint p : {TPoint(0, 0), TPoint(r, 0), TPoint(0, b), TPoint(r, b)}) FCanvas->SetPixels(p.X, p.Y, parent);
    for (TPoint p : {TPoint(1, 1), TPoint(r - 1, 1), TPoint(1, b - 1), TPoint(r - 1, b - 1)})
      FCanvas->SetPixels(p.X, p.Y, FBar.FBorderColor);
    for (TPoint p : {TPoint(1, 0), TPoint(r - 1, 0), TPoint(1, b), TPoint(r - 1, b), TPoint(0, 1), TPoint(r, 1),
                     TPoint(0, b - 1), TPoint(r, b - 1)})
      FCanvas->SetPixels(p.X, p.Y, FLight);
  }

 private:
  void Line(int x1, int y1, int x2, int y2) {
    FCanvas->MoveTo(x1, y1);
    FCanvas->LineTo(x2, y2);
  }

  void Stretch(const TRect& r) {
    if (r.Right > r.Left && r.Bottom > r.Top) FCanvas->StretchDraw(r, FBar.FTexture.get());
  }

  void Blocks() {
    int filled = FBar.FilledBlocks();
    for (int i = 0; i < filled; ++i) {
      int step = i * kBlockPitch;
      if (FBar.FOrientation == pbHorizontal)
        Stretch(TRect(4 + step, 2, kBlockSize + 3 + step, FH - 2));
      else
        Stretch(TRect(3, FH - kBlockSize - 2 - step, FW - 2, FH - 3 - step));
    }
  }

  // The fill covers Position - Min of the Max - Min range; an empty range
  // leaves the frame alone.
  void SmoothFill() {
    int64_t span = int64_t(FBar.FMax) - FBar.FMin;
    if (span <= 0) return;
    int64_t done = std::max<int64_t>(0, int64_t(FBar.FPosition) - FBar.FMin);
    if (FBar.FOrientation == pbHorizontal)
      Stretch(TRect(2, 2, 2 + int((FW - 4) * done / span), FH - 2));
    else
      Stretch(TRect(2, FH - 2 - int((FH - 4) * done / span), FW - 2, FH - 2));
  }

  TXpProgressBar& FBar;
  TCanvas* FCanvas;
  int FW;
  int FH;
  TColor FLight = 0;
};

TXpProgressBar::TXpProgressBar(TComponent* owner) : TCustomControlXP(owner), FTexture(new TBitmap) {
  RegisterXpProgressTextures();
  SetParentColor(false);
  SetColor(clWhite);
  SetBounds(Left(), Top(), 149, 16);
  LoadTexture();
}

TXpProgressBar::~TXpProgressBar() = default;

void TXpProgressBar::LoadTexture() {
  LoadBitmapResource(*FTexture, FOrientation == pbHorizontal ? XpProgressHorzTexture : XpProgressVertTexture);
}

void TXpProgressBar::SetOrientation(TProgressBarOrientation orientation) {
  if (orientation == FOrientation) return;
  FOrientation = orientation;
  LoadTexture();
  if (ComponentState() & csLoading) {
    Invalidate();
    return;
  }
  SetBounds(Left(), Top(), Height(), Width());
  Invalidate();
}

void TXpProgressBar::SetSmooth(bool smooth) {
  if (smooth == FSmooth) return;
  FSmooth = smooth;
  Invalidate();
}

void TXpProgressBar::SetBorderColor(TColor color) {
  if (color == FBorderColor) return;
  FBorderColor = color;
  Invalidate();
}

void TXpProgressBar::SetMin(int min) {
  if (min == FMin) return;
  FMin = min;
  Invalidate();
}

void TXpProgressBar::SetMax(int max) {
  if (max == FMax) return;
  FMax = max;
  if (FPosition > FMax) FPosition = FMax;
  Invalidate();
}

void TXpProgressBar::SetStep(int step) {
  if (step == FStep) return;
  FStep = step;
  Invalidate();
}

void TXpProgressBar::SetPosition(int position) {
  // Not std::clamp: a range with Min above Max must still give a value.
  position = std::max(FMin, std::min(position, FMax));
  if (position == FPosition) return;
  bool grows = position > FPosition;
  FPosition = position;
  if (!HandleAllocated()) return;
  if (grows) {
    // Only the progress is drawn over what the window shows: no erase.
    TProgressPainter(*this, Canvas()).Progress();
    return;
  }
  InvalidateRect(Handle(), nullptr, true);
  UpdateWindow(Handle());
}

int TXpProgressBar::BlockCount() {
  int extent = FOrientation == pbHorizontal ? ClientWidth() : ClientHeight();
  return (extent - 3) / kBlockPitch;
}

int TXpProgressBar::FilledBlocks() {
  int n = BlockCount();
  // No block fits, or no range to divide: nothing is filled.
  if (n <= 0 || FMax <= FMin) return 0;
  double value = (double(FPosition) - FMin) / ((double(FMax) - FMin) / n) + kBlockEpsilon;
  if (value <= 0) return 0;
  return int(std::min<double>(value, n));
}

void TXpProgressBar::Paint() {
  TProgressPainter painter(*this, Canvas());
  painter.Frame();
  painter.Progress();
  painter.Corners();
}
