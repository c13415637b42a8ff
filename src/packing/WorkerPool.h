#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "packing/ReportReceiver.h"

namespace Zelkor::Rectilinear {

// Runs batches of independent tasks on worker threads and on the calling
// thread together. Results stay identical for every thread count because
// each task writes only its own result; the caller combines them in task
// order afterwards.
//
// Only the calling thread ever talks to the caller's receiver: its own tasks
// send their heartbeats there, and so does the thread itself while it waits
// for the workers. Whatever the receiver throws stops the batch. A task on a
// worker gets a receiver of its own instead, which throws to end the task
// early once the batch is being stopped; tasks send it their heartbeats as
// they would to the caller's. The pool waits for every running task before
// it rethrows on the calling thread.
class WorkerPool {
public:
    // `threads` counts the calling thread; 0 means one per core. With one
    // thread no worker is started and every task runs on the calling thread.
    explicit WorkerPool(int threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    int threadCount() const { return static_cast<int>(workers.size()) + 1; }

    // One task: its position in the batch, and where its heartbeats go.
    using Task = std::function<void(std::size_t index, ReportReceiver* heartbeats)>;

    // Runs task(i) once for every i < count and returns when all are done.
    // `receiver` (may be null) gets the calling thread's heartbeats. When
    // tasks throw, the exception of the lowest position is rethrown, as a
    // loop over the tasks in order would have thrown it, and the tasks after
    // it are stopped; otherwise what the receiver threw.
    void run(std::size_t count, const Task& task, ReportReceiver* receiver);

private:
    class CallerHeartbeats;
    class StopCheck;
    struct Stopped {};

    void work();
    // Takes and runs tasks of the current batch until none is left.
    void takeTasks(ReportReceiver* callersHeartbeats);
    bool stopsTask(std::size_t index) const;
    void finish(std::size_t index, std::exception_ptr error);

    std::vector<std::thread> workers;
    std::mutex mutex;
    std::condition_variable wake;      // workers: a batch or the end
    std::condition_variable finished;  // caller: a task finished
    const Task* current = nullptr;
    std::size_t batch = 0;             // counts batches, so a worker joins each once
    std::size_t taskCount = 0;
    std::atomic<std::size_t> nextTask{0};
    std::size_t tasksDone = 0;
    int activeWorkers = 0;  // workers inside the current batch
    std::atomic<bool> aborting{false};            // the receiver threw
    std::atomic<std::size_t> firstFailed{0};      // the lowest position whose task threw
    std::exception_ptr firstError;
    std::exception_ptr abortError;
    bool ending = false;
};

}  // namespace Zelkor::Rectilinear
