// The text conversions of stored settings on any text, in several locales: bad text fails with
// app::Failure (13, or 6 for an integer out of range) and nothing else, and what is written
// reads back.

#include "FuzzSupport.h"

#include "core/base/Failure.h"
#include "core/text/SettingsText.h"

#include <cmath>
#include <initializer_list>
#include <optional>

namespace {

// The conversion's result, or nothing when it failed with one of the allowed failure numbers.
// Any other failure ends the run.
template <typename Conversion>
auto attempt(Conversion conversion, std::initializer_list<int> allowedFailures) -> std::optional<decltype(conversion())>
{
    try {
        return conversion();
    } catch (const app::Failure &failure) {
        bool allowed = false;
        for (const int number : allowedFailures)
            allowed = allowed || failure.number() == number;
        FUZZ_CHECK2(allowed, QStringLiteral("failure %1").arg(failure.number()));
    }
    return std::nullopt;
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
    QLocale::setDefault(fuzzLocale(data[0]));
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    // The round trips run outside any handler: a failure there ends the run.
    if (const auto value = attempt([&] { return settings::textToBoolean(text); }, {app::kErrTypeMismatch}))
        FUZZ_CHECK(settings::textToBoolean(settings::booleanText(*value)) == *value);
    if (const auto value = attempt([&] { return settings::textToInteger(text); },
                                   {app::kErrTypeMismatch, app::kErrOverflow}))
        FUZZ_CHECK(settings::textToInteger(settings::integerText(*value)) == *value);
    if (const auto value = attempt([&] { return settings::textToDouble(text); }, {app::kErrTypeMismatch})) {
        FUZZ_CHECK(std::isfinite(*value));
        const QString written = settings::doubleText(*value);
        FUZZ_CHECK2(settings::doubleText(settings::textToDouble(written)) == written, written);
    }
    return 0;
}
