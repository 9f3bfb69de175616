// The options and history records read from a settings file holding any bytes: reading fails
// with app::Failure 13 or 6 and nothing else, what is saved afterwards reads back, and a wiped
// history leaves none of its keys.

#include "FuzzSupport.h"

#include "core/base/AppInfo.h"
#include "core/base/Failure.h"
#include "core/platform/SettingsStore.h"
#include "core/settings/ConversionHistory.h"
#include "core/settings/Options.h"
#include "core/text/SettingsText.h"

namespace {

template <typename Read>
void readOrFail(Read read)
{
    try {
        read();
    } catch (const app::Failure &failure) {
        FUZZ_CHECK(failure.number() == app::kErrTypeMismatch || failure.number() == app::kErrOverflow);
    }
}

QString storedHistory(const char *key)
{
    return platform::settingsStore().read(app::programBaseName(), "History", key, "<none>");
}

} // namespace

FUZZ_INITIALIZE(QLocale::setDefault(QLocale::c()); QDir().mkpath(scratchPath("settings"));
                platform::setSettingsStore(std::make_unique<platform::QtSettingsStore>(scratchPath("settings"))))

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    writeScratchFile("settings/" + app::programBaseName() + ".ini",
                     QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    Options options;
    ConversionHistory history;
    readOrFail([&] { options.load(); });
    readOrFail([&] { history.load(); });

    options.setRememberCategory(!options.rememberCategory());
    options.save();
    history.save();
    Options optionsAgain;
    ConversionHistory historyAgain;
    optionsAgain.load();
    historyAgain.load();
    FUZZ_CHECK(options.rememberCategory() == optionsAgain.rememberCategory()
               && options.rememberUnits() == optionsAgain.rememberUnits()
               && options.rememberValue() == optionsAgain.rememberValue()
               && options.autoConvert() == optionsAgain.autoConvert()
               && options.startCompact() == optionsAgain.startCompact());
    FUZZ_CHECK(history.lastCategory() == historyAgain.lastCategory()
               && history.lastFromUnit() == historyAgain.lastFromUnit()
               && history.lastToUnit() == historyAgain.lastToUnit()
               && settings::doubleText(history.lastValue()) == settings::doubleText(historyAgain.lastValue()));

    historyAgain.forget();
    for (const char *key : {"Last Converter", "Last From Unit", "Last To Unit", "Last Value"})
        FUZZ_CHECK(storedHistory(key) == "<none>");
    return 0;
}
