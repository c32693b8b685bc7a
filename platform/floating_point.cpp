// Status-flag handling of the x87 unit and SSE on x86-64.
#include "platform/floating_point.h"

#include <cfenv>
#include <xmmintrin.h>

namespace {
constexpr unsigned SseExceptionFlags = 0x3F;
}

void ClearFloatingPointFaults() noexcept {
    asm volatile("fnclex");
    _mm_setcsr(_mm_getcsr() & ~SseExceptionFlags);
}

void CheckFloatingPointFaults() {
    int flags = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    if (flags == 0) [[likely]]
        return;
    if (flags & FE_INVALID) RaiseFloatingPointFault(TFloatingPointFault::InvalidOp);
    if (flags & FE_DIVBYZERO) RaiseFloatingPointFault(TFloatingPointFault::ZeroDivide);
    RaiseFloatingPointFault(TFloatingPointFault::Overflow);
}

void RaiseFloatingPointFault(TFloatingPointFault fault) {
    ClearFloatingPointFaults();
    switch (fault) {
    case TFloatingPointFault::InvalidOp:
        throw EInvalidOp();
    case TFloatingPointFault::ZeroDivide:
        throw EZeroDivide();
    case TFloatingPointFault::Overflow:
        break;
    }
    throw EOverflow();
}
