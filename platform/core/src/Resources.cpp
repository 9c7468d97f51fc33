#include "platform/Resources.h"

#include <map>
#include <mutex>

namespace {

struct TResourceTable {
  std::mutex Lock;
  std::map<std::string, TBitmapResourcePainter> Bitmaps;
  std::map<std::string, std::string> Data;
};

TResourceTable& Table() {
  static TResourceTable* table = new TResourceTable();  // lives as long as the program
  return *table;
}

std::string Key(const std::string& name) { return UpperCase(name); }

}  // namespace

void RegisterBitmapResource(const std::string& name, TBitmapResourcePainter painter) {
  TResourceTable& t = Table();
  std::lock_guard<std::mutex> lock(t.Lock);
  t.Bitmaps[Key(name)] = std::move(painter);
}

void RegisterResourceData(const std::string& name, std::string bytes) {
  TResourceTable& t = Table();
  std::lock_guard<std::mutex> lock(t.Lock);
  t.Data[Key(name)] = std::move(bytes);
}

void UnregisterResource(const std::string& name) {
  TResourceTable& t = Table();
  std::lock_guard<std::mutex> lock(t.Lock);
  t.Bitmaps.erase(Key(name));
  t.Data.erase(Key(name));
}

bool BitmapResourceExists(const std::string& name) {
  TResourceTable& t = Table();
  std::lock_guard<std::mutex> lock(t.Lock);
  return t.Bitmaps.count(Key(name)) != 0;
}

bool ResourceDataExists(const std::string& name) {
  TResourceTable& t = Table();
  std::lock_guard<std::mutex> lock(t.Lock);
  return t.Data.count(Key(name)) != 0;
}

bool FindResourceData(const std::string& name, std::string& bytes) {
  TResourceTable& t = Table();
  std::lock_guard<std::mutex> lock(t.Lock);
  auto it = t.Data.find(Key(name));
  if (it == t.Data.end()) return false;
  bytes = it->second;
  return true;
}

void LoadBitmapResource(TBitmap& bitmap, const std::string& name) {
  TBitmapResourcePainter painter;
  std::string bytes;
  bool haveBytes = false;
  {
    TResourceTable& t = Table();
    std::lock_guard<std::mutex> lock(t.Lock);
    auto it = t.Bitmaps.find(Key(name));
    if (it != t.Bitmaps.end()) {
      painter = it->second;
    } else {
      auto d = t.Data.find(Key(name));
      if (d != t.Data.end()) {
        bytes = d->second;
        haveBytes = true;
      }
    }
  }
  if (painter) {
    TBitmap fresh;
    painter(fresh);
    bitmap.Assign(&fresh);
    return;
  }
  if (haveBytes) {
    TStringStream stream(bytes);
    bitmap.LoadFromStream(&stream);
    return;
  }
  throw EResNotFound(Format("Resource %s not found", name.c_str()));
}
