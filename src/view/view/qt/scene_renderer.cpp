#include "view/qt/scene_renderer.h"

#include <cmath>

namespace vantorel {

namespace {

// Depth bias comes in two parts. Each level moves a drawing a few steps of the depth buffer
// towards the eye, for lines and triangles alike: that orders drawings that truly coincide, such
// as a bounding box edge on a box edge. But a line along a triangle's edge is given depths along
// the edge, while the triangle's pixels beside it take the depth of the triangle's plane at
// their centres; on a slanted triangle (the flanks of every sphere) the two differ by up to
// the triangle's depth slope per pixel, far more than any fixed step near the silhouette. So
// filled triangles below the wireframe level are also pushed back by their own slope
// (glPolygonOffset's factor, which lines never take), a pixel's worth per level.
constexpr int kBiasStepsPerLevel = 8;
constexpr float kSlopePerLevel = 1.0f;
constexpr int kAssumedDepthBits = 24;

const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec4 color;
uniform mat4 mvp;
uniform float depthOffset;
uniform bool useDrawColor;
uniform vec4 drawColor;
out vec4 vertexColor;
out vec2 pictureCoord;
void main() {
  vec4 p = mvp * vec4(position, 1.0);
  p.z -= depthOffset * p.w;
  gl_Position = p;
  vertexColor = useDrawColor ? drawColor : color;
  pictureCoord = vec2(position.x * 0.5 + 0.5, 0.5 - position.y * 0.5);
}
)";

const char* const kFragmentShader = R"(#version 330 core
in vec4 vertexColor;
in vec2 pictureCoord;
uniform bool textured;
uniform bool translucent;
uniform sampler2D picture;
out vec4 fragColor;
void main() {
  vec4 c = vertexColor;
  if (textured) c *= texture(picture, pictureCoord);
  fragColor = vec4(c.rgb, translucent ? c.a : 1.0);
}
)";

// The whole viewport at depth 0.5, as a strip.
constexpr float kCreditsQuad[] = {-1, 1, 0, 1, 1, 0, -1, -1, 0, 1, -1, 0};

void SetColor(QOpenGLFunctions_3_3_Core& gl, GLint location, std::uint32_t argb) {
  gl.glUniform4f(location, static_cast<float>((argb >> 16) & 0xFF) / 255.0f,
                 static_cast<float>((argb >> 8) & 0xFF) / 255.0f,
                 static_cast<float>(argb & 0xFF) / 255.0f,
                 static_cast<float>((argb >> 24) & 0xFF) / 255.0f);
}

GLenum Mode(Primitive shape) {
  return shape == Primitive::Lines ? GL_LINES : GL_TRIANGLES;
}

}  // namespace

std::unique_ptr<SceneRenderer> SceneRenderer::Create(QOpenGLFunctions_3_3_Core& gl,
                                                     const QImage& credits, std::string& error) {
  std::unique_ptr<SceneRenderer> renderer(new SceneRenderer(gl));
  if (!renderer->Build(credits, error)) return nullptr;  // the destructor frees what was made
  return renderer;
}

bool SceneRenderer::Build(const QImage& credits, std::string& error) {
  const auto compile = [&](GLenum kind, const char* source) -> GLuint {
    const GLuint shader = gl_.glCreateShader(kind);
    gl_.glShaderSource(shader, 1, &source, nullptr);
    gl_.glCompileShader(shader);
    GLint ok = 0;
    gl_.glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok) return shader;
    char log[512] = {};
    gl_.glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    error = std::string("the shaders could not be built: ") + log;
    gl_.glDeleteShader(shader);
    return 0;
  };
  const GLuint vertex = compile(GL_VERTEX_SHADER, kVertexShader);
  if (vertex == 0) return false;
  const GLuint fragment = compile(GL_FRAGMENT_SHADER, kFragmentShader);
  if (fragment == 0) {
    gl_.glDeleteShader(vertex);
    return false;
  }
  program_ = gl_.glCreateProgram();
  gl_.glAttachShader(program_, vertex);
  gl_.glAttachShader(program_, fragment);
  gl_.glLinkProgram(program_);
  gl_.glDeleteShader(vertex);
  gl_.glDeleteShader(fragment);
  GLint linked = 0;
  gl_.glGetProgramiv(program_, GL_LINK_STATUS, &linked);
  if (!linked) {
    error = "the shaders could not be linked";
    return false;
  }
  mvpLocation_ = gl_.glGetUniformLocation(program_, "mvp");
  depthOffsetLocation_ = gl_.glGetUniformLocation(program_, "depthOffset");
  useDrawColorLocation_ = gl_.glGetUniformLocation(program_, "useDrawColor");
  drawColorLocation_ = gl_.glGetUniformLocation(program_, "drawColor");
  texturedLocation_ = gl_.glGetUniformLocation(program_, "textured");
  translucentLocation_ = gl_.glGetUniformLocation(program_, "translucent");

  gl_.glGenVertexArrays(1, &vertexArray_);
  gl_.glGenBuffers(static_cast<GLsizei>(vertexBuffers_.size()), vertexBuffers_.data());
  gl_.glGenBuffers(static_cast<GLsizei>(indexBuffers_.size()), indexBuffers_.data());
  gl_.glGenBuffers(1, &creditsBuffer_);
  gl_.glBindVertexArray(vertexArray_);
  gl_.glBindBuffer(GL_ARRAY_BUFFER, creditsBuffer_);
  gl_.glBufferData(GL_ARRAY_BUFFER, sizeof kCreditsQuad, kCreditsQuad, GL_STATIC_DRAW);
  gl_.glEnableVertexAttribArray(0);
  gl_.glEnableVertexAttribArray(1);

  if (!credits.isNull()) {
    const QImage rgba = credits.convertToFormat(QImage::Format_RGBA8888);
    gl_.glGenTextures(1, &texture_);
    gl_.glBindTexture(GL_TEXTURE_2D, texture_);
    gl_.glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    gl_.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, rgba.width(), rgba.height(), 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, rgba.constBits());
    gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    gl_.glBindTexture(GL_TEXTURE_2D, 0);
  }
  if (gl_.glGetError() == GL_OUT_OF_MEMORY) {
    error = "ERROR vertex buffer";
    return false;
  }
  return true;
}

SceneRenderer::~SceneRenderer() {
  if (texture_ != 0) gl_.glDeleteTextures(1, &texture_);
  gl_.glDeleteBuffers(1, &creditsBuffer_);
  gl_.glDeleteBuffers(static_cast<GLsizei>(indexBuffers_.size()), indexBuffers_.data());
  gl_.glDeleteBuffers(static_cast<GLsizei>(vertexBuffers_.size()), vertexBuffers_.data());
  if (vertexArray_ != 0) gl_.glDeleteVertexArrays(1, &vertexArray_);
  if (program_ != 0) gl_.glDeleteProgram(program_);
}

bool SceneRenderer::UploadArray(GLuint buffer, GLenum target, const void* data, std::size_t bytes) {
  while (gl_.glGetError() != GL_NO_ERROR) {
  }
  if (target == GL_ELEMENT_ARRAY_BUFFER) gl_.glBindVertexArray(vertexArray_);
  gl_.glBindBuffer(target, buffer);
  gl_.glBufferData(target, static_cast<GLsizeiptr>(bytes), bytes == 0 ? nullptr : data,
                   GL_STATIC_DRAW);
  boundVertices_ = 0;
  return gl_.glGetError() == GL_NO_ERROR;
}

bool SceneRenderer::Upload(const Scene& scene, std::string& error) {
  const auto vertices = [&](VertexSource source) {
    const auto span = scene.Vertices(source);
    if (UploadArray(vertexBuffers_[static_cast<std::size_t>(source)], GL_ARRAY_BUFFER, span.data(),
                    span.size_bytes())) {
      return true;
    }
    error = "ERROR vertex buffer";
    return false;
  };
  const auto indices = [&](IndexSource source) {
    const auto span = scene.Indices(source);
    if (UploadArray(indexBuffers_[static_cast<std::size_t>(source)], GL_ELEMENT_ARRAY_BUFFER,
                    span.data(), span.size_bytes())) {
      return true;
    }
    error = "ERROR index buffer";
    return false;
  };
  if (!uploadedOnce_ || scene.StaticVersion() != staticVersion_) {
    for (VertexSource source :
         {VertexSource::Axes, VertexSource::BoundingBox, VertexSource::SurfaceBoxes,
          VertexSource::WireframeBox, VertexSource::SurfaceSpheres, VertexSource::WireframeSphere,
          VertexSource::BoundingSphere}) {
      if (!vertices(source)) return false;
    }
    for (IndexSource source : {IndexSource::BoxLines, IndexSource::BoxTriangles,
                               IndexSource::SphereTriangles, IndexSource::BoundingSphereLines}) {
      if (!indices(source)) return false;
    }
    staticVersion_ = scene.StaticVersion();
  }
  if (!uploadedOnce_ || scene.MeshVersion() != meshVersion_) {
    if (!vertices(VertexSource::Mesh) || !indices(IndexSource::Mesh)) return false;
    meshVersion_ = scene.MeshVersion();
  }
  if (!uploadedOnce_ || scene.SelectionVersion() != selectionVersion_) {
    if (!indices(IndexSource::Selection)) return false;
    selectionVersion_ = scene.SelectionVersion();
  }
  if (!uploadedOnce_ || scene.SaPartsVersion() != saPartsVersion_) {
    if (!vertices(VertexSource::ShadowMesh) || !indices(IndexSource::ShadowMesh) ||
        !vertices(VertexSource::FaceGroupBoxes) || !indices(IndexSource::FaceGroupLines)) {
      return false;
    }
    saPartsVersion_ = scene.SaPartsVersion();
  }
  uploadedOnce_ = true;
  return true;
}

void SceneRenderer::BindVertices(GLuint buffer) {
  if (buffer == boundVertices_) return;
  gl_.glBindBuffer(GL_ARRAY_BUFFER, buffer);
  gl_.glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(ColorVertex), nullptr);
  // The ARGB word lies in memory as B, G, R, A.
  gl_.glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(ColorVertex),
                            reinterpret_cast<const void*>(offsetof(ColorVertex, Color)));
  boundVertices_ = buffer;
}

void SceneRenderer::Draw(const FramePlan& plan, int width, int height) {
  gl_.glViewport(0, 0, width, height);
  gl_.glClearColor(static_cast<float>((plan.ClearColor >> 16) & 0xFF) / 255.0f,
                   static_cast<float>((plan.ClearColor >> 8) & 0xFF) / 255.0f,
                   static_cast<float>(plan.ClearColor & 0xFF) / 255.0f, 1.0f);
  gl_.glClearDepth(1.0);
  gl_.glDepthMask(GL_TRUE);
  gl_.glDisable(GL_BLEND);
  gl_.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  gl_.glDepthFunc(GL_LEQUAL);
  // Direct3D's convention, which the scene's shapes follow: front faces run clockwise on the
  // screen, and culling removes the counter-clockwise ones.
  gl_.glFrontFace(GL_CW);
  gl_.glCullFace(GL_BACK);
  gl_.glUseProgram(program_);
  gl_.glBindVertexArray(vertexArray_);
  gl_.glUniform1i(texturedLocation_, 0);
  gl_.glUniform1i(translucentLocation_, 0);
  boundVertices_ = 0;

  const float biasStep = DepthBiasStep();
  const Matrix4 viewProjection = plan.View * ToOpenGlDepthRange(plan.Projection);
  for (const DrawCommand& draw : plan.Draws) {
    if (draw.DepthTest) {
      gl_.glEnable(GL_DEPTH_TEST);
    } else {
      gl_.glDisable(GL_DEPTH_TEST);
    }
    SetTranslucent(draw.Translucent && !draw.Credits);
    if (draw.Credits) {
      DrawCredits(draw);
      continue;
    }
    const Matrix4 mvp = draw.World * viewProjection;
    gl_.glUniformMatrix4fv(mvpLocation_, 1, GL_FALSE, mvp.m.data());
    gl_.glUniform1f(depthOffsetLocation_, static_cast<float>(draw.DepthBias) * biasStep);
    const bool filled = draw.Shape == Primitive::Triangles && draw.Fill == FillMode::Solid;
    if (filled && draw.DepthBias < kWireframeBias) {
      gl_.glEnable(GL_POLYGON_OFFSET_FILL);
      gl_.glPolygonOffset(static_cast<float>(kWireframeBias - draw.DepthBias) * kSlopePerLevel, 0);
    } else {
      gl_.glDisable(GL_POLYGON_OFFSET_FILL);
    }
    gl_.glUniform1i(useDrawColorLocation_, draw.UseDrawColor ? 1 : 0);
    if (draw.UseDrawColor) SetColor(gl_, drawColorLocation_, draw.DrawColor);
    gl_.glPolygonMode(GL_FRONT_AND_BACK, draw.Fill == FillMode::Wireframe ? GL_LINE : GL_FILL);
    if (draw.Cull) {
      gl_.glEnable(GL_CULL_FACE);
    } else {
      gl_.glDisable(GL_CULL_FACE);
    }
    BindVertices(vertexBuffers_[static_cast<std::size_t>(draw.Vertices)]);
    const auto count = static_cast<GLsizei>(draw.Count);
    if (draw.Indices == IndexSource::None) {
      gl_.glDrawArrays(Mode(draw.Shape), static_cast<GLint>(draw.FirstVertex), count);
    } else {
      gl_.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER,
                       indexBuffers_[static_cast<std::size_t>(draw.Indices)]);
      gl_.glDrawElementsBaseVertex(
          Mode(draw.Shape), count, GL_UNSIGNED_INT,
          reinterpret_cast<const void*>(std::uintptr_t{draw.FirstIndex} * sizeof(std::uint32_t)),
          static_cast<GLint>(draw.FirstVertex));
    }
  }
  SetTranslucent(false);
  gl_.glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  gl_.glDisable(GL_CULL_FACE);
  gl_.glDisable(GL_POLYGON_OFFSET_FILL);
}

void SceneRenderer::SetTranslucent(bool on) {
  gl_.glUniform1i(translucentLocation_, on ? 1 : 0);
  if (on) {
    gl_.glEnable(GL_BLEND);
    // The frame's own alpha stays whole: nothing behind the window shows through the view.
    gl_.glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ZERO, GL_ONE);
  } else {
    gl_.glDisable(GL_BLEND);
  }
  gl_.glDepthMask(on ? GL_FALSE : GL_TRUE);
}

float SceneRenderer::DepthBiasStep() {
  GLint target = 0;
  gl_.glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &target);
  if (target == depthTarget_) return depthBiasStep_;
  while (gl_.glGetError() != GL_NO_ERROR) {
  }
  GLint bits = 0;
  gl_.glGetFramebufferAttachmentParameteriv(GL_DRAW_FRAMEBUFFER,
                                            target == 0 ? GL_DEPTH : GL_DEPTH_ATTACHMENT,
                                            GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE, &bits);
  if (gl_.glGetError() != GL_NO_ERROR || bits <= 0 || bits > 32) bits = kAssumedDepthBits;
  // Normalised depth spans 2 for the buffer's 2^bits steps.
  depthBiasStep_ = 2.0f * kBiasStepsPerLevel / static_cast<float>(std::exp2(bits));
  depthTarget_ = target;
  return depthBiasStep_;
}

void SceneRenderer::DrawCredits(const DrawCommand& draw) {
  if (texture_ == 0) return;  // without its picture the start-up fade shows nothing
  const float grey = static_cast<float>(draw.CreditsLevel) / 255.0f;
  gl_.glUniformMatrix4fv(mvpLocation_, 1, GL_FALSE, Matrix4::Identity().m.data());
  gl_.glUniform1f(depthOffsetLocation_, 0);
  gl_.glUniform1i(useDrawColorLocation_, 1);
  gl_.glUniform4f(drawColorLocation_, grey, grey, grey, 1);
  gl_.glUniform1i(texturedLocation_, 1);
  gl_.glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  gl_.glDisable(GL_CULL_FACE);
  // The picture is added in proportion to its own brightness: black leaves the scene as it is.
  gl_.glEnable(GL_BLEND);
  gl_.glBlendFunc(GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR);
  gl_.glActiveTexture(GL_TEXTURE0);
  gl_.glBindTexture(GL_TEXTURE_2D, texture_);
  gl_.glBindBuffer(GL_ARRAY_BUFFER, creditsBuffer_);
  gl_.glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);
  gl_.glDisableVertexAttribArray(1);
  gl_.glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
  gl_.glEnableVertexAttribArray(1);
  boundVertices_ = 0;
  gl_.glBindTexture(GL_TEXTURE_2D, 0);
  gl_.glDisable(GL_BLEND);
  gl_.glUniform1i(texturedLocation_, 0);
}

}  // namespace vantorel
