#pragma once

#include <QIcon>
#include <string_view>

namespace vantorel {

// Small pictures for the image-only tool buttons, drawn rather than shipped as files, by the
// names the command rows give: "Pick", "Zoom", "Rotate", "Move", "Drawing", "Surfaces",
// "Colors", "Boundings", "ImportMesh", "ShadowMesh", "FaceGroups". An unknown name gives an
// empty picture.
QIcon MakeToolbarIcon(std::string_view name);

}  // namespace vantorel
