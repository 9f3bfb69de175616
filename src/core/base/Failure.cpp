#include "core/base/Failure.h"

#include "core/base/AppInfo.h"

namespace app {

QString standardDescription(int number)
{
    switch (number) {
    case kErrInvalidProcedureCall:
        return QStringLiteral("Invalid procedure call or argument");
    case kErrOverflow:
        return QStringLiteral("Overflow");
    case kErrSubscriptOutOfRange:
        return QStringLiteral("Subscript out of range");
    case kErrDivisionByZero:
        return QStringLiteral("Division by zero");
    case kErrTypeMismatch:
        return QStringLiteral("Type mismatch");
    case kErrPathFileAccess:
        return QStringLiteral("Path/File access error");
    case kErrInvalidPropertyValue:
        return QStringLiteral("Invalid property value");
    case kErrInvalidPropertyArrayIndex:
        return QStringLiteral("Invalid property array index");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}

Failure::Failure(int number, const QString &description, const QString &source)
    : m_number(number)
    , m_source(source.isEmpty() ? appTitle() : source)
    , m_description(description.isEmpty() ? standardDescription(number) : description)
    , m_what(QStringLiteral("Error %1: %2").arg(number).arg(m_description).toUtf8())
{
}

} // namespace app
