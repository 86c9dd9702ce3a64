#include "tests/support/ordinary_user.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vantorel::testing {

std::string AsOrdinaryUser(const std::function<std::string()>& body) {
  int channel[2];
  if (::pipe(channel) != 0) return "pipe failed";
  const pid_t child = ::fork();
  if (child < 0) return "fork failed";
  if (child == 0) {
    ::close(channel[0]);
    constexpr uid_t kNobody = 65534;
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
      ::_exit(2);
    }
    const std::string result = body();
    std::size_t done = 0;
    while (done < result.size()) {
      const ssize_t written = ::write(channel[1], result.data() + done, result.size() - done);
      if (written <= 0) ::_exit(3);
      done += static_cast<std::size_t>(written);
    }
    ::_exit(0);
  }
  ::close(channel[1]);
  std::string result;
  char buffer[4096];
  for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
    result.append(buffer, static_cast<std::size_t>(got));
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return "the child process failed (status " + std::to_string(status) + ")";
  return result;
}

}  // namespace vantorel::testing
