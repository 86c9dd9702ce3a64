#include "doc/editor_texts.h"

namespace vantorel::texts {

Question ApplyQuestion(const std::string& collName) {
  return {"Do you want to apply changes made to " + collName + "?", "Apply Changes",
          Buttons::YesNoCancel, Answer::Yes};
}

Question SaveQuestion(const std::string& fileName) {
  return {"Do you want to save changes made to " + fileName + "?", "Save File",
          Buttons::YesNoCancel, Answer::Yes};
}

Question OverwriteQuestion(const std::string& fileName, Answer defaultButton) {
  return {"Do you really want to overwrite " + fileName + "?", "Save File", Buttons::YesNoCancel,
          defaultButton};
}

Question ChangedOnDiskQuestion(const std::string& path) {
  return {
      "The file " + path + " was changed on disk since it was opened. Do you want to overwrite it?",
      "Save File", Buttons::YesNo, Answer::No};
}

std::string DuplicateNamesMessage(const std::string& name, std::size_t first, std::size_t second) {
  return "At least 2 colls have the same name:\r\n\"" + name + "\" (" + std::to_string(first + 1) +
         " and " + std::to_string(second + 1) + ")\r\nAll names must be unique!";
}

std::string UnknownSurfaceHint(const std::string& collName) {
  return "HINT: \"" + collName + "\" includes unknown surface types!";
}

std::string CutShortBeforeAppend(const std::string& lastCollName) {
  return "The last collision object, \"" + lastCollName +
         "\", is cut short: its record reaches past the end of the file.\r\nA collision object "
         "added after it could not be found again, so nothing was added.\r\nReplace that "
         "collision object first.";
}

std::string ModelCollisionReadOnly(const std::string& fileTitle) {
  return fileTitle +
         " is a model: the colls shown are the collision it carries, and they cannot be changed "
         "here. For a copy you can edit, export them to a .col file (Coll > Edit > Export..., or "
         "vantorel-cli export) and open that file.";
}

std::string ModelWithoutCollision(const std::string& fileTitle) {
  return fileTitle + " is a model that carries no collision.";
}

std::string NothingReadToSave(const std::string& path) {
  return "Cannot save file \"" + path +
         "\". It could not be read when it was opened, so the editor holds nothing of it; "
         "saving would replace it with an empty file.";
}

std::string CommandFailed(std::string_view command, const std::string& reason) {
  std::string text = "ERROR! ";
  text += command.empty() ? std::string("The command") : "\"" + std::string(command) + "\"";
  return text + " could not be completed (" + reason +
         "). The file and the coll are as they were before it.";
}

}  // namespace vantorel::texts
