#pragma once

namespace vantorel {

class Editor;

// The commands of the face list's pop-up menu. The mesh is only thinned out, never edited point
// by point; nothing asks before deleting, nothing recomputes the bounding objects, and the view
// is rebuilt where it looks. A command that removes faces of a coll with face groups says
// afterwards what became of the groups. Their rows run them only with their precondition (a loaded
// coll, faces, a selected line).

// Removes the selected face; its vertices stay.
void DeleteFace(Editor& editor);
// Removes every checked face. Marks the coll changed even when no line is checked.
void DeleteCheckedFaces(Editor& editor);
// Removes the vertices no face names, renumbering the faces, and says how many went. Marks the
// coll changed only when one went.
void DeleteUnusedVertices(Editor& editor);
// Removes every face and vertex; spheres, boxes and the bounding objects stay.
void DeleteAllVerticesAndFaces(Editor& editor);
// Shows the selected face's vertex indices, their coordinates and its surface type.
void ShowFaceDetails(Editor& editor);

}  // namespace vantorel
