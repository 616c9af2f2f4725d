#pragma once

#include <cstdint>

namespace platform
{

// A millisecond counter that only moves forward and wraps around after 2^32 ms, like the
// system's tick count. Callers measure spans by unsigned subtraction of two readings.
class TickCounter
{
public:
    virtual ~TickCounter() = default;
    virtual std::uint32_t Ticks() = 0;
};

// The system's monotonic clock in milliseconds, cut to 32 bits.
class MonotonicTickCounter final : public TickCounter
{
public:
    std::uint32_t Ticks() override;
};

} // namespace platform
