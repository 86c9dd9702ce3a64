#include "view/editor_view_source.h"

#include "doc/editor.h"

namespace vantorel {

const Coll& EditorViewSource::WorkingCopy() const {
  return editor_.WorkingCopy();
}

const std::vector<bool>& EditorViewSource::SphereChecks() const {
  return editor_.Lists().Spheres.checked;
}

const std::vector<bool>& EditorViewSource::BoxChecks() const {
  return editor_.Lists().Boxes.checked;
}

const std::vector<bool>& EditorViewSource::FaceChecks() const {
  return editor_.Lists().Faces.checked;
}

const SurfaceTypeTable& EditorViewSource::Surfaces() const {
  return editor_.SurfaceTypes();
}

const MainColors& EditorViewSource::Colors() const {
  return editor_.Settings().Colors;
}

int EditorViewSource::CSphereDetail() const {
  return editor_.Settings().CSphereDetail;
}

int EditorViewSource::BSphereDetail() const {
  return editor_.Settings().BSphereDetail;
}

void EditorViewSource::ToggleFaceCheck(int face) {
  editor_.Run({}, [&] { editor_.ToggleCheck(ListKind::Faces, face); });
}

}  // namespace vantorel
