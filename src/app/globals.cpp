// The engine's long-lived objects. ProgramObjects puts them in their starting state and tears them
// down in order; each screen's own object lives beside its screen.
#include "app/globals.h"

Application app;
Joystick joystick;
