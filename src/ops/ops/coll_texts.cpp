#include "ops/coll_texts.h"

namespace vantorel::texts {

Question DeleteQuestion(const std::string& collName) {
  return {"Do you really want to delete " + collName + "?", "Delete Collision Object",
          Buttons::YesNo, Answer::No};
}

Question AppendQuestion() {
  return {
      "The file already exists.\r\nWould you like to append the collision object?\r\n\r\n"
      "(When choosing NO the file will be OVERWRITTEN!)",
      "Append Coll", Buttons::YesNoCancel, Answer::Yes};
}

std::string ExportIntoOpenFile(const std::string& path) {
  return "Cannot export into \"" + path +
         "\": it is the file being edited.\r\nChoose another file.";
}

}  // namespace vantorel::texts
