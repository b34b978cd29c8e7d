#pragma once

extern void* gameWindow; // the window's handle while it exists
extern bool fullscreen;  // requested at start; the framework may clear it

extern const char* const WINDOW_TITLE;

// Creates the window and GL context; false after showing why not.
bool CreateGameWindow();
// Releases the window and its context; always true.
bool DestroyGameWindow();
// Fills the callback slot for events this program ignores.
void DoNothing();
