#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

#include "packing/WorkerPool.h"

using namespace Zelkor::Rectilinear;

namespace {

// Counts heartbeats and remembers whether one came from another thread;
// throws from the given heartbeat on.
class ThreadCheckingReceiver final : public Zelkor::ReportReceiver {
public:
    explicit ThreadCheckingReceiver(int throwFrom = -1) : throwFrom(throwFrom) {}
    void report(void*) override {
        if (std::this_thread::get_id() != owner) fromOtherThread = true;
        if (throwFrom >= 0 && ++beats > throwFrom) throw std::runtime_error("stop");
    }
    const std::thread::id owner = std::this_thread::get_id();
    bool fromOtherThread = false;

private:
    int throwFrom;
    int beats = 0;
};

}  // namespace

// Batch after batch on one pool: every task once, heartbeats to the caller's
// receiver only from the calling thread, and of several failing tasks the
// lowest position's exception.
TEST(WorkerPool, RunsEveryTaskOnceAndFailsLikeALoopInOrder) {
    for (const int threads : {1, 2, 8}) {
        SCOPED_TRACE(threads);
        WorkerPool pool(threads);
        EXPECT_EQ(pool.threadCount(), threads);
        ThreadCheckingReceiver receiver;
        for (std::size_t count : {0u, 1u, 7u, 300u}) {
            std::vector<std::atomic<int>> runs(count);
            pool.run(
                count,
                [&](std::size_t i, Zelkor::ReportReceiver* heartbeats) {
                    heartbeats->report(nullptr);
                    ++runs[i];
                },
                &receiver);
            for (std::size_t i = 0; i < count; ++i) EXPECT_EQ(runs[i].load(), 1) << i;
        }
        EXPECT_FALSE(receiver.fromOtherThread);

        for (int round = 0; round < 20; ++round) {
            try {
                pool.run(
                    50,
                    [](std::size_t i, Zelkor::ReportReceiver*) {
                        if (i == 13 || i == 31 || i == 47) throw std::out_of_range(std::to_string(i));
                    },
                    nullptr);
                ADD_FAILURE() << "no exception";
            } catch (const std::out_of_range& e) {
                EXPECT_STREQ(e.what(), "13");
            }
        }
    }
}

// What the receiver throws stops the workers' tasks at their next heartbeat
// and reaches the caller.
TEST(WorkerPool, AReceiverThatThrowsStopsTheBatch) {
    for (const int threads : {1, 2, 8}) {
        SCOPED_TRACE(threads);
        WorkerPool pool(threads);
        ThreadCheckingReceiver receiver(3);
        std::atomic<int> finished{0};
        EXPECT_THROW(pool.run(
                         64,
                         [&](std::size_t, Zelkor::ReportReceiver* heartbeats) {
                             for (int beat = 0; beat < 1000; ++beat) {
                                 heartbeats->report(nullptr);
                                 std::this_thread::sleep_for(std::chrono::microseconds(20));
                             }
                             ++finished;
                         },
                         &receiver),
                     std::runtime_error);
        EXPECT_LT(finished.load(), 64);
        EXPECT_FALSE(receiver.fromOtherThread);
    }
}
