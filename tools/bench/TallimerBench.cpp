// Measures the program against its targets, in one run. Every figure that concerns a whole
// process is taken in fresh processes, rounds of the floor program and of the main window
// interleaved, and reported as the median of the rounds, in wall and CPU time:
//   start until the main window is shown, against a floor program that shows a window of
//   comparable controls and text;
//   the first choice of a category of 32767 units in a fresh process, and a repeated choice;
//   opening the unit list's drop-down with those units;
//   peak memory with that category chosen, and resident memory after switching to a category of
//   10 units, each against the floor;
// and in this process: one conversion with its result text.
// Run offscreen (QT_QPA_PLATFORM=offscreen), on a Release build, at the lowest load you can get.

#include "bench/CommandLineBench.h"
#include "bench/ProcessProbe.h"
#include "core/base/AppInfo.h"
#include "core/conversion/ConvertUnits.h"
#include "core/platform/SettingsStore.h"
#include "core/settings/ConversionHistory.h"
#include "core/settings/Options.h"
#include "gui/mainwindow/MainWindow.h"
#include "resources/TallimerIcon.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kManyUnits = 32767;
constexpr int kFewUnits = 10;
constexpr int kRounds = 21;
constexpr int kConversions = 200000;
const QString kManyCategory = QStringLiteral("Many Units");
const QString kFewCategory = QStringLiteral("Ten Units");

// Every process of the benchmark reads and writes numbers and sorts names as in this locale.
const QLocale kLocale(QLocale::English, QLocale::UnitedStates);

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A category file of count units, the base unit first; names in no order, factors rising.
QByteArray categoryText(int count, const char *suffix)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += QByteArray::number(1.0 + i * 0.001, 'g', 15) + "^Unit " + QByteArray::number((i * 7919) % count) + " "
                + suffix + "\r\n";
    return text;
}

// A temporary application folder: the factory catalogue plus a category of kManyUnits units and
// one of kFewUnits.
void prepareFolder(const QString &folder)
{
    const QString bin = folder + "/bin";
    QDir().mkpath(bin + "/default");
    const QDir source(QStringLiteral(TALLIMER_FACTORY_CATALOGUE));
    for (const QString &name : source.entryList({"*.ucr"}, QDir::Files))
        QFile::copy(source.filePath(name), bin + "/" + name);
    QFile index(bin + "/unitType.ucr");
    index.open(QIODevice::Append);
    index.write(kManyCategory.toLatin1() + "\r\n" + kFewCategory.toLatin1() + "\r\n");
    QFile many(bin + "/" + kManyCategory + ".ucr");
    many.open(QIODevice::WriteOnly);
    many.write(categoryText(kManyUnits, "of many"));
    QFile few(bin + "/" + kFewCategory + ".ucr");
    few.open(QIODevice::WriteOnly);
    few.write(categoryText(kFewUnits, "of ten"));
}

void useFolder(const QString &folder)
{
    app::setApplicationFolder(folder);
    platform::setSettingsStore(std::make_unique<platform::QtSettingsStore>(folder + "/settings"));
}

int categoryRow(QListWidget *categories, const QString &name)
{
    const auto matches = categories->findItems(name, Qt::MatchExactly);
    return matches.isEmpty() ? -1 : categories->row(matches.first());
}

// Runs step, then the events it caused (the painting), and prints its wall and CPU time.
void timeStep(const char *name, const std::function<void()> &step)
{
    const double wall = probe::monotonicMilliseconds();
    const double cpu = probe::processCpuMilliseconds();
    step();
    QApplication::processEvents();
    probe::print((QByteArray(name) + "_wall_ms").constData(), probe::monotonicMilliseconds() - wall);
    probe::print((QByteArray(name) + "_cpu_ms").constData(), probe::processCpuMilliseconds() - cpu);
}

// The main window's round, in a fresh process: start it as the program does, and show it; choose
// the large category, open a unit list's drop-down, choose the category again; then switch to
// the small category.
int runMainWindowRound(const QString &folder)
{
    useFolder(folder);
    QApplication::setWindowIcon(tallimerIcon());
    MainWindow form;
    form.load();
    form.show();
    QApplication::processEvents();
    QApplication::processEvents();
    probe::print("shown_wall_ms", probe::millisecondsSinceLaunch());
    probe::print("shown_cpu_ms", probe::processCpuMilliseconds());
    probe::print("shown_resident_kib", double(probe::residentKibibytes()));

    auto *categories = form.findChild<QListWidget *>(QStringLiteral("UnitType"));
    auto *fromUnits = form.findChild<QComboBox *>(QStringLiteral("FromUnit"));
    const int many = categoryRow(categories, kManyCategory);
    const int few = categoryRow(categories, kFewCategory);
    timeStep("first_choice", [&] { categories->setCurrentRow(many); });
    probe::print("units", fromUnits->count());
    timeStep("dropdown", [&] { fromUnits->showPopup(); });
    fromUnits->hidePopup();
    QApplication::processEvents();
    form.reset();
    QApplication::processEvents();
    timeStep("repeated_choice", [&] { categories->setCurrentRow(many); });
    probe::print("peak_kib", double(probe::peakResidentKibibytes()));
    categories->setCurrentRow(few);
    QApplication::processEvents();
    probe::print("small_units", fromUnits->count());
    probe::print("resident_kib", double(probe::residentKibibytes()));
    probe::copyMemoryMapIfAsked();
    return 0;
}

using Figures = QHash<QByteArray, double>;

// Starts program and reads the figures it prints ("name=value" lines).
Figures runRound(const QString &program, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess child;
    environment.insert(QString::fromLatin1(probe::kLaunchVariable),
                       QString::number(qint64(probe::monotonicMilliseconds() * 1e6)));
    child.setProcessEnvironment(environment);
    child.start(program, arguments);
    child.waitForFinished(120000);
    Figures figures;
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            figures.insert(line.left(equals), line.mid(equals + 1).toDouble());
    }
    return figures;
}

struct Series {
    std::vector<double> values;
    void add(const Figures &figures, const QByteArray &name) { values.push_back(figures.value(name)); }
    double median() const { return ::median(values); }
};

// A view over fixed values, so that a conversion runs without a window.
class FixedView : public conversion::ConversionView {
public:
    QString fromUnitText() const override { return QStringLiteral("Foot"); }
    QString toUnitText() const override { return QStringLiteral("Meter"); }
    QString decimalPlacesText() const override { return QStringLiteral("5"); }
    QString categoryText() const override { return QStringLiteral("Length"); }
    int categoryIndex() const override { return 0; }
    int fromUnitIndex() const override { return 0; }
    int toUnitIndex() const override { return 1; }
    int fromUnitTag() const override { return 1; }
    int toUnitTag() const override { return 0; }
    QString numberText() const override { return m_number; }
    void setNumberText(const QString &text) override { m_number = text; }
    void setResultText(const QString &text) override { m_result = text; }
    QString m_number = QStringLiteral("1234.5");
    QString m_result;
};

// One conversion with its result text, as the main window runs it, in microseconds of wall and
// CPU time (the mean of many).
std::pair<double, double> timeConversions(QString &result)
{
    FixedView view;
    // The factors as the main window keeps them: read once, as numbers.
    const std::array<double, 2> factors{1, 0.3048};
    Options options;
    ConversionHistory history;
    options.setRememberCategory(true);
    const double wall = probe::monotonicMilliseconds();
    const double cpu = probe::processCpuMilliseconds();
    for (int i = 0; i < kConversions; ++i) {
        view.m_number = QStringLiteral("1234.5");
        conversion::ConvertUnits(view, std::span<const double>(factors), options, history);
    }
    result = view.m_result;
    return {(probe::monotonicMilliseconds() - wall) * 1e3 / kConversions,
            (probe::processCpuMilliseconds() - cpu) * 1e3 / kConversions};
}

int targetsMet = 0;

void report(const char *what, double value, const char *unit, const char *target, bool met)
{
    targetsMet += met ? 1 : 0;
    std::printf("%-52s %10.3f %-4s target %-18s %s\n", what, value, unit, target, met ? "met" : "not met");
}

} // namespace

int main(int argc, char *argv[])
{
    QLocale::setDefault(kLocale);
    QApplication application(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--main-window-round")
        return runMainWindowRound(QString::fromLocal8Bit(argv[2]));

    QTemporaryDir folder;
    prepareFolder(folder.path());

    const QString floorProgram = QStringLiteral(TALLIMER_FLOOR_WINDOW);
    Series floorWall, floorCpu, floorPeak, floorResident;
    Series shownWall, shownCpu, firstWall, firstCpu, repeatedWall, repeatedCpu, dropdownWall, dropdownCpu;
    Series peak, resident, shownResident, units, smallUnits;
    for (int round = 0; round < kRounds; ++round) {
        const Figures floor = runRound(floorProgram, {});
        floorWall.add(floor, "shown_wall_ms");
        floorCpu.add(floor, "shown_cpu_ms");
        floorPeak.add(floor, "peak_kib");
        floorResident.add(floor, "resident_kib");
        const Figures main = runRound(QCoreApplication::applicationFilePath(), {"--main-window-round", folder.path()});
        shownWall.add(main, "shown_wall_ms");
        shownCpu.add(main, "shown_cpu_ms");
        firstWall.add(main, "first_choice_wall_ms");
        firstCpu.add(main, "first_choice_cpu_ms");
        dropdownWall.add(main, "dropdown_wall_ms");
        dropdownCpu.add(main, "dropdown_cpu_ms");
        repeatedWall.add(main, "repeated_choice_wall_ms");
        repeatedCpu.add(main, "repeated_choice_cpu_ms");
        peak.add(main, "peak_kib");
        resident.add(main, "resident_kib");
        shownResident.add(main, "shown_resident_kib");
        units.add(main, "units");
        smallUnits.add(main, "small_units");
    }
    QString result;
    const auto [conversionWall, conversionCpu] = timeConversions(result);

    std::printf("Tallimer benchmark: %d rounds of each process, interleaved; medians; locale %s\n", kRounds,
                qPrintable(kLocale.name()));
    std::printf("units in the lists: %.0f in the large category, %.0f in the small one; a conversion writes \"%s\"\n\n",
                units.median(), smallUnits.median(), qPrintable(result));

    const double startRatio = shownWall.median() / floorWall.median();
    report("start until shown, against the floor", startRatio, "x", "<= 1.1x", startRatio <= 1.1);
    std::printf("    floor %.1f ms wall, %.1f ms CPU; main window %.1f ms wall, %.1f ms CPU (CPU ratio %.2fx)\n",
                floorWall.median(), floorCpu.median(), shownWall.median(), shownCpu.median(),
                shownCpu.median() / floorCpu.median());
    report("first choice of a 32767-unit category", firstWall.median(), "ms", "<= 20 ms", firstWall.median() <= 20);
    std::printf("    %.1f ms CPU\n", firstCpu.median());
    report("repeated choice", repeatedWall.median(), "ms", "<= 5 ms", repeatedWall.median() <= 5);
    std::printf("    %.1f ms CPU\n", repeatedCpu.median());
    report("opening its drop-down", dropdownWall.median(), "ms", "<= 30 ms", dropdownWall.median() <= 30);
    std::printf("    %.1f ms CPU\n", dropdownCpu.median());
    const double extraPeak = (peak.median() - floorPeak.median()) / 1024.0;
    report("peak memory with it chosen, over the floor", extraPeak, "MiB", "<= +6 MiB", extraPeak <= 6);
    std::printf("    floor %.1f MiB, main window %.1f MiB\n", floorPeak.median() / 1024.0, peak.median() / 1024.0);
    const double extraResident = (resident.median() - floorResident.median()) / 1024.0;
    report("resident after switching to 10 units, over the floor", extraResident, "MiB", "<= +2 MiB",
           extraResident <= 2);
    std::printf("    floor %.1f MiB, main window %.1f MiB (%.1f MiB when shown, before any choice)\n",
                floorResident.median() / 1024.0, resident.median() / 1024.0, shownResident.median() / 1024.0);
    report("one conversion with its result text", conversionWall, "us", "<= 0.7 us", conversionWall <= 0.7);
    std::printf("    %.3f us CPU (mean of %d)\n", conversionCpu, kConversions);
    const int met = targetsMet;
    std::printf("\nNot one of the seven:\n");
    reportCommandLineConvert();
    std::printf("\ntargets met: %d of 7\n", met);
    return 0;
}
