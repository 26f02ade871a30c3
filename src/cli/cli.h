#pragma once
// qelvar-cli: the headless front end. Runs one command and returns the process exit status:
// 0 success, 1 usage error, 2 a file could not be read or written.

#include <ostream>
#include <string>
#include <vector>

namespace qelvar {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitFile = 2;

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace qelvar
