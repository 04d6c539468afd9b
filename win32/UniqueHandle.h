#pragma once

#include <windows.h>

#include <memory>

// A kernel object handle, closed with the object.
struct HandleCloser
{
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// A handle whose failure value is INVALID_HANDLE_VALUE rather than null (files,
// searches), closed with the function its kind takes.
template <BOOL(WINAPI* Close)(HANDLE)> struct InvalidValueCloser
{
    void operator()(HANDLE handle) const
    {
        if (handle != INVALID_HANDLE_VALUE)
            Close(handle);
    }
};
using UniqueFile = std::unique_ptr<void, InvalidValueCloser<::CloseHandle>>;
using UniqueFind = std::unique_ptr<void, InvalidValueCloser<::FindClose>>;

// Memory the system allocated with LocalAlloc for the caller.
struct LocalFreer
{
    void operator()(void* memory) const { ::LocalFree(memory); }
};
template <class T> using UniqueLocal = std::unique_ptr<T, LocalFreer>;
