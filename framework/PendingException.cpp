#include "framework/PendingException.h"

#include <exception>
#include <utility>

namespace {

std::exception_ptr& Pending()
{
    thread_local std::exception_ptr pending;
    return pending;
}

} // namespace

void KeepPendingException()
{
    if (!Pending())
        Pending() = std::current_exception();
}

bool HasPendingException() { return static_cast<bool>(Pending()); }

void RethrowPendingException()
{
    if (std::exception_ptr pending = std::exchange(Pending(), nullptr))
        std::rethrow_exception(pending);
}
