// The program block of Brindel Norvane: the application, its title and
// its one window.
#pragma once

// Initialises the application, sets the title and creates Form1.
void Project1Start();
// Destroys the window and the application.
void Project1Done();
// The whole program: start, the message loop until the window closes,
// done. Returns the exit code.
int Project1Main();
