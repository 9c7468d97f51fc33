// INI files with the private-profile rules of Windows.
//
// Sections and keys are case-insensitive (Windows-1251 case tables), values
// are trimmed of surrounding blanks (and of one pair of enclosing quotes), a
// missing file, section or key gives the default. The file is Windows-1251
// text with CR LF; every line that is not touched is kept as it stands.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Classes.h"
#include "platform/SysUtils.h"

// ErrorCode: the system's error number (errno) of a failed write, 0 when
// there is none.
class EIniFileException : public Exception {
 public:
  explicit EIniFileException(std::string message, int errorCode = 0)
      : Exception(std::move(message)), ErrorCode(errorCode) {}
  const char* ClassName() const override { return "EIniFileException"; }
  int ErrorCode;
};

class TCustomIniFile : public TObject {
 public:
  explicit TCustomIniFile(const std::string& fileName) : FFileName(fileName) {}
  const char* ClassName() const override { return "TCustomIniFile"; }
  const std::string& FileName() const { return FFileName; }

  virtual std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) = 0;
  virtual void WriteString(const std::string& section, const std::string& ident, const std::string& value) = 0;
  // Decimal, or hexadecimal after "0x"/"$"; anything else gives the default.
  virtual int ReadInteger(const std::string& section, const std::string& ident, int def);
  virtual void WriteInteger(const std::string& section, const std::string& ident, int value);
  // Read as an integer: non-zero is true. Written as "1" or "0".
  virtual bool ReadBool(const std::string& section, const std::string& ident, bool def);
  virtual void WriteBool(const std::string& section, const std::string& ident, bool value);
  virtual double ReadFloat(const std::string& section, const std::string& ident, double def);
  virtual void WriteFloat(const std::string& section, const std::string& ident, double value);

  // Key names of a section, in file order.
  virtual void ReadSection(const std::string& section, TStrings* strings) = 0;
  virtual void ReadSections(TStrings* strings) = 0;
  // "key=value" lines of a section.
  virtual void ReadSectionValues(const std::string& section, TStrings* strings) = 0;
  virtual void EraseSection(const std::string& section) = 0;
  virtual void DeleteKey(const std::string& section, const std::string& ident) = 0;
  virtual void UpdateFile() = 0;
  virtual bool SectionExists(const std::string& section);
  virtual bool ValueExists(const std::string& section, const std::string& ident);

 protected:
  std::string FFileName;
};

// Parsed content of an INI file, shared by the two classes below.
class TIniContent;

// Reads from the file (re-reading it when it changed on disk) and writes
// every change to disk at once, replacing the file safely. A missing folder
// of the file is created. A failed write raises EIniFileException
// "Unable to write to %s" (the file name) with the system's error number;
// what the file is (only a plain file is replaced, never a pipe or a device)
// is checked as every careful save checks it.
class TIniFile : public TCustomIniFile {
 public:
  explicit TIniFile(const std::string& fileName);
  ~TIniFile() override;
  const char* ClassName() const override { return "TIniFile"; }

  std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) override;
  void WriteString(const std::string& section, const std::string& ident, const std::string& value) override;
  void ReadSection(const std::string& section, TStrings* strings) override;
  void ReadSections(TStrings* strings) override;
  void ReadSectionValues(const std::string& section, TStrings* strings) override;
  void EraseSection(const std::string& section) override;
  void DeleteKey(const std::string& section, const std::string& ident) override;
  void UpdateFile() override;  // nothing to do: every write is on disk already

 private:
  void Refresh();
  void Store();

  std::unique_ptr<TIniContent> FContent;
  // identity of the file as last read
  bool FLoaded = false;
  std::int64_t FStamp[4] = {0, 0, 0, 0};
};

// Keeps the whole file in memory; UpdateFile() writes it (same rules).
class TMemIniFile : public TCustomIniFile {
 public:
  explicit TMemIniFile(const std::string& fileName);
  ~TMemIniFile() override;
  const char* ClassName() const override { return "TMemIniFile"; }

  std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) override;
  void WriteString(const std::string& section, const std::string& ident, const std::string& value) override;
  void ReadSection(const std::string& section, TStrings* strings) override;
  void ReadSections(TStrings* strings) override;
  void ReadSectionValues(const std::string& section, TStrings* strings) override;
  void EraseSection(const std::string& section) override;
  void DeleteKey(const std::string& section, const std::string& ident) override;
  void UpdateFile() override;
  // The file's text (CR LF lines), and replacing it.
  void GetStrings(TStrings* list);
  void SetStrings(TStrings* list);
  void Clear();

 private:
  std::unique_ptr<TIniContent> FContent;
};
