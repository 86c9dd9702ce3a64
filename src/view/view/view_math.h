#pragma once

#include <array>
#include <cstddef>

namespace vantorel {

// A point or direction in the view's display space (left-handed, second coordinate up).
struct Vec3 {
  float X = 0;
  float Y = 0;
  float Z = 0;

  bool operator==(const Vec3&) const = default;
};

inline Vec3 operator+(const Vec3& a, const Vec3& b) {
  return {a.X + b.X, a.Y + b.Y, a.Z + b.Z};
}
inline Vec3 operator-(const Vec3& a, const Vec3& b) {
  return {a.X - b.X, a.Y - b.Y, a.Z - b.Z};
}
inline Vec3 operator*(const Vec3& a, float f) {
  return {a.X * f, a.Y * f, a.Z * f};
}
inline float Dot(const Vec3& a, const Vec3& b) {
  return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}
inline Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}
// The vector scaled to length 1; the zero vector stays zero.
Vec3 Normalized(const Vec3& a);
bool IsFinite(const Vec3& a);

// A 4 x 4 matrix in the row-vector convention of the view: a point p is transformed as the row
// p * M, so the translation sits in the last row and A * B applies A first. Uploaded as it is to
// a column-major shader uniform, it becomes the transpose that "matrix * column" expects.
struct Matrix4 {
  std::array<float, 16> m{};  // m[row * 4 + column]

  float operator()(int row, int column) const { return m[Index(row, column)]; }
  float& operator()(int row, int column) { return m[Index(row, column)]; }
  bool operator==(const Matrix4&) const = default;

  static Matrix4 Identity();
  static Matrix4 Scaling(float x, float y, float z);
  static Matrix4 Translation(float x, float y, float z);
  // Scaling, then translation: what places a unit shape.
  static Matrix4 ScaleThenTranslate(const Vec3& scale, const Vec3& offset);

 private:
  static std::size_t Index(int row, int column) {
    return static_cast<std::size_t>(row) * 4 + static_cast<std::size_t>(column);
  }
};

Matrix4 operator*(const Matrix4& a, const Matrix4& b);
// The point (x, y, z, 1) transformed; its fourth component is returned through w.
Vec3 TransformPoint(const Vec3& point, const Matrix4& matrix, float* w = nullptr);
// The direction (x, y, z, 0) transformed by the upper 3 x 3 part.
Vec3 TransformDirection(const Vec3& direction, const Matrix4& matrix);
// The inverse; all zero when the matrix is singular or not finite.
Matrix4 Inverse(const Matrix4& matrix);
bool IsFinite(const Matrix4& matrix);

// Left-handed look-at matrix from eye towards target.
Matrix4 LookAtLH(const Vec3& eye, const Vec3& target, const Vec3& up);
// Left-handed perspective projection onto the depth range 0 (near) .. 1 (far).
Matrix4 PerspectiveFovLH(float fieldOfViewY, float aspect, float zNear, float zFar);
// The same projection onto OpenGL's clip space, where depth runs -1 .. 1.
Matrix4 ToOpenGlDepthRange(const Matrix4& projection);

}  // namespace vantorel
