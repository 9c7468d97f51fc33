// The editor on the offscreen Qt platform with the program's template
// folders copied into its scratch program folder.
#pragma once

#include <string>

#include "EditorAppFixture.h"

class TSrcMemo;

class DocumentsTest : public EditorAppTest {
 protected:
  void SetUp() override;
  // Starts the program with `text` in an unmodified document.
  void StartWith(const std::string& text);
  TSrcMemo* Memo() const;
  std::string Caption() const;
  // The document's lines as the editor saves them.
  std::string SavedBytes() const;
  // The OS path of a file of the source tree's resources folder.
  static std::string ResourcePath(const std::string& relative);
};

// Builds the close/save prompt as the user sees it.
std::string SavePrompt(const std::string& docName);
