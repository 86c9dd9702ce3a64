#pragma once

#include <QString>

#include "doc/command_row.h"

namespace vantorel {

// The keys the window hears itself rather than as menu shortcuts, found in the command rows.

// The row that key runs in the list named list (a row's ListKey and InList); nullptr for none.
const CommandRow* ListKeyRow(const QString& list, int key);
// The row whose shortcut key passes on to the focused control (the digit keys); nullptr for
// none.
const CommandRow* PassingKeyRow(int key);

}  // namespace vantorel
