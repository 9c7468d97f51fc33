#include "FileUrl.h"

#include <algorithm>
#include <cstdint>

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

std::string ReadWholeFile(const std::string& path) {
  TFileStream file(path, fmOpenRead | fmShareDenyWrite);
  std::string bytes(static_cast<std::size_t>(std::max<std::int64_t>(file.Size(), 0)), '\0');
  if (!bytes.empty()) file.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  return bytes;
}
