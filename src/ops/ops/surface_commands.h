#pragma once

#include "doc/element_lists.h"

namespace vantorel {

class Editor;

// Edits the material and car-part parameter of the selected element of a list in the Change
// Surface dialog. A chosen material becomes LastMaterial.
void ChangeSurface(Editor& editor, ListKind kind);

// Gives every checked element of a list the material LastMaterial (0 before any was chosen),
// after the confirmation when askSurface is on. Only the Material byte changes.
void QuickChange(Editor& editor, ListKind kind);

}  // namespace vantorel
