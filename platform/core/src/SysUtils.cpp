#include "platform/SysUtils.h"

#include <dirent.h>
#include <errno.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/CodePage.h"

void Abort() { throw EAbort(); }

// --- formatting ------------------------------------------------------------

std::string FormatV(const char* fmt, va_list args) {
  if (!fmt) return std::string();
  char small[256];
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(small, sizeof small, fmt, copy);
  va_end(copy);
  if (n < 0) return std::string();
  if (static_cast<std::size_t>(n) < sizeof small) return std::string(small, static_cast<std::size_t>(n));
  std::string out(static_cast<std::size_t>(n) + 1, '\0');
  std::vsnprintf(&out[0], out.size(), fmt, args);
  out.resize(static_cast<std::size_t>(n));
  return out;
}

std::string Format(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  std::string r = FormatV(fmt, args);
  va_end(args);
  return r;
}

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

std::string IntToHex(std::int64_t value, int digits) {
  std::uint64_t u;
  if (value < 0 && value >= INT32_MIN)
    u = static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
  else
    u = static_cast<std::uint64_t>(value);
  static const char kHex[] = "0123456789ABCDEF";
  std::string r;
  do {
    r.push_back(kHex[u & 0xF]);
    u >>= 4;
  } while (u != 0);
  while (static_cast<int>(r.size()) < digits) r.push_back('0');
  std::reverse(r.begin(), r.end());
  return r;
}

namespace {

bool ParseInt64(const std::string& s, std::int64_t lo, std::int64_t hi, std::int64_t& value) {
  std::size_t i = 0, n = s.size();
  while (i < n && s[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < n && s[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < n && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  } else if (i < n && (s[i] == 'x' || s[i] == 'X')) {
    base = 16;
    ++i;
  }
  if (i >= n) return false;
  std::uint64_t acc = 0;
  // Hexadecimal may use the whole unsigned range of the type (two's complement).
  std::uint64_t limit = base == 16 ? (hi == INT64_MAX ? UINT64_MAX : static_cast<std::uint64_t>(hi) * 2 + 1)
                                   : static_cast<std::uint64_t>(hi) + (negative ? 1 : 0);
  for (; i < n; ++i) {
    int d;
    char c = s[i];
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      return false;
    if (acc > (limit - static_cast<std::uint64_t>(d)) / static_cast<std::uint64_t>(base)) return false;
    acc = acc * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
  }
  std::int64_t v;
  if (base == 16 && acc > static_cast<std::uint64_t>(hi)) {
    // two's complement of the type's width
    if (hi == INT64_MAX)
      v = static_cast<std::int64_t>(acc);
    else
      v = static_cast<std::int64_t>(acc) - (static_cast<std::int64_t>(hi) + 1) * 2;
  } else {
    v = static_cast<std::int64_t>(acc);
  }
  if (negative) {
    if (base == 10 && acc == static_cast<std::uint64_t>(hi) + 1)
      v = lo;
    else
      v = -v;
  }
  if (v < lo || v > hi) return false;
  value = v;
  return true;
}

[[noreturn]] void RaiseIntError(const std::string& s) {
  throw EConvertError(Format("'%s' is not a valid integer value", s.c_str()));
}

}  // namespace

bool TryStrToInt(const std::string& s, int& value) {
  std::int64_t v;
  if (!ParseInt64(s, INT32_MIN, INT32_MAX, v)) return false;
  value = static_cast<int>(v);
  return true;
}

bool TryStrToInt64(const std::string& s, std::int64_t& value) { return ParseInt64(s, INT64_MIN, INT64_MAX, value); }

int StrToInt(const std::string& s) {
  int v;
  if (!TryStrToInt(s, v)) RaiseIntError(s);
  return v;
}

std::int64_t StrToInt64(const std::string& s) {
  std::int64_t v;
  if (!TryStrToInt64(s, v)) RaiseIntError(s);
  return v;
}

int StrToIntDef(const std::string& s, int def) {
  int v;
  return TryStrToInt(s, v) ? v : def;
}

std::int64_t StrToInt64Def(const std::string& s, std::int64_t def) {
  std::int64_t v;
  return TryStrToInt64(s, v) ? v : def;
}

std::string FloatToStr(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  return buf;
}

bool TryStrToFloat(const std::string& s, double& value) {
  std::string t = Trim(s);
  if (t.empty()) return false;
  for (char& c : t)
    if (c == ',') c = '.';
  const char* begin = t.c_str();
  char* end = nullptr;
  errno = 0;
  double v = std::strtod(begin, &end);
  if (end != begin + t.size() || errno == ERANGE) return false;
  if (t.find_first_of("xXpPnNiI") != std::string::npos) return false;  // no hex floats, nan or inf
  value = v;
  return true;
}

double StrToFloat(const std::string& s) {
  double v;
  if (!TryStrToFloat(s, v)) throw EConvertError(Format("'%s' is not a valid floating point value", s.c_str()));
  return v;
}

double StrToFloatDef(const std::string& s, double def) {
  double v;
  return TryStrToFloat(s, v) ? v : def;
}

// --- strings ------------------------------------------------------------------

namespace {
inline bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
inline char UpAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
inline char LowAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
}  // namespace

std::string Trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

std::string TrimLeft(std::string_view s) {
  std::size_t b = 0;
  while (b < s.size() && IsBlank(s[b])) ++b;
  return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
  std::size_t e = s.size();
  while (e > 0 && IsBlank(s[e - 1])) --e;
  return std::string(s.substr(0, e));
}

std::string UpperCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = UpAscii(c);
  return r;
}

std::string LowerCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = LowAscii(c);
  return r;
}

int CompareStr(std::string_view a, std::string_view b) {
  int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int CompareText(std::string_view a, std::string_view b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char ca = static_cast<unsigned char>(UpAscii(a[i])), cb = static_cast<unsigned char>(UpAscii(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

namespace {
// Knuth-Morris-Pratt search: linear in the text whatever the pattern.
class TPatternSearch {
 public:
  explicit TPatternSearch(std::string_view pattern) : FPattern(pattern), FFail(pattern.size() + 1, 0) {
    std::size_t k = 0;
    for (std::size_t i = 1; i < pattern.size(); ++i) {
      while (k > 0 && pattern[i] != pattern[k]) k = FFail[k];
      if (pattern[i] == pattern[k]) ++k;
      FFail[i + 1] = k;
    }
  }
  // First match at or after `from`, or npos.
  std::size_t Find(std::string_view text, std::size_t from) const {
    std::size_t k = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
      while (k > 0 && text[i] != FPattern[k]) k = FFail[k];
      if (text[i] == FPattern[k]) ++k;
      if (k == FPattern.size()) return i + 1 - k;
    }
    return std::string_view::npos;
  }

 private:
  std::string_view FPattern;
  std::vector<std::size_t> FFail;
};
}  // namespace

std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          TReplaceFlags flags) {
  if (oldPattern.empty()) return std::string(s);
  std::string hay, needle;
  std::string_view searchIn = s, searchFor = oldPattern;
  if (flags & rfIgnoreCase) {
    hay = AnsiUpperCase(s);
    needle = AnsiUpperCase(oldPattern);
    searchIn = hay;
    searchFor = needle;
  }
  TPatternSearch search(searchFor);
  std::string out;
  std::size_t pos = 0;
  while (true) {
    std::size_t hit = search.Find(searchIn, pos);
    if (hit == std::string_view::npos) break;
    out.append(s.substr(pos, hit - pos));
    out.append(newPattern);
    pos = hit + oldPattern.size();
    if (!(flags & rfReplaceAll)) break;
  }
  out.append(s.substr(pos));
  return out;
}

int Pos(std::string_view sub, std::string_view s) {
  if (sub.empty()) return 0;
  std::size_t p = s.find(sub);
  return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

std::string Copy(std::string_view s, int index, int count) {
  if (index < 1) index = 1;
  if (count <= 0 || static_cast<std::size_t>(index) > s.size()) return std::string();
  return std::string(s.substr(static_cast<std::size_t>(index) - 1, static_cast<std::size_t>(count)));
}

std::string StringOfChar(char c, int count) {
  return count > 0 ? std::string(static_cast<std::size_t>(count), c) : std::string();
}

std::string QuotedStr(std::string_view s) { return AnsiQuotedStr(s, '\''); }

std::string AnsiQuotedStr(std::string_view s, char quote) {
  std::string r;
  r.reserve(s.size() + 2);
  r.push_back(quote);
  for (char c : s) {
    r.push_back(c);
    if (c == quote) r.push_back(quote);
  }
  r.push_back(quote);
  return r;
}

std::string AnsiExtractQuotedStr(std::string_view s, std::size_t& pos, char quote) {
  std::string r;
  if (pos >= s.size() || s[pos] != quote) return r;
  ++pos;
  while (pos < s.size()) {
    if (s[pos] == quote) {
      if (pos + 1 < s.size() && s[pos + 1] == quote) {
        r.push_back(quote);
        pos += 2;
        continue;
      }
      ++pos;
      return r;
    }
    r.push_back(s[pos++]);
  }
  return r;
}

bool IsValidIdent(std::string_view ident) {
  if (ident.empty()) return false;
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (!alpha(ident[0])) return false;
  for (char c : ident)
    if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

// --- file names -------------------------------------------------------------------

std::string ExtractFilePath(std::string_view fileName) {
  std::size_t p = fileName.rfind(PathDelim);
  return p == std::string_view::npos ? std::string() : std::string(fileName.substr(0, p + 1));
}

std::string ExtractFileDir(std::string_view fileName) {
  std::size_t p = fileName.rfind(PathDelim);
  if (p == std::string_view::npos) return std::string();
  if (p == 0) return "/";
  return std::string(fileName.substr(0, p));
}

std::string ExtractFileName(std::string_view fileName) {
  std::size_t p = fileName.rfind(PathDelim);
  return std::string(p == std::string_view::npos ? fileName : fileName.substr(p + 1));
}

std::string ExtractFileExt(std::string_view fileName) {
  std::size_t p = fileName.find_last_of("./");
  if (p == std::string_view::npos || fileName[p] != '.') return std::string();
  return std::string(fileName.substr(p));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view extension) {
  std::size_t p = fileName.find_last_of("./");
  std::string base(p != std::string_view::npos && fileName[p] == '.' ? fileName.substr(0, p) : fileName);
  return base + std::string(extension);
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
  std::string r(path);
  if (r.empty() || r.back() != PathDelim) r.push_back(PathDelim);
  return r;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
  std::string r(path);
  if (r.size() > 1 && r.back() == PathDelim) r.pop_back();
  return r;
}

std::string ExpandFileName(std::string_view fileName) {
  std::string full(fileName);
  if (full.empty() || full[0] != '/') full = IncludeTrailingPathDelimiter(GetCurrentDir()) + full;
  std::vector<std::string> parts;
  std::size_t i = 0;
  while (i <= full.size()) {
    std::size_t j = full.find('/', i);
    if (j == std::string::npos) j = full.size();
    std::string part = full.substr(i, j - i);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    i = j + 1;
  }
  std::string r;
  for (const std::string& p : parts) r += "/" + p;
  if (r.empty()) r = "/";
  if (full.size() > 1 && full.back() == '/' && r != "/") r.push_back('/');
  return r;
}

std::string SysFileName(const std::string& ansiName) { return Cp1251ToUtf8(ansiName); }
std::string AnsiFileName(const std::string& sysName) { return Utf8ToCp1251(sysName); }

namespace {
struct TErrorReason {
  int Error;
  const char* Reading;
  const char* Writing;  // nullptr: as for reading
};
const TErrorReason kErrorReasons[] = {
    {EACCES, "Нет разрешения на чтение этого файла.", "Нет разрешения на запись в этот файл."},
    {EPERM, "Нет разрешения на чтение этого файла.", "Нет разрешения на запись в этот файл."},
    {EROFS, "Файловая система доступна только для чтения.", nullptr},
    {ENOSPC, "На диске не осталось места.", nullptr},
    {EDQUOT, "Превышена дисковая квота.", nullptr},
    {EFBIG, "Файл превышает допустимый размер.", nullptr},
    {ENAMETOOLONG, "Слишком длинное имя файла.", nullptr},
    {ENOENT, "Файл не найден.", "Папка файла не найдена."},
    {ENOTDIR, "Папка файла не найдена.", nullptr},
    {EISDIR, "Это папка, а не файл.", "На месте файла находится папка."},
    {kErrorNotRegularFile, "Это не файл с данными, а канал, сокет или устройство.", nullptr},
    {ENXIO, "Это не файл с данными, а канал, сокет или устройство.", nullptr},
    {ELOOP, "Символические ссылки замыкаются в петлю.", nullptr},
    {EIO, "Ошибка ввода-вывода.", nullptr},
};
}  // namespace

int NotDataFileError(unsigned mode) { return S_ISREG(mode) ? 0 : S_ISDIR(mode) ? EISDIR : kErrorNotRegularFile; }

std::string SysErrorReason(int errorCode, bool writing) {
  for (const TErrorReason& r : kErrorReasons)
    if (r.Error == errorCode) return Ansi(writing && r.Writing ? r.Writing : r.Reading);
  return SysErrorMessage(errorCode);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string PercentDecode(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    int hi = -1, lo = -1;
    if (s[i] == '%' && i + 2 < s.size() && (hi = HexDigit(s[i + 1])) >= 0 && (lo = HexDigit(s[i + 2])) >= 0) {
      out += static_cast<char>(hi * 16 + lo);
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

bool AnsiHoldsFileName(const std::string& sysName) { return SysFileName(AnsiFileName(sysName)) == sysName; }

std::string UnholdableFileNameText(const std::string& sysName) {
  return Ansi("Имя файла нельзя записать в кодировке Windows-1251:\n\r\n\r") + AnsiFileName(sysName) +
         Ansi("\n\r\n\rПереименуйте файл и выберите его снова. Файл с похожим именем не открыт и не записан.");
}

std::string SysErrorMessage(int errorCode) {
  // The program's own code: the system has no number for it.
  if (errorCode == kErrorNotRegularFile) return "Not a regular file";
  char buf[256];
  buf[0] = '\0';
#if defined(__GLIBC__) && defined(_GNU_SOURCE)
  const char* msg = strerror_r(errorCode, buf, sizeof buf);
  return msg ? std::string(msg) : std::string();
#else
  if (strerror_r(errorCode, buf, sizeof buf) != 0) return "Unknown error " + std::to_string(errorCode);
  return buf;
#endif
}

bool FileExists(const std::string& fileName) {
  struct stat st;
  return !fileName.empty() && ::stat(SysFileName(fileName).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& dir) {
  struct stat st;
  return !dir.empty() && ::stat(SysFileName(dir).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDir(const std::string& dir) { return ::mkdir(SysFileName(dir).c_str(), 0777) == 0; }
bool RemoveDir(const std::string& dir) { return ::rmdir(SysFileName(dir).c_str()) == 0; }

bool ForceDirectories(const std::string& dir) {
  std::string d = ExcludeTrailingPathDelimiter(dir);
  if (d.empty()) return false;
  if (DirectoryExists(d)) return true;
  std::string parent = ExtractFileDir(d);
  if (!parent.empty() && parent != d && !ForceDirectories(parent)) return false;
  return CreateDir(d) || DirectoryExists(d);
}

bool DeleteFile(const std::string& fileName) {
  std::string n = SysFileName(fileName);
  struct stat st;
  if (::lstat(n.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  return ::unlink(n.c_str()) == 0;
}

bool RenameFile(const std::string& oldName, const std::string& newName) {
  std::string to = SysFileName(newName);
  struct stat st;
  if (::lstat(to.c_str(), &st) == 0) return false;  // never replaces an existing file
  return ::rename(SysFileName(oldName).c_str(), to.c_str()) == 0;
}

std::string GetCurrentDir() {
  std::vector<char> buf(4096);
  while (::getcwd(buf.data(), buf.size()) == nullptr) {
    if (errno != ERANGE) return std::string();
    buf.resize(buf.size() * 2);
  }
  return AnsiFileName(buf.data());
}

bool SetCurrentDir(const std::string& dir) { return ::chdir(SysFileName(dir).c_str()) == 0; }

std::int64_t FileSizeOf(const std::string& fileName) {
  struct stat st;
  if (::stat(SysFileName(fileName).c_str(), &st) != 0) return -1;
  return static_cast<std::int64_t>(st.st_size);
}

// --- folder listing -------------------------------------------------------------------

bool MatchesMask(std::string_view name, std::string_view mask) {
  // Iterative wildcard match with back-tracking to the last "*": linear in
  // practice, O(n*m) worst case for pathological masks.
  std::size_t n = 0, m = 0, star = std::string_view::npos, mark = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || AnsiUpperChar(mask[m]) == AnsiUpperChar(name[n]))) {
      ++n;
      ++m;
    } else if (m < mask.size() && mask[m] == '*') {
      star = m++;
      mark = n;
    } else if (star != std::string_view::npos) {
      m = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  if (m + 2 == mask.size() && mask[m] == '.' && mask[m + 1] == '*') return true;  // "name.*" matches "name"
  return m == mask.size();
}

int FindFirst(const std::string& pathMask, int attr, TSearchRec& rec) {
  rec = TSearchRec();
  rec.ExcludeAttr = ~attr & (faHidden | faSysFile | faVolumeID | faDirectory);
  std::string dir = ExtractFilePath(pathMask);
  std::string mask = ExtractFileName(pathMask);
  if (mask.empty()) mask = "*";
  DIR* d = ::opendir(SysFileName(dir.empty() ? std::string(".") : dir).c_str());
  if (!d) return errno ? errno : ENOENT;
  std::vector<TSearchRec> found;
  while (dirent* e = ::readdir(d)) {
    std::string sysName = e->d_name;
    if (sysName == "." || sysName == "..") continue;
    std::string name = AnsiFileName(sysName);
    if (!MatchesMask(name, mask)) continue;
    struct stat st;
    if (::stat((SysFileName(dir) + sysName).c_str(), &st) != 0) continue;
    TSearchRec r;
    r.Name = name;
    r.Size = static_cast<std::int64_t>(st.st_size);
    r.Time = static_cast<std::int64_t>(st.st_mtime);
    r.Attr = S_ISDIR(st.st_mode) ? faDirectory : faArchive;
    if (name[0] == '.') r.Attr |= faHidden;
    if (::access((SysFileName(dir) + sysName).c_str(), W_OK) != 0) r.Attr |= faReadOnly;
    if (r.Attr & rec.ExcludeAttr) continue;
    found.push_back(std::move(r));
  }
  ::closedir(d);
  if (found.empty()) return ENOENT;
  std::sort(found.begin(), found.end(), [](const TSearchRec& a, const TSearchRec& b) { return a.Name < b.Name; });
  std::reverse(found.begin(), found.end());
  rec.Pending = std::move(found);
  return FindNext(rec);
}

int FindNext(TSearchRec& rec) {
  if (rec.Pending.empty()) return ENOENT;
  TSearchRec next = std::move(rec.Pending.back());
  rec.Pending.pop_back();
  rec.Name = std::move(next.Name);
  rec.Size = next.Size;
  rec.Attr = next.Attr;
  rec.Time = next.Time;
  return 0;
}

void FindClose(TSearchRec& rec) { rec.Pending.clear(); }

// --- program folder and command line ---------------------------------------------------

namespace {
struct TProgramInfo {
  bool dirSet = false;
  std::string dir;
  std::vector<std::string> args;
  std::vector<std::string> sysArgs;
};
TProgramInfo& Program() {
  static TProgramInfo p;
  return p;
}
std::string ExecutablePath() {
  std::vector<char> buf(4096);
  ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n <= 0) return std::string();
  return AnsiFileName(std::string(buf.data(), static_cast<std::size_t>(n)));
}
}  // namespace

std::string ProgramDir() {
  TProgramInfo& p = Program();
  if (!p.dirSet) {
    const char* env = std::getenv("BQS_PROGRAM_DIR");
    if (env && *env)
      p.dir = IncludeTrailingPathDelimiter(AnsiFileName(env));
    else
      p.dir = ExtractFilePath(ExecutablePath());
    p.dirSet = true;
  }
  return p.dir;
}

void SetProgramDir(const std::string& dir) {
  Program().dir = dir.empty() ? std::string() : IncludeTrailingPathDelimiter(dir);
  Program().dirSet = true;
}

void SetCommandLine(int argc, char** argv) {
  std::vector<std::string>& args = Program().args;
  std::vector<std::string>& sysArgs = Program().sysArgs;
  args.clear();
  sysArgs.clear();
  for (int i = 0; i < argc; ++i) {
    sysArgs.push_back(argv[i] ? argv[i] : "");
    args.push_back(AnsiFileName(sysArgs.back()));
  }
}

std::string SysParamStr(int index) {
  if (index == 0) return SysFileName(ExecutablePath());
  const std::vector<std::string>& args = Program().sysArgs;
  if (index < 0 || index >= static_cast<int>(args.size())) return std::string();
  return args[static_cast<std::size_t>(index)];
}

int ParamCount() {
  const std::vector<std::string>& args = Program().args;
  return args.empty() ? 0 : static_cast<int>(args.size()) - 1;
}

std::string ParamStr(int index) {
  const std::vector<std::string>& args = Program().args;
  if (index == 0) return ExecutablePath();
  if (index < 0 || index >= static_cast<int>(args.size())) return std::string();
  return args[static_cast<std::size_t>(index)];
}

// --- date and time ------------------------------------------------------------------

#include <sys/time.h>
#include <time.h>

namespace {

constexpr int kDaysToMonth[2][13] = {{0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
                                     {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366}};
constexpr double kMSecsPerDay = 86400000.0;
// 30 December 1899 counted in days with 1 January 0001 as day 1.
constexpr int kDateDelta = 693594;

TFormatSettings MakeRussianSettings() {
  TFormatSettings f;
  const char* shortMonths[12] = {"янв", "фев", "мар", "апр", "май", "июн", "июл", "авг", "сен", "окт", "ноя", "дек"};
  const char* longMonths[12] = {"Январь", "Февраль", "Март",     "Апрель",  "Май",    "Июнь",
                                "Июль",   "Август",  "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
  const char* shortDays[7] = {"Вс", "Пн", "Вт", "Ср", "Чт", "Пт", "Сб"};
  const char* longDays[7] = {"воскресенье", "понедельник", "вторник", "среда", "четверг", "пятница", "суббота"};
  for (int i = 0; i < 12; ++i) {
    f.ShortMonthNames[i] = Ansi(shortMonths[i]);
    f.LongMonthNames[i] = Ansi(longMonths[i]);
  }
  for (int i = 0; i < 7; ++i) {
    f.ShortDayNames[i] = Ansi(shortDays[i]);
    f.LongDayNames[i] = Ansi(longDays[i]);
  }
  f.ShortDateFormat = "dd.MM.yyyy";
  f.LongDateFormat = Ansi("d MMMM yyyy 'г.'");
  f.ShortTimeFormat = "H:mm";
  f.LongTimeFormat = "H:mm:ss";
  f.DateSeparator = '.';
  f.TimeSeparator = ':';
  f.DecimalSeparator = ',';
  return f;
}

TDateTime FromTimeval(const struct timeval& tv) {
  time_t secs = tv.tv_sec;
  struct tm lt;
  localtime_r(&secs, &lt);
  TDateTime d;
  TryEncodeDate(lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday, d);
  return d + (lt.tm_hour * 3600000.0 + lt.tm_min * 60000.0 + lt.tm_sec * 1000.0 + tv.tv_usec / 1000) / kMSecsPerDay;
}

void DecodeAll(TDateTime dt, int& year, int& month, int& day, int& hour, int& min, int& sec, int& msec, int& dow) {
  // Whole milliseconds, rounded; the day counts toward zero and the time
  // of day is taken without sign, as the toolkit does.
  std::int64_t ms = static_cast<std::int64_t>(std::llround(dt * kMSecsPerDay));
  std::int64_t days = ms / 86400000;
  std::int64_t t = (ms < 0 ? -ms : ms) % 86400000;
  hour = static_cast<int>(t / 3600000);
  min = static_cast<int>(t / 60000 % 60);
  sec = static_cast<int>(t / 1000 % 60);
  msec = static_cast<int>(t % 1000);
  std::int64_t d = days + kDateDelta - 1;  // days since 1 January 0001 (day 0)
  dow = static_cast<int>(((d + 1) % 7 + 7) % 7) + 1;
  if (d < 0) {
    year = month = day = 0;
    return;
  }
  std::int64_t y = 1;
  const std::int64_t d400 = 146097, d100 = 36524, d4 = 1461;
  std::int64_t i = d / d400;
  y += i * 400;
  d -= i * d400;
  i = d / d100;
  if (i == 4) i = 3;
  y += i * 100;
  d -= i * d100;
  i = d / d4;
  y += i * 4;
  d -= i * d4;
  i = d / 365;
  if (i == 4) i = 3;
  y += i;
  d -= i * 365;
  int leap = IsLeapYear(static_cast<int>(y)) ? 1 : 0;
  int m = 1;
  while (d >= kDaysToMonth[leap][m]) ++m;
  year = static_cast<int>(y);
  month = m;
  day = static_cast<int>(d - kDaysToMonth[leap][m - 1]) + 1;
}

struct TRandomState {
  std::uint32_t seed = 0;
};
TRandomState& RandomState() {
  static TRandomState s;
  return s;
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
  if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
  int leap = IsLeapYear(year) ? 1 : 0;
  if (day < 1 || day > kDaysToMonth[leap][month] - kDaysToMonth[leap][month - 1]) return false;
  int y = year - 1;
  std::int64_t days =
      static_cast<std::int64_t>(y) * 365 + y / 4 - y / 100 + y / 400 + kDaysToMonth[leap][month - 1] + day;
  date = static_cast<double>(days - kDateDelta);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime d;
  if (!TryEncodeDate(year, month, day, d)) throw EConvertError("Invalid argument to date encode");
  return d;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
  if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999)
    throw EConvertError("Invalid argument to time encode");
  return (hour * 3600000.0 + min * 60000.0 + sec * 1000.0 + msec) / kMSecsPerDay;
}

void DecodeDate(TDateTime date, Word& year, Word& month, Word& day) {
  int y, m, d, h, n, s, ms, w;
  DecodeAll(date, y, m, d, h, n, s, ms, w);
  year = static_cast<Word>(y);
  month = static_cast<Word>(m);
  day = static_cast<Word>(d);
}

void DecodeTime(TDateTime time, Word& hour, Word& min, Word& sec, Word& msec) {
  int y, m, d, h, n, s, ms, w;
  DecodeAll(time, y, m, d, h, n, s, ms, w);
  hour = static_cast<Word>(h);
  min = static_cast<Word>(n);
  sec = static_cast<Word>(s);
  msec = static_cast<Word>(ms);
}

int DayOfWeek(TDateTime date) {
  int y, m, d, h, n, s, ms, w;
  DecodeAll(date, y, m, d, h, n, s, ms, w);
  return w;
}

namespace {
std::optional<TDateTime> gNowOverride;
}  // namespace

void SetNowForTesting(std::optional<TDateTime> moment) { gNowOverride = moment; }

TDateTime Now() {
  if (gNowOverride) return *gNowOverride;
  struct timeval tv;
  gettimeofday(&tv, nullptr);
  return FromTimeval(tv);
}

TDateTime Date() { return std::floor(Now()); }

TDateTime Time() {
  TDateTime n = Now();
  return n - std::floor(n);
}

const TFormatSettings& FormatSettings() {
  static const TFormatSettings f = MakeRussianSettings();
  return f;
}

namespace {

void AppendNumber(std::string& out, int value, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", digits, value);
  out += buf;
}

void FormatInto(std::string& out, const std::string& format, TDateTime dt, int depth) {
  const TFormatSettings& fs = FormatSettings();
  if (depth > 2) return;
  int year, month, day, hour, min, sec, msec, dow;
  DecodeAll(dt, year, month, day, hour, min, sec, msec, dow);
  const std::string& fmt = format.empty() ? std::string("C") : format;
  const std::size_t n = fmt.size();
  char lastToken = ' ';
  bool use12 = false;
  std::size_t i = 0;
  auto countRun = [&](char starter) {
    std::size_t c = 1;
    while (i < n && fmt[i] == starter) {
      ++i;
      ++c;
    }
    return static_cast<int>(c);
  };
  while (i < n) {
    char starter = fmt[i++];
    char token = starter;
    if (token >= 'a' && token <= 'z') token = static_cast<char>(token - 32);
    if (token >= 'A' && token <= 'Z') {
      if (token == 'M' && lastToken == 'H') token = 'N';
      lastToken = token;
    }
    switch (token) {
      case 'Y': {
        int c = countRun(starter);
        if (c <= 2)
          AppendNumber(out, year % 100, 2);
        else
          AppendNumber(out, year, 4);
        break;
      }
      case 'M': {
        int c = countRun(starter);
        if (c <= 2)
          AppendNumber(out, month, c);
        else if (c == 3)
          out += fs.ShortMonthNames[month - 1];
        else
          out += fs.LongMonthNames[month - 1];
        break;
      }
      case 'D': {
        int c = countRun(starter);
        if (c <= 2)
          AppendNumber(out, day, c);
        else if (c == 3)
          out += fs.ShortDayNames[dow - 1];
        else if (c == 4)
          out += fs.LongDayNames[dow - 1];
        else if (c == 5)
          FormatInto(out, fs.ShortDateFormat, dt, depth + 1);
        else
          FormatInto(out, fs.LongDateFormat, dt, depth + 1);
        break;
      }
      case 'H': {
        int c = countRun(starter);
        // An am/pm marker later in the format (outside quotes) means a 12-hour clock.
        bool quoted = false;
        use12 = false;
        for (std::size_t p = i; p < n; ++p) {
          char ch = fmt[p];
          if (ch == '\'' || ch == '"') {
            quoted = !quoted;
          } else if (!quoted && (ch == 'A' || ch == 'a')) {
            std::string rest = UpperCase(fmt.substr(p, 5));
            use12 =
                rest.compare(0, 5, "AM/PM") == 0 || rest.compare(0, 3, "A/P") == 0 || rest.compare(0, 4, "AMPM") == 0;
            break;
          } else if (!quoted && (ch == 'H' || ch == 'h')) {
            break;
          }
        }
        int h = hour;
        if (use12) h = h == 0 ? 12 : (h > 12 ? h - 12 : h);
        AppendNumber(out, h, std::min(c, 2));
        break;
      }
      case 'N': AppendNumber(out, min, std::min(countRun(starter), 2)); break;
      case 'S': AppendNumber(out, sec, std::min(countRun(starter), 2)); break;
      case 'Z': AppendNumber(out, msec, std::min(countRun(starter), 3) == 1 ? 1 : 3); break;
      case 'T': {
        int c = countRun(starter);
        FormatInto(out, c == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, dt, depth + 1);
        break;
      }
      case 'C': {
        countRun(starter);
        FormatInto(out, fs.ShortDateFormat, dt, depth + 1);
        if (hour != 0 || min != 0 || sec != 0) {
          out.push_back(' ');
          FormatInto(out, fs.LongTimeFormat, dt, depth + 1);
        }
        break;
      }
      case 'A': {
        std::string rest = UpperCase(fmt.substr(i - 1, 5));
        if (rest.compare(0, 5, "AM/PM") == 0) {
          out += hour >= 12 ? std::string(fmt, i - 1 + 3, 2) : std::string(fmt, i - 1, 2);
          i += 4;
        } else if (rest.compare(0, 3, "A/P") == 0) {
          out.push_back(hour >= 12 ? fmt[i + 1] : fmt[i - 1]);
          i += 2;
        } else if (rest.compare(0, 4, "AMPM") == 0) {
          out += hour >= 12 ? fs.TimePMString : fs.TimeAMString;
          i += 3;
        } else if (rest.compare(0, 3, "AAA") == 0) {
          int c = countRun(starter);
          out += c == 3 ? fs.ShortDayNames[dow - 1] : fs.LongDayNames[dow - 1];
        } else {
          out.push_back(starter);
        }
        break;
      }
      case '/': out.push_back(fs.DateSeparator); break;
      case ':': out.push_back(fs.TimeSeparator); break;
      case '\'':
      case '"': {
        std::size_t end = fmt.find(starter, i);
        if (end == std::string::npos) end = n;
        out.append(fmt, i, end - i);
        i = end < n ? end + 1 : n;
        break;
      }
      default: out.push_back(starter); break;
    }
  }
}

}  // namespace

std::string FormatDateTime(const std::string& format, TDateTime dateTime) {
  std::string out;
  FormatInto(out, format, dateTime, 0);
  return out;
}

std::string DateToStr(TDateTime date) { return FormatDateTime(FormatSettings().ShortDateFormat, date); }
std::string TimeToStr(TDateTime time) { return FormatDateTime(FormatSettings().LongTimeFormat, time); }
std::string DateTimeToStr(TDateTime dateTime) { return FormatDateTime("c", dateTime); }

// --- random numbers -------------------------------------------------------------------------

void Randomize() {
  struct timeval tv;
  gettimeofday(&tv, nullptr);
  RandomState().seed = static_cast<std::uint32_t>(tv.tv_sec * 1000003u + static_cast<std::uint32_t>(tv.tv_usec));
}

void SetRandSeed(std::uint32_t seed) { RandomState().seed = seed; }
std::uint32_t RandSeed() { return RandomState().seed; }

int Random(int range) {
  std::uint32_t& seed = RandomState().seed;
  seed = seed * 0x08088405u + 1;
  if (range <= 0) return 0;
  return static_cast<int>((static_cast<std::uint64_t>(seed) * static_cast<std::uint32_t>(range)) >> 32);
}

double Random() {
  std::uint32_t& seed = RandomState().seed;
  seed = seed * 0x08088405u + 1;
  return static_cast<double>(seed) / 4294967296.0;
}

namespace {

TRandomWordSource& SecureSource() {
  static TRandomWordSource source;
  return source;
}

std::uint32_t SystemRandomWord() {
  std::uint32_t word = 0;
  auto* p = reinterpret_cast<unsigned char*>(&word);
  std::size_t got = 0;
  while (got < sizeof word) {
    ssize_t n = getrandom(p + got, sizeof word - got, 0);
    if (n > 0) {
      got += static_cast<std::size_t>(n);
    } else if (n < 0 && errno != EINTR) {
      // No source at all (a kernel without getrandom): /dev/urandom.
      FILE* f = std::fopen("/dev/urandom", "rb");
      bool ok = f && std::fread(p, 1, sizeof word, f) == sizeof word;
      if (f) std::fclose(f);
      if (!ok) throw Exception("no source of random numbers");
      return word;
    }
  }
  return word;
}

}  // namespace

void SetSecureRandomSourceForTesting(TRandomWordSource source) { SecureSource() = std::move(source); }

int SecureRandom(int range) {
  if (range <= 0) return 0;
  const std::uint32_t n = static_cast<std::uint32_t>(range);
  // Words at or above the last whole multiple of n are drawn again, so
  // every remainder is equally likely.
  const std::uint32_t limit = UINT32_MAX - (UINT32_MAX % n + 1) % n;
  for (;;) {
    const std::uint32_t w = SecureSource() ? SecureSource()() : SystemRandomWord();
    if (w <= limit) return static_cast<int>(w % n);
  }
}
