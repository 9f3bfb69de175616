#include "gui/options/OptionsDialog.h"

#include "core/platform/MessageBox.h"
#include "core/settings/ProgramRecords.h"
#include "gui/widgets/LayoutSwitch.h"
#include "gui/widgets/NamedWidgets.h"
#include "gui/widgets/ReadableColours.h"
#include "gui/widgets/WindowPlacement.h"
#include "resources/TallimerIcon.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QColor kBackground(224, 224, 224);
constexpr int kIconPixels = 32;

} // namespace

OptionsDialog::OptionsDialog(QWidget *parent, LayoutSwitch &layout)
    : QDialog(parent)
    , m_layout(layout)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setAccessibleName(windowTitle());
    setModal(true);
    if (parent)
        setFont(parent->font());
    // The light grey background with text, boxes and buttons to match, readable in any theme.
    setPalette(colours::paletteOn(kBackground, palette()));
    setAutoFillBackground(true);
    createControls();
    connect(m_rememberCategoryBox, &QCheckBox::toggled, this, &OptionsDialog::updateDependentBoxes);
    connect(m_okButton, &QPushButton::clicked, this, &OptionsDialog::applyAndClose);
    connect(m_cancelButton, &QPushButton::clicked, this, &OptionsDialog::reject);
    connect(m_applyButton, &QPushButton::clicked, this, &OptionsDialog::apply);
    load();
}

OptionsDialog::~OptionsDialog() = default;

void OptionsDialog::createControls()
{
    m_historyFrame = makeCaptioned<QGroupBox>(this, QStringLiteral("frm1"), QStringLiteral("History Settings"));
    m_rememberCategoryBox = makeCaptioned<QCheckBox>(m_historyFrame, QStringLiteral("ChbRLCU"), QStringLiteral("&Remember last converter used"));
    m_rememberUnitsBox = makeCaptioned<QCheckBox>(m_historyFrame, QStringLiteral("ChbRLUU"), QStringLiteral("Remember last &unit used"));
    m_rememberValueBox = makeCaptioned<QCheckBox>(m_historyFrame, QStringLiteral("ChbRLCV"), QStringLiteral("Remember last converted &value"));
    m_autoConvertBox = makeCaptioned<QCheckBox>(m_historyFrame, QStringLiteral("chbAutoCon"), QStringLiteral("&Auto Convert Last Used"));
    auto *historyLayout = new QVBoxLayout(m_historyFrame);
    for (QCheckBox *box : {m_rememberCategoryBox, m_rememberUnitsBox, m_rememberValueBox, m_autoConvertBox})
        historyLayout->addWidget(box);

    m_viewFrame = makeCaptioned<QGroupBox>(this, QStringLiteral("Frame1"), QStringLiteral("View Settings"));
    m_startCompactBox = makeCaptioned<QCheckBox>(m_viewFrame, QStringLiteral("chbCompactForm"), QStringLiteral("Compact &Window on Start"));
    auto *viewLayout = new QVBoxLayout(m_viewFrame);
    viewLayout->addWidget(m_startCompactBox);

    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("imgIcon"));
    m_icon->setAccessibleName(QStringLiteral("Tallimer icon"));
    m_icon->setPixmap(tallimerIcon().pixmap(QSize(kIconPixels, kIconPixels), devicePixelRatio()));
    m_okButton = makeCaptioned<QPushButton>(this, QStringLiteral("cmdOK"), QStringLiteral("&OK"));
    m_cancelButton = makeCaptioned<QPushButton>(this, QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"));
    m_applyButton = makeCaptioned<QPushButton>(this, QStringLiteral("cmdApply"), QStringLiteral("A&pply"));
    // Enter presses OK wherever the focus is, except on another button, which Enter presses.
    m_okButton->setDefault(true);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addWidget(m_icon);
    buttonRow->addStretch(1);
    for (QPushButton *button : {m_okButton, m_cancelButton, m_applyButton})
        buttonRow->addWidget(button);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_historyFrame);
    layout->addWidget(m_viewFrame);
    layout->addLayout(buttonRow);
    // A fixed-size dialog: nothing in it grows.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_rememberCategoryBox, m_rememberUnitsBox);
    setTabOrder(m_rememberUnitsBox, m_rememberValueBox);
    setTabOrder(m_rememberValueBox, m_autoConvertBox);
    setTabOrder(m_autoConvertBox, m_startCompactBox);
    setTabOrder(m_startCompactBox, m_okButton);
    setTabOrder(m_okButton, m_cancelButton);
    setTabOrder(m_cancelButton, m_applyButton);
    m_rememberCategoryBox->setFocus();
}

QList<QCheckBox *> OptionsDialog::dependentBoxes() const
{
    return {m_rememberUnitsBox, m_rememberValueBox, m_autoConvertBox};
}

void OptionsDialog::showModal(QWidget *parent, LayoutSwitch &layout)
{
    OptionsDialog dialog(parent, layout);
    dialog.exec();
}

void OptionsDialog::load()
{
    adjustSize();
    centreOnScreen(this, size());
    const Options &options = programOptions();
    if (!options.rememberCategory()) {
        m_rememberCategoryBox->setChecked(false);
        for (QCheckBox *box : dependentBoxes()) {
            box->setEnabled(false);
            box->setChecked(false);
        }
    } else {
        m_rememberCategoryBox->setChecked(true); // runs updateDependentBoxes, which enables the three
        m_rememberUnitsBox->setChecked(options.rememberUnits());
        m_rememberValueBox->setChecked(options.rememberValue());
        m_autoConvertBox->setChecked(options.autoConvert());
    }
    m_startCompactBox->setChecked(options.startCompact());
}

void OptionsDialog::updateDependentBoxes()
{
    const bool checked = m_rememberCategoryBox->isChecked();
    for (QCheckBox *box : dependentBoxes()) {
        box->setEnabled(checked);
        if (!checked)
            box->setChecked(false);
    }
}

void OptionsDialog::apply()
{
    Options &options = programOptions();
    const auto ticked = [](const QCheckBox *box) { return box->checkState() != Qt::Unchecked; };
    options.setRememberCategory(ticked(m_rememberCategoryBox));
    options.setRememberUnits(ticked(m_rememberUnitsBox));
    options.setRememberValue(ticked(m_rememberValueBox));
    options.setAutoConvert(ticked(m_autoConvertBox));

    if (ticked(m_startCompactBox)) {
        options.setStartCompact(true);
        if (!m_layout.isCompactLayout()
            && platform::MsgBox(QStringLiteral("Show Compact Window now"), platform::Buttons::YesNo,
                                platform::Icon::Question) == platform::Answer::Yes)
            m_layout.setCompactLayout(true);
    } else {
        options.setStartCompact(false);
        if (m_layout.isCompactLayout()
            && platform::MsgBox(QStringLiteral("Show Full size Window now"), platform::Buttons::YesNo,
                                platform::Icon::Question) == platform::Answer::Yes)
            m_layout.setCompactLayout(false);
    }
}

void OptionsDialog::applyAndClose()
{
    apply();
    accept();
}
