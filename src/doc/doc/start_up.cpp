#include "doc/start_up.h"

#include <cmath>
#include <filesystem>

namespace vantorel {

namespace {

bool EqualsIgnoringCase(const std::string& text, const char* word) {
  std::size_t i = 0;
  for (; i < text.size() && word[i] != '\0'; ++i) {
    const char c = (text[i] >= 'a' && text[i] <= 'z') ? static_cast<char>(text[i] - 32) : text[i];
    if (c != word[i]) return false;
  }
  return i == text.size() && word[i] == '\0';
}

// A share of a screen dimension, rounded to the nearest integer with halves to the even one.
int Share(int dimension, int percent) {
  return static_cast<int>(std::nearbyint(static_cast<double>(dimension) * percent / 100.0));
}

}  // namespace

CommandLine ReadCommandLine(const std::vector<std::string>& args,
                            const std::function<bool(const std::string&)>& isExistingFile) {
  CommandLine line;
  for (auto it = args.rbegin(); it != args.rend(); ++it) {
    if (EqualsIgnoringCase(*it, "DEBUG")) {
      line.DebugMode = true;
    } else if (!it->empty() && isExistingFile(*it)) {
      line.FileName = *it;
    }
  }
  return line;
}

WindowSize WindowSizeForPreset(int preset, int screenWidth, int screenHeight) {
  switch (preset) {
    case 0:
      return {645, 484};
    case 1:
      return {805, 644};
    case 2:
      return {Share(screenWidth, 50), Share(screenHeight, 50)};
    case 3:
      return {Share(screenWidth, 80), Share(screenHeight, 80)};
    case 4:
      return {Share(screenWidth, 90), Share(screenHeight, 90)};
    case 5:
      return {screenWidth, screenHeight};
    default:
      return {645, 484};
  }
}

std::vector<std::string> RestartArguments(bool debugMode, const std::string& fileName) {
  if (debugMode) return {"debug", fileName};
  return {fileName};
}

std::string DirectoryOf(const std::string& fileName) {
  std::filesystem::path directory = std::filesystem::path(fileName).parent_path();
  std::string text = directory.string();
  if (!text.empty() && text.back() != std::filesystem::path::preferred_separator) {
    text += std::filesystem::path::preferred_separator;
  }
  return text;
}

std::string FilePathAtClose(const std::string& fileName, const std::string& dialogDirectory) {
  const bool blank = fileName.find_first_not_of(" \t") == std::string::npos;
  return blank ? dialogDirectory : DirectoryOf(fileName);
}

}  // namespace vantorel
