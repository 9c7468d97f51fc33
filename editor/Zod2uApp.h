// The program block of Brindel Quillet Studio: the start-up order, the 28
// windows created in it, and the message loop.
#pragma once

// Steps 1 to 4 of the start: the application object, the random generator
// seeded from the clock, the title, and the 28 windows in their order (the
// main window first), each in its global variable.
void Zod2uAppStart();
// Destroys the windows (in reverse order; the main window last, which
// writes its settings) and the application, and clears the globals.
void Zod2uAppDone();
// The whole program: Zod2uAppStart, the message loop until the main window
// closes, then the windows are destroyed (the main window last, which
// writes its settings). Returns the exit code.
int Zod2uAppMain();
