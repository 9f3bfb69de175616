#include "core/catalogue/UnitCategory.h"

#include "core/base/Failure.h"
#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/RejectedLineReport.h"
#include "core/platform/RegularFile.h"
#include "core/text/CatalogueText.h"
#include "core/text/NumberText.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace {

QByteArray digestOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

// What a read found, as m_fileDigest records it. A file that cannot be read whole (no regular
// file, too long, unreadable) matches no digest of bytes.
std::optional<QByteArray> digestOf(const catalogue::FileRead &read)
{
    if (read.problem == catalogue::ReadProblem::Missing)
        return std::nullopt;
    if (read.problem)
        return QByteArray();
    return digestOf(read.bytes);
}

} // namespace

Unit &UnitCategory::slot(qint16 index)
{
    if (!m_units || index < m_lowerBound || index - m_lowerBound >= qsizetype(m_units->size()))
        throw app::Failure(app::kErrSubscriptOutOfRange);
    std::optional<Unit> &unit = (*m_units)[std::size_t(index - m_lowerBound)];
    if (!unit)
        unit.emplace();
    return *unit;
}

QString UnitCategory::unitName(qint16 index)
{
    return slot(index).name();
}

double UnitCategory::unitFactor(qint16 index)
{
    return slot(index).factor();
}

void UnitCategory::setUnit(const QString &name, double factor, qint16 index)
{
    Unit &unit = slot(index);
    unit.setName(name);
    unit.setFactor(factor);
    m_changed = true;
}

void UnitCategory::resize(qint16 first, qint16 last, bool preserveUnits)
{
    if (last < first)
        throw app::Failure(app::kErrSubscriptOutOfRange);
    std::vector<std::optional<Unit>> units(std::size_t(last - first + 1));
    if (preserveUnits && m_units) {
        for (int index = first; index <= last; ++index) {
            const int old = index - m_lowerBound;
            if (old >= 0 && old < int(m_units->size()))
                units[std::size_t(index - first)] = std::move((*m_units)[std::size_t(old)]);
        }
    }
    m_units = std::move(units);
    m_lowerBound = first;
}

qint16 UnitCategory::lastIndex() const
{
    if (!m_units)
        throw app::Failure(app::kErrSubscriptOutOfRange);
    return qint16(m_lowerBound + qsizetype(m_units->size()) - 1);
}

qint16 UnitCategory::firstIndex() const
{
    if (!m_units)
        throw app::Failure(app::kErrSubscriptOutOfRange);
    return m_lowerBound;
}

void UnitCategory::clear()
{
    m_changed = false;
    m_fileDigest.reset();
    m_units.reset();
    m_lowerBound = 0;
}

qint16 UnitCategory::load(const QString &path, qint16 extraSlots)
{
    const catalogue::FileRead read = catalogue::readCatalogueBytes(path);
    if (read.problem == catalogue::ReadProblem::Missing)
        return -1;
    if (read.problem == catalogue::ReadProblem::NotARegularFile || read.problem == catalogue::ReadProblem::TooLong) {
        catalogue::reportReadProblem(path, *read.problem);
        return -1;
    }
    // An unreadable file reads as empty, as every catalogue read does.
    const QStringList pieces = catalogue::splitAtCrLf(catalogue::decodeCatalogueText(read.bytes));
    const int lastPiece = int(pieces.size()) - 1; // K, the number of CR LF pairs
    const int upperBound = lastPiece - 1 + extraSlots;
    if (!catalogue::withinLineLimit(path, upperBound))
        return -1;
    resize(0, qint16(upperBound));
    m_fileDigest = digestOf(read);

    int count = lastPiece;
    RejectedLineReport rejected;
    for (int i = 0; i <= lastPiece; ++i) {
        const QString &piece = pieces.at(i);
        if (piece.isEmpty()) {
            --count;
            continue;
        }
        QString rejectedName;
        if (const std::optional<Unit> unit = catalogue::parseEditedUnit(piece, rejectedName)) {
            slot(qint16(i)) = *unit;
        } else {
            rejected.reject(QStringLiteral("Error loading ") + rejectedName);
            --count;
        }
    }
    rejected.finish();
    return qint16(count);
}

void UnitCategory::save(const QString &path)
{
    if (!m_changed)
        return;
    QString text;
    for (qint16 index = firstIndex(), last = lastIndex(); index <= last; ++index) {
        const Unit &unit = slot(index);
        if (!unit.name().isEmpty() && unit.name() != kPlaceholderUnitName)
            text += conversion::factorText(unit.factor()) + QLatin1Char('^') + unit.name() + QStringLiteral("\r\n");
        if (index == last)
            break; // the loop counter must not step past 32767
    }
    const auto bytes = catalogue::encodeCatalogueText(text);
    if (!bytes)
        throw app::Failure(app::kErrInvalidProcedureCall,
                           QStringLiteral("A unit name holds a character that a catalogue file cannot store."));

    // Never overwrite a file its owner made read-only, even though the folder would allow it.
    if (platform::entryKind(path) == platform::EntryKind::RegularFile && !QFileInfo(path).isWritable())
        throw app::Failure(app::kErrPathFileAccess);
    if (!platform::replaceFile(path, *bytes))
        throw app::Failure(app::kErrPathFileAccess);
    m_fileDigest = digestOf(*bytes);
}

bool UnitCategory::fileChangedOnDisk(const QString &path) const
{
    return digestOf(catalogue::readCatalogueBytes(path)) != m_fileDigest;
}

void UnitCategory::takeFileOnDisk(const QString &path)
{
    m_fileDigest = digestOf(catalogue::readCatalogueBytes(path));
}
