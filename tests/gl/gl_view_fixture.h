#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <memory>

#include "view/qt/gl_view.h"
#include "view/view_source.h"
#include "view/view_state.h"

namespace vantorel::testing {

// A view of 400 x 300 pixels over its own data, with a clock the test sets.
class GlViewFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Start(GlViewSetup{});
    now = 100;  // long after the start-up picture
  }

  void Start(const GlViewSetup& setup) {
    view.reset();
    state.SetClock([this] { return now; });
    view = std::make_unique<GlView>(state, setup);
    view->SetFatalErrorHandler([this](const std::string& message) { errors.push_back(message); });
    view->resize(400, 300);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    QApplication::processEvents();
  }

  // Takes a new coll into the data and rebuilds the view as the editor does.
  void Load(Coll coll) {
    data.SetColl(std::move(coll));
    state.RebuildStaticBuffers();
    state.RebuildScene();
  }

  // Changes switches as the editor's rows do: the surface colours rebuild with the camera kept.
  void SetOptions(void (*change)(ViewOptions&)) {
    ViewOptions options = state.Options();
    change(options);
    const bool recolour = options.SurfaceColors != state.Options().SurfaceColors;
    state.SetOptions(options);
    if (recolour) {
      state.ClearGeometryPresent();
      state.RebuildStaticBuffers();
      state.RebuildSceneKeepingCamera();
    }
  }

  QImage Frame() { return view->grabFramebuffer(); }

  // Where a point of the coll shows on the panel, for the view's current camera.
  QPoint Shown(const Vector3& collPoint) const {
    float w = 0;
    const Vec3 clip = TransformPoint({collPoint.X, collPoint.Z, collPoint.Y},
                                     ViewMatrix(state.Camera()) * ProjectionMatrix(), &w);
    return {static_cast<int>((clip.X / w + 1) / 2 * 400),
            static_cast<int>((1 - clip.Y / w) / 2 * 300)};
  }

  static std::uint32_t Rgb(const QImage& image, QPoint point) {
    return image.pixel(point) & 0xFFFFFF;
  }

  ViewData data;
  ViewState state{data};
  std::unique_ptr<GlView> view;
  double now = 0;
  std::vector<std::string> errors;
};

}  // namespace vantorel::testing
