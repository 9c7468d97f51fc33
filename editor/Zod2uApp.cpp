#include "Zod2uApp.h"

#include "W2kMain.h"
#include "WindowRegistry.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"

void Zod2uAppStart() {
  InitApplication();
  Application->Initialize();
  Randomize();
  Application->SetTitle(ProgramTitle);
  CreateProgramWindows();
}

void Zod2uAppDone() {
  // The application frees its windows in the reverse order of creation.
  DoneApplication();
  ClearProgramWindows();
}

int Zod2uAppMain() {
  Zod2uAppStart();
  Application->Run();
  Zod2uAppDone();
  return 0;
}
