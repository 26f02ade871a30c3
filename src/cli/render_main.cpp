// qelvar-cli-render: the drawing commands of qelvar-cli, which hands them over to this program.
#include <iostream>

#include "render_command.h"
#include "standard_output.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv, argv + argc);
    return qelvar::finishStandardOutput(qelvar::runCli(args, std::cout, std::cerr, qelvar::renderWithQt,
                                                       qelvar::drawSectorMapWithQt, qelvar::drawAtlasMapWithQt));
}
