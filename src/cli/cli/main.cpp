#include <clocale>
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "core/number_text.h"

namespace {

// The locale's short date and long time; only the date at exactly midnight.
std::string LocalDateTime() {
  std::setlocale(LC_TIME, "");
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buffer[128];
  const char* format =
      (local.tm_hour == 0 && local.tm_min == 0 && local.tm_sec == 0) ? "%x" : "%x %X";
  const std::size_t length = std::strftime(buffer, sizeof buffer, format, &local);
  return std::string(buffer, length);
}

char LocaleDecimalSeparator() {
  std::setlocale(LC_NUMERIC, "");
  const char* point = std::localeconv()->decimal_point;
  return vantorel::DecimalSeparatorFromLocale(point ? point : "");
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  vantorel::cli::Environment environment;
  environment.decimalSeparator = LocaleDecimalSeparator();
  environment.exportedOn = LocalDateTime();
  const std::vector<std::string> args(argv + 1, argv + argc);
  const int status = vantorel::cli::Run(args, environment, std::cout, std::cerr);
  std::cout.flush();
  return status;
}
