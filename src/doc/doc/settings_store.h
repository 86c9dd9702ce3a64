#pragma once

#include <string>

#include "core/ini_file.h"
#include "core/surface_types.h"
#include "doc/settings.h"

namespace vantorel {

// The settings and the surface type table as "Vantorel.ini" holds them. Keys are looked up
// without regard to case; a missing key takes its built-in default, whatever the arguments held
// before, and the values read are brought into their ranges.
void ReadSettings(const IniFile& ini, const std::string& programDir, Settings& settings,
                  SurfaceTypeTable& surfaces);

// Every key in the order the Windows builds write them. Colours are written as signed 32-bit
// decimals and flags as 1 or 0, which is how those builds read them back.
IniFile WriteSettings(const Settings& settings, const SurfaceTypeTable& surfaces);

}  // namespace vantorel
