#include "doc/row_conditions.h"

#include <utility>
#include <vector>

#include "core/windows1252.h"
#include "doc/editor.h"
#include "doc/editor_texts.h"

namespace vantorel {

namespace {

const char* ElementName(ListKind kind) {
  switch (kind) {
    case ListKind::Spheres:
      return "sphere";
    case ListKind::Boxes:
      return "box";
    case ListKind::Faces:
      break;
  }
  return "face";
}

const char* ElementsName(ListKind kind) {
  switch (kind) {
    case ListKind::Spheres:
      return "spheres";
    case ListKind::Boxes:
      return "boxes";
    case ListKind::Faces:
      break;
  }
  return "faces";
}

}  // namespace

AppliesCheck When(std::function<bool(const Editor&)> holds, std::string reason, bool told) {
  return [holds = std::move(holds), reason = std::move(reason),
          told](const Editor& editor) -> std::optional<NotApplying> {
    if (holds(editor)) return std::nullopt;
    return NotApplying{reason, told};
  };
}

AppliesCheck AllOf(std::initializer_list<AppliesCheck> checks) {
  return [checks = std::vector<AppliesCheck>(checks)](
             const Editor& editor) -> std::optional<NotApplying> {
    for (const AppliesCheck& check : checks) {
      if (auto notNow = check(editor)) return notNow;
    }
    return std::nullopt;
  };
}

AppliesCheck NeedsOpenFile() {
  return When([](const Editor& e) { return !e.FileName().empty(); }, "No file is open.");
}

AppliesCheck NeedsColl() {
  return When([](const Editor& e) { return e.CollCount() > 0; }, "The file holds no coll.");
}

AppliesCheck NeedsReadColl() {
  return AllOf({NeedsColl(), When([](const Editor& e) { return e.WorkingCopy().IsLoaded(); },
                                  "The current coll holds no collision data that could be read.")});
}

AppliesCheck NeedsSelectedElement(ListKind kind) {
  return When(
      [kind](const Editor& e) {
        const int line = e.Lists().Of(kind).selected;
        return line >= 0 && line < e.ElementCount(kind);
      },
      std::string("No ") + ElementName(kind) + " is selected.");
}

AppliesCheck NeedsElements(ListKind kind) {
  return When([kind](const Editor& e) { return e.ElementCount(kind) > 0; },
              std::string("The coll has no ") + ElementsName(kind) + ".");
}

AppliesCheck NeedsRoomToAppend() {
  return [](const Editor& e) -> std::optional<NotApplying> {
    if (!e.File().LastRecordCutShort()) return std::nullopt;
    return NotApplying{
        texts::CutShortBeforeAppend(Windows1252ToUtf8(e.CollDirectory().back().Name)), true};
  };
}

}  // namespace vantorel
