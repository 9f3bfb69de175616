#include "catalogue/ListFile.h"

#include "catalogue/CatalogueText.h"
#include "catalogue/File_IO.h"
#include "catalogue/RejectedLineReport.h"
#include "conversion/NumberText.h"
#include "platform/MessageBox.h"

#include <QFile>

namespace catalogue {

std::optional<ListFile> readListFile(const QString &path, bool *missingFile)
{
    if (missingFile)
        *missingFile = false;
    if (!File_IO::FileExists(path)) {
        File_IO::CountFileLines(path); // says the file does not exist
        if (missingFile)
            *missingFile = true;
        return std::nullopt;
    }
    const QString text = File_IO::ReadWholeFile(path);
    const int count = File_IO::countFields(text);
    if (count > File_IO::kMaxLines) {
        platform::MsgBox(File_IO::tooManyLinesMessage(path));
        return std::nullopt;
    }
    return ListFile{qint16(count), File_IO::splitAtCrLf(text)};
}

UnitListing parseUnitLines(const ListFile &file)
{
    UnitListing listing;
    listing.factors.resize(std::size_t(file.count));
    listing.entries.reserve(std::size_t(file.count));
    RejectedLineReport rejected;
    for (int i = 0; i < file.count; ++i) {
        const QString line = file.line(i);
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char('^'));
        if (conversion::isFactorNumber(fields.first())) {
            listing.entries.push_back({fields.last(), qint16(i)});
            listing.factors[std::size_t(i)] = fields.first();
        } else {
            rejected.reject(QStringLiteral("Error loading ") + fields.last()
                            + QStringLiteral(" This Unit has been removed"));
        }
    }
    rejected.finish();
    return listing;
}

} // namespace catalogue
