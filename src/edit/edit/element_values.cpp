#include "edit/element_values.h"

#include <algorithm>
#include <utility>

#include "core/number_parse.h"
#include "core/number_text.h"
#include "core/surface_types.h"
#include "core/text_trim.h"

namespace vantorel {

namespace {

Surface NewSurface(std::uint8_t material) {
  Surface surface;
  surface.Material = material;
  return surface;
}

void OrderAxis(float& min, float& max) {
  if (min > max) std::swap(min, max);
}

template <class Element>
bool DeleteSelected(std::vector<Element>& elements, ElementList& list) {
  const int index = list.selected;
  if (index < 0 || index >= static_cast<int>(elements.size())) return false;
  elements.erase(elements.begin() + index);
  if (index < list.Count()) list.checked.erase(list.checked.begin() + index);
  list.selected = std::min(index, list.Count() - 1);
  return true;
}

}  // namespace

int AddDialogMaterial(int lastMaterial, MaterialTable which) {
  return lastMaterial >= 0 && lastMaterial < MaterialCount(which) ? lastMaterial : 0;
}

ElementValues NewSphereValues(int lastMaterial, MaterialTable which) {
  ElementValues v;
  v.Kind = ElementKind::Sphere;
  v.Radius = 1;
  v.Material = static_cast<std::uint8_t>(AddDialogMaterial(lastMaterial, which));
  v.Table = which;
  return v;
}

ElementValues NewBoxValues(int lastMaterial, MaterialTable which) {
  ElementValues v;
  v.Kind = ElementKind::Box;
  v.First = {-1, -1, -1};
  v.Second = {1, 1, 1};
  v.Material = static_cast<std::uint8_t>(AddDialogMaterial(lastMaterial, which));
  v.Table = which;
  return v;
}

ElementValues ValuesOf(const CollSphere& sphere) {
  ElementValues v;
  v.Kind = ElementKind::Sphere;
  v.First = sphere.Center;
  v.Radius = sphere.Radius;
  v.Material = sphere.Surface.Material;
  return v;
}

ElementValues ValuesOf(const CollBox& box) {
  ElementValues v;
  v.Kind = ElementKind::Box;
  v.First = box.Min;
  v.Second = box.Max;
  v.Material = box.Surface.Material;
  return v;
}

std::optional<float> ParseFieldReal(std::string_view text, char decimalSeparator) {
  return ParseDecimalReal(TrimBlanksAndControls(text), decimalSeparator);
}

ElementFieldTexts FieldTexts(const ElementValues& values, char decimalSeparator) {
  ElementFieldTexts texts;
  const auto put = [&](std::size_t field, float value) {
    texts[field] = FormatCoordinate(value, decimalSeparator);
  };
  put(0, values.First.X);
  put(1, values.First.Y);
  put(2, values.First.Z);
  if (values.Kind == ElementKind::Box) {
    put(3, values.Second.X);
    put(4, values.Second.Y);
    put(5, values.Second.Z);
  } else {
    put(6, values.Radius);
  }
  return texts;
}

std::optional<ElementValues> ParseFieldTexts(const ElementValues& base,
                                             const ElementFieldTexts& texts,
                                             char decimalSeparator) {
  ElementValues values = base;
  bool valid = true;
  const auto take = [&](std::size_t field, float& target) {
    const auto parsed = ParseFieldReal(texts[field], decimalSeparator);
    if (parsed) {
      target = *parsed;
    } else {
      valid = false;
    }
  };
  take(0, values.First.X);
  take(1, values.First.Y);
  take(2, values.First.Z);
  if (values.Kind == ElementKind::Box) {
    take(3, values.Second.X);
    take(4, values.Second.Y);
    take(5, values.Second.Z);
  } else {
    take(6, values.Radius);
  }
  if (!valid) return std::nullopt;
  return values;
}

void OrderBoxCorners(Vector3& min, Vector3& max) {
  OrderAxis(min.X, max.X);
  OrderAxis(min.Y, max.Y);
  OrderAxis(min.Z, max.Z);
}

void AddSphere(Coll& coll, ElementList& list, const ElementValues& values) {
  coll.Spheres.push_back({values.Radius, values.First, NewSurface(values.Material)});
  RecalcCollSize(coll);
  list.checked.push_back(true);
}

void AddBox(Coll& coll, ElementList& list, const ElementValues& values) {
  CollBox box{values.First, values.Second, NewSurface(values.Material)};
  OrderBoxCorners(box.Min, box.Max);
  coll.Boxes.push_back(box);
  RecalcCollSize(coll);
  list.checked.push_back(true);
}

bool EditSphere(Coll& coll, int index, const ElementValues& values) {
  if (index < 0 || index >= coll.SphereCount()) return false;
  CollSphere& s = coll.Spheres[static_cast<std::size_t>(index)];
  s.Center = values.First;
  s.Radius = values.Radius;
  s.Surface.Material = values.Material;
  return true;
}

bool EditBox(Coll& coll, int index, const ElementValues& values) {
  if (index < 0 || index >= coll.BoxCount()) return false;
  CollBox& b = coll.Boxes[static_cast<std::size_t>(index)];
  b.Min = values.First;
  b.Max = values.Second;
  OrderBoxCorners(b.Min, b.Max);
  b.Surface.Material = values.Material;
  return true;
}

bool DeleteSelectedSphere(Coll& coll, ElementList& list) {
  if (!DeleteSelected(coll.Spheres, list)) return false;
  RecalcCollSize(coll);
  return true;
}

bool DeleteSelectedBox(Coll& coll, ElementList& list) {
  if (!DeleteSelected(coll.Boxes, list)) return false;
  RecalcCollSize(coll);
  return true;
}

}  // namespace vantorel
