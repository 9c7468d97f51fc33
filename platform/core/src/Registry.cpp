#include "platform/Registry.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include "platform/CodePage.h"
#include "platform/SysUtils.h"

namespace {

struct TRootName {
  HKEY Key;
  const char* Name;
};

constexpr TRootName kRoots[] = {
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
    {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
    {HKEY_USERS, "HKEY_USERS"},
    {HKEY_PERFORMANCE_DATA, "HKEY_PERFORMANCE_DATA"},
    {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"},
    {HKEY_DYN_DATA, "HKEY_DYN_DATA"},
};

// Splits at "\", dropping empty components.
std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string Upper(const std::string& s) { return AnsiUpperCase(s); }

bool IsRootName(const std::string& upperName) {
  for (const TRootName& r : kRoots)
    if (upperName == r.Name) return true;
  return false;
}

// --- INI encoding ---------------------------------------------------------
// "%", line breaks and the characters `special` names as %XX.
std::string Encode(const std::string& s, const char* special) {
  return PercentEncode(s, [special](unsigned char u) {
    return u == '\r' || u == '\n' || (u != 0 && std::strchr(special, u) != nullptr);
  });
}

std::string Decode(const std::string& s) { return PercentDecode(s); }

const char kHex[] = "0123456789ABCDEF";

std::string EncodeKeyName(const std::string& s) { return Encode(s, "[]"); }
std::string EncodeValueName(const std::string& s) {
  if (s.empty()) return "@";
  std::string e = Encode(s, "=[];");
  if (e == "@") return "%40";
  return e;
}

std::string EncodeBinary(const std::string& data) {
  std::string out;
  out.reserve(data.size() * 2);
  for (char c : data) {
    const unsigned char u = static_cast<unsigned char>(c);
    out += kHex[u >> 4];
    out += kHex[u & 15];
  }
  return out;
}

std::string DecodeBinary(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
    const int hi = HexDigit(text[i]);
    const int lo = HexDigit(text[i + 1]);
    if (hi < 0 || lo < 0) break;
    out += static_cast<char>(hi * 16 + lo);
  }
  return out;
}

std::mutex gDefaultStoreLock;
std::shared_ptr<TSettingsStore> gDefaultStore;

}  // namespace

std::string RootKeyName(HKEY root) {
  for (const TRootName& r : kRoots)
    if (r.Key == root) return r.Name;
  return std::string();
}

// --- TSettingsStore -------------------------------------------------------
TSettingsStore::TSettingsStore() { Clear(); }

TSettingsStore::~TSettingsStore() = default;

void TSettingsStore::Clear() {
  FRoot = std::make_unique<TNode>();
  for (const TRootName& r : kRoots) {
    auto node = std::make_unique<TNode>();
    node->Name = r.Name;
    FRoot->Keys[r.Name] = std::move(node);
  }
  FModified = true;
}

TSettingsStore::TNode* TSettingsStore::Find(const std::string& path) const {
  TNode* node = FRoot.get();
  for (const std::string& part : SplitPath(path)) {
    auto it = node->Keys.find(Upper(part));
    if (it == node->Keys.end()) return nullptr;
    node = it->second.get();
  }
  return node == FRoot.get() ? nullptr : node;
}

TSettingsStore::TNode* TSettingsStore::Make(const std::string& path) {
  const std::vector<std::string> parts = SplitPath(path);
  if (parts.empty() || parts.size() > MaxKeyDepth || !IsRootName(Upper(parts[0]))) return nullptr;
  TNode* node = FRoot.get();
  for (const std::string& part : parts) {
    std::unique_ptr<TNode>& child = node->Keys[Upper(part)];
    if (!child) {
      child = std::make_unique<TNode>();
      child->Name = part;
      FModified = true;
    }
    node = child.get();
  }
  return node;
}

bool TSettingsStore::KeyExists(const std::string& path) const { return Find(path) != nullptr; }

bool TSettingsStore::CreateKey(const std::string& path) { return Make(path) != nullptr; }

bool TSettingsStore::DeleteKey(const std::string& path) {
  const std::vector<std::string> parts = SplitPath(path);
  if (parts.size() < 2) return false;
  TNode* node = FRoot.get();
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    auto it = node->Keys.find(Upper(parts[i]));
    if (it == node->Keys.end()) return false;
    node = it->second.get();
  }
  if (node->Keys.erase(Upper(parts.back())) == 0) return false;
  FModified = true;
  return true;
}

bool TSettingsStore::ValueExists(const std::string& path, const std::string& name) const {
  const TNode* node = Find(path);
  return node != nullptr && node->Values.count(Upper(name)) != 0;
}

bool TSettingsStore::GetValue(const std::string& path, const std::string& name, TRegValue& value) const {
  const TNode* node = Find(path);
  if (node == nullptr) return false;
  auto it = node->Values.find(Upper(name));
  if (it == node->Values.end()) return false;
  value = it->second.second;
  return true;
}

bool TSettingsStore::SetValue(const std::string& path, const std::string& name, const TRegValue& value) {
  TNode* node = Find(path);
  if (node == nullptr) return false;
  auto& slot = node->Values[Upper(name)];
  if (slot.first.empty()) slot.first = name;
  slot.second = value;
  FModified = true;
  return true;
}

bool TSettingsStore::DeleteValue(const std::string& path, const std::string& name) {
  TNode* node = Find(path);
  if (node == nullptr || node->Values.erase(Upper(name)) == 0) return false;
  FModified = true;
  return true;
}

std::vector<std::string> TSettingsStore::KeyNames(const std::string& path) const {
  std::vector<std::string> names;
  if (const TNode* node = Find(path))
    for (const auto& kv : node->Keys) names.push_back(kv.second->Name);
  return names;
}

std::vector<std::string> TSettingsStore::ValueNames(const std::string& path) const {
  std::vector<std::string> names;
  if (const TNode* node = Find(path))
    for (const auto& kv : node->Values) names.push_back(kv.second.first);
  return names;
}

// --- TIniSettingsStore ----------------------------------------------------
TIniSettingsStore::TIniSettingsStore(const std::string& fileName) : FFileName(fileName) { Reload(); }

TIniSettingsStore::~TIniSettingsStore() {
  if (Modified()) {
    try {
      Flush();
    } catch (const Exception&) {
      // Nothing to report to at this point; the file keeps its old content.
    }
  }
}

void TIniSettingsStore::Reload() {
  Clear();
  if (FileExists(FFileName)) {
    TMemoryStream data;
    data.LoadFromFile(FFileName);
    const std::string text(data.Memory(), static_cast<std::size_t>(data.Size()));
    TNode* key = nullptr;
    std::size_t pos = 0;
    while (pos < text.size()) {
      std::size_t end = text.find_first_of("\r\n", pos);
      if (end == std::string::npos) end = text.size();
      const std::string line = text.substr(pos, end - pos);
      pos = end;
      if (pos < text.size() && text[pos] == '\r') ++pos;
      if (pos < text.size() && text[pos] == '\n') ++pos;
      if (line.empty() || line[0] == ';') continue;
      if (line[0] == '[') {
        const std::size_t close = line.rfind(']');
        std::string path;
        for (const std::string& part :
             SplitPath(line.substr(1, close == std::string::npos ? std::string::npos : close - 1))) {
          if (!path.empty()) path += '\\';
          path += Decode(part);
        }
        key = Make(path);
        continue;
      }
      const std::size_t eq = line.find('=');
      if (key == nullptr || eq == std::string::npos) continue;
      const std::string rawName = line.substr(0, eq);
      const std::string name = rawName == "@" ? std::string() : Decode(rawName);
      const std::string data = line.substr(eq + 1);
      if (data.size() < 2 || data[1] != ':') continue;
      TRegValue v;
      const std::string body = data.substr(2);
      switch (data[0]) {
        case 'S':
          v.Kind = rdString;
          v.Text = Decode(body);
          break;
        case 'E':
          v.Kind = rdExpandString;
          v.Text = Decode(body);
          break;
        case 'B':
          v.Kind = rdBinary;
          v.Text = DecodeBinary(body);
          break;
        case 'I':
          v.Kind = rdInteger;
          v.Number = static_cast<std::int32_t>(std::strtoll(body.c_str(), nullptr, 10));
          break;
        default: continue;
      }
      auto& slot = key->Values[Upper(name)];
      slot.first = name;
      slot.second = v;
    }
  }
  SetModified(false);
}

void TIniSettingsStore::Flush() {
  std::string out;
  // One section per key, parents before children; the walk keeps its own
  // stack and one path that grows and shrinks with it.
  auto section = [&out](const TNode& node, const std::string& path, bool isRoot) {
    // Root keys always exist: their section is written only for their values.
    if (isRoot && node.Values.empty()) return;
    out += '[';
    out += path;
    out += "]\r\n";
    for (const auto& kv : node.Values) {
      const TRegValue& v = kv.second.second;
      out += EncodeValueName(kv.second.first);
      switch (v.Kind) {
        case rdInteger:
          out += "=I:";
          out += std::to_string(v.Number);
          break;
        case rdExpandString:
          out += "=E:";
          out += Encode(v.Text, "");
          break;
        case rdBinary:
          out += "=B:";
          out += EncodeBinary(v.Text);
          break;
        default:
          out += "=S:";
          out += Encode(v.Text, "");
          break;
      }
      out += "\r\n";
    }
    out += "\r\n";
  };
  struct TFrame {
    const TNode* Node;
    std::map<std::string, std::unique_ptr<TNode>>::const_iterator Next;
    std::size_t PathLength;
  };
  std::vector<TFrame> stack;
  for (const auto& root : Root().Keys) {
    std::string path = root.second->Name;
    section(*root.second, path, true);
    stack.push_back({root.second.get(), root.second->Keys.begin(), path.size()});
    while (!stack.empty()) {
      TFrame& top = stack.back();
      if (top.Next == top.Node->Keys.end()) {
        stack.pop_back();
        continue;
      }
      const TNode& child = *top.Next->second;
      ++top.Next;
      path.resize(top.PathLength);
      path += '\\';
      path += EncodeKeyName(child.Name);
      section(child, path, false);
      stack.push_back({&child, child.Keys.begin(), path.size()});
    }
  }
  try {
    ForceDirectories(ExtractFileDir(FFileName));
    TReplaceFileStream stream(FFileName);
    stream.WriteString(out);
    stream.Commit();
  } catch (const Exception&) {
    throw ERegistryException(Format("Unable to write to %s", FFileName.c_str()));
  }
  SetModified(false);
}

// --- the default store ------------------------------------------------------
std::string DefaultSettingsFileName() {
  std::string dir;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') {
    dir = AnsiFileName(xdg);
  } else {
    const char* home = std::getenv("HOME");
    dir = AnsiFileName(home != nullptr ? home : ".");
    dir = IncludeTrailingPathDelimiter(dir) + ".config";
  }
  return IncludeTrailingPathDelimiter(dir) + "Brindel Quillet Studio/registry.ini";
}

TSettingsStore& DefaultSettingsStore() {
  std::lock_guard<std::mutex> lock(gDefaultStoreLock);
  if (!gDefaultStore) gDefaultStore = std::make_shared<TIniSettingsStore>(DefaultSettingsFileName());
  return *gDefaultStore;
}

void SetDefaultSettingsStore(std::shared_ptr<TSettingsStore> store) {
  std::lock_guard<std::mutex> lock(gDefaultStoreLock);
  gDefaultStore = std::move(store);
}

// --- TRegistry ------------------------------------------------------------
TRegistry::TRegistry() : FStore(&DefaultSettingsStore()) {
  std::lock_guard<std::mutex> lock(gDefaultStoreLock);
  FKeepAlive = gDefaultStore;
}

TRegistry::TRegistry(TSettingsStore& store) : FStore(&store) {}

TRegistry::~TRegistry() {
  try {
    CloseKey();
  } catch (const Exception&) {
    // A destructor cannot report; the store keeps the changes for its next flush.
  }
}

void TRegistry::SetRootKey(HKEY value) {
  if (value == FRootKey) return;
  DropKey();
  FRootKey = value;
}

std::string TRegistry::Resolve(const std::string& key, std::string* relativePath) const {
  std::string rel;
  const bool absolute = !key.empty() && key[0] == '\\';
  if (!absolute && FOpen && !FCurrentPath.empty())
    rel = FCurrentPath + '\\' + key;
  else
    rel = absolute ? key.substr(1) : key;
  // Normalise: no empty components, no leading or trailing "\".
  std::string clean;
  for (const std::string& part : SplitPath(rel)) {
    if (!clean.empty()) clean += '\\';
    clean += part;
  }
  if (relativePath != nullptr) *relativePath = clean;
  const std::string root = RootKeyName(FRootKey);
  if (root.empty()) return std::string();
  return clean.empty() ? root : root + '\\' + clean;
}

std::string TRegistry::OpenPath() const {
  if (!FOpen) return std::string();
  const std::string root = RootKeyName(FRootKey);
  return FCurrentPath.empty() ? root : root + '\\' + FCurrentPath;
}

void TRegistry::DropKey() {
  FOpen = false;
  FReadOnly = false;
  FCurrentPath.clear();
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  std::string rel;
  const std::string path = Resolve(key, &rel);
  if (path.empty()) return false;
  if (!FStore->KeyExists(path)) {
    if (!canCreate || !FStore->CreateKey(path)) return false;
    FWritten = true;
  }
  DropKey();
  FOpen = true;
  FReadOnly = false;
  FCurrentPath = rel;
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
  std::string rel;
  const std::string path = Resolve(key, &rel);
  if (path.empty() || !FStore->KeyExists(path)) return false;
  DropKey();
  FOpen = true;
  FReadOnly = true;
  FCurrentPath = rel;
  return true;
}

bool TRegistry::CreateKey(const std::string& key) {
  const std::string path = Resolve(key, nullptr);
  if (SplitPath(path).size() > TSettingsStore::MaxKeyDepth)
    throw ERegistryException(Format("Failed to create key %s: keys nest at most %d levels deep", key.c_str(),
                                    static_cast<int>(TSettingsStore::MaxKeyDepth)));
  if (path.empty() || !FStore->CreateKey(path))
    throw ERegistryException(Format("Failed to create key %s", key.c_str()));
  FWritten = true;
  return true;
}

bool TRegistry::DeleteKey(const std::string& key) {
  std::string rel;
  const std::string path = Resolve(key, &rel);
  if (path.empty() || rel.empty()) return false;
  const bool ok = FStore->DeleteKey(path);
  FWritten = FWritten || ok;
  if (ok && FOpen) {
    // The open key went with it: nothing is open any more.
    const std::string open = AnsiUpperCase(FCurrentPath) + '\\';
    const std::string gone = AnsiUpperCase(rel) + '\\';
    if (open.compare(0, gone.size(), gone) == 0) DropKey();
  }
  return ok;
}

bool TRegistry::KeyExists(const std::string& key) const {
  const std::string path = Resolve(key, nullptr);
  return !path.empty() && FStore->KeyExists(path);
}

void TRegistry::CloseKey() {
  if (FWritten && FStore->Modified()) FStore->Flush();
  FWritten = false;
  DropKey();
}

bool TRegistry::HasSubKeys() const { return FOpen && !FStore->KeyNames(OpenPath()).empty(); }

void TRegistry::GetKeyNames(TStrings* strings) const {
  strings->Clear();
  if (FOpen)
    for (const std::string& n : FStore->KeyNames(OpenPath())) strings->Add(n);
}

void TRegistry::GetValueNames(TStrings* strings) const {
  strings->Clear();
  if (FOpen)
    for (const std::string& n : FStore->ValueNames(OpenPath())) strings->Add(n);
}

bool TRegistry::ValueExists(const std::string& name) const { return FOpen && FStore->ValueExists(OpenPath(), name); }

bool TRegistry::DeleteValue(const std::string& name) {
  if (!FOpen || FReadOnly || !FStore->DeleteValue(OpenPath(), name)) return false;
  FWritten = true;
  return true;
}

TRegDataType TRegistry::GetDataType(const std::string& name) const {
  TRegValue v;
  if (!FOpen || !FStore->GetValue(OpenPath(), name, v)) return rdUnknown;
  return v.Kind;
}

const TRegValue* TRegistry::GetValue(const std::string& name, TRegValue& buffer) const {
  if (!FOpen || !FStore->GetValue(OpenPath(), name, buffer)) return nullptr;
  return &buffer;
}

void TRegistry::PutValue(const std::string& name, const TRegValue& value) {
  if (!FOpen || FReadOnly || !FStore->SetValue(OpenPath(), name, value))
    throw ERegistryException(Format("Failed to set data for '%s'", name.c_str()));
  FWritten = true;
}

std::string TRegistry::ReadString(const std::string& name) const {
  TRegValue v;
  if (GetValue(name, v) == nullptr) return std::string();
  if (v.Kind != rdString && v.Kind != rdExpandString)
    throw ERegistryException(Format("Invalid data type for '%s'", name.c_str()));
  return v.Text;
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  TRegValue v;
  v.Kind = rdString;
  v.Text = value;
  PutValue(name, v);
}

void TRegistry::WriteExpandString(const std::string& name, const std::string& value) {
  TRegValue v;
  v.Kind = rdExpandString;
  v.Text = value;
  PutValue(name, v);
}

int TRegistry::ReadInteger(const std::string& name) const {
  TRegValue v;
  if (GetValue(name, v) == nullptr) throw ERegistryException(Format("Failed to get data for '%s'", name.c_str()));
  if (v.Kind != rdInteger) throw ERegistryException(Format("Invalid data type for '%s'", name.c_str()));
  return v.Number;
}

void TRegistry::WriteInteger(const std::string& name, int value) {
  TRegValue v;
  v.Kind = rdInteger;
  v.Number = value;
  PutValue(name, v);
}

std::string TRegistry::ReadBinaryData(const std::string& name) const {
  TRegValue v;
  if (GetValue(name, v) == nullptr) throw ERegistryException(Format("Failed to get data for '%s'", name.c_str()));
  if (v.Kind != rdBinary) throw ERegistryException(Format("Invalid data type for '%s'", name.c_str()));
  return v.Text;
}

void TRegistry::WriteBinaryData(const std::string& name, const std::string& data) {
  TRegValue v;
  v.Kind = rdBinary;
  v.Text = data;
  PutValue(name, v);
}
