#pragma once

#include <algorithm>
#include <chrono>

// The moment by which a reader must have its answer.
class Deadline
{
public:
    explicit Deadline(std::chrono::milliseconds timeout) : m_end(std::chrono::steady_clock::now() + timeout)
    {
    }

    std::chrono::steady_clock::time_point End() const { return m_end; }

    // What is left, never less than 0.
    int MillisecondsLeft() const
    {
        const auto left
            = std::chrono::duration_cast<std::chrono::milliseconds>(m_end - std::chrono::steady_clock::now());
        return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
    }

private:
    std::chrono::steady_clock::time_point m_end;
};
