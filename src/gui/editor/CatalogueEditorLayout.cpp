// The editor's controls, their layout, tab order and connections.
#include "gui/editor/CatalogueEditor.h"

#include "gui/editor/EditorTexts.h"
#include "gui/widgets/ComboKeyPressFilter.h"
#include "gui/widgets/KeyCodes.h"
#include "gui/widgets/NamedWidgets.h"
#include "gui/widgets/ReadableColours.h"

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

QPushButton *makeEditorButton(QWidget *parent, const QString &objectName, const QString &caption)
{
    auto *button = makeCaptioned<QPushButton>(parent, objectName, caption);
    // No default button: Enter in the boxes moves along the rows and must never press OK.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

// A box the user reads but does not edit: grey like the window behind it, and its text coloured
// like the window's.
void makeGreyReadOnly(QWidget *box)
{
    QPalette palette = box->palette();
    colours::colourLikeWindow(palette);
    box->setPalette(palette);
}

} // namespace

void CatalogueEditor::createControls()
{
    m_categoryFrame = named(new QGroupBox(QStringLiteral("Category"), this), QStringLiteral("Frame1"), QStringLiteral("Category"));
    m_categoryBox = named(new QComboBox(m_categoryFrame), QStringLiteral("UnitSelect"), QStringLiteral("Category"));
    m_categoryBox->setEditable(true);
    m_categoryBox->setInsertPolicy(QComboBox::NoInsert);
    m_categoryBox->setCompleter(nullptr); // completion is the type-ahead routine's job
    m_categoryBox->setMaxVisibleItems(16);
    m_categoryBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_categoryBox->setMinimumContentsLength(24);
    m_addCategoryButton = makeEditorButton(m_categoryFrame, QStringLiteral("AddCategory"), QStringLiteral("&Add new Category"));
    m_deleteCategoryButton = makeEditorButton(m_categoryFrame, QStringLiteral("deleteCategory"), QStringLiteral("&Delete Category"));
    m_restoreButton = makeEditorButton(this, QStringLiteral("ReDefault"), QStringLiteral("&Restore Defaults"));

    m_unitFrame = named(new QGroupBox(QStringLiteral("Units"), this), QStringLiteral("Frame2"), QStringLiteral("Units"));
    m_nameCaption = makeLabel(m_unitFrame, QStringLiteral("Label2"), QStringLiteral("Unit &Name"));
    m_factorCaption = makeLabel(m_unitFrame, QStringLiteral("Label3"), QStringLiteral("Convertion &Factor"));

    m_rowCaptions[0] = makeLabel(m_unitFrame, QStringLiteral("UnitNum0"), QStringLiteral("&Base:"));
    m_baseNameBox = named(new QLineEdit(editor::kNoBaseUnit, m_unitFrame), QStringLiteral("txtBaseUnit"),
                        QStringLiteral("Base unit name"));
    m_baseFactorBox = named(new QLineEdit(m_unitFrame), QStringLiteral("txtBaseFactor"), QStringLiteral("Base unit factor"));
    for (QLineEdit *box : {m_baseNameBox, m_baseFactorBox}) {
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::ClickFocus); // not a tab stop
        makeGreyReadOnly(box);
    }
    m_rowCaptions[0]->setBuddy(m_baseNameBox);

    for (int row = 0; row < 5; ++row) {
        // Captioned by updateRowLabels, which numbers the rows as they are paged.
        m_rowCaptions[row + 1] = makeLabel(m_unitFrame, QStringLiteral("UnitNum%1").arg(row + 1));
        m_nameBoxes[row] = named(new QLineEdit(m_unitFrame), QStringLiteral("txtUnitName%1").arg(row), QString());
        m_factorBoxes[row] = named(new QLineEdit(m_unitFrame), QStringLiteral("txtUnitFactor%1").arg(row), QString());
        m_nameBoxes[row]->setMinimumWidth(240);
        m_factorBoxes[row]->setMinimumWidth(160);
        // The factor filter judges typed keys only; an input method would go around it.
        m_factorBoxes[row]->setAttribute(Qt::WA_InputMethodEnabled, false);
        m_rowCaptions[row + 1]->setBuddy(m_nameBoxes[row]);
    }
    m_nameCaption->setBuddy(m_nameBoxes[0]);
    m_factorCaption->setBuddy(m_factorBoxes[0]);

    m_pager = named(new QScrollBar(Qt::Vertical, m_unitFrame), QStringLiteral("VScroll1"), QStringLiteral("Page through the units"));
    m_pager->setRange(0, 0);
    m_pager->setSingleStep(1);
    m_pager->setPageStep(5);
    // Clicking or wheeling the scroll bar takes the focus first, so that the row being edited
    // commits before the rows are paged.
    m_pager->setFocusPolicy(Qt::WheelFocus);
    updateRowLabels();
    m_addUnitButton = makeEditorButton(m_unitFrame, QStringLiteral("AddUnit"), QStringLiteral("Add additional &unit to category"));

    m_helpBox = named(new QPlainTextEdit(this), QStringLiteral("lblexplain"), QStringLiteral("Help"));
    m_helpBox->setReadOnly(true);
    m_helpBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_helpBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_helpBox->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    makeGreyReadOnly(m_helpBox);

    m_okButton = makeEditorButton(this, QStringLiteral("OKButton"), QStringLiteral("&OK"));
    m_cancelButton = makeEditorButton(this, QStringLiteral("CancelButton"), QStringLiteral("&Cancel"));

    m_icon = named(new QLabel(this), QStringLiteral("Image1"), QString());
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull())
        m_icon->setPixmap(icon.pixmap(32, 32));
}

void CatalogueEditor::layOutControls()
{
    auto *categoryLayout = new QHBoxLayout(m_categoryFrame);
    categoryLayout->addWidget(m_categoryBox, 1);
    categoryLayout->addWidget(m_addCategoryButton);
    categoryLayout->addWidget(m_deleteCategoryButton);

    auto *unitLayout = new QGridLayout(m_unitFrame);
    unitLayout->setHorizontalSpacing(8);
    unitLayout->addWidget(m_nameCaption, 0, 1);
    unitLayout->addWidget(m_factorCaption, 0, 2);
    unitLayout->addWidget(m_rowCaptions[0], 1, 0);
    unitLayout->addWidget(m_baseNameBox, 1, 1);
    unitLayout->addWidget(m_baseFactorBox, 1, 2);
    unitLayout->setRowMinimumHeight(2, 6); // a little air between the base row and the rows
    for (int row = 0; row < 5; ++row) {
        unitLayout->addWidget(m_rowCaptions[row + 1], row + 3, 0);
        unitLayout->addWidget(m_nameBoxes[row], row + 3, 1);
        unitLayout->addWidget(m_factorBoxes[row], row + 3, 2);
    }
    unitLayout->addWidget(m_pager, 3, 3, 5, 1);
    // Wide enough for the highest row number, so that paging never resizes the window.
    unitLayout->setColumnMinimumWidth(0, m_rowCaptions[1]->fontMetrics().horizontalAdvance(QStringLiteral("Unit 32767:")));
    unitLayout->addWidget(m_addUnitButton, 8, 1, 1, 2, Qt::AlignLeft);
    unitLayout->setColumnStretch(1, 3);
    unitLayout->setColumnStretch(2, 2);

    auto *buttonLayout = new QHBoxLayout;
    buttonLayout->addWidget(m_icon);
    buttonLayout->addWidget(m_restoreButton);
    buttonLayout->addStretch(1);
    buttonLayout->addWidget(m_okButton);
    buttonLayout->addWidget(m_cancelButton);

    const int lineHeight = m_helpBox->fontMetrics().lineSpacing();
    m_helpBox->setFixedHeight(lineHeight * 6 + 12);

    auto *windowLayout = new QVBoxLayout(this);
    windowLayout->addWidget(m_categoryFrame);
    windowLayout->addWidget(m_unitFrame);
    windowLayout->addWidget(m_helpBox);
    windowLayout->addLayout(buttonLayout);
    windowLayout->setSizeConstraint(QLayout::SetFixedSize);

    // Tab order: the category, then the rows one by one (name, then factor), then the rest.
    QList<QWidget *> order = {m_categoryBox, m_addCategoryButton, m_deleteCategoryButton};
    for (int row = 0; row < 5; ++row)
        order << m_nameBoxes[row] << m_factorBoxes[row];
    order << m_pager << m_addUnitButton << m_helpBox << m_restoreButton << m_okButton << m_cancelButton;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void CatalogueEditor::connectHandlers()
{
    connect(m_categoryBox, &QComboBox::activated, this, &CatalogueEditor::chooseCategory);
    new ComboKeyPressFilter(m_categoryBox, [this](qint16 key) {
        const qint16 code = categoryKeyPress(key);
        if (code != keyCodes::kEnter)
            return code;
        // Enter has chosen the category already; the combo would choose it a second time.
        m_categoryBox->hidePopup();
        return qint16(0);
    });
    // Enter in the open list is Enter in the field: the typed name, not the highlighted item.
    m_categoryBox->view()->installEventFilter(this);
    connect(m_pager, &QScrollBar::valueChanged, this, &CatalogueEditor::showPage);
    connect(m_addUnitButton, &QPushButton::clicked, this, &CatalogueEditor::addUnit);
    connect(m_okButton, &QPushButton::clicked, this, &CatalogueEditor::saveAndClose);
    connect(m_cancelButton, &QPushButton::clicked, this, &CatalogueEditor::cancel);
    connect(m_addCategoryButton, &QPushButton::clicked, this, &CatalogueEditor::addCategory);
    connect(m_deleteCategoryButton, &QPushButton::clicked, this, &CatalogueEditor::deleteCategory);
    connect(m_restoreButton, &QPushButton::clicked, this, &CatalogueEditor::restoreDefaults);
    for (int row = 0; row < 5; ++row) {
        m_nameBoxes[row]->installEventFilter(this);
        m_factorBoxes[row]->installEventFilter(this);
    }
    m_baseNameBox->installEventFilter(this);
}
