// keyvane-census: the hotkey census for scripts and consoles.
#include "census/core/Cli.h"
#include "census/windows/WindowsBackend.h"

#include <iostream>

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    WindowsCensusBackend backend;
    return RunCensusCli(args, backend, std::cout, std::cerr);
}
