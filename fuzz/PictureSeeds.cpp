// Writes the seed pictures of the picture fuzz targets (the tests' own
// pictures): fuzz_picture_seeds <folder>.
#include <cstdio>
#include <string>

#include "TestPictures.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::string dir = argv[1];
  std::string gif3 = MakeGif(10, 8, {{0, 0, 4, 4, 0}, {2, 3, 5, 4, 1}, {9, 7, 1, 1, 2}});
  const std::pair<const char*, std::string> seeds[] = {
      {"small.bmp", MakeBmp(5, 3, clRed)},
      {"small.ico", MakeIco(16, 16, clBlue)},
      {"one-frame.gif", MakeGif(4, 4, {{0, 0, 4, 4, 0}})},
      {"three-frames.gif", gif3},
      {"truncated.gif", gif3.substr(0, gif3.size() - 7)},
      {"small.jpg", MakeJpeg(8, 8, clGreen)},
      {"small.png", MakePng(6, 4, clYellow)},
  };
  for (const auto& s : seeds) {
    std::FILE* f = std::fopen((dir + "/" + s.first).c_str(), "wb");
    if (!f) return 1;
    std::fwrite(s.second.data(), 1, s.second.size(), f);
    std::fclose(f);
  }
  return 0;
}
