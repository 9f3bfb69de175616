// The editor's controls, their layout, tab order and connections.
#include "gui/editor/frmAddUnit.h"

#include "gui/widgets/ClassicKeys.h"
#include "gui/editor/EditorTexts.h"
#include "gui/widgets/ComboKeyPressFilter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

template <typename Widget>
Widget *named(Widget *widget, const QString &objectName, const QString &accessibleName)
{
    widget->setObjectName(objectName);
    widget->setAccessibleName(accessibleName);
    return widget;
}

QLabel *makeLabel(QWidget *parent, const QString &objectName, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton *makeButton(QWidget *parent, const QString &objectName, const QString &caption)
{
    auto *button = named(new QPushButton(caption, parent), objectName, caption);
    // No default button: Enter in the boxes moves along the rows and must never press OK.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

// A box the user reads but does not edit: grey like the window behind it.
void makeGreyReadOnly(QWidget *box)
{
    QPalette palette = box->palette();
    palette.setBrush(QPalette::Base, palette.brush(QPalette::Window));
    box->setPalette(palette);
}

} // namespace

void frmAddUnit::createControls()
{
    Frame1 = named(new QGroupBox(QStringLiteral("Category"), this), QStringLiteral("Frame1"), QStringLiteral("Category"));
    UnitSelect = named(new QComboBox(Frame1), QStringLiteral("UnitSelect"), QStringLiteral("Category"));
    UnitSelect->setEditable(true);
    UnitSelect->setInsertPolicy(QComboBox::NoInsert);
    UnitSelect->setCompleter(nullptr); // completion is the type-ahead routine's job
    UnitSelect->setMaxVisibleItems(16);
    UnitSelect->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    UnitSelect->setMinimumContentsLength(24);
    AddCategory = makeButton(Frame1, QStringLiteral("AddCategory"), QStringLiteral("Add new Category"));
    deleteCategory = makeButton(Frame1, QStringLiteral("deleteCategory"), QStringLiteral("Delete Category"));
    ReDefault = makeButton(this, QStringLiteral("ReDefault"), QStringLiteral("Restore Defaults"));

    Frame2 = named(new QGroupBox(QStringLiteral("Units"), this), QStringLiteral("Frame2"), QStringLiteral("Units"));
    Label2 = makeLabel(Frame2, QStringLiteral("Label2"), QStringLiteral("Unit Name"));
    Label3 = makeLabel(Frame2, QStringLiteral("Label3"), QStringLiteral("Convertion Factor"));

    UnitNum[0] = makeLabel(Frame2, QStringLiteral("UnitNum0"), QStringLiteral("Base:"));
    txtBaseUnit = named(new QLineEdit(editor::kNoBaseUnit, Frame2), QStringLiteral("txtBaseUnit"),
                        QStringLiteral("Base unit name"));
    txtBaseFactor = named(new QLineEdit(Frame2), QStringLiteral("txtBaseFactor"), QStringLiteral("Base unit factor"));
    for (QLineEdit *box : {txtBaseUnit, txtBaseFactor}) {
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::ClickFocus); // not a tab stop
        makeGreyReadOnly(box);
    }
    UnitNum[0]->setBuddy(txtBaseUnit);

    for (int row = 0; row < 5; ++row) {
        UnitNum[row + 1] = makeLabel(Frame2, QStringLiteral("UnitNum%1").arg(row + 1),
                                     QStringLiteral("Unit %1:").arg(row + 1));
        txtUnitName[row] = named(new QLineEdit(Frame2), QStringLiteral("txtUnitName%1").arg(row), QString());
        txtUnitFactor[row] = named(new QLineEdit(Frame2), QStringLiteral("txtUnitFactor%1").arg(row), QString());
        txtUnitName[row]->setMinimumWidth(240);
        txtUnitFactor[row]->setMinimumWidth(160);
        // The factor filter judges typed keys only; an input method would go around it.
        txtUnitFactor[row]->setAttribute(Qt::WA_InputMethodEnabled, false);
        UnitNum[row + 1]->setBuddy(txtUnitName[row]);
    }
    Label2->setBuddy(txtUnitName[0]);
    Label3->setBuddy(txtUnitFactor[0]);

    VScroll1 = named(new QScrollBar(Qt::Vertical, Frame2), QStringLiteral("VScroll1"), QStringLiteral("Page through the units"));
    VScroll1->setRange(0, 0);
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(5);
    // Clicking or wheeling the scroll bar takes the focus first, so that the row being edited
    // commits before the rows are paged.
    VScroll1->setFocusPolicy(Qt::WheelFocus);
    updateRowLabels();
    AddUnit = makeButton(Frame2, QStringLiteral("AddUnit"), QStringLiteral("Add additional unit to category"));

    lblexplain = named(new QPlainTextEdit(this), QStringLiteral("lblexplain"), QStringLiteral("Help"));
    lblexplain->setReadOnly(true);
    lblexplain->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lblexplain->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lblexplain->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    makeGreyReadOnly(lblexplain);

    OKButton = makeButton(this, QStringLiteral("OKButton"), QStringLiteral("OK"));
    CancelButton = makeButton(this, QStringLiteral("CancelButton"), QStringLiteral("Cancel"));

    Image1 = named(new QLabel(this), QStringLiteral("Image1"), QString());
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull())
        Image1->setPixmap(icon.pixmap(32, 32));
}

void frmAddUnit::layOutControls()
{
    auto *categoryLayout = new QHBoxLayout(Frame1);
    categoryLayout->addWidget(UnitSelect, 1);
    categoryLayout->addWidget(AddCategory);
    categoryLayout->addWidget(deleteCategory);

    auto *unitLayout = new QGridLayout(Frame2);
    unitLayout->setHorizontalSpacing(8);
    unitLayout->addWidget(Label2, 0, 1);
    unitLayout->addWidget(Label3, 0, 2);
    unitLayout->addWidget(UnitNum[0], 1, 0);
    unitLayout->addWidget(txtBaseUnit, 1, 1);
    unitLayout->addWidget(txtBaseFactor, 1, 2);
    unitLayout->setRowMinimumHeight(2, 6); // a little air between the base row and the rows
    for (int row = 0; row < 5; ++row) {
        unitLayout->addWidget(UnitNum[row + 1], row + 3, 0);
        unitLayout->addWidget(txtUnitName[row], row + 3, 1);
        unitLayout->addWidget(txtUnitFactor[row], row + 3, 2);
    }
    unitLayout->addWidget(VScroll1, 3, 3, 5, 1);
    // Wide enough for the highest row number, so that paging never resizes the window.
    unitLayout->setColumnMinimumWidth(0, UnitNum[1]->fontMetrics().horizontalAdvance(QStringLiteral("Unit 32767:")));
    unitLayout->addWidget(AddUnit, 8, 1, 1, 2, Qt::AlignLeft);
    unitLayout->setColumnStretch(1, 3);
    unitLayout->setColumnStretch(2, 2);

    auto *buttonLayout = new QHBoxLayout;
    buttonLayout->addWidget(Image1);
    buttonLayout->addWidget(ReDefault);
    buttonLayout->addStretch(1);
    buttonLayout->addWidget(OKButton);
    buttonLayout->addWidget(CancelButton);

    const int lineHeight = lblexplain->fontMetrics().lineSpacing();
    lblexplain->setFixedHeight(lineHeight * 6 + 12);

    auto *windowLayout = new QVBoxLayout(this);
    windowLayout->addWidget(Frame1);
    windowLayout->addWidget(Frame2);
    windowLayout->addWidget(lblexplain);
    windowLayout->addLayout(buttonLayout);
    windowLayout->setSizeConstraint(QLayout::SetFixedSize);

    // Tab order: the category, then the rows one by one (name, then factor), then the rest.
    QList<QWidget *> order = {UnitSelect, AddCategory, deleteCategory};
    for (int row = 0; row < 5; ++row)
        order << txtUnitName[row] << txtUnitFactor[row];
    order << VScroll1 << AddUnit << lblexplain << ReDefault << OKButton << CancelButton;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void frmAddUnit::connectHandlers()
{
    connect(UnitSelect, &QComboBox::activated, this, &frmAddUnit::UnitSelect_Click);
    new ComboKeyPressFilter(UnitSelect, [this](qint16 key) {
        const qint16 code = UnitSelect_KeyPress(key);
        if (code != classicKeys::kEnter)
            return code;
        // Enter has chosen the category already; the combo would choose it a second time.
        UnitSelect->hidePopup();
        return qint16(0);
    });
    // Enter in the open list is Enter in the field: the typed name, not the highlighted item.
    UnitSelect->view()->installEventFilter(this);
    connect(VScroll1, &QScrollBar::valueChanged, this, &frmAddUnit::VScroll1_Change);
    connect(AddUnit, &QPushButton::clicked, this, &frmAddUnit::AddUnit_Click);
    connect(OKButton, &QPushButton::clicked, this, &frmAddUnit::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmAddUnit::CancelButton_Click);
    connect(AddCategory, &QPushButton::clicked, this, &frmAddUnit::AddCategory_Click);
    connect(deleteCategory, &QPushButton::clicked, this, &frmAddUnit::deleteCategory_Click);
    connect(ReDefault, &QPushButton::clicked, this, &frmAddUnit::ReDefault_Click);
    for (int row = 0; row < 5; ++row) {
        txtUnitName[row]->installEventFilter(this);
        txtUnitFactor[row]->installEventFilter(this);
    }
    txtBaseUnit->installEventFilter(this);
}
