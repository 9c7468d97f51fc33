#include "PicturePreview.h"

#include "FileUrl.h"
#include "W2kMain.h"
#include "platform/Classes.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/SysUtils.h"

bool ReadPictureFileSize(const std::string& path, TPictureHeader& header) {
  header = TPictureHeader();
  if (ReadPictureFileDimensions(path, header)) return true;
  header = TPictureHeader();
  return false;
}

namespace {

void Tell(HWND owner, const char* what, const std::string& path, UINT icon) {
  MessageBox(owner, Ansi(what) + path, ProgramTitle, MB_OK | icon);
}

// The whole file, or false when it cannot be read.
bool ReadBytes(const std::string& path, std::string& bytes) {
  try {
    bytes = ReadWholeFile(path);
    return true;
  } catch (const Exception&) {
    return false;
  }
}

}  // namespace

bool ShowPicturePreview(TImage* image, const std::string& path, HWND owner, TPictureHeader& header) {
  image->Picture()->SetGraphic(nullptr);
  if (!ReadPictureFileSize(path, header)) {
    Tell(owner, "Не удалось прочитать рисунок:\r\r", path, MB_ICONWARNING);
    return false;
  }
  if (!ScaledDecodeAllowed(header)) {
    Tell(owner, "Рисунок слишком велик для предварительного просмотра:\r\r", path, MB_ICONINFORMATION);
    return false;
  }
  std::string bytes;
  TBitmap preview;
  if (!ReadBytes(path, bytes) || !PictureDataComplete(bytes) ||
      !DecodePictureScaled(bytes, kPreviewMaxSide, kPreviewMaxSide, preview) || preview.Empty()) {
    Tell(owner, "Не удалось показать рисунок:\r\r", path, MB_ICONWARNING);
    return false;
  }
  image->Picture()->SetGraphic(&preview);
  return true;
}
