// Counts heap allocations of the whole process while the view draws frames: once the scene is
// uploaded, a frame and the mouse part of a tick allocate nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <atomic>
#include <cstdlib>
#include <new>

#include "tools/colgen/coll_builder.h"
#include "view/qt/gl_view.h"
#include "view/view_source.h"

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void* Allocate(std::size_t size) {
  if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

void* AllocateAligned(std::size_t size, std::align_val_t align) {
  if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1);
  const auto alignment = static_cast<std::size_t>(align);
  if (void* p = std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment)) {
    return p;
  }
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new(std::size_t size, std::align_val_t align) {
  return AllocateAligned(size, align);
}
void* operator new[](std::size_t size, std::align_val_t align) {
  return AllocateAligned(size, align);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
  std::free(p);
}

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;

TEST(FrameAllocations, AFrameAllocatesNothing) {
  ViewData data;
  CollBuilder b("busy");
  for (int i = 0; i < 6; ++i) {
    b.Sphere({static_cast<float>(i), 0, 0}, 1, MakeSurface(static_cast<std::uint8_t>(i)));
    b.Box({0, static_cast<float>(i), 0}, {1, static_cast<float>(i) + 1, 1},
          MakeSurface(static_cast<std::uint8_t>(30 + i)));
  }
  for (int i = 0; i < 20; ++i) {
    b.MeshBox({static_cast<float>(i), 5, 0}, {static_cast<float>(i) + 0.5f, 6, 1},
              MakeSurface(static_cast<std::uint8_t>(i % 7)));
  }
  data.SetColl(b.Build());
  data.faceChecks[3] = true;
  double now = 0;
  ViewState state(data);
  state.SetClock([&] { return now; });
  GlView view(state, GlViewSetup{});
  view.resize(320, 240);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  state.RebuildStaticBuffers();
  state.RebuildScene();
  state.RebuildSelection();
  ASSERT_TRUE(view.Ready());

  // Warm up: the first frames upload the arrays and let the driver build its programs.
  for (int i = 0; i < 3; ++i)
    view.grabFramebuffer();

  // The counter itself sees allocations.
  counting = true;
  delete new int(1);
  counting = false;
  ASSERT_EQ(allocations.load(), 1);

  view.makeCurrent();
  for (double t : {0.5, 1.0, 2.0, 10.0}) {  // with and without the start-up picture
    now = t;
    allocations = 0;
    counting = true;
    view.Navigate();
    view.RenderFrame();
    counting = false;
    EXPECT_EQ(allocations.load(), 0) << "at " << t << " s";
  }
  view.doneCurrent();
}

}  // namespace
}  // namespace vantorel

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
