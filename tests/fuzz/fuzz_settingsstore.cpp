// The options and history records read from a settings file holding any bytes: reading fails
// with app::Failure (13 or 6) and nothing else, and after the records are saved the store reads
// back exactly what was saved.

#include "FuzzSupport.h"

#include "core/base/AppInfo.h"
#include "core/base/Failure.h"
#include "core/platform/SettingsStore.h"
#include "core/settings/CHistory.h"
#include "core/settings/COptions.h"
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

bool sameOptions(const COptions &a, const COptions &b)
{
    return a.RLUC() == b.RLUC() && a.RLUU() == b.RLUU() && a.RLUV() == b.RLUV() && a.AutoCon() == b.AutoCon()
           && a.CompactForm() == b.CompactForm();
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

    COptions options;
    CHistory history;
    readOrFail([&] { options.GetFromReg(); });
    readOrFail([&] { history.GetFromReg(); });

    // Whatever the file held, what is saved now reads back.
    options.setRLUC(!options.RLUC());
    options.SaveToReg();
    history.SaveToReg();
    COptions optionsAgain;
    CHistory historyAgain;
    optionsAgain.GetFromReg();
    historyAgain.GetFromReg();
    FUZZ_CHECK(sameOptions(options, optionsAgain));
    FUZZ_CHECK(history.LastConverter() == historyAgain.LastConverter());
    FUZZ_CHECK(history.LastFromUnit() == historyAgain.LastFromUnit());
    FUZZ_CHECK(history.LastToUnit() == historyAgain.LastToUnit());
    FUZZ_CHECK(settings::doubleText(history.LastConValue()) == settings::doubleText(historyAgain.LastConValue()));

    // Wiping the history leaves none of its keys.
    historyAgain.DeleteHistory();
    for (const char *key : {"Last Converter", "Last From Unit", "Last To Unit", "Last Value"})
        FUZZ_CHECK(platform::settingsStore().read(app::programBaseName(), QStringLiteral("History"),
                                                  QLatin1String(key), QStringLiteral("<none>"))
                   == QStringLiteral("<none>"));
    return 0;
}
