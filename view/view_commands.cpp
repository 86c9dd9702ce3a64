// The rows of the 3D view's switches and the colour settings.
#include "app/command_table.h"

namespace vantorel {

void AddViewCommands(std::vector<CommandRow>& rows) {
  rows.push_back(PendingRow("ColorSettings1", "&Color Settings..."));
}

}  // namespace vantorel
