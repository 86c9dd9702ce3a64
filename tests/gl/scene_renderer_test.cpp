#include "view/qt/scene_renderer.h"

#include <gtest/gtest.h>

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLVersionFunctionsFactory>
#include <memory>

#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;

// The renderer alone, drawing hand-made plans into a 64 x 64 framebuffer: the order and states
// of a plan are taken as they are, so the depth bias can be seen against the drawing order.
class SceneRendererTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QSurfaceFormat format;
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setDepthBufferSize(24);
    context_.setFormat(format);
    ASSERT_TRUE(context_.create());
    surface_.setFormat(context_.format());
    surface_.create();
    ASSERT_TRUE(context_.makeCurrent(&surface_));
    framebuffer_ =
        std::make_unique<QOpenGLFramebufferObject>(64, 64, QOpenGLFramebufferObject::Depth);
    ASSERT_TRUE(framebuffer_->bind());
    gl_ = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_3_3_Core>(&context_);
    ASSERT_NE(gl_, nullptr);
    ASSERT_TRUE(gl_->initializeOpenGLFunctions());
    std::string error;
    renderer_ = SceneRenderer::Create(*gl_, QImage(), error);
    ASSERT_TRUE(renderer_) << error;

    // A square of two faces in the display plane z = 0, seen from z = -10.
    colgen::CollBuilder b("square");
    const auto a = b.Vertex({-10, 0, -10});
    const auto c = b.Vertex({-10, 0, 10});
    const auto d = b.Vertex({10, 0, 10});
    const auto e = b.Vertex({10, 0, -10});
    b.Face(a, c, d, colgen::MakeSurface(1));
    b.Face(d, e, a, colgen::MakeSurface(1));
    coll_ = b.Build();
    scene_.RebuildStaticBuffers(SurfaceTypeTable{}, MainColors{}, 8, 8, true);
    scene_.RebuildScene(coll_, {false, false}, SurfaceTypeTable{}, MainColors{}, true);
    ASSERT_TRUE(renderer_->Upload(scene_, error)) << error;
    plan_.ClearColor = 0xFF000000;
    CameraState camera;
    SetCamera(camera, 10, 0, 3 * std::numbers::pi_v<float> / 2, {0, 0, 0});
    plan_.View = ViewMatrix(camera);
    plan_.Projection = ProjectionMatrix();
  }

  void TearDown() override {
    renderer_.reset();
    framebuffer_.reset();
    context_.doneCurrent();
  }

  DrawCommand Square(int bias, std::uint32_t color) const {
    return {.Vertices = VertexSource::Mesh,
            .Indices = IndexSource::Mesh,
            .Count = 6,
            .Shape = Primitive::Triangles,
            .DepthBias = bias,
            .UseDrawColor = true,
            .DrawColor = color};
  }

  // The red positive x axis, five units long, in the plane of the square.
  static DrawCommand XAxis(int bias) {
    return {.Vertices = VertexSource::Axes,
            .Count = 2,
            .Shape = Primitive::Lines,
            .World = Matrix4::Scaling(5, 5, 5),
            .DepthBias = bias};
  }

  std::uint32_t Pixel(int x, int y) {
    renderer_->Draw(plan_, 64, 64);
    return framebuffer_->toImage().pixel(x, y) & 0xFFFFFF;
  }

  QOpenGLContext context_;
  QOffscreenSurface surface_;
  std::unique_ptr<QOpenGLFramebufferObject> framebuffer_;
  QOpenGLFunctions_3_3_Core* gl_ = nullptr;
  std::unique_ptr<SceneRenderer> renderer_;
  Coll coll_;
  Scene scene_;
  FramePlan plan_;
};

TEST_F(SceneRendererTest, TheHigherDepthBiasWinsWhateverTheOrder) {
  plan_.Draws = {Square(4, kRed), Square(2, kGreen)};
  EXPECT_EQ(Pixel(32, 20), kRed & 0xFFFFFF);
  plan_.Draws = {Square(2, kRed), Square(4, kGreen)};
  EXPECT_EQ(Pixel(32, 20), kGreen & 0xFFFFFF);
}

TEST_F(SceneRendererTest, LinesTakeTheDepthBiasToo) {
  // The axis runs from the centre to the right through the square's plane.
  plan_.Draws = {XAxis(4), Square(2, kGreen)};
  std::uint32_t onLine = 0;
  for (int y = 30; y <= 33; ++y)
    onLine = std::max(onLine, Pixel(44, y) >> 16);
  EXPECT_EQ(onLine, 0xFFu);
  plan_.Draws = {XAxis(0), Square(2, kGreen)};
  for (int y = 30; y <= 33; ++y)
    EXPECT_EQ(Pixel(44, y), kGreen & 0xFFFFFF) << y;
}

TEST_F(SceneRendererTest, DepthTestOffLetsTheLaterDrawingShow) {
  DrawCommand behind = Square(0, kGreen);
  behind.World = Matrix4::Translation(0, 0, 5);  // farther away
  behind.DepthTest = false;
  plan_.Draws = {Square(2, kRed), behind};
  EXPECT_EQ(Pixel(32, 20), kGreen & 0xFFFFFF);
  behind.DepthTest = true;
  plan_.Draws = {Square(2, kRed), behind};
  EXPECT_EQ(Pixel(32, 20), kRed & 0xFFFFFF);
}

TEST_F(SceneRendererTest, ClearsToTheBackground) {
  plan_.ClearColor = 0xFF123456;
  plan_.Draws.clear();
  EXPECT_EQ(Pixel(5, 5), 0x123456u);
}

}  // namespace
}  // namespace vantorel
