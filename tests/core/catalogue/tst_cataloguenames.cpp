#include "core/catalogue/CatalogueNames.h"
#include "core/catalogue/CataloguePaths.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QTest>

class TestCatalogueNames : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> m_environment;

private slots:
    // The rules are pure functions: one environment serves every case.
    void initTestCase() { m_environment = std::make_unique<TestEnvironment>(); }
    void cleanupTestCase() { finishEnvironment(m_environment); }

    void categoryNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("refusalStart"); // empty: the name is accepted
        const QString eleven = QStringLiteral("Category name cannot contain any of the\r\nfollowing characters: ");
        QTest::newRow("plain") << "Radiation Dose" << QString();
        QTest::newRow("Windows-1252 letters") << "Gr\u00F6\u00DFe \u20AC" << QString();
        QTest::newRow("dot inside") << "Vol. Flow" << QString();
        QTest::newRow("leading space") << " Spaced" << QString();
        QTest::newRow("device name as a word") << "Console" << QString();
        QTest::newRow("COM0 is no device") << "COM0" << QString();
        QTest::newRow("LPT10 is no device") << "LPT10" << QString();
        QTest::newRow("index name") << "unitType" << "\"unitType\" cannot be a category name";
        QTest::newRow("index name, other case") << "UNITTYPE" << "\"UNITTYPE\" cannot be a category name";
        for (const char *device : {"CON", "prn", "Aux", "nul", "COM1", "com9", "LPT1", "lpt9", "CON.txt", "nul.tar.gz",
                                   "com\xC2\xB9", "Con .txt"}) {
            const QString name = QString::fromUtf8(device);
            QTest::addRow("device %s", device) << name << "\"" + name + "\" cannot be a category name:\r\nWindows";
        }
        QTest::newRow("trailing full stop") << "Speed." << "Category name cannot end with a full stop or a space";
        QTest::newRow("trailing space") << "Speed " << "Category name cannot end with a full stop or a space";
        for (const QChar c : QStringLiteral("\\/:?*\"<>|,^"))
            QTest::addRow("refused %s", qPrintable(QString(c))) << "a" + QString(c) + "b" << eleven;
        QTest::newRow("tab") << "a\tb" << "Category name cannot contain tabs, line breaks";
        QTest::newRow("line break") << "a\r\nb" << "Category name cannot contain tabs, line breaks";
        QTest::newRow("Greek letters") << "\u03A9\u03A9\u03A3" << "Category name cannot contain \u03A9 \u03A3\r\n";
        QTest::newRow("empty") << "" << "Category name cannot be empty";
        QTest::newRow("dot") << "." << "Category name cannot end with a full stop";
        QTest::newRow("dot dot") << ".." << "Category name cannot end with a full stop";
        QTest::newRow("up a folder") << "../Length" << eleven;
        QTest::newRow("up a folder, backslash") << "..\\Length" << eleven;
        QTest::newRow("into the factory copies") << "default/Length" << eleven;
        // The file name, and the one a save writes aside (seven more), within 255 bytes of UTF-8.
        const QString tooLong = "Category name is too long to name a file:\r\nit can have at most 244 letters";
        QTest::newRow("244 letters") << QString(244, 'a') << QString();
        QTest::newRow("245 letters") << QString(245, 'a') << tooLong;
        QTest::newRow("122 accented letters") << QString(122, QChar(0xE9)) << QString();
        QTest::newRow("123 accented letters") << QString(123, QChar(0xE9)) << tooLong;
        QTest::newRow("81 euro signs") << QString(81, QChar(0x20AC)) << QString();
        QTest::newRow("82 euro signs") << QString(82, QChar(0x20AC)) << tooLong;
    }
    void categoryNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, refusalStart);
        const QString refusal = catalogue::categoryNameRefusal(name);
        if (refusalStart.isEmpty())
            QCOMPARE(refusal, QString());
        else
            QVERIFY2(refusal.startsWith(refusalStart), qPrintable(refusal));
    }

    // The same check, and the file's folder once its path is resolved.
    void categoryFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("plain") << "Length" << true;
        QTest::newRow("a leading dot") << ".Hidden" << true;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("up and out") << "../../outside/victim" << false;
        QTest::newRow("the factory copy") << "default\\Length" << false;
        QTest::newRow("empty") << "" << false;
    }
    void categoryFiles()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QCOMPARE(catalogue::categoryFileRefusal(name).isEmpty(), accepted);
        QCOMPARE(catalogue::liesInCatalogueFolder(catalogue::categoryFile(name)),
                 !QDir::fromNativeSeparators(name).contains('/'));
    }

    void unitNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("refusalStart");
        QTest::newRow("plain") << "Foot (ft)" << QString();
        QTest::newRow("characters a file name cannot hold") << "m/s\u00B2 <\"x\">" << QString();
        QTest::newRow("empty deletes the unit") << "" << QString();
        QTest::newRow("comma") << "a,b" << "Unit name cannot contain comas or ^ symbol";
        QTest::newRow("caret") << "a^b" << "Unit name cannot contain comas or ^ symbol";
        QTest::newRow("line feed") << "a\nb" << "Unit name cannot contain tabs, line breaks";
        QTest::newRow("outside Windows-1252") << "\u2126" << "Unit name cannot contain \u2126\r\n";
    }
    void unitNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, refusalStart);
        const QString refusal = catalogue::unitNameRefusal(name);
        if (refusalStart.isEmpty())
            QCOMPARE(refusal, QString());
        else
            QVERIFY2(refusal.startsWith(refusalStart), qPrintable(refusal));
    }
};

QTEST_APPLESS_MAIN(TestCatalogueNames)
#include "tst_cataloguenames.moc"
