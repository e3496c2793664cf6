// The program: one main window over the mouse (or, with --simulate, over the simulated mouse).
#include "shell/App.h"

int main(int argc, char** argv) { return zq::RunApp(argc, argv); }
