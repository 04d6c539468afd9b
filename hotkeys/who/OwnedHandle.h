#pragma once

#include <windows.h>

#include <memory>

namespace who {

struct HandleCloser
{
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};

// A kernel handle closed with its owner; for calls that give null on failure.
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

} // namespace who
