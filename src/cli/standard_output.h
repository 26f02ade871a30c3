#pragma once
// The end of a command-line run: what was written to standard output must have arrived.

#include <cerrno>
#include <cstring>
#include <iostream>

#include "cli.h"

namespace qelvar {

// Flushes standard output; a failed write (a full disk, a closed pipe or descriptor) turns the exit status
// into kExitFile with a message on standard error.
inline int finishStandardOutput(int status) {
    errno = 0;
    std::cout.flush();
    if (std::cout.fail()) {
        const int error = errno;
        std::cerr << "qelvar-cli: Cannot write to standard output: "
                  << (error != 0 ? std::strerror(error) : "the output was refused") << '\n';
        return kExitFile;
    }
    return status;
}

}  // namespace qelvar
