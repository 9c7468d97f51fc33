// The picture a wizard was given: its size from the file header alone, and
// a preview decoded no larger than the preview needs, so that a camera
// picture of tens of megapixels shows at once and costs little memory.
#pragma once

#include <string>

#include "platform/ExtCtrls.h"
#include "platform/PictureDecoder.h"

// The largest side a preview is decoded at (the aspect kept); the preview
// box stretches what it gets. Pictures inside keep their own size.
constexpr int kPreviewMaxSide = 1024;

// The size `path` states in its header; false (and 0 x 0) when the file
// cannot be read or is no picture.
bool ReadPictureFileSize(const std::string& path, TPictureHeader& header);

// Empties `image`, reads the size into `header` and shows the picture in
// `image`. A picture that cannot be shown leaves `image` empty and says so
// in a message box over `owner` naming the file: no picture or no header
// (warning), too large even scaled (information), or damaged or cut short
// (warning). True when the preview shows the picture.
bool ShowPicturePreview(TImage* image, const std::string& path, HWND owner, TPictureHeader& header);
