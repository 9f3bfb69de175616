#include "cli/ConvertCommand.h"

#include "cli/CommandCatalogue.h"
#include "cli/CommandConversionView.h"
#include "cli/ExitStatus.h"
#include "cli/UnitLookup.h"
#include "core/conversion/ConvertUnits.h"
#include "core/settings/ConversionHistory.h"
#include "core/settings/Options.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <vector>

namespace cli {

namespace {

// VALUE as the number box would hold it: as typed when the user's locale reads it, otherwise
// its "." form written in the locale. Nothing when it is no number in either.
std::optional<QString> numberBoxText(const QString &value)
{
    if (conversion::isLocaleNumber(value))
        return value;
    if (const std::optional<double> number = conversion::parseLocaleNumber(value, QLocale::c()))
        return conversion::generalForm(*number);
    return std::nullopt;
}

// The categories a conversion looks in, each read as the unit lists read it.
struct Search {
    std::vector<CategoryRead> reads;
    std::vector<CategoryUnits> categories;
    int unreadable = 0; // files that could not be read, and so were not looked in
};

} // namespace

int runConvert(const ConvertRequest &request, const CommandOutput &output)
{
    const std::optional<QString> number = numberBoxText(request.value);
    if (!number) {
        output.say(QStringLiteral("'%1' is not a number.").arg(request.value));
        return kUsageError;
    }

    CollectedMessages collected;
    const std::optional<catalogue::ListFile> index = openCatalogue(collected, output);
    if (!index)
        return kCatalogueUnreadable;
    QStringList names = categoryNames(*index);
    if (request.category) {
        const std::optional<QString> name = namedCategory(names, *request.category, output);
        if (!name)
            return kUsageError;
        names = QStringList{*name};
    }

    Search search;
    for (const QString &name : names) {
        CategoryRead read = readCategory(name, collected);
        if (!read.units) {
            // The category asked for must be read; any other only might hold the units.
            if (request.category) {
                output.sayAll(read.messages);
                return kCatalogueUnreadable;
            }
            ++search.unreadable;
            continue;
        }
        search.categories.push_back({name, read.units->listing.entries});
        search.reads.push_back(std::move(read));
    }

    const std::variant<UnitPair, QString> found = lookUpUnits(search.categories, request.from, request.to);
    if (const QString *why = std::get_if<QString>(&found)) {
        output.say(*why);
        if (search.unreadable == 1)
            output.say(QStringLiteral("A category file could not be read; the command \"check\" names it."));
        else if (search.unreadable > 1)
            output.say(QStringLiteral("%1 category files could not be read; the command \"check\" names them.")
                           .arg(search.unreadable));
        return kUsageError;
    }
    const UnitPair &units = std::get<UnitPair>(found);
    const catalogue::UnitFile &file =
        *std::find_if(search.reads.begin(), search.reads.end(),
                      [&units](const CategoryRead &read) { return read.name == units.category; })
             ->units;
    // The category's unreadable lines are told as the window tells them when it is chosen.
    catalogue::reportRejectedUnits(file.rejectedNames);
    output.sayAll(collected.take());

    CommandConversionView view(units, *number, request.places);
    // The conversion records it in a history record that is never stored. It records the
    // category alone: without that, it would delete the last conversion the window stored.
    Options options;
    options.setRememberCategory(true);
    ConversionHistory history;
    conversion::ConvertUnits(view, file.listing.factors, options, history);
    output.sayAll(collected.take());
    if (view.resultText().isEmpty())
        return kUsageError; // below absolute zero, or a value too large: its message was said
    output.out << (request.plain ? view.resultNumber() : view.resultText()) << '\n';
    return kDone;
}

} // namespace cli
