#pragma once

#include <QString>

namespace about {

// Opens the address in the user's default browser and returns at once. When the system cannot
// open it, shows "Web Browser Error" (critical icon, OK); any other failure is reported by
// ReportError as routine "Web Link". The main window's link label and banner picture call it
// with product::webLinkAddress().
void openWebAddress(const QString &address);

} // namespace about
