#include "resources/TallimerResources.h"

#include <QtGlobal>

void initTallimerResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(tallimer);
        return true;
    }();
    Q_UNUSED(registered);
}
