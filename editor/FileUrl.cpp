#include "FileUrl.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "W2kMain.h"
#include "platform/Classes.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/SysUtils.h"

std::string MarkupFileName(const std::string& name) { return StringReplace(name, "\"", "%22", rfReplaceAll); }

std::string FileUrl(const std::string& path) { return "file://" + MarkupFileName(ExpandFileName(path)); }

bool PickedFileUsable(const std::string& path) {
  if (FileExists(path)) return true;
  MessageBox(nullptr,
             Ansi("Имя выбранного файла нельзя записать в кодировке Windows-1251:\r\r") + path +
                 Ansi("\r\rПереименуйте файл и выберите его снова."),
             ProgramTitle, MB_OK | MB_ICONWARNING);
  return false;
}

namespace {
constexpr std::int64_t kReadPiece = 1 << 20;
}  // namespace

std::string ReadWholeFile(const std::string& path) {
  TFileStream file(path, fmOpenRead | fmShareDenyWrite);
  const std::int64_t size = std::max<std::int64_t>(file.Size(), 0);
  // Read in pieces and appended: the text is written once, not cleared first.
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(size));
  std::unique_ptr<char[]> piece(new char[kReadPiece]);
  for (std::int64_t left = size; left > 0;) {
    const std::int64_t n = std::min<std::int64_t>(left, kReadPiece);
    file.ReadBuffer(piece.get(), n);
    bytes.append(piece.get(), static_cast<std::size_t>(n));
    left -= n;
  }
  return bytes;
}
