#include "EditorAppFixture.h"

#include <QApplication>

#include "W2kMain.h"
#include "Zod2uApp.h"
#include "platform/Forms.h"
#include "platform/Shell.h"
#include "platform/SysUtils.h"

namespace {
int gArgc = 1;
char gArg0[] = "editor_app_tests";
char* gArgv[] = {gArg0, nullptr};

// One QApplication for the whole run.
class TQtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!QApplication::instance()) FApp = std::make_unique<QApplication>(gArgc, gArgv);
  }
  void TearDown() override { FApp.reset(); }

 private:
  std::unique_ptr<QApplication> FApp;
};
const auto* gEnv = ::testing::AddGlobalTestEnvironment(new TQtEnvironment);
}  // namespace

void EditorAppTest::SetUp() {
  SetProgramDir(AnsiFileName(FDir.Path()));
  SetUserNameForTesting(std::string("tester"));
  SetComputerNameForTesting(std::string("workbench"));
  SetArguments({});
  FPlatform = std::make_unique<TQtPlatform>(gArgc, gArgv);
  FUi = std::make_unique<TUiScriptScope>();
}

void EditorAppTest::TearDown() {
  if (FStarted) Finish();
  FUi.reset();
  FPlatform.reset();
  SetUserNameForTesting(std::nullopt);
  SetComputerNameForTesting(std::nullopt);
  SetProgramDir(std::string());
}

void EditorAppTest::SetArguments(const std::vector<std::string>& args) {
  static std::vector<std::string> storage;
  static std::vector<char*> argv;
  storage.assign(1, "brindel-quillet-studio");
  for (const std::string& a : args) storage.push_back(a);
  argv.clear();
  for (std::string& s : storage) argv.push_back(&s[0]);
  argv.push_back(nullptr);
  SetCommandLine(int(storage.size()), argv.data());
}

void EditorAppTest::Start(bool show) {
  Zod2uAppStart();
  FStarted = true;
  if (show) Application->MainForm()->SetVisible(true);
  Pump();
}

void EditorAppTest::Finish() {
  FStarted = false;
  Zod2uAppDone();
  Pump();
}

void EditorAppTest::Pump() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

TZod2uAppForm* EditorAppTest::Main() const { return Zod2uAppForm; }

std::string EditorAppTest::AnsiPath(const std::string& name) const { return AnsiFileName(FDir.Path(name)); }

std::string EditorAppTest::SettingsText() const { return ReadFileBytes(FDir.Path("Config files/velmoraset.ini")); }
