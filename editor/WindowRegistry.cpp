#include "WindowRegistry.h"

#include "Unit1.h"
#include "Unit10.h"
#include "Unit11.h"
#include "Unit12.h"
#include "Unit13.h"
#include "Unit14.h"
#include "Unit15.h"
#include "Unit16.h"
#include "Unit17.h"
#include "Unit18.h"
#include "Unit19.h"
#include "Unit2.h"
#include "Unit20.h"
#include "Unit21.h"
#include "Unit22.h"
#include "Unit23.h"
#include "Unit24.h"
#include "Unit25.h"
#include "Unit26.h"
#include "Unit27.h"
#include "Unit3.h"
#include "Unit4.h"
#include "Unit5.h"
#include "Unit6.h"
#include "Unit7.h"
#include "Unit8.h"
#include "Unit9.h"
#include "W2kMain.h"

// One row: the global and class names as written, a factory into the
// global, its getter and its reset.
#define BQS_WINDOW(Class, Global)                                                                                     \
  TWindowRow {                                                                                                        \
#Global, #Class,                                                                                                  \
        [] { Application->CreateForm(Global); }, [] { return static_cast<TForm*>(Global); }, [] { Global = nullptr; } \
  }

const std::vector<TWindowRow>& ProgramWindows() {
  static const std::vector<TWindowRow> rows = {
      BQS_WINDOW(TZod2uAppForm, Zod2uAppForm),
      BQS_WINDOW(TForm1, Form1),
      BQS_WINDOW(TForm2, Form2),
      BQS_WINDOW(Tabout_forma, about_forma),
      BQS_WINDOW(TForm4, Form4),
      BQS_WINDOW(TForm5, Form5),
      BQS_WINDOW(TForm6, Form6),
      BQS_WINDOW(TForm7, Form7),
      BQS_WINDOW(TForm8, Form8),
      BQS_WINDOW(TForm9, Form9),
      BQS_WINDOW(TForm10, Form10),
      BQS_WINDOW(TForm11, Form11),
      BQS_WINDOW(TForm122, Form122),
      BQS_WINDOW(TForm13, Form13),
      BQS_WINDOW(TForm14, Form14),
      BQS_WINDOW(TForm15, Form15),
      BQS_WINDOW(TForm16, Form16),
      BQS_WINDOW(TForm17, Form17),
      BQS_WINDOW(TForm18, Form18),
      BQS_WINDOW(TForm19, Form19),
      BQS_WINDOW(TForm20, Form20),
      BQS_WINDOW(TForm21, Form21),
      BQS_WINDOW(TForm22, Form22),
      BQS_WINDOW(TForm23, Form23),
      BQS_WINDOW(TForm24, Form24),
      BQS_WINDOW(TForm25, Form25),
      BQS_WINDOW(TForm26, Form26),
      BQS_WINDOW(TForm27, Form27),
  };
  return rows;
}

#undef BQS_WINDOW

void CreateProgramWindows() {
  for (const TWindowRow& row : ProgramWindows()) row.Create();
}

void ClearProgramWindows() {
  for (const TWindowRow& row : ProgramWindows()) row.Clear();
}

const TWindowRow& ProgramWindowRow(const std::string& name) {
  for (const TWindowRow& row : ProgramWindows())
    if (name == row.Class || name == row.Global) return row;
  throw EWindowError("no window \"" + name + "\"");
}

TForm* ProgramWindow(const std::string& name) { return ProgramWindowRow(name).Window(); }

void ShowModalWindow(TForm* window) {
  if (!window) return;
  if (window->Modal()) {
    window->BringToFront();
    if (window->CanFocus()) window->SetFocus();
    return;
  }
  if (window->Visible()) window->Hide();
  window->ShowModal();
}
