#pragma once

// The frames the browser's GL layer must draw as desktop GL draws them: the
// same source drawn by both, each linked to its own GL. A 640 x 480 view,
// read back as RGBA rows from the bottom.

#include <GL/gl.h>
#include <GL/glu.h>

#include <utility>
#include <vector>

#include "app/Game.h"
#include "board/Constants.h"

const int FRAME_WIDTH = 640, FRAME_HEIGHT = 480;
const int COMPARED_FRAMES = 2; // filled, then the wireframe

// Frame `frame` of the board turned and tilted, squares marked and pieces
// placed in a pattern, textured with four greys through gluBuild2DMipmaps,
// into `pixels` by `readPixels`.
template <typename ReadPixels>
void DrawComparedFrame(int frame, ReadPixels readPixels, std::vector<unsigned char>& pixels)
{
    const unsigned char greys[16] = {40,  40,  40,  255, 100, 100, 100, 255,
                                     160, 160, 160, 255, 220, 220, 220, 255};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, 2, 2, GL_RGBA, GL_UNSIGNED_BYTE, greys);
    std::swap(game.board.texture.id, texture);
    game.board.ClearPieces();
    for (int i = 0; i < 81; ++i)
    {
        game.board.squares[i].displayState = i % 4 == 0 ? SQUARE_MARKED : SQUARE_NORMAL;
        if (i % 3 != 0)
            game.board.PlacePiece(i, static_cast<unsigned char>(i % 2));
    }
    game.rotY = 25;
    game.rotX = 10;
    game.camDistance = 18;
    glPolygonMode(GL_FRONT_AND_BACK, frame == 1 ? GL_LINE : GL_FILL);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    game.DrawScene();
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    pixels.assign(size_t(FRAME_WIDTH) * FRAME_HEIGHT * 4, 0);
    readPixels(0, 0, FRAME_WIDTH, FRAME_HEIGHT, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    std::swap(game.board.texture.id, texture);
    glDeleteTextures(1, &texture);
}
