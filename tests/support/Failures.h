#pragma once

#include "core/base/Failure.h"

#include <functional>

// The number of the failure that action raised, or 0 when it raised none.
inline int failureNumber(const std::function<void()> &action)
{
    try {
        action();
    } catch (const app::Failure &failure) {
        return failure.number();
    }
    return 0;
}
