#include "PictureStore.h"

#include <sys/stat.h>

#include "platform/CodePage.h"
#include "platform/PictureDecoder.h"
#include "platform/Resources.h"
#include "platform/SysUtils.h"

// ---- THintPicture ----
THintPicture::THintPicture() = default;
THintPicture::~THintPicture() = default;

void THintPicture::ResetDecoded() {
  FEmpty = true;
  FDecoded.reset();
  FFrameCount = -1;
  FFrameX = FFrameY = 0;
  FScreenWidth = FScreenHeight = 0;
}

void THintPicture::Assign(TPersistent* source) {
  if (source == this) return;
  // The picture is let go and shown again from frame 1 of the data it
  // holds (frame change included), before anything else happens.
  ResetDecoded();
  FFrame = 1;
  if (!FData.empty()) {
    Decode();
    if (OnFrameChange) OnFrameChange(this);
  }
  if (!source) {
    FData.clear();
    return;
  }
  // Only another hint picture brings data; any other graphic leaves the
  // picture empty.
  auto* other = dynamic_cast<THintPicture*>(source);
  if (!other) return;
  FData = other->FData;
  FEmpty = false;
  Decode();
  Changed();
}

int THintPicture::Width() const { return FDecoded ? FDecoded->Width() : 0; }
int THintPicture::Height() const { return FDecoded ? FDecoded->Height() : 0; }

int THintPicture::DisplayWidth() const {
  if (!FDecoded) return 0;
  return FScreenWidth ? FScreenWidth : Width();
}
int THintPicture::DisplayHeight() const {
  if (!FDecoded) return 0;
  return FScreenHeight ? FScreenHeight : Height();
}

bool THintPicture::HasGifSignature() const { return FData.size() >= 5 && FData.compare(0, 4, "GIF8") == 0; }

int THintPicture::CountFrames() {
  if (FFrameCount != -1) return FFrameCount;
  if (!HasGifSignature()) return -1;
  int n = 0;
  for (const TGifImage& img : ScanGifImages(FData))
    if (img.HasControl) ++n;
  FFrameCount = n;
  return n;
}

void THintPicture::Decode() {
  FDecoded.reset();
  FFrameX = FFrameY = 0;
  FScreenWidth = FScreenHeight = 0;
  try {
    if (FData.empty()) throw Exception("Empty image stream created");
    std::string bytes;
    const std::string* source = &FData;
    if (HasGifSignature() && CountFrames() > 0) {
      FScreenWidth = int(uint8_t(FData[6]) | (uint8_t(FData[7]) << 8));
      FScreenHeight = int(uint8_t(FData[8]) | (uint8_t(FData[9]) << 8));
      // The frames before the selected one are left out, so the decoder's
      // first image is the selected frame; what comes before the first
      // frame (header, colour table) is kept.
      std::vector<const TGifImage*> frames;
      std::vector<TGifImage> images = ScanGifImages(FData);
      for (const TGifImage& img : images)
        if (img.HasControl) frames.push_back(&img);
      bytes.assign(FData, 0, frames.front()->Start);
      if (FFrame <= 1) {
        bytes.append(FData, frames.front()->Start, std::string::npos);
      } else if (FFrame <= int(frames.size())) {
        bytes.append(FData, frames[size_t(FFrame - 1)]->Start, std::string::npos);
      }
      if (FFrame >= 1 && FFrame <= int(frames.size())) {
        FFrameX = frames[size_t(FFrame - 1)]->Left;
        FFrameY = frames[size_t(FFrame - 1)]->Top;
      }
      source = &bytes;
    }
    auto picture = std::make_unique<TBitmap>();
    if (!DecodePicture(*source, *picture)) throw Exception("Could not load image. Invalid format");
    FDecoded = std::move(picture);
  } catch (...) {
    FEmpty = true;
    FScreenWidth = FScreenHeight = 0;
    FFrameX = FFrameY = 0;
    throw;
  }
}

void THintPicture::Draw(TCanvas* canvas, const TRect& r) {
  if (FEmpty || !FDecoded) return;
  if (FStretch) {
    canvas->StretchDraw(r, FDecoded.get());
    return;
  }
  int ppi = GetDeviceCaps(canvas->Handle(), LOGPIXELSX);
  if (ppi <= 0) ppi = DefaultPixelsPerInch;
  int w = MulDiv(Width(), ppi, DefaultPixelsPerInch), h = MulDiv(Height(), ppi, DefaultPixelsPerInch);
  if (w == Width() && h == Height())
    canvas->Draw(r.Left, r.Top, FDecoded.get());
  else
    canvas->StretchDraw(TRect(r.Left, r.Top, r.Left + w, r.Top + h), FDecoded.get());
}

void THintPicture::LoadFromFile(const std::string& fileName) {
  try {
    struct stat st;
    if (::stat(fileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > MaxFileSize) {
      ResetDecoded();
      return;
    }
    TFileStream f(fileName, fmOpenRead);
    LoadFromStream(&f);
  } catch (...) {
    ResetDecoded();
  }
}

void THintPicture::ReadData(TStream* stream) {
  if (!stream) return;
  ResetDecoded();
  FData.clear();
  int64_t left = stream->Size() - stream->Position();
  if (left > 0) {
    FData.resize(size_t(left));
    FData.resize(size_t(stream->Read(&FData[0], left)));
  }
  FEmpty = false;
  Decode();
}

void THintPicture::LoadFromStream(TStream* stream) {
  if (!stream) return;
  ReadData(stream);
  Changed();
}

void THintPicture::SaveToStream(TStream* stream) {
  if (!FData.empty()) stream->WriteBuffer(FData.data(), int64_t(FData.size()));
}

void THintPicture::LoadFromResourceName(const std::string& name) {
  std::string bytes;
  if (!FindResourceData(name, bytes)) return;
  TStringStream s(std::move(bytes));
  LoadFromStream(&s);
}

void THintPicture::LoadFromSource(const std::string& source) {
  std::string upper = AnsiUpperCase(source);
  FSourceID = source;
  if (upper.compare(0, 6, "RES://") == 0) {
    if (source.size() > 6) LoadFromResourceName(source.substr(6));
  } else if (upper.compare(0, 7, "FILE://") == 0) {
    if (source.size() > 7) LoadFromFile(source.substr(7));
  }
}

void THintPicture::SetFrame(int frame) {
  FFrame = frame;
  if (FData.empty()) return;
  FEmpty = false;
  Decode();
  if (OnFrameChange) OnFrameChange(this);
}

// ---- THintPictureCache ----
THintPicture* THintPictureCache::NewPicture() {
  FItems.push_back(std::make_unique<THintPicture>());
  return FItems.back().get();
}

THintPicture* THintPictureCache::PictureBySource(const std::string& source) const {
  for (const auto& p : FItems)
    if (p->SourceID() == source) return p.get();
  return nullptr;
}

// ---- TPictureItem, TPictureCollection, TPictureStore ----
TPictureItem::TPictureItem() : FPicture(new THintPicture) {}
TPictureItem::~TPictureItem() = default;

void TPictureItem::Assign(TPersistent* source) {
  if (auto* i = dynamic_cast<TPictureItem*>(source)) {
    if (i == this) return;
    FPicture->Assign(i->FPicture.get());
    FName = i->FName;
    FTag = i->FTag;
    return;
  }
  TPersistent::Assign(source);
}

TPictureItem* TPictureCollection::Add() {
  FItems.push_back(std::make_unique<TPictureItem>());
  return FItems.back().get();
}

void TPictureCollection::Assign(TPersistent* source) {
  if (auto* c = dynamic_cast<TPictureCollection*>(source)) {
    if (c == this) return;
    std::vector<std::unique_ptr<TPictureItem>> items;
    for (const auto& i : c->FItems) {
      items.push_back(std::make_unique<TPictureItem>());
      items.back()->Assign(i.get());
    }
    FItems = std::move(items);
    return;
  }
  TPersistent::Assign(source);
}

TPictureStore::TPictureStore(TComponent* owner) : TComponent(owner), FItems(new TPictureCollection(this)) {}
TPictureStore::~TPictureStore() = default;

THintPicture* TPictureStore::FindPicture(const std::string& name) const {
  for (int i = 0; i < FItems->Count(); ++i)
    if (AnsiSameText(FItems->Items(i)->Name(), name)) return FItems->Items(i)->Picture();
  return nullptr;
}
