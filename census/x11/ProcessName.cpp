#include "census/x11/ProcessName.h"

#include <filesystem>
#include <fstream>
#include <system_error>

ProcessName NameOfProcess(unsigned long pid)
{
    const std::filesystem::path proc = "/proc/" + std::to_string(pid);
    ProcessName name;
    // The name the process gives itself, cut to 15 bytes by the kernel.
    std::ifstream comm(proc / "comm");
    std::getline(comm, name.shortName);
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink(proc / "exe", error);
    if (!error && exe.is_absolute()) {
        name.program = exe.string();
        // A full name where the kernel cut it short; the executable of a
        // program that renamed itself (a script's interpreter) says less.
        const std::string file = exe.filename().string();
        if (!name.shortName.empty() && file.size() > name.shortName.size()
            && file.starts_with(name.shortName))
            name.shortName = file;
    } else {
        name.program = name.shortName;
    }
    if (name.shortName.empty())
        name.shortName = exe.filename().string();
    return name;
}
