#pragma once

#include <string>

namespace vantorel {

class EditorUi;

// "Register File Type...": asks, then makes the program the opener of ".col" files.
void RegisterFileTypeCommand(EditorUi& ui, const std::string& programPath);

}  // namespace vantorel
