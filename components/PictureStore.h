// Pictures for hints: THintPicture keeps a picture file's bytes and decodes
// them through the platform's picture decoders (platform/PictureDecoder.h);
// for a GIF it counts the animation frames and shows any one of them.
// THintPictureCache holds the pictures the markup renderer loaded from
// "RES://" and "FILE://" sources; TPictureStore holds named pictures.
//
// A picture is Empty until data has been loaded and decoded; every load
// and every Frame change decodes again from the kept bytes. A failed load
// leaves it Empty. Sizes are the decoded picture's pixels at 96 dots per
// inch.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Classes.h"
#include "platform/Graphics.h"

class THintPicture : public TGraphic {
 public:
  THintPicture();
  ~THintPicture() override;
  const char* ClassName() const override { return "THintPicture"; }

  // First shows frame 1 of the data held again (OnFrameChange when there
  // is data), empty. Then a THintPicture source gives its data, decoded
  // anew; null clears the data; any other source leaves it at that.
  void Assign(TPersistent* source) override;
  bool Empty() const override { return FEmpty; }
  int Width() const override;
  int Height() const override;
  void SetWidth(int) override {}
  void SetHeight(int) override {}

  // Any error while reading or decoding leaves the picture empty. Only
  // regular files up to MaxFileSize are read (a pipe or a device would
  // block the program).
  void LoadFromFile(const std::string& fileName) override;
  // Decoding errors propagate (see Decode); the picture is then empty.
  void LoadFromStream(TStream* stream) override;
  void SaveToStream(TStream* stream) override;
  // Form storage of the picture: as LoadFromStream without OnChange.
  void ReadData(TStream* stream);
  void WriteData(TStream* stream) { SaveToStream(stream); }
  // The program's RCDATA resource of that name, through LoadFromStream;
  // nothing when there is none.
  void LoadFromResourceName(const std::string& name);
  // "RES://name" (a resource), "FILE://path" (a file), compared without
  // case; anything else only sets the source ID and stays empty.
  void LoadFromSource(const std::string& source);

  // The number of animation frames of a GIF (graphic control extension +
  // complete image), -1 for other data; cached until the next load.
  int CountFrames();
  bool HasGifSignature() const;

  bool Stretch() const { return FStretch; }
  void SetStretch(bool stretch) { FStretch = stretch; }
  int Frame() const { return FFrame; }
  // Decodes the data again showing frame n (1-based) and fires
  // OnFrameChange; a frame past the count leaves the picture empty.
  void SetFrame(int frame);
  TNotifyEvent OnFrameChange;

  // The shown GIF frame's place in the logical screen, and the screen.
  int FrameX() const { return FFrameX; }
  int FrameY() const { return FFrameY; }
  int ScreenWidth() const { return FScreenWidth; }
  int ScreenHeight() const { return FScreenHeight; }
  // The size the renderer lays out: the GIF logical screen when there is
  // one, else Width x Height; 0 when not decoded.
  int DisplayWidth() const;
  int DisplayHeight() const;
  const std::string& SourceID() const { return FSourceID; }
  const std::string& Data() const { return FData; }

  static constexpr int64_t MaxFileSize = int64_t(64) << 20;

 protected:
  void Draw(TCanvas* canvas, const TRect& r) override;

 private:
  // Raises Exception with the decoder's messages.
  void Decode();
  void ResetDecoded();
  std::string FData;
  bool FEmpty = true;
  std::unique_ptr<TBitmap> FDecoded;
  int FFrameCount = -1;
  int FFrameX = 0, FFrameY = 0;
  int FScreenWidth = 0, FScreenHeight = 0;
  std::string FSourceID;
  bool FStretch = false;
  int FFrame = 1;
};

// The renderer's pictures by source string; owns them for its lifetime.
class THintPictureCache {
 public:
  THintPicture* NewPicture();
  // Exact, case-sensitive match of the source ID; null when absent.
  THintPicture* PictureBySource(const std::string& source) const;
  THintPicture* PictureAt(int index) const { return FItems.at(size_t(index)).get(); }
  int Count() const { return int(FItems.size()); }

 private:
  std::vector<std::unique_ptr<THintPicture>> FItems;
};

class TPictureItem : public TPersistent {
 public:
  TPictureItem();
  ~TPictureItem() override;
  const char* ClassName() const override { return "TPictureItem"; }
  void Assign(TPersistent* source) override;
  THintPicture* Picture() const { return FPicture.get(); }
  // Copies the picture.
  void SetPicture(THintPicture* picture) { FPicture->Assign(picture); }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& name) { FName = name; }
  int Tag() const { return FTag; }
  void SetTag(int tag) { FTag = tag; }

 private:
  std::unique_ptr<THintPicture> FPicture;
  std::string FName;
  int FTag = 0;
};

class TPictureStore;

class TPictureCollection : public TPersistent {
 public:
  explicit TPictureCollection(TPictureStore* owner) : FOwner(owner) {}
  const char* ClassName() const override { return "TPictureCollection"; }
  void Assign(TPersistent* source) override;
  TPictureItem* Add();
  void Clear() { FItems.clear(); }
  int Count() const { return int(FItems.size()); }
  TPictureItem* Items(int index) const { return FItems.at(size_t(index)).get(); }
  TPictureStore* Owner() const { return FOwner; }

 private:
  TPictureStore* FOwner;
  std::vector<std::unique_ptr<TPictureItem>> FItems;
};

class TPictureStore : public TComponent {
 public:
  explicit TPictureStore(TComponent* owner);
  ~TPictureStore() override;
  const char* ClassName() const override { return "TPictureStore"; }
  TPictureCollection* Items() const { return FItems.get(); }
  void SetItems(TPictureCollection* items) { FItems->Assign(items); }
  std::string Version() const { return "1.0.0.0"; }
  void SetVersion(const std::string&) {}
  // The picture of the first item named so, without regard to case.
  virtual THintPicture* FindPicture(const std::string& name) const;

 private:
  std::unique_ptr<TPictureCollection> FItems;
};
