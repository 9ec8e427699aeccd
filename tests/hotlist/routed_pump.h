// The routed pump's old names: the support pump now routes every message as the program's loops do.
#pragma once

#include "tests/support/pump.h"

inline bool PumpRoutedUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000)
{
    return testing_support::PumpUntil(condition, timeoutMs);
}

inline void PumpRoutedPending()
{
    testing_support::PumpPending();
}
