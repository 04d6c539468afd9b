#include "tests/census/CensusProgram.h"

#include "win32/WideText.h"

#include <fstream>
#include <string>
#include <iterator>

namespace {

constexpr DWORD kProgramTimeoutMs = 60000;
constexpr DWORD kPollMs = 10;

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Reads messages until the process ends or the time is up; false on time-out.
bool WaitReadingMessages(HANDLE process, ULONGLONG until)
{
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= until)
            return ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
        const DWORD woke
            = ::MsgWaitForMultipleObjects(1, &process, FALSE, static_cast<DWORD>(until - now), QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0)
            return true;
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&message);
    }
}

// The test program's folder as the census program is started from it.
std::wstring WideProgramFolder()
{
    wchar_t path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring program(path, length);
    return program.substr(0, program.find_last_of(L"\\/") + 1);
}

ProgramRun RunProgram(const std::wstring& program, const std::string& arguments,
    const std::function<bool()>& breakWhen, bool& breakSent)
{
    // Files of this run alone: a program of an earlier run that has not quite
    // ended may still hold its own, and they must not be taken for these.
    static unsigned runs = 0;
    const std::string stem = TestProgramFolder() + "census-run-" + std::to_string(::GetCurrentProcessId()) + "-"
        + std::to_string(++runs);
    const std::string outPath = stem + "-out.txt";
    const std::string errPath = stem + "-err.txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const auto create = [&](const std::string& path) {
        return ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
            FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    const HANDLE out = create(outPath);
    const HANDLE err = create(errPath);
    if (out == INVALID_HANDLE_VALUE || err == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        for (const HANDLE file : {out, err}) {
            if (file != INVALID_HANDLE_VALUE)
                ::CloseHandle(file);
        }
        return {-1, "", "cannot create the output files " + stem + ": error " + std::to_string(error), 0};
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    std::wstring commandLine = L"\"" + program + L"\" " + WideFromUtf8(arguments);
    PROCESS_INFORMATION process{};
    const ULONGLONG start = ::GetTickCount64();
    // A group of its own, so that its Ctrl+Break reaches it alone.
    const BOOL started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
        CREATE_NEW_PROCESS_GROUP, nullptr, nullptr, &startup, &process);
    ::CloseHandle(out);
    ::CloseHandle(err);
    if (!started)
        return {-1, "", "CreateProcess failed: " + std::to_string(::GetLastError()), 0};

    const ULONGLONG until = start + kProgramTimeoutMs;
    bool ended = false;
    while (!ended && !breakWhen() && ::GetTickCount64() < until)
        ended = WaitReadingMessages(process.hProcess, ::GetTickCount64() + kPollMs);
    if (!ended) {
        breakSent = ::GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, process.dwProcessId);
    }
    DWORD status = 99;
    if (WaitReadingMessages(process.hProcess, until))
        ::GetExitCodeProcess(process.hProcess, &status);
    else
        ::TerminateProcess(process.hProcess, status);
    const auto elapsed = static_cast<DWORD>(::GetTickCount64() - start);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ProgramRun run{static_cast<int>(status), ReadFile(outPath), ReadFile(errPath), elapsed};
    // A file another process still holds stays behind; the next run does not use it.
    ::DeleteFileA(outPath.c_str());
    ::DeleteFileA(errPath.c_str());
    return run;
}

} // namespace

std::string TestProgramFolder()
{
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string program(path, length);
    return program.substr(0, program.find_last_of("\\/") + 1);
}

ProgramRun RunCensusProgram(
    const std::string& arguments, const std::function<bool()>& breakWhen, bool& breakSent)
{
    return RunProgram(WideProgramFolder() + L"keyvane-census.exe", arguments, breakWhen, breakSent);
}

ProgramRun RunCensusProgramIn(const std::wstring& folder, const std::string& arguments)
{
    bool breakSent = false;
    return RunProgram(
        folder + L"keyvane-census.exe", arguments, [] { return false; }, breakSent);
}

ProgramRun RunCensusProgram(const std::string& arguments)
{
    bool breakSent = false;
    return RunCensusProgram(
        arguments, [] { return false; }, breakSent);
}
