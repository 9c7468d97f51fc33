#include "FlatMenus.h"

#include <algorithm>
#include <map>

#include "platform/Gdi.h"

// ---- colours ----
void SplitColorRGB(TColor color, uint8_t& r, uint8_t& g, uint8_t& b) {
  r = uint8_t(color & 0xFF);
  g = uint8_t((color >> 8) & 0xFF);
  b = uint8_t((color >> 16) & 0xFF);
}

int MaxOf(int a, int b) { return a > b ? a : b; }

namespace {
// c + (255 - c) * percent / 100 to the nearest integer, halves to even.
uint8_t LightenChannel(uint8_t c, int percent) {
  int n = 100 * c + (255 - c) * percent;
  int q = n / 100, rest = n % 100;
  if (rest > 50 || (rest == 50 && (q & 1))) ++q;
  return uint8_t(std::clamp(q, 0, 255));
}
}  // namespace

TColor LightenColor(TColor color, int percent) {
  percent = std::clamp(percent, 0, 100);
  uint8_t r, g, b;
  SplitColorRGB(ColorToRGB(color), r, g, b);
  return RGB(LightenChannel(r, percent), LightenChannel(g, percent), LightenChannel(b, percent));
}

// ---- marks ----
const TMarkPoint CheckMarkPoints[18] = {{2, 6}, {3, 7}, {4, 8}, {5, 9}, {6, 8},  {7, 7},  {3, 6}, {4, 7}, {5, 8},
                                        {6, 7}, {7, 6}, {8, 5}, {9, 4}, {10, 3}, {11, 2}, {3, 5}, {4, 6}, {5, 7}};
const TMarkPoint RadioMarkPoints[24] = {{3, 5}, {3, 6}, {4, 7}, {5, 8}, {6, 8}, {7, 7}, {8, 6}, {8, 5},
                                        {7, 4}, {6, 3}, {5, 3}, {4, 4}, {4, 5}, {4, 6}, {5, 7}, {6, 7},
                                        {7, 6}, {7, 5}, {6, 4}, {5, 4}, {5, 5}, {5, 6}, {6, 6}, {6, 5}};

void BuildMarkGlyph(TBitmap* bitmap, const TMarkPoint* points, int count) {
  bitmap->SetMonochrome(true);
  bitmap->SetSize(12, 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) bitmap->SetPixel(x, y, clWhite);
  for (int i = 0; i < count; ++i) bitmap->SetPixel(points[i].X, points[i].Y, clBlack);
  bitmap->SetTransparentColor(clWhite);
  bitmap->SetTransparent(true);
}

void ImageToMonoBitmap(TBitmap* work, TImageList* images, int index) {
  work->SetMonochrome(true);
  work->SetSize(images->Width(), images->Height());
  TCanvas* c = work->Canvas();
  c->Brush()->SetColor(clWhite);
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(TRect(0, 0, work->Width(), work->Height()));
  images->Draw(c, 0, 0, index);
}

void DrawMonoBitmap(TCanvas* canvas, int x, int y, TBitmap* bitmap) {
  canvas->Brush()->SetColor(clBtnShadow);
  canvas->Brush()->SetStyle(bsSolid);
  HDC dc = canvas->Handle();
  // The blit takes its pattern from the DC: the canvas's brush goes in now.
  SelectObject(dc, canvas->Brush()->Handle());
  COLORREF oldText = SetTextColor(dc, ColorToRGB(clWhite));
  COLORREF oldBack = SetBkColor(dc, ColorToRGB(clBlack));
  BitBlt(dc, x, y, bitmap->Width(), bitmap->Height(), bitmap->Canvas()->Handle(), 0, 0, 0x00E20746);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
}

namespace {
// The bitmaps every painter shares, alive while a painter is.
struct TSharedMarks {
  int Painters = 0;
  std::unique_ptr<TBitmap> Check;
  std::unique_ptr<TBitmap> Radio;
  std::unique_ptr<TBitmap> Work;
};
TSharedMarks gMarks;

TBitmap* Mark(bool radio) {
  std::unique_ptr<TBitmap>& slot = radio ? gMarks.Radio : gMarks.Check;
  if (!slot) {
    slot = std::make_unique<TBitmap>();
    if (radio)
      BuildMarkGlyph(slot.get(), RadioMarkPoints, 24);
    else
      BuildMarkGlyph(slot.get(), CheckMarkPoints, 18);
  }
  return slot.get();
}

TBitmap* WorkBitmap() {
  if (!gMarks.Work) gMarks.Work = std::make_unique<TBitmap>();
  return gMarks.Work.get();
}

TImageList* ImagesOf(TMenuItem* item) {
  TMenu* menu = item->GetParentMenu();
  return menu ? menu->Images() : nullptr;
}

constexpr UINT ItemTextFlags = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | DT_END_ELLIPSIS;  // 0x8124

// One item's drawing.
class TFlatItemPaint {
 public:
  TFlatItemPaint(const TFlatMenu& painter, TMenuItem* item, TCanvas* canvas, TRect rect, TOwnerDrawState state)
      : P(painter),
        Item(item),
        C(canvas),
        R(rect),
        State(state),
        Images(ImagesOf(item)),
        MenuBar(item->IsMenuBarItem()) {}

  void Run() {
    C->Font()->Assign(P.ItemFont);
    G = GutterWidth();
    C->Pen()->SetColor(clBlack);
    Background();
    if (Item->Checked()) Mark();
    if (Images && Item->ImageIndex() >= 0 && !MenuBar) Image();
    Text();
  }

 private:
  bool Disabled() const { return State.Contains(odDisabled) || State.Contains(odGrayed); }
  bool HasImage() const { return Images && Item->ImageIndex() >= 0; }

  int GutterWidth() {
    if (Images) return Images->Width() + 9;
    if (Item->IsLine()) return MaxOf(C->TextHeight("W"), P.MinItemHeight) + 4;
    return R.Height() + 4;
  }

  // A colour field that is neither RGB nor a system colour (a settings
  // value) paints by its low 24 bits.
  static TColor Paintable(TColor c) { return IsSystemColor(c) ? c : (c & 0xFFFFFFu); }

  void Fill(TColor color, const TRect& r) {
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Paintable(color));
    C->FillRect(r);
  }

  void Frame(TColor fill) {
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Paintable(fill));
    C->Rectangle(R);
  }

  void Background() {
    if (State.Contains(odSelected)) {
      Frame(P.SelectColor);
    } else if (MenuBar) {
      if (State.Contains(odHotLight)) {
        C->Pen()->SetColor(clBtnShadow);
        Frame(P.SelectColor);
      } else {
        Fill(clBtnFace, R);
      }
    } else {
      Fill(P.GutterColor, TRect(R.Left, R.Top, G, R.Bottom));
      Fill(P.BackgroundColor, TRect(G, R.Top, R.Right, R.Bottom));
    }
  }

  void Mark() {
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Paintable(P.CheckColor));
    if (HasImage()) {
      int corner = Item->RadioItem() ? 6 : 0;
      C->RoundRect(R.Left + 2, R.Top, G - 3, R.Bottom, corner, corner);
      return;
    }
    int cx = (R.Left + G - 1) / 2, cy = (R.Top + R.Bottom) / 2;
    C->Pen()->SetColor(clBlack);
    C->Rectangle(cx - 8, cy - 8, cx + 8, cy + 8);
    C->Draw((R.Left + G - 1 - 12) / 2, (R.Top + R.Bottom - 12) / 2, ::Mark(Item->RadioItem()));
  }

  void Image() {
    int x = R.Left + 4, y = (R.Top + R.Bottom - Images->Height()) / 2;
    if (!Disabled()) {
      Images->Draw(C, x, y, Item->ImageIndex());
      return;
    }
    TBitmap* work = WorkBitmap();
    ImageToMonoBitmap(work, Images, Item->ImageIndex());
    DrawMonoBitmap(C, x, y, work);
  }

  void Text() {
    TFontStyles style = C->Font()->Style();
    if (Item->Default()) style.Include(fsBold);
    C->Font()->SetStyle(style);
    C->Font()->SetColor(Disabled() ? RGB(128, 128, 128) : clBlack);
    C->Brush()->SetStyle(bsClear);
    if (!MenuBar) R.Left += G + 5;
    if (Item->IsLine()) {
      int y = R.Top + R.Height() / 2;
      C->Pen()->SetColor(clBtnShadow);
      C->MoveTo(R.Left, y);
      C->LineTo(R.Right, y);
      return;
    }
    UINT flags = ItemTextFlags | (MenuBar ? DT_CENTER : DT_LEFT);
    // DrawText goes to the DC: the canvas selects its font and colour first.
    C->TextExtent("");
    HDC dc = C->Handle();
    SetBkMode(dc, TRANSPARENT);
    TRect r = R;
    DrawText(dc, Item->Caption().c_str(), int(Item->Caption().size()), &r, flags);
    if (Item->ShortCut() != scNone) {
      std::string shortCut = ShortCutToText(Item->ShortCut());
      r = R;
      r.Right -= 5;
      DrawText(dc, shortCut.c_str(), int(shortCut.size()), &r, flags | DT_RIGHT);
    }
  }

  const TFlatMenu& P;
  TMenuItem* Item;
  TCanvas* C;
  TRect R;
  TOwnerDrawState State;
  TImageList* Images;
  bool MenuBar;
  int G = 0;
};
}  // namespace

// Watches one hooked item: forgets it when it is destroyed before the
// painter, unhooks it when the painter goes first. One watch per item
// keeps every notification list a single entry long.
class TFlatMenuItemWatch : public TComponent {
 public:
  TFlatMenuItemWatch(TMenuItem* item, std::set<TMenuItem*>& live)
      : TComponent(nullptr), FItem(item), FItemComponent(item), FLive(live) {
    item->FreeNotification(this);
    live.insert(item);
  }
  ~TFlatMenuItemWatch() override {
    if (!FItem) return;
    FItem->OnAdvancedDrawItem = nullptr;
    FItem->OnMeasureItem = nullptr;
    FItem->RemoveFreeNotification(this);
    FLive.erase(FItem);
  }
  bool Alive() const { return FItem != nullptr; }

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    // Compared as the component it was: the item's own part is gone.
    if (operation != opRemove || component != FItemComponent || !FItem) return;
    FLive.erase(FItem);
    FItem = nullptr;
  }

 private:
  TMenuItem* FItem;
  TComponent* FItemComponent;
  std::set<TMenuItem*>& FLive;
};

// ---- TFlatMenu ----
TFlatMenu::TFlatMenu()
    : BackgroundColor(LightenColor(clBtnFace, 85)),
      SelectColor(LightenColor(clHighlight, 65)),
      CheckColor(LightenColor(clHighlight, 75)),
      FItemFont(std::make_unique<TFont>()) {
  ItemFont = FItemFont.get();
  ItemFont->SetLogFont(SystemMenuFont());
  ++gMarks.Painters;
}

TFlatMenu::~TFlatMenu() {
  FWatches.clear();
  if (--gMarks.Painters == 0) {
    gMarks.Check.reset();
    gMarks.Radio.reset();
    gMarks.Work.reset();
  }
}

const std::set<TMenuItem*>& TFlatMenu::HookedItems() const { return FHooked; }

void TFlatMenu::AttachMenu(TMenu* menu, TMenuItem* item) {
  if (menu) {
    HookSubItems(menu->Items());
    menu->SetOwnerDraw(true);
  }
  if (item) {
    HookMenuItem(item);
    HookSubItems(item);
  }
}

void TFlatMenu::HookMenuItem(TMenuItem* item) {
  item->OnAdvancedDrawItem = [this](TObject* s, TCanvas* c, TRect r, TOwnerDrawState st) { PaintItem(s, c, r, st); };
  if (!item->IsMenuBarItem())
    item->OnMeasureItem = [this](TObject* s, TCanvas* c, int& w, int& h) { MeasureMenuItem(s, c, w, h); };
  // An address may come back for a new item once the old one is gone.
  auto& watch = FWatches[item];
  if (!watch || !watch->Alive()) {
    watch.reset();
    watch = std::make_unique<TFlatMenuItemWatch>(item, FHooked);
  }
}

void TFlatMenu::HookSubItems(TMenuItem* item) {
  for (int i = 0; i < item->Count(); ++i) {
    TMenuItem* child = item->Items(i);
    HookMenuItem(child);
    if (child->Count() > 0) HookSubItems(child);
  }
}

void TFlatMenu::SetSelectColor(TColor color) {
  SelectColor = color;
  CheckColor = LightenColor(color, 75);
}

void TFlatMenu::SetItemFont(TFont* font) { ItemFont->Assign(font); }

void TFlatMenu::MeasureMenuItem(TObject* sender, TCanvas* canvas, int& width, int& height) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item || !canvas) return;
  canvas->Font()->Assign(ItemFont);
  TImageList* images = ImagesOf(item);
  std::string text = item->Caption() + ShortCutToText(item->ShortCut());
  auto separatorHeight = [](int h) { return h <= 20 ? 5 : 11; };
  if (!images) {
    height = MaxOf(canvas->TextHeight("W"), MinItemHeight);
    if (item->IsLine()) height = separatorHeight(height);
    width = MaxOf(canvas->TextWidth(text) + 35, MinItemWidth);
    return;
  }
  if (item->IsLine()) {
    height = separatorHeight(MaxOf(MinItemHeight, images->Height()));
    return;
  }
  int w0 = images->Width() < 8 ? 16 : images->Width() + 8;
  width = MaxOf(canvas->TextWidth(text) + w0 + 15, MinItemWidth);
  height = MaxOf(MaxOf(canvas->TextHeight("W"), images->Height()) + 4, MinItemHeight);
}

void TFlatMenu::PaintItem(TObject* sender, TCanvas* canvas, TRect rect, TOwnerDrawState state) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item || !canvas) return;
  TFlatItemPaint(*this, item, canvas, rect, state).Run();
}

std::unique_ptr<TFlatMenu> PlainFlatMenu(std::initializer_list<TMenu*> menus) {
  auto painter = std::make_unique<TFlatMenu>();
  painter->SetSelectColor(clBtnFace);
  painter->GutterColor = clBtnFace;
  for (TMenu* menu : menus) painter->AttachMenu(menu, nullptr);
  return painter;
}
