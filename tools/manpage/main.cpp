// Writes the manual page of vantorel or vantorel-cli from its --help text:
//   vantorel-manpage (vantorel | vantorel-cli) OUTPUT
#include <cstdio>
#include <fstream>
#include <string>

#include "app/program_help.h"
#include "cli/cli_commands.h"
#include "core/program_identity.h"
#include "tools/manpage/man_page.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: vantorel-manpage (vantorel | vantorel-cli) OUTPUT\n");
    return 2;
  }
  const std::string program = argv[1];
  vantorel::ProgramHelp help;
  if (program == "vantorel") {
    help = vantorel::WindowHelp();
  } else if (program == "vantorel-cli") {
    help = vantorel::cli::CliHelp();
  } else {
    std::fprintf(stderr, "vantorel-manpage: no program called %s\n", argv[1]);
    return 2;
  }
  const std::string version = vantorel::VersionText("").substr(1);
  std::ofstream out(argv[2], std::ios::binary);
  out << vantorel::ManPage(help, version);
  out.close();
  if (!out) {
    std::fprintf(stderr, "vantorel-manpage: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
