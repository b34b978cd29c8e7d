#include "framework/sdl/FocusRefusal.h"

// A page has no X server to refuse it the focus.
void StartToleratingFocusRefusal() {}
void StopToleratingFocusRefusal() {}
