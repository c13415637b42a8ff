#include "packing/WorkerPool.h"

#include <algorithm>
#include <chrono>
#include <limits>

namespace Zelkor::Rectilinear {

namespace {

constexpr std::size_t none = std::numeric_limits<std::size_t>::max();

// How often the calling thread beats while it waits: well inside the time
// an abort may take to land.
constexpr std::chrono::milliseconds beatInterval{2};

int threadsWanted(int threads) {
    if (threads > 0) return threads;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

}  // namespace

// Forwards the calling thread's heartbeats, and notes when the receiver
// throws so that the workers stop too.
class WorkerPool::CallerHeartbeats final : public ReportReceiver {
public:
    CallerHeartbeats(WorkerPool& pool, ReportReceiver* receiver) : pool(pool), receiver(receiver) {}
    void report(void* data) override {
        if (receiver == nullptr) return;
        try {
            receiver->report(data);
        } catch (...) {
            std::lock_guard<std::mutex> lock(pool.mutex);
            if (!pool.abortError) pool.abortError = std::current_exception();
            pool.aborting = true;
            throw Stopped{};
        }
    }

private:
    WorkerPool& pool;
    ReportReceiver* receiver;
};

// A worker's heartbeats: ends its task once the batch is stopped for it.
class WorkerPool::StopCheck final : public ReportReceiver {
public:
    StopCheck(const WorkerPool& pool, std::size_t index) : pool(pool), index(index) {}
    void report(void*) override {
        if (pool.stopsTask(index)) throw Stopped{};
    }

private:
    const WorkerPool& pool;
    std::size_t index;
};

WorkerPool::WorkerPool(int threads) {
    const int wanted = threadsWanted(threads);
    workers.reserve(static_cast<std::size_t>(wanted - 1));
    for (int k = 1; k < wanted; ++k) workers.emplace_back([this] { work(); });
}

WorkerPool::~WorkerPool() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        ending = true;
    }
    wake.notify_all();
    for (std::thread& worker : workers) worker.join();
}

void WorkerPool::run(std::size_t count, const Task& task, ReportReceiver* receiver) {
    if (count == 0) return;
    {
        std::lock_guard<std::mutex> lock(mutex);
        current = &task;
        taskCount = count;
        nextTask = 0;
        tasksDone = 0;
        aborting = false;
        firstFailed = none;
        firstError = nullptr;
        abortError = nullptr;
        ++batch;
    }
    wake.notify_all();

    CallerHeartbeats heartbeats(*this, receiver);
    takeTasks(&heartbeats);
    std::unique_lock<std::mutex> lock(mutex);
    // Workers still leaving the batch must be out before the next one starts.
    while (tasksDone < taskCount || activeWorkers > 0) {
        if (finished.wait_for(lock, beatInterval) == std::cv_status::timeout && !aborting) {
            lock.unlock();
            try {
                heartbeats.report(nullptr);
            } catch (const Stopped&) {
            }
            lock.lock();
        }
    }
    current = nullptr;
    if (firstError) std::rethrow_exception(firstError);
    if (abortError) std::rethrow_exception(abortError);
}

void WorkerPool::work() {
    std::size_t joined = 0;
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        wake.wait(lock, [&] { return ending || (current != nullptr && batch != joined); });
        if (ending) return;
        joined = batch;
        ++activeWorkers;
        lock.unlock();
        takeTasks(nullptr);
        lock.lock();
        --activeWorkers;
        finished.notify_one();
    }
}

void WorkerPool::takeTasks(ReportReceiver* callersHeartbeats) {
    for (;;) {
        const std::size_t index = nextTask.fetch_add(1);
        if (index >= taskCount) return;
        std::exception_ptr error;
        if (!stopsTask(index)) {
            StopCheck stopCheck(*this, index);
            try {
                (*current)(index, callersHeartbeats != nullptr ? callersHeartbeats : &stopCheck);
            } catch (const Stopped&) {
            } catch (...) {
                error = std::current_exception();
            }
        }
        finish(index, error);
    }
}

bool WorkerPool::stopsTask(std::size_t index) const {
    return aborting.load(std::memory_order_relaxed) || index > firstFailed.load(std::memory_order_relaxed);
}

void WorkerPool::finish(std::size_t index, std::exception_ptr error) {
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (error && index < firstFailed) {
            firstFailed = index;
            firstError = error;
        }
        ++tasksDone;
    }
    finished.notify_one();
}

}  // namespace Zelkor::Rectilinear
