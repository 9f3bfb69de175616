#pragma once

namespace platform {

// The application-wide busy (hourglass) pointer of a long operation. Setting it twice, or
// putting the default back twice, changes nothing.
void setBusyPointer(bool busy);
bool isBusyPointer();

// The busy pointer for the length of a scope, put back however the scope ends.
class BusyPointerScope {
public:
    BusyPointerScope() { setBusyPointer(true); }
    ~BusyPointerScope() { setBusyPointer(false); }
    BusyPointerScope(const BusyPointerScope &) = delete;
    BusyPointerScope &operator=(const BusyPointerScope &) = delete;
};

} // namespace platform
