#pragma once

#include <windows.h>

#include <string>

namespace who {

// The security of the objects the hooks open: everything for the system and
// the administrators, read for the programs of this user at every integrity
// level (a low mandatory label that forbids writing only). Without it an
// elevated program's objects grant nothing to the user's ordinary programs,
// whose hooks then cannot see the query and let their owners act on the press.
class UserReadableSecurity
{
public:
    UserReadableSecurity();
    ~UserReadableSecurity();

    UserReadableSecurity(const UserReadableSecurity&) = delete;
    UserReadableSecurity& operator=(const UserReadableSecurity&) = delete;

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
