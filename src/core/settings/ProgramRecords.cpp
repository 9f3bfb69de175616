#include "core/settings/ProgramRecords.h"

#include "core/platform/SettingsStore.h"

#include <memory>

namespace {

std::unique_ptr<Options> &optionsRecord()
{
    static std::unique_ptr<Options> record;
    return record;
}

std::unique_ptr<ConversionHistory> &historyRecord()
{
    static std::unique_ptr<ConversionHistory> record;
    return record;
}

} // namespace

Options &programOptions()
{
    std::unique_ptr<Options> &record = optionsRecord();
    if (!record)
        record = std::make_unique<Options>();
    return *record;
}

ConversionHistory &programHistory()
{
    std::unique_ptr<ConversionHistory> &record = historyRecord();
    if (!record)
        record = std::make_unique<ConversionHistory>();
    return *record;
}

void saveProgramRecords()
{
    platform::SettingsChanges changes;
    programOptions().save();
    programHistory().save();
    changes.commit();
}

void releaseProgramRecords()
{
    optionsRecord().reset();
    historyRecord().reset();
}
