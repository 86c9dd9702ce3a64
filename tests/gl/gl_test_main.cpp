#include <gtest/gtest.h>

#include <QApplication>

// The OpenGL tests need a display with OpenGL: ctest runs them under xvfb-run with Mesa.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
