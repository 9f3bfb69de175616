// The options and history records read from a settings file holding any bytes: reading fails
// with app::Failure (13 or 6) and nothing else, and after the records are saved the store reads
// back exactly what was saved.

#include "FuzzSupport.h"

#include "core/base/AppInfo.h"
#include "core/base/Failure.h"
#include "core/platform/SettingsStore.h"
#include "core/settings/ConversionHistory.h"
#include "core/settings/Options.h"
#include "core/text/SettingsText.h"

#include <QDir>

namespace {

template <typename Read>
void readOrFail(Read read)
{
    try {
        read();
    } catch (const app::Failure &failure) {
        FUZZ_CHECK2(failure.number() == app::kErrTypeMismatch || failure.number() == app::kErrOverflow,
                    QStringLiteral("failure %1").arg(failure.number()));
    }
}

bool sameOptions(const Options &a, const Options &b)
{
    return a.rememberCategory() == b.rememberCategory() && a.rememberUnits() == b.rememberUnits() && a.rememberValue() == b.rememberValue() && a.autoConvert() == b.autoConvert()
           && a.startCompact() == b.startCompact();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    startFuzzApplication(argc, argv);
    QLocale::setDefault(QLocale::c());
    const QString folder = scratchPath(QStringLiteral("settings"));
    QDir().mkpath(folder);
    platform::setSettingsStore(std::make_unique<platform::QtSettingsStore>(folder));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    writeScratchFile(QStringLiteral("settings/") + app::programBaseName() + QStringLiteral(".ini"), bytes);

    Options options;
    ConversionHistory history;
    readOrFail([&] { options.load(); });
    readOrFail([&] { history.load(); });

    // Whatever the file held, what is saved now reads back.
    options.setRememberCategory(!options.rememberCategory());
    options.save();
    history.save();
    Options optionsAgain;
    ConversionHistory historyAgain;
    optionsAgain.load();
    historyAgain.load();
    FUZZ_CHECK(sameOptions(options, optionsAgain));
    FUZZ_CHECK(history.lastCategory() == historyAgain.lastCategory());
    FUZZ_CHECK(history.lastFromUnit() == historyAgain.lastFromUnit());
    FUZZ_CHECK(history.lastToUnit() == historyAgain.lastToUnit());
    FUZZ_CHECK(settings::doubleText(history.lastValue()) == settings::doubleText(historyAgain.lastValue()));

    // Wiping the history leaves none of its keys.
    historyAgain.forget();
    for (const char *key : {"Last Converter", "Last From Unit", "Last To Unit", "Last Value"})
        FUZZ_CHECK(platform::settingsStore().read(app::programBaseName(), QStringLiteral("History"),
                                                  QLatin1String(key), QStringLiteral("<none>"))
                   == QStringLiteral("<none>"));
    return 0;
}
