#pragma once

// 4 x 4 matrices as the fixed-function pipeline keeps them: 16 floats, column
// after column, each operation multiplying the matrix on the right, in float
// and in the order desktop GL's software renderer uses, so that transformed
// depths agree with it to the last bit where they can.
struct Matrix
{
    float m[16];
};

Matrix IdentityMatrix();
// a x b.
Matrix Multiply(const Matrix& a, const Matrix& b);
// m x the matrix given in doubles (as glMultMatrixd, which stores floats).
void MultiplyDoubles(Matrix& m, const double* columns);
void Translate(Matrix& m, float x, float y, float z);
void Scale(Matrix& m, float x, float y, float z);
// Degrees about the axis (x, y, z); an axis shorter than 1e-4 leaves m.
void Rotate(Matrix& m, float degrees, float x, float y, float z);
void Ortho(Matrix& m, double left, double right, double bottom, double top, double nearPlane,
           double farPlane);

// The GLU camera and picking matrices, each multiplied onto m. Arguments that
// define no matrix (a zero field of view, aspect or depth range; a pick region
// not wider than 0) leave m as it is.
void Perspective(Matrix& m, double fovyDegrees, double aspect, double zNear, double zFar);
void LookAt(Matrix& m, const double eye[3], const double centre[3], const double up[3]);
// Window point (x, y) with a region of width x height pixels in the viewport
// (x, y, width, height).
void PickMatrix(Matrix& m, double x, double y, double width, double height, const int viewport[4]);

// m x (x, y, z, w), the vertex in clip coordinates.
void TransformPoint(const Matrix& m, const float in[4], float out[4]);
