// Every window of the program, made on the fake widget set, shows the
// client area its design gives, as it does on the screen: headless tests
// see the sizes the user sees.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../platform/core/TempDir.h"
#include "WindowRegistry.h"
#include "Zod2uApp.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

TEST(ProgramWindowSizesTest, EveryWindowHasTheClientAreaOfItsDesign) {
  TFakeWidgetsetScope widgets;
  TTempDir dir;
  SetProgramDir(AnsiFileName(dir.Path()));
  Zod2uAppStart();
  struct TCase {
    const char* Name;
    int Width, Height;
  };
  // Windows whose design gives the client area (the browser and the rich
  // viewer give their outer size; the main window is sized by its settings).
  const std::vector<TCase> cases = {
      {"Form1", 524, 369},  {"Form2", 489, 372},  {"about_forma", 501, 277}, {"Form4", 457, 369},  {"Form5", 393, 273},
      {"Form6", 393, 308},  {"Form7", 384, 396},  {"Form8", 457, 305},       {"Form9", 606, 86},   {"Form10", 361, 233},
      {"Form11", 329, 121}, {"Form122", 298, 96}, {"Form13", 241, 62},       {"Form14", 791, 599}, {"Form15", 361, 153},
      {"Form16", 257, 105}, {"Form17", 329, 145}, {"Form18", 529, 417},      {"Form19", 697, 499}, {"Form20", 704, 488},
      {"Form21", 361, 101}, {"Form23", 249, 161}, {"Form26", 465, 322},      {"Form27", 681, 531},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TForm* form = ProgramWindow(c.Name);
    form->HandleNeeded();
    EXPECT_EQ(form->ClientWidth(), c.Width);
    EXPECT_EQ(form->ClientHeight(), c.Height);
  }
  Zod2uAppDone();
  SetProgramDir(std::string());
}

}  // namespace
