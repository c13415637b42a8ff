#pragma once

namespace Zelkor {

// The packing engine's progress sink. The engine calls report with the
// address of a float progress fraction (0 to 0.99), or with a null pointer as
// a bare heartbeat while a long search runs. An implementation may throw from
// report to stop the run: the engine catches nothing.
//
// Receivers are owned by whoever created them and are never deleted through
// this interface, hence the protected, non-virtual destructor.
class ReportReceiver {
public:
    virtual void report(void* data) = 0;

protected:
    ReportReceiver() = default;
    ReportReceiver(const ReportReceiver&) = default;
    ReportReceiver& operator=(const ReportReceiver&) = default;
    ~ReportReceiver() = default;
};

}  // namespace Zelkor
