#include "Form1.h"
#include "ui_Form1.h"

#include "FieldEditors.h"
#include "FieldValidator.h"
#include "KeyCodes.h"
#include "LoadFieldPass.h"
#include "PortSuggestions.h"
#include "ReplyDisplay.h"
#include "ReplyRecord.h"
#include "ScreenFit.h"
#include "SettingWords.h"
#include "SettingsFileAccess.h"
#include "SettingsFileFormat.h"
#include "SettingsFileNotices.h"
#include "SettingsFrame.h"

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
        connect(field, &QLineEdit::textChanged, this,
                [this, field, i] { m_form.setText(i, field->text()); });
        if (hasDigitFilter(setting.kind)) {
            field->installEventFilter(this);
            new FieldValidator(field, digitFilterPasses);
        }
    }
    m_form.changed = [this](int i) { settingField(i)->setText(m_form.text(i)); };
    ui->Textsend->installEventFilter(this);
    new FieldValidator(ui->Textsend, isLogoCharacter, LogoTypedLimit);
}

void Form1::wireButtons()
{
    connect(ui->default1, &QPushButton::clicked, this, [this] { m_form.fillDefaultRow(0); });
    connect(ui->default2, &QPushButton::clicked, this, [this] { m_form.fillDefaultRow(1); });
    connect(ui->default3, &QPushButton::clicked, this, [this] { m_form.fillDefaultRow(2); });
    connect(ui->Command_disable1, &QPushButton::clicked, this,
            [this] { m_form.toggleDisable(m_settingFields.indexOf(ui->Text13)); });
    connect(ui->Command4, &QPushButton::clicked, this,
            [this] { m_form.toggleDisable(m_settingFields.indexOf(ui->Text15)); });
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

QString Form1::settingsFilePath() const
{
    return ::settingsFilePath(m_settingsDirectory.isEmpty() ? QCoreApplication::applicationDirPath()
                                                            : m_settingsDirectory);
}

void Form1::saveClick()
{
    m_form.table().FillDefaults();
    const QString path = settingsFilePath();
    QString reason;
    if (!writeSettingsFile(path, settingsFileBytes(m_form.table(), ui->Textsend->text()),
                           &reason)) {
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
    const LoadedFile loaded = loadSettings(m_form, *bytes);
    if (loaded.logo)
        ui->Textsend->setText(*loaded.logo);
    // The line holder shows the file's last line.
    if (loaded.lastLine)
        ui->Text18->setText(*loaded.lastLine);
    if (!loaded.skipped.isEmpty()) {
        detailedNotice(loadDamagedText(), loadDamagedDetails(loaded.skipped), fileNoticeCaption(),
                       QMessageBox::Warning);
        return;
    }
    notice(loadSuccessfulText(), fileNoticeCaption(), QMessageBox::Information);
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
    m_form.table().FillDefaults();
    const SettingsFrame frame = buildSettingsFrame(m_form.table(), ui->Textsend->text());
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
    const ReplyDisplay shown = showReply(m_form, replyPieces(ui->Text10->text()));
    const QList<QLineEdit *> totals = {ui->Text10, ui->Text12, ui->Text14};
    for (int i = 0; i < ButtonCount; ++i)
        totals[i]->setText(shown.totals[i]);
    ui->Text16->setText(shown.calibration);
    if (!shown.good)
        return; // no notice: the red lamp is the sign of a bad reply
    m_link.close();
    ui->Shape3->setFillColor(LampGreen);
    notice(QStringLiteral("Receive Data Successful! "));
}

void Form1::linkLost(const QString &reason)
{
    detailedNotice(QStringLiteral("The serial port stopped working, so the brewer cannot be "
                                  "reached. The port is now closed; check the cable, then press "
                                  "Connect."),
                   systemReport(reason), appTitle(), QMessageBox::Warning);
}
