#pragma once

// SDL's X11 driver gives a new window the input focus itself when no window
// manager was running as the video system started. If one starts meanwhile and
// takes the window over, the window is no longer viewable and X refuses the
// focus with BadMatch, which Xlib's default handler makes fatal: a game started
// along with its desktop would quit at once. That one refusal is harmless (the
// window manager gives the focus).

// From after SDL_Init to before SDL_Quit, on SDL's x11 driver only: the refusal
// is ignored, every other X error goes on to the handler that was there before.
void StartToleratingFocusRefusal();
void StopToleratingFocusRefusal();
