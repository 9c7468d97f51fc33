#include "platform/Classes.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/CodePage.h"

// --- TPersistent --------------------------------------------------------------

void TPersistent::Assign(TPersistent* source) {
  if (source)
    source->AssignTo(this);
  else
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) { dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* source) {
  const char* sourceName = source ? source->ClassName() : "nil";
  throw EConvertError(Format("Cannot assign a %s to a %s", sourceName, ClassName()));
}

// --- TComponent ---------------------------------------------------------------

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  while (!FFreeNotifies.empty()) {
    TComponent* c = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    c->RemoveNotification(this);
    c->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::Destroying() { FComponentState |= csDestroying; }

void TComponent::NotifyDestruction() {
  Destroying();
  while (!FFreeNotifies.empty()) {
    TComponent* c = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    c->RemoveNotification(this);
    c->Notification(this, opRemove);
  }
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::SetName(const std::string& name) {
  if (FName == name) return;
  if (!name.empty() && !IsValidIdent(name))
    throw EComponentError(Format("'%s' is not a valid component name", name.c_str()));
  if (FOwner)
    FOwner->ValidateRename(this, FName, name);
  else
    ValidateRename(nullptr, FName, name);
  FName = name;
}

void TComponent::ValidateRename(TComponent* component, const std::string& curName, const std::string& newName) {
  if (component && !newName.empty() && !SameText(curName, newName) && component->FOwner == this) {
    TComponent* other = FindComponent(newName);
    if (other && other != component)
      throw EComponentError(Format("A component named %s already exists", newName.c_str()));
  }
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) throw EListError(Format("List index out of bounds (%d)", index));
  return FComponents[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->FName, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->FOwner == this) return;
  if (component->FOwner) component->FOwner->RemoveComponent(component);
  if (!component->FName.empty() && FindComponent(component->FName))
    throw EComponentError(Format("A component named %s already exists", component->FName.c_str()));
  FComponents.push_back(component);
  component->FOwner = this;
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (!component || component->FOwner != this) return;
  Notification(component, opRemove);
  auto it = std::find(FComponents.begin(), FComponents.end(), component);
  if (it != FComponents.end()) FComponents.erase(it);
  component->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    if (c->FComponentState & csFreeNotification) {
      RemoveComponent(c);
    } else {
      FComponents.pop_back();
      c->FOwner = nullptr;
    }
    delete c;
  }
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(component);
    component->FreeNotification(this);
  }
  FComponentState |= csFreeNotification;
}

void TComponent::RemoveNotification(TComponent* component) {
  auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component);
  if (it != FFreeNotifies.end()) FFreeNotifies.erase(it);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  RemoveNotification(component);
  component->RemoveNotification(this);
}

void TComponent::Loaded() { FComponentState &= ~csLoading; }

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveFreeNotification(component);
  // Passed on to the owned components; the list may change on the way.
  int i = ComponentCount() - 1;
  while (i >= 0) {
    FComponents[static_cast<std::size_t>(i)]->Notification(component, operation);
    --i;
    if (i >= ComponentCount()) i = ComponentCount() - 1;
  }
}

// --- TStream ------------------------------------------------------------------

std::int64_t TStream::Size() {
  std::int64_t pos = Seek(0, soCurrent);
  std::int64_t size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::SetSize(std::int64_t) {}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
  if (count != 0 && Read(buffer, count) != count) throw ReadFailure();
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream* source, std::int64_t count) {
  if (count == 0) {
    source->SetPosition(0);
    count = source->Size();
  }
  std::int64_t result = count;
  const std::int64_t kChunk = 1 << 16;
  std::unique_ptr<char[]> buf(new char[static_cast<std::size_t>(std::min(count, kChunk) + 1)]);
  while (count > 0) {
    std::int64_t n = std::min(count, kChunk);
    source->ReadBuffer(buf.get(), n);
    WriteBuffer(buf.get(), n);
    count -= n;
  }
  return result;
}

// --- THandleStream --------------------------------------------------------------

std::int64_t THandleStream::Read(void* buffer, std::int64_t count) {
  FReadError = 0;
  if (count <= 0) return 0;
  char* p = static_cast<char*>(buffer);
  std::int64_t done = 0;
  while (done < count) {
    std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(count - done, 1 << 30));
    ssize_t n = ::read(FHandle, p + done, want);
    if (n < 0) {
      if (errno == EINTR) continue;
      FReadError = errno;
      return done > 0 ? done : -1;
    }
    if (n == 0) break;
    done += n;
  }
  return done;
}

std::int64_t THandleStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  const char* p = static_cast<const char*>(buffer);
  std::int64_t done = 0;
  while (done < count) {
    std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(count - done, 1 << 30));
    ssize_t n = ::write(FHandle, p + done, want);
    if (n < 0) {
      if (errno == EINTR) continue;
      return done > 0 ? done : -1;
    }
    if (n == 0) break;
    done += n;
  }
  return done;
}

std::int64_t THandleStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  int whence = origin == soBeginning ? SEEK_SET : (origin == soCurrent ? SEEK_CUR : SEEK_END);
  off_t r = ::lseek(FHandle, static_cast<off_t>(offset), whence);
  return static_cast<std::int64_t>(r);
}

void THandleStream::SetSize(std::int64_t newSize) {
  Seek(newSize, soBeginning);
  if (::ftruncate(FHandle, static_cast<off_t>(newSize)) != 0) {
    int e = errno;
    throw EOSError(Format("System Error.  Code: %d.\r\n%s", e, SysErrorMessage(e).c_str()), e);
  }
}

// --- TFileStream ------------------------------------------------------------------

namespace {
// The user's message of a file that cannot be opened or created.
std::string FileErrorText(const char* what, const std::string& fileName, int error, bool writing) {
  return Ansi(what) + " \"" + ExpandFileName(fileName) + "\".\n\r" + SysErrorReason(error, writing);
}

// Opens an existing file without ever waiting: a name that is not a file of
// data (a pipe would wait for a writer, a device may act on being opened) is
// refused before and after it is opened. -1 with errno set on failure.
int OpenDataFile(const std::string& sysName, int flags) {
  struct stat st;
  int e = ::stat(sysName.c_str(), &st) == 0 ? NotDataFileError(st.st_mode) : 0;
  if (e != 0) {
    errno = e;
    return -1;
  }
  int fd = ::open(sysName.c_str(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return -1;
  e = ::fstat(fd, &st) != 0 ? errno : NotDataFileError(st.st_mode);
  if (e == 0 && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) e = errno;
  if (e != 0) {
    ::close(fd);
    errno = e;
    return -1;
  }
  return fd;
}
}  // namespace

TFileStream::TFileStream(const std::string& fileName, Word mode) : THandleStream(-1), FFileName(fileName) {
  std::string sysName = SysFileName(fileName);
  if ((mode & 0xFF00) == fmCreate) {
    // Only a file of data is written over: a pipe would wait for a reader.
    struct stat st;
    int e = ::stat(sysName.c_str(), &st) == 0 ? NotDataFileError(st.st_mode) : 0;
    if (e == 0) {
      FHandle = ::open(sysName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
      if (FHandle >= 0) return;
      e = errno;
    }
    throw EFCreateError(FileErrorText("Не удаётся создать файл", fileName, e, true), e);
  }
  int access = mode & 3;
  int flags = access == fmOpenWrite ? O_WRONLY : (access == fmOpenReadWrite ? O_RDWR : O_RDONLY);
  FHandle = OpenDataFile(sysName, flags);
  if (FHandle < 0) {
    int e = errno;
    throw EFOpenError(FileErrorText("Не удаётся открыть файл", fileName, e, access != fmOpenRead), e);
  }
}

EReadError TFileStream::ReadFailure() const {
  const std::string reason = FReadError ? SysErrorReason(FReadError) : Ansi("Файл стал короче, пока его читали.");
  return EReadError(Ansi("Не удаётся прочитать файл \"") + ExpandFileName(FFileName) + "\".\n\r" + reason, FReadError);
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}

namespace {

// Where a seek by offset from origin lands, for a stream of size bytes at position.
std::int64_t SeekTarget(std::int64_t position, std::int64_t size, std::int64_t offset, TSeekOrigin origin) {
  switch (origin) {
    case soBeginning: return offset;
    case soCurrent: return position + offset;
    case soEnd: return size + offset;
  }
  return position;
}

}  // namespace

// --- TMemoryStream ------------------------------------------------------------------

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
  std::int64_t size = Size();
  if (count <= 0 || FPosition >= size) return 0;
  std::int64_t n = std::min(count, size - FPosition);
  std::memcpy(buffer, FData.data() + FPosition, static_cast<std::size_t>(n));
  FPosition += n;
  return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0 || FPosition < 0) return 0;
  std::int64_t end = FPosition + count;
  if (end > Size()) {
    if (static_cast<std::size_t>(end) > FData.capacity())
      FData.reserve(std::max(static_cast<std::size_t>(end), FData.capacity() + FData.capacity() / 2));
    FData.resize(static_cast<std::size_t>(end));
  }
  std::memcpy(FData.data() + FPosition, buffer, static_cast<std::size_t>(count));
  FPosition = end;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  FPosition = SeekTarget(FPosition, Size(), offset, origin);
  return FPosition;
}

void TMemoryStream::SetSize(std::int64_t newSize) {
  if (newSize < 0) newSize = 0;
  FData.resize(static_cast<std::size_t>(newSize));
  if (FPosition > newSize) FPosition = newSize;
}

void TMemoryStream::Clear() {
  std::vector<char>().swap(FData);
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* stream) {
  stream->SetPosition(0);
  std::int64_t count = stream->Size();
  std::vector<char> data(static_cast<std::size_t>(std::max<std::int64_t>(count, 0)));
  if (count > 0) stream->ReadBuffer(data.data(), count);
  FData.swap(data);
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&f);
}

void TMemoryStream::SaveToStream(TStream* stream) {
  if (!FData.empty()) stream->WriteBuffer(FData.data(), Size());
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
  TReplaceFileStream f(fileName);
  SaveToStream(&f);
  f.Commit();
}

// --- TStringStream ------------------------------------------------------------------

std::int64_t TStringStream::Read(void* buffer, std::int64_t count) {
  std::int64_t size = Size();
  if (count <= 0 || FPosition >= size) return 0;
  std::int64_t n = std::min(count, size - FPosition);
  std::memcpy(buffer, FData.data() + FPosition, static_cast<std::size_t>(n));
  FPosition += n;
  return n;
}

std::int64_t TStringStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0 || FPosition < 0) return 0;
  std::int64_t end = FPosition + count;
  if (end > Size()) FData.resize(static_cast<std::size_t>(end));
  std::memcpy(&FData[static_cast<std::size_t>(FPosition)], buffer, static_cast<std::size_t>(count));
  FPosition = end;
  return count;
}

std::int64_t TStringStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  FPosition = SeekTarget(FPosition, Size(), offset, origin);
  return FPosition;
}

void TStringStream::SetSize(std::int64_t newSize) {
  if (newSize < 0) newSize = 0;
  FData.resize(static_cast<std::size_t>(newSize));
  if (FPosition > newSize) FPosition = newSize;
}

std::string TStringStream::ReadString(std::int64_t count) {
  std::int64_t size = Size();
  if (count <= 0 || FPosition >= size) return std::string();
  std::int64_t n = std::min(count, size - FPosition);
  std::string r = FData.substr(static_cast<std::size_t>(FPosition), static_cast<std::size_t>(n));
  FPosition += n;
  return r;
}

// --- TStrings ------------------------------------------------------------------------

void TStrings::Put(int index, const std::string& s) {
  TObject* obj = GetObject(index);
  Delete(index);
  InsertObject(index, s, obj);
}

TObject* TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const std::string& s) {
  int r = GetCount();
  Insert(r, s);
  return r;
}

int TStrings::AddObject(const std::string& s, TObject* object) {
  int r = Add(s);
  PutObject(r, object);
  return r;
}

void TStrings::InsertObject(int index, const std::string& s, TObject* object) {
  Insert(index, s);
  PutObject(index, object);
}

void TStrings::AddStrings(TStrings* strings) {
  BeginUpdate();
  try {
    int n = strings->GetCount();
    for (int i = 0; i < n; ++i) AddObject(strings->Get(i), strings->GetObject(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::AddStrings(const std::vector<std::string>& strings) {
  BeginUpdate();
  try {
    for (const std::string& s : strings) Add(s);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Assign(TPersistent* source) {
  if (TStrings* src = dynamic_cast<TStrings*>(source)) {
    if (src == this) return;
    BeginUpdate();
    try {
      Clear();
      FDelimiter = src->FDelimiter;
      FQuoteChar = src->FQuoteChar;
      FNameValueSeparator = src->FNameValueSeparator;
      AddStrings(src);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(source);
}

void TStrings::Exchange(int index1, int index2) {
  BeginUpdate();
  try {
    TObject* tempObject = GetObject(index1);
    std::string tempString = Get(index1);
    Put(index1, Get(index2));
    PutObject(index1, GetObject(index2));
    Put(index2, tempString);
    PutObject(index2, tempObject);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  BeginUpdate();
  try {
    std::string tempString = Get(curIndex);
    TObject* tempObject = GetObject(curIndex);
    Delete(curIndex);
    InsertObject(newIndex, tempString, tempObject);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TStrings::IndexOf(const std::string& s) const {
  int n = GetCount();
  for (int i = 0; i < n; ++i)
    if (CompareStrings(Get(i), s) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(const std::string& name) const {
  int n = GetCount();
  for (int i = 0; i < n; ++i) {
    std::string s = Get(i);
    std::size_t p = s.find(FNameValueSeparator);
    if (p != std::string::npos && CompareStrings(s.substr(0, p), name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(TObject* object) const {
  int n = GetCount();
  for (int i = 0; i < n; ++i)
    if (GetObject(i) == object) return i;
  return -1;
}

bool TStrings::Equals(const TStrings* strings) const {
  int n = GetCount();
  if (n != strings->GetCount()) return false;
  for (int i = 0; i < n; ++i)
    if (Get(i) != strings->Get(i)) return false;
  return true;
}

std::string TStrings::GetTextStr() const {
  int n = GetCount();
  std::string r;
  for (int i = 0; i < n; ++i) {
    r += Get(i);
    r += "\r\n";
  }
  return r;
}

void TStrings::SetTextStr(const std::string& text) {
  BeginUpdate();
  try {
    Clear();
    std::size_t i = 0, n = text.size();
    while (i < n) {
      std::size_t start = i;
      while (i < n && text[i] != '\r' && text[i] != '\n') ++i;
      Add(text.substr(start, i - start));
      if (i < n && text[i] == '\r') ++i;
      if (i < n && text[i] == '\n') ++i;
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::string TStrings::DelimitedText() const {
  int n = GetCount();
  if (n == 1 && Get(0).empty()) return std::string(2, FQuoteChar);
  std::string r;
  for (int i = 0; i < n; ++i) {
    std::string s = Get(i);
    bool quote = false;
    for (char c : s)
      if (static_cast<unsigned char>(c) <= ' ' || c == FQuoteChar || c == FDelimiter) {
        quote = true;
        break;
      }
    if (i > 0) r.push_back(FDelimiter);
    r += quote ? AnsiQuotedStr(s, FQuoteChar) : s;
  }
  return r;
}

void TStrings::SetDelimitedText(const std::string& text) {
  BeginUpdate();
  try {
    Clear();
    std::size_t p = 0, n = text.size();
    auto isSpace = [&](std::size_t i) {
      unsigned char c = static_cast<unsigned char>(text[i]);
      return c >= 1 && c <= ' ';
    };
    while (p < n && isSpace(p)) ++p;
    while (p < n) {
      std::string s;
      if (text[p] == FQuoteChar) {
        s = AnsiExtractQuotedStr(text, p, FQuoteChar);
      } else {
        std::size_t start = p;
        while (p<n&& static_cast<unsigned char>(text[p])> ' ' && text[p] != FDelimiter) ++p;
        s = text.substr(start, p - start);
      }
      Add(s);
      while (p < n && isSpace(p)) ++p;
      if (p < n && text[p] == FDelimiter) {
        if (p + 1 == n) Add(std::string());
        do {
          ++p;
        } while (p < n && isSpace(p));
      } else if (p < n && text[p] == '\0') {
        ++p;  // a NUL that is not part of an item separates like a blank
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::string TStrings::CommaText() const {
  TStrings* self = const_cast<TStrings*>(this);
  char d = FDelimiter, q = FQuoteChar;
  self->FDelimiter = ',';
  self->FQuoteChar = '"';
  std::string r = DelimitedText();
  self->FDelimiter = d;
  self->FQuoteChar = q;
  return r;
}

void TStrings::SetCommaText(const std::string& text) {
  char d = FDelimiter, q = FQuoteChar;
  FDelimiter = ',';
  FQuoteChar = '"';
  try {
    SetDelimitedText(text);
  } catch (...) {
    FDelimiter = d;
    FQuoteChar = q;
    throw;
  }
  FDelimiter = d;
  FQuoteChar = q;
}

std::string TStrings::Names(int index) const {
  std::string s = Get(index);
  std::size_t p = s.find(FNameValueSeparator);
  return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStrings::ValueFromIndex(int index) const {
  if (index < 0) return std::string();
  std::string s = Get(index);
  std::size_t p = s.find(FNameValueSeparator);
  return p == std::string::npos ? std::string() : s.substr(p + 1);
}

std::string TStrings::Values(const std::string& name) const {
  int i = IndexOfName(name);
  return i >= 0 ? ValueFromIndex(i) : std::string();
}

void TStrings::SetValues(const std::string& name, const std::string& value) {
  int i = IndexOfName(name);
  if (!value.empty()) {
    if (i < 0) i = Add(std::string());
    Put(i, name + FNameValueSeparator + value);
  } else if (i >= 0) {
    Delete(i);
  }
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount <= 0) return;
  --FUpdateCount;
  if (FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::LoadFromFile(const std::string& fileName) {
  TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&f);
}

void TStrings::LoadFromStream(TStream* stream) {
  BeginUpdate();
  try {
    std::int64_t size = stream->Size() - stream->Position();
    std::string s(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)), '\0');
    if (size > 0) {
      std::int64_t n = stream->Read(&s[0], size);
      s.resize(static_cast<std::size_t>(std::max<std::int64_t>(n, 0)));
    }
    SetTextStr(s);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::SaveToFile(const std::string& fileName) {
  TReplaceFileStream f(fileName);
  SaveToStream(&f);
  f.Commit();
}

void TStrings::SaveToStream(TStream* stream) {
  std::string s = GetTextStr();
  stream->WriteBuffer(s.data(), static_cast<std::int64_t>(s.size()));
}

int TStrings::CompareStrings(const std::string& s1, const std::string& s2) const { return AnsiCompareText(s1, s2); }

void TStrings::Error(const std::string& fmtWithPercentD, int data) const {
  throw EStringListError(Format(fmtWithPercentD.c_str(), data));
}

void TStrings::Error(const std::string& message) const { throw EStringListError(message); }

// --- TStringList ---------------------------------------------------------------------

namespace {
const char kListIndexError[] = "List index out of bounds (%d)";
const char kSortedListError[] = "Operation not allowed on sorted list";
const char kDuplicateString[] = "String list does not allow duplicates";
const char kListCapacityError[] = "List capacity out of bounds (%d)";
}  // namespace

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (FOwnsObjects)
    for (TStringItem& item : FList) delete item.FObject;
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= GetCount()) Error(kListIndexError, index);
}

std::string TStringList::Get(int index) const {
  CheckIndex(index);
  return FList[static_cast<std::size_t>(index)].FString;
}

void TStringList::Put(int index, const std::string& s) {
  if (FSorted) Error(kSortedListError);
  CheckIndex(index);
  Changing();
  FList[static_cast<std::size_t>(index)].FString = s;
  Changed();
}

TObject* TStringList::GetObject(int index) const {
  CheckIndex(index);
  return FList[static_cast<std::size_t>(index)].FObject;
}

void TStringList::PutObject(int index, TObject* object) {
  CheckIndex(index);
  Changing();
  FList[static_cast<std::size_t>(index)].FObject = object;
  Changed();
}

void TStringList::SetCapacity(int newCapacity) {
  if (newCapacity < GetCount()) Error(kListCapacityError, newCapacity);
  if (static_cast<std::size_t>(newCapacity) > FList.capacity())
    FList.reserve(static_cast<std::size_t>(newCapacity));
  else if (static_cast<std::size_t>(newCapacity) < FList.capacity()) {
    std::vector<TStringItem> copy;
    copy.reserve(static_cast<std::size_t>(newCapacity));
    for (TStringItem& item : FList) copy.push_back(std::move(item));
    FList.swap(copy);
  }
}

int TStringList::Add(const std::string& s) { return AddObject(s, nullptr); }

int TStringList::AddObject(const std::string& s, TObject* object) {
  int index;
  if (!FSorted) {
    index = GetCount();
  } else if (Find(s, index)) {
    switch (FDuplicates) {
      case dupIgnore: return index;
      case dupError: Error(kDuplicateString);
      case dupAccept: break;
    }
  }
  InsertItem(index, s, object);
  return index;
}

void TStringList::Insert(int index, const std::string& s) { InsertObject(index, s, nullptr); }

void TStringList::InsertObject(int index, const std::string& s, TObject* object) {
  if (FSorted) Error(kSortedListError);
  if (index < 0 || index > GetCount()) Error(kListIndexError, index);
  InsertItem(index, s, object);
}

void TStringList::InsertItem(int index, const std::string& s, TObject* object) {
  Changing();
  TStringItem item;
  item.FString = s;
  item.FObject = object;
  FList.insert(FList.begin() + index, std::move(item));
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  TObject* obj = FList[static_cast<std::size_t>(index)].FObject;
  FList.erase(FList.begin() + index);
  if (FOwnsObjects) delete obj;
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  std::vector<TStringItem> old;
  old.swap(FList);
  if (FOwnsObjects)
    for (TStringItem& item : old) delete item.FObject;
  Changed();
}

void TStringList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  std::swap(FList[static_cast<std::size_t>(index1)], FList[static_cast<std::size_t>(index2)]);
  Changed();
}

int TStringList::IndexOf(const std::string& s) const {
  if (!FSorted) return TStrings::IndexOf(s);
  int index;
  return Find(s, index) ? index : -1;
}

bool TStringList::Find(const std::string& s, int& index) const {
  bool result = false;
  int l = 0, h = GetCount() - 1;
  while (l <= h) {
    int i = (l + h) >> 1;
    int c = CompareStrings(FList[static_cast<std::size_t>(i)].FString, s);
    if (c < 0) {
      l = i + 1;
    } else {
      h = i - 1;
      if (c == 0) {
        result = true;
        if (FDuplicates != dupAccept) l = i;
      }
    }
  }
  index = l;
  return result;
}

void TStringList::Sort() {
  CustomSort([](TStringList* list, int a, int b) {
    return list->CompareStrings(list->FList[static_cast<std::size_t>(a)].FString,
                                list->FList[static_cast<std::size_t>(b)].FString);
  });
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
  if (FSorted || GetCount() <= 1) return;
  Changing();
  // The comparison sees the items at their places before the sort; the
  // permutation is applied at the end. Equal items keep their order.
  std::vector<int> order(FList.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(this, a, b) < 0; });
  std::vector<TStringItem> sorted;
  sorted.reserve(FList.capacity());
  for (int i : order) sorted.push_back(std::move(FList[static_cast<std::size_t>(i)]));
  FList.swap(sorted);
  Changed();
}

void TStringList::SetSorted(bool value) {
  if (FSorted == value) return;
  if (value) Sort();
  FSorted = value;
}

void TStringList::SetCaseSensitive(bool value) {
  if (value == FCaseSensitive) return;
  FCaseSensitive = value;
  if (FSorted) {
    // Keep a sorted list sorted under the new comparison.
    FSorted = false;
    Sort();
    FSorted = true;
  }
}

void TStringList::SetUpdateState(bool updating) {
  if (updating)
    Changing();
  else
    Changed();
}

int TStringList::CompareStrings(const std::string& s1, const std::string& s2) const {
  return FCaseSensitive ? AnsiCompareStr(s1, s2) : AnsiCompareText(s1, s2);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}
