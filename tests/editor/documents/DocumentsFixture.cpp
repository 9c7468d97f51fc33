#include "DocumentsFixture.h"

#include <filesystem>

#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "W2kMain.h"
#include "platform/Classes.h"
#include "platform/CodePage.h"

std::string DocumentsTest::ResourcePath(const std::string& relative) {
  return std::string(BQS_SOURCE_DIR) + "/resources/" + relative;
}

void DocumentsTest::SetUp() {
  EditorAppTest::SetUp();
  namespace fs = std::filesystem;
  for (const char* folder : {"Шаблоны", "HTML шаблоны"})
    fs::copy(ResourcePath(folder), FDir.Path(folder), fs::copy_options::recursive);
}

void DocumentsTest::StartWith(const std::string& text) {
  Start();
  Memo()->Lines()->SetTextStr(text);
  Memo()->SetModified(false);
}

TSrcMemo* DocumentsTest::Memo() const { return Main()->Memo1; }

std::string DocumentsTest::Caption() const { return Main()->Caption(); }

std::string DocumentsTest::SavedBytes() const {
  TMemoryStream s;
  Memo()->Lines()->SaveToStream(&s);
  return std::string(static_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
}

std::string SavePrompt(const std::string& docName) {
  return Ansi("Текст в следующем документе:\n\r\n\r") + docName + "\n\r\n\r" + Ansi("был изменен, но не сохранён.") +
         "\n\r" + Ansi("Сохранить сделанные изменения в этом документе? ");
}
