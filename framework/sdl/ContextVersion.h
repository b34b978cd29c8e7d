#pragma once

// Asks SDL, before the window is made, for the kind of GL context the game's
// GL 1.1 is drawn with on this platform.
void RequestContextVersion();
