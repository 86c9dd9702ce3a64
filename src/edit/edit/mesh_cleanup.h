#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "core/coll_records.h"
#include "core/face_groups.h"
#include "core/surface_types.h"
#include "doc/element_lists.h"

namespace vantorel {

// The mesh of a coll is never edited point by point, only thinned out. Each function keeps the
// header's Size and the face groups in step (see RemapFaceGroups, which says what became of the
// groups); none touches the bounding objects, the spheres, the boxes or the shadow mesh.

// Removes the face of the selected line with its line and selects the line at the same index,
// or the last line when the removed face was the last. Its vertices stay. Nothing, changing
// nothing, without a selected line.
std::optional<FaceGroupsRebuild> DeleteSelectedFace(Coll& coll, ElementList& faces);

// Removes every face whose line is checked; the rest keep their order and their (unchecked)
// marks, and the last line is selected. Nothing, changing nothing, when the list is empty.
std::optional<FaceGroupsRebuild> DeleteCheckedFaces(Coll& coll, ElementList& faces);

// The number of vertices no face names.
std::size_t CountUnusedVertices(const Coll& coll);

// Removes the vertices no face names and renumbers the faces so that they name the same
// points, so the faces and their groups stay as they were. An index outside the vertex list
// keeps no vertex and moves down with the vertices removed below it. Returns the number of
// vertices removed.
std::size_t DeleteUnusedVertices(Coll& coll);

// Removes all faces, their lines, their groups and all vertices.
FaceGroupsRebuild DeleteAllVerticesAndFaces(Coll& coll, ElementList& faces);

// "3 vertices deleted."
std::string VerticesDeletedText(std::size_t count);

// The corners and surface type of face index: a heading naming its three vertex indices, one
// line of coordinates per corner ("(none)" for an index outside the vertex list) and the surface
// type's name ("?" beyond the table). Lines end with CR LF except the last. Empty for an index
// outside the faces.
std::string FaceDetailsText(const Coll& coll, int index, const SurfaceTypeTable& surfaces,
                            char decimalSeparator);

}  // namespace vantorel
