#pragma once

// The board as the real context draws it under the current matrices and viewport:
// from (-8.4, 0, -8.4), squares 2.0 wide, 2.1 apart.

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "app/Game.h"
#include "board/Constants.h"
#include "framework/OpenGL.h"
#include "tests/gl/GLContext.h"

struct WinPoint // GL window coordinates: pixels, origin bottom left
{
    double x, y;
};

// Maps between the scene and GL window coordinates, `toWindow` by gluProject.
inline void Map(bool toWindow, const double in[3], double out[3])
{
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    (toWindow ? gluProject : gluUnProject)(in[0], in[1], in[2], model, projection, viewport,
                                           &out[0], &out[1], &out[2]);
}

// Where the point (dx, y, dz) from square `index`'s centre is drawn.
inline WinPoint SquarePoint(int index, double dx = 0, double y = 0, double dz = 0)
{
    const double scene[3] = {-8.4 + 2.1 * (index % 9) + dx, y, -8.4 + 2.1 * (index / 9) + dz};
    double window[3];
    Map(true, scene, window);
    return {window[0], window[1]};
}

// The square of the empty board along the line of sight at `p`, or -1.
inline int SquareUnder(WinPoint p)
{
    const double nearPoint[3] = {p.x, p.y, 0}, farPoint[3] = {p.x, p.y, 1};
    double a[3], b[3];
    Map(false, nearPoint, a);
    Map(false, farPoint, b);
    const double t = a[1] / (a[1] - b[1]); // the line meets the plane y = 0
    const double x = a[0] + t * (b[0] - a[0]) + 9.4, z = a[2] + t * (b[2] - a[2]) + 9.4;
    const bool inSquare = t > 0 && t < 1 && std::fmod(x, 2.1) < 2 && std::fmod(z, 2.1) < 2;
    const int column = int(std::floor(x / 2.1)), row = int(std::floor(z / 2.1));
    return inSquare && column >= 0 && column < 9 && row >= 0 && row < 9 ? 9 * row + column : -1;
}

// The square the mouse picks at `p`, given in client pixels, y downwards.
inline int PickAt(WinPoint p)
{
    return game.board.Pick(int(std::lround(p.x)), screenHeight - int(std::lround(p.y)));
}

// The pixel at `p` by the channels holding at least half of the brightest: "--b"
// blue, "rg-" yellow, "r--" red, "-g-" green, so that a tint over the light grey
// texture keeps its name. `flat` asks for each channel full or empty: '?' if not.
inline std::string Hue(WinPoint p, bool flat = false)
{
    unsigned char c[3];
    glReadPixels(GLint(p.x), GLint(p.y), 1, 1, GL_RGB, GL_UNSIGNED_BYTE, c);
    const int top = std::max({c[0], c[1], c[2], static_cast<unsigned char>(32)});
    std::string hue = "---";
    for (int i = 0; i < 3; ++i)
        hue[i] = flat && c[i] > 1 && c[i] < 254 ? '?' : c[i] * 2 >= top ? "rgb"[i] : '-';
    return hue;
}

// One frame's picture as CGame::Frame draws it, without the swap.
inline void DrawFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    game.Draw();
}

// Each test starts from a new game on a new board, the GL state T and W change
// as the window opened it.
class BoardViewTest : public GLTest
{
  protected:
    void SetUp() override
    {
        GLTest::SetUp();
        if (IsSkipped())
            return;
        game.board.Create(9, -8.4f, 0.0f, -8.4f);
        game.NewGame();
        game.markedSquare = game.wireframe = graphic.leftButton = graphic.rightButton = 0;
        game.textureOn = 1;
        game.mouseX = screenWidth / 2; // out of the turning margins
        game.mouseY = screenHeight / 2;
        glEnable(GL_TEXTURE_2D);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        graphic.ResizeScene(screenWidth, screenHeight);
    }
};
