#pragma once

#include <QIcon>

namespace vantorel {

enum class ToolbarIcon {
  Pick,
  Zoom,
  Rotate,
  Move,
  Drawing,
  Surfaces,
  Colors,
  Boundings,
  ImportMesh
};

// Small pictures for the image-only tool buttons, drawn rather than shipped as files.
QIcon MakeToolbarIcon(ToolbarIcon icon);

}  // namespace vantorel
