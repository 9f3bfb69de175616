#include "core/catalogue/CUnitCategory.h"

#include "core/base/Failure.h"
#include "core/text/CatalogueText.h"
#include "core/catalogue/File_IO.h"
#include "core/catalogue/RejectedLineReport.h"
#include "core/text/NumberText.h"
#include "core/platform/MessageBox.h"

#include <QFileInfo>
#include <QSaveFile>

QString CUnitCategory::GetClassChanged() const
{
    return m_classChanged ? QStringLiteral("True") : QStringLiteral("False");
}

CUnit &CUnitCategory::slot(qint16 Index)
{
    if (!m_units || Index < m_lowerBound || Index - m_lowerBound >= qsizetype(m_units->size()))
        throw app::Failure(app::kErrSubscriptOutOfRange);
    std::optional<CUnit> &unit = (*m_units)[std::size_t(Index - m_lowerBound)];
    if (!unit)
        unit.emplace();
    return *unit;
}

QString CUnitCategory::getUnitName(qint16 Index)
{
    return slot(Index).Name();
}

double CUnitCategory::getUnitFactor(qint16 Index)
{
    return slot(Index).Factor();
}

void CUnitCategory::setUnit(const QString &UnitName, double UnitFactor, qint16 Index)
{
    CUnit &unit = slot(Index);
    unit.setName(UnitName);
    unit.setFactor(UnitFactor);
    m_classChanged = true;
}

void CUnitCategory::ReDimUnits(qint16 FromNum, qint16 ToNum, bool PreserveUnits)
{
    if (ToNum < FromNum)
        throw app::Failure(app::kErrSubscriptOutOfRange);
    std::vector<std::optional<CUnit>> units(std::size_t(ToNum - FromNum + 1));
    if (PreserveUnits && m_units) {
        for (int index = FromNum; index <= ToNum; ++index) {
            const int old = index - m_lowerBound;
            if (old >= 0 && old < int(m_units->size()))
                units[std::size_t(index - FromNum)] = std::move((*m_units)[std::size_t(old)]);
        }
    }
    m_units = std::move(units);
    m_lowerBound = FromNum;
}

qint16 CUnitCategory::UBoundUnits() const
{
    if (!m_units)
        throw app::Failure(app::kErrSubscriptOutOfRange);
    return qint16(m_lowerBound + qsizetype(m_units->size()) - 1);
}

qint16 CUnitCategory::LBoundUnits() const
{
    if (!m_units)
        throw app::Failure(app::kErrSubscriptOutOfRange);
    return m_lowerBound;
}

void CUnitCategory::RestClass()
{
    m_classChanged = false;
    m_units.reset();
    m_lowerBound = 0;
}

qint16 CUnitCategory::LoadFromFile(const QString &FilePath, qint16 NumExtra)
{
    if (!File_IO::FileExists(FilePath))
        return -1;
    const QStringList pieces = File_IO::splitAtCrLf(File_IO::ReadWholeFile(FilePath));
    const int lastPiece = int(pieces.size()) - 1; // K, the number of CR LF pairs
    const int upperBound = lastPiece - 1 + NumExtra;
    if (upperBound > File_IO::kMaxLines) {
        platform::MsgBox(File_IO::tooManyLinesMessage(FilePath));
        return -1;
    }
    ReDimUnits(0, qint16(upperBound));

    int count = lastPiece;
    RejectedLineReport rejected;
    for (int i = 0; i <= lastPiece; ++i) {
        const QString &piece = pieces.at(i);
        if (piece.isEmpty()) {
            --count;
            continue;
        }
        const QStringList fields = piece.split(QLatin1Char('^'));
        const auto factor = conversion::parseFactor(fields.first());
        // A number without a name field is rejected like any other unreadable line.
        if (factor && fields.size() >= 2) {
            CUnit &unit = slot(qint16(i));
            unit.setName(fields.at(1));
            unit.setFactor(*factor);
        } else {
            rejected.reject(QStringLiteral("Error loading ") + fields.last());
            --count;
        }
    }
    rejected.finish();
    return qint16(count);
}

QString CUnitCategory::SaveToFile(const QString &FilePath, bool showConfirm)
{
    if (!m_classChanged)
        return QString();
    if (showConfirm) {
        const platform::Answer answer = platform::MsgBox(kSaveChangesQuestion,
                                                         platform::Buttons::YesNoCancel,
                                                         platform::Icon::Exclamation);
        if (answer == platform::Answer::No)
            return QString();
        if (answer == platform::Answer::Cancel)
            return QStringLiteral("Cancel");
    }

    QString text;
    for (qint16 index = LBoundUnits(), last = UBoundUnits(); index <= last; ++index) {
        const CUnit &unit = slot(index);
        if (!unit.Name().isEmpty() && unit.Name() != kPlaceholderUnitName)
            text += conversion::factorText(unit.Factor()) + QLatin1Char('^') + unit.Name() + QStringLiteral("\r\n");
        if (index == last)
            break; // the loop counter must not step past 32767
    }
    const auto bytes = catalogue::encodeCatalogueText(text);
    if (!bytes)
        throw app::Failure(app::kErrInvalidProcedureCall,
                           QStringLiteral("A unit name holds a character that a catalogue file cannot store."));

    // Never overwrite a file its owner made read-only, even though the folder would allow it.
    const QFileInfo existing(FilePath);
    if (existing.exists() && (!existing.isFile() || !existing.isWritable()))
        throw app::Failure(app::kErrPathFileAccess);
    // The flush first: commit() alone puts a file in place whose buffered bytes could not be
    // written (a full disk); without a commit the new file is discarded.
    QSaveFile file(FilePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.flush() || !file.commit())
        throw app::Failure(app::kErrPathFileAccess);
    return QString();
}
