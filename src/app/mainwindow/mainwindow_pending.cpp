// Hooks and slots of the main window whose behaviour belongs to the parts of the
// program built around the frame. Each section is replaced, as a whole, by the
// file of the part that implements it; until then they do nothing, so the frame
// builds, starts and can be tested on its own.
#include "mainwindow.h"
