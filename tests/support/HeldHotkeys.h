#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Another process that holds global hotkeys for as long as this object lives.
class HeldHotkeys
{
public:
    struct Combination
    {
        UINT modifiers;
        UINT key;
    };

    explicit HeldHotkeys(const std::vector<Combination>& combinations);
    // Holds every one of the 4080 combinations.
    static HeldHotkeys All();
    ~HeldHotkeys();

    HeldHotkeys(const HeldHotkeys&) = delete;
    HeldHotkeys& operator=(const HeldHotkeys&) = delete;
    HeldHotkeys(HeldHotkeys&& other) noexcept;

    // False when the holder could not take all its combinations.
    bool Holding() const { return m_holding; }

private:
    explicit HeldHotkeys(const std::string& arguments);

    HANDLE m_ready = nullptr;
    HANDLE m_quit = nullptr;
    HANDLE m_process = nullptr;
    bool m_holding = false;
};
