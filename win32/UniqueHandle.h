#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>

// One owned resource of the system: a value of type T that Close gives back,
// unless it is the kind's invalid value (null for most, INVALID_HANDLE_VALUE
// for files and searches). Moves, never copies; closed when replaced or
// destroyed.
template <class T, auto Close, std::intptr_t Invalid = 0> class UniqueAny
{
public:
    UniqueAny() = default;
    explicit UniqueAny(T value) : m_value(value) { }
    ~UniqueAny() { reset(); }

    UniqueAny(UniqueAny&& other) noexcept : m_value(other.release()) { }
    UniqueAny& operator=(UniqueAny&& other) noexcept
    {
        reset(other.release());
        return *this;
    }
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;

    static T InvalidValue() { return reinterpret_cast<T>(Invalid); }

    T get() const { return m_value; }
    explicit operator bool() const { return m_value != InvalidValue(); }

    void reset(T value = InvalidValue())
    {
        // Nothing to do where closing fails: the value is no longer ours either way.
        if (m_value != InvalidValue())
            Close(m_value);
        m_value = value;
    }

    T release() { return std::exchange(m_value, InvalidValue()); }

private:
    T m_value = InvalidValue();
};

constexpr std::intptr_t kInvalidHandleValue = -1;

// A kernel object handle.
using UniqueHandle = UniqueAny<HANDLE, &::CloseHandle>;
// Handles whose failure value is INVALID_HANDLE_VALUE rather than null.
using UniqueFile = UniqueAny<HANDLE, &::CloseHandle, kInvalidHandleValue>;
using UniqueFind = UniqueAny<HANDLE, &::FindClose, kInvalidHandleValue>;
// Memory the system allocated with LocalAlloc for the caller.
template <class T> using UniqueLocal = UniqueAny<T*, &::LocalFree>;
