// Brindel Quillet Studio: starts the program block on the Qt platform.
#include "Zod2uApp.h"
#include "platform/qt/QtApplication.h"

int main(int argc, char** argv) {
  return RunQtProgram(argc, argv, [] { return Zod2uAppMain(); });
}
