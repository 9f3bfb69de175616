#include "gui/mainwindow/Form1.h"

#include "core/base/AppInfo.h"
#include "core/base/Failure.h"
#include "core/about/ProductAddress.h"
#include "core/about/WebLink.h"
#include "core/base/ReportError.h"
#include "core/catalogue/CataloguePaths.h"
#include "gui/widgets/AutoCompleteComboBoxModule.h"
#include "gui/widgets/ComboKeyPressFilter.h"
#include "gui/widgets/ListLoading.h"
#include "gui/widgets/Module1.h"
#include "gui/mainwindow/UnitListModel.h"
#include "core/text/NumberText.h"
#include "core/platform/MessageBox.h"
#include "gui/platform/BusyPointer.h"
#include "resources/TallimerResources.h"
#include "core/settings/ProgramRecords.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

namespace {

QLabel *makeLabel(QWidget *parent, const QString &objectName, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    return label;
}

template <typename Widget>
Widget *named(Widget *widget, const QString &objectName, const QString &accessibleName, const QString &toolTip = {})
{
    widget->setObjectName(objectName);
    widget->setAccessibleName(accessibleName);
    if (!toolTip.isEmpty())
        widget->setToolTip(toolTip);
    return widget;
}

} // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(app::appTitle());
    // The system's own font at the small size the layout was designed for. (Naming families the
    // system may lack would cost a search through its fallbacks at every start.)
    QFont font = this->font();
    font.setPixelSize(11);
    setFont(font);
    createControls();
    createPopUpMenu();
    placeControls();
    connectHandlers();
    unitValueArray.assign(1, QString());
    FixWindowSize(this);
}

Form1::~Form1()
{
    // The controls are destroyed after this object: a unit list losing the focus then must not
    // reach a handler of a window that is gone.
    for (QWidget *control : findChildren<QWidget *>())
        control->blockSignals(true);
}

void Form1::createControls()
{
    initTallimerResources();
    Image1 = named(new QLabel(this), QStringLiteral("Image1"), QStringLiteral("Tallimer web page"),
                   product::linkPictureToolTip());
    Image3 = named(new QLabel(this), QStringLiteral("Image3"), QStringLiteral("Banner"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/banner-left.png")));
    Image3->setPixmap(QPixmap(QStringLiteral(":/banner-right.png")));
    Image1->setScaledContents(true);
    Image3->setScaledContents(true);
    Image1->setCursor(Qt::PointingHandCursor);
    // The left part of the banner lies over the right one, as designed.
    Image3->stackUnder(Image1);
    Line1 = named(new QFrame(this), QStringLiteral("Line1"), QStringLiteral("Separator"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);

    Label1 = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("Select Converter Type from List Below"));
    UnitType = named(new QListWidget(this), QStringLiteral("UnitType"), Label1->text());
    UnitType->setSelectionMode(QAbstractItemView::SingleSelection);
    Label1->setBuddy(UnitType);

    ConvertNumName = makeLabel(this, QStringLiteral("ConvertNumName"), QStringLiteral("Number To Convert ? "));
    ConvertNum = named(new QLineEdit(QStringLiteral("1"), this), QStringLiteral("ConvertNum"),
                       ConvertNumName->text().trimmed(), QStringLiteral("Enter number To Be Converted"));
    ConvertNumName->setBuddy(ConvertNum);

    DecPlaceName = makeLabel(this, QStringLiteral("DecPlaceName"),
                             QStringLiteral("Number Of Decimal Places ?  (Default five)   "));
    DecPlaceName->setWordWrap(true);
    DecPlace = named(new QComboBox(this), QStringLiteral("DecPlace"), QStringLiteral("Number Of Decimal Places"),
                     QStringLiteral("Select Number Of Decimal Places"));
    DecPlaceName->setBuddy(DecPlace);

    ConvertFromName = makeLabel(this, QStringLiteral("ConvertFromName"), QStringLiteral("Convert From"));
    FromUnit = named(new QComboBox(this), QStringLiteral("FromUnit"), ConvertFromName->text(),
                     QStringLiteral("Select Unit To Convert From "));
    ConvertFromName->setBuddy(FromUnit);
    ConvertToName = makeLabel(this, QStringLiteral("ConvertToName"), QStringLiteral("Convert To"));
    ToUnit = named(new QComboBox(this), QStringLiteral("ToUnit"), ConvertToName->text(),
                   QStringLiteral("Select Unit To Convert To"));
    ConvertToName->setBuddy(ToUnit);
    for (QComboBox *unitList : {FromUnit, ToUnit}) {
        unitList->setEditable(true);
        unitList->setInsertPolicy(QComboBox::NoInsert);
        unitList->setCompleter(nullptr); // completion is the type-ahead routine's job
        // Measuring every entry of a long category to size the box would cost seconds.
        unitList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        unitList->setMaxVisibleItems(20);
    }

    Convert = named(new QPushButton(QStringLiteral("Convert"), this), QStringLiteral("Convert"),
                    QStringLiteral("Convert"), QStringLiteral("Click to Convert"));
    Convert->setDefault(true);
    Reset = named(new QPushButton(QStringLiteral("Reset"), this), QStringLiteral("Reset"), QStringLiteral("Reset"),
                  QStringLiteral("Click To Reset Form"));

    ResultName = makeLabel(this, QStringLiteral("ResultName"), QStringLiteral("Result:"));
    Result = named(new QLineEdit(this), QStringLiteral("Result"), QStringLiteral("Result"),
                   QStringLiteral("Your Result Will Appear Here"));
    Result->setReadOnly(true);
    ResultName->setBuddy(Result);

    Label2 = named(makeLabel(this, QStringLiteral("Label2"), product::webHost()), QStringLiteral("Label2"),
                   product::webHost(), product::linkLabelToolTip());
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->setForegroundRole(QPalette::Link);
    Label2->setFocusPolicy(Qt::TabFocus); // the link is reached with Tab and opened with Enter or Space
    Label2->installEventFilter(this);
    Image1->installEventFilter(this);

    setTabOrder(UnitType, ConvertNum);
    setTabOrder(ConvertNum, DecPlace);
    setTabOrder(DecPlace, FromUnit);
    setTabOrder(FromUnit, ToUnit);
    setTabOrder(ToUnit, Convert);
    setTabOrder(Convert, Reset);
    setTabOrder(Reset, Result);
    setTabOrder(Result, Label2);

    new ComboKeyPressFilter(FromUnit, [this](qint16 key) { return FromUnit_KeyPress(key); });
    new ComboKeyPressFilter(ToUnit, [this](qint16 key) { return ToUnit_KeyPress(key); });

    for (QWidget *control : popUpMenuControls()) {
        control->installEventFilter(this);
        if (control == UnitType)
            UnitType->viewport()->installEventFilter(this);
    }
}

void Form1::createPopUpMenu()
{
    MenuPopUp = new QMenu(QStringLiteral("PopUp"), this);
    MenuPopUp->setObjectName(QStringLiteral("MenuPopUp"));
    const auto add = [this](const QString &objectName, const QString &caption) {
        QAction *action = MenuPopUp->addAction(caption);
        action->setObjectName(objectName);
        return action;
    };
    mnuOptions = add(QStringLiteral("mnuOptions"), QStringLiteral("&Options"));
    mnuInvert = add(QStringLiteral("mnuInvert"), QStringLiteral("&Invert Selections"));
    mnuInvert->setEnabled(false);
    mnuATop = add(QStringLiteral("mnuATop"), QStringLiteral("&Always on Top"));
    mnuATop->setCheckable(true);
    mnuForm = add(QStringLiteral("mnuForm"), QStringLiteral("&Compact Window"));
    mnuAddUnit = add(QStringLiteral("mnuAddUnit"), QStringLiteral("Add Custom &Unit"));
    mnuAbout = add(QStringLiteral("mnuAbout"), QStringLiteral("&About"));
    mnuBar = MenuPopUp->addSeparator();
    mnuBar->setObjectName(QStringLiteral("mnuBar"));
    mnuExit = add(QStringLiteral("mnuExit"), QStringLiteral("E&xit"));
}

void Form1::connectHandlers()
{
    // The selection, not the current row: a list taking the focus makes its first row current
    // without choosing it.
    connect(UnitType, &QListWidget::itemSelectionChanged, this, &Form1::UnitType_Click);
    connect(FromUnit, &QComboBox::currentIndexChanged, this, &Form1::FromUnit_Click);
    connect(ToUnit, &QComboBox::currentIndexChanged, this, &Form1::ToUnit_Click);
    connect(DecPlace, &QComboBox::currentIndexChanged, this, &Form1::DecPlace_Click);
    connect(Convert, &QPushButton::clicked, this, &Form1::Convert_Click);
    // Enter in the number box converts, as the default button does.
    connect(ConvertNum, &QLineEdit::returnPressed, this, &Form1::Convert_Click);
    connect(Reset, &QPushButton::clicked, this, &Form1::Reset_Click);
    connect(mnuOptions, &QAction::triggered, this, &Form1::mnuOptions_Click);
    connect(mnuInvert, &QAction::triggered, this, &Form1::mnuInvert_Click);
    connect(mnuATop, &QAction::triggered, this, &Form1::mnuATop_Click);
    connect(mnuForm, &QAction::triggered, this, &Form1::mnuForm_Click);
    connect(mnuAddUnit, &QAction::triggered, this, &Form1::mnuAddUnit_Click);
    connect(mnuAbout, &QAction::triggered, this, &Form1::mnuAbout_Click);
    connect(mnuExit, &QAction::triggered, this, &Form1::mnuExit_Click);
}

QList<QWidget *> Form1::popUpMenuControls() const
{
    return {UnitType,        Label1,        Label2,         Image1,       Image3,
            ConvertFromName, ConvertToName, ConvertNumName, DecPlaceName, ResultName};
}

QList<QWidget *> Form1::convertControls() const
{
    return {FromUnit, ConvertFromName, ToUnit, ConvertToName, DecPlace, DecPlaceName,
            ConvertNum, ConvertNumName, Convert, Reset, Result, ResultName};
}

// --- start-up and end ------------------------------------------------------------------------

bool Form1::Form_Load()
{
    try {
        gOptions().GetFromReg();
        gHistory().GetFromReg();
        if (loadComboFromFile(catalogue::indexFile(), UnitType, true, false)) {
            Form_Unload();
            return false;
        }
        {
            const QSignalBlocker blocker(DecPlace);
            DecPlace->clear();
            for (int places = 1; places <= 9; ++places)
                DecPlace->addItem(QString::number(places));
        }
        selectPosition(DecPlace, 4);
        mnuATop->setChecked(false);
        setWindowTitle(app::programBaseName() + QStringLiteral(" Version ") + app::versionText());

        const COptions &options = gOptions();
        if (options.RLUC()) {
            // Selecting the remembered category and units converts at once and records the
            // number converted: put the remembered value in place first, so that it is neither
            // recorded over nor shown beside a result of another number.
            const QString rememberedValue = conversion::generalForm(gHistory().LastConValue());
            if (options.RLUV())
                ConvertNum->setText(rememberedValue);
            selectPosition(UnitType, gHistory().LastConverter());
            UnitType_Click();
            if (options.RLUU()) {
                selectPosition(FromUnit, gHistory().LastFromUnit());
                selectPosition(ToUnit, gHistory().LastToUnit());
            }
            if (options.RLUV())
                ConvertNum->setText(rememberedValue);
            if (options.RLUU() && options.RLUV() && options.AutoCon())
                conversion::ConvertUnits(*this, unitValueArray, gOptions(), gHistory());
        } else {
            DisableConvertControls();
        }
        if (options.CompactForm())
            mnuForm_Click();
    } catch (const app::Failure &failure) {
        app::ReportError(QStringLiteral("Main Form Load"), failure);
    }
    return true;
}

void Form1::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    try {
        gOptions().SaveToReg();
        gHistory().SaveToReg();
    } catch (const app::Failure &failure) {
        // The settings could not be stored; say so rather than lose them silently.
        app::ReportError(QStringLiteral("Main Form Unload"), failure);
    }
    ReleaseProgramRecords();
    unitValueArray.clear();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible())
            window->close();
    }
}

void Form1::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void Form1::mnuExit_Click()
{
    close();
}

// --- popup menu --------------------------------------------------------------------------------

void Form1::showPopUpMenu()
{
    MenuPopUp->popup(QCursor::pos());
}

void Form1::mousePressEvent(QMouseEvent *event)
{
    // The window's background, and the listed controls while disabled (their presses come here).
    if (event->buttons() & Qt::RightButton) {
        QWidget *child = childAt(event->position().toPoint());
        if (!child || popUpMenuControls().contains(child)) {
            showPopUpMenu();
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->buttons() & Qt::RightButton) {
            showPopUpMenu();
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonRelease && (watched == Label2 || watched == Image1)) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && static_cast<QWidget *>(watched)->rect().contains(mouse->position().toPoint())) {
            watched == Label2 ? Label2_Click() : Image1_Click();
            return true;
        }
    } else if (event->type() == QEvent::KeyPress && watched == Label2) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            Label2_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::Label2_Click()
{
    Functions::OpenWebAddress(product::webLinkAddress());
}

void Form1::Image1_Click()
{
    Functions::OpenWebAddress(product::webLinkAddress());
}

// --- lists ---------------------------------------------------------------------------------------

bool Form1::loadComboFromFile(const QString &strFilePath, QListWidget *comboToLoad, bool ClearListFirst,
                              bool LoadItemDataToUnitValueArray)
{
    Q_UNUSED(LoadItemDataToUnitValueArray); // only the unit lists load factors
    return loadLinesSorted(strFilePath, comboToLoad, ClearListFirst);
}

bool Form1::loadComboFromFile(const QString &strFilePath, QComboBox *comboToLoad, bool ClearListFirst,
                              bool LoadItemDataToUnitValueArray)
{
    if (!LoadItemDataToUnitValueArray)
        return loadLinesSorted(strFilePath, comboToLoad, ClearListFirst);
    bool missing = false;
    const std::shared_ptr<const LoadedUnits> units = m_unitLists.read(strFilePath, &missing);
    if (!units) {
        if (missing)
            reportVitalFileMissing();
        return true;
    }
    catalogue::reportRejectedUnits(units->rejectedNames);
    // A category file holds at least one line: the factor table runs from 0 to n - 1.
    if (units->count < 1)
        throw app::Failure(app::kErrSubscriptOutOfRange);
    unitValueArray = units->factors;
    setUnitListModel(comboToLoad, units->model);
    return false;
}

void Form1::setUnitListModel(QComboBox *list, const std::shared_ptr<UnitListModel> &model)
{
    const QSignalBlocker blocker(list);
    list->setModel(model.get());
    list->setCurrentIndex(-1);
    (list == FromUnit ? m_fromUnitModel : m_toUnitModel) = model;
}

void Form1::emptyUnitLists()
{
    auto empty = std::make_shared<UnitListModel>(std::vector<catalogue::UnitEntry>{});
    setUnitListModel(FromUnit, empty);
    setUnitListModel(ToUnit, empty);
}

void Form1::selectPosition(QComboBox *list, int position)
{
    if (position < -1 || position >= list->count())
        throw app::Failure(app::kErrInvalidPropertyValue);
    list->setCurrentIndex(position);
}

void Form1::selectPosition(QListWidget *list, int position)
{
    if (position < -1 || position >= list->count())
        throw app::Failure(app::kErrInvalidPropertyValue);
    list->setCurrentRow(position);
}

void Form1::DisableConvertControls()
{
    for (QWidget *control : convertControls())
        control->setEnabled(false);
    Result->clear();
}

void Form1::EnableConvertControls()
{
    for (QWidget *control : convertControls())
        control->setEnabled(true);
    Result->clear();
}

void Form1::UnitType_Click()
{
    try {
        if (categoryIndex() >= 0) {
            const platform::BusyPointerScope pointer; // back to the default however this ends
            DisableConvertControls();
            emptyUnitLists();
            const QString name = categoryText();
            unitValueArray.assign(1, QString());
            const QString path = catalogue::categoryFile(name);
            if (!loadComboFromFile(path, ToUnit, true, true)) {
                loadComboFromFile(path, FromUnit, true, true);
                if (!gOptions().RLUU()) {
                    selectPosition(FromUnit, 0);
                    selectPosition(ToUnit, 0);
                }
                mnuInvert->setEnabled(true);
                EnableConvertControls();
            }
        }
        if (!gOptions().RLUC() && ConvertNum->isEnabled())
            ConvertNum->setFocus();
    } catch (const app::Failure &failure) {
        app::ReportError(QStringLiteral("Converter Selection"), failure);
    }
}

void Form1::FromUnit_Click()
{
    if (FromUnit->currentIndex() >= 0 && ToUnit->currentIndex() >= 0)
        Convert_Click();
}

void Form1::ToUnit_Click()
{
    FromUnit_Click();
}

void Form1::DecPlace_Click()
{
    FromUnit_Click();
}

qint16 Form1::FromUnit_KeyPress(qint16 KeyAscii)
{
    return AutoCompleteComboBoxModule::AutoCompleteComboBox(FromUnit, KeyAscii, false);
}

qint16 Form1::ToUnit_KeyPress(qint16 KeyAscii)
{
    return AutoCompleteComboBoxModule::AutoCompleteComboBox(ToUnit, KeyAscii, false);
}

// --- commands --------------------------------------------------------------------------------

void Form1::Convert_Click()
{
    conversion::ConvertUnits(*this, unitValueArray, gOptions(), gHistory());
}

void Form1::Reset_Click()
{
    emptyUnitLists();
    ConvertNum->setText(QStringLiteral("1"));
    Result->clear();
    DecPlace->setCurrentIndex(4);
    unitValueArray.clear();
    mnuInvert->setEnabled(false);
    UnitType->setCurrentRow(-1);
    UnitType->clearSelection();
    FromUnit->setCurrentIndex(-1);
    ToUnit->setCurrentIndex(-1);
    DisableConvertControls();
    unitValueArray.assign(1, QString());
}

void Form1::mnuInvert_Click()
{
    if (FromUnit->count() == 0)
        return;
    const int fromPosition = FromUnit->currentIndex();
    FromUnit->setCurrentIndex(ToUnit->currentIndex());
    ToUnit->setCurrentIndex(fromPosition);
}

void Form1::mnuOptions_Click()
{
    if (m_modalWindows.options)
        m_modalWindows.options(*this);
}

void Form1::mnuAddUnit_Click()
{
    if (m_modalWindows.addUnit)
        m_modalWindows.addUnit(*this);
}

void Form1::mnuAbout_Click()
{
    if (m_modalWindows.about)
        m_modalWindows.about(*this);
}

bool Form1::showsNormalLayout() const
{
    return !Image1->isHidden();
}

// --- what a conversion reads and writes ------------------------------------------------------

QString Form1::fromUnitText() const
{
    return FromUnit->currentText();
}

QString Form1::toUnitText() const
{
    return ToUnit->currentText();
}

QString Form1::decimalPlacesText() const
{
    return DecPlace->currentText();
}

QString Form1::categoryText() const
{
    const int row = categoryIndex();
    return row >= 0 ? UnitType->item(row)->text() : QString();
}

int Form1::categoryIndex() const
{
    const QList<QListWidgetItem *> selected = UnitType->selectedItems();
    return selected.isEmpty() ? -1 : UnitType->row(selected.first());
}

int Form1::fromUnitIndex() const
{
    return FromUnit->currentIndex();
}

int Form1::toUnitIndex() const
{
    return ToUnit->currentIndex();
}

int Form1::fromUnitTag() const
{
    if (FromUnit->currentIndex() < 0)
        throw app::Failure(app::kErrInvalidPropertyArrayIndex);
    return FromUnit->currentData(Qt::UserRole).toInt();
}

int Form1::toUnitTag() const
{
    if (ToUnit->currentIndex() < 0)
        throw app::Failure(app::kErrInvalidPropertyArrayIndex);
    return ToUnit->currentData(Qt::UserRole).toInt();
}

QString Form1::numberText() const
{
    return ConvertNum->text();
}

void Form1::setNumberText(const QString &text)
{
    ConvertNum->setText(text);
}

void Form1::setResultText(const QString &text)
{
    Result->setText(text);
}
