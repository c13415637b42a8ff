#pragma once

#include <atomic>
#include <cstddef>
#include <functional>

#include "packing/ReportReceiver.h"

namespace Zelkor::Marvane {

// The progress sink of one packing run started from Java. It passes progress
// on in steps of at least 0.01 and stops the run, by throwing
// InterruptedException from report, once an abort has been requested.
//
// The receiver knows nothing about Java: the packing entry hands it the
// callable that delivers a progress value to the calling PackHandler. Only
// the run's own thread calls report (and so the forwarder); any thread may
// request the interruption.
class PackingReportReceiver final : public Zelkor::ReportReceiver {
public:
    using ProgressForwarder = std::function<void(float)>;

    // The unit and line by which an interruption identifies itself.
    static constexpr const char* interruptionFileName = "PackingReportReceiver";
    static constexpr int interruptionLineNumber = 108;

    explicit PackingReportReceiver(ProgressForwarder forwardProgress);
    PackingReportReceiver(const PackingReportReceiver&) = delete;
    PackingReportReceiver& operator=(const PackingReportReceiver&) = delete;

    // `argument` is the address of a float progress fraction, or null for a
    // bare heartbeat. Either way an interruption requested earlier is thrown
    // first. A value reaches the forwarder only when it differs by at least
    // 0.01 from the last value forwarded (0 at the start), so small steps add
    // up until they reach 0.01 together. Whatever the forwarder throws leaves
    // report unchanged.
    void report(void* argument) override;

    // Makes every later report of this run throw. Safe from any thread; the
    // request is never withdrawn.
    void throwInterruptionOnNextReportUpdate() noexcept;
    // Throws InterruptedException when an interruption was requested.
    void checkForInterruptionRequestsAndPerform() const;

    float getLastValueReported() const { return lastValueReported; }

private:
    ProgressForwarder forwardProgress;
    // Touched only by the run's thread.
    float lastValueReported = 0.0f;
    // Set by the aborting thread, read by the run's thread at each report.
    std::atomic<bool> interruptionRequested{false};
};

// The process-wide list of the receivers whose engine is running.
//
// Packing threads add and remove their own receiver (through
// RunningPackingListing); abortAllRunningPackings walks the list from any
// other thread. One mutex guards the list, and an abort flags the receivers
// while holding it, so a receiver cannot leave the list (and its run's frame)
// halfway through an abort. The flags themselves are atomic, so a running
// engine never takes the lock.

// Lists `receiver` for the lifetime of this object: construct it just before
// the engine starts and let it go out of scope when the engine returns or
// throws, so the receiver is listed exactly while its engine runs.
class RunningPackingListing {
public:
    explicit RunningPackingListing(PackingReportReceiver& receiver);
    ~RunningPackingListing();
    RunningPackingListing(const RunningPackingListing&) = delete;
    RunningPackingListing& operator=(const RunningPackingListing&) = delete;

private:
    PackingReportReceiver& receiver;
};

// Requests the interruption of every listed run, in list order. Runs started
// afterwards are not affected.
void abortAllRunningPackings() noexcept;

// How many runs are listed now (for diagnostics and tests).
std::size_t runningPackingCount();

}  // namespace Zelkor::Marvane
