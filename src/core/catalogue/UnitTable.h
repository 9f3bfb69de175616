#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <span>
#include <vector>

namespace catalogue {

class ListOrder;

// The units of one category file as the unit lists show them, held compactly, since a category
// may have 32767 units: the names in one buffer, the sorted order as positions, and the factors
// read once, as numbers. Made by parseUnitTable (CatalogueFile.h).
class UnitTable {
public:
    UnitTable() = default;
    // An empty table for a file of lineCount lines whose names take about nameBytes bytes.
    UnitTable(qint16 lineCount, qsizetype nameBytes);

    // The file's item count (lines, as the sequential field reader counts them).
    qint16 lineCount() const { return m_lineCount; }
    // The units listed, in the lists' order once sorted, in file order before.
    int size() const { return int(m_tags.size()); }
    QStringView name(int row) const { return nameInFile(fileIndex(row)); }
    qint16 tag(int row) const { return m_tags[std::size_t(fileIndex(row))]; }
    // One factor per line of the file: NaN for a blank line or one that was rejected.
    std::span<const double> factors() const { return m_factors; }
    // The names (last fields) of the lines rejected because their first field is no number.
    const QStringList &rejectedNames() const { return m_rejectedNames; }

    // Adds the unit of a line: its name as the file's bytes hold it, and its factor.
    void addUnit(qint16 line, QByteArrayView name, double factor);
    void addRejected(QByteArrayView name);
    // Puts the units in the lists' order, equal names in file order, and gives back the room
    // made for names that was not used.
    void sort(const ListOrder &order);

private:
    int fileIndex(int row) const { return m_order.empty() ? row : int(m_order[std::size_t(row)]); }
    QStringView nameInFile(int index) const;

    qint16 m_lineCount = 0;
    QString m_names;                 // every unit's name, one after the other, in file order
    std::vector<quint32> m_nameEnds; // where the name of each unit in file order ends
    std::vector<qint16> m_tags;      // each unit's line, in file order
    std::vector<quint16> m_order;    // the unit in file order at each sorted row; none: file order
    std::vector<double> m_factors;
    QStringList m_rejectedNames;
};

} // namespace catalogue
