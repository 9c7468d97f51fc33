// INI text: any bytes read as a file; the text written back reads as the
// same sections and values, and a value written reads back as written.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "platform/Classes.h"
#include "platform/IniFiles.h"

namespace {

// Every section with its values, as the reader sees them.
std::vector<std::string> Content(TMemIniFile& ini) {
  std::vector<std::string> r;
  TStringList sections;
  ini.ReadSections(&sections);
  for (int i = 0; i < sections.Count(); ++i) {
    r.push_back("[" + sections.Strings(i) + "]");
    TStringList values;
    ini.ReadSectionValues(sections.Strings(i), &values);
    for (int k = 0; k < values.Count(); ++k) r.push_back(values.Strings(k));
  }
  return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TFuzzInput in(data, size);
  const std::string name = in.Bytes(8);
  const std::string text = in.Rest();
  TStringList lines;
  lines.SetText(text);
  TMemIniFile ini("/nonexistent/fuzz.ini");
  ini.SetStrings(&lines);
  const std::vector<std::string> before = Content(ini);
  TStringList written;
  ini.GetStrings(&written);
  TMemIniFile again("/nonexistent/fuzz.ini");
  again.SetStrings(&written);
  Require(Content(again) == before);

  // A plain value under a new key reads back as written.
  std::string value;
  for (char c : name)
    // No blanks or control bytes (trimmed) and no quotes (one pair is taken off).
    if (static_cast<unsigned char>(c) > ' ' && c != '"' && c != '\'') value += c;
  again.WriteString("fuzz-section", "fuzz-key", value);
  Require(again.ReadString("fuzz-section", "fuzz-key", "?") == (value.empty() ? std::string() : value));

  // Any value holding a line break reads back byte for byte from the
  // file's text, and adds no key or section.
  const std::string broken = name + "\r\n" + text.substr(0, 64);
  TStringList sectionsBefore, keysBefore;
  again.ReadSections(&sectionsBefore);
  again.ReadSection("fuzz-section", &keysBefore);
  again.WriteString("fuzz-section", "fuzz-key", broken);
  TStringList stored, relines;
  again.GetStrings(&stored);
  relines.SetText(stored.Text());
  TMemIniFile reread("/nonexistent/fuzz.ini");
  reread.SetStrings(&relines);
  Require(reread.ReadString("fuzz-section", "fuzz-key", "?") == broken);
  TStringList sectionsAfter, keysAfter;
  reread.ReadSections(&sectionsAfter);
  reread.ReadSection("fuzz-section", &keysAfter);
  Require(sectionsAfter.Text() == sectionsBefore.Text());
  Require(keysAfter.Text() == keysBefore.Text());
  return 0;
}
