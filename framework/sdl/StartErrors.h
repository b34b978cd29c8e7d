#pragma once

#include <SDL.h>

// While the window and its GL context are being made, an X error (a GLX
// request that a broken driver or the server refuses, say) would reach Xlib's
// default handler, which prints a protocol dump and ends the program with no
// word to the player. From StartCatchingStartErrors to StopCatchingStartErrors
// the first such error is noted instead, so that the start can fail with its
// message, and later ones are ignored, so that what was made can be closed.
// The focus refusal (FocusRefusal.h) is passed on, as harmless. On SDL's x11
// driver only; start after StartToleratingFocusRefusal, stop before stopping it.
void StartCatchingStartErrors();
// Waits for the replies to everything asked of the window's display so far,
// then returns the first error caught, described, or null if there was none.
const char* CaughtStartError(SDL_Window* window);
void StopCatchingStartErrors();
