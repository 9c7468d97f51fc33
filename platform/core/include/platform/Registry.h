// A hierarchical settings store with the Windows registry's rules, and
// TRegistry, the toolkit's view of it.
//
// Keys form a tree under a few root keys; a key holds named values, each a
// string or a 32-bit integer. Key and value names are case-insensitive
// (Windows-1251 case tables) and keep the spelling they were created with.
// Paths separate key names with "\".
//
// Two stores exist: TMemorySettingsStore (in memory only; tests use it) and
// TIniSettingsStore, which keeps the tree in an INI file. The program's
// default store is the INI file "registry.ini" in the user's configuration
// folder ($XDG_CONFIG_HOME, else ~/.config) under "Brindel Quillet Studio".
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Classes.h"
#include "platform/SysUtils.h"

using HKEY = std::uintptr_t;

constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
constexpr HKEY HKEY_USERS = 0x80000003u;
constexpr HKEY HKEY_PERFORMANCE_DATA = 0x80000004u;
constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;
constexpr HKEY HKEY_DYN_DATA = 0x80000006u;

// Name of a root key ("HKEY_CURRENT_USER"...); empty for anything else.
std::string RootKeyName(HKEY root);

BQS_DECLARE_EXCEPTION(ERegistryException, Exception);

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegValue {
  TRegDataType Kind = rdUnknown;
  std::string Text;         // rdString, rdExpandString, rdBinary (raw bytes)
  std::int32_t Number = 0;  // rdInteger
};

// The tree itself. Paths given to a store are absolute: the root key's name
// first ("HKEY_CURRENT_USER\Software\..."); empty components are ignored.
class TSettingsStore : public TObject {
 public:
  TSettingsStore();
  ~TSettingsStore() override;
  const char* ClassName() const override { return "TSettingsStore"; }

  // Keys nest at most this deep (the root key is level 1): deeper paths are
  // refused, so that no walk of the tree can exhaust the stack or memory.
  static constexpr std::size_t MaxKeyDepth = 512;

  bool KeyExists(const std::string& path) const;
  // Creates every missing key on the path; true when the key exists
  // afterwards, false for a path without a root key or deeper than
  // MaxKeyDepth.
  bool CreateKey(const std::string& path);
  // Removes the key with all its subkeys and values; false when it is missing
  // or is a root key.
  bool DeleteKey(const std::string& path);
  bool ValueExists(const std::string& path, const std::string& name) const;
  // False when the key or the value is missing.
  bool GetValue(const std::string& path, const std::string& name, TRegValue& value) const;
  // False when the key is missing.
  bool SetValue(const std::string& path, const std::string& name, const TRegValue& value);
  bool DeleteValue(const std::string& path, const std::string& name);
  // Names of the subkeys and of the values of a key, sorted without case.
  std::vector<std::string> KeyNames(const std::string& path) const;
  std::vector<std::string> ValueNames(const std::string& path) const;
  void Clear();

  // Writes pending changes to the backing file, if any. The base keeps
  // nothing outside memory.
  virtual void Flush() {}
  bool Modified() const { return FModified; }

 protected:
  struct TNode {
    std::string Name;
    std::map<std::string, std::unique_ptr<TNode>> Keys;               // by upper-case name
    std::map<std::string, std::pair<std::string, TRegValue>> Values;  // upper-case name -> (name, value)
  };
  TNode* Find(const std::string& path) const;
  TNode* Make(const std::string& path);
  TNode& Root() { return *FRoot; }
  const TNode& Root() const { return *FRoot; }
  void SetModified(bool value) { FModified = value; }

 private:
  std::unique_ptr<TNode> FRoot;
  bool FModified = false;
};

class TMemorySettingsStore : public TSettingsStore {
 public:
  const char* ClassName() const override { return "TMemorySettingsStore"; }
};

// The tree kept in an INI file: one section per key that has values or no
// subkeys, named by the key's full path; one line per value,
// name=S:text for strings, E:text for expandable strings, I:number for
// integers, B:hex digits for binary data. "@" names the key's default value.
// Backslashes, line breaks and "=" in names and texts are escaped with "\".
// The file is read when the store is made and written by Flush (and by the
// destructor when something changed), replacing the file safely. A section
// deeper than MaxKeyDepth is skipped when the file is read.
class TIniSettingsStore : public TSettingsStore {
 public:
  explicit TIniSettingsStore(const std::string& fileName);
  ~TIniSettingsStore() override;
  const char* ClassName() const override { return "TIniSettingsStore"; }
  const std::string& FileName() const { return FFileName; }
  // Raises ERegistryException "Unable to write to %s" when the file cannot be written.
  void Flush() override;
  // Re-reads the file, dropping unsaved changes.
  void Reload();

 private:
  std::string FFileName;
};

// The file of the program's default store (Windows-1251 name).
std::string DefaultSettingsFileName();
// The store TRegistry objects use unless given one: the INI-file store,
// made on first use. Tests install an in-memory one; nullptr goes back to
// the file.
TSettingsStore& DefaultSettingsStore();
void SetDefaultSettingsStore(std::shared_ptr<TSettingsStore> store);

// The toolkit's registry object: one root key, at most one open key.
//
// Key arguments starting with "\" are taken from the root key; others are
// relative to the open key (or to the root when none is open). Value
// operations act on the open key; with no key open they fail. Writing to a
// key opened read-only raises ERegistryException.
class TRegistry : public TObject {
 public:
  TRegistry();
  explicit TRegistry(TSettingsStore& store);
  ~TRegistry() override;
  const char* ClassName() const override { return "TRegistry"; }

  HKEY RootKey() const { return FRootKey; }
  // Closes the open key.
  void SetRootKey(HKEY value);
  // Non-zero while a key is open.
  HKEY CurrentKey() const { return FOpen ? FRootKey : 0; }
  // Path of the open key below the root, without a leading "\".
  const std::string& CurrentPath() const { return FCurrentPath; }
  TSettingsStore& Store() const { return *FStore; }

  bool OpenKey(const std::string& key, bool canCreate);
  bool OpenKeyReadOnly(const std::string& key);
  bool CreateKey(const std::string& key);
  bool DeleteKey(const std::string& key);
  bool KeyExists(const std::string& key) const;
  // Closes the open key; changes made through this object reach the store's
  // file now (and at the latest when the object is destroyed).
  void CloseKey();

  bool HasSubKeys() const;
  void GetKeyNames(TStrings* strings) const;
  void GetValueNames(TStrings* strings) const;
  bool ValueExists(const std::string& name) const;
  bool DeleteValue(const std::string& name);
  TRegDataType GetDataType(const std::string& name) const;

  // Empty when the value is missing; ERegistryException "Invalid data type
  // for '%s'" when it is not a string.
  std::string ReadString(const std::string& name) const;
  void WriteString(const std::string& name, const std::string& value);
  void WriteExpandString(const std::string& name, const std::string& value);
  // ERegistryException "Failed to get data for '%s'" when missing, "Invalid
  // data type for '%s'" when not an integer.
  int ReadInteger(const std::string& name) const;
  void WriteInteger(const std::string& name, int value);
  bool ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }
  void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }
  // Raw bytes of a binary value; "Failed to get data for '%s'" when missing.
  std::string ReadBinaryData(const std::string& name) const;
  void WriteBinaryData(const std::string& name, const std::string& data);

 private:
  // Full store path of `key` as this object resolves it.
  std::string Resolve(const std::string& key, std::string* relativePath) const;
  std::string OpenPath() const;
  void DropKey();
  void PutValue(const std::string& name, const TRegValue& value);
  const TRegValue* GetValue(const std::string& name, TRegValue& buffer) const;

  std::shared_ptr<TSettingsStore> FKeepAlive;
  TSettingsStore* FStore;
  HKEY FRootKey = HKEY_CURRENT_USER;
  bool FOpen = false;
  bool FReadOnly = false;
  bool FWritten = false;
  std::string FCurrentPath;
};
