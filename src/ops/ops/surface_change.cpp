#include "ops/surface_change.h"

#include <algorithm>

#include "core/number_text.h"
#include "core/windows1252.h"

namespace vantorel {

namespace {

constexpr int kTagsPerLine = 7;

std::string_view ElementWord(ListKind kind) {
  switch (kind) {
    case ListKind::Spheres:
      return "sphere ";
    case ListKind::Boxes:
      return "box ";
    case ListKind::Faces:
      break;
  }
  return "face ";
}

char TagLetter(ListKind kind) {
  switch (kind) {
    case ListKind::Spheres:
      return 'S';
    case ListKind::Boxes:
      return 'B';
    case ListKind::Faces:
      break;
  }
  return 'F';
}

std::string_view QuestionTail(ListKind kind) {
  switch (kind) {
    case ListKind::Spheres:
      return ")\r\nto the following checked spheres?\r\n\r\n";
    case ListKind::Boxes:
      return ")\r\nto the following checked boxes?\r\n\r\n";
    case ListKind::Faces:
      break;
  }
  return ")\r\nto the following checked faces?\r\n\r\n";
}

template <class Element>
int AssignMaterial(std::vector<Element>& elements, const std::vector<bool>& checked,
                   std::uint8_t material) {
  const std::size_t n = std::min(elements.size(), checked.size());
  int changed = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (!checked[i]) continue;
    elements[i].Surface.Material = material;
    ++changed;
  }
  return changed;
}

}  // namespace

std::optional<int> ParameterItem(std::uint8_t parameter) {
  for (std::size_t i = 0; i < kCarPartParameters.size(); ++i) {
    if (kCarPartParameters[i].Value == parameter) return static_cast<int>(i);
  }
  return std::nullopt;
}

std::optional<std::uint8_t> ParameterOfItem(int item) {
  if (item < 0 || item >= static_cast<int>(kCarPartParameters.size())) return std::nullopt;
  return kCarPartParameters[static_cast<std::size_t>(item)].Value;
}

std::string MaterialEntry(int material, MaterialTable which, const SurfaceTypeTable& table) {
  return "[" + FormatPadded(material, 2) + "] " + std::string(MaterialName(which, material, table));
}

std::vector<std::string> MaterialEntries(MaterialTable which, const SurfaceTypeTable& table) {
  const int count = MaterialCount(which);
  std::vector<std::string> entries;
  entries.reserve(static_cast<std::size_t>(count));
  for (int material = 0; material < count; ++material)
    entries.push_back(MaterialEntry(material, which, table));
  return entries;
}

SurfaceDialogValues ChangeSurfaceValues(ListKind kind, int index, const Surface& surface,
                                        MaterialTable which, const SurfaceTypeTable& table) {
  SurfaceDialogValues values;
  values.Label = "Here you can change the surface type and parameter of " +
                 std::string(ElementWord(kind)) + std::to_string(index) + ".";
  for (const std::string& entry : MaterialEntries(which, table))
    values.Materials.push_back(Windows1252ToUtf8(entry));
  if (surface.Material < MaterialCount(which)) values.MaterialItem = surface.Material;
  values.ParameterItem = ParameterItem(surface.Parameter);
  return values;
}

int ApplySurfaceChoice(Surface& surface, const SurfaceChoice& choice, int lastMaterial,
                       MaterialTable which) {
  if (choice.MaterialItem && *choice.MaterialItem >= 0 &&
      *choice.MaterialItem < MaterialCount(which)) {
    surface.Material = static_cast<std::uint8_t>(*choice.MaterialItem);
    lastMaterial = *choice.MaterialItem;
  }
  if (choice.ParameterItem) {
    if (const auto parameter = ParameterOfItem(*choice.ParameterItem))
      surface.Parameter = *parameter;
  }
  return lastMaterial;
}

int QuickChangeMaterial(int lastMaterial, MaterialTable which) {
  return lastMaterial < 0 || lastMaterial >= MaterialCount(which) ? 0 : lastMaterial;
}

std::optional<std::string> QuickChangeQuestion(ListKind kind, const std::vector<bool>& checked,
                                               int material, MaterialTable which,
                                               const SurfaceTypeTable& table) {
  if (std::find(checked.begin(), checked.end(), true) == checked.end()) return std::nullopt;
  std::string text = "Would you like to assign the surface \"" +
                     std::string(MaterialName(which, material, table)) + "\" (" +
                     std::to_string(material) + std::string(QuestionTail(kind));
  int tags = 0;
  for (std::size_t i = 0; i < checked.size(); ++i) {
    if (!checked[i]) continue;
    text += TagLetter(kind);
    text += FormatIndex(static_cast<std::int64_t>(i)) + ", ";
    if (++tags % kTagsPerLine == 0) text += "\r\n";
  }
  // The list ends with its last tag: drop the separator, or the separator and line break.
  text.resize(text.size() - 2);
  if (text.back() == ' ') text.resize(text.size() - 2);
  return text;
}

int AssignMaterialToChecked(Coll& coll, ListKind kind, const std::vector<bool>& checked,
                            std::uint8_t material) {
  switch (kind) {
    case ListKind::Spheres:
      return AssignMaterial(coll.Spheres, checked, material);
    case ListKind::Boxes:
      return AssignMaterial(coll.Boxes, checked, material);
    case ListKind::Faces:
      break;
  }
  return AssignMaterial(coll.Faces, checked, material);
}

}  // namespace vantorel
