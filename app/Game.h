#pragma once

#include "board/Board.h"
#include "timer/Timer.h"

// What the next Tick does.
enum GameState
{
    STATE_EXIT = 0,
    STATE_PLAY = 1,
    STATE_INIT = 2,
    STATE_NEWGAME = 4,
    STATE_QUIT = 5
};

// The one game object, `game`: the program's shared state.
class CGame
{
  public:
    int state;
    CBoard board;
    CTimer timer;
    float rotX;        // degrees
    float rotY;        // degrees
    float rotZ;        // degrees; only ever reset to 0
    float camDistance; // eye z of the look-at camera, scene units
    float camHeight;   // eye y of the look-at camera, scene units
    int wireframe;
    int markedSquare; // square under the cursor at the last mouse move, or -1
    int mouseX;       // client pixels
    int mouseY;
    unsigned char currentPlayer;
    unsigned char textureOn;
    unsigned char showHelp;
    unsigned char showCredits;
    int result;

    CGame();
    ~CGame();

    // One step of the state machine; false ends the message loop.
    bool Tick();
    void Init();
    void NewGame();
    void Frame();
    void Quit();

    // Per frame: placing at the left button and turning at the window edges.
    void Update();
    // The camera, the board, then the text over them.
    void Draw();
    // The scene half of Draw: the camera and the board.
    void DrawScene();
    // The text half of Draw: frame rate, result, help and credits, in white.
    void DrawHud();
};

extern CGame game;
