// qelvar-cli: the data commands run here, without Qt; the drawing commands are handed over to
// qelvar-cli-render, which stands beside this program.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "cli.h"
#include "standard_output.h"

namespace {

constexpr const char* kRenderProgram = "qelvar-cli-render";

// Beside this program (a build folder), else in the installed helper folder.
std::string renderProgramPath(const char* argv0) {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) self = std::filesystem::absolute(argv0, error);
    const std::filesystem::path folder = self.parent_path();
    const std::filesystem::path beside = folder / kRenderProgram;
    if (::access(beside.c_str(), X_OK) == 0) return beside.string();
    return (folder.parent_path() / "libexec" / "qelvar" / kRenderProgram).string();
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv, argv + argc);
    const auto handOver = [&](qelvar::CliSession& session, const auto&) {
        session.out.flush();
        session.err.flush();
        const std::string program = renderProgramPath(argv[0]);
        ::execv(program.c_str(), argv);
        session.err << "qelvar-cli: Cannot start the drawing program \"" << program << "\": " << std::strerror(errno)
                    << '\n';
        return qelvar::kExitFile;
    };
    // The drawing operations of a sector map need no Qt: they are written here.
    const auto sectorMap = [&](qelvar::CliSession& session, const qelvar::SectorMapCommand& command) {
        if (qelvar::extensionOf(command.out) == ".ops") return qelvar::drawSectorMapOperations(session, command);
        return handOver(session, command);
    };
    return qelvar::finishStandardOutput(qelvar::runCli(args, std::cout, std::cerr, handOver, sectorMap, handOver));
}
