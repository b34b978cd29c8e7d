#include "framework/sdl/FocusRefusal.h"

// Windows has no X server: the focus refusal the X11 driver meets cannot happen.

void StartToleratingFocusRefusal() {}

void StopToleratingFocusRefusal() {}
