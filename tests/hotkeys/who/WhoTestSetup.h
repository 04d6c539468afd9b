#pragma once

// What the who tests hold and how they look at the keyboard afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifdef _WIN64
constexpr int kOwnBits = 64;
constexpr int kOtherBits = 32;
#else
constexpr int kOwnBits = 32;
constexpr int kOtherBits = 64;
#endif

constexpr UINT kKeyK = 0x4B;
constexpr UINT kKeyJ = 0x4A;
constexpr int kWindowHotkeyId = 42;
constexpr int kThreadHotkeyId = 7;
// Longer than the wait for answers: a holder that acts on a press has done so by then.
constexpr DWORD kActWaitMs = 300;

inline std::string FileName(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

inline void ExpectNoKeyDown(const std::vector<WORD>& keys)
{
    for (WORD key : keys)
        EXPECT_FALSE(::GetAsyncKeyState(key) & 0x8000) << "key 0x" << std::hex << key << " was left down";
}
