#include "Form1.h"
#include "ui_Form1.h"

#include "FieldEditors.h"
#include "FieldValidator.h"
#include "KeyCodes.h"
#include "LoadFieldPass.h"
#include "PortSuggestions.h"
#include "ReplyRecord.h"
#include "ScreenFit.h"
#include "SettingWords.h"
#include "SettingsFileAccess.h"
#include "SettingsFileFormat.h"
#include "SettingsFileLoader.h"
#include "SettingsFileNotices.h"
#include "SettingsFrame.h"
#include "SlotForms.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QStyle>

namespace {

const QColor LampGreen(0, 255, 0);

} // namespace

Form1::Form1(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::Form1>())
{
    // The form is a light design with colours of its own; a dark desktop
    // theme would give its light grey frames light text.
    setPalette(style()->standardPalette());
    ui->setupUi(this);
    nameControlArrays();
    placeGapCaptions();
    wireSettingFields();
    describeFields();
    wireButtons();
    wireFileButtons();
    wireBrewerLink();
    Form_Load();
    new ScreenFit(*this);
}

Form1::~Form1() = default;

QString Form1::appTitle()
{
    return QStringLiteral("PELN");
}

void Form1::Form_Load()
{
    ResizeInit(*this); // before anything moves a control
    ui->Shape3->setFillColor(LampGreen);
    ui->Shape2->setFillColor(LampGreen);
    for (int port = 1; port <= 16; ++port)
        ui->Combo1->addItem(QStringLiteral("COM%1").arg(port));
    ui->Combo1->setCurrentIndex(2);
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

// What a screen reader announces for each box, and the hint over it.
void Form1::describeFields()
{
    const auto describe = [](QLineEdit *box, const QString &name, const QString &hint) {
        box->setAccessibleName(name);
        box->setToolTip(hint);
    };
    for (int i = 0; i < SettingFieldCount; ++i)
        describe(settingField(i), slotName(settingFields()[i].slot),
                 rangeHint(settingFields()[i].kind));
    describe(ui->Textsend, logoName(), logoHint());
    const QList<QLineEdit *> totals = {ui->Text10, ui->Text12, ui->Text14};
    for (int button = 0; button < totals.size(); ++button)
        describe(totals[button], reportedTotalName(button), reportedTotalName(button));
    describe(ui->Text16, reportedCalibrationName(), reportedCalibrationName());
}

void Form1::wireSettingFields()
{
    for (const SettingField &setting : settingFields()) {
        auto *field = findChild<QLineEdit *>(QLatin1String(setting.name));
        Q_ASSERT(field);
        m_settingFields.append(field);
        connect(field, &QLineEdit::textChanged, this,
                [this, field, &setting] { settingFieldChanged(field, setting); });
        if (hasDigitFilter(setting.kind)) {
            field->installEventFilter(this);
            new FieldValidator(field, digitFilterPasses);
        }
    }
    ui->Textsend->installEventFilter(this);
    new FieldValidator(ui->Textsend, isLogoCharacter, LogoTypedLimit);
}

void Form1::wireButtons()
{
    connect(ui->default1, &QPushButton::clicked, this, [this] { defaultClick(0); });
    connect(ui->default2, &QPushButton::clicked, this, [this] { defaultClick(1); });
    connect(ui->default3, &QPushButton::clicked, this, [this] { defaultClick(2); });
    connect(ui->Command_disable1, &QPushButton::clicked, this,
            [this] { disableClick(ui->Text13); });
    connect(ui->Command4, &QPushButton::clicked, this, [this] { disableClick(ui->Text15); });
}

void Form1::wireFileButtons()
{
    connect(ui->Command3, &QPushButton::clicked, this, &Form1::saveClick);
    connect(ui->Command5, &QPushButton::clicked, this, &Form1::loadClick);
}

QLineEdit *Form1::settingField(int index) const
{
    return m_settingFields.at(index);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto code = typedCharacterCode(*static_cast<QKeyEvent *>(event));
    if (!code)
        return false;
    if (watched == ui->Textsend) {
        if (logoFilterPasses(*code))
            return false;
        notice(logoFilterMessage());
        return true;
    }
    // Every other watched box is a digit-only setting field.
    return !digitFilterPasses(*code);
}

void Form1::settingFieldChanged(QLineEdit *field, const SettingField &setting)
{
    // Read the field itself: a nested rewrite may already have changed it.
    const FieldEdit edit = editField(setting, field->text());
    for (const SlotWrite &write : edit.writes)
        m_table.setSlot(write.slot, write.text);
    if (edit.rewrite)
        field->setText(*edit.rewrite);
}

void Form1::defaultClick(int row)
{
    const QStringList texts = defaultRowTexts();
    for (int i = 0; i < ButtonRowLength; ++i)
        settingField(buttonRowStart(row) + i)->setText(texts.at(i));
}

void Form1::disableClick(QLineEdit *countField)
{
    countField->setText(toggledDisableText(countField->text()));
}

QString Form1::settingsFilePath() const
{
    return ::settingsFilePath(m_settingsDirectory.isEmpty() ? QCoreApplication::applicationDirPath()
                                                            : m_settingsDirectory);
}

void Form1::saveClick()
{
    m_table.FillDefaults();
    const QString path = settingsFilePath();
    QString reason;
    if (!writeSettingsFile(path, settingsFileBytes(m_table, ui->Textsend->text()), &reason)) {
        detailedNotice(saveFailedText(), saveFailedDetails(path, reason), fileNoticeCaption(),
                       QMessageBox::Warning);
        return;
    }
    notice(saveSuccessfulText(), fileNoticeCaption(), QMessageBox::Information);
}

void Form1::loadClick()
{
    const QString path = settingsFilePath();
    QString reason;
    const auto bytes = readSettingsFile(path, &reason);
    if (!bytes) {
        detailedNotice(loadFailedText(), loadFailedDetails(path, reason), fileNoticeCaption(),
                       QMessageBox::Warning);
        return;
    }
    // Each line passes through Text18, and its values are read back from there.
    SettingsFileLoader loader(m_table);
    const QStringList lines = settingsFileLines(*bytes);
    for (const QString &line : lines) {
        ui->Text18->setText(line);
        if (const auto logo = loader.takeLine(ui->Text18->text()))
            ui->Textsend->setText(*logo);
    }
    showLoadedSettings();
    for (const auto &[field, text] : loadedDisableTexts(loader.flags()))
        settingField(field)->setText(text);
    if (!loader.skipped().isEmpty()) {
        detailedNotice(loadDamagedText(), loadDamagedDetails(loader.skipped()), fileNoticeCaption(),
                       QMessageBox::Warning);
        return;
    }
    notice(loadSuccessfulText(), fileNoticeCaption(), QMessageBox::Information);
}

// Sets every setting field from its slot; each field's editor then brings
// the slot in line with what the field shows.
void Form1::showLoadedSettings()
{
    for (int i = 0; i < SettingFieldCount; ++i) {
        const SettingField &setting = settingFields()[i];
        const auto shown = loadedFieldText(setting.kind, m_table.slot(setting.slot));
        if (!shown)
            continue;
        QLineEdit *field = settingField(i);
        field->setText(*shown);
        if (const auto corrected = loadedFieldCorrection(setting.kind, field->text()))
            field->setText(*corrected);
    }
}

void Form1::notice(const QString &text, const QString &caption, QMessageBox::Icon icon)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, this);
    box.exec();
}

void Form1::detailedNotice(const QString &text, const QString &details, const QString &caption,
                           QMessageBox::Icon icon)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, this);
    box.setInformativeText(details);
    box.exec();
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
    m_layout.apply(FormName);
}

namespace {

const QColor LampRed(255, 0, 0);
const QString PortClosedText = QStringLiteral("Please connect COM  First ");
constexpr int PortEntries = 16; // "COM1" to "COM16"
constexpr int ButtonFieldCount = 27;

// The system's own words on a port failure, as the line under a notice.
QString systemReport(const QString &reason)
{
    return reason.isEmpty() ? QString() : QStringLiteral("The system reported: %1").arg(reason);
}

} // namespace

void Form1::wireBrewerLink()
{
    // The port list is fixed: typed text names a device and never becomes
    // an entry.
    ui->Combo1->setInsertPolicy(QComboBox::NoInsert);
    new PortSuggestions(ui->Combo1, m_link);
    connect(ui->connect, &QPushButton::clicked, this, &Form1::connectClick);
    connect(ui->Command1, &QPushButton::clicked, this, &Form1::sendClick);
    connect(ui->Command2, &QPushButton::clicked, this, &Form1::readClick);
    connect(&m_link, &SerialLink::deviceLost, this, &Form1::linkLost);
}

void Form1::connectClick()
{
    ui->textreceive->setText(QString());
    ui->textreceive->setEnabled(false);
    m_link.setSettings(QStringLiteral("9600,n,8,1"));
    if (m_link.isOpen()) {
        m_link.close();
        ui->Textsend->setEnabled(true);
        return;
    }
    // An entry of the list stands for its port number; any other text is a
    // device name, as typed.
    const QString choice = ui->Combo1->currentText();
    const int entry = ui->Combo1->findText(choice);
    if (entry >= 0 && entry < PortEntries)
        m_link.setPortNumber(entry + 1);
    else
        m_link.setDeviceName(choice);
    if (!m_link.open()) {
        detailedNotice(QStringLiteral("The COM Used !"),
                       systemReport(m_link.errorString()) + u'\n' +
                           presentDevicesText(m_link.presentDevices()),
                       appTitle(), QMessageBox::NoIcon);
        return;
    }
    ui->Shape3->setFillColor(LampGreen);
    ui->Shape2->setFillColor(LampGreen);
    notice(QStringLiteral("COM Connect Successful "));
}

void Form1::sendClick()
{
    // Whatever is still queued leaves first: the queue is drained, never cleared.
    m_link.drainOutput();
    ui->Shape2->setFillColor(LampRed);
    ui->textreceive->setText(QStringLiteral("    Logo Set    "));
    if (!m_link.isOpen()) {
        notice(PortClosedText, QStringLiteral("Msgbox"));
        return;
    }
    m_table.FillDefaults();
    const SettingsFrame frame = buildSettingsFrame(m_table, ui->Textsend->text());
    if (!frame.refusal.isEmpty()) {
        detailedNotice(QStringLiteral("The settings were not sent to the brewer."), frame.refusal,
                       appTitle(), QMessageBox::Warning);
        return;
    }
    // The frame leaves as one block and is drained, never discarded: the
    // brewer gets all of it or the user hears that it did not.
    if (!m_link.write(frame.bytes) || !m_link.drainOutput()) {
        const QString reason = m_link.errorString();
        m_link.close();
        detailedNotice(QStringLiteral("The brewer did not get the settings: the serial port "
                                      "failed while sending. The port is now closed; check the "
                                      "cable, then press Connect and send again."),
                       systemReport(reason), appTitle(), QMessageBox::Warning);
        return;
    }
    ui->Shape2->setFillColor(LampGreen);
    notice(QStringLiteral("Send Data Successful!"));
}

void Form1::readClick()
{
    ui->textreceive->setText(QString());
    ui->Shape3->setFillColor(LampRed);
    if (!m_link.isOpen()) {
        notice(PortClosedText);
        return;
    }
    // The dump of what arrived passes through Text10 and is decoded from there.
    ui->Text10->setText(replyDump(m_link.takeInput()));
    const auto report = decodeReply(replyPieces(ui->Text10->text()));
    if (!report) {
        // No notice: the red lamp is the sign of a bad reply.
        showBadReply();
        return;
    }
    showReport(*report);
    m_link.close();
    ui->Shape3->setFillColor(LampGreen);
    notice(QStringLiteral("Receive Data Successful! "));
}

void Form1::showBadReply()
{
    for (QLineEdit *total : {ui->Text10, ui->Text12, ui->Text14})
        total->setText(QStringLiteral("0"));
    for (int i = 0; i < ButtonFieldCount; ++i)
        settingField(i)->setText(QStringLiteral("0"));
    ui->Text16->setText(QStringLiteral("0"));
}

// Each box is set in turn and its editor runs before the next: a pulse field
// shows the editor's 102 for an out-of-range value, and 102 in a pulse field
// stands for zero.
void Form1::showReport(const BrewerReport &report)
{
    const QList<QLineEdit *> totals = {ui->Text10, ui->Text12, ui->Text14};
    for (int i = 0; i < totals.size(); ++i)
        totals[i]->setText(QString::number(report.countTotals[i]));
    for (int i = 0; i < ButtonFieldCount; ++i) {
        QLineEdit *field = settingField(i);
        field->setText(QString::number(report.buttonSettings[i]));
        if (settingFields()[i].kind == FieldKind::Pulse &&
            field->text().toInt() == PulseZeroStandIn)
            field->setText(QStringLiteral("0"));
    }

    ui->Text16->setText(tenthsText(report.calibrationTenths));
    if (!ReportedCalibrationTenths.contains(report.calibrationTenths))
        ui->Text16->setText(tenthsText(ReportedCalibrationTenths.replacement));

    const auto showClamped = [](QLineEdit *field, int value, const ReportedRange &range) {
        field->setText(QString::number(value));
        if (!range.contains(value))
            field->setText(QString::number(range.replacement));
    };
    showClamped(ui->Text19, report.pumpSpeed, ReportedPumpSpeed);
    showClamped(ui->Text20, report.dripTime, ReportedDripTime);
}

void Form1::linkLost(const QString &reason)
{
    detailedNotice(QStringLiteral("The serial port stopped working, so the brewer cannot be "
                                  "reached. The port is now closed; check the cable, then press "
                                  "Connect."),
                   systemReport(reason), appTitle(), QMessageBox::Warning);
}
