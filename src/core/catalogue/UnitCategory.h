#pragma once

#include "core/catalogue/Unit.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// One category being edited: its name, a changed flag, and a growable array of unit slots with
// explicit 16-bit bounds. Reading a slot fills an empty one with a placeholder unit first.
// An index outside the bounds, or any slot access while the array is unallocated, fails with
// app::Failure 9 (subscript out of range) and changes nothing.
class UnitCategory {
public:
    const QString &categoryName() const { return m_categoryName; }
    void setCategoryName(const QString &categoryName) { m_categoryName = categoryName; }

    bool isChanged() const { return m_changed; }

    QString unitName(qint16 index);
    double unitFactor(qint16 index);
    // Sets the unit in slot index and marks the category changed.
    void setUnit(const QString &name, double factor, qint16 index);

    // Makes the slots first..last, keeping the units of the slots both ranges share when
    // preserveUnits is set (the others start empty).
    void resize(qint16 first, qint16 last, bool preserveUnits = false);
    qint16 lastIndex() const;
    qint16 firstIndex() const;
    bool isAllocated() const { return m_units.has_value(); }

    // No slots, not changed, and no file read (as a new category has none); the name stays.
    void clear();

    // Reads a category file into the slots: -1 when there is no such file (or it is too long or
    // no regular file, after a message), otherwise the index of the last piece less one for
    // every blank or rejected line. A rejected line is reported ("Error loading " and its last
    // field, the first few of them; see RejectedLineReport). Leaves the name and the changed flag
    // alone.
    qint16 load(const QString &path, qint16 extraSlots);

    // Writes the named units to a category file when the changed flag is set. The file is
    // written aside and put in place in one step: a failed write leaves the old file whole and
    // throws app::Failure (75, or 5 for a name no catalogue file can hold). Only a regular file
    // is replaced: a link, FIFO, device or folder in its place is left alone (75).
    void save(const QString &path);

    // True when the file at path is no longer the one load() read or save() wrote last (or, for
    // a new category, no longer absent): another copy of the program or another program changed,
    // created or deleted it since.
    bool fileChangedOnDisk(const QString &path) const;
    // Takes the file at path as it is now as the one the edits build on (the user chose to
    // overwrite it). A change after this makes fileChangedOnDisk true again.
    void takeFileOnDisk(const QString &path);

private:
    Unit &slot(qint16 index);

    QString m_categoryName;
    bool m_changed = false;
    // The digest of the file's bytes as last read or written, or nothing for no file.
    std::optional<QByteArray> m_fileDigest;
    qint16 m_lowerBound = 0;
    std::optional<std::vector<std::optional<Unit>>> m_units;
};
