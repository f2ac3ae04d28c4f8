#include "Form1.h"
#include "ui_Form1.h"

#include "AssistiveRoles.h"
#include "BrewerOperations.h"
#include "Decoration.h"
#include "FieldEditors.h"
#include "FieldMark.h"
#include "FieldValidator.h"
#include "FocusRing.h"
#include "GroupFrame.h"
#include "KeyCodes.h"
#include "LightPalette.h"
#include "PortSuggestions.h"
#include "ScreenFit.h"
#include "SerialNotices.h"
#include "SettingWords.h"
#include "SettingsFileNotices.h"
#include "SettingsFileOperations.h"
#include "TypeFit.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QShortcut>
#include <QTabBar>
#include <QToolTip>

using namespace operations;

namespace {

// The banner Send writes into textreceive.
const QString LogoSetBanner = QStringLiteral("    Logo Set    ");
// The port choice selected at start-up: "COM3".
constexpr int StartUpPortEntry = 2;
// How many files the file menu offers again.
constexpr int RecentFileCount = 8;

// What the file dialogs show.
QString settingsFileFilter()
{
    return Form1::tr("Settings files (*.txt *.TXT);;All files (*)");
}

QMessageBox::Icon boxIcon(Notice::Icon icon)
{
    switch (icon) {
    case Notice::Icon::Information:
        return QMessageBox::Information;
    case Notice::Icon::Warning:
        return QMessageBox::Warning;
    case Notice::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Form1::Form1(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::Form1>())
{
    // The form is a light design with colours of its own; a dark desktop
    // theme would give its light grey frames light text.
    setPalette(lightPalette());
    QToolTip::setPalette(lightPalette());
    installAssistiveRoles(); // before any control is made
    // The form's type is its own too: the desktop's face, at the size the
    // design was drawn for, whatever size the desktop gives its own text.
    QFont type = font();
    type.setPointSizeF(FormPointSize);
    setFont(type);
    ui->setupUi(this);
    GroupFrame::applyTo(this);
    m_totals = {ui->Text10, ui->Text12, ui->Text14};
    nameControlArrays();
    placeGapCaptions();
    wireSettingFields();
    describeFields();
    wireButtons();
    wireFiles();
    orderKeyboard();
    Form_Load();
    addStatusLine();
    new FocusRing(this); // after the layout's record: no control, it is never laid out
    new ScreenFit(*this);
}

Form1::~Form1() = default;

void Form1::Form_Load()
{
    ResizeInit(*this); // before anything moves a control
    // Captions of one kind keep one type size when the window is too small
    // for their design type.
    m_layout.setCaptionFamilies({
        {ui->Label14, ui->Label15, ui->Label16},
        {ui->Command2, ui->Command1},
        {ui->connect, ui->Command3, ui->Command5},
        {ui->default1, ui->default2, ui->default3, ui->Command_disable1, ui->Command4},
        {ui->Label17, ui->Label13, ui->Label11, ui->Label12, ui->Label1, ui->Label2, ui->Label5,
         ui->Label6, ui->Label7, ui->Label8, ui->Label9, ui->Label10, ui->Label20, ui->Label18_0,
         ui->Label18_1, ui->Label18_2, ui->Label19_0, ui->Label19_1, ui->Label19_2},
        {ui->Frame3, ui->Frame2, ui->Frame4},
        {ui->Label26, ui->Label27},
        {ui->Label29, ui->Label30},
        {ui->Label21, ui->Label22},
        {ui->Label33, ui->Label35},
        {ui->Label34, ui->Label37},
        {ui->Label36_0, ui->Label36_1},
    });
    ui->Shape3->setFillColor(Lamp::Green);
    ui->Shape2->setFillColor(Lamp::Green);
    for (int entry = 0; entry < PortChoiceCount; ++entry)
        ui->Combo1->addItem(portChoiceText(entry));
    ui->Combo1->setCurrentIndex(StartUpPortEntry);
    showSentValues();
}

// The status line lies below the design, which keeps its own proportions: it
// comes after the layout's record, so the layout leaves it alone, and the
// window grows by its height.
void Form1::addStatusLine()
{
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("StatusLine"));
    m_status->setAccessibleName(tr("Connection"));
    m_status->setIndent(fontMetrics().averageCharWidth());
    m_status->setFrameShape(QFrame::NoFrame);
    showLinkStatus();
    resize(sizeForDesignArea(size()));
}

QSize Form1::sizeForDesignArea(QSize area) const
{
    return area + QSize(0, statusLineHeight());
}

int Form1::statusLineHeight() const
{
    return m_status ? fontMetrics().height() * 3 / 2 : 0;
}

void Form1::showLinkStatus(PortClosedBy closedBy)
{
    m_status->setText(linkStatusText(m_link, closedBy));
    ui->Shape2->setPortOpen(m_link.isOpen());
    ui->Shape3->setPortOpen(m_link.isOpen());
}

// Label18, Label19 and Label36 are arrays of labels sharing one name, told
// apart by their Index; a form file needs unique names, so they arrive as
// Label18_0, Label18_1, ...
void Form1::nameControlArrays()
{
    for (const char *array : {"Label18", "Label19", "Label36"}) {
        for (int index = 0;; ++index) {
            const QString member = QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index);
            auto *label = findChild<QLabel *>(member);
            if (!label)
                break;
            label->setObjectName(QLatin1String(array));
            label->setProperty("Index", index);
        }
    }
}

// Label21, Label22 and Label28 leave a run of spaces in their captions where
// Text16, Text17 and the fraction Label29 over Label30 sit. The captions lie
// above what sits in them and let the mouse through, so that the boxes still
// take clicks wherever the words are drawn.
void Form1::placeGapCaptions()
{
    ui->Label21->setOccupants({ui->Text16});
    ui->Label22->setOccupants({ui->Text17});
    ui->Label28->setOccupants({ui->Label29, ui->Label30});
    for (QLabel *label : {ui->Label21, ui->Label22})
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
}

// Each box and its field in the form mirror each other: what the user types
// goes to the form, whose editors run there, and what the form shows (a
// rewrite, a loaded or read value) comes back into the box.
void Form1::wireSettingFields()
{
    for (int i = 0; i < SettingFieldCount; ++i) {
        const SettingField &setting = settingFields()[i];
        auto *field = findChild<QLineEdit *>(QLatin1String(setting.name));
        Q_ASSERT(field);
        m_settingFields.append(field);
        m_marks.append(new FieldMark(field));
        connect(field, &QLineEdit::textChanged, this, [this, i] { Text_Change(i); });
        field->installEventFilter(this); // Enter, and the digit filter
        if (hasDigitFilter(setting.kind)) {
            auto *validator = new FieldValidator(field, isDigitCharacter);
            validator->dropped = [this, field](const QString &) { refusedKeyHint(field); };
        }
    }
    m_form.changed = [this](int i) { settingField(i)->setText(m_form.text(i)); };
    ui->Textsend->installEventFilter(this);
    auto *logo = new FieldValidator(ui->Textsend, isLogoCharacter, LogoTypedLimit);
    logo->dropped = [this](const QString &) { refusedKeyHint(ui->Textsend); };
}

// What a screen reader announces for each control, and the hint over each
// box. The line holder, never seen under Read from Brewer, is hidden, and
// the lines and rectangles are kept from screen readers.
void Form1::describeFields()
{
    const auto describe = [](QLineEdit *box, const QString &name, const QString &hint) {
        box->setAccessibleName(name);
        box->setToolTip(hint);
    };
    for (int i = 0; i < SettingFieldCount; ++i)
        settingField(i)->setAccessibleName(slotName(settingFields()[i].slot));
    describe(ui->Textsend, logoName(), logoHint());
    for (int button = 0; button < ButtonCount; ++button)
        describe(m_totals[button], reportedTotalName(button), reportedByBrewerHint());
    describe(ui->Text16, reportedCalibrationName(), reportedByBrewerHint());
    // Each group by its own title, not its neighbour's; the grid has none.
    for (QGroupBox *group : findChildren<QGroupBox *>())
        group->setAccessibleName(group->title().trimmed());
    ui->Frame6->setAccessibleName(tr("Button settings"));
    const std::array<QPushButton *, ButtonCount> defaults = {ui->default1, ui->default2,
                                                             ui->default3};
    for (int row = 0; row < ButtonCount; ++row)
        defaults[row]->setAccessibleName(defaultButtonName(row));
    ui->Command_disable1->setAccessibleName(disableButtonName(CenterButton));
    ui->Command4->setAccessibleName(disableButtonName(RightButton));
    ui->Shape3->setAccessibleName(tr("Read lamp"));
    ui->Shape2->setAccessibleName(tr("Send lamp"));
    ui->Combo1->setAccessibleName(tr("Serial port"));
    ui->Combo1->lineEdit()->setAccessibleName(ui->Combo1->accessibleName());
    ui->textreceive->setAccessibleName(tr("LCD banner"));
    ui->Combo1->setAccessibleDescription(
        tr("The serial port of the brewer: COM1 to COM16, or the name of a device "
           "typed in. Connect opens it."));
    // The line holder is a window of its own that is never shown: out of the
    // form's tree, which assistive technology walks, and out of its layout.
    ui->Text18->hide();
    ui->Text18->setWindowFlag(Qt::Window);
    hideDecorationsFromAssistiveTechnology();
}

void Form1::wireButtons()
{
    const QPushButton *defaults[] = {ui->default1, ui->default2, ui->default3};
    for (int row = 0; row < ButtonCount; ++row)
        connect(defaults[row], &QPushButton::clicked, this, [this, row] { default_Click(row); });
    // The Disable buttons stay down while their button is disabled.
    for (QPushButton *disable : {ui->Command_disable1, ui->Command4})
        disable->setCheckable(true);
    connect(ui->Command_disable1, &QPushButton::clicked, this,
            [this] { disable_Click(ui->Text13); });
    connect(ui->Command4, &QPushButton::clicked, this, [this] { disable_Click(ui->Text15); });
    connect(ui->Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(ui->Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    // The port list is fixed: typed text names a device and never becomes
    // an entry.
    ui->Combo1->setInsertPolicy(QComboBox::NoInsert);
    new PortSuggestions(ui->Combo1, m_link);
    connect(ui->connect, &QPushButton::clicked, this, &Form1::connect_Click);
    connect(ui->Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(&m_link, &SerialLink::deviceLost, this, &Form1::MSComm1_Lost);
}

// Tab walks the form file's tab order, then the tab bar. The tab bar joins
// the order here: as a tab stop in the form file, the tab widget would take
// every control inside it out of the window's focus chain, and no key would
// reach them. The first control of the order has the focus from start-up.
void Form1::orderKeyboard()
{
    setTabOrder(ui->Text20, ui->SSTab1->tabBar());
    ui->Command2->setFocus();
    // Alt and a letter press a button or choose a tab. The captions keep
    // their letters: no "&" marks the letter, a screen reader hears the key.
    const std::pair<QPushButton *, Qt::Key> buttons[] = {{ui->Command2, Qt::Key_R},
                                                         {ui->Command1, Qt::Key_S},
                                                         {ui->connect, Qt::Key_C},
                                                         {ui->Command3, Qt::Key_A},
                                                         {ui->Command5, Qt::Key_L}};
    for (const auto &[button, key] : buttons)
        button->setShortcut(QKeySequence(Qt::ALT | key));
    int tab = 0;
    for (const Qt::Key key : {Qt::Key_P, Qt::Key_O, Qt::Key_T}) // PELN, TOV, TOR
        connect(new QShortcut(QKeySequence(Qt::ALT | key), this), &QShortcut::activated, this,
                [this, tab = tab++] { ui->SSTab1->setCurrentIndex(tab); });
    // Enter in the port box connects (see eventFilter()).
    ui->Combo1->lineEdit()->installEventFilter(this);
}

QString Form1::settingsFilePath() const
{
    return defaultSettingsFilePath(m_settingsDirectory);
}

void Form1::showSentValues()
{
    for (int i = 0; i < SettingFieldCount; ++i)
        showSentValue(i);
}

void Form1::showSentValue(int field)
{
    SentValue value = sentValue(m_form, field);
    if (m_heldDifferences.contains(field)) {
        value.kind = SentValue::Kind::Replaced;
        value.reason = m_heldDifferences[field];
    }
    m_marks[field]->setKind(value.kind);
    const QString why = value.sentence();
    QLineEdit *box = settingField(field);
    box->setToolTip(rangeHint(settingFields()[field]) + (why.isEmpty() ? QString() : u'\n' + why));
    box->setAccessibleDescription(why);
}

void Form1::refusedKeyHint(QLineEdit *field)
{
    const int index = int(m_settingFields.indexOf(field));
    const QString takes = index < 0 ? logoHint() : digitsHint(settingFields()[index].kind);
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), takes, field);
}

void Form1::notice(const Notice &notice)
{
    QMessageBox box(boxIcon(notice.icon), notice.caption, notice.text, QMessageBox::Ok, this);
    box.setPalette(palette()); // a window of its own takes the desktop's otherwise
    if (!notice.details.isEmpty())
        box.setInformativeText(notice.details);
    box.exec();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    // Enter in a setting field moves on to the next, in reading order; in
    // the port box it connects (the box would hand it to its edit line again).
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (watched == ui->Combo1->lineEdit()) {
            connect_Click();
            return true;
        }
        if (m_settingFields.contains(watched)) {
            focusNextChild();
            return true;
        }
    }
    if (watched == ui->Combo1->lineEdit())
        return false;
    const auto code = typedCharacterCode(*key);
    return code && Text_KeyPress(watched, *code);
}

void Form1::Text_Change(int field)
{
    // Read the box itself: an editor that rewrites it re-enters here, and
    // the signal's text is stale by then.
    m_form.setText(field, settingField(field)->text());
    m_heldDifferences.remove(field);
    showSentValue(field);
    if (QLineEdit *box = settingField(field); box == ui->Text13 || box == ui->Text15)
        (box == ui->Text13 ? ui->Command_disable1 : ui->Command4)
            ->setChecked(box->text() == disabledText());
}

bool Form1::Text_KeyPress(QObject *field, char16_t code)
{
    if (field != ui->Textsend) { // a setting field
        const int index = int(m_settingFields.indexOf(field));
        if (!hasDigitFilter(settingFields()[index].kind) || digitFilterPasses(code))
            return false;
        refusedKeyHint(static_cast<QLineEdit *>(field));
        return true;
    }
    if (logoFilterPasses(code))
        return false;
    notice({logoFilterMessage(), {}, appTitle()});
    return true;
}

void Form1::default_Click(int row)
{
    m_form.fillDefaultRow(row);
}

void Form1::disable_Click(QLineEdit *count)
{
    m_form.toggleDisable(int(m_settingFields.indexOf(count)));
}

void Form1::Command3_Click()
{
    save(settingsFilePath());
}

void Form1::Command5_Click()
{
    load(settingsFilePath(), false);
}

void Form1::save(const QString &path)
{
    const auto known = m_digests.constFind(path);
    SaveOutcome saved =
        saveSettings(m_form, ui->Textsend->text(), path,
                     known == m_digests.cend() ? std::nullopt : std::optional(*known));
    if (saved.changed) {
        QMessageBox box(QMessageBox::Question, appTitle(), changedOnDiskText(path),
                        QMessageBox::NoButton, this);
        box.setPalette(palette());
        const QAbstractButton *overwrite = box.addButton(tr("&Overwrite"), QMessageBox::AcceptRole);
        const QAbstractButton *reload = box.addButton(tr("&Load Again"), QMessageBox::ActionRole);
        box.setDefaultButton(box.addButton(tr("Cancel"), QMessageBox::RejectRole));
        box.exec();
        // Loaded again as it was first loaded: the design's own file by
        // Load's rule, a file chosen by Open's, which refuses what is no
        // longer a settings file.
        if (box.clickedButton() == reload)
            load(path, path != settingsFilePath());
        if (box.clickedButton() != overwrite)
            return;
        saved = saveSettings(m_form, ui->Textsend->text(), path);
    }
    if (saved.saved()) {
        m_digests.insert(path, saved.digest);
        useFile(path);
    }
    showSentValues(); // the defaults are in the table now
    notice(saved.notice());
}

void Form1::load(const QString &path, bool onlySettingsFiles)
{
    const LoadOutcome loaded =
        onlySettingsFiles ? openSettingsFile(m_form, path) : loadSettingsFile(m_form, path);
    if (loaded.logo)
        ui->Textsend->setText(*loaded.logo);
    if (loaded.lastLine)
        ui->Text18->setText(*loaded.lastLine);
    if (loaded.read()) {
        m_digests.insert(path, loaded.digest);
        useFile(path);
    }
    showSentValues();
    notice(loaded.notice());
}

void Form1::openFile(const QString &path)
{
    load(QDir::toNativeSeparators(path), true);
}

void Form1::saveFileAs(const QString &path)
{
    save(QDir::toNativeSeparators(path));
}

void Form1::useFile(const QString &path)
{
    m_recentFiles.removeAll(path);
    m_recentFiles.prepend(path);
    m_recentFiles = m_recentFiles.mid(0, RecentFileCount);
    setWindowTitle(
        path == settingsFilePath()
            ? appTitle()
            : QStringLiteral("%1 \u2014 %2").arg(appTitle(), QFileInfo(path).fileName()));
}

// Save As and Open, with their shortcuts and in a menu on Save and Load,
// beside the design's buttons, which keep to the default file.
void Form1::wireFiles()
{
    auto *saveAs = new QAction(tr("Save &As\u2026"), this);
    saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(saveAs, &QAction::triggered, this, &Form1::saveAsClicked);
    auto *open = new QAction(tr("&Open\u2026"), this);
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, &Form1::openClicked);
    addActions({saveAs, open});
    for (QPushButton *button : {ui->Command3, ui->Command5}) {
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(button, &QWidget::customContextMenuRequested, this,
                [this, button](const QPoint &at) { showFileMenu(button, at); });
    }
}

void Form1::showFileMenu(QWidget *button, const QPoint &at)
{
    QMenu menu(this);
    menu.setPalette(palette());
    menu.addActions(actions());
    if (!m_recentFiles.isEmpty())
        menu.addSection(tr("Recent files"));
    for (const QString &path : m_recentFiles)
        menu.addAction(QDir::toNativeSeparators(path), this, [this, path] { openFile(path); });
    menu.exec(button->mapToGlobal(at));
}

void Form1::openClicked()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open a settings file"),
                                                      QFileInfo(settingsFilePath()).absolutePath(),
                                                      settingsFileFilter());
    if (!path.isEmpty())
        openFile(path);
}

void Form1::saveAsClicked()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Save the settings as"),
                                                      QFileInfo(settingsFilePath()).absolutePath(),
                                                      settingsFileFilter());
    if (!path.isEmpty())
        saveFileAs(path);
}

void Form1::connect_Click()
{
    ui->textreceive->setText(QString());
    ui->textreceive->setEnabled(false);
    if (m_link.isOpen()) {
        m_link.close();
        ui->Textsend->setEnabled(true);
        showLinkStatus();
        return;
    }
    const ConnectOutcome connected = connectToBrewer(m_link, ui->Combo1->currentText());
    if (connected.opened) {
        ui->Shape3->setFillColor(Lamp::Green);
        ui->Shape2->setFillColor(Lamp::Green);
    }
    showLinkStatus(PortClosedBy::FailedOpen);
    notice(connected.notice());
}

void Form1::Command1_Click()
{
    ui->Shape2->setFillColor(Lamp::Red);
    ui->textreceive->setText(LogoSetBanner);
    const SendOutcome sent =
        sendToBrewer(m_link, m_form, ui->Textsend->text(), SendWait::UntilQueued);
    if (sent.result == SendOutcome::Result::Sent) {
        ui->Shape2->setFillColor(Lamp::Green);
        m_lastSent = SentFrame{sent.frame, QTime::currentTime()};
    }
    if (sent.result == SendOutcome::Result::LineFailed)
        showLinkStatus(PortClosedBy::FailedSend);
    showSentValues();
    notice(sent.notice());
}

void Form1::Command2_Click()
{
    ui->textreceive->setText(QString());
    ui->Shape3->setFillColor(Lamp::Red);
    const ReplyOutcome reply = readFromBrewer(m_link, m_form, m_lastSent);
    for (const HeldDifference &difference : reply.differences.value_or(QList<HeldDifference>()))
        m_heldDifferences[difference.field] = difference.reason(reply.sentAt);
    showSentValues();
    if (reply.good()) {
        for (int button = 0; button < ButtonCount; ++button)
            m_totals[button]->setText(reply.totals[button]);
        ui->Text16->setText(reply.calibration);
        ui->Shape3->setFillColor(Lamp::Green);
        showLinkStatus(PortClosedBy::GoodRead);
    }
    notice(reply.notice());
}

void Form1::MSComm1_Lost(const QString &reason)
{
    showLinkStatus(PortClosedBy::LostDevice);
    notice(deviceLostNotice(reason));
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Form1::Form_Resize()
{
    ResizeForm(*this);
}

void Form1::ResizeInit(QWidget &FormName)
{
    m_layout.record(FormName);
}

void Form1::ResizeForm(QWidget &FormName)
{
    const int line = statusLineHeight();
    m_layout.apply(FormName, FormName.size() - QSize(0, line));
    if (m_status)
        m_status->setGeometry(0, FormName.height() - line, FormName.width(), line);
}
