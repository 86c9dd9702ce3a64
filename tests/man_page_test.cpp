#include "tools/manpage/man_page.h"

#include <gtest/gtest.h>

#include <string>

#include "cli/cli_commands.h"

namespace vantorel {
namespace {

// Every option and command the help names reaches the page, typed as it must be typed.
TEST(ManPage, CarriesEveryOptionAndCommandOfTheHelp) {
  for (const ProgramHelp& help : {WindowHelp(), cli::CliHelp()}) {
    const std::string page = ManPage(help, "1.1");
    EXPECT_EQ(page.rfind(".TH ", 0), 0u);
    EXPECT_NE(page.find(".SH SYNOPSIS\n"), std::string::npos) << help.Name;
    EXPECT_NE(page.find(".SH DESCRIPTION\n"), std::string::npos) << help.Name;
    for (const char* word : {"\\-\\-help", "\\-\\-version"}) {
      EXPECT_NE(page.find(word), std::string::npos) << help.Name << ": " << word;
    }
  }
  const std::string cli = ManPage(cli::CliHelp(), "1.1");
  for (const char* line : {".SH NAME\nvantorel\\-cli \\- ", ".SH OPTIONS\n",
                           "  \\-\\-material M            surface: the surface type, 0 to 34\n",
                           "  import\\-script FILE SCRIPT NEWNAME\n", ".SH JSON DOCUMENTS\n"}) {
    EXPECT_NE(cli.find(line), std::string::npos) << line;
  }
  EXPECT_NE(ManPage(WindowHelp(), "1.1").find(".SH FILES\n"), std::string::npos);
}

// Roff reads a leading dot or quote as a request and a backslash as an escape; the page shows
// them as the help does.
TEST(ManPage, TextThatLooksLikeRoffStaysText) {
  const ProgramHelp help{"x", "y", "Usage: x\n\n.so /etc/passwd\n  'quoted \\fB\n\nEnds:\n"};
  const std::string page = ManPage(help, "1");
  EXPECT_NE(page.find("\n\\&.so /etc/passwd\n"), std::string::npos) << page;
  EXPECT_NE(page.find("\n  'quoted \\efB\n"), std::string::npos) << page;
  EXPECT_NE(page.find(".SH ENDS\n"), std::string::npos) << page;
  EXPECT_EQ(page.find("\n.so"), std::string::npos) << page;
}

}  // namespace
}  // namespace vantorel
