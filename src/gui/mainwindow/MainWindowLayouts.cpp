#include "gui/mainwindow/MainWindow.h"

#include "gui/widgets/WindowPlacement.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

// The main window's two layouts and its window modes (always on top, fixed size).

namespace {

// Assumed border and caption of the window frame, for turning the designed outer size into
// the client size Qt fixes.
constexpr int kFrameWidthPixels = 8;
constexpr int kFrameHeightPixels = 31;

// Designed window size (outer, twips).
constexpr double kNormalWidth = 9720;
constexpr double kNormalHeight = 5625;

} // namespace

void MainWindow::placeControls()
{
    // The designed layout: the normal one, with the banner across the top.
    m_layout.place(m_bannerLink, 0, 0, 5640, 1305);
    m_layout.place(m_banner, 5520, 0, 4215, 1305);
    m_layout.place(m_separator, 0, 1320 - 15, kNormalWidth, 30);
    m_layout.place(m_categoryList, 120, 1800, 2535, 3180);
    m_layout.place(m_numberBox, 6120, 1680, 2415, 285);
    m_layout.place(m_numberCaption, 3840, 1680, 2000, 285);
    m_layout.place(m_placesCaption, 5040, 2040, 2055, 435);
    m_layout.place(m_placesBox, 7200, 2160, 855, 315);
    m_layout.place(m_fromUnitBox, 2880, 2760, 3135, 315);
    m_layout.place(m_fromCaption, 2880, 2520, 3135, 255);
    m_layout.place(m_toUnitBox, 6120, 2760, 3375, 315);
    m_layout.place(m_toCaption, 6120, 2520, 3375, 255);
    m_layout.place(m_convertButton, 4800, 3240, 1215, 375);
    m_layout.place(m_resetButton, 6120, 3240, 1215, 375);
    m_layout.place(m_resultBox, 3600, 3840, 5400, 285);
    m_layout.place(m_resultCaption, 2760, 3840, 735, 285);
    m_layout.place(m_webLink, 5040, 4320, 2415, 255);
    m_layout.place(m_categoryCaption, 120, 1560, 3600, 255);
    setWindowSizeTwips(kNormalWidth, kNormalHeight);
}

void MainWindow::setWindowSizeTwips(double width, double height)
{
    m_windowSizeTwips = QSizeF(width, height);
    setFixedSize(TwipsLayout::toPixels(width) - kFrameWidthPixels, TwipsLayout::toPixels(height) - kFrameHeightPixels);
}

void MainWindow::centreOnScreen()
{
    ::centreOnScreen(this, QSize(TwipsLayout::toPixels(m_windowSizeTwips.width()),
                                 TwipsLayout::toPixels(m_windowSizeTwips.height())));
}

void MainWindow::setCompactLayout(bool compact)
{
    if (compact)
        showCompactLayout();
    else
        showNormalLayout();
}

void MainWindow::applyAlwaysOnTop()
{
    // The action has already toggled its own check mark.
    setStaysOnTop(this, m_alwaysOnTopAction->isChecked());
    if (m_alwaysOnTopAction->isChecked())
        update();
}

void MainWindow::changeEvent(QEvent *event)
{
    // Losing the focus applies the always-on-top state again, never changes it.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && !m_unloaded) {
        setStaysOnTop(this, m_alwaysOnTopAction->isChecked());
        if (m_alwaysOnTopAction->isChecked())
            update();
    }
    QWidget::changeEvent(event);
}

void MainWindow::toggleCompactLayout()
{
    setCompactLayout(showsNormalLayout());
}

void MainWindow::showCompactLayout()
{
    m_bannerLink->hide();
    m_banner->hide();
    m_separator->hide();
    m_layout.setTop(m_categoryList, 120);
    m_layout.setHeight(m_categoryList, 1200);
    m_layout.move(m_numberBox, 4835, 435);
    m_layout.setWidth(m_numberBox, 1800);
    m_layout.move(m_numberCaption, 2755, 435);
    m_layout.move(m_placesCaption, m_layout.left(m_numberCaption) - 60, 875);
    m_layout.move(m_placesBox, m_layout.left(m_numberBox), 875);
    m_layout.move(m_fromUnitBox, 120, 1595);
    m_layout.move(m_fromCaption,
                  m_layout.left(m_fromUnitBox) + m_layout.width(m_fromUnitBox) - m_layout.width(m_fromCaption), 1355);
    m_layout.setTop(m_toCaption, 1355);
    m_layout.move(m_toUnitBox, 3260, 1595);
    m_layout.setLeft(m_toCaption, m_layout.left(m_toUnitBox) + m_layout.width(m_toUnitBox) - m_layout.width(m_toCaption));
    m_layout.move(m_convertButton,
                  (m_layout.width(m_fromUnitBox) + 240 + 5 + m_layout.width(m_toUnitBox)) / 2 - (m_layout.width(m_convertButton) + 200),
                  2075);
    m_layout.move(m_resetButton, m_layout.left(m_convertButton) + m_layout.width(m_convertButton) + 150, 2075);
    m_layout.move(m_resultBox, m_layout.width(m_resultCaption) + 120 + 50, 2675);
    m_layout.move(m_resultCaption, 120, 2655);
    m_layout.move(m_webLink, (m_layout.width(m_toUnitBox) + m_layout.width(m_fromUnitBox) + 245) / 2 - m_layout.width(m_webLink) / 2,
                  3000);
    m_layout.move(m_categoryCaption, m_layout.width(m_categoryList) + 120 + 50, 120);
    m_categoryCaption->setText(QStringLiteral("Select Converter Type from list on Left"));
    setWindowSizeTwips(m_layout.width(m_fromUnitBox) + m_layout.width(m_toUnitBox) + 245 + 120, 3800);
    m_layoutAction->setText(QStringLiteral("&Normal Window"));
    centreOnScreen();
}

void MainWindow::showNormalLayout()
{
    setWindowSizeTwips(kNormalWidth, kNormalHeight);
    m_bannerLink->show();
    m_banner->show();
    m_separator->show();
    m_layout.setTop(m_categoryList, 1800);
    m_layout.setHeight(m_categoryList, 3180);
    m_layout.move(m_numberBox, 6120, 1680);
    m_layout.setWidth(m_numberBox, 2415);
    m_layout.move(m_numberCaption, 3840, 1680);
    m_layout.move(m_placesCaption, 5040, 2040);
    m_layout.move(m_placesBox, 7200, 2160);
    m_layout.move(m_fromUnitBox, 2880, 2760);
    m_layout.move(m_fromCaption, 2880, 2520);
    m_layout.setTop(m_toCaption, 2520);
    m_layout.move(m_toUnitBox, 6120, 2760);
    m_layout.setLeft(m_toCaption, 6120);
    m_layout.move(m_convertButton, 4800, 3240);
    m_layout.move(m_resetButton, 6120, 3240);
    m_layout.move(m_resultBox, 3600, 3840);
    m_layout.move(m_resultCaption, 2760, 3840);
    m_layout.move(m_webLink, 5040, 4320);
    m_layout.move(m_categoryCaption, 120, 1560);
    m_categoryCaption->setText(QStringLiteral("Select Converter Type from List Below"));
    m_layoutAction->setText(QStringLiteral("&Compact Window"));
    centreOnScreen();
}

