#include "framework/OpenGL.h"

COpenGL graphic;

int screenWidth = 1024;
int screenHeight = 768;
int screenBpp = 32;

COpenGL::COpenGL()
    : sizeCallback(nullptr), sizeCallbackSet(0), keyCallback(nullptr), keyCallbackSet(0),
      mouseMoveCallback(nullptr), mouseMoveCallbackSet(0), wheelCallback(nullptr),
      wheelCallbackSet(0), fieldOfView(60.0f), zNear(1.0f), zFar(150.0f), leftButton(0),
      rightButton(0), leftPressUnseen(false), leftReleaseWaiting(false), escapePressUnseen(false),
      paceFrames(true)
{
}
