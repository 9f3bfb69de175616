#include "EditorTestSupport.h"

#include <QTest>

class TestEditorRows : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(TestEditorRows)
#include "tst_editorrows.moc"
