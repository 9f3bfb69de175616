#include "gui/mainwindow/MainWindow.h"

#include "gui/mainwindow/CategoryList.h"
#include "gui/widgets/LinkLabel.h"
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

// Assumed border and caption of the window frame (8 and 31 pixels), for turning the designed
// outer size into the client size Qt fixes. They scale with the layout, so that the controls
// keep their margins at any scale.
constexpr double kFrameWidth = 120;
constexpr double kFrameHeight = 465;

// Designed window size (outer, twips).
constexpr double kNormalWidth = 9720;
constexpr double kNormalHeight = 5625;
// The client area's width in the normal layout: the banner and the separator span it.
constexpr double kNormalClientWidth = kNormalWidth - kFrameWidth;

// Designed widths that the compact layout's formulas read.
constexpr double kCategoryListWidth = 2535;
constexpr double kFromUnitWidth = 3135;
constexpr double kToUnitWidth = 3375;
constexpr double kConvertWidth = 1215;
constexpr double kResultCaptionWidth = 735;
constexpr double kWebLinkWidth = 2415;

// The margin between the controls and the window's edges, and between neighbouring controls.
constexpr double kMargin = 120;
// The right column of the normal layout starts where its widest control, the to-unit list,
// ends one margin before the window's right edge, as the category list starts one margin after
// the left edge.
constexpr double kRightColumn = kNormalClientWidth - kMargin - kToUnitWidth;

// The compact layout's unit lists share its width with a margin between them.
constexpr double kCompactWidth = kFromUnitWidth + kToUnitWidth + 245 + 120;
constexpr double kCompactListsRight = kCompactWidth - kFrameWidth - kMargin;
constexpr double kCompactFromUnitWidth = kFromUnitWidth - 60;
constexpr double kCompactToUnitLeft = kMargin + kCompactFromUnitWidth + kMargin;
constexpr double kCompactToUnitWidth = kCompactListsRight - kCompactToUnitLeft;
// The compact layout's captions to the right of the category list keep a margin from it.
constexpr double kCompactCaptionLeft = kMargin + kCategoryListWidth + kMargin;

const QString kListBelowCaption = QStringLiteral("&Select Converter Type from List Below");
const QString kListOnLeftCaption = QStringLiteral("&Select Converter Type from list on Left");

} // namespace

void MainWindow::placeControls()
{
    // The designed layout: the normal one, with the banner across the top.
    m_layout.place(m_bannerLink, 0, 0, 5640, 1305);
    m_layout.place(m_banner, 5520, 0, kNormalClientWidth - 5520, 1305);
    m_layout.place(m_separator, 0, 1320 - 15, kNormalClientWidth, 30);
    m_layout.place(m_categoryList, kMargin, 1800, kCategoryListWidth, 3180);
    m_layout.place(m_numberBox, kRightColumn, 1680, 2415, 285);
    m_layout.place(m_numberCaption, 3840, 1680, 2000, 285);
    m_layout.place(m_placesCaption, 5040, 2040, 2055, 435);
    m_layout.place(m_placesBox, 7200, 2160, 855, 315);
    m_layout.place(m_fromUnitBox, 2880, 2760, kFromUnitWidth, 315);
    m_layout.place(m_fromCaption, 2880, 2520, kFromUnitWidth, 240);
    m_layout.place(m_toUnitBox, kRightColumn, 2760, kToUnitWidth, 315);
    m_layout.place(m_toCaption, kRightColumn, 2520, kToUnitWidth, 240);
    m_layout.place(m_convertButton, 4800, 3240, kConvertWidth, 375);
    m_layout.place(m_resetButton, kRightColumn, 3240, 1215, 375);
    m_layout.place(m_resultBox, 3600, 3840, 5400, 285);
    m_layout.place(m_resultCaption, 2760, 3840, kResultCaptionWidth, 285);
    m_layout.place(m_webLink, 5040, 4320, kWebLinkWidth, 255);
    m_layout.place(m_categoryCaption, kMargin, 1560, 3600, 240);
    showCategoryCaption(kListBelowCaption);
    setWindowSizeTwips(kNormalWidth, kNormalHeight);
    showBannerPictures();
}

void MainWindow::setWindowSizeTwips(double width, double height)
{
    m_windowSizeTwips = QSizeF(width, height);
    setFixedSize(m_layout.toPixels(width - kFrameWidth), m_layout.toPixels(height - kFrameHeight));
}

void MainWindow::centreOnScreen()
{
    ::centreOnScreen(this, QSize(m_layout.toPixels(m_windowSizeTwips.width()),
                                 m_layout.toPixels(m_windowSizeTwips.height())));
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
    // The number's caption stands 60 right of the decimal places' one, as designed.
    m_layout.move(m_numberCaption, kCompactCaptionLeft + 60, 435);
    m_layout.move(m_placesCaption, m_layout.left(m_numberCaption) - 60, 875);
    m_layout.move(m_placesBox, m_layout.left(m_numberBox), 875);
    // The two unit lists, narrowed by a margin between them, and their captions above them.
    m_layout.move(m_fromUnitBox, kMargin, 1595);
    m_layout.setWidth(m_fromUnitBox, kCompactFromUnitWidth);
    m_layout.move(m_fromCaption, kMargin, 1355);
    m_layout.setWidth(m_fromCaption, kCompactFromUnitWidth);
    m_layout.move(m_toUnitBox, kCompactToUnitLeft, 1595);
    m_layout.setWidth(m_toUnitBox, kCompactToUnitWidth);
    m_layout.move(m_toCaption, kCompactToUnitLeft, 1355);
    m_layout.setWidth(m_toCaption, kCompactToUnitWidth);
    // The buttons and the link stay where the designed widths put them, centred under the lists.
    m_layout.move(m_convertButton, (kFromUnitWidth + 240 + 5 + kToUnitWidth) / 2 - (kConvertWidth + 200), 2075);
    m_layout.move(m_resetButton, m_layout.left(m_convertButton) + kConvertWidth + 150, 2075);
    m_layout.move(m_resultBox, kResultCaptionWidth + 120 + 50, 2675);
    m_layout.move(m_resultCaption, kMargin, 2655);
    m_layout.move(m_webLink, (kToUnitWidth + kFromUnitWidth + 245) / 2 - kWebLinkWidth / 2, 3000);
    m_layout.move(m_categoryCaption, kCompactCaptionLeft, 120);
    showCategoryCaption(kListOnLeftCaption);
    setWindowSizeTwips(kCompactWidth, 3800);
    m_layoutAction->setText(QStringLiteral("&Normal Window"));
    showChosenCategory();
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
    m_layout.move(m_numberBox, kRightColumn, 1680);
    m_layout.setWidth(m_numberBox, 2415);
    m_layout.move(m_numberCaption, 3840, 1680);
    m_layout.move(m_placesCaption, 5040, 2040);
    m_layout.move(m_placesBox, 7200, 2160);
    m_layout.move(m_fromUnitBox, 2880, 2760);
    m_layout.setWidth(m_fromUnitBox, kFromUnitWidth);
    m_layout.move(m_fromCaption, 2880, 2520);
    m_layout.setWidth(m_fromCaption, kFromUnitWidth);
    m_layout.move(m_toUnitBox, kRightColumn, 2760);
    m_layout.setWidth(m_toUnitBox, kToUnitWidth);
    m_layout.move(m_toCaption, kRightColumn, 2520);
    m_layout.setWidth(m_toCaption, kToUnitWidth);
    m_layout.move(m_convertButton, 4800, 3240);
    m_layout.move(m_resetButton, kRightColumn, 3240);
    m_layout.move(m_resultBox, 3600, 3840);
    m_layout.move(m_resultCaption, 2760, 3840);
    m_layout.move(m_webLink, 5040, 4320);
    m_layout.move(m_categoryCaption, kMargin, 1560);
    showCategoryCaption(kListBelowCaption);
    m_layoutAction->setText(QStringLiteral("&Compact Window"));
    showChosenCategory();
    centreOnScreen();
}

