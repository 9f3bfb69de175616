#pragma once

#include "core/base/Failure.h"

#include <QString>

namespace app {

// The text of the one report for an unexpected failure inside routine routineName.
QString errorReportText(const QString &routineName, const Failure &failure);

// Shows that report: exclamation icon, OK, the application title.
void ReportError(const QString &routineName, const Failure &failure);

} // namespace app
