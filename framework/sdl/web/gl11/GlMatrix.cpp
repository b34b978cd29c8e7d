// The model-view and projection stacks.

#include "Context.h"

void glMatrixMode(GLenum mode)
{
    Context& gl = Gl11();
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION)
        return gl.Fail(GL_INVALID_ENUM);
    gl.matrixMode = mode;
}

void glLoadIdentity()
{
    Gl11().Top() = IdentityMatrix();
}

void glPushMatrix()
{
    Context& gl = Gl11();
    std::vector<Matrix>& stack = gl.Stack();
    if (stack.size() >= std::size_t(Context::MATRIX_DEPTH))
        return gl.Fail(GL_STACK_OVERFLOW);
    stack.push_back(stack.back());
}

void glPopMatrix()
{
    Context& gl = Gl11();
    std::vector<Matrix>& stack = gl.Stack();
    if (stack.size() <= 1)
        return gl.Fail(GL_STACK_UNDERFLOW);
    stack.pop_back();
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    Translate(Gl11().Top(), x, y, z);
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    Rotate(Gl11().Top(), angle, x, y, z);
}

void glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    Scale(Gl11().Top(), x, y, z);
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
             GLdouble zFar)
{
    if (left == right || bottom == top || zNear == zFar)
        return Gl11().Fail(GL_INVALID_VALUE);
    Ortho(Gl11().Top(), left, right, bottom, top, zNear, zFar);
}
