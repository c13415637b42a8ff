#include "bridge/PackingReportReceiver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>
#include <thread>
#include <vector>

#include "packing/InterruptedException.h"

namespace {

using Zelkor::Marvane::abortAllRunningPackings;
using Zelkor::Marvane::PackingReportReceiver;
using Zelkor::Marvane::RunningPackingListing;
using Zelkor::Marvane::runningPackingCount;
using Zelkor::Rectilinear::InterruptedException;

void reportValue(PackingReportReceiver& receiver, float value) {
    receiver.report(&value);
}

// True when the call threw the receiver's interruption.
template <typename Call>
bool interrupts(Call&& call) {
    try {
        call();
    } catch (const InterruptedException& e) {
        EXPECT_EQ("PackingReportReceiver", e.getFileName());
        EXPECT_EQ(108, e.getLineNumber());
        return true;
    }
    return false;
}

// A stand-in for the engine: reports progress and heartbeats until it is
// interrupted or has made `reports` reports. Returns whether it was interrupted.
bool runFakeEngine(PackingReportReceiver& receiver, long reports) {
    return interrupts([&] {
        for (long step = 0; step < reports; ++step) {
            if (step % 4 == 0) {
                reportValue(receiver, static_cast<float>(step % 100) / 100.0f);
            } else {
                receiver.report(nullptr);
            }
        }
    });
}

TEST(PackingReportReceiver, forwardsProgressOnlyOnceItHasMovedByAHundredth) {
    std::vector<float> forwarded;
    PackingReportReceiver receiver([&](float value) { forwarded.push_back(value); });
    for (float value : {0.004f, 0.008f, 0.012f}) reportValue(receiver, value);
    EXPECT_EQ(std::vector<float>{0.012f}, forwarded);
    reportValue(receiver, std::numeric_limits<float>::quiet_NaN());
    receiver.report(nullptr);
    EXPECT_EQ(std::vector<float>{0.012f}, forwarded);
    EXPECT_EQ(0.012f, receiver.getLastValueReported());
}

// On random walks (small and large steps, back and forth, the odd NaN):
// every forwarded value is at least 0.01 away from the one forwarded before,
// and after every report the last forwarded value is less than 0.01 away from
// the value just reported, so Java never lags by a whole step.
TEST(PackingReportReceiver, forwardedProgressNeverJittersAndNeverLags) {
    std::mt19937 generator(20261207);
    std::uniform_real_distribution<float> step(-0.004f, 0.015f);
    for (int walk = 0; walk < 50; ++walk) {
        std::vector<float> forwarded;
        PackingReportReceiver receiver([&](float value) { forwarded.push_back(value); });
        float value = 0.0f;
        for (int i = 0; i < 200; ++i) {
            const bool nan = generator() % 50 == 0;
            value = std::fmin(0.99f, std::fmax(0.0f, value + step(generator)));
            const std::size_t before = forwarded.size();
            reportValue(receiver, nan ? std::numeric_limits<float>::quiet_NaN() : value);
            const float previous = before == 0 ? 0.0f : forwarded[before - 1];
            if (nan) {
                ASSERT_EQ(before, forwarded.size());
            } else if (forwarded.size() > before) {
                ASSERT_GE(std::fabs(forwarded.back() - previous), 0.01f);
            } else {
                ASSERT_LT(std::fabs(value - previous), 0.01f);
            }
        }
        EXPECT_EQ(forwarded.empty() ? 0.0f : forwarded.back(), receiver.getLastValueReported());
    }
}

TEST(PackingReportReceiver, anAbortStopsEveryLaterReportIncludingHeartbeats) {
    int forwardedCount = 0;
    PackingReportReceiver receiver([&](float) { ++forwardedCount; });
    EXPECT_FALSE(interrupts([&] { receiver.report(nullptr); }));
    receiver.throwInterruptionOnNextReportUpdate();
    EXPECT_TRUE(interrupts([&] { receiver.report(nullptr); }));
    EXPECT_TRUE(interrupts([&] { reportValue(receiver, 0.5f); }));
    EXPECT_TRUE(interrupts([&] { receiver.report(nullptr); }));
    EXPECT_EQ(0, forwardedCount);
}

TEST(RunningPackings, aReceiverIsListedExactlyWhileItsEngineRunsAndOnlyListedOnesAreAborted) {
    ASSERT_EQ(0u, runningPackingCount());
    PackingReportReceiver finished(nullptr);
    {
        const RunningPackingListing listing(finished);
        EXPECT_EQ(1u, runningPackingCount());
    }
    EXPECT_EQ(0u, runningPackingCount());

    PackingReportReceiver failing(nullptr);
    EXPECT_THROW(
        {
            const RunningPackingListing listing(failing);
            throw std::runtime_error("engine failure");
        },
        std::runtime_error);
    EXPECT_EQ(0u, runningPackingCount());

    // An abort with nothing running reaches neither earlier nor later runs.
    abortAllRunningPackings();
    PackingReportReceiver later(nullptr);
    const RunningPackingListing listing(later);
    EXPECT_FALSE(runFakeEngine(finished, 10));
    EXPECT_FALSE(runFakeEngine(later, 10));
    abortAllRunningPackings();
    EXPECT_TRUE(runFakeEngine(later, 10));
    EXPECT_FALSE(runFakeEngine(finished, 10));
}

constexpr int threadCount = 8;

// Eight runs that would go on for a long time are all listed at once; one
// abort from another thread must stop every one of them, round after round.
TEST(RunningPackings, oneAbortFromAnotherThreadStopsEightRunningThreads) {
    constexpr long practicallyEndless = 1L << 40;
    for (int round = 0; round < 10; ++round) {
        std::atomic<int> interrupted{0};
        std::vector<std::thread> runs;
        for (int t = 0; t < threadCount; ++t) {
            runs.emplace_back([&] {
                PackingReportReceiver receiver([](float) {});
                const RunningPackingListing listing(receiver);
                if (runFakeEngine(receiver, practicallyEndless)) ++interrupted;
            });
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (runningPackingCount() < threadCount && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::yield();
        }
        ASSERT_EQ(static_cast<std::size_t>(threadCount), runningPackingCount());
        std::thread aborter(abortAllRunningPackings);
        aborter.join();
        for (std::thread& run : runs) run.join();
        EXPECT_EQ(threadCount, interrupted.load());
        EXPECT_EQ(0u, runningPackingCount());
    }
}

// Short runs start and end on eight threads while another thread aborts
// again and again: every run ends exactly once, either finished or
// interrupted, and the list is empty at the end.
TEST(RunningPackings, runsComingAndGoingUnderRepeatedAbortsLeaveTheListEmpty) {
    constexpr int runsPerThread = 100;
    std::atomic<int> finished{0};
    std::atomic<int> interrupted{0};
    std::atomic<int> forwarded{0};
    std::atomic<bool> done{false};
    std::thread aborter([&] {
        while (!done.load()) {
            abortAllRunningPackings();
            std::this_thread::yield();
        }
    });
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([&] {
            for (int run = 0; run < runsPerThread; ++run) {
                PackingReportReceiver receiver([&](float) { ++forwarded; });
                const RunningPackingListing listing(receiver);
                ++(runFakeEngine(receiver, 400) ? interrupted : finished);
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    done.store(true);
    aborter.join();
    EXPECT_EQ(threadCount * runsPerThread, finished.load() + interrupted.load());
    EXPECT_GT(forwarded.load(), 0);
    EXPECT_EQ(0u, runningPackingCount());
}

}  // namespace
