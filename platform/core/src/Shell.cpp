#include "platform/Shell.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"

namespace {
IShellBackend* gBackend = nullptr;
std::optional<std::string> gComputerOverride;
std::optional<std::string> gUserOverride;

bool HasUrlScheme(const std::string& s) {
  // scheme ":" with at least two scheme characters (so "C:" is a drive).
  size_t i = 0;
  if (s.empty() || !std::isalpha(static_cast<unsigned char>(s[0]))) return false;
  while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '+' || s[i] == '-' || s[i] == '.'))
    ++i;
  return i >= 2 && i < s.size() && s[i] == ':';
}

bool IsExecutableProgram(const std::string& path) {
  std::string sys = SysFileName(path);
  struct stat st;
  if (stat(sys.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  if (access(sys.c_str(), X_OK) != 0) return false;
  std::ifstream in(sys, std::ios::binary);
  char head[4] = {0, 0, 0, 0};
  in.read(head, 4);
  if (in.gcount() >= 4 && head[0] == 0x7F && head[1] == 'E' && head[2] == 'L' && head[3] == 'F') return true;
  return in.gcount() >= 2 && head[0] == '#' && head[1] == '!';
}

std::string LowerAscii(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The file name part of a Windows or desktop path.
std::string BaseName(const std::string& path) {
  size_t p = path.find_last_of("/\\");
  return p == std::string::npos ? path : path.substr(p + 1);
}

// A candidate of the program table as an executable path, or "".
std::string ResolveCandidate(const std::string& candidate) {
  std::string path;
  if (candidate.rfind("@/", 0) == 0)
    path = ProgramDir() + candidate.substr(2);
  else if (candidate.find('/') != std::string::npos)
    path = candidate;
  else
    return FindOnPath(candidate);
  return IsExecutableProgram(path) ? path : std::string();
}
// The entry of the Windows program table a start names, or nullptr.
const TShellProgramMapping* MappedProgram(const std::string& file) {
  const std::string base = LowerAscii(BaseName(file));
  for (auto& m : ShellProgramMap()) {
    if (LowerAscii(m.WindowsName) != base) continue;
    // A program of our own folder is mapped only when named there (or bare).
    bool bare = file.find_first_of("/\\") == std::string::npos;
    bool ours = m.Candidates.size() == 1 && m.Candidates[0].rfind("@/", 0) == 0;
    if (ours && !bare && ExtractFilePath(file) != ProgramDir()) continue;
    return &m;
  }
  return nullptr;
}

// Where no start has been found: the missing file's folder or the file.
intptr_t MissingError(const std::string& file) {
  std::string folder = ExtractFilePath(file);
  return folder.empty() || DirectoryExists(folder) ? SE_ERR_FNF : SE_ERR_PNF;
}
}  // namespace

void SetShellBackend(IShellBackend* backend) { gBackend = backend; }
IShellBackend* ShellBackend() { return gBackend; }

const std::vector<TShellProgramMapping>& ShellProgramMap() {
  static const std::vector<TShellProgramMapping> map = {
      {"Brindel Norvane.exe", {"@/brindel-norvane"}},
      {"Brindel Quillet Studio.exe", {"@/brindel-quillet-studio"}},
      {"calc.exe", {"gnome-calculator", "kcalc", "mate-calc", "galculator", "qalculate-qt", "xcalc"}},
      {"notepad.exe", {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "pluma", "xed", "leafpad"}},
      {"mspaint.exe", {"kolourpaint", "pinta", "gimp"}},
      {"iexplore.exe", {"firefox", "chromium", "google-chrome", "epiphany"}},
      {"opera.exe", {"opera", "firefox", "chromium", "google-chrome", "epiphany"}},
      {"firefox.exe", {"firefox", "firefox-esr", "chromium", "google-chrome", "epiphany"}},
      {"winamp.exe", {"audacious", "vlc", "clementine", "rhythmbox", "qmmp"}},
      {"photoshop.exe", {"gimp", "krita", "pinta", "kolourpaint"}},
  };
  return map;
}

std::string FindOnPath(const std::string& name) {
  if (name.empty() || name.find('/') != std::string::npos) return std::string();
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t colon = dirs.find(':', start);
    std::string dir = dirs.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
    if (!dir.empty()) {
      std::string candidate = AnsiFileName(dir) + "/" + name;
      if (IsExecutableProgram(candidate)) return candidate;
    }
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  return std::string();
}

TShellStart ResolveShellStart(HWND owner, const std::string& verb, const std::string& file,
                              const std::string& parameters, const std::string& directory, int showCmd,
                              intptr_t& error) {
  TShellStart s;
  s.Owner = owner;
  s.Verb = verb;
  s.Directory = directory;
  s.ShowCmd = showCmd;
  error = 0;
  std::string lverb = LowerAscii(verb);
  if (file.empty()) {
    error = SE_ERR_FNF;
    return s;
  }
  if (lverb == "properties") {
    if (!FileExists(file) && !DirectoryExists(file)) {
      error = SE_ERR_FNF;
      return s;
    }
    s.Kind = TShellStart::skProperties;
    s.Target = ExpandFileName(file);
    return s;
  }
  if (!lverb.empty() && lverb != "open") {
    error = SE_ERR_NOASSOC;
    return s;
  }
  if (HasUrlScheme(file)) {
    s.Kind = TShellStart::skUrl;
    s.Target = file;
    return s;
  }
  // A bare "www." host is a web address, as the Windows shell takes it.
  if (LowerAscii(file.substr(0, 4)) == "www." && !FileExists(file) && !DirectoryExists(file)) {
    s.Kind = TShellStart::skUrl;
    s.Target = "http://" + file;
    return s;
  }
  // Windows programs of the table.
  if (const TShellProgramMapping* m = MappedProgram(file)) {
    for (auto& c : m->Candidates) {
      std::string exe = ResolveCandidate(c);
      if (!exe.empty()) {
        s.Kind = TShellStart::skProgram;
        s.Target = exe;
        if (!parameters.empty()) s.Arguments.push_back(parameters);
        return s;
      }
    }
    error = SE_ERR_FNF;
    return s;
  }
  if (DirectoryExists(file)) {
    s.Kind = TShellStart::skFolder;
    s.Target = ExpandFileName(file);
    return s;
  }
  if (FileExists(file)) {
    s.Target = ExpandFileName(file);
    if (IsExecutableProgram(file)) {
      s.Kind = TShellStart::skProgram;
      if (!parameters.empty()) s.Arguments.push_back(parameters);
    } else {
      s.Kind = TShellStart::skDocument;
    }
    return s;
  }
  std::string onPath = FindOnPath(file);
  if (!onPath.empty()) {
    s.Kind = TShellStart::skProgram;
    s.Target = onPath;
    if (!parameters.empty()) s.Arguments.push_back(parameters);
    return s;
  }
  error = MissingError(file);
  return s;
}

TShellStart ResolveDocumentStart(HWND owner, const std::string& verb, const std::string& file, int showCmd,
                                 intptr_t& error) {
  TShellStart s;
  s.Owner = owner;
  s.Verb = verb;
  s.ShowCmd = showCmd;
  error = 0;
  if (file.empty()) {
    error = SE_ERR_FNF;
  } else if (HasUrlScheme(file)) {
    s.Kind = TShellStart::skUrl;
    s.Target = file;
  } else if (LowerAscii(file.substr(0, 4)) == "www." && !FileExists(file) && !DirectoryExists(file)) {
    s.Kind = TShellStart::skUrl;
    s.Target = "http://" + file;
  } else if (DirectoryExists(file)) {
    s.Kind = TShellStart::skFolder;
    s.Target = ExpandFileName(file);
  } else if (FileExists(file)) {
    // Whatever its mode and first bytes: a document is shown, never run.
    s.Kind = TShellStart::skDocument;
    s.Target = ExpandFileName(file);
  } else {
    error = MissingError(file);
  }
  return s;
}

std::string ShellErrorText(const std::string& file, intptr_t error) {
  // A Windows program with no desktop equivalent found: the ones tried.
  // (The programs of our own folder are missing files like any other.)
  const TShellProgramMapping* m = error == SE_ERR_FNF ? MappedProgram(file) : nullptr;
  if (m && m->Candidates.front().rfind("@/", 0) != 0) {
    std::string names;
    for (const std::string& c : m->Candidates) names += (names.empty() ? "" : ", ") + c;
    return Ansi("Программа \"") + BaseName(file) +
           Ansi(
               "\" есть только в Windows, а ни одной программы, которая её здесь заменяет, не найдено. "
               "Установите одну из них: ") +
           names + ".";
  }
  if (error == SE_ERR_NOASSOC)
    return Ansi("Не удаётся открыть \"") + file + Ansi("\": нет программы, которая его открывает.");
  return Ansi("Не удаётся найти \"") + file + Ansi("\". Проверьте, правильно ли указано имя, и повторите попытку.");
}

intptr_t ShellExecuteSilent(HWND owner, const std::string& verb, const std::string& file, const std::string& parameters,
                            const std::string& directory, int showCmd) {
  intptr_t error = 0;
  TShellStart s = ResolveShellStart(owner, verb, file, parameters, directory, showCmd, error);
  if (s.Kind == TShellStart::skNone) return error ? error : SE_ERR_FNF;
  if (!gBackend || !gBackend->Start(s)) return SE_ERR_NOASSOC;
  return SE_SUCCESS;
}

namespace {
// Hands a resolved start to the backend; a failure shows the error box.
intptr_t StartResolved(const TShellStart& s, intptr_t error, HWND owner, const std::string& file) {
  if (s.Kind == TShellStart::skNone) {
    if (!error) error = SE_ERR_FNF;
  } else if (!gBackend || !gBackend->Start(s)) {
    error = SE_ERR_NOASSOC;
  } else {
    return SE_SUCCESS;
  }
  // The desktop says nothing when a start fails, so the shell's own error
  // display is ours.
  // It speaks for the program: its caption, centred on the window.
  const std::string title = Application ? Application->Title() : std::string();
  MessageBox(owner, ShellErrorText(file, error), title.empty() ? file : title, MB_OK | MB_ICONERROR);
  return error;
}
}  // namespace

intptr_t ShellExecute(HWND owner, const std::string& verb, const std::string& file, const std::string& parameters,
                      const std::string& directory, int showCmd) {
  intptr_t error = 0;
  TShellStart s = ResolveShellStart(owner, verb, file, parameters, directory, showCmd, error);
  return StartResolved(s, error, owner, file);
}

intptr_t ShellOpenDocument(HWND owner, const std::string& verb, const std::string& file, int showCmd) {
  intptr_t error = 0;
  TShellStart s = ResolveDocumentStart(owner, verb, file, showCmd, error);
  return StartResolved(s, error, owner, file);
}

bool ShellExecuteEx(SHELLEXECUTEINFO* info) {
  if (!info || info->cbSize != 60) return false;
  std::string verb = info->lpVerb;
  if ((info->fMask & SEE_MASK_INVOKEIDLIST) == SEE_MASK_INVOKEIDLIST && verb.empty()) verb = "open";
  info->hInstApp = ShellExecute(info->hwnd, verb, info->lpFile, info->lpParameters, info->lpDirectory, info->nShow);
  return info->hInstApp > 32;
}

// ---- names and folders ----
std::string ComputerName() {
  if (gComputerOverride) return *gComputerOverride;
  char buf[256];
  if (gethostname(buf, sizeof buf) != 0) return std::string();
  buf[sizeof buf - 1] = 0;
  return Utf8ToCp1251(buf);
}

std::string UserName() {
  if (gUserOverride) return *gUserOverride;
  if (struct passwd* pw = getpwuid(geteuid())) {
    if (pw->pw_name && *pw->pw_name) return Utf8ToCp1251(pw->pw_name);
  }
  const char* env = std::getenv("USER");
  if (env && *env) return Utf8ToCp1251(env);
  env = std::getenv("LOGNAME");
  return env ? Utf8ToCp1251(env) : std::string();
}

namespace {
bool CopyName(const std::string& name, char* buffer, uint32_t* size) {
  if (name.empty() || !size) return false;
  if (!buffer || *size < name.size() + 1) {
    *size = static_cast<uint32_t>(name.size() + 1);
    return false;
  }
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  *size = static_cast<uint32_t>(name.size());
  return true;
}
}  // namespace

bool GetComputerName(char* buffer, uint32_t* size) { return CopyName(ComputerName(), buffer, size); }
bool GetUserName(char* buffer, uint32_t* size) { return CopyName(UserName(), buffer, size); }

std::string HomeDir() {
  const char* home = std::getenv("HOME");
  if (home && *home) return AnsiFileName(home);
  if (struct passwd* pw = getpwuid(geteuid())) return AnsiFileName(pw->pw_dir ? pw->pw_dir : "/");
  return "/";
}

bool GetPersonalFolder(std::string& path) {
  std::string home = HomeDir();
  std::string config;
  if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x)
    config = AnsiFileName(x);
  else
    config = IncludeTrailingPathDelimiter(home) + ".config";
  std::string found;
  std::ifstream in(SysFileName(IncludeTrailingPathDelimiter(config) + "user-dirs.dirs"));
  std::string line;
  while (std::getline(in, line)) {
    std::string t = Trim(line);
    const std::string key = "XDG_DOCUMENTS_DIR=";
    if (t.rfind(key, 0) != 0) continue;
    std::string v = t.substr(key.size());
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    if (v.rfind("$HOME", 0) == 0) v = ExcludeTrailingPathDelimiter(home) + v.substr(5);
    found = AnsiFileName(v);
  }
  if (found.empty()) found = IncludeTrailingPathDelimiter(home) + "Documents";
  found = ExcludeTrailingPathDelimiter(found);
  // The desktop names the home folder itself when it has no documents folder.
  if (found == ExcludeTrailingPathDelimiter(home) || !DirectoryExists(found)) return false;
  path = found;
  return true;
}

void SetComputerNameForTesting(std::optional<std::string> name) { gComputerOverride = std::move(name); }
void SetUserNameForTesting(std::optional<std::string> name) { gUserOverride = std::move(name); }
