#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "core/coll_codec.h"
#include "doc/editor.h"

namespace vantorel::testing {

// Everything a command may change in the document, for comparing the state before a command
// with the state its undo gives back: the file's bytes, the working copy as a record, the
// current coll and the flags. (The lists' marks are view state; the history gives elements that
// come back their default mark.)
struct DocumentState {
  Bytes Image;
  Bytes WorkingCopy;
  std::int32_t CurrentColl = 0;
  bool CollChanged = false;
  bool FileChanged = false;

  bool operator==(const DocumentState&) const = default;
};

inline Bytes EncodedColl(const Coll& coll) {
  Bytes bytes(RecordLength(coll));
  EncodeColl(coll, bytes.data());
  return bytes;
}

inline DocumentState CaptureDocument(const Editor& editor) {
  return {editor.FileImage(), EncodedColl(editor.WorkingCopy()), editor.CurrentColl(),
          editor.CollChanged(), editor.FileChanged()};
}

// Checks that the last command changed the document, that Undo gives back before and that Redo
// gives back the state the command left.
inline void ExpectUndoAndRedo(Editor& editor, const DocumentState& before) {
  const DocumentState after = CaptureDocument(editor);
  EXPECT_FALSE(after == before) << "the command changed nothing";
  ASSERT_TRUE(editor.CanUndo());
  editor.Undo();
  EXPECT_TRUE(CaptureDocument(editor) == before) << "undo: " << editor.RedoName();
  ASSERT_TRUE(editor.CanRedo());
  editor.Redo();
  EXPECT_TRUE(CaptureDocument(editor) == after) << "redo: " << editor.UndoName();
}

}  // namespace vantorel::testing
