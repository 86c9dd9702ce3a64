#pragma once

#include <vector>

#include "core/coll_records.h"
#include "core/surface_types.h"
#include "doc/settings.h"

namespace vantorel {

// What the 3D view reads from the editor when it rebuilds and draws, and the one change it
// makes there: the face pick toggles a check mark of the face list.
class ViewSource {
 public:
  virtual ~ViewSource() = default;

  virtual const Coll& WorkingCopy() const = 0;
  virtual const std::vector<bool>& SphereChecks() const = 0;
  virtual const std::vector<bool>& BoxChecks() const = 0;
  virtual const std::vector<bool>& FaceChecks() const = 0;
  virtual const SurfaceTypeTable& Surfaces() const = 0;
  virtual const MainColors& Colors() const = 0;
  virtual int CSphereDetail() const = 0;  // collision sphere segments
  virtual int BSphereDetail() const = 0;  // bounding sphere segments
  // Inverts the check mark of one line of the face list; the view then rebuilds its selection.
  virtual void ToggleFaceCheck(int face) = 0;
};

// A ViewSource over values of its own, for tools and tests.
struct ViewData : ViewSource {
  Coll coll;
  std::vector<bool> sphereChecks;
  std::vector<bool> boxChecks;
  std::vector<bool> faceChecks;
  SurfaceTypeTable surfaces;
  MainColors colors;
  int cSphereDetail = 16;
  int bSphereDetail = 48;

  // Takes a coll with every sphere and box checked and no face checked, as a fresh list has it.
  void SetColl(Coll value) {
    coll = std::move(value);
    sphereChecks.assign(coll.Spheres.size(), true);
    boxChecks.assign(coll.Boxes.size(), true);
    faceChecks.assign(coll.Faces.size(), false);
  }

  const Coll& WorkingCopy() const override { return coll; }
  const std::vector<bool>& SphereChecks() const override { return sphereChecks; }
  const std::vector<bool>& BoxChecks() const override { return boxChecks; }
  const std::vector<bool>& FaceChecks() const override { return faceChecks; }
  const SurfaceTypeTable& Surfaces() const override { return surfaces; }
  const MainColors& Colors() const override { return colors; }
  int CSphereDetail() const override { return cSphereDetail; }
  int BSphereDetail() const override { return bSphereDetail; }
  void ToggleFaceCheck(int face) override {
    if (face >= 0 && static_cast<std::size_t>(face) < faceChecks.size()) {
      faceChecks[static_cast<std::size_t>(face)] = !faceChecks[static_cast<std::size_t>(face)];
    }
  }
};

}  // namespace vantorel
