#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class QComboBox;
class QKeyEvent;
class QInputMethodEvent;

// Passes every character typed into a combo box through a key-press handler before the combo
// sees it. The handler gets the key code (see keyCodeOf and KeyCodes.h) and returns the code the
// combo is to process instead: 0 drops the key, the same code lets the key through unchanged,
// another code makes the combo see that key instead.
//
// Keys are caught wherever they go: at the combo, at its edit field, and at the view of its
// drop-down list, which takes the keyboard while the list is open; keys caught there are
// processed by the combo, so typing goes on in the edit field with the list shown. Keys that
// type no character (arrows, Page Up/Down, Home/End, Tab, Delete, F4, Alt+Down, Alt+letter)
// pass untouched. Text committed by an input method is handled character by character too.
//
// The filter is a child of the combo and installs itself on construction.
class ComboKeyPressFilter : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<qint16(qint16)>;

    ComboKeyPressFilter(QComboBox *combo, Handler handler);

    // The key code of a key press: Backspace 8, Enter/Return 13, Escape 27, Ctrl+letter
    // 1..26, otherwise the typed character's UTF-16 code unit; none for a key that types nothing.
    static std::optional<qint16> keyCodeOf(const QKeyEvent &event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isListView(const QObject *watched) const;
    bool filterKeyPress(QObject *watched, QKeyEvent *event);
    bool filterInputMethod(QObject *watched, QInputMethodEvent *event);
    void deliver(QObject *target, QKeyEvent &event);

    QPointer<QComboBox> m_combo;
    Handler m_handler;
    bool m_delivering = false;
};
