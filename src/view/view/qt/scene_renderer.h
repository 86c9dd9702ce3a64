#pragma once

#include <QImage>
#include <QOpenGLFunctions_3_3_Core>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "view/frame_plan.h"
#include "view/scene.h"

namespace vantorel {

// The OpenGL side of the view: one small shader pair, one buffer per array of the scene, the
// start-up picture as a texture. It uploads what the scene rebuilt and walks a frame plan; it
// decides nothing about what is drawn. Every call needs the context current.
class SceneRenderer {
 public:
  // Builds the shaders, buffers and texture; on failure returns nothing and says why in error.
  static std::unique_ptr<SceneRenderer> Create(QOpenGLFunctions_3_3_Core& gl, const QImage& credits,
                                               std::string& error);
  ~SceneRenderer();  // frees the GL objects: only while the context is current
  SceneRenderer(const SceneRenderer&) = delete;
  SceneRenderer& operator=(const SceneRenderer&) = delete;

  // Uploads the arrays the scene rebuilt since the last call. Fails with the message of the
  // buffer kind that could not be filled.
  bool Upload(const Scene& scene, std::string& error);
  // Clears and draws the plan into a viewport of the given size in pixels. Allocates nothing.
  void Draw(const FramePlan& plan, int width, int height);

  bool HasCreditsPicture() const { return texture_ != 0; }

 private:
  explicit SceneRenderer(QOpenGLFunctions_3_3_Core& gl) : gl_(gl) {}
  bool Build(const QImage& credits, std::string& error);
  bool UploadArray(GLuint buffer, GLenum target, const void* data, std::size_t bytes);
  void DrawCredits(const DrawCommand& draw);
  void BindVertices(GLuint buffer);
  // Blending by the draw's alpha with the depth buffer left alone, or neither.
  void SetTranslucent(bool on);
  // The depth bias of one level in normalised depth, from the depth buffer drawn into.
  float DepthBiasStep();

  QOpenGLFunctions_3_3_Core& gl_;
  GLuint program_ = 0;
  GLuint vertexArray_ = 0;
  std::array<GLuint, static_cast<std::size_t>(VertexSource::Count)> vertexBuffers_{};
  std::array<GLuint, static_cast<std::size_t>(IndexSource::Count)> indexBuffers_{};
  GLuint creditsBuffer_ = 0;
  GLuint texture_ = 0;
  GLint mvpLocation_ = -1;
  GLint depthOffsetLocation_ = -1;
  GLint useDrawColorLocation_ = -1;
  GLint drawColorLocation_ = -1;
  GLint texturedLocation_ = -1;
  GLint translucentLocation_ = -1;
  GLuint boundVertices_ = 0;
  std::uint64_t staticVersion_ = 0;
  std::uint64_t meshVersion_ = 0;
  std::uint64_t selectionVersion_ = 0;
  std::uint64_t saPartsVersion_ = 0;
  bool uploadedOnce_ = false;
  GLint depthTarget_ = -1;  // the framebuffer whose depth bits gave depthBiasStep_
  float depthBiasStep_ = 0;
};

}  // namespace vantorel
