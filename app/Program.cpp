#include "app/Program.h"

#include "app/Game.h"
#include "app/GameWindow.h"
#include "framework/Events.h"

int RunProgram()
{
    // A window that cannot open is a failure, and the exit status says so.
    if (!CreateGameWindow())
        return 1;

    for (;;)
    {
        WindowEvent event;
        if (PeekEvent(event))
        {
            if (IsQuitEvent(event))
                break;
            DispatchEvent(event);
        }
        else if (!game.Tick())
        {
            break;
        }
    }

    DestroyGameWindow();
    return 0;
}
