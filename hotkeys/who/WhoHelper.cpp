// Installs the who hook of this bitness for a census program of the other
// bitness, whose own hook cannot load into programs of this one.
//
//   keyvane-who-helperNN <census process id> <ready event> <quit event>
//
// Hooks every thread of this bitness that runs now, signals the ready event,
// and keeps the hooks until the quit event is signalled or the census program
// ends, however it ends. Reports reach the census program straight from the
// hooks: nothing passes through here.
#include "hotkeys/who/ThreadHooks.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fputs("keyvane-who-helper: started by keyvane-census who, not by hand\n", stderr);
        return 2;
    }
    const auto censusId = static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10));
    const HANDLE census = ::OpenProcess(SYNCHRONIZE, FALSE, censusId);
    const HANDLE ready = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    const HANDLE quit = ::OpenEventA(SYNCHRONIZE, FALSE, argv[3]);
    if (!census || !ready || !quit) {
        std::fputs("keyvane-who-helper: the census program or its events are gone\n", stderr);
        return 1;
    }

    const who::HookLibrary library;
    if (!library.Error().empty()) {
        std::fprintf(stderr, "keyvane-who-helper: %s\n", library.Error().c_str());
        return 1;
    }
    const who::ThreadHooks hooks(library);
    ::SetEvent(ready);

    // Messages are read all along, as every thread that installs hooks must.
    const HANDLE ends[] = {quit, census};
    while (::MsgWaitForMultipleObjects(2, ends, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 2) {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&message);
    }
    return 0;
}
