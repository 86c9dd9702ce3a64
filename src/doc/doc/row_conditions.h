#pragma once

#include <functional>
#include <initializer_list>
#include <string>

#include "doc/command_row.h"
#include "doc/element_lists.h"

namespace vantorel {

// The conditions the rows of the command table share, each with its reason.

// A condition of its own: holds, or the reason (told or not).
AppliesCheck When(std::function<bool(const Editor&)> holds, std::string reason, bool told = false);
// The first reason of checks, in their order.
AppliesCheck AllOf(std::initializer_list<AppliesCheck> checks);

AppliesCheck NeedsOpenFile();
// At least one coll in the file.
AppliesCheck NeedsColl();
// A working copy that was read: the current coll holds collision data.
AppliesCheck NeedsReadColl();
AppliesCheck NeedsSelectedElement(ListKind kind);
AppliesCheck NeedsElements(ListKind kind);
// No new coll behind a last record that is cut short: it could not be found again. Told.
AppliesCheck NeedsRoomToAppend();

}  // namespace vantorel
