#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "startup/startup_retry.h"

namespace
{

// A tick counter that moves by fixed steps when read and when events are processed, and keeps
// every reading.
class ScriptedTime final : public platform::TickCounter, public platform::MessagePump
{
public:
    ScriptedTime(std::uint32_t start, std::uint32_t stepOnRead, std::uint32_t stepOnEvents)
        : now_(start), stepOnRead_(stepOnRead), stepOnEvents_(stepOnEvents)
    {
    }
    std::uint32_t Ticks() override
    {
        readings.push_back(now_);
        const std::uint32_t reading = now_;
        now_ += stepOnRead_;
        return reading;
    }
    void ProcessMessages() override
    {
        ++processed;
        now_ += stepOnEvents_;
    }
    void RequestQuit() override {}

    std::vector<std::uint32_t> readings;
    int processed = 0;

private:
    std::uint32_t now_;
    std::uint32_t stepOnRead_;
    std::uint32_t stepOnEvents_;
};

struct DelayCase {
    std::string name;
    std::uint32_t start;
    std::uint32_t stepOnRead;
    std::uint32_t stepOnEvents;
    std::uint32_t milliseconds;
};

// Rows print as their names in test output.
void PrintTo(const DelayCase& c, std::ostream* os)
{
    *os << c.name;
}

class DelayWithMessages : public ::testing::TestWithParam<DelayCase>
{
};

TEST_P(DelayWithMessages, WaitsAtLeastTheSpanAndProcessesEventsMeanwhile)
{
    const DelayCase& c = GetParam();
    ScriptedTime time(c.start, c.stepOnRead, c.stepOnEvents);
    startup::DelayWithMessages(c.milliseconds, time, time);

    const std::vector<std::uint32_t>& r = time.readings;
    ASSERT_GE(r.size(), 2u);
    const auto since = [&](std::uint32_t reading) {
        return static_cast<std::uint32_t>(reading - r.front());
    };
    EXPECT_GE(since(r.back()), c.milliseconds) << "returned early";
    if (r.size() > 2) {
        EXPECT_LT(since(r[r.size() - 2]), c.milliseconds) << "went on waiting";
    }
    // Events are processed between every two readings, and never once the span has passed.
    EXPECT_EQ(time.processed, static_cast<int>(r.size()) - 2);
}

INSTANTIATE_TEST_SUITE_P(
    Spans, DelayWithMessages,
    ::testing::Values(DelayCase{"ZeroReturnsAtOnce", 100, 1, 0, 0},
                      DelayCase{"TenFromZero", 0, 1, 0, 10},
                      DelayCase{"TenAcrossTheWrap", 0xFFFFFFFA, 1, 0, 10},
                      DelayCase{"TenFromTheLastTick", 0xFFFFFFFF, 1, 0, 10},
                      DelayCase{"CoarseTicksAcrossTheWrap", 0xFFFFFFF0, 7, 0, 10},
                      DelayCase{"TimeMovesOnlyWhileEventsRun", 0xFFFFFFFE, 0, 3, 10},
                      DelayCase{"HalfTheCounterRange", 5, 0x10000000, 0, 0x80000000}),
    [](const ::testing::TestParamInfo<DelayCase>& info) { return info.param.name; });

} // namespace
