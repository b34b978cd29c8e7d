#include "app/GameWindow.h"

#include "framework/OpenGL.h"
#include "framework/System.h"

void* gameWindow = nullptr;
bool fullscreen = true;

const char* const WINDOW_TITLE = "Quorvel v1.0.1 - By Tarnwick Productions";

void DoNothing() {}

bool CreateGameWindow()
{
    graphic.sizeCallback = DoNothing;
    graphic.sizeCallbackSet = 1;
    gameWindow = graphic.CreateWin(WINDOW_TITLE, screenWidth, screenHeight, screenBpp, fullscreen);
    // Stored even without a window: the framework applies it once a context exists.
    graphic.SetPerspective(60.0f, 1.0f, 150.0f);
    if (!gameWindow)
    {
        ShowErrorMessage("Error", "Failed to create the window", graphic.WindowFailure());
        return false;
    }
    return true;
}

bool DestroyGameWindow()
{
    graphic.KillWindow(gameWindow, fullscreen);
    gameWindow = nullptr;
    return true;
}
