#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vantorel {

struct CommandLine {
  std::string FileName;  // empty when no argument names an existing file
  bool DebugMode = false;
};

// Reads the arguments (without the program) from the last to the first: "DEBUG" in any case
// sets debug mode, an argument naming an existing file becomes the file, so the first file on
// the command line wins. Anything else is ignored.
CommandLine ReadCommandLine(const std::vector<std::string>& args,
                            const std::function<bool(const std::string&)>& isExistingFile);

struct WindowSize {
  int Width;
  int Height;
};

// The outer size of the main window for a preset on a screen of the given size. A preset
// outside 0..5 gives the normal size and is reset to 0, so 0 is written back at exit.
WindowSize WindowSizeForPreset(int& preset, int screenWidth, int screenHeight);

// The arguments a restarted instance gets: the file (possibly empty, which names no file) and,
// in debug mode, the word "debug" before it.
std::vector<std::string> RestartArguments(bool debugMode, const std::string& fileName);

// The start directory stored at close: the open file's directory with its trailing separator,
// or the open dialog's directory when no file is open.
std::string FilePathAtClose(const std::string& fileName, const std::string& dialogDirectory);

// The directory of a file, with a trailing separator.
std::string DirectoryOf(const std::string& fileName);

}  // namespace vantorel
