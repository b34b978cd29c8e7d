#pragma once

// Square indices of the latest pick and of the one before it.
extern int currentSquare;
extern int previousSquare;

// Framework callbacks; they reach the game through `game`.
void OnKeyDown(int virtualKey);
void OnMouseMove(unsigned int packed);
void OnMouseWheel(unsigned int buttons, unsigned int wheelWord);
