// Exceptions, string formatting and conversion, and file-system helpers.
//
// File names inside the program are Windows-1251 bytes with "/" as the path
// delimiter; SysFileName() turns one into the UTF-8 name the OS wants.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Types.h"

// --- exceptions ---------------------------------------------------------
// The message is a Windows-1251 string; what() returns the same bytes.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : FMessage(std::move(message)) {}
  ~Exception() override = default;
  const std::string& Message() const { return FMessage; }
  void SetMessage(const std::string& message) { FMessage = message; }
  const char* what() const noexcept override { return FMessage.c_str(); }
  virtual const char* ClassName() const { return "Exception"; }

 private:
  std::string FMessage;
};

// Declares an exception class that adds nothing but its name.
#define BQS_DECLARE_EXCEPTION(Name, Base)                    \
  class Name : public Base {                                 \
   public:                                                   \
    using Base::Base;                                        \
    const char* ClassName() const override { return #Name; } \
  }

// Silent exception: unwinds without any message box.
class EAbort : public Exception {
 public:
  EAbort() : Exception("Operation aborted") {}
  explicit EAbort(std::string message) : Exception(std::move(message)) {}
  const char* ClassName() const override { return "EAbort"; }
};

BQS_DECLARE_EXCEPTION(EHeapException, Exception);
// Default message "Out of memory".
class EOutOfMemory : public EHeapException {
 public:
  EOutOfMemory() : EHeapException("Out of memory") {}
  explicit EOutOfMemory(std::string message) : EHeapException(std::move(message)) {}
  const char* ClassName() const override { return "EOutOfMemory"; }
};
BQS_DECLARE_EXCEPTION(EInvalidPointer, EHeapException);

class EInOutError : public Exception {
 public:
  explicit EInOutError(std::string message, int errorCode = 0) : Exception(std::move(message)), ErrorCode(errorCode) {}
  const char* ClassName() const override { return "EInOutError"; }
  int ErrorCode;
};

class EOSError : public Exception {
 public:
  explicit EOSError(std::string message, int errorCode = 0) : Exception(std::move(message)), ErrorCode(errorCode) {}
  const char* ClassName() const override { return "EOSError"; }
  int ErrorCode;
};

BQS_DECLARE_EXCEPTION(EConvertError, Exception);
BQS_DECLARE_EXCEPTION(EAssertionFailed, Exception);
BQS_DECLARE_EXCEPTION(EInvalidCast, Exception);
BQS_DECLARE_EXCEPTION(EIntError, Exception);
BQS_DECLARE_EXCEPTION(EDivByZero, EIntError);
BQS_DECLARE_EXCEPTION(ERangeError, EIntError);
BQS_DECLARE_EXCEPTION(EIntOverflow, EIntError);
BQS_DECLARE_EXCEPTION(EMathError, Exception);
BQS_DECLARE_EXCEPTION(ENotSupportedException, Exception);
// Raised by an operation that a derived class must supply ("Abstract Error").
BQS_DECLARE_EXCEPTION(EAbstractError, Exception);

// Lists and streams (raised by the classes of Classes.h).
BQS_DECLARE_EXCEPTION(EListError, Exception);
BQS_DECLARE_EXCEPTION(EStringListError, Exception);
BQS_DECLARE_EXCEPTION(EComponentError, Exception);
// ErrorCode: the system's error number (errno) of a failed file operation,
// 0 when there is none.
class EStreamError : public Exception {
 public:
  explicit EStreamError(std::string message, int errorCode = 0) : Exception(std::move(message)), ErrorCode(errorCode) {}
  const char* ClassName() const override { return "EStreamError"; }
  int ErrorCode;
};
BQS_DECLARE_EXCEPTION(EFCreateError, EStreamError);
BQS_DECLARE_EXCEPTION(EFOpenError, EStreamError);
BQS_DECLARE_EXCEPTION(EFilerError, EStreamError);
BQS_DECLARE_EXCEPTION(EReadError, EFilerError);
BQS_DECLARE_EXCEPTION(EWriteError, EFilerError);

// Raises the silent EAbort.
[[noreturn]] void Abort();

// --- formatting and conversion ------------------------------------------
// printf-style formatting into a string (%s takes a const char*).
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string FormatV(const char* fmt, va_list args);

std::string IntToStr(std::int64_t value);
// Upper-case hexadecimal, at least `digits` digits (zero-padded). Negative
// values print their two's complement (of 32 bits when they fit, else 64).
std::string IntToHex(std::int64_t value, int digits);
// Decimal with an optional sign, or hexadecimal after "$", "0x", "0X", "x"
// or "X"; leading blanks are allowed. Raises EConvertError
// "'%s' is not a valid integer value".
int StrToInt(const std::string& s);
std::int64_t StrToInt64(const std::string& s);
int StrToIntDef(const std::string& s, int def);
std::int64_t StrToInt64Def(const std::string& s, std::int64_t def);
bool TryStrToInt(const std::string& s, int& value);
bool TryStrToInt64(const std::string& s, std::int64_t& value);
// Shortest text that reads back to the same double ("%.15g"-like; "." as
// the decimal separator).
std::string FloatToStr(double value);
double StrToFloat(const std::string& s);  // EConvertError "'%s' is not a valid floating point value"
double StrToFloatDef(const std::string& s, double def);
bool TryStrToFloat(const std::string& s, double& value);

// Remove characters up to and including the blank (control characters too).
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
// ASCII only; see AnsiUpperCase/AnsiLowerCase in CodePage.h for Cyrillic.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
int CompareStr(std::string_view a, std::string_view b);   // byte order
int CompareText(std::string_view a, std::string_view b);  // ASCII case-insensitive
bool SameText(std::string_view a, std::string_view b);

enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = unsigned;
// rfIgnoreCase compares with the Windows-1251 case tables.
std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          TReplaceFlags flags);

// The toolkit's 1-based string helpers.
int Pos(std::string_view sub, std::string_view s);  // 0 when absent
std::string Copy(std::string_view s, int index, int count);
std::string StringOfChar(char c, int count);
std::string QuotedStr(std::string_view s);  // '...' with inner quotes doubled
std::string AnsiQuotedStr(std::string_view s, char quote);
// Reads a quoted string starting at s[pos] (which must be the quote);
// advances pos past the closing quote (or to the end).
std::string AnsiExtractQuotedStr(std::string_view s, std::size_t& pos, char quote);
bool IsValidIdent(std::string_view ident);

// --- file names ("/" is the delimiter) ------------------------------------
constexpr char PathDelim = '/';
std::string ExtractFilePath(std::string_view fileName);  // up to and including the last "/"
std::string ExtractFileDir(std::string_view fileName);   // same without the trailing "/" (except for "/")
std::string ExtractFileName(std::string_view fileName);  // after the last "/"
std::string ExtractFileExt(std::string_view fileName);   // from the last "." of the name, dot included
std::string ChangeFileExt(std::string_view fileName, std::string_view extension);
std::string IncludeTrailingPathDelimiter(std::string_view path);
std::string ExcludeTrailingPathDelimiter(std::string_view path);
// Absolute and normalised ("." and ".." resolved) against the current folder.
std::string ExpandFileName(std::string_view fileName);

// Windows-1251 file name to the UTF-8 name for OS calls, and back.
std::string SysFileName(const std::string& ansiName);
std::string AnsiFileName(const std::string& sysName);
// Text of an errno value (English).
std::string SysErrorMessage(int errorCode);
// Not an errno: the name is a pipe, a socket or a device, not a file of data.
constexpr int kErrorNotRegularFile = 0x10000;
// 0 for a file of the mode (st_mode) that is a plain file; else why it is
// no file of data: EISDIR for a folder, kErrorNotRegularFile for the rest.
int NotDataFileError(unsigned mode);
// Why a file operation failed, in the user's words: the common reasons
// (permissions, space, quota, a read-only system, a long name, a missing
// file or folder, a folder or no file of data in its place, input/output)
// in Russian, worded for reading or for writing; the rest in the system's
// own text.
std::string SysErrorReason(int errorCode, bool writing = false);

// The %XX escapes of the settings stores: "%" and every byte `escape(u)`
// names are written as "%" and two capital hexadecimal digits, anything else
// as it stands; PercentDecode reads them back and keeps a "%" that starts no
// escape.
template <class F>
std::string PercentEncode(const std::string& s, F escape) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '%' || escape(u)) {
      out += '%';
      out += hex[u >> 4];
      out += hex[u & 15];
    } else {
      out += c;
    }
  }
  return out;
}
std::string PercentDecode(const std::string& s);
// The value of a hexadecimal digit (either case), or -1.
int HexDigit(char c);
// Whether Windows-1251 holds an OS (UTF-8) name as it stands: AnsiFileName
// of a name that fails this is another name.
bool AnsiHoldsFileName(const std::string& sysName);
// The message refusing such a name (the name as far as it can be shown).
std::string UnholdableFileNameText(const std::string& sysName);

bool FileExists(const std::string& fileName);  // a regular file (or a link to one)
bool DirectoryExists(const std::string& dir);
bool ForceDirectories(const std::string& dir);  // creates every missing folder; true when it exists afterwards
bool CreateDir(const std::string& dir);
bool RemoveDir(const std::string& dir);
bool DeleteFile(const std::string& fileName);
bool RenameFile(const std::string& oldName, const std::string& newName);
std::string GetCurrentDir();
bool SetCurrentDir(const std::string& dir);
std::int64_t FileSizeOf(const std::string& fileName);  // -1 when it does not exist

// Folder listing with wildcard masks ("*" and "?", case-insensitive).
constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faAnyFile = 0x3F;
struct TSearchRec {
  std::string Name;  // Windows-1251, without the folder
  std::int64_t Size = 0;
  int Attr = 0;
  std::int64_t Time = 0;  // seconds since the epoch
  // internal
  std::vector<TSearchRec> Pending;
  int ExcludeAttr = 0;
};
// Returns 0 and fills `rec` with the first match; non-zero when none.
// Directories are returned only when `attr` includes faDirectory; "." and
// ".." are never returned. Names come sorted.
int FindFirst(const std::string& pathMask, int attr, TSearchRec& rec);
int FindNext(TSearchRec& rec);
void FindClose(TSearchRec& rec);
bool MatchesMask(std::string_view name, std::string_view mask);

// --- program folder and command line --------------------------------------
// The executable's folder with a trailing "/". SetProgramDir() overrides it;
// so does the environment variable BQS_PROGRAM_DIR (read at first use).
std::string ProgramDir();
void SetProgramDir(const std::string& dir);
// The command line as the program got it (arguments converted to Windows-1251).
void SetCommandLine(int argc, char** argv);
int ParamCount();
std::string ParamStr(int index);  // 0 = the executable's path
// An argument as the system gave it (UTF-8), to check with AnsiHoldsFileName.
std::string SysParamStr(int index);

// --- date and time ------------------------------------------------------------
// Days since 30 December 1899; the fraction is the time of day.
using TDateTime = double;

TDateTime Now();  // local date and time
// Tests: Now (and Date, Time) answer this moment; nullopt reads the clock
// again.
void SetNowForTesting(std::optional<TDateTime> moment);
TDateTime Date();  // local date at midnight
TDateTime Time();  // local time of day
// Raise EConvertError for values outside the calendar or the day.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
void DecodeDate(TDateTime date, Word& year, Word& month, Word& day);
void DecodeTime(TDateTime time, Word& hour, Word& min, Word& sec, Word& msec);
int DayOfWeek(TDateTime date);  // 1 = Sunday ... 7 = Saturday
bool IsLeapYear(int year);

// The Russian locale's names and formats (Windows-1251), as the formatter uses them.
struct TFormatSettings {
  std::string ShortMonthNames[12];
  std::string LongMonthNames[12];
  std::string ShortDayNames[7];  // Sunday first
  std::string LongDayNames[7];
  std::string ShortDateFormat;
  std::string LongDateFormat;
  std::string ShortTimeFormat;
  std::string LongTimeFormat;
  std::string TimeAMString;
  std::string TimePMString;
  char DateSeparator;
  char TimeSeparator;
  char DecimalSeparator;
};
const TFormatSettings& FormatSettings();

// The toolkit's date-time formatter: d dd ddd dddd ddddd dddddd, m mm mmm
// mmmm (minutes right after an hour), yy yyyy, h hh n nn s ss (longer runs
// count as two), z zzz, t tt, c, am/pm a/p ampm, "/" and ":" separators,
// quoted text; every other character is copied. An empty format is "c".
std::string FormatDateTime(const std::string& format, TDateTime dateTime);
std::string DateToStr(TDateTime date);
std::string TimeToStr(TDateTime time);
std::string DateTimeToStr(TDateTime dateTime);

// --- random numbers ---------------------------------------------------------------
// The toolkit's generator: Randomize() seeds it from the clock; Random(n)
// gives a uniform whole number 0 <= r < n (0 for n <= 0); Random() a double
// in [0, 1).
void Randomize();
void SetRandSeed(std::uint32_t seed);
std::uint32_t RandSeed();
int Random(int range);
double Random();

// Draws from the system's cryptographic source (getrandom): a uniform whole
// number 0 <= r < n, without modulo bias (0 for n <= 0). Never seeded and
// never predictable from the clock. Tests put a source of their own in
// place (it answers raw 32-bit words); null puts the system's back.
int SecureRandom(int range);
using TRandomWordSource = std::function<std::uint32_t()>;
void SetSecureRandomSourceForTesting(TRandomWordSource source);
