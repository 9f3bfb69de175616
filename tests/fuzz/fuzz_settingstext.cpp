// The text conversions of stored settings on any text, in several locales: bad text fails with
// app::Failure 13 (or 6 for an integer out of range) and nothing else, and what is written reads
// back.

#include "FuzzSupport.h"

#include "core/base/Failure.h"
#include "core/text/SettingsText.h"

#include <cmath>
#include <optional>

namespace {

// The conversion's result, or nothing when it failed with Type mismatch or Overflow.
template <typename Conversion>
auto attempt(Conversion conversion) -> std::optional<decltype(conversion())>
{
    try {
        return conversion();
    } catch (const app::Failure &failure) {
        FUZZ_CHECK(failure.number() == app::kErrTypeMismatch || failure.number() == app::kErrOverflow);
    }
    return std::nullopt;
}

} // namespace

FUZZ_INITIALIZE()

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    QLocale::setDefault(fuzzLocale(data[0]));
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    // The round trips run outside any handler: a failure there ends the run.
    if (const auto value = attempt([&] { return settings::textToBoolean(text); }))
        FUZZ_CHECK(settings::textToBoolean(settings::booleanText(*value)) == *value);
    if (const auto value = attempt([&] { return settings::textToInteger(text); }))
        FUZZ_CHECK(settings::textToInteger(settings::integerText(*value)) == *value);
    if (const auto value = attempt([&] { return settings::textToDouble(text); })) {
        const QString written = settings::doubleText(*value);
        FUZZ_CHECK(std::isfinite(*value) && settings::doubleText(settings::textToDouble(written)) == written);
    }
    return 0;
}
