// UnitCategory::load on any bytes, then a save and a second load: every line that loaded is
// written back and reads back the same; nothing else is written.

#include "FuzzSupport.h"
#include "doubles/QuietMessageBoxes.h"

#include "core/base/Failure.h"
#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/UnitCategory.h"
#include "core/text/CatalogueText.h"
#include "core/text/NumberText.h"

namespace {
constexpr qint16 kNumExtra = 2; // what the editor passes
} // namespace

FUZZ_INITIALIZE(QuietMessageBoxes::installed())

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QuietMessageBoxes &boxes = QuietMessageBoxes::installed();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    boxes.reset();
    UnitCategory category;
    const qint16 result = category.load(writeScratchFile("Category.ucr", bytes), kNumExtra);

    const QStringList pieces = catalogue::splitAtCrLf(catalogue::decodeCatalogueText(bytes));
    const int lastPiece = int(pieces.size()) - 1;
    if (lastPiece - 1 + kNumExtra > catalogue::kMaxLines) {
        FUZZ_CHECK(result == -1 && boxes.count() == 1);
        return 0;
    }
    FUZZ_CHECK(category.firstIndex() == 0 && category.lastIndex() == lastPiece - 1 + kNumExtra);

    // Each piece either loaded into the slot of its own index or left that slot a placeholder.
    QString expectedText; // what a save must write
    int skipped = 0;
    int rejected = 0;
    for (int i = 0; i <= lastPiece; ++i) {
        const QStringList fields = pieces.at(i).split('^');
        const auto factor = conversion::parseFactor(fields.first());
        const QString name = category.unitName(qint16(i));
        if (pieces.at(i).isEmpty() || !factor || fields.size() < 2) {
            ++skipped;
            rejected += pieces.at(i).isEmpty() ? 0 : 1;
            FUZZ_CHECK(name == kPlaceholderUnitName && category.unitFactor(qint16(i)) == 1.0);
            continue;
        }
        FUZZ_CHECK(name == fields.at(1) && category.unitFactor(qint16(i)) == *factor);
        if (!name.isEmpty() && name != kPlaceholderUnitName)
            expectedText += conversion::factorText(*factor) + '^' + name + "\r\n";
    }
    FUZZ_CHECK(result == lastPiece - skipped);
    FUZZ_CHECK(rejected == 0 ? boxes.count() == 0 : boxes.count() >= 1);

    // Save what was loaded (a setUnit that changes nothing marks the record changed), read it
    // back: the same text again, without a message.
    category.setUnit(category.unitName(0), category.unitFactor(0), 0);
    const QString copy = scratchPath("Copy.ucr");
    QFile::remove(copy);
    boxes.reset();
    try {
        category.save(copy);
    } catch (const app::Failure &) {
        FUZZ_CHECK(!"saving what was loaded failed");
    }
    QFile saved(copy);
    FUZZ_CHECK(saved.open(QIODevice::ReadOnly) && catalogue::decodeCatalogueText(saved.readAll()) == expectedText);
    UnitCategory reread;
    const qint16 again = reread.load(copy, kNumExtra);
    QString rereadText;
    for (qint16 j = 0; j <= again; ++j)
        rereadText += conversion::factorText(reread.unitFactor(j)) + '^' + reread.unitName(j) + "\r\n";
    FUZZ_CHECK(boxes.count() == 0 && rereadText == expectedText);
    return 0;
}
