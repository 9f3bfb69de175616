// Runs the program's catalogue code against an installed application folder, as the installed
// program would under the user who starts it. tst_installation starts it as an unprivileged user.
//
//   catalogue_probe where APPLICATION_FOLDER
//       prints the working catalogue folder
//   catalogue_probe save APPLICATION_FOLDER NAME UNIT FACTOR
//       saves a category NAME of one unit and lists it in the index
//   catalogue_probe restore-all APPLICATION_FOLDER
//       brings back the factory catalogue
//
// Prints "folder=<working catalogue folder>", "factory=<factory folder>" and "added=<the factory
// categories this start added to the user's copy, comma-separated>" first; exits 1, saying why,
// when anything fails.
#include "core/base/AppInfo.h"
#include "core/base/Failure.h"
#include "core/catalogue/CatalogueFiles.h"
#include "core/catalogue/CatalogueIndex.h"
#include "core/catalogue/CatalogueLocation.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/catalogue/UnitCategory.h"
#include "doubles/ScriptedMessageBoxes.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

int fail(const QString &why)
{
    QTextStream(stderr) << why << '\n';
    return 1;
}

int run(const QStringList &arguments, QTextStream &out)
{
    const QString command = arguments.value(1);
    if (arguments.size() < 3)
        return fail(QStringLiteral("usage: catalogue_probe where|save|restore-all APPLICATION_FOLDER ..."));
    app::setApplicationFolder(arguments.at(2));
    out << "folder=" << catalogue::catalogueFolder() << '\n';
    out << "factory=" << catalogue::factoryFolder() << '\n';
    out << "added=" << catalogue::categoriesAddedAtStart().join(QLatin1Char(',')) << '\n';

    if (command == QLatin1String("where"))
        return 0;
    if (command == QLatin1String("save") && arguments.size() == 6) {
        const QString name = arguments.at(3);
        UnitCategory category;
        category.setCategoryName(name);
        category.resize(0, 0);
        category.setUnit(arguments.at(4), arguments.at(5).toDouble(), 0);
        category.save(catalogue::categoryFile(name));
        return catalogue::listInIndex(name) ? 0 : fail(QStringLiteral("the index does not list ") + name);
    }
    if (command == QLatin1String("restore-all")) {
        const catalogue::RestoreAllResult result = catalogue::restoreAllCategories();
        if (!result.factoryIndexRead)
            return fail(QStringLiteral("no factory index"));
        for (const catalogue::CatalogueFailure &failure : result.failures)
            fail(failure.message());
        return result.failures.isEmpty() ? 0 : 1;
    }
    return fail(QStringLiteral("unknown command: ") + command);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    // The user data folder is named after the application, "Tallimer" in the installed program.
    QCoreApplication::setApplicationName(QStringLiteral("Tallimer"));
    auto boxes = std::make_unique<platform::ScriptedMessageBoxes>();
    const platform::ScriptedMessageBoxes &shown = *boxes;
    platform::setMessageBoxService(std::move(boxes));

    QTextStream out(stdout);
    int result = 0;
    try {
        result = run(QCoreApplication::arguments(), out);
    } catch (const app::Failure &failure) {
        result = fail(QStringLiteral("failure %1: %2").arg(failure.number()).arg(failure.description()));
    }
    for (const platform::MessageBoxRequest &box : shown.unexpected())
        result = fail(QStringLiteral("message box: ") + box.text);
    return result;
}
