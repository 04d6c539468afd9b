// Holds global hotkeys for the tests, as another program would.
//
//   hotkey_holder <ready event> <quit event> all
//   hotkey_holder <ready event> <quit event> <modifiers>:<key> ...   (hexadecimal)
//
// Registers the combinations (all 4080 with "all"), signals the ready event,
// and keeps them until the quit event is signalled. Exits with 2 when a
// registration fails, so the test knows what it is up against.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

struct Hotkey
{
    UINT modifiers;
    UINT key;
};

std::vector<Hotkey> AllCombinations()
{
    std::vector<Hotkey> all;
    for (UINT key = 1; key <= 255; ++key) {
        for (UINT modifiers = 0; modifiers < 16; ++modifiers)
            all.push_back({modifiers, key});
    }
    return all;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 1;
    std::vector<Hotkey> hotkeys;
    if (argc == 4 && std::string_view(argv[3]) == "all") {
        hotkeys = AllCombinations();
    } else {
        for (int i = 3; i < argc; ++i) {
            Hotkey hotkey{};
            if (std::sscanf(argv[i], "%x:%x", &hotkey.modifiers, &hotkey.key) != 2)
                return 1;
            hotkeys.push_back(hotkey);
        }
    }

    int id = 1;
    for (const Hotkey& hotkey : hotkeys) {
        if (!::RegisterHotKey(nullptr, id++, hotkey.modifiers, hotkey.key)) {
            std::fprintf(stderr, "hotkey_holder: %x:%x not registered, error %lu\n", hotkey.modifiers,
                hotkey.key, ::GetLastError());
            return 2;
        }
    }

    const HANDLE ready = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    const HANDLE quit = ::OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
    if (!ready || !quit)
        return 1;
    ::SetEvent(ready);
    ::WaitForSingleObject(quit, INFINITE);
    return 0;
}
