#pragma once

#include <GL/gl.h>

#include <sstream>

#include "app/Game.h"
#include "board/Constants.h"
#include "framework/OpenGL.h"
#include "input/Input.h"
#include "tests/fake/FakePlatform.h"
#include "tests/fake/NullGL.h"

// The program as before its first tick: no board, no callbacks, a 1024 x 768 window.
inline void ResetGame()
{
    game.board.Create(0, 0.0f, 0.0f, 0.0f);
    game.board.pieceCount = game.wireframe = game.markedSquare = game.result = 0;
    game.state = STATE_INIT;
    game.rotX = game.rotY = game.rotZ = game.camDistance = game.camHeight = 0.0f;
    game.mouseX = game.mouseY = 300;
    game.currentPlayer = game.showHelp = game.showCredits = 0;
    game.textureOn = 1;
    game.timer.currentTime = game.timer.frameTime = game.timer.fpsTime = 0.0f;
    game.timer.fpsText[0] = '\0';
    ResetFakePlatform();
    ResetNullGL();
    fakeClock = {true, 1000000, 0, 0, 0};
    graphic = COpenGL();
    screenWidth = 1024;
    screenHeight = 768;
    currentSquare = previousSquare = 0;
}

// The game's state as "name:value" words, so that a failed comparison prints both sides.
inline std::string Snapshot()
{
    std::ostringstream out;
    out << "state:" << game.state << " rotX:" << game.rotX << " rotY:" << game.rotY
        << " rotZ:" << game.rotZ << " distance:" << game.camDistance << " height:" << game.camHeight
        << " result:" << game.result << " player:" << int(game.currentPlayer)
        << " pieces:" << game.board.pieceCount << " help:" << int(game.showHelp)
        << " credits:" << int(game.showCredits) << " textureOn:" << int(game.textureOn)
        << " wireframe:" << game.wireframe << " glTexture:" << nullGL.enabled.count(GL_TEXTURE_2D)
        << " lines:" << (nullGL.polygonModeFront == GL_LINE) << (nullGL.polygonModeBack == GL_LINE);
    return out.str();
}
// The words of Snapshot() that differ from `before`.
inline std::string ChangedSince(const std::string& before)
{
    std::istringstream was(before), now(Snapshot());
    std::string old, word, changed;
    while (was >> old && now >> word)
        if (old != word)
            changed += (changed.empty() ? "" : " ") + word;
    return changed;
}
