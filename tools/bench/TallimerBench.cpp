// Measures, in one run: (a) start to main window shown against a bare Qt window, (b) selecting
// a category of 32767 units, (c) one conversion with its result text, (d) peak memory with
// that category loaded against the bare window. Run offscreen: QT_QPA_PLATFORM=offscreen.

#include "bench/CommandLineBench.h"
#include "core/base/AppInfo.h"
#include "core/conversion/ConvertUnits.h"
#include "core/platform/SettingsStore.h"
#include "core/settings/ConversionHistory.h"
#include "core/settings/Options.h"
#include "gui/mainwindow/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kUnits = 32767;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

long peakKibibytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A temporary application folder: the factory catalogue plus a category of kUnits units.
void prepareFolder(const QString &folder)
{
    const QString bin = folder + "/bin";
    QDir().mkpath(bin + "/default");
    const QDir source(QStringLiteral(TALLIMER_FACTORY_CATALOGUE));
    for (const QString &name : source.entryList({"*.ucr"}, QDir::Files))
        QFile::copy(source.filePath(name), bin + "/" + name);
    QFile index(bin + "/unitType.ucr");
    index.open(QIODevice::Append);
    index.write("Many Units\r\n");
    QFile many(bin + "/Many Units.ucr");
    many.open(QIODevice::WriteOnly);
    QByteArray text;
    for (int i = 0; i < kUnits; ++i)
        text += QByteArray::number(1.0 + i * 0.001, 'g', 15) + "^Unit " + QByteArray::number((i * 7919) % kUnits)
                + " of many\r\n";
    many.write(text);
}

void useFolder(const QString &folder)
{
    app::setApplicationFolder(folder);
    platform::setSettingsStore(std::make_unique<platform::QtSettingsStore>(folder + "/settings"));
}

int selectManyUnits(MainWindow &form)
{
    const auto matches = form.findChild<QListWidget *>(QStringLiteral("UnitType"))->findItems("Many Units", Qt::MatchExactly);
    return matches.isEmpty() ? -1 : form.findChild<QListWidget *>(QStringLiteral("UnitType"))->row(matches.first());
}

// Child modes: each shows its window, processes the events that paint it, and exits.
int runChild(QApplication &application, const QString &mode, const QString &folder)
{
    if (mode == "--bare") {
        QWidget window;
        window.resize(640, 344);
        window.show();
        application.processEvents();
    } else {
        useFolder(folder);
        MainWindow form;
        form.load();
        form.show();
        application.processEvents();
        if (mode == "--many") {
            form.findChild<QListWidget *>(QStringLiteral("UnitType"))->setCurrentRow(selectManyUnits(form));
            application.processEvents();
        }
    }
    if (qEnvironmentVariableIsSet("TALLIMER_BENCH_SMAPS"))
    {
        QFile maps("/proc/self/smaps"), copy(qEnvironmentVariable("TALLIMER_BENCH_SMAPS"));
        if (maps.open(QIODevice::ReadOnly) && copy.open(QIODevice::WriteOnly))
            copy.write(maps.readAll());
    }
    std::printf("%ld\n", peakKibibytes());
    return 0;
}

struct ChildRun {
    double milliseconds = 0;
    long peakKibibytes = 0;
};

ChildRun runSelf(const QString &mode, const QString &folder)
{
    QProcess child;
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(), {mode, folder});
    child.waitForFinished(60000);
    ChildRun run;
    run.milliseconds = double(timer.nsecsElapsed()) / 1e6;
    run.peakKibibytes = child.readAllStandardOutput().trimmed().toLong();
    return run;
}

// A view over fixed values, so a conversion runs without a window.
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

void report(const char *what, double value, const char *unit, const char *target, bool met)
{
    std::printf("%-58s %12.3f %-6s target %-28s %s\n", what, value, unit, target, met ? "met" : "NOT MET");
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc == 3)
        return runChild(application, QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));

    QTemporaryDir folder;
    prepareFolder(folder.path());

    // (a) and (d): whole processes, the median of several starts.
    std::vector<double> bare, full;
    long barePeak = 0, mainPeak = 0, manyPeak = 0;
    for (int i = 0; i < 7; ++i) {
        const ChildRun b = runSelf("--bare", folder.path());
        const ChildRun f = runSelf("--main", folder.path());
        bare.push_back(b.milliseconds);
        full.push_back(f.milliseconds);
        barePeak = std::max(barePeak, b.peakKibibytes);
        mainPeak = std::max(mainPeak, f.peakKibibytes);
    }
    manyPeak = runSelf("--many", folder.path()).peakKibibytes;
    const double startRatio = median(full) / median(bare);

    // (b) in this process: choosing the category of kUnits units.
    useFolder(folder.path());
    std::vector<double> selections;
    {
        MainWindow form;
        form.load();
        const int many = selectManyUnits(form);
        for (int i = 0; i < 5; ++i) {
            form.reset();
            QElapsedTimer timer;
            timer.start();
            form.findChild<QListWidget *>(QStringLiteral("UnitType"))->setCurrentRow(many);
            selections.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
    }

    // (c) one conversion with its result text.
    FixedView view;
    const conversion::FactorTable factors{QStringLiteral("1"), QStringLiteral("0.3048")};
    Options options;
    ConversionHistory history;
    options.setRememberCategory(true);
    constexpr int kConversions = 200000;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kConversions; ++i) {
        view.m_number = QStringLiteral("1234.5");
        conversion::ConvertUnits(view, factors, options, history);
    }
    const double microseconds = double(timer.nsecsElapsed()) / 1e3 / kConversions;

    std::printf("Tallimer benchmark (%s)\n", qPrintable(view.m_result));
    report("(a) start to main window shown, ratio to a bare window", startRatio, "x", "<= 1.5", startRatio <= 1.5);
    std::printf("      bare window %.1f ms, main window %.1f ms (medians of 7 starts)\n", median(bare), median(full));
    report("(b) selecting a category of 32767 units", median(selections), "ms", "< 50 ms", median(selections) < 50);
    report("(c) one conversion with its result text", microseconds, "us", "< 2 us", microseconds < 2);
    const double extraMiB = double(manyPeak - barePeak) / 1024.0;
    report("(d) peak memory with that category, beyond a bare window", extraMiB, "MiB", "<= 10 MiB", extraMiB <= 10);
    std::printf("      bare window %.1f MiB, main window %.1f MiB, main window with 32767 units %.1f MiB\n",
                barePeak / 1024.0, mainPeak / 1024.0, manyPeak / 1024.0);
    reportCommandLineConvert();
    return 0;
}
