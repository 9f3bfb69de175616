#include "core/text/NumberText.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/MainWindowTest.h"
#include "support/Controls.h"
#include "support/TestEnvironment.h"

#include <QCollator>
#include <QComboBox>
#include <QListWidget>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

// A category file made up for a test: its bytes, and its lines as text.
struct MadeCategory {
    QByteArray bytes;
    QStringList lines;
};

// count lines of random-ish units: names drawn from a few words, so that many repeat, in mixed
// letter case, with accents and digits; factors in the catalogue's format and a few other
// forms, many of them equal; now and then a blank line. Only Latin-1 characters, which a
// catalogue file holds as the same bytes.
MadeCategory makeCategory(int count, quint32 seed)
{
    static const QStringList words = {"metre", "Foot", "FOOT", "foot", "Ångström", "ell", "Éll", "bar", "Bär",
                                      "yard", "zoll", "Zoll", "inch", "mile-2", "mile 10", "mile 9", "a", "A",
                                      "rod", "chain", "Æ", "o", "ö", "Øre", "_x", "(old)", "1 span", "10 span"};
    QRandomGenerator random(seed);
    MadeCategory made;
    for (int i = 0; i < count; ++i) {
        QString line;
        if (i == 0) {
            line = QStringLiteral("1^Base unit");
        } else if (random.bounded(50) != 0) {
            const double factor = random.bounded(4) == 0 ? 2.5 : random.bounded(1000.0) / (1 + random.bounded(7));
            QString factorText = conversion::factorText(factor);
            if (random.bounded(20) == 0)
                factorText = QStringLiteral(" ") + factorText + QStringLiteral(" ");
            QString name = words.at(random.bounded(int(words.size())));
            if (random.bounded(3) == 0)
                name += QStringLiteral(" ") + words.at(random.bounded(int(words.size())));
            if (random.bounded(4) == 0)
                name += QStringLiteral(" ") + QString::number(random.bounded(100));
            line = factorText + QStringLiteral("^") + name;
        }
        made.lines.append(line);
        made.bytes += line.toLatin1() + "\r\n";
    }
    return made;
}

// A unit as the lists should show it, worked out from the lines directly.
struct ExpectedUnit {
    QString name;
    int tag = 0;
};

// The lists and factors built the simple way: every non-blank line a unit named by its last
// field, sorted by a collator of the locale without letter case, equal names in file order.
std::vector<ExpectedUnit> expectedUnits(const QStringList &lines, const QLocale &locale)
{
    std::vector<ExpectedUnit> units;
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines.at(i).isEmpty())
            units.push_back({lines.at(i).split(QLatin1Char('^')).last(), i});
    }
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(units.begin(), units.end(),
                     [&collator](const ExpectedUnit &a, const ExpectedUnit &b) { return collator.compare(a.name, b.name) < 0; });
    return units;
}

conversion::FactorTable expectedFactors(const QStringList &lines)
{
    conversion::FactorTable factors;
    for (const QString &line : lines) {
        const auto factor = line.isEmpty() ? std::nullopt : conversion::parseFactor(line.split(QLatin1Char('^')).first());
        factors.push_back(factor ? conversion::factorText(*factor) : QString());
    }
    return factors;
}

} // namespace

// The unit lists of a large category: the sorted order, the item tags and the factors the
// window builds are the ones worked out line by line.
class TestUnitLists : public MainWindowTest {
    Q_OBJECT

private slots:
    void init() { start(); }
    void cleanup() { finish(); }

    void largeCategoriesListAsBuiltTheSimpleWay_data()
    {
        QTest::addColumn<int>("units");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("meanwhile"); // what happens before the category is chosen again
        QTest::newRow("32767 units, English") << 32767 << 1u << "en_US" << "";
        QTest::newRow("32767 units, Swedish") << 32767 << 2u << "sv_SE" << "";
        QTest::newRow("chosen again unchanged") << 3000 << 3u << "en_US" << "nothing";
        QTest::newRow("chosen again after a change of the same size") << 3000 << 4u << "en_US" << "same size";
        QTest::newRow("chosen again after another category") << 3000 << 5u << "en_US" << "other category";
    }
    void largeCategoriesListAsBuiltTheSimpleWay()
    {
        QFETCH(int, units);
        QFETCH(quint32, seed);
        QFETCH(QString, locale);
        QFETCH(QString, meanwhile);
        QLocale::setDefault(QLocale(locale));
        MadeCategory category = makeCategory(units, seed);
        m_environment->writeFile("bin/unitType.ucr", "Big\r\nSmall\r\n");
        m_environment->writeFile("bin/Big.ucr", category.bytes);
        m_environment->writeFile("bin/Small.ucr", "1^Metre\r\n0.3048^Foot\r\n");
        QVERIFY(load());
        categories()->setCurrentRow(0);
        if (meanwhile == "same size") {
            // The same bytes in another order, at once: two lines swap places.
            category.lines.swapItemsAt(1, 2);
            category.bytes.clear();
            for (const QString &line : std::as_const(category.lines))
                category.bytes += line.toLatin1() + "\r\n";
            m_environment->writeFile("bin/Big.ucr", category.bytes);
        }
        if (meanwhile == "other category")
            categories()->setCurrentRow(1);
        else if (!meanwhile.isEmpty())
            m_form->reset();
        if (!meanwhile.isEmpty())
            categories()->setCurrentRow(0);

        const std::vector<ExpectedUnit> expected = expectedUnits(category.lines, QLocale());
        for (const char *name : {"FromUnit", "ToUnit"}) {
            const auto *list = child<QComboBox>(*m_form, name);
            QCOMPARE(list->count(), int(expected.size()));
            for (int i = 0; i < list->count(); ++i) {
                if (list->itemText(i) != expected[std::size_t(i)].name || list->itemData(i).toInt() != expected[std::size_t(i)].tag)
                    QFAIL(qPrintable(QStringLiteral("%1 row %2: \"%3\" line %4, expected \"%5\" line %6")
                                         .arg(name).arg(i).arg(list->itemText(i)).arg(list->itemData(i).toInt())
                                         .arg(expected[std::size_t(i)].name).arg(expected[std::size_t(i)].tag)));
            }
        }
        QCOMPARE(m_form->factorTable(), expectedFactors(category.lines));
    }
};

QTEST_MAIN(TestUnitLists)
#include "tst_unitlists.moc"
