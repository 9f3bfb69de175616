#pragma once

#include "core/catalogue/CUnit.h"

#include <QString>

#include <optional>
#include <vector>

// The question asked before a changed category is written.
inline const QString kSaveChangesQuestion = QStringLiteral("Save Changes to current category ?");

// One category being edited: its name, a changed flag, and a growable array of unit slots with
// explicit 16-bit bounds. Reading a slot fills an empty one with a placeholder unit first.
// An index outside the bounds, or any slot access while the array is unallocated, fails with
// app::Failure 9 (subscript out of range) and changes nothing.
class CUnitCategory {
public:
    const QString &categoryName() const { return m_categoryName; }
    void setCategoryName(const QString &categoryName) { m_categoryName = categoryName; }

    // The changed flag as text, "True" or "False".
    QString GetClassChanged() const;
    bool classChanged() const { return m_classChanged; }

    QString getUnitName(qint16 Index);
    double getUnitFactor(qint16 Index);
    void setUnit(const QString &UnitName, double UnitFactor, qint16 Index);

    void ReDimUnits(qint16 FromNum, qint16 ToNum, bool PreserveUnits = false);
    qint16 UBoundUnits() const;
    qint16 LBoundUnits() const;
    bool isAllocated() const { return m_units.has_value(); }

    void RestClass();

    // Reads a category file into the slots: -1 when there is no such file (or it is too long,
    // after a message), otherwise the index of the last piece less one for every blank or
    // rejected line. A rejected line is reported ("Error loading " and its last field, the
    // first few of them; see RejectedLineReport). Leaves the name and the changed flag alone.
    qint16 LoadFromFile(const QString &FilePath, qint16 NumExtra);

    // Writes the units to a category file when the changed flag is set, after asking when
    // showConfirm is true. Returns "Cancel" when the user cancelled, otherwise empty text.
    // The file is written aside and put in place in one step: a failed write leaves the old
    // file whole and throws app::Failure (75, or 5 for a name no catalogue file can hold).
    QString SaveToFile(const QString &FilePath, bool showConfirm);

private:
    CUnit &slot(qint16 Index);

    QString m_categoryName;
    bool m_classChanged = false;
    qint16 m_lowerBound = 0;
    std::optional<std::vector<std::optional<CUnit>>> m_units;
};
