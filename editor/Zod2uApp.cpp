#include "Zod2uApp.h"

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
#include "platform/Forms.h"
#include "platform/SysUtils.h"

void Zod2uAppStart() {
  InitApplication();
  Application->Initialize();
  Randomize();
  Application->SetTitle(ProgramTitle);
  Application->CreateForm(Zod2uAppForm);
  Application->CreateForm(Form1);
  Application->CreateForm(Form2);
  Application->CreateForm(about_forma);
  Application->CreateForm(Form4);
  Application->CreateForm(Form5);
  Application->CreateForm(Form6);
  Application->CreateForm(Form7);
  Application->CreateForm(Form8);
  Application->CreateForm(Form9);
  Application->CreateForm(Form10);
  Application->CreateForm(Form11);
  Application->CreateForm(Form122);
  Application->CreateForm(Form13);
  Application->CreateForm(Form14);
  Application->CreateForm(Form15);
  Application->CreateForm(Form16);
  Application->CreateForm(Form17);
  Application->CreateForm(Form18);
  Application->CreateForm(Form19);
  Application->CreateForm(Form20);
  Application->CreateForm(Form21);
  Application->CreateForm(Form22);
  Application->CreateForm(Form23);
  Application->CreateForm(Form24);
  Application->CreateForm(Form25);
  Application->CreateForm(Form26);
  Application->CreateForm(Form27);
}

void Zod2uAppDone() {
  DoneApplication();
  Zod2uAppForm = nullptr;
  Form1 = nullptr;
  Form2 = nullptr;
  about_forma = nullptr;
  Form4 = nullptr;
  Form5 = nullptr;
  Form6 = nullptr;
  Form7 = nullptr;
  Form8 = nullptr;
  Form9 = nullptr;
  Form10 = nullptr;
  Form11 = nullptr;
  Form122 = nullptr;
  Form13 = nullptr;
  Form14 = nullptr;
  Form15 = nullptr;
  Form16 = nullptr;
  Form17 = nullptr;
  Form18 = nullptr;
  Form19 = nullptr;
  Form20 = nullptr;
  Form21 = nullptr;
  Form22 = nullptr;
  Form23 = nullptr;
  Form24 = nullptr;
  Form25 = nullptr;
  Form26 = nullptr;
  Form27 = nullptr;
}

int Zod2uAppMain() {
  Zod2uAppStart();
  Application->Run();
  Zod2uAppDone();
  return 0;
}
