#pragma once

#include <QString>

// The name a unit carries until the user names it; such a slot is free and never saved.
inline const QString kPlaceholderUnitName = QStringLiteral("Add custom unit here");

// One unit: its display name and how many base units one of it is worth.
class Unit {
public:
    double factor() const { return m_factor; }
    void setFactor(double factor) { m_factor = factor; }
    const QString &name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }

private:
    double m_factor = 1.0;
    QString m_name = kPlaceholderUnitName;
};
