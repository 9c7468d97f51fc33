// Wave resources through the sound backend, and the program cursor table.
#include <gtest/gtest.h>

#include "platform/Cursors.h"
#include "platform/Resources.h"
#include "platform/Sound.h"
#include "platform/testing/FakeWidgetset.h"
#include "platform/testing/RecordingSound.h"

namespace {

std::string Tone(int rate, size_t count) {
  std::vector<int16_t> samples(count, 1000);
  return MakeWave16Mono(rate, samples.data(), samples.size());
}

TEST(SoundTest, PlaysRegisteredWavesAndFailsSilentlyOtherwise) {
  TRecordingSoundScope scope;
  RegisterResourceData("TEST_WAVE", Tone(22050, 100));
  RegisterResourceData("TEST_NOT_A_WAVE", "RIFF....junk");
  EXPECT_TRUE(PlaySound("test_wave", 0, SND_RESOURCE | SND_ASYNC));
  EXPECT_FALSE(PlaySound("TEST_MISSING", 0, SND_RESOURCE | SND_ASYNC));
  EXPECT_FALSE(PlaySound("TEST_NOT_A_WAVE", 0, SND_RESOURCE | SND_ASYNC));
  EXPECT_EQ(scope.Sound.Played, std::vector<std::string>{"test_wave"});
  scope.Sound.Result = false;  // the device refuses
  EXPECT_FALSE(PlaySound("TEST_WAVE", 0, SND_RESOURCE | SND_ASYNC));
  SetSoundBackend(nullptr);
  EXPECT_FALSE(PlaySound("TEST_WAVE", 0, SND_RESOURCE | SND_ASYNC));
  SetSoundBackend(&scope.Sound);
  UnregisterResource("TEST_WAVE");
  UnregisterResource("TEST_NOT_A_WAVE");
}

TEST(SoundTest, WaveHeadersAreWrittenAndReadBack) {
  const std::string wave = Tone(44100, 441);
  EXPECT_EQ(wave.size(), 44u + 882u);
  TWaveFormat f;
  ASSERT_TRUE(ReadWaveFormat(wave, f));
  EXPECT_EQ(f.Channels, 1);
  EXPECT_EQ(f.SampleRate, 44100);
  EXPECT_EQ(f.BitsPerSample, 16);
  EXPECT_EQ(f.DataBytes, 882u);
  // Truncated, not RIFF, or a data chunk longer than the bytes.
  for (const std::string& bad :
       {wave.substr(0, 30), std::string("RIFX") + wave.substr(4), wave.substr(0, wave.size() - 2)})
    EXPECT_FALSE(ReadWaveFormat(bad, f));
}

TEST(CursorsTest, ResourcesBecomeProgramCursorsShownByNumber) {
  TFakeWidgetsetScope ws;
  RegisterCursorResource(
      "TEST_CURSOR",
      [](TBitmap& b) {
        b.SetSize(4, 3);
        b.Canvas()->Brush()->SetColor(clBlack);
        b.Canvas()->FillRect(TRect(0, 0, 4, 3));
        b.SetPixel(0, 2, clWhite);  // bottom-left: the see-through colour
        b.SetPixel(3, 0, clWhite);
      },
      TPoint(9, 1));
  const HCURSOR c = LoadCursorResource("test_cursor");
  ASSERT_NE(c, 0);
  EXPECT_EQ(LoadCursorResource("TEST_CURSOR"), c);  // made once
  EXPECT_GE(c, kFirstProgramCursor);
  const TCursorImage* image = ProgramCursorImage(c);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Width, 4);
  EXPECT_EQ(image->HotSpot, TPoint(3, 1));  // clamped into the picture
  EXPECT_EQ(image->Pixels[0], 0xFF000000u);
  EXPECT_EQ(image->Pixels[3], 0u);
  EXPECT_EQ(image->Pixels[8], 0u);
  EXPECT_EQ(LoadCursorResource("TEST_NO_SUCH_CURSOR"), 0);
  EXPECT_FALSE(IsProgramCursor(IDC_ARROW));

  // Unknown numbers show the arrow until the table names them.
  EXPECT_EQ(CursorToIdc(7), IDC_ARROW);
  SetScreenCursorHandle(7, c);
  EXPECT_EQ(CursorToIdc(7), c);
  TWinControl w(nullptr);
  w.SetBounds(0, 0, 50, 50);
  w.HandleNeeded();
  w.Show();
  w.SetCursor(7);
  ws->MouseMove(w.Handle(), 10, 10);
  EXPECT_EQ(ws->CurrentCursor(), c);
  SetScreenCursorHandle(7, 0);
  EXPECT_EQ(CursorToIdc(7), IDC_ARROW);
}

}  // namespace
