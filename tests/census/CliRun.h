#pragma once

#include "census/core/Cli.h"

#include <sstream>

// One run of the console census in this process, its output caught.
struct CliRun
{
    int status;
    std::string out;
    std::string err;
};

inline CliRun RunCli(const std::vector<std::string>& args, CensusBackend& backend)
{
    std::ostringstream out, err;
    const int status = RunCensusCli(args, backend, out, err);
    return {status, out.str(), err.str()};
}
