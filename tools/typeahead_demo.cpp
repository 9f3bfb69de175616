// A window for trying the type-ahead completion by hand: one editable combo holding Foot,
// Furlong and Metre, completed with new text refused as in the main window's unit lists. The
// line above the combo shows the edit text, its selection, the current item and the last key.

#include "gui/widgets/ComboKeyPressFilter.h"
#include "gui/widgets/TypeAhead.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Type-ahead demo"));
    auto *layout = new QFormLayout(&window);

    auto *state = new QLabel(&window);
    state->setAccessibleName(QStringLiteral("State"));
    layout->addRow(QStringLiteral("State:"), state);

    auto *combo = new QComboBox(&window);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems({QStringLiteral("Foot"), QStringLiteral("Furlong"), QStringLiteral("Metre")});
    combo->setCurrentIndex(-1);
    combo->setAccessibleName(QStringLiteral("Unit"));
    auto *caption = new QLabel(QStringLiteral("&Unit:"), &window);
    caption->setBuddy(combo);
    layout->addRow(caption, combo);

    QString lastKey = QStringLiteral("none");
    const auto showState = [&] {
        const QLineEdit *edit = combo->lineEdit();
        const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        state->setText(QStringLiteral("text \"%1\", selection %2+%3, current item %4 (%5), list %6, last key %7")
                           .arg(edit->text())
                           .arg(start)
                           .arg(edit->selectionLength())
                           .arg(combo->currentIndex())
                           .arg(combo->currentIndex() >= 0 ? combo->itemText(combo->currentIndex()) : QString())
                           .arg(combo->view()->isVisible() ? QStringLiteral("open") : QStringLiteral("closed"))
                           .arg(lastKey));
    };
    new ComboKeyPressFilter(combo, [&](qint16 key) {
        const qint16 result = typeAhead::typeKey(combo, key, false);
        lastKey = QStringLiteral("%1 -> %2").arg(key).arg(result);
        showState();
        return result;
    });
    QObject::connect(combo->lineEdit(), &QLineEdit::selectionChanged, state, showState);
    QObject::connect(combo->lineEdit(), &QLineEdit::cursorPositionChanged, state, showState);
    QObject::connect(combo, &QComboBox::currentIndexChanged, state, showState);
    showState();

    window.resize(640, 240);
    window.show();
    combo->setFocus();
    return application.exec();
}
