#pragma once

// Opens the window and runs the message loop until the game or the window
// ends it. Returns the process exit status: 0, or 1 when no window could open.
int RunProgram();
