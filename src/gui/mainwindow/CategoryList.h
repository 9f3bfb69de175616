#pragma once

#include <QListWidget>

// The category list. Walking it with the keyboard (arrows, Page Up/Down, Home/End, typed letters
// searching the names) chooses each category it reaches and keeps the focus in the list, so the
// user can walk on; Enter or Space takes the current category and says the user moves on.
class CategoryList : public QListWidget {
    Q_OBJECT
public:
    explicit CategoryList(QWidget *parent = nullptr);

    // True while a key walks the list: a choice made then keeps the focus here.
    bool isWalking() const { return m_walking; }

signals:
    // Enter or Space: the current category is chosen (if it was not) and the user moves on.
    void choiceTaken();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_walking = false;
};
