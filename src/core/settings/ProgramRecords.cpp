#include "core/settings/ProgramRecords.h"

#include <memory>

namespace {

std::unique_ptr<COptions> &optionsRecord()
{
    static std::unique_ptr<COptions> record;
    return record;
}

std::unique_ptr<CHistory> &historyRecord()
{
    static std::unique_ptr<CHistory> record;
    return record;
}

} // namespace

COptions &gOptions()
{
    std::unique_ptr<COptions> &record = optionsRecord();
    if (!record)
        record = std::make_unique<COptions>();
    return *record;
}

CHistory &gHistory()
{
    std::unique_ptr<CHistory> &record = historyRecord();
    if (!record)
        record = std::make_unique<CHistory>();
    return *record;
}

void ReleaseProgramRecords()
{
    optionsRecord().reset();
    historyRecord().reset();
}
