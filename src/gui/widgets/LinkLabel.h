#pragma once

#include <QLabel>

// A caption that works as a link: reached with Tab, opened by a left click, Enter or Space. It is
// drawn in the palette's link colour, made readable on the background behind it, with a focus
// frame while it has the focus, and screen readers meet it as a link that can be pressed.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString &caption, QWidget *parent = nullptr);

    // What a click, Enter, Space and a screen reader's press do.
    void activate() { emit activated(); }
    // The colour the caption is drawn in.
    QColor captionColour() const;

signals:
    void activated();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
