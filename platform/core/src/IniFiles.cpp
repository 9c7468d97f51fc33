#include "platform/IniFiles.h"

#include "platform/SysUtils.h"

#include <sys/stat.h>

#include <cstring>

#include "platform/CodePage.h"

// --- parsed content ------------------------------------------------------------

class TIniContent {
 public:
  std::vector<std::string> lines;  // without line breaks

  void Parse(const std::string& text) {
    lines.clear();
    std::size_t i = 0, n = text.size();
    while (i < n) {
      std::size_t start = i;
      while (i < n && text[i] != '\r' && text[i] != '\n') ++i;
      lines.emplace_back(text, start, i - start);
      if (i < n && text[i] == '\r') ++i;
      if (i < n && text[i] == '\n') ++i;
    }
  }

  std::string Join() const {
    std::size_t total = 0;
    for (const std::string& l : lines) total += l.size() + 2;
    std::string r;
    r.reserve(total);
    for (const std::string& l : lines) {
      r += l;
      r += "\r\n";
    }
    return r;
  }

  // A "[name]" line gives true and the (trimmed) name.
  static bool IsSection(const std::string& line, std::string& name) {
    std::size_t b = 0;
    while (b < line.size() && (line[b] == ' ' || line[b] == '\t')) ++b;
    if (b >= line.size() || line[b] != '[') return false;
    std::size_t e = line.find(']', b + 1);
    if (e == std::string::npos) e = line.size();
    name = Trim(std::string_view(line).substr(b + 1, e - b - 1));
    return true;
  }

  // A "key=value" line (not a comment) gives true, the trimmed key and value.
  static bool IsKey(const std::string& line, std::string& key, std::string* value) {
    std::size_t b = 0;
    while (b < line.size() && (line[b] == ' ' || line[b] == '\t')) ++b;
    if (b >= line.size() || line[b] == ';' || line[b] == '[') return false;
    std::size_t eq = line.find('=', b);
    if (eq == std::string::npos) return false;
    key = Trim(std::string_view(line).substr(b, eq - b));
    if (key.empty()) return false;
    if (value) {
      std::string v = Trim(std::string_view(line).substr(eq + 1));
      if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) v = v.substr(1, v.size() - 2);
      *value = v;
    }
    return true;
  }

  // [first, last) line range of the first section with the name; false if none.
  bool FindSection(const std::string& section, std::size_t& header, std::size_t& end) const {
    std::string name;
    bool found = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (IsSection(lines[i], name)) {
        if (found) {
          end = i;
          return true;
        }
        if (AnsiSameText(name, section)) {
          found = true;
          header = i;
        }
      }
    }
    if (found) end = lines.size();
    return found;
  }

  // A value that holds a line break cannot stand on one line as it is: it
  // is kept under the key's name with a "*" after it, its line breaks, its
  // "%" and whatever the reader would trim or unquote written as %XX. Keys
  // are the program's own names, never typed, so no file written without
  // such a value holds a "*" key: those read exactly as before.
  static bool NeedsEncoding(const std::string& value) { return value.find_first_of("\r\n") != std::string::npos; }

  static std::string Encode(const std::string& value) {
    return PercentEncode(value, [](unsigned char u) { return u <= ' ' || u == '"' || u == '\''; });
  }

  // The key of a line read as the program names it: "name*" is "name",
  // encoded.
  static bool KeyOf(const std::string& line, std::string& key, std::string* value) {
    if (!IsKey(line, key, value)) return false;
    if (key.size() > 1 && key.back() == '*') {
      key.pop_back();
      if (value) *value = PercentDecode(*value);
    }
    return true;
  }

  // Line index of the first key with the name (plain or encoded) inside the
  // section, or npos.
  std::size_t FindValueKey(std::size_t header, std::size_t end, const std::string& ident) const {
    std::string key;
    for (std::size_t i = header + 1; i < end; ++i)
      if (KeyOf(lines[i], key, nullptr) && AnsiSameText(key, ident)) return i;
    return std::string::npos;
  }

  bool Read(const std::string& section, const std::string& ident, std::string& value) const {
    std::size_t header, end;
    if (!FindSection(section, header, end)) return false;
    std::string key;
    for (std::size_t i = header + 1; i < end; ++i)
      if (KeyOf(lines[i], key, &value) && AnsiSameText(key, ident)) return true;
    return false;
  }

  void Write(const std::string& section, const std::string& ident, const std::string& value) {
    // What follows the key: its mark and value, encoded when need be.
    const std::string assigned = NeedsEncoding(value) ? "*=" + Encode(value) : "=" + value;
    std::size_t header, end;
    if (!FindSection(section, header, end)) {
      lines.push_back("[" + section + "]");
      lines.push_back(ident + assigned);
      return;
    }
    std::size_t k = FindValueKey(header, end, ident);
    if (k != std::string::npos) {
      const std::string& old = lines[k];
      std::size_t b = 0;
      while (b < old.size() && (old[b] == ' ' || old[b] == '\t')) ++b;
      std::string key = TrimRight(std::string_view(old).substr(0, old.find('=', b)));
      // The key keeps its spelling in the file; its form follows the value.
      if (!key.empty() && key.back() == '*') key.pop_back();
      lines[k] = key + assigned;
      return;
    }
    // After the last non-blank line of the section.
    std::size_t at = end;
    while (at > header + 1 && Trim(lines[at - 1]).empty()) --at;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), ident + assigned);
  }

  bool DeleteKey(const std::string& section, const std::string& ident) {
    std::size_t header, end;
    if (!FindSection(section, header, end)) return false;
    std::size_t k = FindValueKey(header, end, ident);
    if (k == std::string::npos) return false;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(k));
    return true;
  }

  bool EraseSection(const std::string& section) {
    std::size_t header, end;
    if (!FindSection(section, header, end)) return false;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(header), lines.begin() + static_cast<std::ptrdiff_t>(end));
    return true;
  }

  void Keys(const std::string& section, TStrings* strings) const {
    std::size_t header, end;
    if (!FindSection(section, header, end)) return;
    std::string key;
    for (std::size_t i = header + 1; i < end; ++i)
      if (KeyOf(lines[i], key, nullptr)) strings->Add(key);
  }

  void Values(const std::string& section, TStrings* strings) const {
    std::size_t header, end;
    if (!FindSection(section, header, end)) return;
    std::string key, value;
    for (std::size_t i = header + 1; i < end; ++i)
      if (KeyOf(lines[i], key, &value)) strings->Add(key + "=" + value);
  }

  void Sections(TStrings* strings) const {
    std::string name;
    for (const std::string& l : lines)
      if (IsSection(l, name)) strings->Add(name);
  }
};

namespace {

std::string ReadWholeFile(const std::string& fileName) {
  TFileStream f(fileName, fmOpenRead | fmShareDenyNone);
  std::int64_t size = f.Size();
  std::string s(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)), '\0');
  if (size > 0) {
    std::int64_t n = f.Read(&s[0], size);
    s.resize(static_cast<std::size_t>(std::max<std::int64_t>(n, 0)));
  }
  return s;
}

void WriteWholeFile(const std::string& fileName, const std::string& text) {
  try {
    std::string dir = ExtractFileDir(fileName);
    if (!dir.empty()) ForceDirectories(dir);
    TReplaceFileStream f(fileName);
    f.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    f.Commit();
  } catch (const EStreamError& e) {
    throw EIniFileException(Format("Unable to write to %s", fileName.c_str()), e.ErrorCode);
  } catch (const Exception&) {
    throw EIniFileException(Format("Unable to write to %s", fileName.c_str()));
  }
}

// Runs f on a fresh list, then puts the result into `strings`.
template <class F>
void Fill(TStrings* strings, F f) {
  strings->BeginUpdate();
  try {
    strings->Clear();
    f();
  } catch (...) {
    strings->EndUpdate();
    throw;
  }
  strings->EndUpdate();
}

}  // namespace

// --- TCustomIniFile -----------------------------------------------------------------

int TCustomIniFile::ReadInteger(const std::string& section, const std::string& ident, int def) {
  std::string s = ReadString(section, ident, std::string());
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s = "$" + s.substr(2);
  return StrToIntDef(s, def);
}

void TCustomIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const std::string& section, const std::string& ident, bool def) {
  return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(const std::string& section, const std::string& ident, double def) {
  std::string s = ReadString(section, ident, std::string());
  return s.empty() ? def : StrToFloatDef(s, def);
}

void TCustomIniFile::WriteFloat(const std::string& section, const std::string& ident, double value) {
  WriteString(section, ident, FloatToStr(value));
}

bool TCustomIniFile::SectionExists(const std::string& section) {
  TStringList keys;
  ReadSection(section, &keys);
  return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const std::string& section, const std::string& ident) {
  TStringList keys;
  ReadSection(section, &keys);
  return keys.IndexOf(ident) > -1;
}

// --- TIniFile ------------------------------------------------------------------------

TIniFile::TIniFile(const std::string& fileName) : TCustomIniFile(fileName), FContent(new TIniContent) {}
TIniFile::~TIniFile() = default;

void TIniFile::Refresh() {
  struct stat st;
  std::int64_t stamp[4] = {-1, 0, 0, 0};
  if (::stat(SysFileName(FFileName).c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
    stamp[0] = static_cast<std::int64_t>(st.st_mtim.tv_sec);
    stamp[1] = static_cast<std::int64_t>(st.st_mtim.tv_nsec);
    stamp[2] = static_cast<std::int64_t>(st.st_size);
    stamp[3] = static_cast<std::int64_t>(st.st_ino);
  }
  if (FLoaded && std::memcmp(stamp, FStamp, sizeof stamp) == 0) return;
  std::string text;
  if (stamp[0] != -1) {
    try {
      text = ReadWholeFile(FFileName);
    } catch (const Exception&) {
      text.clear();  // unreadable: every key gives its default
    }
  }
  FContent->Parse(text);
  std::memcpy(FStamp, stamp, sizeof stamp);
  FLoaded = true;
}

void TIniFile::Store() {
  WriteWholeFile(FFileName, FContent->Join());
  FLoaded = false;
  Refresh();
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& def) {
  Refresh();
  std::string value;
  return FContent->Read(section, ident, value) ? value : def;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  Refresh();
  FContent->Write(section, ident, value);
  Store();
}

void TIniFile::ReadSection(const std::string& section, TStrings* strings) {
  Refresh();
  Fill(strings, [&] { FContent->Keys(section, strings); });
}

void TIniFile::ReadSections(TStrings* strings) {
  Refresh();
  Fill(strings, [&] { FContent->Sections(strings); });
}

void TIniFile::ReadSectionValues(const std::string& section, TStrings* strings) {
  Refresh();
  Fill(strings, [&] { FContent->Values(section, strings); });
}

void TIniFile::EraseSection(const std::string& section) {
  Refresh();
  if (FContent->EraseSection(section)) Store();
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  Refresh();
  if (FContent->DeleteKey(section, ident)) Store();
}

void TIniFile::UpdateFile() {}

// --- TMemIniFile -------------------------------------------------------------------

TMemIniFile::TMemIniFile(const std::string& fileName) : TCustomIniFile(fileName), FContent(new TIniContent) {
  if (FileExists(fileName)) {
    try {
      FContent->Parse(ReadWholeFile(fileName));
    } catch (const Exception&) {}
  }
}

TMemIniFile::~TMemIniFile() = default;

std::string TMemIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& def) {
  std::string value;
  return FContent->Read(section, ident, value) ? value : def;
}

void TMemIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  FContent->Write(section, ident, value);
}

void TMemIniFile::ReadSection(const std::string& section, TStrings* strings) {
  Fill(strings, [&] { FContent->Keys(section, strings); });
}

void TMemIniFile::ReadSections(TStrings* strings) {
  Fill(strings, [&] { FContent->Sections(strings); });
}

void TMemIniFile::ReadSectionValues(const std::string& section, TStrings* strings) {
  Fill(strings, [&] { FContent->Values(section, strings); });
}

void TMemIniFile::EraseSection(const std::string& section) { FContent->EraseSection(section); }

void TMemIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  FContent->DeleteKey(section, ident);
}

void TMemIniFile::UpdateFile() { WriteWholeFile(FFileName, FContent->Join()); }

void TMemIniFile::GetStrings(TStrings* list) {
  Fill(list, [&] {
    for (const std::string& l : FContent->lines) list->Add(l);
  });
}

void TMemIniFile::SetStrings(TStrings* list) {
  FContent->lines.clear();
  for (int i = 0; i < list->Count(); ++i) FContent->lines.push_back(list->Get(i));
}

void TMemIniFile::Clear() { FContent->lines.clear(); }
