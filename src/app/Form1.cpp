#include "Form1.h"
#include "ui_Form1.h"

#include "FieldEditors.h"
#include "FieldValidator.h"
#include "KeyCodes.h"
#include "LoadFieldPass.h"
#include "SettingsFileAccess.h"
#include "SettingsFileFormat.h"
#include "SettingsFileLoader.h"
#include "SettingsFileNotices.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace {

const QColor LampGreen(0, 255, 0);

} // namespace

Form1::Form1(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::Form1>())
{
    ui->setupUi(this);
    nameControlArrays();
    placeGapCaptions();
    wireSettingFields();
    wireButtons();
    wireFileButtons();
    Form_Load();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
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
