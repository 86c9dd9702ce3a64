#pragma once

#include <optional>
#include <string>

namespace vantorel::cli {

// Why the batch tool will not write its result to the output OUT (-o) of a command on FILE, or
// nullopt when it may. OUT may never be FILE itself, under any name (a link, a hard link,
// another spelling of the path), as the result would replace the file it was read from. An
// existing regular file is replaced only when overwrite (--overwrite) was given. A character
// device or a named pipe (/dev/null, /dev/stdout in a pipe) is written into and loses nothing,
// so it needs no --overwrite.
std::optional<std::string> OutputRefusal(const std::string& file, const std::string& out,
                                         bool overwrite);

}  // namespace vantorel::cli
