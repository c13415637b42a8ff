#include "bridge/PackingReportReceiver.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <utility>
#include <vector>

#include "packing/InterruptedException.h"

namespace Zelkor::Marvane {

namespace {

// Progress moves reach Java only once they add up to this much.
constexpr float minimumProgressStep = 0.01f;

// The list of running receivers and its lock (see the header for the rule).
// Function-local statics, so the list exists before any entry can use it.
struct RunningPackings {
    std::mutex mutex;
    std::vector<PackingReportReceiver*> receivers;
};

RunningPackings& runningPackings() {
    static RunningPackings instance;
    return instance;
}

}  // namespace

PackingReportReceiver::PackingReportReceiver(ProgressForwarder forwardProgress)
    : forwardProgress(std::move(forwardProgress)) {}

void PackingReportReceiver::report(void* argument) {
    checkForInterruptionRequestsAndPerform();
    if (argument == nullptr) return;
    const float value = *static_cast<const float*>(argument);
    // A NaN compares false and is dropped like a step that is too small.
    if (!(std::fabs(value - lastValueReported) >= minimumProgressStep)) return;
    if (forwardProgress) forwardProgress(value);
    lastValueReported = value;
}

void PackingReportReceiver::throwInterruptionOnNextReportUpdate() noexcept {
    interruptionRequested.store(true);
}

void PackingReportReceiver::checkForInterruptionRequestsAndPerform() const {
    if (interruptionRequested.load()) {
        throw Zelkor::Rectilinear::InterruptedException(interruptionFileName, interruptionLineNumber);
    }
}

RunningPackingListing::RunningPackingListing(PackingReportReceiver& receiver) : receiver(receiver) {
    RunningPackings& packings = runningPackings();
    const std::lock_guard<std::mutex> lock(packings.mutex);
    packings.receivers.push_back(&receiver);
}

RunningPackingListing::~RunningPackingListing() {
    RunningPackings& packings = runningPackings();
    const std::lock_guard<std::mutex> lock(packings.mutex);
    const auto listed = std::find(packings.receivers.begin(), packings.receivers.end(), &receiver);
    if (listed != packings.receivers.end()) packings.receivers.erase(listed);
}

void abortAllRunningPackings() noexcept {
    RunningPackings& packings = runningPackings();
    const std::lock_guard<std::mutex> lock(packings.mutex);
    for (PackingReportReceiver* receiver : packings.receivers) receiver->throwInterruptionOnNextReportUpdate();
}

std::size_t runningPackingCount() {
    RunningPackings& packings = runningPackings();
    const std::lock_guard<std::mutex> lock(packings.mutex);
    return packings.receivers.size();
}

}  // namespace Zelkor::Marvane
