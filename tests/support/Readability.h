#pragma once

#include "gui/widgets/ReadableColours.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>

#include <memory>

// Whether a window's texts read, judged on the window as it is drawn: in the area where a
// control draws its text, the most frequent colour is the background and the colour that stands
// out most from it is the text; the two must differ by the WCAG contrast ratio of 4.5:1.

// The Fusion style and a dark palette (or the style's own light one) for the whole application
// while it lives; the style and palette before it afterwards.
class ThemeScope {
public:
    explicit ThemeScope(bool dark)
        : m_styleName(QApplication::style()->name())
        , m_palette(QApplication::palette())
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(dark ? darkPalette() : QApplication::style()->standardPalette());
    }
    ~ThemeScope()
    {
        QApplication::setStyle(QStyleFactory::create(m_styleName));
        QApplication::setPalette(m_palette);
    }
    ThemeScope(const ThemeScope &) = delete;
    ThemeScope &operator=(const ThemeScope &) = delete;

    // The rows of a test that runs in both themes: a column "dark".
    static void addThemeRows()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light theme") << false;
        QTest::newRow("dark theme") << true;
    }

    // The usual dark palette of Fusion programs, link colour and all.
    static QPalette darkPalette()
    {
        const QColor window(53, 53, 53);
        const QColor base(42, 42, 42);
        const QColor text(Qt::white);
        const QColor disabledText(127, 127, 127);
        QPalette palette;
        palette.setColor(QPalette::Window, window);
        palette.setColor(QPalette::WindowText, text);
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::AlternateBase, QColor(66, 66, 66));
        palette.setColor(QPalette::ToolTipBase, window);
        palette.setColor(QPalette::ToolTipText, text);
        palette.setColor(QPalette::PlaceholderText, disabledText);
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::Button, window);
        palette.setColor(QPalette::ButtonText, text);
        palette.setColor(QPalette::BrightText, Qt::red);
        palette.setColor(QPalette::Light, QColor(80, 80, 80));
        palette.setColor(QPalette::Midlight, QColor(66, 66, 66));
        palette.setColor(QPalette::Mid, QColor(40, 40, 40));
        palette.setColor(QPalette::Dark, QColor(35, 35, 35));
        palette.setColor(QPalette::Shadow, QColor(20, 20, 20));
        palette.setColor(QPalette::Link, QColor(42, 130, 218));
        palette.setColor(QPalette::LinkVisited, QColor(130, 90, 200));
        palette.setColor(QPalette::Highlight, QColor(42, 130, 218));
        palette.setColor(QPalette::HighlightedText, Qt::black);
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(QPalette::Disabled, role, disabledText);
        return palette;
    }

private:
    QString m_styleName;
    QPalette m_palette;
};

namespace readability {

// Where a control draws its text, in its own coordinates; empty for a control that draws none
// of its own (an editable combo box's text is its edit field's, a picture has none).
inline QRect textArea(QWidget *control)
{
    if (auto *box = qobject_cast<QCheckBox *>(control)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        return box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
    }
    if (auto *button = qobject_cast<QPushButton *>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    if (auto *group = qobject_cast<QGroupBox *>(control)) {
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        option.lineWidth = 1;
        option.textAlignment = group->alignment();
        return group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
    }
    if (qobject_cast<QLineEdit *>(control))
        return control->rect().adjusted(3, 3, -3, -3);
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->isEditable() ? QRect() : control->rect().adjusted(4, 3, -24, -3);
    if (auto *list = qobject_cast<QListWidget *>(control)) {
        // An entry that is not selected (a selected one is drawn in the selection's colours).
        for (int row = 0; row < list->count(); ++row) {
            if (!list->item(row)->isSelected())
                return list->visualItemRect(list->item(row)).translated(list->viewport()->pos()) & list->rect();
        }
        return QRect();
    }
    if (auto *text = qobject_cast<QPlainTextEdit *>(control))
        return text->viewport()->geometry();
    if (auto *label = qobject_cast<QLabel *>(control))
        return label->pixmap().isNull() ? label->contentsRect() : QRect();
    return QRect();
}

// The background and the text colour drawn in area of image.
struct TextColours {
    QColor background;
    QColor text;
};

inline TextColours textColours(const QImage &image, const QRect &area)
{
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    }
    TextColours found;
    int most = 0;
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it) {
        if (it.value() > most) {
            most = it.value();
            found.background = QColor::fromRgb(it.key());
        }
    }
    found.text = found.background;
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it) {
        const QColor colour = QColor::fromRgb(it.key());
        if (colours::contrastRatio(colour, found.background) > colours::contrastRatio(found.text, found.background))
            found.text = colour;
    }
    return found;
}

// The enabled, visible controls of window whose text reads at less than 4.5:1 against what is
// behind it, each as "name: ratio". Takes the focus away first: a focus frame is no text.
inline QStringList poorlyReadable(QWidget &window)
{
    if (QWidget *focus = window.focusWidget())
        focus->clearFocus();
    const QImage image = window.grab().toImage();
    QStringList poor;
    int measured = 0;
    for (QWidget *control : window.findChildren<QWidget *>()) {
        if (!control->isVisible() || !control->isEnabled())
            continue;
        const QRect area = QRect(control->mapTo(&window, textArea(control).topLeft()), textArea(control).size()) & image.rect();
        if (area.isEmpty())
            continue;
        const TextColours drawn = textColours(image, area);
        const double ratio = colours::contrastRatio(drawn.text, drawn.background);
        if (ratio == 1.0)
            continue; // nothing written there
        ++measured;
        if (ratio < colours::kReadableContrast)
            poor.append(QStringLiteral("%1: %2:1 (%3 on %4)")
                            .arg(control->objectName().isEmpty() ? control->parent()->objectName() + QStringLiteral(" (part)")
                                                                 : control->objectName())
                            .arg(ratio, 0, 'f', 2)
                            .arg(drawn.text.name(), drawn.background.name()));
    }
    if (measured == 0)
        poor.append(QStringLiteral("no text measured in %1").arg(window.objectName()));
    return poor;
}

} // namespace readability
