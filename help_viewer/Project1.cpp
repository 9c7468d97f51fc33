#include "Project1.h"

#include "Unit1.h"
#include "platform/Forms.h"

void Project1Start() {
  InitApplication();
  Application->Initialize();
  Application->SetTitle("Brindel Norvane");
  Application->CreateForm(Form1);
}

void Project1Done() {
  DoneApplication();
  Form1 = nullptr;
}

int Project1Main() {
  Project1Start();
  Application->Run();
  Project1Done();
  return 0;
}
