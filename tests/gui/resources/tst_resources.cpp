#include "resources/TallimerResources.h"
#include "support/TestEnvironment.h"

#include <QImage>
#include <QTest>

// The pictures must reach the program through the static library: a resource dropped by the
// linker, or a picture redrawn at the wrong size, shows up here.
class TestResources : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { initTallimerResources(); }
    void init() { m_environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { m_environment.reset(); }

    void picture_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("transparentCorner");
        for (int side : {16, 24, 32, 48, 64, 128, 256})
            QTest::addRow("icon %d px", side)
                << QStringLiteral(":/icons/tallimer-%1.png").arg(side) << QSize(side, side) << true;
        // 5640 and 4080 twips wide, 1305 high, at 15 twips a pixel, and twice that for 2x screens.
        QTest::newRow("banner left part") << QStringLiteral(":/banner-left.png") << QSize(376, 87) << false;
        QTest::newRow("banner right part") << QStringLiteral(":/banner-right.png") << QSize(272, 87) << false;
        QTest::newRow("banner left part, 2x") << QStringLiteral(":/banner-left@2x.png") << QSize(752, 174) << false;
        QTest::newRow("banner right part, 2x") << QStringLiteral(":/banner-right@2x.png") << QSize(544, 174) << false;
    }
    void picture()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QFETCH(bool, transparentCorner);
        const QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path));
        QCOMPARE(image.size(), size);
        QCOMPARE(qAlpha(image.pixel(0, 0)) == 0, transparentCorner);
        // The middle is always drawn, never left transparent.
        QCOMPARE(qAlpha(image.pixel(size.width() / 2, size.height() / 2)), 255);
    }

private:
    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
