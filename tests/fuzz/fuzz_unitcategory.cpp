// UnitCategory::load on any bytes, then a save and a second load: every line that
// loaded is written back and reads back the same; nothing else is written.

#include "doubles/QuietMessageBoxes.h"
#include "FuzzSupport.h"

#include "core/base/Failure.h"
#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/UnitCategory.h"
#include "core/text/CatalogueText.h"
#include "core/text/NumberText.h"

#include <QFile>
#include <QStringList>

#include <vector>

namespace {

constexpr qint16 kNumExtra = 2; // what the editor passes

struct ExpectedUnit {
    QString name;
    double factor = 1.0;
};

QString describe(const QString &what, const QString &got, const QString &wanted)
{
    return what + QStringLiteral(": got \"") + got + QStringLiteral("\", expected \"") + wanted + QLatin1Char('"');
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
    const QString source = writeScratchFile(QStringLiteral("Category.ucr"), bytes);

    boxes.reset();
    UnitCategory category;
    const qint16 result = category.load(source, kNumExtra);

    const QStringList pieces = catalogue::splitAtCrLf(catalogue::decodeCatalogueText(bytes));
    const int lastPiece = int(pieces.size()) - 1;
    if (lastPiece - 1 + kNumExtra > catalogue::kMaxLines) {
        FUZZ_CHECK(result == -1);
        FUZZ_CHECK(boxes.count() == 1);
        return 0;
    }
    FUZZ_CHECK(category.firstIndex() == 0);
    FUZZ_CHECK(category.lastIndex() == lastPiece - 1 + kNumExtra);

    // Each piece either loaded into the slot of its own index or left that slot a placeholder.
    std::vector<ExpectedUnit> written; // what a save must write, in order
    int skipped = 0;
    int rejected = 0;
    for (int i = 0; i <= lastPiece; ++i) {
        const QString &piece = pieces.at(i);
        const QStringList fields = piece.split(QLatin1Char('^'));
        const auto factor = conversion::parseFactor(fields.first());
        const bool loads = !piece.isEmpty() && factor && fields.size() >= 2;
        const QString name = category.unitName(qint16(i));
        if (!loads) {
            ++skipped;
            rejected += piece.isEmpty() ? 0 : 1;
            FUZZ_CHECK2(name == kPlaceholderUnitName,
                        describe(QStringLiteral("skipped line"), name, kPlaceholderUnitName));
            FUZZ_CHECK(category.unitFactor(qint16(i)) == 1.0);
            continue;
        }
        FUZZ_CHECK2(name == fields.at(1), describe(QStringLiteral("name"), name, fields.at(1)));
        FUZZ_CHECK(category.unitFactor(qint16(i)) == *factor);
        if (!name.isEmpty() && name != kPlaceholderUnitName)
            written.push_back({name, *factor});
    }
    FUZZ_CHECK(result == lastPiece - skipped);
    FUZZ_CHECK(rejected == 0 ? boxes.count() == 0 : boxes.count() >= 1);

    // Save what was loaded (a setUnit that changes nothing marks the record changed).
    category.setUnit(category.unitName(0), category.unitFactor(0), 0);
    const QString copy = scratchPath(QStringLiteral("Copy.ucr"));
    QFile::remove(copy);
    boxes.reset();
    try {
        category.save(copy);
    } catch (const app::Failure &failure) {
        FUZZ_CHECK2(false, QStringLiteral("saving what was loaded failed: %1 %2")
                               .arg(failure.number())
                               .arg(failure.description()));
    }
    QString expectedText;
    for (const ExpectedUnit &unit : written)
        expectedText += conversion::factorText(unit.factor) + QLatin1Char('^') + unit.name + QStringLiteral("\r\n");
    QFile saved(copy);
    FUZZ_CHECK(saved.open(QIODevice::ReadOnly));
    const QString savedText = catalogue::decodeCatalogueText(saved.readAll());
    FUZZ_CHECK2(savedText == expectedText, describe(QStringLiteral("saved text"), savedText, expectedText));

    // Read back: the same units, in order, without a message, the factors to 15 digits.
    UnitCategory reread;
    const qint16 again = reread.load(copy, kNumExtra);
    FUZZ_CHECK(boxes.count() == 0);
    FUZZ_CHECK(again == int(written.size()) - 1);
    for (std::size_t j = 0; j < written.size(); ++j) {
        const QString name = reread.unitName(qint16(j));
        FUZZ_CHECK2(name == written[j].name, describe(QStringLiteral("reread name"), name, written[j].name));
        const QString factor = conversion::factorText(reread.unitFactor(qint16(j)));
        const QString wanted = conversion::factorText(written[j].factor);
        FUZZ_CHECK2(factor == wanted, describe(QStringLiteral("reread factor"), factor, wanted));
    }
    return 0;
}
