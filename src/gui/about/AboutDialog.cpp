#include "gui/about/AboutDialog.h"

#include "core/about/SystemInformation.h"
#include "core/base/AppInfo.h"
#include "gui/widgets/NamedWidgets.h"
#include "resources/TallimerIcon.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *makeSelectableLabel(QWidget *parent, const QString &objectName)
{
    QLabel *label = makeLabel(parent, objectName);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QFrame *makeLine(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setAccessibleName(QStringLiteral("Separator"));
    return line;
}

// The first line large and bold, each line break a line break.
QString titleHtml(const QString &text)
{
    QStringList lines = text.split(QStringLiteral("\r\n"));
    for (QString &line : lines)
        line = line.toHtmlEscaped();
    lines.first() = QStringLiteral("<span style=\"font-size:large; font-weight:600\">%1</span>").arg(lines.first());
    return lines.join(QStringLiteral("<br>"));
}

} // namespace

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);

    m_icon = named(new QLabel(this), QStringLiteral("picIcon"), QStringLiteral("Tallimer icon"));
    m_icon->setPixmap(tallimerIcon().pixmap(QSize(48, 48), devicePixelRatio()));
    m_icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_title = makeSelectableLabel(this, QStringLiteral("lblTitle"));
    m_title->setTextFormat(Qt::RichText);
    m_version = makeSelectableLabel(this, QStringLiteral("lblVersion"));
    m_description = makeSelectableLabel(this, QStringLiteral("lblDescription"));
    m_copyingNotice = makeSelectableLabel(this, QStringLiteral("lblWarning"));
    m_copyingNotice->setWordWrap(true);
    m_copyingNotice->setMinimumWidth(380);
    QFont smallFont = m_copyingNotice->font();
    smallFont.setPointSizeF(smallFont.pointSizeF() * 0.9);
    m_copyingNotice->setFont(smallFont);

    m_separators = {makeLine(this), makeLine(this)};

    m_systemInfoButton = named(new QPushButton(QStringLiteral("&System Info..."), this), QStringLiteral("cmdSysInfo"),
                               QStringLiteral("System Info"));
    m_systemInfoButton->setAccessibleDescription(QStringLiteral("Starts the system information program"));
    m_okButton = makeCaptioned<QPushButton>(this, QStringLiteral("cmdOK"), QStringLiteral("&OK"));
    m_okButton->setDefault(true);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(6);
    texts->addWidget(m_title);
    texts->addWidget(m_version);
    texts->addWidget(m_description);
    texts->addStretch();
    auto *top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(m_icon);
    top->addLayout(texts, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_systemInfoButton);
    buttons->addWidget(m_okButton);
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(10);
    layout->addLayout(top);
    layout->addWidget(m_separators[0]);
    layout->addWidget(m_copyingNotice);
    layout->addWidget(m_separators[1]);
    layout->addLayout(buttons);

    connect(m_okButton, &QPushButton::clicked, this, &AboutDialog::accept);
    connect(m_systemInfoButton, &QPushButton::clicked, this, &AboutDialog::startSystemInformation);

    fillTexts();
    m_okButton->setFocus();
}

QString AboutDialog::ownershipNotice()
{
    return QStringLiteral("Copyright \u00A9 2026 The Tallimer developers");
}

QString AboutDialog::copyingNotice()
{
    return QStringLiteral("Warning: this program is protected by copyright law. Unauthorised copying "
                          "or distribution of it, or of any part of it, may be an offence.");
}

void AboutDialog::fillTexts()
{
    setWindowTitle(QStringLiteral("About ") + app::appTitle());
    m_version->setText(QStringLiteral("Version ") + app::versionText());
    m_title->setText(titleHtml(app::appTitle() + QStringLiteral("\r\n") + ownershipNotice()));
    m_description->setText(QStringLiteral("This application is used for converting between  ")
                            + QStringLiteral("unit types"));
    m_copyingNotice->setText(copyingNotice());
    m_title->setAccessibleName(app::appTitle() + QLatin1Char(' ') + ownershipNotice());
    for (QLabel *label : {m_version, m_description, m_copyingNotice})
        label->setAccessibleName(label->text());
}

void AboutDialog::startSystemInformation()
{
    about::startSystemInformation();
}
