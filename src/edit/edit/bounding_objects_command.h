#pragma once

#include <string_view>

namespace vantorel {

class Editor;

// The caption of the question that shows the old and the new bounding objects.
inline constexpr std::string_view kBoundingObjectsCaption = "Bounding Objects";

// Computes the bounding box and sphere of the working copy from its vertices, boxes and spheres.
// With ask set and the askRecalc setting on, the old and new values are shown first and only a
// Yes stores the new ones. Storing them marks the coll changed. Nothing happens while no coll is
// loaded.
void RecalcBoundingObjects(Editor& editor, bool ask);

}  // namespace vantorel
