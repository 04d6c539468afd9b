// keyvane-census: the hotkey census for scripts and consoles.
#include "census/core/Cli.h"
#include "census/windows/OutputHangup.h"
#include "census/windows/StdHandleBuffer.h"
#include "census/windows/WindowsBackend.h"
#include "hotkeys/ProbeLock.h"
#include "win32/UniqueHandle.h"
#include "win32/WideText.h"

#include <shellapi.h>

#include <ostream>

namespace {

// The arguments as typed, whatever the code page: argv would have lost what
// it cannot hold.
std::vector<std::string> Utf8Arguments()
{
    int count = 0;
    const UniqueLocal<LPWSTR> wide(::CommandLineToArgvW(::GetCommandLineW(), &count));
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i)
        arguments.push_back(Utf8FromWide(wide.get()[i]));
    return arguments;
}

} // namespace

int main()
{
    const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    StdHandleBuffer outBuffer(output);
    StdHandleBuffer errBuffer(::GetStdHandle(STD_ERROR_HANDLE));
    std::ostream out(&outBuffer);
    std::ostream err(&errBuffer);
    err << std::unitbuf;
    ProbeLock::WaitNotice() = [&err] { err << "keyvane-census: waiting for another hotkey probe to end\n"; };
    WindowsCensusBackend backend;
    const auto waitWhileRead
        = [output](std::chrono::milliseconds time) { return WaitWhileRead(output, time); };
    const int status = RunCensusCli(Utf8Arguments(), backend, out, err, waitWhileRead);
    // What is still held back was never promised as written.
    if (!out.flush()) {
        err << "keyvane-census: the output could not be written\n";
        return kExitBadInput;
    }
    return status;
}
