// The program's long-lived objects.
#pragma once

#include "app/application.h"
#include "app/joystick.h"

extern Application app;
extern Joystick joystick;
