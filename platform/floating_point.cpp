// Raising the exception of a floating-point fault.
#include "platform/floating_point.h"

void RaiseFloatingPointFault(TFloatingPointFault fault) {
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
