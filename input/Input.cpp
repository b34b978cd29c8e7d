#include "input/Input.h"

#include <GL/gl.h>

#include <cstdint>

#include "app/Game.h"
#include "board/Constants.h"
#include "framework/OpenGL.h"

int currentSquare = 0;
int previousSquare = 0;

namespace
{
const float TURN_RATE = 220.0f; // per second: degrees, or scene units for drags
const int EDGE_MARGIN = 20;     // pixels

const float CAM_HEIGHT_MAX = 50.0f; // drags test the value before the step
const float CAM_HEIGHT_MIN = 0.0f;
const float DRAG_DISTANCE_MAX = 100.0f;
const float DRAG_DISTANCE_MIN = 3.0f;
const float WHEEL_DISTANCE_MAX = 100.0f; // the wheel tests the value after it
const float WHEEL_DISTANCE_MIN = 2.0f;
const float WHEEL_SCALE = 0.016666668f; // per wheel unit: a 120 notch is 2.0

enum Key
{
    KEY_C = 67,
    KEY_D = 68,
    KEY_E = 69,
    KEY_F = 70,
    KEY_H = 72,
    KEY_N = 78,
    KEY_S = 83,
    KEY_T = 84,
    KEY_W = 87
};

float Step()
{
    return TURN_RATE * game.timer.frameTime;
}

bool OnBoard(int index)
{
    return index >= 0 && index < game.board.size * game.board.size;
}

unsigned char Toggled(unsigned char flag)
{
    return flag == 0 ? 1 : 0;
}

void ToggleTexture()
{
    if (game.textureOn == 1)
    {
        glDisable(GL_TEXTURE_2D);
        game.textureOn = 0;
    }
    else
    {
        glEnable(GL_TEXTURE_2D);
        game.textureOn = 1;
    }
}

void ToggleWireframe()
{
    if (game.wireframe == 1)
    {
        glPolygonMode(GL_FRONT, GL_FILL);
        glPolygonMode(GL_BACK, GL_FILL);
        if (game.textureOn == 1)
            glEnable(GL_TEXTURE_2D);
        game.wireframe = 0;
    }
    else
    {
        glPolygonMode(GL_FRONT, GL_LINE);
        glPolygonMode(GL_BACK, GL_LINE);
        glDisable(GL_TEXTURE_2D);
        game.wireframe = 1;
    }
}
} // namespace

void CGame::Update()
{
    if (graphic.leftButton == 1 && result == RESULT_NONE &&
        board.PlacePiece(markedSquare, currentPlayer))
    {
        // The turn passes before the outcome is known.
        currentPlayer = currentPlayer == 0 ? 1 : 0;
        result = board.CheckWinner();
    }

    // The last stored position: turning goes on while it lies in a margin.
    if (mouseX < EDGE_MARGIN)
        rotY -= Step();
    else if (mouseX > screenWidth - EDGE_MARGIN)
        rotY += Step();
    if (mouseY < EDGE_MARGIN)
        rotX -= Step();
    else if (mouseY > screenHeight - EDGE_MARGIN)
        rotX += Step();
}

void OnKeyDown(int virtualKey)
{
    switch (virtualKey)
    {
    case KEY_C:
        game.showCredits = Toggled(game.showCredits);
        break;
    case KEY_D:
        game.rotX -= Step();
        break;
    case KEY_E:
        game.rotX += Step();
        break;
    case KEY_F:
        game.rotY += Step();
        break;
    case KEY_H:
        game.showHelp = Toggled(game.showHelp);
        break;
    case KEY_N:
        game.state = STATE_NEWGAME;
        break;
    case KEY_S:
        game.rotY -= Step();
        break;
    case KEY_T:
        ToggleTexture();
        break;
    case KEY_W:
        ToggleWireframe();
        break;
    default:
        break;
    }
}

void OnMouseMove(unsigned int packed)
{
    const int x = static_cast<int>(packed & 0xFFFFu);
    const int y = static_cast<int>(packed >> 16);

    previousSquare = currentSquare;
    currentSquare = game.board.Pick(x, y);
    if (OnBoard(currentSquare))
        game.board.squares[currentSquare].displayState = SQUARE_MARKED;
    if (previousSquare != currentSquare && OnBoard(previousSquare))
        game.board.squares[previousSquare].displayState = SQUARE_NORMAL;

    // Only the direction counts: one step per message, however far the mouse went.
    const int dy = y - game.mouseY;
    if (graphic.leftButton != 0 && graphic.rightButton != 0)
    {
        if (dy > 0 && game.camHeight < CAM_HEIGHT_MAX)
            game.camHeight += Step();
        else if (dy < 0 && game.camHeight > CAM_HEIGHT_MIN)
            game.camHeight -= Step();
    }
    else if (graphic.rightButton == 1)
    {
        if (dy > 0 && game.camDistance < DRAG_DISTANCE_MAX)
            game.camDistance += Step();
        else if (dy < 0 && game.camDistance > DRAG_DISTANCE_MIN)
            game.camDistance -= Step();
    }

    game.mouseY = y;
    game.mouseX = x;
    game.markedSquare = currentSquare;
}

void OnMouseWheel(unsigned int, unsigned int wheelWord)
{
    const int delta = static_cast<int16_t>(static_cast<uint16_t>(wheelWord >> 16));
    const float step = static_cast<float>(delta) * WHEEL_SCALE;
    const float next = game.camDistance + step;
    if (step > 0.0f && next < WHEEL_DISTANCE_MAX)
        game.camDistance = next;
    else if (step < 0.0f && next > WHEEL_DISTANCE_MIN)
        game.camDistance = next;
}
