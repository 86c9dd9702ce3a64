#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "doc/editor_ui.h"

// The fixed texts of the open-file, selection and save commands, in one place.
namespace vantorel::texts {

inline constexpr const char* kReadError = "ERROR while reading collision data!";
inline constexpr const char* kWriteError = "ERROR while writing collision data!";
inline constexpr const char* kNoCollisionData = "No collision data found!";
inline constexpr const char* kColFilter = "Collision files|*.col|All files|*.*";
inline constexpr const char* kColDefaultExt = "*.col";
inline constexpr const char* kOpenTitle = "Open Collision File";
inline constexpr const char* kSaveTitle = "Save Collision File";

Question ApplyQuestion(const std::string& collName);
Question SaveQuestion(const std::string& fileName);
Question OverwriteQuestion(const std::string& fileName, Answer defaultButton);
// Save found the file on disk no longer the one that was opened; No keeps it.
Question ChangedOnDiskQuestion(const std::string& path);

// "At least 2 colls have the same name:" with the first pair, numbered from 1.
std::string DuplicateNamesMessage(const std::string& name, std::size_t first, std::size_t second);
std::string UnknownSurfaceHint(const std::string& collName);
// Save refuses a file whose bytes could not be read when it was opened.
std::string NothingReadToSave(const std::string& path);
// The commands that add colls at the end refuse while the last coll is cut short.
std::string CutShortBeforeAppend(const std::string& lastCollName);
// A model opened as a collision file: its colls are shown, never changed.
std::string ModelCollisionReadOnly(const std::string& fileTitle);
std::string ModelWithoutCollision(const std::string& fileTitle);
// A command that stopped on an unexpected failure; everything it changed was put back.
std::string CommandFailed(std::string_view command, const std::string& reason);

}  // namespace vantorel::texts
