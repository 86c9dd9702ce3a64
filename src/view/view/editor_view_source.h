#pragma once

#include "view/view_source.h"

namespace vantorel {

class Editor;

// What the view reads, taken from the editor: its working copy, the marks of its element lists,
// its surface table, colours and segment counts. A face picked in the view toggles its mark
// through the editor's command boundary, so the face list hears of it as of any other check.
class EditorViewSource : public ViewSource {
 public:
  // Only points at the editor, which need not be built yet: the window makes the view before
  // the editor that reaches it.
  explicit EditorViewSource(Editor* editor) : editor_(*editor) {}

  const Coll& WorkingCopy() const override;
  const std::vector<bool>& SphereChecks() const override;
  const std::vector<bool>& BoxChecks() const override;
  const std::vector<bool>& FaceChecks() const override;
  const SurfaceTypeTable& Surfaces() const override;
  const MainColors& Colors() const override;
  int CSphereDetail() const override;
  int BSphereDetail() const override;
  void ToggleFaceCheck(int face) override;

 private:
  Editor& editor_;
};

}  // namespace vantorel
