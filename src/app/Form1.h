#pragma once

#include "HeldSettings.h"
#include "Notice.h"
#include "ProportionalLayout.h"
#include "SerialLink.h"
#include "SerialNotices.h"
#include "SettingsForm.h"

#include <QHash>
#include <QMap>
#include <QWidget>

#include <array>
#include <memory>

class FieldMark;
class QLabel;
class QLineEdit;

namespace Ui {
class Form1;
}

// The program's one window: every field, button and lamp, the setting
// fields' form with its settings table, and the handlers that wire them to
// the operations of the core.
//
// The controls keep their historic names (their objectName); what each is:
//   Frame5          the header strip: Label3 the title, Label32 the version
//   SSTab1          the three tabs; the first, "PELN", holds everything below
//   Frame1          the strip atop the tab: Label23, and Label4 the version
//   Frame3          "Display Setting":
//     Command2      Read from Brewer, with Shape3 beside it, the read lamp
//     Command1      Send to Brewer, with Shape2 beside it, the send lamp
//     Textsend      the LCD logo text; textreceive under it, the LCD banner
//     Combo1        the port choice ("COM1" to "COM16", or a device typed in)
//     connect       Connect: opens the chosen port, or closes the open one
//     Command3      Save; Command5 Load
//     Text18        the line holder of Load, hidden under Command2
//   Frame2          "Volumes Setting", the button grid, a row per button
//                   (Left, Center, Right) and Frame4 under it:
//     Text1..Text9, Text21..Text29, Text31..Text39
//                   pulse brew settings 1 to 8 and the volume of each row
//     Text10, Text12, Text14   the brewer's count totals (read-only)
//     Text11, Text13, Text15   the brewing counts to write
//     default1..default3       each row's Default button
//     Command_disable1, Command4  the Disable buttons of the Center and
//                   Right rows
//   Frame4          "Flowmeter Calibration": Text16 the brewer's calibration
//                   (read-only), Text17 the new one, Text19 the pump speed,
//                   Text20 the drip time
//   MSComm1         the serial port: m_link
//
// Handlers are named after their control and its event, Control_Event, as
// Form_Load and Form_Resize are: Command3_Click is Save. A handler shared by
// a group of controls is named after the group: Text_Change for every
// setting field, default_Click for the Default buttons.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    const SettingsTable &settingsTable() const { return m_form.table(); }
    const SettingsForm &settingsForm() const { return m_form; }
    const SerialLink &serialLink() const { return m_link; }
    SerialLink &serialLink() { return m_link; }

    // The window's size for a design area (what the proportional layout
    // scales, 969 x 700 as designed) of `area`: the status line lies below it.
    QSize sizeForDesignArea(QSize area) const;

    // Where Save and Load keep the settings file; the program's own
    // directory unless set otherwise.
    void setSettingsDirectory(const QString &directory) { m_settingsDirectory = directory; }
    QString settingsFilePath() const;

    // Open and Save As on a file chosen already: what the file dialogs lead
    // to, and `peln FILE` at start. The title names the file in use.
    void openFile(const QString &path);
    void saveFileAs(const QString &path);
    // The files opened or saved in this run, the latest first.
    QStringList recentFiles() const { return m_recentFiles; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Start-up, in order.
    void nameControlArrays();
    void placeGapCaptions();
    void wireSettingFields();
    void describeFields();
    void wireButtons();
    void orderKeyboard();
    void Form_Load();
    void addStatusLine();
    int statusLineHeight() const;

    // Handlers.
    void Text_Change(int field);
    bool Text_KeyPress(QObject *field, char16_t code); // true: the key is discarded
    void default_Click(int row);
    void disable_Click(QLineEdit *count);
    void Command3_Click(); // Save
    void Command5_Click(); // Load
    void connect_Click();
    void Command1_Click(); // Send to Brewer
    void Command2_Click(); // Read from Brewer
    void MSComm1_Lost(const QString &reason);
    void openClicked();
    void saveAsClicked();
    void showFileMenu(QWidget *button, const QPoint &at);
    void Form_Resize();

    // Proportional layout: every control's design geometry is recorded once
    // at start-up, and each resize places every control from that record.
    void ResizeInit(QWidget &FormName);
    void ResizeForm(QWidget &FormName);

    QLineEdit *settingField(int index) const { return m_settingFields.at(index); }
    // Marks the field if its text is not what Send would put on the line,
    // and says why in its hint and its description; every field, or one.
    void showSentValues();
    void showSentValue(int field);
    // Says in the status line whether the port is open and which, or what
    // closed it, and tells the lamps.
    void showLinkStatus(operations::PortClosedBy closedBy = operations::PortClosedBy::User);
    // Shows, at the field, what it takes, after a key or a paste it refused
    // in part: no notice, and the focus stays where it is.
    void refusedKeyHint(QLineEdit *field);
    // A modal message box with one OK button.
    void notice(const operations::Notice &notice);
    // Writes the set to `path`, first asking, when it changed on disk since
    // it was read or written here, whether to overwrite it or load it again.
    void save(const QString &path);
    void load(const QString &path, bool onlySettingsFiles);
    // The file whose settings the window shows now: named in the title, and
    // first among the recent files.
    void useFile(const QString &path);
    void wireFiles();

    std::unique_ptr<Ui::Form1> ui;
    SettingsForm m_form;                // the setting fields' texts and the settings table
    SerialLink m_link;                  // MSComm1
    QList<QLineEdit *> m_settingFields; // in the order of settingFields()
    QList<FieldMark *> m_marks;         // one on each setting field
    QLabel *m_status = nullptr;         // the status line below the design
    std::optional<operations::SentFrame> m_lastSent; // the frame this run sent last
    // The fields whose setting the brewer's last record holds otherwise than
    // the last frame sent it, and what to say of each, until they are edited.
    QMap<int, QString> m_heldDifferences;
    std::array<QLineEdit *, ButtonCount> m_totals{}; // Text10, Text12, Text14
    QString m_settingsDirectory;                     // empty: the program's directory
    QStringList m_recentFiles;                       // this run's, the latest first
    QHash<QString, QByteArray> m_digests; // each file's bytes as last read or written here
    ProportionalLayout m_layout;
};
