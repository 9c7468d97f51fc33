// The toolkit's base classes: TObject, TPersistent, TComponent, events,
// string lists and streams.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/SysUtils.h"
#include "platform/Types.h"

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
  virtual const char* ClassName() const { return "TObject"; }
};

using TNotifyEvent = std::function<void(TObject* sender)>;

class TPersistent : public TObject {
 public:
  // Copies `source` into this object. The base asks the source to assign
  // itself (AssignTo); when nobody knows how, raises EConvertError
  // "Cannot assign a <source class> to a <this class>" (source nil: "nil").
  virtual void Assign(TPersistent* source);
  const char* ClassName() const override { return "TPersistent"; }

 protected:
  virtual void AssignTo(TPersistent* dest);
  [[noreturn]] void AssignError(TPersistent* source);
};

// --- components -----------------------------------------------------------
enum TOperation { opInsert, opRemove };

enum TComponentStateFlag : unsigned {
  csLoading = 1,
  csReading = 2,
  csWriting = 4,
  csDestroying = 8,
  csDesigning = 16,
  csFreeNotification = 32,
  csUpdating = 64,
};
using TComponentState = unsigned;

// A component is owned by its Owner, which destroys it. Owned components are
// allocated with new. Destroying a component removes it from its owner.
//
// Derived classes whose owned components must see the derived object while
// they die call DestroyComponents() in their own destructor.
class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  const char* ClassName() const override { return "TComponent"; }

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  // Raises EComponentError "'%s' is not a valid component name" or
  // "A component named %s already exists" (among the owner's components).
  virtual void SetName(const std::string& name);
  std::intptr_t Tag() const { return FTag; }
  void SetTag(std::intptr_t tag) { FTag = tag; }
  TComponentState ComponentState() const { return FComponentState; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const;  // EListError "List index out of bounds (%d)"
  int ComponentIndex() const;               // position in the owner's list, -1 without owner
  // Case-insensitive (ASCII) search among the owned components; empty names never match.
  TComponent* FindComponent(const std::string& name) const;

  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void DestroyComponents();
  void Destroying();
  // Marks the component as being destroyed, sends its free notifications and
  // leaves its owner now, while the derived object is still whole. A derived
  // destructor calls it first when other components use the object from
  // their Notification; the base destructor then has nothing left to send.
  void NotifyDestruction();

  // `component` will get Notification(this, opRemove) when this one dies.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  virtual void Loaded();

 protected:
  // Called on the owner (and passed on to its owned components) when a
  // component is inserted into or removed from it, and on components that
  // asked for FreeNotification when it is destroyed.
  virtual void Notification(TComponent* component, TOperation operation);
  void SetComponentState(TComponentState state) { FComponentState = state; }

 private:
  void ValidateRename(TComponent* component, const std::string& curName, const std::string& newName);
  void RemoveNotification(TComponent* component);

  TComponent* FOwner = nullptr;
  std::string FName;
  std::intptr_t FTag = 0;
  TComponentState FComponentState = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
};

// --- streams --------------------------------------------------------------
enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };
constexpr TSeekOrigin soFromBeginning = soBeginning;
constexpr TSeekOrigin soFromCurrent = soCurrent;
constexpr TSeekOrigin soFromEnd = soEnd;

class TStream : public TObject {
 public:
  const char* ClassName() const override { return "TStream"; }
  // Reads or writes at most `count` bytes; returns the number moved.
  virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
  virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

  std::int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(std::int64_t pos) { Seek(pos, soBeginning); }
  virtual std::int64_t Size();
  virtual void SetSize(std::int64_t newSize);

  // All or nothing: EReadError "Stream read error", EWriteError "Stream write error".
  void ReadBuffer(void* buffer, std::int64_t count);
  void WriteBuffer(const void* buffer, std::int64_t count);
  void WriteString(std::string_view s) { WriteBuffer(s.data(), static_cast<std::int64_t>(s.size())); }
  // count 0: the whole source from position 0. Returns the bytes copied.
  std::int64_t CopyFrom(TStream* source, std::int64_t count);

 protected:
  // The error ReadBuffer raises when fewer bytes came than it asked for.
  virtual EReadError ReadFailure() const { return EReadError("Stream read error"); }
};

// File opening modes.
constexpr Word fmCreate = 0xFF00;
constexpr Word fmOpenRead = 0x0000;
constexpr Word fmOpenWrite = 0x0001;
constexpr Word fmOpenReadWrite = 0x0002;
constexpr Word fmShareCompat = 0x0000;
constexpr Word fmShareExclusive = 0x0010;
constexpr Word fmShareDenyWrite = 0x0020;
constexpr Word fmShareDenyRead = 0x0030;
constexpr Word fmShareDenyNone = 0x0040;

// A stream over an OS file descriptor (not closed by this class).
class THandleStream : public TStream {
 public:
  explicit THandleStream(int handle) : FHandle(handle) {}
  const char* ClassName() const override { return "THandleStream"; }
  int Handle() const { return FHandle; }
  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  void SetSize(std::int64_t newSize) override;

 protected:
  int FHandle;
  int FReadError = 0;  // errno of the last read that failed
};

// Opens (fmOpenRead/Write/ReadWrite, sharing flags accepted and ignored) or
// creates (fmCreate: created or truncated) a file. Opening never waits: a
// name that is a folder, a pipe, a socket or a device is refused at once.
// Raises EFOpenError or EFCreateError with the user's message (Russian:
// the full file name and SysErrorReason) and errno (or
// kErrorNotRegularFile) in ErrorCode.
class TFileStream : public THandleStream {
 public:
  TFileStream(const std::string& fileName, Word mode);
  ~TFileStream() override;
  const char* ClassName() const override { return "TFileStream"; }
  const std::string& FileName() const { return FFileName; }

 protected:
  // Names the file and the reason (Russian), with errno in ErrorCode.
  EReadError ReadFailure() const override;

 private:
  std::string FFileName;
};

// Saves a file so that a failure never loses the old one:
// - Normally the data goes to a hidden file beside the target (".name.~t"
//   with the writer's process id and random letters; the name is cut so it
//   fits the folder's limit), which Commit() syncs and renames over the
//   target, with the target's permissions (setuid and setgid dropped) and,
//   where the system allows, its owner and group. Until then the target is
//   untouched; what a killed save leaves is removed by the next save or open
//   of the same target (FindInterruptedSave) once its writer is gone.
// - A target with more than one hard link, whose owner or group a new file
//   could not keep, or in a folder where no new file can be made, is written
//   in place: its old bytes first go to a backup (beside it, or in the
//   user's cache folder, "brindel-quillet-studio/saves" under
//   $XDG_CACHE_HOME or ~/.cache) and a journal naming both, synced before
//   the target is touched. Commit() removes them; a failure (or destruction
//   without Commit()) copies the backup back. A process killed on the way
//   leaves them for FindInterruptedSave.
// - A symbolic link is followed (a chain of them too): its final target is
//   written, and a dangling link creates it; the link stays a link. A link
//   that the system would not follow (another user's, in a sticky folder
//   everyone may write, not the folder owner's) is refused with EACCES.
// - Only plain files are replaced: a pipe, a device or a socket is refused
//   with EINVAL, a folder with EISDIR.
// - A target without write permission for the user (no write bit at all,
//   even for root) is refused: EFCreateError with EACCES.
// Errors name the file (or the folder where no file can be made) and the
// system's reason, and carry errno in ErrorCode: EFCreateError "Cannot
// create file \"%s\". %s" or "Cannot create file \"%s\" in folder \"%s\". %s"
// when saving cannot start, EWriteError "Cannot write to file \"%s\". %s"
// when the data cannot be written or put in place.
// The size and a hash of bytes written, to tell later whether a file holds them.
class TSaveHash {
 public:
  void Add(const void* data, std::size_t size);
  std::uint64_t Size() const { return FSize; }
  std::uint64_t Value() const;

 private:
  void Mix(const unsigned char* word);
  std::uint64_t FHash = 0xcbf29ce484222325ull;
  std::uint64_t FSize = 0;
  unsigned char FPending[8] = {};
  std::size_t FCarry = 0;
};

class TReplaceFileStream : public THandleStream {
 public:
  explicit TReplaceFileStream(const std::string& fileName);
  ~TReplaceFileStream() override;
  const char* ClassName() const override { return "TReplaceFileStream"; }
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  void Commit();
  bool Committed() const { return FCommitted; }
  bool InPlace() const { return FInPlace; }
  const std::string& FileName() const { return FFileName; }
  const std::string& BackupName() const { return FBackupName; }  // OS name, in place only

 private:
  void Start();
  void StartInPlace(std::uint64_t device, std::uint64_t inode);
  void Abandon();
  void DropBackup();
  [[noreturn]] void FailWrite(int error);
  bool RestoreBackup();
  std::string FFileName;     // Windows-1251
  std::string FTarget;       // OS name of the file written (links followed)
  std::string FTempName;     // OS name of the new text (not in place)
  std::string FBackupName;   // in place: OS names of the backup and the journal
  std::string FJournalName;
  int FBackup = -1;
  int FJournal = -1;
  TSaveHash FHash;  // of the bytes written
  bool FInPlace = false;
  bool FTouched = false;  // in place: the target has been truncated
  bool FCommitted = false;
  bool FFailed = false;
};

// A save in place that was cut off (the process killed) and whose backup
// may hold the only copy of the file's old text.
struct TInterruptedSave {
  std::string FileName;  // Windows-1251, the file saved
  std::string Backup;    // OS names of the old text and the journal
  std::string Journal;
};

// Looks for what interrupted saves of the file left: removes what is
// provably not needed and returns true, with the save, when a backup of the
// old text remains that the file does not match. Nothing else is deleted.
bool FindInterruptedSave(const std::string& fileName, TInterruptedSave& save);
// For files the program writes on its own beside the user's (preview
// copies): raises EFCreateError naming the file when the name is a symbolic
// link (ELOOP), not a plain file (EINVAL) or a file another user owns
// (EACCES), so such a write never lands in someone else's file.
void CheckOwnFile(const std::string& fileName);
// Writes the backup's text over the file (a careful save), then removes the
// backup and its journal. Raises as TReplaceFileStream and TFileStream do.
void RestoreInterruptedSave(const TInterruptedSave& save);

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  const char* ClassName() const override { return "TMemoryStream"; }
  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(FData.size()); }
  void SetSize(std::int64_t newSize) override;
  void Clear();
  char* Memory() { return FData.data(); }
  const char* Memory() const { return FData.data(); }
  void LoadFromStream(TStream* stream);
  void LoadFromFile(const std::string& fileName);
  void SaveToStream(TStream* stream);
  void SaveToFile(const std::string& fileName);

 private:
  std::vector<char> FData;
  std::int64_t FPosition = 0;
};

class TStringStream : public TStream {
 public:
  explicit TStringStream(std::string data = std::string()) : FData(std::move(data)) {}
  const char* ClassName() const override { return "TStringStream"; }
  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(FData.size()); }
  void SetSize(std::int64_t newSize) override;
  const std::string& DataString() const { return FData; }
  std::string ReadString(std::int64_t count);
  void WriteString(std::string_view s) { Write(s.data(), static_cast<std::int64_t>(s.size())); }

 private:
  std::string FData;
  std::int64_t FPosition = 0;
};

// --- string lists ---------------------------------------------------------
// An abstract indexed list of strings with an object per string.
class TStrings : public TPersistent {
 public:
  TStrings() = default;
  const char* ClassName() const override { return "TStrings"; }

  // The abstract core.
  virtual std::string Get(int index) const = 0;
  virtual int GetCount() const = 0;
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  // Defaults: Put deletes and inserts (keeping the object); objects are nil.
  virtual void Put(int index, const std::string& s);
  virtual TObject* GetObject(int index) const;
  virtual void PutObject(int index, TObject* object);
  virtual int GetCapacity() const { return GetCount(); }
  virtual void SetCapacity(int newCapacity) {}

  int Count() const { return GetCount(); }
  std::string Strings(int index) const { return Get(index); }
  TObject* Objects(int index) const { return GetObject(index); }
  int Capacity() const { return GetCapacity(); }

  virtual int Add(const std::string& s);
  virtual int AddObject(const std::string& s, TObject* object);
  void Append(const std::string& s) { Add(s); }
  virtual void InsertObject(int index, const std::string& s, TObject* object);
  virtual void AddStrings(TStrings* strings);
  void AddStrings(const std::vector<std::string>& strings);
  void Assign(TPersistent* source) override;
  virtual void Exchange(int index1, int index2);
  virtual void Move(int curIndex, int newIndex);
  virtual int IndexOf(const std::string& s) const;
  virtual int IndexOfName(const std::string& name) const;
  virtual int IndexOfObject(TObject* object) const;
  bool Equals(const TStrings* strings) const;

  // Lines joined by CR LF, each line followed by CR LF (also the last).
  virtual std::string GetTextStr() const;
  // Splits at CR LF, CR or LF; a break at the very end adds no empty line.
  virtual void SetTextStr(const std::string& text);
  std::string Text() const { return GetTextStr(); }
  void SetText(const std::string& text) { SetTextStr(text); }

  char Delimiter() const { return FDelimiter; }
  void SetDelimiter(char c) { FDelimiter = c; }
  char QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char c) { FQuoteChar = c; }
  char NameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(char c) { FNameValueSeparator = c; }
  std::string DelimitedText() const;
  void SetDelimitedText(const std::string& text);
  std::string CommaText() const;
  void SetCommaText(const std::string& text);

  // "Name=Value" lines.
  std::string Names(int index) const;
  std::string ValueFromIndex(int index) const;
  std::string Values(const std::string& name) const;
  // An empty value deletes the line.
  void SetValues(const std::string& name, const std::string& value);

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  virtual void LoadFromFile(const std::string& fileName);
  virtual void LoadFromStream(TStream* stream);          // from the stream's position to its end
  virtual void SaveToFile(const std::string& fileName);  // replaces the file safely (TReplaceFileStream)
  virtual void SaveToStream(TStream* stream);

 protected:
  // Called when the update counter leaves zero (true) or returns to it (false).
  virtual void SetUpdateState(bool updating) {}
  // Case-insensitive (Windows-1251) in the base.
  virtual int CompareStrings(const std::string& s1, const std::string& s2) const;
  [[noreturn]] void Error(const std::string& fmtWithPercentD, int data) const;  // EStringListError
  [[noreturn]] void Error(const std::string& message) const;

 private:
  int FUpdateCount = 0;
  char FDelimiter = ',';
  char FQuoteChar = '"';
  char FNameValueSeparator = '=';
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
// Compares the items at two indexes (< 0, 0, > 0).
using TStringListSortCompare = std::function<int(TStringList* list, int index1, int index2)>;

class TStringList : public TStrings {
 public:
  TStringList() = default;
  ~TStringList() override;
  const char* ClassName() const override { return "TStringList"; }

  std::string Get(int index) const override;
  int GetCount() const override { return static_cast<int>(FList.size()); }
  void Put(int index, const std::string& s) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  int GetCapacity() const override { return static_cast<int>(FList.capacity()); }
  void SetCapacity(int newCapacity) override;  // below the count: "List capacity out of bounds (%d)"
  int Add(const std::string& s) override;
  int AddObject(const std::string& s, TObject* object) override;
  void Insert(int index, const std::string& s) override;
  void InsertObject(int index, const std::string& s, TObject* object) override;
  void Delete(int index) override;
  void Clear() override;
  void Exchange(int index1, int index2) override;
  int IndexOf(const std::string& s) const override;

  // Binary search in a sorted list: true when found; `index` is the match
  // (the first of equal items when duplicates are accepted) or the place
  // where `s` would go.
  virtual bool Find(const std::string& s, int& index) const;
  // Stable: equal items keep their order.
  virtual void Sort();
  virtual void CustomSort(const TStringListSortCompare& compare);

  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates value) { FDuplicates = value; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool value);
  // The list deletes its objects when they are removed (off by default).
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool value) { FOwnsObjects = value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  void SetUpdateState(bool updating) override;
  int CompareStrings(const std::string& s1, const std::string& s2) const override;
  virtual void Changed();
  virtual void Changing();

 private:
  struct TStringItem {
    std::string FString;
    TObject* FObject = nullptr;
  };
  void CheckIndex(int index) const;
  void InsertItem(int index, const std::string& s, TObject* object);

  std::vector<TStringItem> FList;
  bool FSorted = false;
  bool FCaseSensitive = false;
  bool FOwnsObjects = false;
  TDuplicates FDuplicates = dupIgnore;
};
