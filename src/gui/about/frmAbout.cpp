#include "gui/about/frmAbout.h"

#include "core/about/SystemInformation.h"
#include "core/base/AppInfo.h"
#include "resources/TallimerIcon.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *makeLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
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

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(tallimerIcon().pixmap(QSize(48, 48), devicePixelRatio()));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    picIcon->setAccessibleName(QStringLiteral("Tallimer icon"));

    lblTitle = makeLabel(this, "lblTitle");
    lblTitle->setTextFormat(Qt::RichText);
    lblVersion = makeLabel(this, "lblVersion");
    lblDescription = makeLabel(this, "lblDescription");
    lblWarning = makeLabel(this, "lblWarning");
    lblWarning->setWordWrap(true);
    lblWarning->setMinimumWidth(380);
    QFont smallFont = lblWarning->font();
    smallFont.setPointSizeF(smallFont.pointSizeF() * 0.9);
    lblWarning->setFont(smallFont);

    Line1 = {makeLine(this), makeLine(this)};

    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setAccessibleName(QStringLiteral("System Info"));
    cmdSysInfo->setAccessibleDescription(QStringLiteral("Starts the system information program"));
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setAccessibleName(QStringLiteral("OK"));
    cmdOK->setDefault(true);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(6);
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addWidget(lblDescription);
    texts->addStretch();
    auto *top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(picIcon);
    top->addLayout(texts, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSysInfo);
    buttons->addWidget(cmdOK);
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(10);
    layout->addLayout(top);
    layout->addWidget(Line1[0]);
    layout->addWidget(lblWarning);
    layout->addWidget(Line1[1]);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    Form_Load();
    cmdOK->setFocus();
}

QString frmAbout::ownershipNotice()
{
    return QStringLiteral("Copyright \u00A9 2026 The Tallimer developers");
}

QString frmAbout::copyingNotice()
{
    return QStringLiteral("Warning: this program is protected by copyright law. Unauthorised copying "
                          "or distribution of it, or of any part of it, may be an offence.");
}

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("About ") + app::appTitle());
    lblVersion->setText(QStringLiteral("Version ") + app::versionText());
    lblTitle->setText(titleHtml(app::appTitle() + QStringLiteral("\r\n") + ownershipNotice()));
    lblDescription->setText(QStringLiteral("This application is used for converting between  ")
                            + QStringLiteral("unit types"));
    lblWarning->setText(copyingNotice());
    lblTitle->setAccessibleName(app::appTitle() + QLatin1Char(' ') + ownershipNotice());
    for (QLabel *label : {lblVersion, lblDescription, lblWarning})
        label->setAccessibleName(label->text());
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::cmdSysInfo_Click()
{
    about::StartSysInfo();
}
