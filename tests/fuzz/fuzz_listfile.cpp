// The list loader's reading of a catalogue file on any bytes: catalogue::readListFile,
// catalogue::parseUnitFile, and the file routines they rest on (countFields, splitAtCrLf).

#include "FuzzSupport.h"
#include "doubles/QuietMessageBoxes.h"

#include "core/catalogue/CatalogueFile.h"
#include "core/text/CatalogueText.h"
#include "core/text/NumberText.h"

#include <QRegularExpression>

FUZZ_INITIALIZE(QuietMessageBoxes::installed())

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QuietMessageBoxes &boxes = QuietMessageBoxes::installed();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = writeScratchFile("List.ucr", bytes);
    const QString text = catalogue::decodeCatalogueText(bytes);

    // The pieces put together again are the text; without commas, double quotes and lone CR or
    // LF, the fields are the CR LF lines.
    const QStringList pieces = catalogue::splitAtCrLf(text);
    FUZZ_CHECK(pieces.join("\r\n") == text);
    const int count = catalogue::countFields(text);
    FUZZ_CHECK(count >= 0 && text.isEmpty() == (count == 0));
    static const QRegularExpression fieldMarks(R"([,"]|\r(?!\n)|(?<!\r)\n)");
    if (!text.contains(fieldMarks))
        FUZZ_CHECK(count == pieces.size() - (text.endsWith("\r\n") ? 1 : 0));

    boxes.reset();
    bool missing = true;
    const std::optional<catalogue::ListFile> file = catalogue::readListFile(path, &missing);
    FUZZ_CHECK(!missing);
    if (count > catalogue::kMaxLines) {
        FUZZ_CHECK(!file && boxes.count() == 1);
        return 0;
    }
    FUZZ_CHECK(file && boxes.count() == 0 && file->count == count && file->lines == pieces);

    // Units in file order, each from a line whose first field is a number, named by its last
    // field, with that first field as its factor text; every other non-empty line is reported.
    const std::optional<catalogue::UnitFile> unitFile = catalogue::parseUnitFile(path, bytes);
    FUZZ_CHECK(unitFile && unitFile->count == count);
    catalogue::reportRejectedUnits(unitFile->rejectedNames);
    const catalogue::UnitListing &listing = unitFile->listing;
    FUZZ_CHECK(int(listing.factors.size()) == count);
    int rejected = 0;
    auto entry = listing.entries.cbegin();
    for (int line = 0; line < count; ++line) {
        const QStringList fields = file->line(line).split('^');
        if (entry != listing.entries.cend() && entry->tag == line) {
            FUZZ_CHECK(entry->name == fields.last() && listing.factors[std::size_t(line)] == fields.first());
            FUZZ_CHECK(conversion::isFactorNumber(fields.first()));
            ++entry;
            continue;
        }
        FUZZ_CHECK(listing.factors[std::size_t(line)].isEmpty());
        if (!file->line(line).isEmpty()) {
            FUZZ_CHECK(!conversion::isFactorNumber(fields.first()));
            ++rejected;
        }
    }
    FUZZ_CHECK(entry == listing.entries.cend()); // every entry is on a line of its own, in order
    FUZZ_CHECK(rejected == 0 ? boxes.count() == 0 : boxes.count() >= 1);
    return 0;
}
