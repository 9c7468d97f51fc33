// Hint pictures: loading, GIF frames, the cache and the named store.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "PictureStore.h"
#include "TestPictures.h"
#include "platform/PictureDecoder.h"
#include "platform/Resources.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

// Counts the decodes and passes them on to the built-in decoders.
class TCountingDecoder : public IPictureBackend {
 public:
  bool Decode(const std::string& bytes, TPictureFormat format, TBitmap& out) override {
    ++Calls;
    return FBuiltin.Decode(bytes, format, out);
  }
  int Calls = 0;

 private:
  TBuiltinPictureBackend FBuiltin;
};

class PictureStoreTest : public ::testing::Test {
 protected:
  PictureStoreTest() { SetPictureBackend(&decoder); }
  ~PictureStoreTest() override { SetPictureBackend(nullptr); }
  static void Load(THintPicture& p, const std::string& bytes) {
    TStringStream s(bytes);
    p.LoadFromStream(&s);
  }
  TFakeWidgetsetScope ws;
  TCountingDecoder decoder;
  const std::string gif3 = MakeGif(10, 8, {{0, 0, 4, 4, 0}, {2, 3, 5, 4, 1}, {9, 7, 1, 1, 2}});
};

TEST_F(PictureStoreTest, GifFramesAreCountedAndShownOneByOne) {
  THintPicture p;
  int frameChanges = 0;
  p.OnFrameChange = [&](TObject*) { ++frameChanges; };
  Load(p, gif3);
  EXPECT_EQ(p.CountFrames(), 3);
  EXPECT_FALSE(p.Empty());
  EXPECT_EQ(p.Width(), 4);
  EXPECT_EQ(p.DisplayWidth(), 10);  // laid out at the logical screen size
  EXPECT_EQ(p.DisplayHeight(), 8);
  p.SetFrame(2);
  EXPECT_EQ(frameChanges, 1);
  EXPECT_EQ(p.Width(), 5);
  EXPECT_EQ(p.FrameX(), 2);
  EXPECT_EQ(p.FrameY(), 3);
  TBitmap screen(10, 8);
  screen.Canvas()->Draw(0, 0, &p);
  EXPECT_EQ(screen.Pixel(0, 0) & 0xFFFFFF, 0x00FF00u);  // frame 2 is green
  // A frame past the count gives the header and no image: empty.
  EXPECT_THROW(p.SetFrame(4), Exception);
  EXPECT_TRUE(p.Empty());
  EXPECT_EQ(p.DisplayWidth(), 0);
  p.SetFrame(1);
  EXPECT_FALSE(p.Empty());
  // Every load counts anew.
  Load(p, MakeGif(3, 3, {{0, 0, 3, 3, 2}}));
  EXPECT_EQ(p.CountFrames(), 1);
  // Not a GIF: -1, decoded unchanged; less than 5 bytes is no GIF.
  Load(p, MakeBmp(3, 2, clRed));
  EXPECT_EQ(p.CountFrames(), -1);
  EXPECT_EQ(p.Width(), 3);
  Load(p, MakeJpeg(5, 4, clRed));
  EXPECT_EQ(p.CountFrames(), -1);
  EXPECT_EQ(p.Height(), 4);
  EXPECT_THROW(Load(p, "GIF8"), Exception);
  EXPECT_FALSE(p.HasGifSignature());
}

TEST_F(PictureStoreTest, FailedLoadsLeaveThePictureEmptyWithTheDecoderMessages) {
  THintPicture p;
  struct Case {
    std::string bytes;
    const char* message;
  };
  const Case cases[] = {
      {"", "Empty image stream created"},
      {"garbage", "Could not load image. Invalid format"},
      {gif3.substr(0, 30), "Could not load image. Invalid format"},  // truncated
      {MakeBmp(3, 3, clRed).substr(0, 40), "Could not load image. Invalid format"},
  };
  for (const Case& c : cases) {
    Load(p, MakeBmp(2, 2, clRed));
    ASSERT_FALSE(p.Empty());
    try {
      Load(p, c.bytes);
      ADD_FAILURE() << "no error for " << c.message;
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_TRUE(p.Empty());
    EXPECT_EQ(p.Width(), 0);
  }
  // LoadFromFile swallows every error; a FIFO is not even opened.
  std::string dir = "/tmp/w18-pictures-" + std::to_string(getpid());
  mkdir(dir.c_str(), 0700);
  std::string fifo = dir + "/pipe.bmp";
  mkfifo(fifo.c_str(), 0600);
  Load(p, MakeBmp(2, 2, clRed));
  p.LoadFromFile(fifo);
  EXPECT_TRUE(p.Empty());
  p.LoadFromFile(dir);
  EXPECT_TRUE(p.Empty());
  p.LoadFromFile(dir + "/missing.bmp");
  EXPECT_TRUE(p.Empty());
  unlink(fifo.c_str());
  rmdir(dir.c_str());
}

TEST_F(PictureStoreTest, AssignShowsFrameOneOfTheOldDataThenTakesAHintPicturesData) {
  THintPicture a;
  Load(a, MakeBmp(4, 4, clRed));
  TBitmap bitmap(2, 2);
  struct TCase {
    const char* What;
    TPersistent* Source;
    int Decodes;  // the old data at frame 1, then the new
    bool Empty;
    std::string Data;
  };
  const TCase cases[] = {
      {"hint picture", &a, 2, false, a.Data()},
      {"none", nullptr, 1, true, ""},
      {"bitmap", &bitmap, 1, true, gif3},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    THintPicture b;
    Load(b, gif3);
    b.SetFrame(2);
    int frameChanges = 0;
    b.OnFrameChange = [&](TObject*) { ++frameChanges; };
    decoder.Calls = 0;
    EXPECT_NO_THROW(b.Assign(c.Source));
    EXPECT_EQ(decoder.Calls, c.Decodes);
    EXPECT_EQ(frameChanges, 1);
    EXPECT_EQ(b.Frame(), 1);
    EXPECT_EQ(b.Empty(), c.Empty);
    EXPECT_EQ(b.Data(), c.Data);
  }
  THintPicture b, empty;
  Load(b, gif3);
  int frameChanges = 0;
  empty.OnFrameChange = [&](TObject*) { ++frameChanges; };
  empty.Assign(&b);  // no data before: no frame change
  EXPECT_EQ(frameChanges, 0);
  EXPECT_EQ(empty.CountFrames(), 3);
  b.Assign(&b);  // self-assignment keeps everything
  EXPECT_EQ(b.Data(), gif3);
  EXPECT_FALSE(b.Empty());
}

TEST_F(PictureStoreTest, MetafilesLoadAtTheSizeTheirHeadersState) {
  for (const std::string& bytes : {MakeWmf(30, 20, clBlue, clRed), MakeEmf(30, 20, clBlue, clRed)}) {
    THintPicture p;
    Load(p, bytes);
    EXPECT_FALSE(p.Empty());
    EXPECT_EQ(p.CountFrames(), -1);
    EXPECT_EQ(p.Width(), 30);
    EXPECT_EQ(p.DisplayHeight(), 20);
  }
}

TEST_F(PictureStoreTest, SourcesCacheAndStore) {
  RegisterResourceData("STOREPIC", MakeBmp(3, 3, clRed));
  THintPictureCache cache;
  THintPicture* p = cache.NewPicture();
  p->LoadFromSource("res://STOREPIC");
  EXPECT_FALSE(p->Empty());
  EXPECT_EQ(cache.PictureBySource("res://STOREPIC"), p);
  EXPECT_EQ(cache.PictureBySource("RES://STOREPIC"), nullptr);  // case-sensitive
  THintPicture* web = cache.NewPicture();
  web->LoadFromSource("http://example.org/a.gif");
  EXPECT_TRUE(web->Empty());
  EXPECT_EQ(web->SourceID(), "http://example.org/a.gif");
  THintPicture* none = cache.NewPicture();
  none->LoadFromSource("RES://");
  EXPECT_TRUE(none->Empty());
  EXPECT_EQ(cache.Count(), 3);
  UnregisterResource("STOREPIC");

  TPictureStore store(nullptr);
  EXPECT_EQ(store.Version(), "1.0.0.0");
  store.SetVersion("9");
  EXPECT_EQ(store.Version(), "1.0.0.0");
  TPictureItem* item = store.Items()->Add();
  item->SetName("Arrow");
  Load(*item->Picture(), MakeBmp(2, 2, clRed));
  EXPECT_EQ(store.FindPicture("ARROW"), item->Picture());
  EXPECT_EQ(store.FindPicture("Arrows"), nullptr);
  TPictureStore copy(nullptr);
  copy.SetItems(store.Items());
  ASSERT_EQ(copy.Items()->Count(), 1);
  EXPECT_EQ(copy.FindPicture("arrow")->Width(), 2);
}

}  // namespace
