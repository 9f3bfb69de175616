#include "gui/mainwindow/MainWindow.h"

#include "core/about/ProductAddress.h"
#include "core/about/WebLink.h"
#include "core/base/AppInfo.h"
#include "core/base/Failure.h"
#include "core/base/ReportError.h"
#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/platform/MessageBox.h"
#include "core/settings/ProgramRecords.h"
#include "core/text/NumberText.h"
#include "gui/mainwindow/CategoryList.h"
#include "gui/mainwindow/UnitListModel.h"
#include "gui/platform/BusyPointer.h"
#include "gui/widgets/ComboKeyPressFilter.h"
#include "gui/widgets/FontScale.h"
#include "gui/widgets/KeyboardMenuRequests.h"
#include "gui/widgets/LinkLabel.h"
#include "gui/widgets/NamedWidgets.h"
#include "gui/widgets/SortedListFill.h"
#include "gui/widgets/TextFocus.h"
#include "gui/widgets/TypeAhead.h"
#include "gui/widgets/WindowPlacement.h"
#include "resources/PngPicture.h"
#include "resources/TallimerResources.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include <array>
#include <cmath>
#include <limits>

namespace {

// The layout's font, in pixels at the designed size (the system font scales it).
constexpr int kDesignedFontPixels = 11;

// A banner picture for a label of the given size: the @2x drawing wherever the label covers more
// device pixels than the 1x drawing has (a 2x screen, a larger system font). The label scales
// it to its device pixels, so each shows at its own size on the screen it was drawn for.
QPixmap bannerPicture(const QString &name, const QSize &shownSize, qreal devicePixelRatio)
{
    const QPixmap picture = QPixmap::fromImage(pngPicture(QStringLiteral(":/%1.png").arg(name)));
    if (shownSize.width() * devicePixelRatio <= picture.width())
        return picture;
    const QPixmap sharp = QPixmap::fromImage(pngPicture(QStringLiteral(":/%1@2x.png").arg(name)));
    return sharp.isNull() ? picture : sharp;
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(app::appTitle());
    // The system's own font at the small size the layout was designed for, and a layout as much
    // larger as the system font is. (Naming families the system may lack would cost a search
    // through its fallbacks at every start.)
    const double scale = fontScale::ofSystem();
    m_layout.setScale(scale);
    QFont font = this->font();
    font.setPixelSize(int(std::floor(kDesignedFontPixels * scale)));
    setFont(font);
    createControls();
    createPopupMenu();
    placeControls();
    connectHandlers();
    showOneBlankFactor();
    fixWindowSize(this);
}

MainWindow::~MainWindow()
{
    // The controls are destroyed after this object: a unit list losing the focus then must not
    // reach a handler of a window that is gone.
    for (QWidget *control : findChildren<QWidget *>())
        control->blockSignals(true);
}

void MainWindow::createControls()
{
    initTallimerResources();
    m_bannerLink = named(new QLabel(this), QStringLiteral("Image1"), QStringLiteral("Tallimer web page"),
                   product::linkPictureToolTip());
    m_banner = named(new QLabel(this), QStringLiteral("Image3"), QStringLiteral("Banner"));
    m_bannerLink->setScaledContents(true);
    m_banner->setScaledContents(true);
    m_bannerLink->setCursor(Qt::PointingHandCursor);
    // The left part of the banner lies over the right one, as designed.
    m_banner->stackUnder(m_bannerLink);
    m_separator = named(new QFrame(this), QStringLiteral("Line1"), QStringLiteral("Separator"));
    m_separator->setFrameShape(QFrame::HLine);
    m_separator->setFrameShadow(QFrame::Sunken);

    // The caption's text follows the layout (placeControls and the layout switches set it).
    m_categoryCaption = makeLabel(this, QStringLiteral("Label1"));
    m_categoryList = named(new CategoryList(this), QStringLiteral("UnitType"), QString());
    m_categoryCaption->setBuddy(m_categoryList);

    m_numberCaption = makeLabel(this, QStringLiteral("ConvertNumName"), QStringLiteral("&Number To Convert ? "));
    m_numberBox = named(new QLineEdit(QStringLiteral("1"), this), QStringLiteral("ConvertNum"),
                       withoutAccessKey(m_numberCaption->text()).trimmed(), QStringLiteral("Enter number To Be Converted"));
    m_numberCaption->setBuddy(m_numberBox);

    m_placesCaption = makeLabel(this, QStringLiteral("DecPlaceName"),
                             QStringLiteral("Number Of &Decimal Places ?  (Default five)   "));
    m_placesCaption->setWordWrap(true);
    m_placesBox = named(new QComboBox(this), QStringLiteral("DecPlace"), QStringLiteral("Number Of Decimal Places"),
                     QStringLiteral("Select Number Of Decimal Places"));
    m_placesCaption->setBuddy(m_placesBox);

    m_fromCaption = makeLabel(this, QStringLiteral("ConvertFromName"), QStringLiteral("Convert &From"));
    m_fromUnitBox = named(new QComboBox(this), QStringLiteral("FromUnit"), withoutAccessKey(m_fromCaption->text()),
                     QStringLiteral("Select Unit To Convert From "));
    m_fromCaption->setBuddy(m_fromUnitBox);
    m_toCaption = makeLabel(this, QStringLiteral("ConvertToName"), QStringLiteral("Convert &To"));
    m_toUnitBox = named(new QComboBox(this), QStringLiteral("ToUnit"), withoutAccessKey(m_toCaption->text()),
                   QStringLiteral("Select Unit To Convert To"));
    m_toCaption->setBuddy(m_toUnitBox);
    for (QComboBox *unitList : {m_fromUnitBox, m_toUnitBox}) {
        unitList->setEditable(true);
        unitList->setInsertPolicy(QComboBox::NoInsert);
        unitList->setCompleter(nullptr); // completion is the type-ahead routine's job
        // Measuring every entry of a long category to size the box would cost seconds.
        unitList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        unitList->setMaxVisibleItems(20);
        // Every row is one line of the same font: with one row height for all, the drop-down
        // never measures each of a long category's rows.
        if (auto *rows = qobject_cast<QListView *>(unitList->view()))
            rows->setUniformItemSizes(true);
    }

    m_convertButton = makeCaptioned<QPushButton>(this, QStringLiteral("Convert"), QStringLiteral("&Convert"));
    m_convertButton->setToolTip(QStringLiteral("Click to Convert"));
    m_convertButton->setDefault(true);
    m_resetButton = makeCaptioned<QPushButton>(this, QStringLiteral("Reset"), QStringLiteral("R&eset"));
    m_resetButton->setToolTip(QStringLiteral("Click To Reset Form"));

    m_resultCaption = makeLabel(this, QStringLiteral("ResultName"), QStringLiteral("&Result:"));
    m_resultBox = named(new QLineEdit(this), QStringLiteral("Result"), QStringLiteral("Result"),
                   QStringLiteral("Your Result Will Appear Here"));
    m_resultBox->setReadOnly(true);
    m_resultCaption->setBuddy(m_resultBox);

    m_webLink = named(new LinkLabel(product::webHost(), this), QStringLiteral("Label2"), product::webHost(),
                      product::linkLabelToolTip());
    m_webLink->setAlignment(Qt::AlignCenter);
    m_bannerLink->installEventFilter(this);

    setTabOrder(m_categoryList, m_numberBox);
    setTabOrder(m_numberBox, m_placesBox);
    setTabOrder(m_placesBox, m_fromUnitBox);
    setTabOrder(m_fromUnitBox, m_toUnitBox);
    setTabOrder(m_toUnitBox, m_convertButton);
    setTabOrder(m_convertButton, m_resetButton);
    setTabOrder(m_resetButton, m_resultBox);
    setTabOrder(m_resultBox, m_webLink);

    for (QComboBox *unitList : {m_fromUnitBox, m_toUnitBox})
        new ComboKeyPressFilter(unitList, [unitList](qint16 key) { return typeAhead::typeKey(unitList, key, false); });

    for (QWidget *control : popupMenuControls()) {
        control->installEventFilter(this);
        if (control == m_categoryList)
            m_categoryList->viewport()->installEventFilter(this);
    }
    // The Menu key and Shift+F10 open the popup menu over whichever control has the focus.
    new KeyboardMenuRequests(*this, [this](const QPoint &position) { showPopupMenuAt(position); });
}

void MainWindow::showBannerPictures()
{
    m_bannerLink->setPixmap(bannerPicture(QStringLiteral("banner-left"), m_bannerLink->size(), devicePixelRatioF()));
    m_banner->setPixmap(bannerPicture(QStringLiteral("banner-right"), m_banner->size(), devicePixelRatioF()));
}

void MainWindow::showCategoryCaption(const QString &caption)
{
    m_categoryCaption->setText(caption);
    m_categoryList->setAccessibleName(withoutAccessKey(caption));
}

void MainWindow::showChosenCategory()
{
    if (QListWidgetItem *chosen = m_categoryList->currentItem(); chosen && chosen->isSelected())
        m_categoryList->scrollToItem(chosen);
}

void MainWindow::createPopupMenu()
{
    m_popupMenu = new QMenu(QStringLiteral("PopUp"), this);
    m_popupMenu->setObjectName(QStringLiteral("MenuPopUp"));
    const auto add = [this](const QString &objectName, const QString &caption) {
        QAction *action = m_popupMenu->addAction(caption);
        action->setObjectName(objectName);
        return action;
    };
    m_optionsAction = add(QStringLiteral("mnuOptions"), QStringLiteral("&Options"));
    m_swapAction = add(QStringLiteral("mnuInvert"), QStringLiteral("&Invert Selections"));
    m_swapAction->setEnabled(false);
    m_alwaysOnTopAction = add(QStringLiteral("mnuATop"), QStringLiteral("Always on &Top"));
    m_alwaysOnTopAction->setCheckable(true);
    m_layoutAction = add(QStringLiteral("mnuForm"), QStringLiteral("&Compact Window"));
    m_editorAction = add(QStringLiteral("mnuAddUnit"), QStringLiteral("Add Custom &Unit"));
    m_aboutAction = add(QStringLiteral("mnuAbout"), QStringLiteral("&About"));
    m_popupMenu->addSeparator()->setObjectName(QStringLiteral("mnuBar"));
    m_exitAction = add(QStringLiteral("mnuExit"), QStringLiteral("E&xit"));
}

void MainWindow::connectHandlers()
{
    // The selection, not the current row: a list taking the focus makes its first row current
    // without choosing it.
    connect(m_categoryList, &QListWidget::itemSelectionChanged, this, &MainWindow::chooseCategory);
    connect(m_categoryList, &CategoryList::choiceTaken, this, &MainWindow::moveOnFromCategories);
    connect(m_webLink, &LinkLabel::activated, this, &MainWindow::openWebPage);
    connect(m_fromUnitBox, &QComboBox::currentIndexChanged, this, &MainWindow::convertIfUnitsChosen);
    connect(m_toUnitBox, &QComboBox::currentIndexChanged, this, &MainWindow::convertIfUnitsChosen);
    connect(m_placesBox, &QComboBox::currentIndexChanged, this, &MainWindow::convertIfUnitsChosen);
    connect(m_convertButton, &QPushButton::clicked, this, &MainWindow::convert);
    // Enter in the number box converts, as the default button does.
    connect(m_numberBox, &QLineEdit::returnPressed, this, &MainWindow::convert);
    connect(m_resetButton, &QPushButton::clicked, this, &MainWindow::reset);
    connect(m_optionsAction, &QAction::triggered, this, &MainWindow::openOptions);
    connect(m_swapAction, &QAction::triggered, this, &MainWindow::swapUnits);
    connect(m_alwaysOnTopAction, &QAction::triggered, this, &MainWindow::applyAlwaysOnTop);
    connect(m_layoutAction, &QAction::triggered, this, &MainWindow::toggleCompactLayout);
    connect(m_editorAction, &QAction::triggered, this, &MainWindow::openEditor);
    connect(m_aboutAction, &QAction::triggered, this, &MainWindow::openAbout);
    connect(m_exitAction, &QAction::triggered, this, &MainWindow::exitProgram);
}

QList<QWidget *> MainWindow::popupMenuControls() const
{
    return {m_categoryList,        m_categoryCaption,        m_webLink,         m_bannerLink,       m_banner,
            m_fromCaption, m_toCaption, m_numberCaption, m_placesCaption, m_resultCaption};
}

QList<QWidget *> MainWindow::conversionControls() const
{
    return {m_fromUnitBox, m_fromCaption, m_toUnitBox, m_toCaption, m_placesBox, m_placesCaption,
            m_numberBox, m_numberCaption, m_convertButton, m_resetButton, m_resultBox, m_resultCaption};
}

// --- start-up and end ------------------------------------------------------------------------

bool MainWindow::load()
{
    try {
        programOptions().load();
        programHistory().load();
        if (!fillSortedFromFile(catalogue::indexFile(), m_categoryList)) {
            unload();
            return false;
        }
        {
            const QSignalBlocker blocker(m_placesBox);
            m_placesBox->clear();
            for (int places = 1; places <= 9; ++places)
                m_placesBox->addItem(QString::number(places));
        }
        selectPosition(m_placesBox, 4);
        m_alwaysOnTopAction->setChecked(false);
        setWindowTitle(app::programBaseName() + QStringLiteral(" Version ") + app::versionText());

        const Options &options = programOptions();
        if (options.rememberCategory()) {
            // Selecting the remembered category and units converts at once and records the
            // number converted: put the remembered value in place first, so that it is neither
            // recorded over nor shown beside a result of another number.
            const QString rememberedValue = conversion::generalForm(programHistory().lastValue());
            if (options.rememberValue())
                m_numberBox->setText(rememberedValue);
            selectPosition(m_categoryList, programHistory().lastCategory());
            chooseCategory();
            if (options.rememberUnits()) {
                selectPosition(m_fromUnitBox, programHistory().lastFromUnit());
                selectPosition(m_toUnitBox, programHistory().lastToUnit());
            }
            if (options.rememberValue())
                m_numberBox->setText(rememberedValue);
            if (options.rememberUnits() && options.rememberValue() && options.autoConvert())
                conversion::ConvertUnits(*this, m_factors, programOptions(), programHistory());
        } else {
            disableConversion();
        }
        if (options.startCompact())
            toggleCompactLayout();
    } catch (const app::Failure &failure) {
        app::ReportError(QStringLiteral("Main Form Load"), failure);
    }
    return true;
}

void MainWindow::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    try {
        saveProgramRecords();
    } catch (const app::Failure &failure) {
        // The settings could not be stored; say so rather than lose them silently.
        app::ReportError(QStringLiteral("Main Form Unload"), failure);
    }
    releaseProgramRecords();
    showNoFactors();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible())
            window->close();
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    unload();
    event->accept();
}

void MainWindow::exitProgram()
{
    close();
}

// --- popup menu --------------------------------------------------------------------------------

void MainWindow::showPopupMenu()
{
    showPopupMenuAt(QCursor::pos());
}

void MainWindow::showPopupMenuAt(const QPoint &globalPosition)
{
    if (!m_popupMenu->isVisible())
        m_popupMenu->popup(globalPosition);
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    // The window's background, and the listed controls while disabled (their presses come here).
    if (event->buttons() & Qt::RightButton) {
        QWidget *child = childAt(event->position().toPoint());
        if (!child || popupMenuControls().contains(child)) {
            showPopupMenu();
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->buttons() & Qt::RightButton) {
            showPopupMenu();
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonRelease && watched == m_bannerLink) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && m_bannerLink->rect().contains(mouse->position().toPoint())) {
            openWebPage();
            return true;
        }
    } else if (event->type() == QEvent::Resize && watched == m_categoryList) {
        // A layout switch resized the list: once it has laid out its rows, bring the chosen
        // category back into sight.
        QTimer::singleShot(0, this, &MainWindow::showChosenCategory);
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::openWebPage()
{
    about::openWebAddress(product::webLinkAddress());
}

// --- lists ---------------------------------------------------------------------------------------

void MainWindow::reloadCategories()
{
    fillSortedFromFile(catalogue::indexFile(), m_categoryList);
}

bool MainWindow::loadUnitLists(const QString &path)
{
    bool missing = false;
    const std::shared_ptr<const LoadedUnits> units = m_unitLists.read(path, &missing);
    if (!units) {
        if (missing)
            catalogue::reportVitalFileMissing();
        return false;
    }
    // Both lists show the same file: its rejected lines are reported for each, as they load.
    for (int list = 0; list < 2; ++list)
        catalogue::reportRejectedUnits(units->table->rejectedNames());
    // A category file holds at least one line: the factor table runs from 0 to n - 1.
    if (units->table->lineCount() < 1)
        throw app::Failure(app::kErrSubscriptOutOfRange);
    m_shownUnits = units->table;
    m_factors = m_shownUnits->factors();
    setUnitListModel(m_toUnitBox, units->model);
    setUnitListModel(m_fromUnitBox, units->model);
    return true;
}

void MainWindow::setUnitListModel(QComboBox *list, const std::shared_ptr<UnitListModel> &model)
{
    const QSignalBlocker blocker(list);
    list->setModel(model.get());
    list->setCurrentIndex(-1);
    (list == m_fromUnitBox ? m_fromUnitModel : m_toUnitModel) = model;
}

void MainWindow::emptyUnitLists()
{
    auto empty = std::make_shared<UnitListModel>();
    setUnitListModel(m_fromUnitBox, empty);
    setUnitListModel(m_toUnitBox, empty);
}

void MainWindow::showOneBlankFactor()
{
    static const std::array<double, 1> kOneBlankLine{std::numeric_limits<double>::quiet_NaN()};
    m_shownUnits.reset();
    m_factors = kOneBlankLine;
}

void MainWindow::showNoFactors()
{
    m_shownUnits.reset();
    m_factors = {};
}

conversion::FactorTable MainWindow::factorTable() const
{
    conversion::FactorTable table;
    table.reserve(m_factors.size());
    for (const double factor : m_factors)
        table.push_back(std::isnan(factor) ? QString() : conversion::factorText(factor));
    return table;
}

void MainWindow::selectPosition(QComboBox *list, int position)
{
    if (position < -1 || position >= list->count())
        throw app::Failure(app::kErrInvalidPropertyValue);
    list->setCurrentIndex(position);
}

void MainWindow::selectPosition(QListWidget *list, int position)
{
    if (position < -1 || position >= list->count())
        throw app::Failure(app::kErrInvalidPropertyValue);
    list->setCurrentRow(position);
}

void MainWindow::disableConversion()
{
    for (QWidget *control : conversionControls())
        control->setEnabled(false);
    m_resultBox->clear();
}

void MainWindow::enableConversion()
{
    for (QWidget *control : conversionControls())
        control->setEnabled(true);
    m_resultBox->clear();
}

void MainWindow::chooseCategory()
{
    try {
        if (categoryIndex() >= 0) {
            const platform::BusyPointerScope pointer; // back to the default however this ends
            disableConversion();
            emptyUnitLists();
            const QString name = categoryText();
            showOneBlankFactor();
            const QString path = catalogue::categoryFile(name);
            if (loadUnitLists(path)) {
                if (!programOptions().rememberUnits()) {
                    selectPosition(m_fromUnitBox, 0);
                    selectPosition(m_toUnitBox, 0);
                }
                m_swapAction->setEnabled(true);
                enableConversion();
            }
        }
        // Walking the list with the keyboard chooses as it goes: the focus stays for the next key.
        if (!m_categoryList->isWalking())
            moveOnFromCategories();
    } catch (const app::Failure &failure) {
        app::ReportError(QStringLiteral("Converter Selection"), failure);
    }
}

void MainWindow::moveOnFromCategories()
{
    if (!programOptions().rememberCategory() && m_numberBox->isEnabled())
        focusWithTextSelected(m_numberBox);
}

void MainWindow::convertIfUnitsChosen()
{
    if (m_fromUnitBox->currentIndex() >= 0 && m_toUnitBox->currentIndex() >= 0)
        convert();
}

// --- commands --------------------------------------------------------------------------------

void MainWindow::convert()
{
    conversion::ConvertUnits(*this, m_factors, programOptions(), programHistory());
}

void MainWindow::reset()
{
    emptyUnitLists();
    m_numberBox->setText(QStringLiteral("1"));
    m_resultBox->clear();
    m_placesBox->setCurrentIndex(4);
    showNoFactors();
    m_swapAction->setEnabled(false);
    m_categoryList->setCurrentRow(-1);
    m_categoryList->clearSelection();
    m_fromUnitBox->setCurrentIndex(-1);
    m_toUnitBox->setCurrentIndex(-1);
    disableConversion();
    showOneBlankFactor();
}

void MainWindow::swapUnits()
{
    if (m_fromUnitBox->count() == 0)
        return;
    const int fromPosition = m_fromUnitBox->currentIndex();
    m_fromUnitBox->setCurrentIndex(m_toUnitBox->currentIndex());
    m_toUnitBox->setCurrentIndex(fromPosition);
}

void MainWindow::openOptions()
{
    if (m_modalWindows.options)
        m_modalWindows.options(*this);
}

void MainWindow::openEditor()
{
    if (m_modalWindows.editor)
        m_modalWindows.editor(*this);
}

void MainWindow::openAbout()
{
    if (m_modalWindows.about)
        m_modalWindows.about(*this);
}

bool MainWindow::showsNormalLayout() const
{
    return !m_bannerLink->isHidden();
}

// --- what a conversion reads and writes ------------------------------------------------------

QString MainWindow::fromUnitText() const
{
    return m_fromUnitBox->currentText();
}

QString MainWindow::toUnitText() const
{
    return m_toUnitBox->currentText();
}

QString MainWindow::decimalPlacesText() const
{
    return m_placesBox->currentText();
}

QString MainWindow::categoryText() const
{
    const int row = categoryIndex();
    return row >= 0 ? m_categoryList->item(row)->text() : QString();
}

int MainWindow::categoryIndex() const
{
    const QList<QListWidgetItem *> selected = m_categoryList->selectedItems();
    return selected.isEmpty() ? -1 : m_categoryList->row(selected.first());
}

int MainWindow::fromUnitIndex() const
{
    return m_fromUnitBox->currentIndex();
}

int MainWindow::toUnitIndex() const
{
    return m_toUnitBox->currentIndex();
}

int MainWindow::fromUnitTag() const
{
    if (m_fromUnitBox->currentIndex() < 0)
        throw app::Failure(app::kErrInvalidPropertyArrayIndex);
    return m_fromUnitBox->currentData(Qt::UserRole).toInt();
}

int MainWindow::toUnitTag() const
{
    if (m_toUnitBox->currentIndex() < 0)
        throw app::Failure(app::kErrInvalidPropertyArrayIndex);
    return m_toUnitBox->currentData(Qt::UserRole).toInt();
}

QString MainWindow::numberText() const
{
    return m_numberBox->text();
}

void MainWindow::setNumberText(const QString &text)
{
    m_numberBox->setText(text);
}

void MainWindow::setResultText(const QString &text)
{
    m_resultBox->setText(text);
}
