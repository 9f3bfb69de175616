// Number text in both formats on any input, in several locales: the numeric test and the
// conversion never accept what is no finite number, and what the program writes reads back.
// Input: one byte choosing the locale, then either text (UTF-8) or, read as the bytes of a
// double, a value to write and read back.

#include "FuzzSupport.h"

#include "core/text/CatalogueText.h"
#include "core/text/NumberText.h"

#include <cmath>
#include <cstring>

namespace {

// value written in the locale's general form reads back to a value with the same text, and the
// same holds for the catalogue's fixed factor format.
void checkRoundTrips(double value, const QLocale &locale)
{
    FUZZ_CHECK(std::isfinite(value));
    const QString general = conversion::generalForm(value, locale);
    const auto readGeneral = conversion::parseLocaleNumber(general, locale);
    FUZZ_CHECK2(readGeneral.has_value(), general + QStringLiteral(" in ") + locale.name());
    FUZZ_CHECK2(conversion::generalForm(*readGeneral, locale) == general,
                general + QStringLiteral(" in ") + locale.name());

    const QString factor = conversion::factorText(value);
    FUZZ_CHECK2(catalogue::isCatalogueText(factor), factor);
    FUZZ_CHECK(!factor.contains(QLatin1Char('^')) && !factor.contains(QLatin1Char(',')));
    const auto readFactor = conversion::parseFactor(factor, locale);
    FUZZ_CHECK2(readFactor.has_value(), factor + QStringLiteral(" in ") + locale.name());
    FUZZ_CHECK2(conversion::factorText(*readFactor) == factor,
                factor + QStringLiteral(" read as ") + conversion::factorText(*readFactor));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    startFuzzApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QLocale locale = fuzzLocale(data[0]);
    const char *rest = reinterpret_cast<const char *>(data + 1);
    const qsizetype restSize = qsizetype(size - 1);

    // The bytes after the selector as a double.
    if (restSize == qsizetype(sizeof(double))) {
        double value = 0;
        std::memcpy(&value, rest, sizeof value);
        if (std::isfinite(value))
            checkRoundTrips(value, locale);
    }

    // The same bytes as typed text, and as text read from a catalogue file.
    for (const QString &text : {QString::fromUtf8(rest, restSize),
                                catalogue::decodeCatalogueText(QByteArray(rest, restSize))}) {
        const auto number = conversion::parseLocaleNumber(text, locale);
        FUZZ_CHECK(number.has_value() == conversion::isLocaleNumber(text, locale));
        if (number)
            checkRoundTrips(*number, locale);
        const auto factor = conversion::parseFactor(text, locale);
        FUZZ_CHECK(factor.has_value() == conversion::isFactorNumber(text, locale));
        if (factor)
            checkRoundTrips(*factor, locale);
        // Whatever the locale reads, the factor reader reads too (it falls back to the locale).
        FUZZ_CHECK(!number || factor);
    }
    return 0;
}
