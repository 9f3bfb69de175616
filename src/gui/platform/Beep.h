#pragma once

namespace platform {

// The standard beep, for a key that a box refuses.
void beep();

// Test hook: how many beeps have sounded since the count was last reset.
int beepCount();
void resetBeepCount();

} // namespace platform
