// The hierarchical settings store and TRegistry over it.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/CodePage.h"
#include "platform/Registry.h"

namespace {

class TempDir {
 public:
  TempDir() {
    char tmpl[] = "/tmp/bqs-registry-XXXXXX";
    FPath = mkdtemp(tmpl);
  }
  ~TempDir() { std::system(("rm -rf '" + FPath + "'").c_str()); }
  const std::string& Path() const { return FPath; }

 private:
  std::string FPath;
};

TEST(SettingsStore, OpenCreateAndRelativePaths) {
  TMemorySettingsStore store;
  TRegistry reg(store);
  EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
  EXPECT_FALSE(reg.OpenKey("Software\\App", false));
  EXPECT_EQ(reg.CurrentKey(), 0u);
  ASSERT_TRUE(reg.OpenKey("Software\\App", true));
  EXPECT_EQ(reg.CurrentPath(), "Software\\App");
  ASSERT_TRUE(reg.OpenKey("Sub", true));  // relative to the open key
  EXPECT_EQ(reg.CurrentPath(), "Software\\App\\Sub");
  ASSERT_TRUE(reg.OpenKey("\\Software", false));  // from the root
  EXPECT_EQ(reg.CurrentPath(), "Software");
  EXPECT_TRUE(reg.KeyExists("App\\Sub"));
  EXPECT_TRUE(reg.KeyExists("\\software\\APP"));  // names without case
  EXPECT_TRUE(reg.HasSubKeys());
  EXPECT_TRUE(store.KeyExists("HKEY_CURRENT_USER\\Software\\App\\Sub"));
  EXPECT_FALSE(store.KeyExists("HKEY_LOCAL_MACHINE\\Software"));
  reg.CloseKey();
  EXPECT_EQ(reg.CurrentPath(), "");
  EXPECT_TRUE(reg.OpenKey("Software\\\\App\\", false));  // empty components are ignored
  EXPECT_EQ(reg.CurrentPath(), "Software\\App");
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_EQ(reg.CurrentKey(), 0u);
  EXPECT_FALSE(reg.KeyExists("Software"));
  EXPECT_TRUE(reg.CreateKey("Software\\Other"));
  EXPECT_TRUE(store.KeyExists("HKEY_LOCAL_MACHINE\\Software\\Other"));
  reg.SetRootKey(0x1234);
  EXPECT_FALSE(reg.OpenKey("x", true));
  EXPECT_THROW(reg.CreateKey("x"), ERegistryException);
}

TEST(SettingsStore, ValuesAndTheirTypes) {
  TMemorySettingsStore store;
  TRegistry reg(store);
  ASSERT_TRUE(reg.OpenKey("Software\\App", true));
  reg.WriteString("Name", Ansi("Привет"));
  reg.WriteInteger("Count", -7);
  reg.WriteBool("Flag", true);
  reg.WriteBinaryData("Blob", std::string("\0\x01\xFF", 3));
  EXPECT_EQ(reg.ReadString("name"), Ansi("Привет"));
  EXPECT_EQ(reg.ReadInteger("COUNT"), -7);
  EXPECT_TRUE(reg.ReadBool("Flag"));
  EXPECT_EQ(reg.ReadBinaryData("Blob"), std::string("\0\x01\xFF", 3));
  EXPECT_EQ(reg.GetDataType("Name"), rdString);
  EXPECT_EQ(reg.GetDataType("Count"), rdInteger);
  EXPECT_EQ(reg.GetDataType("None"), rdUnknown);
  EXPECT_TRUE(reg.ValueExists("Count"));
  EXPECT_FALSE(reg.ValueExists("None"));
  EXPECT_EQ(reg.ReadString("None"), "");
  try {
    reg.ReadInteger("None");
    ADD_FAILURE();
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), "Failed to get data for 'None'");
  }
  try {
    reg.ReadInteger("Name");
    ADD_FAILURE();
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), "Invalid data type for 'Name'");
  }
  EXPECT_THROW(reg.ReadString("Count"), ERegistryException);
  // A rewrite keeps the first spelling of the name.
  reg.WriteInteger("COUNT", 3);
  TStringList names;
  reg.GetValueNames(&names);
  EXPECT_EQ(names.CommaText(), "Blob,Count,Flag,Name");
  EXPECT_TRUE(reg.DeleteValue("flag"));
  EXPECT_FALSE(reg.DeleteValue("flag"));
  reg.CloseKey();
  EXPECT_FALSE(reg.ValueExists("Count"));
  EXPECT_THROW(reg.WriteInteger("Count", 1), ERegistryException);
}

TEST(SettingsStore, ReadOnlyKeysRefuseWrites) {
  TMemorySettingsStore store;
  TRegistry reg(store);
  ASSERT_TRUE(reg.OpenKey("Software\\App", true));
  reg.WriteInteger("A", 1);
  ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\App"));
  EXPECT_EQ(reg.ReadInteger("A"), 1);
  try {
    reg.WriteInteger("A", 2);
    ADD_FAILURE();
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), "Failed to set data for 'A'");
  }
  EXPECT_FALSE(reg.DeleteValue("A"));
  EXPECT_FALSE(reg.OpenKeyReadOnly("Missing"));
  EXPECT_EQ(reg.CurrentPath(), "Software\\App");  // a failed open keeps the key
}

TEST(SettingsStore, DeleteKeyAndKeyNames) {
  TMemorySettingsStore store;
  TRegistry reg(store);
  ASSERT_TRUE(reg.OpenKey("Software\\App\\b", true));
  ASSERT_TRUE(reg.OpenKey("\\Software\\App\\A\\Deep", true));
  ASSERT_TRUE(reg.OpenKey("\\Software\\App", false));
  TStringList names;
  reg.GetKeyNames(&names);
  EXPECT_EQ(names.CommaText(), "A,b");
  ASSERT_TRUE(reg.OpenKey("A\\Deep", false));
  EXPECT_TRUE(reg.DeleteKey("\\Software\\App\\a"));
  EXPECT_EQ(reg.CurrentKey(), 0u);  // the open key went with it
  EXPECT_FALSE(reg.KeyExists("\\Software\\App\\A\\Deep"));
  EXPECT_TRUE(reg.KeyExists("\\Software\\App\\b"));
  EXPECT_FALSE(reg.DeleteKey("\\Software\\App\\a"));
  EXPECT_FALSE(reg.DeleteKey(""));  // the root key itself stays
  EXPECT_FALSE(store.DeleteKey("HKEY_CURRENT_USER"));
}

TEST(SettingsStore, IniFileKeepsTheTree) {
  TempDir dir;
  const std::string file = dir.Path() + "/sub/registry.ini";
  {
    TIniSettingsStore store(file);
    TRegistry reg(store);
    ASSERT_TRUE(reg.OpenKey("Software\\Brindel\\Odd=Name[1]", true));
    reg.WriteString("", "default");
    reg.WriteString("@", "at");
    reg.WriteString("a=b", "line1\r\nline2 100% \\ ;x");
    reg.WriteInteger("Int", -123456);
    reg.WriteExpandString("Path", "%HOME%/x");
    reg.WriteBinaryData("Bin", std::string("\0\x10", 2));
    ASSERT_TRUE(reg.OpenKey("\\Software\\Empty", true));
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey("Root", true));
    reg.WriteInteger("X", 1);
    reg.CloseKey();  // writes the file
  }
  TIniSettingsStore again(file);
  TRegistry reg(again);
  ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\Brindel\\odd=name[1]"));
  EXPECT_EQ(reg.ReadString(""), "default");
  EXPECT_EQ(reg.ReadString("@"), "at");
  EXPECT_EQ(reg.ReadString("a=b"), "line1\r\nline2 100% \\ ;x");
  EXPECT_EQ(reg.ReadInteger("Int"), -123456);
  EXPECT_EQ(reg.GetDataType("Path"), rdExpandString);
  EXPECT_EQ(reg.ReadString("Path"), "%HOME%/x");
  EXPECT_EQ(reg.ReadBinaryData("Bin"), std::string("\0\x10", 2));
  TStringList names;
  reg.GetKeyNames(&names);
  EXPECT_EQ(names.Count(), 0);
  EXPECT_TRUE(reg.KeyExists("\\Software\\Empty"));
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKeyReadOnly("Root"));
  EXPECT_EQ(reg.ReadInteger("X"), 1);
}

// A file whose key path has 100,000 levels used to overflow the stack when
// the store was written back; keys now nest at most MaxKeyDepth deep.
TEST(SettingsStore, DeepKeyPathsAreRefusedAndTheFileStillLoads) {
  TempDir dir;
  const std::string file = dir.Path() + "/deep.ini";
  std::string deep = "HKEY_CURRENT_USER";
  for (int i = 0; i < 100000; ++i) deep += "\\k";
  {
    FILE* f = std::fopen(file.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    const std::string text = "[" + deep + "]\r\nv=I:1\r\n\r\n[HKEY_CURRENT_USER\\Kept]\r\nn=I:7\r\n";
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  TIniSettingsStore store(file);
  TRegValue v;
  ASSERT_TRUE(store.GetValue("HKEY_CURRENT_USER\\Kept", "n", v));
  EXPECT_EQ(v.Number, 7);
  EXPECT_FALSE(store.KeyExists("HKEY_CURRENT_USER\\k"));
  EXPECT_FALSE(store.CreateKey(deep));

  // The deepest allowed path is kept and written back; one more is refused
  // with a clear error.
  std::string deepest = "HKEY_CURRENT_USER";
  for (std::size_t i = 1; i < TSettingsStore::MaxKeyDepth; ++i) deepest += "\\k";
  ASSERT_TRUE(store.CreateKey(deepest));
  ASSERT_TRUE(store.SetValue(deepest, "d", v));
  store.Flush();
  TIniSettingsStore again(file);
  EXPECT_TRUE(again.GetValue(deepest, "d", v));
  TRegistry reg(again);
  try {
    reg.CreateKey(deepest.substr(std::string("HKEY_CURRENT_USER\\").size()) + "\\k");
    ADD_FAILURE() << "a key one level too deep was made";
  } catch (const ERegistryException& e) {
    EXPECT_NE(e.Message().find("at most 512 levels"), std::string::npos) << e.Message();
  }
}

TEST(SettingsStore, IniFileWrittenWhenStoreGoes) {
  TempDir dir;
  const std::string file = dir.Path() + "/r.ini";
  {
    TIniSettingsStore store(file);
    ASSERT_TRUE(store.CreateKey("HKEY_CURRENT_USER\\K"));
    TRegValue v;
    v.Kind = rdInteger;
    v.Number = 5;
    ASSERT_TRUE(store.SetValue("HKEY_CURRENT_USER\\K", "N", v));
    EXPECT_FALSE(FileExists(file));
  }
  ASSERT_TRUE(FileExists(file));
  TIniSettingsStore again(file);
  TRegValue v;
  ASSERT_TRUE(again.GetValue("HKEY_CURRENT_USER\\k", "n", v));
  EXPECT_EQ(v.Number, 5);
  // Unsaved changes go when the file is read again.
  ASSERT_TRUE(again.DeleteKey("HKEY_CURRENT_USER\\K"));
  again.Reload();
  EXPECT_TRUE(again.KeyExists("HKEY_CURRENT_USER\\K"));
}

TEST(SettingsStore, DefaultFileFollowsXdgConfigHome) {
  const char* old = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = old != nullptr ? old : "";
  setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
  EXPECT_EQ(DefaultSettingsFileName(), "/tmp/cfg/Brindel Quillet Studio/registry.ini");
  setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
  const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : ".";
  EXPECT_EQ(DefaultSettingsFileName(),
            IncludeTrailingPathDelimiter(home) + ".config/Brindel Quillet Studio/registry.ini");
  if (old != nullptr)
    setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
}

TEST(SettingsStore, DefaultStoreCanBeReplaced) {
  auto memory = std::make_shared<TMemorySettingsStore>();
  SetDefaultSettingsStore(memory);
  {
    TRegistry reg;
    EXPECT_EQ(&reg.Store(), memory.get());
    ASSERT_TRUE(reg.OpenKey("Software\\T", true));
    reg.WriteInteger("V", 9);
    // The registry keeps its store even when the default changes meanwhile.
    SetDefaultSettingsStore(std::make_shared<TMemorySettingsStore>());
    EXPECT_EQ(reg.ReadInteger("V"), 9);
  }
  EXPECT_TRUE(memory->ValueExists("HKEY_CURRENT_USER\\Software\\T", "v"));
  SetDefaultSettingsStore(nullptr);
}

}  // namespace
