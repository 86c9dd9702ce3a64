#include "app/file_type_registration.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
// The shell header needs the types of the one before it.
#include <shlobj.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/file_io.h"

extern char** environ;
#endif

namespace vantorel {

namespace {

std::string_view TrimSpace(std::string_view text) {
  constexpr std::string_view kSpace = " \t\r";
  const std::size_t first = text.find_first_not_of(kSpace);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

// Characters of an Exec argument that force it into double quotes.
constexpr std::string_view kExecReserved = " \t\n\"'\\><~|&;$*?#()`";

// The escapes every string value of a desktop entry goes through, applied after the quoting.
std::string EscapeDesktopString(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '\\':
        escaped += "\\\\";
        break;
      case '\n':
        escaped += "\\n";
        break;
      case '\t':
        escaped += "\\t";
        break;
      case '\r':
        escaped += "\\r";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

// One line of a mimeapps.list, split the way the desktop readers split it.
struct ListLine {
  std::string Text;  // as found, a "\r" at its end included
  bool Carriage() const { return !Text.empty() && Text.back() == '\r'; }
  std::optional<std::string_view> Group() const {
    const std::string_view line = TrimSpace(Text);
    if (!line.starts_with('[')) return std::nullopt;
    const std::size_t close = line.find(']');
    return line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
  }
  // The value when this line sets key, else nullopt.
  std::optional<std::string_view> ValueOf(std::string_view key) const {
    const std::string_view line = TrimSpace(Text);
    if (line.starts_with('#') || line.starts_with('[')) return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || TrimSpace(line.substr(0, equals)) != key) {
      return std::nullopt;
    }
    return TrimSpace(line.substr(equals + 1));
  }
};

std::vector<ListLine> SplitLines(std::string_view text) {
  std::vector<ListLine> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.push_back({std::string(text.substr(0, end))});
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  return lines;
}

std::vector<std::string> SplitList(std::string_view value) {
  std::vector<std::string> items;
  while (!value.empty()) {
    const std::size_t end = value.find(';');
    const std::string_view item = TrimSpace(value.substr(0, end));
    if (!item.empty()) items.emplace_back(item);
    value = end == std::string_view::npos ? std::string_view() : value.substr(end + 1);
  }
  return items;
}

std::string JoinList(const std::vector<std::string>& items) {
  std::string value;
  for (const std::string& item : items) {
    value += item + ";";
  }
  return value;
}

// Keeps the line's own line end so a file written on Windows stays consistent.
void Rewrite(ListLine& line, std::string_view key, std::string_view value) {
  const bool carriage = line.Carriage();
  line.Text = std::string(key) + "=" + std::string(value) + (carriage ? "\r" : "");
}

// Puts "key=value" at the end of the group's first appearance, before the blank lines that
// separate it from the next group, or appends the group when the file has none.
void AddToGroup(std::vector<ListLine>& lines, std::string_view group, std::string line) {
  const auto header = std::find_if(lines.begin(), lines.end(),
                                   [&](const ListLine& l) { return l.Group() == group; });
  if (header == lines.end()) {
    if (!lines.empty() && !TrimSpace(lines.back().Text).empty()) lines.push_back({""});
    lines.push_back({"[" + std::string(group) + "]"});
    lines.push_back({std::move(line)});
    return;
  }
  auto end = std::find_if(header + 1, lines.end(),
                          [](const ListLine& l) { return l.Group().has_value(); });
  while (end - 1 != header && TrimSpace((end - 1)->Text).empty()) {
    --end;
  }
  lines.insert(end, {std::move(line)});
}

constexpr std::string_view kDefaultGroup = "Default Applications";
constexpr std::string_view kAddedGroup = "Added Associations";
constexpr std::string_view kRemovedGroup = "Removed Associations";

}  // namespace

std::string CollisionMimePackage() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
         "  <mime-type type=\"" +
         std::string(kCollisionMimeType) +
         "\">\n"
         "    <comment>" +
         std::string(kCollisionTypeComment) +
         "</comment>\n"
         "    <glob pattern=\"*.col\"/>\n"
         "  </mime-type>\n"
         "</mime-info>\n";
}

std::string DesktopExecArgument(std::string_view programPath) {
  std::string argument;
  const bool quoted =
      programPath.empty() || programPath.find_first_of(kExecReserved) != std::string_view::npos;
  if (quoted) argument += '"';
  for (const char c : programPath) {
    if (quoted && (c == '"' || c == '`' || c == '$' || c == '\\')) argument += '\\';
    // A lone percent sign would start a field code.
    if (c == '%') argument += '%';
    argument += c;
  }
  if (quoted) argument += '"';
  return EscapeDesktopString(argument);
}

std::string CollisionDesktopEntry(std::string_view programPath) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Vantorel\n"
         "Comment=Collision file editor for GTA III and Vice City\n"
         "Exec=" +
         DesktopExecArgument(programPath) +
         " %f\n"
         "Icon=vantorel\n"
         "Terminal=false\n"
         "Categories=Graphics;3DGraphics;\n"
         "MimeType=" +
         std::string(kCollisionMimeType) + ";\n";
}

std::string SetDefaultApplication(std::string_view mimeappsList, std::string_view mimeType,
                                  std::string_view desktopId) {
  std::vector<ListLine> lines;
  bool defaultSet = false;
  bool added = false;
  std::optional<std::string> group;
  for (ListLine& line : SplitLines(mimeappsList)) {
    if (const auto name = line.Group()) group = std::string(*name);
    const std::optional<std::string_view> value = line.ValueOf(mimeType);
    if (!value || !group) {
      lines.push_back(std::move(line));
      continue;
    }
    std::vector<std::string> items = SplitList(*value);
    std::erase(items, std::string(desktopId));
    // A second line for the type in the same group would only confuse which one counts.
    bool keep = true;
    if (*group == kDefaultGroup) {
      keep = !defaultSet;
      defaultSet = true;
      Rewrite(line, mimeType, desktopId);
    } else if (*group == kAddedGroup) {
      keep = !added;
      added = true;
      items.insert(items.begin(), std::string(desktopId));
      Rewrite(line, mimeType, JoinList(items));
    } else if (*group == kRemovedGroup) {
      keep = !items.empty();
      Rewrite(line, mimeType, JoinList(items));
    }
    if (keep) lines.push_back(std::move(line));
  }

  if (!defaultSet) {
    AddToGroup(lines, kDefaultGroup, std::string(mimeType) + "=" + std::string(desktopId));
  }
  if (!added) {
    AddToGroup(lines, kAddedGroup, std::string(mimeType) + "=" + std::string(desktopId) + ";");
  }

  std::string text;
  for (const ListLine& line : lines) {
    text += line.Text + "\n";
  }
  return text;
}

#if defined(_WIN32)

namespace {

std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

std::string Narrow(const wchar_t* text, int length) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, length, narrow.data(), size, nullptr, nullptr);
  return narrow;
}

std::string SystemReason(LONG code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  if (length == 0 || !buffer) return "Error " + std::to_string(code) + ".";
  std::string reason = Narrow(buffer, static_cast<int>(length));
  LocalFree(buffer);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) {
    reason.pop_back();
  }
  return reason;
}

// Sets the unnamed value of a key under HKEY_CLASSES_ROOT, creating the key.
std::optional<std::string> SetClassValue(const std::string& subKey, const std::string& value) {
  HKEY key = nullptr;
  LONG result = RegCreateKeyExW(HKEY_CLASSES_ROOT, Widen(subKey).c_str(), 0, nullptr,
                                REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key, nullptr);
  if (result == ERROR_SUCCESS) {
    const std::wstring data = Widen(value);
    result = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                            static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
  if (result == ERROR_SUCCESS) return std::nullopt;
  return "Cannot write the registry value HKEY_CLASSES_ROOT\\" + subKey + ": " +
         SystemReason(result);
}

}  // namespace

std::optional<std::string> RegisterFileType(const std::string& programPath) {
  if (programPath.empty()) return "Cannot register the file type: the program's path is unknown.";
  // The command quotes the program too: an unquoted path with blanks is ambiguous to Windows.
  const std::pair<const char*, std::string> values[] = {
      {".col", "colfile"},
      {"colfile", std::string(kCollisionTypeComment)},
      {"colfile\\DefaultIcon", programPath + ",1"},
      {"colfile\\shell", "Open"},
      {"colfile\\shell\\Open\\command", "\"" + programPath + "\" \"%1\""},
  };
  for (const auto& [subKey, value] : values) {
    if (auto error = SetClassValue(subKey, value)) return error;
  }
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
  return std::nullopt;
}

#else

namespace {

namespace fs = std::filesystem;

std::optional<std::string> WriteText(const fs::path& path, const std::string& text) {
  return WriteFileReplacing(
      path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::optional<std::string> CreateFolder(const fs::path& folder) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!ec) return std::nullopt;
  return "Cannot create the folder \"" + folder.string() + "\". " + ec.message() + ".";
}

// An XDG base folder: the variable when it holds an absolute path (relative ones are invalid by
// the base directory rules), else the given folder under the home.
std::optional<fs::path> BaseFolder(const char* variable, const char* underHome) {
  const char* value = std::getenv(variable);
  if (value && fs::path(value).is_absolute()) return fs::path(value);
  const char* home = std::getenv("HOME");
  if (!home || !*home) return std::nullopt;
  return fs::path(home) / underHome;
}

std::optional<fs::path> FindInPath(const std::string& tool) {
  const char* path = std::getenv("PATH");
  std::string_view folders = path ? path : "";
  while (!folders.empty()) {
    const std::size_t end = folders.find(':');
    const std::string_view folder = folders.substr(0, end);
    folders = end == std::string_view::npos ? std::string_view() : folders.substr(end + 1);
    // An empty entry means the working folder, which is no place to take tools from.
    if (folder.empty()) continue;
    const fs::path candidate = fs::path(folder) / tool;
    std::error_code ec;
    if (fs::is_regular_file(candidate, ec) && access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
  }
  return std::nullopt;
}

// Runs a refresh tool with its output discarded. Whether it succeeds does not matter: the files
// are in place and the desktop rebuilds its caches by itself sooner or later.
void RunQuietly(const fs::path& tool, const fs::path& argument) {
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return;
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::string toolText = tool.string();
  std::string argumentText = argument.string();
  char* argv[] = {toolText.data(), argumentText.data(), nullptr};
  pid_t child = 0;
  if (posix_spawn(&child, toolText.c_str(), &actions, nullptr, argv, environ) == 0) {
    int status = 0;
    while (waitpid(child, &status, 0) == -1 && errno == EINTR) {
    }
  }
  posix_spawn_file_actions_destroy(&actions);
}

void RefreshWith(const std::string& tool, const fs::path& folder) {
  if (const auto found = FindInPath(tool)) RunQuietly(*found, folder);
}

std::optional<std::string> UpdateMimeApps(const fs::path& path) {
  std::string text;
  std::error_code ec;
  if (fs::status(path, ec).type() != fs::file_type::not_found) {
    Bytes bytes;
    if (auto error = ReadWholeFile(path, bytes)) return error;
    text.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  return WriteText(path, SetDefaultApplication(text, kCollisionMimeType, kDesktopEntryId));
}

}  // namespace

std::optional<std::string> RegisterFileType(const std::string& programPath) {
  if (programPath.empty()) return "Cannot register the file type: the program's path is unknown.";
  const std::optional<fs::path> dataHome = BaseFolder("XDG_DATA_HOME", ".local/share");
  const std::optional<fs::path> configHome = BaseFolder("XDG_CONFIG_HOME", ".config");
  if (!dataHome || !configHome) {
    return "Cannot register the file type: the home folder is unknown (HOME is not set).";
  }
  // The desktop starts the program from anywhere, so the entry needs the full path.
  std::error_code ec;
  const fs::path program = fs::absolute(programPath, ec);
  const std::string exec = ec ? programPath : program.string();

  const fs::path mimeFolder = *dataHome / "mime";
  const fs::path applications = *dataHome / "applications";
  if (auto error = CreateFolder(mimeFolder / "packages")) return error;
  if (auto error =
          WriteText(mimeFolder / "packages" / "vantorel-col.xml", CollisionMimePackage())) {
    return error;
  }
  if (auto error = CreateFolder(applications)) return error;
  if (auto error = WriteText(applications / kDesktopEntryId, CollisionDesktopEntry(exec))) {
    return error;
  }
  if (auto error = CreateFolder(*configHome)) return error;
  if (auto error = UpdateMimeApps(*configHome / "mimeapps.list")) return error;

  RefreshWith("update-mime-database", mimeFolder);
  RefreshWith("update-desktop-database", applications);
  return std::nullopt;
}

#endif

}  // namespace vantorel
