#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vantorel {

// What the program was started with.
struct StartContext {
  std::vector<std::string> Arguments;  // the command line without the program, UTF-8
  std::filesystem::path ProgramPath;   // the program file
  std::filesystem::path SettingsPath;  // the settings file, read at start and written at close
  // Whether an argument names an existing file; the file system's answer when empty.
  std::function<bool(const std::string&)> IsExistingFile;
};

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

// The outer size of the main window for a preset (0..5) on a screen of the given size; any
// other preset gives the normal size.
WindowSize WindowSizeForPreset(int preset, int screenWidth, int screenHeight);

// The arguments a restarted instance gets: the file (possibly empty, which names no file) and,
// in debug mode, the word "debug" before it.
std::vector<std::string> RestartArguments(bool debugMode, const std::string& fileName);

// The start directory stored at close: the open file's directory with its trailing separator,
// or the open dialog's directory when no file is open.
std::string FilePathAtClose(const std::string& fileName, const std::string& dialogDirectory);

// The directory of a file, with a trailing separator.
std::string DirectoryOf(const std::string& fileName);

}  // namespace vantorel
