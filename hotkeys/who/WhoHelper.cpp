// Installs the who hook of this bitness for a census program of the other
// bitness, whose own hook cannot load into programs of this one.
//
//   keyvane-who-helperNN <census process> <ready event> <quit event>
//
// The three are handles this program inherits, in decimal. Hooks every thread
// of this bitness that runs now, signals the ready event, and keeps the hooks
// until the quit event is signalled or the census program ends, however it
// ends. Reports reach the census program straight from the hooks: nothing
// passes through here.
#include "hotkeys/who/ThreadHooks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// An inherited handle that can be waited on, or null.
HANDLE InheritedHandle(const char* text)
{
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (*text == '\0' || *end != '\0' || value == 0)
        return nullptr;
    const auto handle = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(value));
    return ::WaitForSingleObject(handle, 0) == WAIT_FAILED ? nullptr : handle;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fputs("keyvane-who-helper: started by keyvane-census who, not by hand\n", stderr);
        return 2;
    }
    const HANDLE census = InheritedHandle(argv[1]);
    const HANDLE ready = InheritedHandle(argv[2]);
    const HANDLE quit = InheritedHandle(argv[3]);
    if (!census || !ready || !quit) {
        std::fputs("keyvane-who-helper: the census program's handles are missing\n", stderr);
        return 1;
    }

    const who::HookLibrary library;
    if (!library.Error().empty()) {
        std::fprintf(stderr, "keyvane-who-helper: %s\n", library.Error().c_str());
        return 1;
    }
    const who::ThreadHooks hooks(library);
    if (!::SetEvent(ready))
        return 1;

    // Messages are read all along, as every thread that installs hooks must.
    const HANDLE ends[] = {quit, census};
    while (::MsgWaitForMultipleObjects(2, ends, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 2) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&message);
    }
    return 0;
}
