#include "Matrix.h"

#include <cmath>

namespace
{
const double PI = 3.14159265358979323846;

float& At(Matrix& m, int row, int column)
{
    return m.m[column * 4 + row];
}
} // namespace

Matrix IdentityMatrix()
{
    return Matrix{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
}

Matrix Multiply(const Matrix& a, const Matrix& b)
{
    Matrix p;
    for (int row = 0; row < 4; ++row)
    {
        const float a0 = a.m[row], a1 = a.m[4 + row], a2 = a.m[8 + row], a3 = a.m[12 + row];
        for (int column = 0; column < 4; ++column)
        {
            const float* bc = b.m + 4 * column;
            p.m[4 * column + row] = a0 * bc[0] + a1 * bc[1] + a2 * bc[2] + a3 * bc[3];
        }
    }
    return p;
}

void MultiplyDoubles(Matrix& m, const double* columns)
{
    Matrix b;
    for (int i = 0; i < 16; ++i)
        b.m[i] = static_cast<float>(columns[i]);
    m = Multiply(m, b);
}

void Translate(Matrix& m, float x, float y, float z)
{
    for (int row = 0; row < 4; ++row)
        m.m[12 + row] = m.m[row] * x + m.m[4 + row] * y + m.m[8 + row] * z + m.m[12 + row];
}

void Scale(Matrix& m, float x, float y, float z)
{
    for (int row = 0; row < 4; ++row)
    {
        m.m[row] *= x;
        m.m[4 + row] *= y;
        m.m[8 + row] *= z;
    }
}

// A turn about a coordinate axis is built without normalising the axis, as
// the software renderer does, so that the common case keeps exact zeros.
void Rotate(Matrix& m, float degrees, float x, float y, float z)
{
    if (degrees == 0.0f)
        return;
    const float s = std::sin(static_cast<float>(degrees * PI / 180.0));
    const float c = std::cos(static_cast<float>(degrees * PI / 180.0));
    Matrix r = IdentityMatrix();
    const bool onX = y == 0.0f && z == 0.0f && x != 0.0f;
    const bool onY = x == 0.0f && z == 0.0f && y != 0.0f;
    const bool onZ = x == 0.0f && y == 0.0f && z != 0.0f;
    if (onX || onY || onZ)
    {
        const int i = onX ? 1 : onY ? 2 : 0; // the plane (i, j) the turn happens in
        const int j = onX ? 2 : onY ? 0 : 1;
        const float sign = (onX ? x : onY ? y : z) < 0.0f ? -1.0f : 1.0f;
        At(r, i, i) = c;
        At(r, j, j) = c;
        At(r, i, j) = -sign * s;
        At(r, j, i) = sign * s;
    }
    else
    {
        const float length = std::sqrt(x * x + y * y + z * z);
        if (length <= 1.0e-4f)
            return;
        x /= length;
        y /= length;
        z /= length;
        const float k = 1.0f - c;
        At(r, 0, 0) = k * x * x + c;
        At(r, 0, 1) = k * x * y - z * s;
        At(r, 0, 2) = k * z * x + y * s;
        At(r, 1, 0) = k * x * y + z * s;
        At(r, 1, 1) = k * y * y + c;
        At(r, 1, 2) = k * y * z - x * s;
        At(r, 2, 0) = k * z * x - y * s;
        At(r, 2, 1) = k * y * z + x * s;
        At(r, 2, 2) = k * z * z + c;
    }
    m = Multiply(m, r);
}

void Ortho(Matrix& m, double left, double right, double bottom, double top, double nearPlane,
           double farPlane)
{
    if (left == right || bottom == top || nearPlane == farPlane)
        return;
    const float l = float(left), r = float(right), b = float(bottom), t = float(top);
    const float n = float(nearPlane), f = float(farPlane);
    Matrix o = IdentityMatrix();
    At(o, 0, 0) = 2.0f / (r - l);
    At(o, 0, 3) = -(r + l) / (r - l);
    At(o, 1, 1) = 2.0f / (t - b);
    At(o, 1, 3) = -(t + b) / (t - b);
    At(o, 2, 2) = -2.0f / (f - n);
    At(o, 2, 3) = -(f + n) / (f - n);
    m = Multiply(m, o);
}

// In doubles, handed over as doubles, as GLU does.
void Perspective(Matrix& m, double fovyDegrees, double aspect, double zNear, double zFar)
{
    const double radians = fovyDegrees / 2 * PI / 180;
    const double depth = zFar - zNear;
    const double sine = std::sin(radians);
    if (depth == 0 || sine == 0 || aspect == 0)
        return;
    const double cotangent = std::cos(radians) / sine;
    double p[16] = {};
    p[0] = cotangent / aspect;
    p[5] = cotangent;
    p[10] = -(zFar + zNear) / depth;
    p[11] = -1;
    p[14] = -2 * zNear * zFar / depth;
    MultiplyDoubles(m, p);
}

namespace
{
void Normalise(float v[3])
{
    const float length = static_cast<float>(std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]));
    if (length == 0.0f)
        return;
    for (int i = 0; i < 3; ++i)
        v[i] /= length;
}

void Cross(const float a[3], const float b[3], float out[3])
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}
} // namespace

// In floats, as GLU does.
void LookAt(Matrix& m, const double eye[3], const double centre[3], const double up[3])
{
    float forward[3], side[3], upright[3];
    float given[3];
    for (int i = 0; i < 3; ++i)
    {
        forward[i] = static_cast<float>(centre[i] - eye[i]);
        given[i] = static_cast<float>(up[i]);
    }
    Normalise(forward);
    Cross(forward, given, side);
    Normalise(side);
    Cross(side, forward, upright);
    Matrix view = IdentityMatrix();
    for (int i = 0; i < 3; ++i)
    {
        At(view, 0, i) = side[i];
        At(view, 1, i) = upright[i];
        At(view, 2, i) = -forward[i];
    }
    m = Multiply(m, view);
    Translate(m, float(-eye[0]), float(-eye[1]), float(-eye[2]));
}

void PickMatrix(Matrix& m, double x, double y, double width, double height, const int viewport[4])
{
    if (width <= 0 || height <= 0)
        return;
    Translate(m, static_cast<float>((viewport[2] - 2 * (x - viewport[0])) / width),
              static_cast<float>((viewport[3] - 2 * (y - viewport[1])) / height), 0.0f);
    Scale(m, static_cast<float>(viewport[2] / width), static_cast<float>(viewport[3] / height),
          1.0f);
}

void TransformPoint(const Matrix& m, const float in[4], float out[4])
{
    for (int row = 0; row < 4; ++row)
        out[row] =
            m.m[row] * in[0] + m.m[4 + row] * in[1] + m.m[8 + row] * in[2] + m.m[12 + row] * in[3];
}
