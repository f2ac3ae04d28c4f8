// The real window end to end: start-up, typing, every button, the settings
// file in a folder of the test's own, the simulated brewer at the far end of
// a pseudo-terminal, the proportional layout, and thousands of
// random actions.
#include "BrewerSimulator.h"
#include "DataRow.h"
#include "GapCaption.h"
#include "Invariants.h"
#include "ReplyRecord.h"
#include "SettingNames.h"
#include "SettingsFileAccess.h"
#include "SettingsFileFormat.h"
#include "WindowUnderTest.h"

#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QScreen>
#include <QTemporaryDir>

#include <csignal>
#include <fcntl.h>
#include <malloc.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const QString Loaded = "Message:  <PELN PROGRAM DATA.TXT>  Load successful!";
const QString Damaged = "Message:  <PELN PROGRAM DATA.TXT>  Loaded, but some values were damaged!";
const QString LoadFailed = "Message:  <PELN PROGRAM DATA.TXT>  Load failed!";
const QString PortClosed = "Please connect COM  First ";
const QString Sent = "PELN: Send Data Successful!";
const QByteArray DefaultsPiece = "&" + QByteArray("66").repeated(27) + QByteArray(24, '0') + ")";

// The file Save writes when nothing has been set and the logo is empty, with
// lines replaced: "N:text" sets line N (1-based), adding empty lines up to it.
QByteArray fileWith(const QStringList &edits = {}, const char *lineEnd = "\r\n")
{
    const QString button = R"(","66","66","66","66","66","66","66","66","66",)";
    QStringList lines = {"",
                         R"("Logo","")",
                         "\"#1 Button" + button,
                         "\"#2 Button" + button,
                         "\"#3 Button" + button,
                         R"("Total cups","0000","0000","0000",)",
                         R"("Disable","00","00",)",
                         R"("Flowmeter","0000",)",
                         R"("Set pump speed","00",)",
                         R"("Drip out time","00",)"};
    for (const QString &edit : edits) {
        const int number = edit.section(':', 0, 0).toInt();
        while (lines.size() < number)
            lines << QString();
        lines[number - 1] = edit.section(':', 1);
    }
    return lines.join(QLatin1String(lineEnd)).toLatin1();
}

// A good record: counts 144, 0, 7; button settings 1..27; calibration 88.0;
// pump 100; drip 90. `changes` maps 1-based byte numbers to new values.
QByteArray record(const QList<std::pair<int, int>> &changes = {})
{
    QByteArray bytes = QByteArray("\xff\xaa\x01\x2c\x00\x00\x00\x07", 8);
    for (int i = 1; i <= 27; ++i)
        bytes += char(i);
    bytes += "\x08\x50\x64\x5a";
    for (const auto &[number, value] : changes)
        bytes[number - 1] = char(value);
    return bytes;
}

// The greys of the pixels of `area`, darkest first.
QList<int> greys(const QImage &image, const QRect &area)
{
    QList<int> found;
    for (int i = 0; i < area.width() * area.height(); ++i)
        found << qGray(image.pixel(area.left() + i % area.width(), area.top() + i / area.width()));
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { w.reset(); }

    void startUp();
    void accessibility();
    void typing_data();
    void typing();
    void keys();
    void defaultAndDisable();

    void saveAndLoadBack();
    void failedSave();
    void load_data();
    void load();
    void unreadableFile_data();
    void unreadableFile();

    void connectAndClose();
    void portChoice();
    void send_data();
    void send();
    void reply_data();
    void reply();
    void deviceVanishes_data();
    void deviceVanishes();

    void scaling();
    void drawing();

    void randomUse();

private:
    void newWindow();
    QString filePath() const { return m_dir->filePath("PELN PROGRAM DATA.TXT"); }
    QByteArray savedFile() const;
    void connectTo(const QString &device);
    bool connectToLine();
    QString act();
    QString problem(const QString &action);
    QByteArray randomBytes(int count);

    QRandomGenerator m_random;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_printed; // what the brewer printed since it was last looked at
    QTextStream m_printout{&m_printed};
    std::unique_ptr<BrewerSimulator> m_brewer;
    std::unique_ptr<WindowUnderTest> w;
};

void TestWindow::init()
{
    // Every window is built under a dark desktop theme: white text on black.
    QApplication::setPalette(QPalette(Qt::white, Qt::black));
    m_dir = std::make_unique<QTemporaryDir>();
    m_printed.clear();
    m_brewer = std::make_unique<BrewerSimulator>(m_printout);
    QVERIFY(m_brewer->start());
    newWindow();
}

void TestWindow::newWindow()
{
    w.reset();
    w = std::make_unique<WindowUnderTest>();
    w->form.setSettingsDirectory(m_dir->path());
}

QByteArray TestWindow::savedFile() const
{
    QFile file(filePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Types the device into the port box, as a user would, and presses Connect.
void TestWindow::connectTo(const QString &device)
{
    w->child<QComboBox>("Combo1")->lineEdit()->selectAll();
    QTest::keyClicks(w->child<QComboBox>("Combo1")->lineEdit(), device);
    w->told();
    w->click("connect");
}

bool TestWindow::connectToLine()
{
    connectTo(m_brewer->devicePath());
    return w->told() == QStringList{"PELN: COM Connect Successful "} &&
           w->form.serialLink().isOpen();
}

void TestWindow::startUp()
{
    QCOMPARE(w->differences({"Shape2=green", "Shape3=green", "Textsend=", "textreceive="}), "");
    auto *ports = w->child<QComboBox>("Combo1");
    QVERIFY(ports->count() == 16 && ports->itemText(0) == "COM1" && ports->itemText(15) == "COM16");
    QCOMPARE(ports->currentText(), "COM3");
    for (int slot = 0; slot < SettingsTable::SlotCount; ++slot)
        QCOMPARE(w->slot(slot), "unset");
    // The design size, or the largest that fits a smaller screen's available
    // area with the frame, centred in it.
    const QRect area = w->form.screen()->availableGeometry(), frame = w->form.frameGeometry();
    QVERIFY(area.contains(frame) && frame.center() == area.center());
    QCOMPARE(w->form.size(),
             QSize(969, 700).boundedTo(area.size() - frame.size() + w->form.size()));
    // Label arrays share one name and are told apart by their Index.
    for (const auto &[array, size] : {std::pair("Label18", 3), {"Label19", 3}, {"Label36", 2}})
        QCOMPARE(w->form.findChildren<QLabel *>(array).last()->property("Index"), size - 1);
    QVERIFY(!w->form.serialLink().isOpen() && w->told().isEmpty());
}

// For keyboard users and screen readers: Tab visits what a user can change
// or press, in reading order, then the tab bar, and comes round again;
// Shift+Tab walks the same chain backwards. Every box it reaches has a name
// and a hint with its range; read-only boxes say what they show.
void TestWindow::accessibility()
{
    QStringList chain =
        QString("Command2 Command1 Textsend Combo1 connect Command3 Command5 Text11 Text1 Text2 "
                "Text3 Text4 Text5 Text6 Text7 Text8 Text9 default1 Command_disable1 Text13 Text21 "
                "Text22 Text23 Text24 Text25 Text26 Text27 Text28 Text29 default2 Command4 Text15 "
                "Text31 Text32 Text33 Text34 Text35 Text36 Text37 Text38 Text39 default3 Text17 "
                "Text19 Text20 qt_tabwidget_tabbar")
            .split(' ');
    w->child<QWidget>("Command2")->setFocus();
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
        for (const QString &expected : chain) {
            QWidget *f = w->form.focusWidget(); // the port box's editor has no name
            QCOMPARE((f->objectName().isEmpty() ? f->parentWidget() : f)->objectName(), expected);
            if (expected.startsWith("Text")) // a name and a hint with the range
                QVERIFY(!f->accessibleName().isEmpty() && f->toolTip().contains(" to "));
            QTest::keyClick(f, key);
        }
        std::reverse(chain.begin() + 1, chain.end());
    }
    QCOMPARE(w->child("Text23")->accessibleName(), "Center Button pulse brew setting 3");
    QCOMPARE(w->child("Text23")->toolTip(), "0 to 102; a larger number becomes 102");
    QCOMPARE(w->child("Text12")->accessibleName(), "Brewer's total count, Center Button");
}

void TestWindow::typing_data()
{
    addColumns<QString, QString, QString>("field", "keys", "expected");

    addRow("pulse digit after the 0", "Text1", "5", "Text1=05 0=05");
    addRow("pulse 103 is rewritten", "Text2", "103", "Text2=102 1=66");
    addRow("pulse refuses others and Backspace", "Text3", "a-. \b", "Text3=0 2=unset");
    addRow("count takes any key", "Text11", "x", "Text11=0x 27=unset");
    addRow("count over is rewritten", "Text13", "10000", "Text13=9999 28=270F");
    addRow("calibration takes any key", "Text17", ".5", "Text17=0.5 30=0850");
    addRow("pump refuses letters", "Text19", "7a5", "Text19=075 31=4B");
    addRow("drip refuses letters", "Text20", "1a05", "Text20=0105 32=69");
}

void TestWindow::typing()
{
    QFETCH(QString, field);
    QFETCH(QString, keys);
    QFETCH(QString, expected);

    QTest::keyClicks(w->child(field), keys);
    QCOMPARE(w->differences(expected.split(' ')), "");
    QVERIFY(w->told().isEmpty());
}

// Delete edits a digit field; the clipboard shortcuts are discarded there,
// while a field without a key filter pastes as usual. The logo field answers
// a refused key with a notice, and binds typing, not the program, to 16
// characters.
void TestWindow::keys()
{
    QTest::keyClick(w->child("Text4"), Qt::Key_Home);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, "\x7f"); // as X11 sends it
    QApplication::sendEvent(w->child("Text4"), &del);
    QApplication::clipboard()->setText("12");
    for (const char *name : {"Text5", "Text19", "Text11", "Textsend"}) {
        QTest::keyClick(w->child(name), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(w->child(name), Qt::Key_Insert, Qt::ShiftModifier);
    }
    QCOMPARE(w->differences({"Text4=", "3=00", "Text5=0", "Text19=0", "Text11=01212"}), "");

    auto *logo = w->child("Textsend");
    QTest::keyClicks(logo, "Ab 9-");
    QTest::keyClick(logo, Qt::Key_Return);
    QTest::keyClicks(logo, "CDEFGHIJKLMNOPQ");
    QCOMPARE(logo->text(), "Ab 9CDEFGHIJKLMN");
    QCOMPARE(w->notices.first().icon, QMessageBox::NoIcon);
    QCOMPARE(w->told(), QStringList(4, "PELN: input letter or number"));
    // Pastes and drops that get around the key filters are held to the same
    // rules; a longer or odder text that the program set stays whole until
    // the user edits it down.
    for (const char *pasted : {"A-B", "ABCDEFGH"}) {
        QApplication::clipboard()->setText(pasted);
        logo->paste();
        w->child("Text6")->paste();
    }
    logo->setText("A-LOGO OF TWENTY CH");
    QTest::keyClicks(logo, "X\b");
    QCOMPARE(w->differences({"Text6=0", "Textsend=A-LOGO OF TWENTY C"}), "");
}

// Each Default button sets its own row and no other; each Disable button
// turns its count to "OFF" and back to 0.
void TestWindow::defaultAndDisable()
{
    for (int i = 0; i < 27; ++i)
        w->child(settingFields()[i].name)->setText("77");
    const QStringList filled = {"05", "00", "00", "00", "00", "00", "00", "00", "40"};
    for (int row = 0; row < 3; ++row) {
        w->click(QStringLiteral("default%1").arg(row + 1));
        QStringList expected;
        for (int i = 0; i < 27; ++i)
            expected << QStringLiteral("%1=%2").arg(i).arg(i / 9 <= row ? filled[i % 9] : "4D");
        QCOMPARE(w->differences(expected), "");
    }
    QCOMPARE(w->differences({"Text1=5", "Text2=0", "Text3=0", "Text8=0", "Text9=64"}), "");

    w->set({"Text15=25"});
    w->click("Command4");
    QCOMPARE(w->differences({"Text15=OFF", "34=01", "29=0019"}), "");
    w->click("Command4");
    w->click("Command_disable1");
    QCOMPARE(w->differences({"Text15=0", "34=00", "29=0000", "Text13=OFF", "33=01"}), "");
    QTest::keyClick(w->child("Text13"), Qt::Key_Backspace); // typing over "OFF" enables it
    QCOMPARE(w->differences({"Text13=OF", "33=00", "28=unset"}), "");
}

// Save writes the exact file; what it wrote comes back in a new window: the
// logo byte for byte, a volume of 0 as 102, a pulse of 102, which means
// zero, as 0, and the Disable toggles with the counts they keep.
void TestWindow::saveAndLoadBack()
{
    const QString logo = QString::fromLatin1("Caf\xE9 \"1\", longer than 16");
    QCOMPARE(w->form.settingsFilePath(), QDir::toNativeSeparators(filePath()));
    w->click("Command3");
    QCOMPARE(savedFile(), fileWith());
    QCOMPARE(w->notices.first().icon, QMessageBox::Information);
    QCOMPARE(w->told(), QStringList{"Message:  <PELN PROGRAM DATA.TXT>  Save successful!"});
    QCOMPARE(tableProblem(w->form.settingsTable(), true), QString()); // the defaults stay

    w->set({"Text31=0", "Text32=10", "Text33=102", "Text39=64", "Text21=", "Text29=0",
            "Text11=3600", "Text15=9999", "Text13=25", "Text13=OFF", "Text17=88", "Text19=100",
            "Text20=90", "Textsend=" + logo});
    w->click("Command3");
    const QByteArray saved = fileWith(
        {"2:\"Logo\",\"" + logo + '"',
         R"(4:"#2 Button","66","66","66","66","66","66","66","66","66",)",
         R"(5:"#3 Button","66","0A","66","66","66","66","66","66","40",)",
         R"(6:"Total cups","0E10","0019","270F",)", R"(7:"Disable","01","00",)",
         R"(8:"Flowmeter","0850",)", R"(9:"Set pump speed","64",)", R"(10:"Drip out time","5A",)"});
    QCOMPARE(savedFile(), saved);
    w->click("Command3");
    QCOMPARE(savedFile(), saved); // no edit, no change

    newWindow();
    w->click("Command5");
    QCOMPARE(w->told(), QStringList{Loaded});
    QCOMPARE(w->differences({"Text31=0", "Text32=10", "Text33=0", "Text39=64", "Text21=0",
                             "Text29=102", "Text11=3600", "Text15=9999", "Text13=OFF", "Text17=88",
                             "Text19=100", "Text20=90", "Textsend=" + logo}),
             "");
    w->click("Command3");
    QCOMPARE(savedFile(), saved); // loaded, then saved: the same bytes, the flags included
    // The Right Button disabled and the Center Button not, through the file
    // into the next frame.
    w->set({"Text13=25", "Text15=OFF"});
    w->click("Command3");
    newWindow();
    w->click("Command5");
    QCOMPARE(w->differences({"Text13=25", "Text15=OFF"}), "");
    QVERIFY(connectToLine());
    w->click("Command1");
    QTRY_VERIFY(m_brewer->lastFrame().endsWith("0E100019270F00010850645A)")); // counts, flags
}

// A file that cannot be written, whole or in part, leaves the old one as it
// was and says why.
void TestWindow::failedSave()
{
    QVERIFY(QDir(m_dir->path()).mkdir("PELN PROGRAM DATA.TXT")); // fails for root too
    w->click("Command3");
    const Notice notice = w->notices.value(0);
    QVERIFY2(notice.details.contains(QDir::toNativeSeparators(filePath())) &&
                 notice.details.contains("directory") && notice.icon == QMessageBox::Warning,
             qPrintable(notice.details));
    QCOMPARE(w->told(), QStringList{"Message:  <PELN PROGRAM DATA.TXT>  Save failed!"});
    QVERIFY(QDir(m_dir->path()).rmdir("PELN PROGRAM DATA.TXT"));

    // A disk that fills up half way, simulated by a limit on file size: no
    // temporary file is left behind either.
    QString reason;
    QVERIFY(writeSettingsFile(filePath(), "old settings", &reason));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const rlimit small{100, previous.rlim_max};
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = writeSettingsFile(filePath(), QByteArray(300, 'n'), &reason);
    setrlimit(RLIMIT_FSIZE, &previous);
    QVERIFY(!written && reason == "File too large");
    QCOMPARE(savedFile(), "old settings");
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// Load over a window whose fields all show 77 but Text13, which is "OFF".
void TestWindow::load_data()
{
    addColumns<QByteArray, QStringList, QString>("bytes", "expected", "notice");
    const auto button = [](int row, const QString &first, const QString &second,
                           const QString &volume) {
        return QStringLiteral(R"("#%1 Button","%2","%3","66","04","05","06","07","08","%4",)")
            .arg(row)
            .arg(first, second, volume);
    };

    QStringList defaults = QString("Textsend= Text17=88 Text19=100 Text20=90 0=00 8=66 30=0850 "
                                   "31=64 32=5A")
                               .split(' ');
    defaults << R"(Text18="Drip out time","00",)";
    for (int i = 0; i < 30; ++i) // the button fields and the counts
        defaults << settingFields()[i].name + QString(i % 9 == 8 && i < 27 ? "=102" : "=0");
    addRow("default file", fileWith(), defaults, Loaded);
    // Any first character; a key in another case is no key; the later of two
    // lines wins; 102 (66) and anything larger (C8) is zero in a pulse field
    // and 102 in a volume field; the Disable record turns counts off, which
    // keep their values.
    addRow("values and their rules, LF line ends",
           fileWith({R"(2:"Logo","AB)", "3:'" + button(1, "0A", "C8", "C8").mid(1),
                     "4:" + button(2, "01", "02", "03").replace("Button", "button"),
                     "5:" + button(3, "01", "02", "03"), R"(6:"Total cups","00FA","0000","270F",)",
                     R"(7:"Disable","01","01",)", R"(8:"Flowmeter","094e",)",
                     R"(9:"Set pump speed","46",)", R"(10:"Drip out time","6A",)",
                     "11:" + button(3, "0B", "0C", "0D")},
                    "\n"),
           QStringList{"Textsend=A", "Text1=10",  "Text2=0",   "Text3=0",     "Text9=102",
                       "0=0A",       "1=00",      "8=66",      "Text21=77",   "9=4D",
                       "Text31=11",  "Text32=12", "Text39=13", "Text11=250",  "Text13=OFF",
                       "Text15=OFF", "33=01",     "34=01",     "Text17=97.8", "30=094E",
                       "29=270F",    "Text19=70", "31=46",     "Text20=90",   "32=5A"},
           Loaded);
    addRow("out of range, no Disable record, CR line ends",
           fileWith({R"(2:"Logo)", "7:", R"(8:"Flowmeter","0A33",)", R"(9:"Set pump speed","65",)"},
                    "\r"),
           QStringList{"Textsend=", "Text17=88", "30=0850", "Text19=100", "31=64", "Text13=0",
                       "33=00", R"(Text18="Drip out time","00",)"},
           Loaded);
    // A value that is not a slot text is skipped and named; its slot keeps
    // its text. The first ten are named.
    addRow("damaged values",
           fileWith({R"(3:"#1 Button","0A00","02","03","04","05","06","07","08","09",)",
                     R"(6:"Total cups","00FA","ZZZZ","0001",)", R"(7:"Disable","02","01",)",
                     R"(9:"Set pump speed","5Z",)", R"(10:"Drip out time","4)"}),
           QStringList{"Text1=10", "Text2=77", "1=4D", "Text13=77", "Text15=OFF", "29=0001",
                       "Text19=77", "31=4D", "Text20=77"},
           Damaged + R"(|Line 3, "#1 Button" value 2: ","|Line 6, "Total cups" value 2: "ZZZZ")"
                     R"(|Line 7, "Disable" value 1: "02"|... and 2 more)");
}

// The notice column holds the notice, then, after "|", pieces of its details.
void TestWindow::load()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    QFETCH(QString, notice);

    for (const SettingField &setting : settingFields())
        w->child(setting.name)->setText("77");
    w->set({"Text13=OFF", "Textsend=OLD"});
    QString reason;
    QVERIFY(writeSettingsFile(filePath(), bytes, &reason));
    w->click("Command5");
    QCOMPARE(w->differences(expected), "");
    QCOMPARE(tableProblem(w->form.settingsTable()), QString());
    const Notice shown = w->notices.value(0);
    QCOMPARE(shown.icon, notice == Loaded ? QMessageBox::Information : QMessageBox::Warning);
    for (const QString &piece : notice.split('|').mid(1))
        QVERIFY2(shown.details.contains(piece), qPrintable(shown.details));
    QCOMPARE(w->told(), QStringList{notice.section('|', 0, 0)});

    // In a window just started, Load shows what peln-cli show prints, and
    // Send would send what peln-cli frame writes.
    newWindow();
    w->click("Command5");
    QProcess cli;
    cli.setWorkingDirectory(m_dir->path());
    cli.start(PELN_CLI, {"show"});
    QVERIFY(cli.waitForFinished());
    QString lines;
    for (const auto &[name, value] : shownSettings(w->form.settingsForm(), w->text("Textsend")))
        lines += name + '=' + value + '\n';
    QCOMPARE(QString::fromUtf8(cli.readAllStandardOutput()), lines);
    cli.start(PELN_CLI, {"frame"});
    QVERIFY(cli.waitForFinished());
    SettingsTable table = w->form.settingsTable();
    table.FillDefaults();
    QCOMPARE(cli.readAllStandardOutput(), buildSettingsFrame(table, w->text("Textsend")).bytes);
}

void TestWindow::unreadableFile_data()
{
    addColumns<int, QString>("cause", "notice");
    addRow("missing file", 0, LoadFailed);
    addRow("a folder in its place", 1, LoadFailed);
    addRow("too large for a settings file", 2, LoadFailed);
    addRow("as large as a settings file may be", 3, Loaded);
}

// A file that cannot be read changes no field, slot or logo.
void TestWindow::unreadableFile()
{
    QFETCH(int, cause);
    QString reason;
    QVERIFY(cause != 1 || QDir().mkpath(filePath()));
    QVERIFY(cause < 2 ||
            writeSettingsFile(filePath(), QByteArray(SettingsFileSizeLimit + 3 - cause, '\n'),
                              &reason));
    w->set({"Text3=12", "Text17=97.8", "Textsend=KEEP"});
    w->click("Command5");
    const QString details = w->notices.value(0).details;
    QVERIFY2(cause == 3 || (details.contains(QDir::toNativeSeparators(filePath())) &&
                            details.endsWith("No setting was changed.")),
             qPrintable(details));
    QTEST(w->told().join('|'), "notice");
    QCOMPARE(w->differences({"Text3=12", "Text17=97.8", "Textsend=KEEP", "2=0C", "0=unset"}), "");
}

// Connect opens the line at 9600 baud, 8N1, turns both lamps green and
// empties the banner for good; pressing it again closes the port silently,
// releases it and drops what was waiting.
void TestWindow::connectAndClose()
{
    // A port held by another program, by Qt's lock or an flock, stays shut.
    const int holder = ::open(qPrintable(m_brewer->devicePath()), O_RDWR | O_NOCTTY);
    SerialLink other;
    other.setDeviceName(m_brewer->devicePath());
    for (bool byFlock : {false, true}) {
        QVERIFY(byFlock ? flock(holder, LOCK_EX | LOCK_NB) == 0 : other.open());
        connectTo(m_brewer->devicePath());
        QVERIFY(w->notices.value(0).details.contains(": the port is in use by another program"));
        QCOMPARE(w->told(), QStringList{"PELN: The COM Used !"});
        other.close();
    }
    QVERIFY(flock(holder, LOCK_UN) == 0);
    w->click("Command1");
    w->click("Command2");
    w->set({"textreceive=    Logo Set    "});
    QVERIFY(connectToLine());
    QCOMPARE(w->differences({"Shape2=green", "Shape3=green", "textreceive="}), "");
    QVERIFY(!w->child("textreceive")->isEnabled());
    QCOMPARE(m_brewer->lineSettings(), "9600 baud, 8N1");
    QVERIFY(flock(holder, LOCK_EX | LOCK_NB) != 0); // held as other serial programs check
    ::close(holder);

    m_brewer->send(record());
    QTRY_COMPARE(w->form.serialLink().waitingCount(), 39);
    w->click("connect");
    QVERIFY(w->told().isEmpty() && !w->form.serialLink().isOpen());
    // Another program can take the port now.
    QVERIFY(other.open());
    other.close();
    QVERIFY((LineSettings::parse(" 1200 ,E,7,1.5") == LineSettings{1200, QSerialPort::EvenParity,
                                                                   QSerialPort::Data7,
                                                                   QSerialPort::OneAndHalfStop}));

    QVERIFY(connectToLine());
    w->click("Command2"); // the record was dropped: nothing to read
    QCOMPARE(w->shown("Shape3"), "red");
}

// An entry stands for its port number; typed text is a device name. A
// device that cannot be opened is named with the system's reason, and the
// lamps keep their colours.
void TestWindow::portChoice()
{
    auto *ports = w->child<QComboBox>("Combo1");
    ports->setCurrentIndex(15);
    w->click("connect");
    QCOMPARE(w->form.serialLink().deviceName(), "/dev/ttyS15");
    if (w->form.serialLink().isOpen()) // a machine may have such a port
        w->click("connect");
    w->click("Command1"); // turns the send lamp red
    // The devices present are offered while the user types, and named when
    // Connect fails.
    SerialLink &link = w->form.serialLink();
    link.setDeviceLister([] {
        return QList<SerialDevice>{{"/dev/ttyUSB0", "FT232R USB UART", ""}};
    });
    QFocusEvent focus(QEvent::FocusIn);
    QApplication::sendEvent(ports, &focus);
    connectTo("usb");
    QCOMPARE(ports->lineEdit()->completer()->currentCompletion(), "/dev/ttyUSB0");
    QVERIFY(ports->toolTip().endsWith(":\n/dev/ttyUSB0 (FT232R USB UART)"));
    QCOMPARE(w->form.serialLink().deviceName(), "usb");
    QCOMPARE(w->notices.value(0).details.section('\n', 1),
             "Serial ports on this computer: /dev/ttyUSB0 (FT232R USB UART)");
    QCOMPARE(w->told(), QStringList{"PELN: The COM Used !"});
    QVERIFY(!w->form.serialLink().isOpen() && w->shown("Shape2") == "red");
    QCOMPARE(ports->count(), 16);

    // A device this user may not open: the notice says which group to join.
    const uid_t user = geteuid();
    QVERIFY(chmod(qPrintable(m_brewer->devicePath()), 0) == 0 &&
            (user != 0 || seteuid(65534) == 0));
    connectTo(m_brewer->devicePath());
    QVERIFY(seteuid(user) == 0);
    QVERIFY(w->notices.value(0).details.contains("your user must be in the dialout group"));
}

void TestWindow::send_data()
{
    addColumns<QStringList, QByteArray>("fields", "frame"); // no frame: refused

    addRow("nothing set, empty logo", QStringList(), "$$/" + DefaultsPiece);
    addRow("16-character logo", QStringList{"Textsend=Cafe 1234 ABCDEF"},
           "$$Cafe 1234 ABCDEF/" + DefaultsPiece);
    addRow("17-character logo is left out", QStringList{"Textsend=Cafe 1234 ABCDEFG"},
           DefaultsPiece);
    addRow("edited fields",
           QStringList{"Text1=10", "Text2=00", "Text9=64", "Text39=102", "Text13=OFF", "Text15=25",
                       "Text17=97.8", "Text19=75", "Text20=105", "Textsend=Hot Coffee"},
           "$$Hot Coffee/&0A6666666666666640" + QByteArray("66").repeated(18) +
               "000000000019" // counts
               "0100"         // flags
               "094E4B69)");  // calibration, pump, drip
    addRow("a logo that would misalign the frame", QStringList{"Textsend=A/B"}, QByteArray());
}

// The frame reaches the line whole before Send reports, several in a row too.
void TestWindow::send()
{
    QFETCH(QStringList, fields);
    QFETCH(QByteArray, frame);

    w->set(fields);
    QVERIFY(connectToLine());
    for (int round = 1; round <= (frame.isEmpty() ? 1 : 5); ++round) {
        w->click("Command1");
        QTRY_COMPARE(m_printed.count("Settings frame"), frame.isEmpty() ? 0 : round);
        QCOMPARE(m_brewer->lastFrame(), frame);
    }
    QVERIFY(!m_printed.contains("Malformed"));
    QCOMPARE(w->told(), frame.isEmpty()
                            ? QStringList{"PELN: The settings were not sent to the brewer."}
                            : QStringList(5, Sent));
    QVERIFY(w->form.serialLink().isOpen());
    // The defaults stay in the table; the fields keep what they showed.
    QCOMPARE(w->differences({"textreceive=    Logo Set    ", "3=66", "28=0000", "Text3=0",
                             frame.isEmpty() ? "Shape2=red" : "Shape2=green"}),
             "");
}

void TestWindow::reply_data()
{
    addColumns<QByteArray, QStringList>("reply", "expected");

    QStringList example = {"Text10=144", "Text12=0", "Text14=7", "Text16=88", "Text19=100",
                           "Text20=90",  "0=01",     "8=09",     "26=1B",     "31=64"};
    for (int i = 0; i < 27; ++i)
        example << settingFields()[i].name + QStringLiteral("=%1").arg(i + 1);
    addRow("example record", record(), example);
    // 102 and anything larger is zero in a pulse field, 102 in a volume
    // field. Text31 already shows 0: setting it again runs no editor.
    addRow("102 and more", record({{9, 102}, {17, 102}, {18, 200}, {26, 200}, {27, 0}}),
           QStringList{"Text1=0", "Text9=102", "Text21=0", "Text29=102", "Text31=0", "0=00", "8=66",
                       "9=00", "17=66", "18=unset"});
    // Out of range, the calibration shows 88, the pump speed 100 and the
    // drip time 90.
    addRow("calibration and pump out of range", record({{36, 3}, {37, 84}, {38, 69}, {39, 105}}),
           QStringList{"Text16=88", "Text19=100", "Text20=105", "31=64", "32=69"});
    addRow("the other edges", record({{36, 8}, {37, 0x55}, {38, 70}, {39, 106}}),
           QStringList{"Text16=88.5", "Text19=70", "Text20=90", "31=46", "32=5A"});
    // A bad reply zeroes the totals, the button fields and Text16 only.
    const QStringList zeroed = {"Text10=0", "Text14=0",  "Text1=0",   "Text29=0", "Text39=0",
                                "Text16=0", "Text19=75", "Text20=80", "0=00",     "17=00"};
    // A line that keeps talking: what comes after the first 64 KiB is dropped.
    addRow("a flood after the record", record() + QByteArray(200000, '\x5a'), example);
    addRow("nothing received", QByteArray(), zeroed);
    addRow("header bytes swapped", record({{1, 0xAA}, {2, 0xFF}}), zeroed);
}

void TestWindow::reply()
{
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, expected);
    const bool good = reply.startsWith("\xff");

    QVERIFY(connectToLine());
    w->set({"Text10=123", "Text1=7", "Text29=64", "Text16=97.8", "Text19=75", "Text20=80",
            "Text11=12", "Text13=OFF", "Text17=97.8", "textreceive=    Logo Set    "});
    // Bytes that arrive before Read wait for it, in little more memory than
    // they take, up to the first 64 KiB.
    const size_t heapBefore = mallinfo2().uordblks + mallinfo2().hblkhd;
    for (qsizetype at = 0, size = 2; at < reply.size(); at += size, size = 100) {
        m_brewer->send(reply.mid(at, size));
        QCoreApplication::processEvents(); // one arrival for each piece
    }
    QTRY_COMPARE(w->form.serialLink().waitingCount(), qMin(reply.size(), 65536));
    QVERIFY(mallinfo2().uordblks + mallinfo2().hblkhd < heapBefore + 2'000'000);

    const QDeadlineTimer hang(3000);
    w->click("Command2");
    QVERIFY(!hang.hasExpired()); // whatever arrived
    // A read leaves the counts to write, the flags and the calibration alone.
    QCOMPARE(
        w->differences(expected + QStringList{"textreceive=", "27=000C", "33=01", "30=094E",
                                              "Text17=97.8", good ? "Shape3=green" : "Shape3=red"}),
        "");
    QCOMPARE(w->form.serialLink().waitingCount(), 0);
    // After a good read the port is closed; after a bad one a send still goes out.
    w->click("Command1");
    QCOMPARE(w->told(),
             good ? QStringList({"PELN: Receive Data Successful! ", "Msgbox: " + PortClosed})
                  : QStringList{Sent});
}

void TestWindow::deviceVanishes_data()
{
    addColumns<bool, bool, QString>("reopened", "duringSend", "told");
    addRow("first connection, idle", false, false, "stopped working");
    addRow("reopened, idle", true, false, "stopped working");
    addRow("during a send", true, true, "did not get the settings");
}

// A pulled-out adapter: the user is told once, the port ends up closed, and
// the program goes on.
void TestWindow::deviceVanishes()
{
    QFETCH(bool, reopened);
    QFETCH(bool, duringSend);
    QFETCH(QString, told);

    QVERIFY(connectToLine());
    if (reopened) {
        w->click("connect");
        QVERIFY(connectToLine());
    }
    m_brewer->unplug();
    if (duringSend)
        w->click("Command1");
    QTRY_COMPARE(w->notices.size(), 1);
    QTest::qWait(300); // no flood of notices follows
    const Notice notice = w->notices.first();
    QVERIFY2(notice.text.contains(told) && notice.text.contains("closed"), qPrintable(notice.text));
    QVERIFY(!notice.details.isEmpty() && notice.icon == QMessageBox::Warning);
    QCOMPARE(w->told().size(), 1);
    QVERIFY(!w->form.serialLink().isOpen());
    QCOMPARE(w->shown("Shape2"), duringSend ? "red" : "green");
}

// Every control with a record, the straight lines among them, is placed at
// its design place times the two ratios, within its own container, from its
// record alone, also after a 0 x 0 client area; type stays as it is, and so
// does a control whose record does not read.
void TestWindow::scaling()
{
    QCOMPARE(w->child<QWidget>("Frame3")->property("Tag"), "120    960    14175    1935    ");
    QCOMPARE(w->child<QWidget>("Line1")->property("Tag"), "3720    60    45    3120    ");
    QVERIFY(!w->child<QComboBox>("Combo1")->lineEdit()->property("Tag").isValid());
    QHash<QWidget *, QRect> design;
    for (QWidget *widget : w->form.findChildren<QWidget *>()) {
        if (widget->property("Tag").isValid())
            design.insert(widget, widget->geometry());
    }
    const QFont title = w->child<QWidget>("Label3")->font();
    w->child<QWidget>("Text5")->setProperty("Tag", "502    90    53");
    for (const auto &[h, v] : {std::pair(1, 1), {2, 1}, {3, 3}, {0, 0}, {2, 2}}) {
        w->form.resize(969 * h, 700 * v);
        QCOMPARE(w->form.size(), QSize(969 * h, 700 * v));
        for (auto it = design.cbegin(); it != design.cend(); ++it) {
            const QRect d = it.value();
            const bool kept = it.key()->objectName() == "Text5";
            const QRect expected =
                kept ? d : QRect(d.x() * h, d.y() * v, d.width() * h, d.height() * v);
            QVERIFY2(it.key()->geometry() == expected, qPrintable(it.key()->objectName()));
        }
    }
    QCOMPARE(w->child<QWidget>("Label3")->font(), title);
}

// Drawn at 0.85, 1 and 2 times the design size (the loop ends at 2), under
// the dark theme and at the scale factor of the run: each straight line one device pixel thick
// along its own place, between the controls it separates; captions dark on
// light grey, the volumes dark on light red, the banner black on blue even
// when disabled.
void TestWindow::drawing()
{
    w->set({"textreceive=    Logo Set    "});
    w->child("textreceive")->setEnabled(false);
    for (const double scale : {0.85, 1.0, 2.0}) {
        w->form.resize(QSize(969, 700) * scale);
        const QImage shot = w->form.grab().toImage();
        const auto place = [&](const QString &name) {
            const auto *control = w->child<QWidget>(name);
            return QRect(control->mapTo(&w->form, QPoint()) * shot.devicePixelRatio(),
                         control->size() * shot.devicePixelRatio());
        };
        // Each line, then the controls on either side of it at a point along it.
        for (const QString line :
             {"Line1 Text11 Text1", "Line1 Text15 Text31", "Line2 Label13 Label11",
              "Line3 Label26 Label27", "Line4 Label29 Label30"}) {
            const QStringList c = line.split(' ');
            // Across the gap between the two controls, through its middle.
            const QRect gap = QRect(place(c[1]).bottomRight(), place(c[2]).topLeft()).normalized();
            const QList<int> across =
                greys(shot, w->child<QFrame>(c[0])->frameShape() == QFrame::VLine
                                ? QRect(gap.left(), gap.center().y(), gap.width(), 1)
                                : QRect(gap.center().x(), gap.top(), 1, gap.height()));
            QVERIFY2(across.value(0, 255) < 128 && across.value(1, 255) >= 128, qPrintable(line));
        }
        // Captions and a volume box: dark text, on a light ground.
        for (const QString &name : QString("Label3 Label23 Label13 Label24 Text9").split(' ')) {
            const QList<int> inside = greys(shot, place(name).adjusted(3, 3, -3, -3));
            QVERIFY2(inside.first() < 30 && inside[inside.size() / 2] > 200, qPrintable(name));
        }
        QVERIFY(greys(shot, place("textreceive").adjusted(8, 8, -8, -8)).last() < 50);
        // The LCD type keeps its size where it fits and shrinks only a little.
        const double points = w->child("Textsend")->font().pointSizeF();
        QVERIFY(scale < 1 ? points > 20 && points < 26.25 : points == 26.25);
    }
    // At twice the width the boxes and the fraction in the gaps of three
    // captions outgrow the gaps: the words after a gap are drawn past them
    // and within the caption, and clicks still reach the boxes.
    for (const auto &[caption, occupant] : {std::pair("Label21", "Text16"),
                                            {"Label22", "Text17"},
                                            {"Label28", "Label29"},
                                            {"Label28", "Label30"}}) {
        auto *label = w->child<GapCaption>(caption);
        const QString suffix = label->text().mid(label->text().lastIndexOf("  ") + 2);
        QVERIFY(label->x() + label->contentsRect().left() + label->suffixOffset() >
                w->child<QWidget>(occupant)->geometry().right());
        QVERIFY(label->suffixOffset() + label->fontMetrics().horizontalAdvance(suffix) <=
                label->contentsRect().width());
    }
    for (const char *name : {"Text16", "Text17"}) {
        auto *box = w->child(name);
        QCOMPARE(w->form.childAt(box->mapTo(&w->form, box->rect().center())), box);
    }
}

// Random bytes, half of them values that sit on a rule's edge.
QByteArray TestWindow::randomBytes(int count)
{
    static const uchar Telling[] = {0x00, 0x45, 0x46, 0x64, 0x65, 0x66, 0x69, 0x6A, 0xC8, 0xFF};
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += char(m_random.bounded(2) ? Telling[m_random.bounded(10)] : m_random.bounded(256));
    return bytes;
}

// Does one random thing a user can do and says what: keys (\b is Backspace,
// \x7f Delete, \x01 Home) or a paste into a field, a button (Send and
// Connect more often), a record from the brewer, then Read, or damage to the
// file, then Load.
QString TestWindow::act()
{
    const QStringList buttons = {"default1", "default2", "default3", "Command_disable1",
                                 "Command4", "connect",  "connect",  "Command1",
                                 "Command1", "Command1", "Command3"};
    const QString keys = "0123456789012345678901.-+ eOFfa/$&\b\b\x7f\x01";
    const int index = m_random.bounded(SettingFieldCount + 1);
    QLineEdit *field =
        w->child(index < SettingFieldCount ? settingFields()[index].name : "Textsend");
    QString text;
    const int roll = m_random.bounded(100);
    if (roll < 45) {
        for (int n = 1 + m_random.bounded(5); n > 0; --n)
            text += keys[m_random.bounded(int(keys.size()))];
        for (QChar key : text) {
            if (key == u'\x7f' || key == u'\x01')
                QTest::keyClick(field, key == u'\x01' ? Qt::Key_Home : Qt::Key_Delete);
            else
                QTest::keyClick(field, key.toLatin1());
        }
    } else if (roll < 50) {
        for (int n = m_random.bounded(6); n > 0; --n)
            text += m_random.bounded(3) ? keys[m_random.bounded(10)]
                                        : QChar(m_random.bounded(0x20, 0x250));
        QGuiApplication::clipboard()->setText(text);
        field->paste(); // as the context menu does
    } else if (roll < 80) {
        const QString button = buttons[m_random.bounded(int(buttons.size()))];
        w->click(button);
        return button;
    } else if (roll < 91) {
        // A record of 39 bytes or any other length, headed FF AA, AA FF or noise.
        const int shape = m_random.bounded(4);
        QByteArray bytes = randomBytes(shape == 0 ? ReplyLength : m_random.bounded(60));
        if (shape < 3 && bytes.size() >= 2)
            bytes.replace(0, 2, shape == 2 ? "\xaa\xff" : "\xff\xaa");
        const SerialLink &link = w->form.serialLink();
        const qint64 expected = link.waitingCount() + bytes.size();
        if (link.isOpen() && (m_brewer->send(bytes), true) &&
            !QTest::qWaitFor([&] { return link.waitingCount() >= expected; }, 5000))
            return "! the record sent does not wait in the port";
        w->click("Command2");
        return "Command2 after the brewer sent " + bytes.toHex(' ');
    } else {
        // Inserts bytes, cuts some out, cuts the file short, replaces it by
        // noise or removes it.
        QFile file(w->form.settingsFilePath());
        QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        file.close();
        const int at = m_random.bounded(int(bytes.size()) + 1), way = m_random.bounded(5);
        if (way == 0)
            bytes.insert(at, randomBytes(m_random.bounded(1, 10)));
        if (way == 1)
            bytes.remove(at, m_random.bounded(1, 20));
        if (way == 2)
            bytes.truncate(at);
        if (way == 3)
            bytes = randomBytes(m_random.bounded(400));
        if (way == 4)
            file.remove();
        else if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        w->click("Command5");
        return QStringLiteral("Command5 after damage %1 at %2").arg(way).arg(at);
    }
    return field->objectName() + ": " + QString::fromLatin1(text.toUtf8().toPercentEncoding());
}

// What went wrong with the last action, if anything.
QString TestWindow::problem(const QString &action)
{
    const SettingsTable &table = w->form.settingsTable();
    if (action.startsWith('!'))
        return action;
    if (QString problem = tableProblem(table); !problem.isEmpty())
        return problem;
    const QString logo = w->text("Textsend");
    const QStringList told = w->told();
    // A successful send has handed the whole frame to the line, the brewer
    // takes it, and takes nothing else.
    const bool sent = told.contains("PELN: Send Data Successful!");
    (void)QTest::qWaitFor([&] { return !sent || m_printed.contains("Settings frame"); }, 5000);
    if (m_printed.count("Settings frame") != (sent ? 1 : 0) || m_printed.contains("Malformed"))
        return "the brewer got this after " + told.join(" | ") + ": " + m_printed;
    m_printed.clear();
    if (QString problem = sent ? frameProblem(m_brewer->lastFrame(), table, logo) : QString();
        !problem.isEmpty())
        return problem;
    // What Save reported written is on disk whole: the table and the logo.
    QFile file(w->form.settingsFilePath());
    if (action == "Command3" && told.value(0).endsWith("Save successful!") &&
        (!file.open(QIODevice::ReadOnly) || file.readAll() != settingsFileBytes(table, logo)))
        return "Save reported success, but the file does not hold the table";
    return {};
}

// Thousands of random user actions, with a brewer that answers with good,
// bad, short and random records and a settings file that is damaged between
// Save and Load. After every action the table must be well-formed, every
// frame that reached the brewer well-formed and sent for a reported success
// only, and a file that Save reported written must hold the table.
// PELN_RANDOM_SEED and PELN_RANDOM_ACTIONS choose the run. A failure names the
// seed, the failing action's number and the actions that led to it; running
// again with that number as PELN_RANDOM_ACTIONS repeats it exactly.
void TestWindow::randomUse()
{
    // Every notice makes the offscreen platform warn that it cannot pass on
    // size hints; thousands of them would bury what matters.
    static const QtMessageHandler shown = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            if (!text.contains(QLatin1String("propagateSizeHints")))
                shown(type, context, text);
        });
    const quint32 seed = qEnvironmentVariable("PELN_RANDOM_SEED", "20240606").toUInt();
    const int count = qEnvironmentVariable("PELN_RANDOM_ACTIONS", "3000").toInt();
    qInfo("random use: PELN_RANDOM_SEED=%u PELN_RANDOM_ACTIONS=%d", seed, count);
    m_random.seed(seed);
    w->child<QComboBox>("Combo1")->lineEdit()->setText(m_brewer->devicePath());

    QStringList done;
    for (int i = 1; i <= count; ++i) {
        done << act();
        if (const QString problem = this->problem(done.last()); !problem.isEmpty()) {
            for (const QString &action : done.mid(done.size() - 20))
                qWarning("  %s", qPrintable(action));
            QFAIL(qPrintable(QStringLiteral("action %1 of PELN_RANDOM_SEED=%2, the last above, "
                                            "failed: %3")
                                 .arg(i)
                                 .arg(seed)
                                 .arg(problem)));
        }
    }
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
