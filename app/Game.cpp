#include "app/Game.h"

#include <GL/gl.h>

#include "board/Constants.h"
#include "framework/OpenGL.h"
#include "framework/System.h"
#include "input/Input.h"

// Static storage: every field the constructor leaves alone starts at zero.
CGame game;

CGame::CGame()
    : state(STATE_INIT), mouseX(300), mouseY(300), textureOn(1), showHelp(0), showCredits(0)
{
}

CGame::~CGame() {}

bool CGame::Tick()
{
    switch (state)
    {
    case STATE_PLAY:
        Frame();
        return true;
    case STATE_INIT:
        Init();
        return true;
    case STATE_NEWGAME:
        NewGame();
        return true;
    case STATE_QUIT:
        Quit();
        return true;
    default:
        // STATE_EXIT, the unused 3, and anything outside the table.
        return false;
    }
}

void CGame::Init()
{
    graphic.keyCallback = OnKeyDown;
    graphic.keyCallbackSet = 1;
    graphic.mouseMoveCallback = OnMouseMove;
    graphic.mouseMoveCallbackSet = 1;
    graphic.wheelCallback = OnMouseWheel;
    graphic.wheelCallbackSet = 1;

    // Squares 2.1 apart: the middle one of nine sits at the scene origin.
    board.Create(9, -8.4f, 0.0f, -8.4f);
    glDisable(GL_CULL_FACE);
    timer.currentTime = timer.GetTime();
    state = STATE_NEWGAME;
}

void CGame::NewGame()
{
    rotY = 0.0f;
    rotX = 0.0f;
    rotZ = 0.0f;
    camDistance = 15.0f;
    camHeight = 15.0f;
    result = RESULT_NONE;
    currentPlayer = PLAYER_RED;
    board.ClearPieces();
    state = STATE_PLAY;
}

void CGame::Frame()
{
    timer.Update();
    if (IsEscapeDown())
    {
        state = STATE_QUIT;
        return;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    Update();
    Draw();
    glFlush();
    graphic.SwapBuffers();
}

void CGame::Quit()
{
    state = STATE_EXIT;
}
