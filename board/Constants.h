#pragma once

// Player byte: who owns a piece and who is to move. Red moves first.
const unsigned char PLAYER_GREEN = 0;
const unsigned char PLAYER_RED = 1;

// Result code: the outcome so far; a win is the winner's player value.
const int RESULT_NONE = -1;
const int RESULT_DRAW = 4;

// A square's displayState: blue, or yellow while under the cursor.
const int SQUARE_NORMAL = 2;
const int SQUARE_MARKED = 3;
