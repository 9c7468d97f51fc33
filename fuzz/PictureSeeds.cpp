// Writes the seed pictures of the picture fuzz targets (the tests' own
// pictures) into each target's folder: fuzz_picture_seeds <corpus folder>.
#include <cstdio>
#include <string>
#include <vector>

#include "TestPictures.h"

namespace {

// A GIF whose one image is w x h in a screenW x screenH screen, its data
// cut after the first sub-block: what a reader allocates for the image is
// all it costs.
std::string GifImageCut(int screenW, int screenH, int w, int h) {
  std::string d = MakeGif(screenW, screenH, {{0, 0, 2, 2, 0}});
  const size_t descriptor = d.find('\x2C', 13 + 12);
  d[descriptor + 5] = char(w & 0xFF), d[descriptor + 6] = char(w >> 8);
  d[descriptor + 7] = char(h & 0xFF), d[descriptor + 8] = char(h >> 8);
  return d.substr(0, descriptor + 10 + 1 + 4);
}

bool Write(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string dir = argv[1];
  using TSeeds = std::vector<std::pair<const char*, std::string>>;
  std::string gif3 = MakeGif(10, 8, {{0, 0, 4, 4, 0}, {2, 3, 5, 4, 1}, {9, 7, 1, 1, 2}});
  const TSeeds pictures = {
      {"small.bmp", MakeBmp(5, 3, clRed)},
      {"small.ico", MakeIco(16, 16, clBlue)},
      {"one-frame.gif", MakeGif(4, 4, {{0, 0, 4, 4, 0}})},
      {"three-frames.gif", gif3},
      {"truncated.gif", gif3.substr(0, gif3.size() - 7)},
      {"small.jpg", MakeJpeg(8, 8, clGreen)},
      {"small.png", MakePng(6, 4, clYellow)},
      // Images larger than their screens.
      {"frame-taller-than-screen.gif", MakeGif(2, 1, {{0, 0, 4, 91, 1}})},
      {"frame-wider-than-screen.gif", MakeGif(4, 3, {{1, 0, 60, 2, 2}})},
      {"huge-frame-in-small-screen.gif", GifImageCut(10, 8, 2000, 16000)},
      {"small.wmf", MakeWmf(6, 4, clBlue, clRed)},
      {"small.emf", MakeEmf(6, 4, clBlue, clRed)},
  };
  const std::string wmf = MakeWmf(12, 8, clBlue, clRed), emf = MakeEmf(12, 8, clBlue, clRed);
  const TSeeds wmfs = {
      {"placeable.wmf", wmf},
      {"plain.wmf", MakeWmf(12, 8, clLime, clNavy, false)},
      {"cut.wmf", wmf.substr(0, wmf.size() - 9)},
  };
  const TSeeds emfs = {
      {"small.emf", emf},
      {"cut.emf", emf.substr(0, emf.size() - 12)},
  };
  const std::pair<const char*, const TSeeds*> targets[] = {
      {"fuzz_picture_readers", &pictures},
      {"fuzz_hint_picture", &pictures},
      {"fuzz_wmf", &wmfs},
      {"fuzz_emf", &emfs},
  };
  for (const auto& t : targets)
    for (const auto& s : *t.second)
      if (!Write(dir + "/" + t.first + "/" + s.first, s.second)) return 1;
  return 0;
}
