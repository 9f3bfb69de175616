#pragma once

namespace platform {

// The application-wide busy (hourglass) pointer of a long operation. Setting it twice, or
// putting the default back twice, changes nothing.
void setBusyPointer(bool busy);
bool isBusyPointer();

} // namespace platform
