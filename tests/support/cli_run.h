#pragma once
// Runs a built program as a user's script would: an argument vector, no shell, standard input empty.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "store/file_io.h"

extern char** environ;

namespace qelvar::testing {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string bytes(const std::string& file) { return (*qelvar::readFileBytes(file)); }

// Starts program with arguments, its standard input, output and error opened on the files given.
inline pid_t start(const std::string& program, std::vector<std::string> arguments, const char* out = "/dev/null",
                   const char* err = "/dev/null") {
    arguments.insert(arguments.begin(), program);
    std::vector<char*> argv;
    for (std::string& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    if (posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Runs program to its end; stdout and stderr are captured in files (stdout may be another file).
inline CliRun spawn(const std::string& program, const std::vector<std::string>& arguments, const std::string& outPath,
                    const std::string& errPath) {
    CliRun result;
    if (const pid_t pid = start(program, arguments, outPath.c_str(), errPath.c_str()); pid > 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (outPath != "/dev/full") result.out = bytes(outPath);
    result.err = bytes(errPath);
    return result;
}

}  // namespace qelvar::testing
