// Number text in both formats on any input, in several locales: what is read is a finite number,
// and what the program writes reads back. Input: one byte choosing the locale, then text (UTF-8),
// or, when eight bytes follow, a double.

#include "FuzzSupport.h"

#include "core/text/CatalogueText.h"
#include "core/text/NumberText.h"

#include <cmath>
#include <cstring>

namespace {

// The locale's general form and the catalogue's factor form each read back to the same text.
void checkRoundTrips(double value, const QLocale &locale)
{
    FUZZ_CHECK(std::isfinite(value));
    const QString general = conversion::generalForm(value, locale);
    const auto readGeneral = conversion::parseLocaleNumber(general, locale);
    FUZZ_CHECK(readGeneral && conversion::generalForm(*readGeneral, locale) == general);
    const QString factor = conversion::factorText(value);
    FUZZ_CHECK(catalogue::isCatalogueText(factor) && !factor.contains('^') && !factor.contains(','));
    const auto readFactor = conversion::parseFactor(factor, locale);
    FUZZ_CHECK(readFactor && conversion::factorText(*readFactor) == factor);
}

} // namespace

FUZZ_INITIALIZE()

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QLocale locale = fuzzLocale(data[0]);
    const QByteArray rest(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    if (rest.size() == qsizetype(sizeof(double))) {
        double value = 0;
        std::memcpy(&value, rest.constData(), sizeof value);
        if (std::isfinite(value))
            checkRoundTrips(value, locale);
    }
    // The same bytes as typed text, and as text read from a catalogue file.
    for (const QString &text : {QString::fromUtf8(rest), catalogue::decodeCatalogueText(rest)}) {
        const auto number = conversion::parseLocaleNumber(text, locale);
        const auto factor = conversion::parseFactor(text, locale);
        FUZZ_CHECK(number.has_value() == conversion::isLocaleNumber(text, locale));
        FUZZ_CHECK(factor.has_value() == conversion::isFactorNumber(text, locale));
        FUZZ_CHECK(!number || factor); // the factor reader falls back to the locale
        for (const auto &read : {number, factor}) {
            if (read)
                checkRoundTrips(*read, locale);
        }
    }
    return 0;
}
