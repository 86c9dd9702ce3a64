#pragma once

namespace vantorel {

class Editor;

// Computes the bounding box and sphere of the working copy from its vertices, boxes and spheres.
// With ask set and the askRecalc setting on, the old and new values are shown first and only a
// Yes stores the new ones. Storing them marks the coll changed. Nothing happens while no coll is
// loaded.
void RecalcBoundingObjects(Editor& editor, bool ask);

}  // namespace vantorel
