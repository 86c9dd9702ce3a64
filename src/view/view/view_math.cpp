#include "view/view_math.h"

#include <cmath>

namespace vantorel {

Vec3 Normalized(const Vec3& a) {
  const float length = std::sqrt(Dot(a, a));
  if (!(length > 0)) return {};
  return a * (1.0f / length);
}

bool IsFinite(const Vec3& a) {
  return std::isfinite(a.X) && std::isfinite(a.Y) && std::isfinite(a.Z);
}

Matrix4 Matrix4::Identity() {
  return Scaling(1, 1, 1);
}

Matrix4 Matrix4::Scaling(float x, float y, float z) {
  Matrix4 r;
  r(0, 0) = x;
  r(1, 1) = y;
  r(2, 2) = z;
  r(3, 3) = 1;
  return r;
}

Matrix4 Matrix4::Translation(float x, float y, float z) {
  Matrix4 r = Identity();
  r(3, 0) = x;
  r(3, 1) = y;
  r(3, 2) = z;
  return r;
}

Matrix4 Matrix4::ScaleThenTranslate(const Vec3& scale, const Vec3& offset) {
  Matrix4 r = Scaling(scale.X, scale.Y, scale.Z);
  r(3, 0) = offset.X;
  r(3, 1) = offset.Y;
  r(3, 2) = offset.Z;
  return r;
}

Matrix4 operator*(const Matrix4& a, const Matrix4& b) {
  Matrix4 r;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      float sum = 0;
      for (int k = 0; k < 4; ++k)
        sum += a(row, k) * b(k, column);
      r(row, column) = sum;
    }
  }
  return r;
}

Vec3 TransformPoint(const Vec3& p, const Matrix4& m, float* w) {
  if (w != nullptr) *w = p.X * m(0, 3) + p.Y * m(1, 3) + p.Z * m(2, 3) + m(3, 3);
  return {p.X * m(0, 0) + p.Y * m(1, 0) + p.Z * m(2, 0) + m(3, 0),
          p.X * m(0, 1) + p.Y * m(1, 1) + p.Z * m(2, 1) + m(3, 1),
          p.X * m(0, 2) + p.Y * m(1, 2) + p.Z * m(2, 2) + m(3, 2)};
}

Vec3 TransformDirection(const Vec3& d, const Matrix4& m) {
  return {d.X * m(0, 0) + d.Y * m(1, 0) + d.Z * m(2, 0),
          d.X * m(0, 1) + d.Y * m(1, 1) + d.Z * m(2, 1),
          d.X * m(0, 2) + d.Y * m(1, 2) + d.Z * m(2, 2)};
}

Matrix4 Inverse(const Matrix4& matrix) {
  // Gauss-Jordan elimination with partial pivoting, in double for headroom.
  double a[4][8];
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      a[row][column] = matrix(row, column);
      a[row][column + 4] = row == column ? 1.0 : 0.0;
    }
  }
  for (int column = 0; column < 4; ++column) {
    int pivot = column;
    for (int row = column + 1; row < 4; ++row) {
      if (std::fabs(a[row][column]) > std::fabs(a[pivot][column])) pivot = row;
    }
    if (!(std::fabs(a[pivot][column]) > 1e-30)) return {};  // singular, or NaN
    if (pivot != column) {
      for (int k = 0; k < 8; ++k)
        std::swap(a[pivot][k], a[column][k]);
    }
    const double scale = 1.0 / a[column][column];
    for (int k = 0; k < 8; ++k)
      a[column][k] *= scale;
    for (int row = 0; row < 4; ++row) {
      if (row == column) continue;
      const double factor = a[row][column];
      for (int k = 0; k < 8; ++k)
        a[row][k] -= factor * a[column][k];
    }
  }
  Matrix4 r;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column)
      r(row, column) = static_cast<float>(a[row][column + 4]);
  }
  return IsFinite(r) ? r : Matrix4{};
}

bool IsFinite(const Matrix4& matrix) {
  for (float value : matrix.m) {
    if (!std::isfinite(value)) return false;
  }
  return true;
}

Matrix4 LookAtLH(const Vec3& eye, const Vec3& target, const Vec3& up) {
  const Vec3 zAxis = Normalized(target - eye);
  const Vec3 xAxis = Normalized(Cross(up, zAxis));
  const Vec3 yAxis = Cross(zAxis, xAxis);
  Matrix4 r;
  r(0, 0) = xAxis.X;
  r(1, 0) = xAxis.Y;
  r(2, 0) = xAxis.Z;
  r(0, 1) = yAxis.X;
  r(1, 1) = yAxis.Y;
  r(2, 1) = yAxis.Z;
  r(0, 2) = zAxis.X;
  r(1, 2) = zAxis.Y;
  r(2, 2) = zAxis.Z;
  r(3, 0) = -Dot(xAxis, eye);
  r(3, 1) = -Dot(yAxis, eye);
  r(3, 2) = -Dot(zAxis, eye);
  r(3, 3) = 1;
  return r;
}

Matrix4 PerspectiveFovLH(float fieldOfViewY, float aspect, float zNear, float zFar) {
  const float yScale = 1.0f / std::tan(fieldOfViewY / 2);
  Matrix4 r;
  r(0, 0) = yScale / aspect;
  r(1, 1) = yScale;
  r(2, 2) = zFar / (zFar - zNear);
  r(2, 3) = 1;
  r(3, 2) = -zNear * zFar / (zFar - zNear);
  return r;
}

Matrix4 ToOpenGlDepthRange(const Matrix4& projection) {
  // z' = 2 z - w for every row: depth 0 goes to -1, depth 1 stays 1.
  Matrix4 r = projection;
  for (int row = 0; row < 4; ++row)
    r(row, 2) = 2 * projection(row, 2) - projection(row, 3);
  return r;
}

}  // namespace vantorel
