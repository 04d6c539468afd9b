// The end-to-end tests' eyes and hands inside Wine: starts Keyvane, reports
// its windows as lines of numbers that a shell script can read, and ends it.
// The pointer input itself comes from the X server (xdotool), as a user's would.
#include "tests/e2e/KeyvaneWindows.h"
#include "tests/support/KeyInput.h"

#include <shlobj.h>

#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

namespace {

constexpr DWORD kPollMilliseconds = 100;
// Keyvane starts in about a second under Wine; a loaded machine gets ample room.
constexpr DWORD kStartTimeoutMilliseconds = 60'000;
constexpr DWORD kPictureTimeoutMilliseconds = 10'000;
constexpr DWORD kEndTimeoutMilliseconds = 10'000;

constexpr char kUsage[]
    = "usage: keyvane_probe launch [--shift] EXE  start EXE and wait for its main dialog; prints \"pid N\"\n"
      "                              (--shift holds Shift down until the dialog shows)\n"
      "       keyvane_probe main PID              describe the main dialog of process PID\n"
      "       keyvane_probe pictures PID [COUNT]  describe the picture windows of process PID,\n"
      "                                           after waiting until there are COUNT if given\n"
      "       keyvane_probe cursor                print the pointer's position\n"
      "       keyvane_probe kill PID              end process PID\n"
      "       keyvane_probe hold HOLDER MODS:KEY  start the who tests' holder of a window hotkey "
      "(hexadecimal)\n"
      "                                           and wait until it holds; prints \"pid N\" and \"pressed "
      "EVENT\"\n"
      "       keyvane_probe pressed EVENT         print \"pressed 1\" if that holder has seen a press, else "
      "0\n"
      "       keyvane_probe clipboard             print the clipboard's text, \"line<N> CELL|CELL...\"\n"
      "       keyvane_probe shortcut NAME MODS:KEY  write a shortcut file NAME with that hotkey on the "
      "Desktop;\n"
      "                                           prints \"path P\"\n"
      "       keyvane_probe remove PATH            delete the file PATH\n"
      "       keyvane_probe question PID          print \"question TEXT\", the text of the message box of\n"
      "                                           process PID, once it shows (empty if none does)\n";

// Polls until `done` gives true or the time is up; true if it did.
template <typename Predicate> bool WaitFor(DWORD timeoutMilliseconds, Predicate done)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMilliseconds;
    while (!done()) {
        if (::GetTickCount64() >= deadline)
            return false;
        ::Sleep(kPollMilliseconds);
    }
    return true;
}

bool ProcessEnded(HANDLE process) { return ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }

int Launch(const std::string& exe, bool holdShift)
{
    // Keyvane looks at Shift while its dialog initialises, before the window
    // shows; the key goes down through the system's input, so that its async
    // state says held, and comes up again once the dialog is there.
    std::optional<HeldKey> shift;
    if (holdShift)
        shift.emplace(VK_SHIFT);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = '"' + exe + '"';
    // Not in the probe's console: started from Explorer or a shortcut, as
    // users start it, Keyvane has none to share with console programs it starts.
    if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
            nullptr, &startup, &process)) {
        std::cerr << "cannot start " << exe << " (error " << ::GetLastError() << ")\n";
        return 1;
    }
    ::CloseHandle(process.hThread);

    const bool shown = WaitFor(kStartTimeoutMilliseconds, [&] {
        return FindMainDialog(process.dwProcessId) || ProcessEnded(process.hProcess);
    }) && !ProcessEnded(process.hProcess);
    if (!shown) {
        std::cerr << exe << " showed no main dialog within " << kStartTimeoutMilliseconds / 1000 << " s\n";
        ::TerminateProcess(process.hProcess, 1);
    } else {
        std::cout << "pid " << process.dwProcessId << '\n';
    }
    ::CloseHandle(process.hProcess);
    return shown ? 0 : 1;
}

DWORD ProcessId(const char* text) { return std::strtoul(text, nullptr, 10); }

HWND MainDialogOrComplain(DWORD processId)
{
    const HWND dialog = FindMainDialog(processId);
    if (!dialog)
        std::cerr << "process " << processId << " has no window titled \"Keyvane :: ...\"\n";
    return dialog;
}

int DescribeMain(DWORD processId)
{
    const HWND dialog = MainDialogOrComplain(processId);
    if (!dialog)
        return 1;
    DescribeMainDialog(dialog, std::cout);
    return 0;
}

// The program file of a running process; empty if it cannot be asked.
std::string ProgramPath(DWORD processId)
{
    char path[MAX_PATH] = "";
    DWORD length = sizeof path;
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return {};
    const BOOL known = ::QueryFullProcessImageNameA(process, 0, path, &length);
    ::CloseHandle(process);
    return known ? path : "";
}

int DescribePictures(DWORD processId, std::optional<size_t> count)
{
    const HWND dialog = MainDialogOrComplain(processId);
    if (!dialog)
        return 1;
    const std::string programPath = ProgramPath(processId);
    const bool counted = !count
        || WaitFor(kPictureTimeoutMilliseconds, [&] { return FindPictures(dialog).size() == *count; });
    const std::vector<HWND> pictures = FindPictures(dialog);
    std::cout << "pictures " << pictures.size() << '\n';
    for (size_t index = 0; index < pictures.size(); ++index)
        DescribePicture(pictures[index], static_cast<int>(index), programPath, std::cout);
    if (!counted)
        std::cerr << "expected " << *count << " picture windows within " << kPictureTimeoutMilliseconds / 1000
                  << " s, got " << pictures.size() << '\n';
    return counted ? 0 : 1;
}

int PrintCursor()
{
    POINT cursor{};
    ::GetCursorPos(&cursor);
    std::cout << "cursor " << cursor.x << ' ' << cursor.y << '\n';
    return 0;
}

int Kill(DWORD processId)
{
    const HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    if (!process) {
        std::cerr << "no process " << processId << '\n';
        return 1;
    }
    ::TerminateProcess(process, 1);
    const bool ended = ::WaitForSingleObject(process, kEndTimeoutMilliseconds) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return ended ? 0 : 1;
}

// Names of the holder's events, unique to this probe.
std::string EventName(const char* what)
{
    return "keyvane-e2e-" + std::string(what) + "-" + std::to_string(::GetCurrentProcessId());
}

int Hold(const std::string& holder, const std::string& combination)
{
    // The holder opens the events as it starts and keeps them: they outlive this probe.
    const std::string ready = EventName("ready"), quit = EventName("quit"), pressed = EventName("pressed");
    const HANDLE readyEvent = ::CreateEventA(nullptr, TRUE, FALSE, ready.c_str());
    const HANDLE quitEvent = ::CreateEventA(nullptr, TRUE, FALSE, quit.c_str());
    const HANDLE pressedEvent = ::CreateEventA(nullptr, TRUE, FALSE, pressed.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine
        = '"' + holder + "\" " + ready + ' ' + quit + ' ' + pressed + " window " + combination + " 42";
    const bool started = readyEvent && quitEvent && pressedEvent
        && ::CreateProcessA(holder.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
            &startup, &process);
    bool holding = false;
    if (started) {
        const HANDLE either[] = {readyEvent, process.hProcess};
        holding = ::WaitForMultipleObjects(2, either, FALSE, kStartTimeoutMilliseconds) == WAIT_OBJECT_0;
        if (holding)
            std::cout << "pid " << process.dwProcessId << "\npressed " << pressed << '\n';
        else
            ::TerminateProcess(process.hProcess, 1);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    if (!holding)
        std::cerr << "the holder " << holder << " did not take " << combination << '\n';
    for (const HANDLE event : {readyEvent, quitEvent, pressedEvent}) {
        if (event)
            ::CloseHandle(event);
    }
    return holding ? 0 : 1;
}

int Pressed(const std::string& name)
{
    const HANDLE event = ::OpenEventA(SYNCHRONIZE, FALSE, name.c_str());
    if (!event) {
        std::cerr << "no event " << name << '\n';
        return 1;
    }
    std::cout << "pressed " << (::WaitForSingleObject(event, 0) == WAIT_OBJECT_0 ? 1 : 0) << '\n';
    ::CloseHandle(event);
    return 0;
}

int PrintClipboard()
{
    if (!::OpenClipboard(nullptr)) {
        std::cerr << "cannot open the clipboard\n";
        return 1;
    }
    std::wstring text;
    if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    // Cells joined by '|', so that the shell reads a line as one field; CRLF ends every line.
    std::string line;
    int index = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
            std::cout << "line" << index++ << ' ' << line << '\n';
            line.clear();
            ++i;
        } else {
            line += text[i] == L'\t' ? '|' : static_cast<char>(text[i] < 0x80 ? text[i] : '?');
        }
    }
    std::cout << "lines " << index << "\nunended " << line.size() << '\n';
    return 0;
}

// A shortcut to Notepad on the user's Desktop, written by the shell as a
// user's would be, its hotkey given as MOD_* bits and a virtual-key code.
int WriteShortcut(const std::string& name, const std::string& combination)
{
    const unsigned long modifiers = std::strtoul(combination.c_str(), nullptr, 16);
    const unsigned long key = std::strtoul(combination.substr(combination.find(':') + 1).c_str(), nullptr, 16);
    const BYTE flags = static_cast<BYTE>(((modifiers & MOD_SHIFT) ? HOTKEYF_SHIFT : 0)
        | ((modifiers & MOD_CONTROL) ? HOTKEYF_CONTROL : 0) | ((modifiers & MOD_ALT) ? HOTKEYF_ALT : 0));
    char desktop[MAX_PATH] = "";
    if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY | CSIDL_FLAG_CREATE, nullptr, 0, desktop))) {
        std::cerr << "no Desktop folder\n";
        return 1;
    }
    const std::string path = std::string(desktop) + "\\" + name;
    ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    const std::wstring widePath(path.begin(), path.end());
    const bool written = SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                             IID_IShellLinkA, reinterpret_cast<void**>(&link)))
        && SUCCEEDED(link->SetPath("C:\\windows\\notepad.exe"))
        && SUCCEEDED(link->SetHotkey(static_cast<WORD>(MAKEWORD(key, flags))))
        && SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))
        && SUCCEEDED(file->Save(widePath.c_str(), TRUE));
    if (file)
        file->Release();
    if (link)
        link->Release();
    ::CoUninitialize();
    if (!written) {
        std::cerr << "cannot write " << path << '\n';
        return 1;
    }
    std::cout << "path " << path << '\n';
    return 0;
}

// A search for a message box of a process other than its main dialog.
struct MessageBoxSearch
{
    DWORD processId;
    HWND main;
    std::string text;
};

// Adds a static child's text: the question is the box's one static text that
// is not its icon.
BOOL CALLBACK AddStaticText(HWND child, LPARAM text)
{
    char childClass[16] = "";
    char childText[1024] = "";
    ::GetClassNameA(child, childClass, sizeof childClass);
    ::GetWindowTextA(child, childText, sizeof childText);
    if (::lstrcmpiA(childClass, "Static") == 0)
        *reinterpret_cast<std::string*>(text) += childText;
    return TRUE;
}

BOOL CALLBACK ReadMessageBox(HWND window, LPARAM context)
{
    auto& found = *reinterpret_cast<MessageBoxSearch*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char className[16] = "";
    ::GetClassNameA(window, className, sizeof className);
    if (owner != found.processId || window == found.main || !::IsWindowVisible(window)
        || std::string(className) != "#32770")
        return TRUE;
    ::EnumChildWindows(window, AddStaticText, reinterpret_cast<LPARAM>(&found.text));
    return found.text.empty();
}

// The text of a message box: a visible dialog of the process other than the
// main dialog, whose static children hold the question.
std::string MessageBoxText(DWORD processId)
{
    MessageBoxSearch search{processId, FindMainDialog(processId), {}};
    ::EnumWindows(ReadMessageBox, reinterpret_cast<LPARAM>(&search));
    return search.text;
}

int PrintQuestion(DWORD processId)
{
    std::string text;
    WaitFor(kPictureTimeoutMilliseconds, [&] { return !(text = MessageBoxText(processId)).empty(); });
    for (char& c : text) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    std::cout << "question " << text << '\n';
    return 0;
}

int Usage()
{
    std::cerr << kUsage;
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "launch" && argc == 3)
        return Launch(argv[2], false);
    if (command == "launch" && argc == 4 && std::string(argv[2]) == "--shift")
        return Launch(argv[3], true);
    if (command == "main" && argc == 3)
        return DescribeMain(ProcessId(argv[2]));
    if (command == "pictures" && (argc == 3 || argc == 4))
        return DescribePictures(ProcessId(argv[2]),
            argc == 4 ? std::optional<size_t>(std::strtoul(argv[3], nullptr, 10)) : std::nullopt);
    if (command == "cursor" && argc == 2)
        return PrintCursor();
    if (command == "kill" && argc == 3)
        return Kill(ProcessId(argv[2]));
    if (command == "hold" && argc == 4)
        return Hold(argv[2], argv[3]);
    if (command == "pressed" && argc == 3)
        return Pressed(argv[2]);
    if (command == "shortcut" && argc == 4)
        return WriteShortcut(argv[2], argv[3]);
    if (command == "remove" && argc == 3)
        return ::DeleteFileA(argv[2]) ? 0 : 1;
    if (command == "clipboard" && argc == 2)
        return PrintClipboard();
    if (command == "question" && argc == 3)
        return PrintQuestion(ProcessId(argv[2]));
    return Usage();
}
