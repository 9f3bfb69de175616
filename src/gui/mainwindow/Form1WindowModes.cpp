#include "gui/mainwindow/Form1.h"

#include "gui/widgets/Module1.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

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

void Form1::placeControls()
{
    // The designed layout: the normal one, with the banner across the top.
    m_layout.place(Image1, 0, 0, 5640, 1305);
    m_layout.place(Image3, 5520, 0, 4215, 1305);
    m_layout.place(Line1, 0, 1320 - 15, kNormalWidth, 30);
    m_layout.place(UnitType, 120, 1800, 2535, 3180);
    m_layout.place(ConvertNum, 6120, 1680, 2415, 285);
    m_layout.place(ConvertNumName, 3840, 1680, 2000, 285);
    m_layout.place(DecPlaceName, 5040, 2040, 2055, 435);
    m_layout.place(DecPlace, 7200, 2160, 855, 315);
    m_layout.place(FromUnit, 2880, 2760, 3135, 315);
    m_layout.place(ConvertFromName, 2880, 2520, 3135, 255);
    m_layout.place(ToUnit, 6120, 2760, 3375, 315);
    m_layout.place(ConvertToName, 6120, 2520, 3375, 255);
    m_layout.place(Convert, 4800, 3240, 1215, 375);
    m_layout.place(Reset, 6120, 3240, 1215, 375);
    m_layout.place(Result, 3600, 3840, 5400, 285);
    m_layout.place(ResultName, 2760, 3840, 735, 285);
    m_layout.place(Label2, 5040, 4320, 2415, 255);
    m_layout.place(Label1, 120, 1560, 3600, 255);
    setWindowSizeTwips(kNormalWidth, kNormalHeight);
}

void Form1::setWindowSizeTwips(double width, double height)
{
    m_windowSizeTwips = QSizeF(width, height);
    setFixedSize(TwipsLayout::toPixels(width) - kFrameWidthPixels, TwipsLayout::toPixels(height) - kFrameHeightPixels);
}

void Form1::centreOnScreen()
{
    const QScreen *display = screen();
    if (!display)
        return;
    const QRect area = display->geometry();
    const int width = TwipsLayout::toPixels(m_windowSizeTwips.width());
    const int height = TwipsLayout::toPixels(m_windowSizeTwips.height());
    move(area.left() + (area.width() - width) / 2, area.top() + (area.height() - height) / 2);
}

void Form1::mnuATop_Click()
{
    // The action has already toggled its own check mark.
    SetTopMost(this, mnuATop->isChecked());
    if (mnuATop->isChecked())
        update();
}

void Form1::changeEvent(QEvent *event)
{
    // Losing the focus applies the always-on-top state again, never changes it.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && !m_unloaded) {
        SetTopMost(this, mnuATop->isChecked());
        if (mnuATop->isChecked())
            update();
    }
    QWidget::changeEvent(event);
}

void Form1::mnuForm_Click()
{
    if (showsNormalLayout())
        CompactForm();
    else
        NormalForm();
}

void Form1::CompactForm()
{
    Image1->hide();
    Image3->hide();
    Line1->hide();
    m_layout.setTop(UnitType, 120);
    m_layout.setHeight(UnitType, 1200);
    m_layout.move(ConvertNum, 4835, 435);
    m_layout.setWidth(ConvertNum, 1800);
    m_layout.move(ConvertNumName, 2755, 435);
    m_layout.move(DecPlaceName, m_layout.left(ConvertNumName) - 60, 875);
    m_layout.move(DecPlace, m_layout.left(ConvertNum), 875);
    m_layout.move(FromUnit, 120, 1595);
    m_layout.move(ConvertFromName,
                  m_layout.left(FromUnit) + m_layout.width(FromUnit) - m_layout.width(ConvertFromName), 1355);
    m_layout.setTop(ConvertToName, 1355);
    m_layout.move(ToUnit, 3260, 1595);
    m_layout.setLeft(ConvertToName, m_layout.left(ToUnit) + m_layout.width(ToUnit) - m_layout.width(ConvertToName));
    m_layout.move(Convert,
                  (m_layout.width(FromUnit) + 240 + 5 + m_layout.width(ToUnit)) / 2 - (m_layout.width(Convert) + 200),
                  2075);
    m_layout.move(Reset, m_layout.left(Convert) + m_layout.width(Convert) + 150, 2075);
    m_layout.move(Result, m_layout.width(ResultName) + 120 + 50, 2675);
    m_layout.move(ResultName, 120, 2655);
    m_layout.move(Label2, (m_layout.width(ToUnit) + m_layout.width(FromUnit) + 245) / 2 - m_layout.width(Label2) / 2,
                  3000);
    m_layout.move(Label1, m_layout.width(UnitType) + 120 + 50, 120);
    Label1->setText(QStringLiteral("Select Converter Type from list on Left"));
    setWindowSizeTwips(m_layout.width(FromUnit) + m_layout.width(ToUnit) + 245 + 120, 3800);
    mnuForm->setText(QStringLiteral("&Normal Window"));
    centreOnScreen();
}

void Form1::NormalForm()
{
    setWindowSizeTwips(kNormalWidth, kNormalHeight);
    Image1->show();
    Image3->show();
    Line1->show();
    m_layout.setTop(UnitType, 1800);
    m_layout.setHeight(UnitType, 3180);
    m_layout.move(ConvertNum, 6120, 1680);
    m_layout.setWidth(ConvertNum, 2415);
    m_layout.move(ConvertNumName, 3840, 1680);
    m_layout.move(DecPlaceName, 5040, 2040);
    m_layout.move(DecPlace, 7200, 2160);
    m_layout.move(FromUnit, 2880, 2760);
    m_layout.move(ConvertFromName, 2880, 2520);
    m_layout.setTop(ConvertToName, 2520);
    m_layout.move(ToUnit, 6120, 2760);
    m_layout.setLeft(ConvertToName, 6120);
    m_layout.move(Convert, 4800, 3240);
    m_layout.move(Reset, 6120, 3240);
    m_layout.move(Result, 3600, 3840);
    m_layout.move(ResultName, 2760, 3840);
    m_layout.move(Label2, 5040, 4320);
    m_layout.move(Label1, 120, 1560);
    Label1->setText(QStringLiteral("Select Converter Type from List Below"));
    mnuForm->setText(QStringLiteral("&Compact Window"));
    centreOnScreen();
}

