// The shell: handing documents, folders, addresses and programs to the
// desktop (ShellExecute), the file properties request, and the user's and
// computer's names and folders.
//
// Two kinds of start, chosen by the caller and never by the file:
// ShellOpenDocument shows a document, a folder or an address through the
// desktop's opener and never runs anything, whatever the file's mode or
// first bytes; ShellExecute starts a program (and is what the commands
// that start programs use).
//
// What a ShellExecute start means is decided here, without Qt:
// - an address with a scheme ("http:", "mailto:", "file:" ...) goes to the
//   desktop's opener;
// - a Windows program name the table of ShellProgramMap() knows ("calc.exe",
//   "Brindel Norvane.exe" in the program folder, ...) becomes its desktop
//   equivalent;
// - an existing folder or document goes to the desktop's opener;
// - an existing executable file (ELF or "#!" script with an execute bit),
//   or a bare name found on PATH, is started directly: no shell, no word
//   splitting (the parameters, when not empty, are one argument), never
//   waited for;
// - anything else fails with SE_ERR_FNF.
// The widget set's backend does the opening and starting; tests install a
// recording backend.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Messages.h"
#include "platform/Win32.h"

// ShellExecute results: above 32 is success.
constexpr intptr_t SE_ERR_FNF = 2;
constexpr intptr_t SE_ERR_PNF = 3;
constexpr intptr_t SE_ERR_ACCESSDENIED = 5;
constexpr intptr_t SE_ERR_NOASSOC = 31;
constexpr intptr_t SE_SUCCESS = 42;

// The resolved start.
struct TShellStart {
  enum TKind { skNone, skUrl, skFolder, skDocument, skProgram, skProperties };
  TKind Kind = skNone;
  HWND Owner = nullptr;
  std::string Verb;  // as given
  // skUrl: the address; skFolder / skDocument / skProperties: the path;
  // skProgram: the executable's path. Windows-1251.
  std::string Target;
  std::vector<std::string> Arguments;  // skProgram
  std::string Directory;               // working folder ("" = current)
  int ShowCmd = SW_SHOWNORMAL;
};

class IShellBackend {
 public:
  virtual ~IShellBackend() = default;
  // Opens or starts; false when the desktop refused.
  virtual bool Start(const TShellStart& start) = 0;
};
void SetShellBackend(IShellBackend* backend);
IShellBackend* ShellBackend();

// ShellExecute: verb "open", "" (default) or "properties"; the result is
// SE_SUCCESS or an SE_ERR_* number. A failure also shows one error box
// naming the file (ShellErrorText), as the shell does on the platform the
// program comes from; the desktop's openers report nothing themselves.
intptr_t ShellExecute(HWND owner, const std::string& verb, const std::string& file, const std::string& parameters,
                      const std::string& directory, int showCmd);
// The same start with no box when it fails (the caller stays silent, as a
// launcher whose slots may name nothing does).
intptr_t ShellExecuteSilent(HWND owner, const std::string& verb, const std::string& file, const std::string& parameters,
                            const std::string& directory, int showCmd);
// A document start: an address with a scheme (or a bare "www." host) to
// the desktop's opener as an address, a folder as a folder, an existing
// file as a document (never executed, even with an execute bit and "#!"
// or ELF bytes); anything else fails, with the same box as ShellExecute.
// `verb` ("open" or "" alike) is kept in the start as given.
intptr_t ShellOpenDocument(HWND owner, const std::string& verb, const std::string& file, int showCmd);
TShellStart ResolveDocumentStart(HWND owner, const std::string& verb, const std::string& file, int showCmd,
                                 intptr_t& error);
// The text of that box for a file and an SE_ERR_* number (a Windows
// program of the table with no desktop equivalent found names the ones
// tried).
std::string ShellErrorText(const std::string& file, intptr_t error);
// What ShellExecute would do (skNone with `error` set when it fails).
TShellStart ResolveShellStart(HWND owner, const std::string& verb, const std::string& file,
                              const std::string& parameters, const std::string& directory, int showCmd,
                              intptr_t& error);

// The extended start record (60 bytes on the platform it comes from).
constexpr uint32_t SEE_MASK_INVOKEIDLIST = 0x0000000C;
constexpr uint32_t SEE_MASK_NOCLOSEPROCESS = 0x00000040;
struct SHELLEXECUTEINFO {
  uint32_t cbSize = 60;
  uint32_t fMask = 0;
  HWND hwnd = nullptr;
  std::string lpVerb;
  std::string lpFile;
  std::string lpParameters;
  std::string lpDirectory;
  int nShow = 0;
  intptr_t hInstApp = 0;  // the result
};
bool ShellExecuteEx(SHELLEXECUTEINFO* info);

// One entry of the Windows program table: the Windows file name (compared
// without case, folder ignored) and the desktop programs tried in order
// (a name with "/" is taken as it stands, "@/" is the program folder, a
// bare name is looked up on PATH).
struct TShellProgramMapping {
  std::string WindowsName;
  std::vector<std::string> Candidates;
};
const std::vector<TShellProgramMapping>& ShellProgramMap();
// Finds a bare program name on PATH ("" when absent).
std::string FindOnPath(const std::string& name);

// ---- names and folders ----
// Win32 semantics: `size` is the buffer in characters (NUL included); on
// success the name is copied with its NUL and size becomes its length;
// false when it does not fit (size becomes the length needed + 1).
bool GetComputerName(char* buffer, uint32_t* size);
bool GetUserName(char* buffer, uint32_t* size);
// The whole names (empty when the system cannot say).
std::string ComputerName();
std::string UserName();
// The user's documents folder (XDG "DOCUMENTS", else ~/Documents) when it
// exists, without a trailing "/"; false when there is none.
bool GetPersonalFolder(std::string& path);
// The user's home folder.
std::string HomeDir();

// Test overrides: nullopt asks the system again; an empty name makes the
// query fail.
void SetComputerNameForTesting(std::optional<std::string> name);
void SetUserNameForTesting(std::optional<std::string> name);
