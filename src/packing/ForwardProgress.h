#pragma once

#include "packing/ReportReceiver.h"

namespace Zelkor::Rectilinear {

// Passes progress on to another receiver, never lower than before. The
// engine's fraction counts merged groups as progress, and those groups are
// broken up again when the next host has another shape, so the raw value
// falls back; a bar that jumps back looks like a hang or a restart.
// Heartbeats (null) pass unchanged, and so does whatever the receiver throws.
class ForwardProgress final : public ReportReceiver {
public:
    explicit ForwardProgress(ReportReceiver& newReceiver) : receiver(newReceiver) {}

    void report(void* data) override {
        if (data == nullptr) {
            receiver.report(nullptr);
            return;
        }
        const float value = *static_cast<const float*>(data);
        if (value > highest) highest = value;
        float forwarded = highest;
        receiver.report(&forwarded);
    }

private:
    ReportReceiver& receiver;
    float highest = 0.0f;
};

}  // namespace Zelkor::Rectilinear
