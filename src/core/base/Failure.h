#pragma once

#include <QString>

#include <exception>

namespace app {

// The classic run-time error numbers, kept so that reports read as users have always seen them.
inline constexpr int kErrOverflow = 6;
inline constexpr int kErrSubscriptOutOfRange = 9;
inline constexpr int kErrDivisionByZero = 11;
inline constexpr int kErrTypeMismatch = 13;
inline constexpr int kErrInvalidProcedureCall = 5;
inline constexpr int kErrPathFileAccess = 75;
inline constexpr int kErrInvalidPropertyValue = 380;
inline constexpr int kErrInvalidPropertyArrayIndex = 381;

// The standard description of a classic error number.
QString standardDescription(int number);

// A failure inside a routine: a number, the component it arose in and a description.
// Routines that guard themselves catch it and call ReportError; the rest let it pass.
class Failure : public std::exception {
public:
    explicit Failure(int number, const QString &description = QString(), const QString &source = QString());

    int number() const { return m_number; }
    const QString &source() const { return m_source; }
    const QString &description() const { return m_description; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    int m_number;
    QString m_source;
    QString m_description;
    QByteArray m_what;
};

} // namespace app
