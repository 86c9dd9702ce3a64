#include "tools/manpage/man_page.h"

#include <cctype>
#include <sstream>
#include <vector>

namespace vantorel {

namespace {

// Text safe for roff: backslashes printed as such, hyphens as the minus signs options are typed
// with, and a line that would start with a control character made plain.
std::string Escaped(std::string_view line) {
  std::string out;
  if (!line.empty() && (line[0] == '.' || line[0] == '\'')) out += "\\&";
  for (const char c : line) {
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
  }
  return out;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace

std::string ManPage(const ProgramHelp& help, std::string_view version) {
  std::ostringstream page;
  page << ".TH " << Upper(help.Name) << " 1 \"\" \"Vantorel " << version
       << "\" \"User Commands\"\n";
  page << ".SH NAME\n" << Escaped(help.Name) << " \\- " << Escaped(help.Summary) << '\n';

  enum class Mode { None, Filled, Verbatim } mode = Mode::None;
  bool afterBlank = true;
  const std::vector<std::string_view> lines = Lines(help.Text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    if (i == 0 && line.starts_with("Usage: ")) {
      page << ".SH SYNOPSIS\n" << Escaped(line.substr(7)) << "\n.SH DESCRIPTION\n";
      mode = Mode::Filled;
      continue;
    }
    if (line.find_first_not_of(' ') == std::string_view::npos) {
      if (mode == Mode::Verbatim) page << ".fi\n";
      mode = Mode::None;
      afterBlank = true;
      continue;
    }
    const bool indented = line[0] == ' ';
    const bool heading = afterBlank && !indented && line.back() == ':' &&
                         (i + 1 == lines.size() || lines[i + 1].empty() || lines[i + 1][0] == ' ');
    afterBlank = false;
    if (heading) {
      if (mode == Mode::Verbatim) page << ".fi\n";
      page << ".SH " << Escaped(Upper(line.substr(0, line.size() - 1))) << '\n';
      mode = Mode::None;
    } else if (indented) {
      if (mode != Mode::Verbatim) page << ".PP\n.nf\n";
      page << Escaped(line) << '\n';
      mode = Mode::Verbatim;
    } else {
      if (mode == Mode::Verbatim) page << ".fi\n";
      if (mode != Mode::Filled) page << ".PP\n";
      page << Escaped(line) << '\n';
      mode = Mode::Filled;
    }
  }
  if (mode == Mode::Verbatim) page << ".fi\n";
  return page.str();
}

}  // namespace vantorel
