#include "gui/options/frmOptions.h"

#include "gui/mainwindow/Form1.h"
#include "core/platform/MessageBox.h"
#include "resources/TallimerIcon.h"
#include "core/settings/ProgramRecords.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

const QColor kBackground(224, 224, 224);
constexpr int kIconPixels = 32;

QCheckBox *makeCheckBox(QWidget *parent, const QString &objectName, const QString &caption)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(objectName);
    box->setAccessibleName(caption);
    return box;
}

QPushButton *makeButton(QWidget *parent, const QString &objectName, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAccessibleName(caption);
    return button;
}

QGroupBox *makeFrame(QWidget *parent, const QString &objectName, const QString &caption)
{
    auto *frame = new QGroupBox(caption, parent);
    frame->setObjectName(objectName);
    frame->setAccessibleName(caption);
    return frame;
}

} // namespace

frmOptions::frmOptions(Form1 &mainWindow)
    : QDialog(&mainWindow)
    , m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setAccessibleName(windowTitle());
    setModal(true);
    setFont(mainWindow.font());
    QPalette background = palette();
    background.setColor(QPalette::Window, kBackground);
    setPalette(background);
    setAutoFillBackground(true);
    createControls();
    connect(ChbRLCU, &QCheckBox::toggled, this, &frmOptions::ChbRLCU_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    connect(cmdApply, &QPushButton::clicked, this, &frmOptions::cmdApply_Click);
    Form_Load();
}

frmOptions::~frmOptions() = default;

void frmOptions::createControls()
{
    frm1 = makeFrame(this, QStringLiteral("frm1"), QStringLiteral("History Settings"));
    ChbRLCU = makeCheckBox(frm1, QStringLiteral("ChbRLCU"), QStringLiteral("Remember last converter used"));
    ChbRLUU = makeCheckBox(frm1, QStringLiteral("ChbRLUU"), QStringLiteral("Remember last unit used"));
    ChbRLCV = makeCheckBox(frm1, QStringLiteral("ChbRLCV"), QStringLiteral("Remember last converted value"));
    chbAutoCon = makeCheckBox(frm1, QStringLiteral("chbAutoCon"), QStringLiteral("Auto Convert Last Used"));
    auto *historyLayout = new QVBoxLayout(frm1);
    for (QCheckBox *box : {ChbRLCU, ChbRLUU, ChbRLCV, chbAutoCon})
        historyLayout->addWidget(box);

    Frame1 = makeFrame(this, QStringLiteral("Frame1"), QStringLiteral("View Settings"));
    chbCompactForm = makeCheckBox(Frame1, QStringLiteral("chbCompactForm"), QStringLiteral("Compact Window on Start"));
    auto *viewLayout = new QVBoxLayout(Frame1);
    viewLayout->addWidget(chbCompactForm);

    imgIcon = new QLabel(this);
    imgIcon->setObjectName(QStringLiteral("imgIcon"));
    imgIcon->setAccessibleName(QStringLiteral("Tallimer icon"));
    imgIcon->setPixmap(tallimerIcon().pixmap(QSize(kIconPixels, kIconPixels), devicePixelRatio()));
    cmdOK = makeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"));
    cmdCancel = makeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));
    cmdApply = makeButton(this, QStringLiteral("cmdApply"), QStringLiteral("Apply"));
    // Enter presses OK wherever the focus is, except on another button, which Enter presses.
    cmdOK->setDefault(true);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addWidget(imgIcon);
    buttonRow->addStretch(1);
    for (QPushButton *button : {cmdOK, cmdCancel, cmdApply})
        buttonRow->addWidget(button);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frm1);
    layout->addWidget(Frame1);
    layout->addLayout(buttonRow);
    // A fixed-size dialog: nothing in it grows.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(ChbRLCU, ChbRLUU);
    setTabOrder(ChbRLUU, ChbRLCV);
    setTabOrder(ChbRLCV, chbAutoCon);
    setTabOrder(chbAutoCon, chbCompactForm);
    setTabOrder(chbCompactForm, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, cmdApply);
    ChbRLCU->setFocus();
}

QList<QCheckBox *> frmOptions::dependentBoxes() const
{
    return {ChbRLUU, ChbRLCV, chbAutoCon};
}

void frmOptions::showModal(Form1 &mainWindow)
{
    frmOptions dialog(mainWindow);
    dialog.exec();
}

void frmOptions::Form_Load()
{
    centreOnScreen();
    const COptions &options = gOptions();
    if (!options.RLUC()) {
        ChbRLCU->setChecked(false);
        for (QCheckBox *box : dependentBoxes()) {
            box->setEnabled(false);
            box->setChecked(false);
        }
    } else {
        ChbRLCU->setChecked(true); // runs ChbRLCU_Click, which enables the three
        ChbRLUU->setChecked(options.RLUU());
        ChbRLCV->setChecked(options.RLUV());
        chbAutoCon->setChecked(options.AutoCon());
    }
    chbCompactForm->setChecked(options.CompactForm());
}

void frmOptions::centreOnScreen()
{
    adjustSize();
    QScreen *screen = m_mainWindow.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    // A move before the first show also keeps Qt from placing the dialog over its parent.
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

void frmOptions::ChbRLCU_Click()
{
    const bool checked = ChbRLCU->isChecked();
    for (QCheckBox *box : dependentBoxes()) {
        box->setEnabled(checked);
        if (!checked)
            box->setChecked(false);
    }
}

void frmOptions::cmdApply_Click()
{
    COptions &options = gOptions();
    const auto ticked = [](const QCheckBox *box) { return box->checkState() != Qt::Unchecked; };
    options.setRLUC(ticked(ChbRLCU));
    options.setRLUU(ticked(ChbRLUU));
    options.setRLUV(ticked(ChbRLCV));
    options.setAutoCon(ticked(chbAutoCon));

    if (ticked(chbCompactForm)) {
        options.setCompactForm(true);
        if (m_mainWindow.showsNormalLayout()
            && platform::MsgBox(QStringLiteral("Show Compact Window now"), platform::Buttons::YesNo,
                                platform::Icon::Question) == platform::Answer::Yes)
            m_mainWindow.CompactForm();
    } else {
        options.setCompactForm(false);
        if (!m_mainWindow.showsNormalLayout()
            && platform::MsgBox(QStringLiteral("Show Full size Window now"), platform::Buttons::YesNo,
                                platform::Icon::Question) == platform::Answer::Yes)
            m_mainWindow.NormalForm();
    }
}

void frmOptions::cmdOK_Click()
{
    cmdApply_Click();
    accept();
}

void frmOptions::cmdCancel_Click()
{
    reject();
}
