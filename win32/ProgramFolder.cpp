#include "win32/ProgramFolder.h"

#include <algorithm>

std::wstring ProgramFolder()
{
    // Grown until the whole path fits: a path cut short would name another file.
    for (DWORD size = MAX_PATH;; size = std::min(size * 2, kLongestPath)) {
        std::wstring path(size, L'\0');
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0)
            return {};
        if (length < size) {
            path.resize(length);
            return path.substr(0, path.find_last_of(L"\\/") + 1);
        }
        if (size == kLongestPath)
            return {};
    }
}
