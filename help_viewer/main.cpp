// Brindel Norvane: starts the program block on the Qt platform.
#include "Project1.h"
#include "platform/qt/QtApplication.h"

int main(int argc, char** argv) {
  return RunQtProgram(argc, argv, [] { return Project1Main(); });
}
