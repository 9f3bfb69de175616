#pragma once

namespace platform {

// Returns the memory the program has freed to the system where the C library keeps it otherwise
// (glibc keeps what a large category's units took until the program ends). Does nothing where
// the C library offers no such call.
void giveBackFreeMemory();

} // namespace platform
