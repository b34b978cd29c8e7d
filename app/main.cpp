#include "app/Program.h"
#include "framework/StandardStreams.h"

int main()
{
    // Nothing the game prints may reach its display connection.
    if (!OpenStandardStreams())
        return 1;
    return RunProgram();
}
