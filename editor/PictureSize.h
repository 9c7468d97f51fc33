// A picture's width and height read from its file header alone: JPEG (the
// frame header), PNG, GIF and BMP. Nothing is decoded, so a huge picture
// costs a few reads.
#pragma once

#include <string>

struct TPictureSize {
  int Width = 0;
  int Height = 0;
};

// False when the bytes are no picture of these formats (or are cut short
// before the size); the size is left at 0 x 0 then.
bool ReadPictureSize(const std::string& fileName, TPictureSize& size);
// The same on bytes in memory.
bool ReadPictureSizeFromBytes(const std::string& bytes, TPictureSize& size);

// A JPEG file cut short lacks its end-of-image marker; decoders show what
// arrived and report no error. False for such a file (or one not read);
// other formats are left to their decoder.
bool PictureLooksComplete(const std::string& fileName);
