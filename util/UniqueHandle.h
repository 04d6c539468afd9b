#pragma once

#include <windows.h>

#include <memory>

// A kernel object handle, closed with the object.
struct HandleCloser
{
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// Memory the system allocated with LocalAlloc for the caller.
struct LocalFreer
{
    void operator()(void* memory) const { ::LocalFree(memory); }
};
template <class T> using UniqueLocal = std::unique_ptr<T, LocalFreer>;
