// The list loader's reading of a catalogue file on any bytes: catalogue::readListFile,
// catalogue::parseUnitFile, and the file routines they rest on (countFields, splitAtCrLf).

#include "doubles/QuietMessageBoxes.h"
#include "FuzzSupport.h"

#include "core/catalogue/CatalogueFile.h"
#include "core/text/CatalogueText.h"
#include "core/text/NumberText.h"

#include <QStringList>

namespace {

// True when the field reader sees exactly the CR LF lines: no comma, no double quote, and every
// CR and LF part of a CR LF pair.
bool readsAsPlainLines(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char(',') || c == QLatin1Char('"'))
            return false;
        if (c == QLatin1Char('\r') && (i + 1 >= text.size() || text.at(i + 1) != QLatin1Char('\n')))
            return false;
        if (c == QLatin1Char('\n') && (i == 0 || text.at(i - 1) != QLatin1Char('\r')))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    startFuzzApplication(argc, argv);
    QuietMessageBoxes::installed();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QuietMessageBoxes &boxes = QuietMessageBoxes::installed();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = writeScratchFile(QStringLiteral("List.ucr"), bytes);
    const QString text = catalogue::decodeCatalogueText(bytes);

    // The pieces put together again are the text.
    const QStringList pieces = catalogue::splitAtCrLf(text);
    FUZZ_CHECK(pieces.join(QStringLiteral("\r\n")) == text);
    const int count = catalogue::countFields(text);
    FUZZ_CHECK(count >= 0);
    FUZZ_CHECK(text.isEmpty() == (count == 0));
    if (readsAsPlainLines(text)) {
        const int lines = int(pieces.size()) - (text.endsWith(QStringLiteral("\r\n")) ? 1 : 0);
        FUZZ_CHECK2(count == lines, QStringLiteral("%1 fields in %2 lines").arg(count).arg(lines));
    }

    boxes.reset();
    bool missing = true;
    const std::optional<catalogue::ListFile> file = catalogue::readListFile(path, &missing);
    FUZZ_CHECK(!missing);
    if (count > catalogue::kMaxLines) {
        FUZZ_CHECK(!file && boxes.count() == 1);
        return 0;
    }
    FUZZ_CHECK(file && boxes.count() == 0);
    FUZZ_CHECK(file->count == count);
    FUZZ_CHECK(file->lines == pieces);

    // Units: in file order, each from a line whose first field is a number, named by its last
    // field, with that first field as its factor text; every other non-empty line is reported.
    const std::optional<catalogue::UnitFile> unitFile = catalogue::parseUnitFile(path, bytes);
    FUZZ_CHECK(unitFile && unitFile->count == count);
    catalogue::reportRejectedUnits(unitFile->rejectedNames);
    const catalogue::UnitListing &listing = unitFile->listing;
    FUZZ_CHECK(int(listing.factors.size()) == count);
    int next = 0; // the next line that no entry has accounted for
    int rejected = 0;
    const auto skipTo = [&](int end) {
        for (; next < end; ++next) {
            FUZZ_CHECK(listing.factors[std::size_t(next)].isEmpty());
            const QString line = file->line(next);
            if (line.isEmpty())
                continue;
            FUZZ_CHECK(!conversion::isFactorNumber(line.split(QLatin1Char('^')).first()));
            ++rejected;
        }
    };
    for (const catalogue::UnitEntry &entry : listing.entries) {
        FUZZ_CHECK(entry.tag >= next && entry.tag < count);
        skipTo(entry.tag);
        const QStringList fields = file->line(entry.tag).split(QLatin1Char('^'));
        FUZZ_CHECK(entry.name == fields.last());
        FUZZ_CHECK(listing.factors[std::size_t(entry.tag)] == fields.first());
        FUZZ_CHECK(conversion::isFactorNumber(fields.first()));
        ++next;
    }
    skipTo(count);
    FUZZ_CHECK(rejected == 0 ? boxes.count() == 0 : boxes.count() >= 1);
    return 0;
}
