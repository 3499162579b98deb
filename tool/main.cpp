// jotwel-tool: the diary from a terminal. Everything happens in RunTool
// (the chart command makes the Qt application object it needs itself).
#include <iostream>
#include <string>
#include <vector>

#include "tool/RunTool.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int status = tool::RunTool(args, std::cout, std::cerr, std::cin);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "jotwel-tool: the standard output: could not be written\n";
        return tool::kExitFileError;
    }
    return status;
}
