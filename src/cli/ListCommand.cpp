#include "cli/ListCommand.h"

#include "cli/CommandCatalogue.h"
#include "cli/ExitStatus.h"
#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/ListOrder.h"
#include "core/text/NumberText.h"

#include <algorithm>

namespace cli {

int runList(const std::optional<QString> &category, const CommandOutput &output)
{
    CollectedMessages collected;
    const std::optional<catalogue::ListFile> index = openCatalogue(collected, output);
    if (!index)
        return kCatalogueUnreadable;
    QStringList names = categoryNames(*index);
    if (!category) {
        const catalogue::ListOrder order;
        std::stable_sort(names.begin(), names.end(),
                         [&order](const QString &left, const QString &right) { return order.lessThan(left, right); });
        for (const QString &name : names)
            output.out << name << '\n';
        return kDone;
    }

    const std::optional<QString> name = namedCategory(names, *category, output);
    if (!name)
        return kUsageError;
    const CategoryRead read = readCategory(*name, collected);
    if (!read.units) {
        output.sayAll(read.messages);
        return kCatalogueUnreadable;
    }
    catalogue::reportRejectedUnits(read.units->rejectedNames);
    output.sayAll(collected.take());
    for (const catalogue::UnitEntry &unit : read.units->listing.entries) {
        // Listed units have a factor the fixed format reads; an older file may hold "0,3048".
        if (const std::optional<double> factor = conversion::parseFactor(read.units->listing.factors[std::size_t(unit.tag)]))
            output.out << conversion::factorText(*factor) << '^' << unit.name << '\n';
    }
    return kDone;
}

} // namespace cli
