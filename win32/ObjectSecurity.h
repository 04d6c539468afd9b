#pragma once

#include <windows.h>

#include <string>

namespace who {

// What a program below the user's integrity may do with a shared object.
enum class LowIntegrity
{
    MayRead, // read it from low integrity: a low mandatory label that forbids writing only
    KeptOut  // nothing below medium: a medium label that forbids writing and executing
};

// The user of the desktop that takes the keyboard's input, as a SID's text
// (its logon SID, "S-1-5-5-X-Y"); empty where the system tells none.
std::wstring InteractiveDesktopUser();

// The security of the objects our programs share across integrity levels:
// everything for the system and the administrators, the rights given (SDDL,
// such as "GR") for the programs of this user and of the interactive
// desktop's user, at the integrity levels the label admits. Without it an
// elevated
// program's objects grant nothing to the user's ordinary programs: their hooks
// could not see the query and would let their owners act on the press, and an
// ordinary census could not take the probe lock.
class UserSecurity
{
public:
    UserSecurity(const wchar_t* userRights, LowIntegrity low);
    ~UserSecurity();

    UserSecurity(const UserSecurity&) = delete;
    UserSecurity& operator=(const UserSecurity&) = delete;

    // Empty when made; otherwise what went wrong.
    const std::string& Error() const { return m_error; }
    // For creating an object; never inherited.
    SECURITY_ATTRIBUTES* Attributes() { return &m_attributes; }
    PSECURITY_DESCRIPTOR Descriptor() const { return m_descriptor; }

private:
    PSECURITY_DESCRIPTOR m_descriptor = nullptr;
    SECURITY_ATTRIBUTES m_attributes{};
    std::string m_error;
};

} // namespace who
