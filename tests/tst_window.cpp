// The real window end to end: start-up, typing, the wiring of every button
// to its operation, the simulated brewer at the far end of a
// pseudo-terminal, peln-cli agreeing with the window, the proportional
// layout, and thousands of random actions. The rules behind the buttons are
// tested in tst_core.
#include "BrewerOperations.h"
#include "BrewerSimulator.h"
#include "Cases.h"
#include "DataRow.h"
#include "FieldMark.h"
#include "FocusRing.h"
#include "GapCaption.h"
#include "Invariants.h"
#include "PortLockFile.h"
#include "SettingsFileAccess.h"
#include "SettingsFileFormat.h"
#include "SettingsFileOperations.h"
#include "WindowUnderTest.h"

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QGroupBox>
#include <QProcess>
#include <QProxyStyle>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScreen>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QToolTip>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <malloc.h>
#include <sys/file.h>
#include <sys/stat.h>
#endif

using namespace operations;

namespace {

const QString Saved = "Message:  <PELN PROGRAM DATA.TXT>  Save successful!";
const QString Loaded = "Message: " + LoadedNotice;
const QString Sent = "PELN: Send Data Successful!";
// The simulated brewer's line is a pseudo-terminal, which Windows does not
// have: there the tests that need it skip, and comPort() tries a COM port.
const char *const NoBrewer = "needs the simulated brewer's pseudo-terminal";
const QByteArrayList WithBrewer = {"connectAndClose",    "send",           "reply",
                                   "replyAgreesWithCli", "readChecksSend", "deviceVanishes",
                                   "randomUse"};
const QByteArray DefaultsPiece = "&" + QByteArray("66").repeated(27) + QByteArray(24, '0') + ")";

// The greys of the pixels of `area`, darkest first.
QList<int> greys(const QImage &image, const QRect &area)
{
    QList<int> found;
    for (int i = 0; i < area.width() * area.height(); ++i)
        found << qGray(image.pixel(area.left() + i % area.width(), area.top() + i / area.width()));
    std::sort(found.begin(), found.end());
    return found;
}

// Where a control's words are drawn, as their ink (wrapped words: their
// lines), in its parent's coordinates: a label's, a gap caption's words
// before and after its run, a button's, a group's title.
QList<QRect> inkOf(const QWidget &control)
{
    const QFontMetrics metrics = control.fontMetrics();
    const auto ink = [&](QRect room, int flags, const QString &words) {
        const QRect line = metrics.boundingRect(room, flags, words);
        const QRect glyphs =
            metrics.tightBoundingRect(words).translated(line.left(), line.top() + metrics.ascent());
        return (flags & Qt::TextWordWrap ? line : glyphs).translated(control.pos());
    };
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    if (const auto *caption = qobject_cast<const GapCaption *>(&control)) {
        const QStringList words = caption->text().split("  ", Qt::SkipEmptyParts);
        const QRect room = caption->contentsRect();
        return {ink(room, left, words.first()),
                ink(room.adjusted(caption->suffixOffset(), 0, 0, 0), left, words.last().trimmed())};
    }
    if (const auto *label = qobject_cast<const QLabel *>(&control);
        label && !label->text().isEmpty())
        return {ink(label->contentsRect(),
                    int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0),
                    label->text())};
    if (const auto *button = qobject_cast<const QPushButton *>(&control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        return {ink(button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button),
                    Qt::AlignCenter, button->text())};
    }
    const auto *group = qobject_cast<const QGroupBox *>(&control);
    if (!group || group->title().isEmpty())
        return {};
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    return {ink(group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                               QStyle::SC_GroupBoxLabel, group),
                Qt::AlignLeft, group->title())};
}

// Runs peln-cli in `folder` and returns its exit status; what it printed
// goes to `output`.
int runCli(const QString &folder, const QStringList &args, QByteArray *output)
{
    QProcess cli;
    cli.setWorkingDirectory(folder);
    cli.start(PELN_CLI, args);
    cli.waitForFinished();
    *output = cli.readAllStandardOutput();
    return cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
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

    void saveAndLoad();
    void saveAsAndOpen();
    void saveBesideCli();
    void loadAgreesWithCli();

    void connectAndClose();
    void portChoice();
    void send_data();
    void send();
    void reply();
    void replyAgreesWithCli();
    void readChecksSend();
    void deviceVanishes_data();
    void deviceVanishes();
    void comPort();

    void scaling();
    void captionsWhole_data();
    void captionsWhole();
    void drawing();
    void groupFrames();

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
    bool m_brewerReady = false;
    std::unique_ptr<WindowUnderTest> w;
};

// Fusion under a desktop theme: its standard palette is the theme's, here a
// dark one.
struct ThemedFusion : QProxyStyle
{
    ThemedFusion() : QProxyStyle(QStringLiteral("Fusion")) {}
    QPalette standardPalette() const override { return QPalette(Qt::white, Qt::black); }
};

void TestWindow::init()
{
    // Every window is built under a dark desktop theme: white text on black.
    static const bool themed = (QApplication::setStyle(new ThemedFusion), true);
    Q_UNUSED(themed);
    QApplication::setPalette(QPalette(Qt::white, Qt::black));
    m_dir = std::make_unique<QTemporaryDir>();
    m_printed.clear();
    m_brewer = std::make_unique<BrewerSimulator>(m_printout);
    m_brewerReady = m_brewer->start();
#ifdef Q_OS_UNIX
    QVERIFY2(m_brewerReady, qPrintable(m_brewer->errorString()));
#endif
    if (!m_brewerReady && WithBrewer.contains(QTest::currentTestFunction()))
        QSKIP(NoBrewer);
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
    w->child<QComboBox>("PortBox")->lineEdit()->selectAll();
    QTest::keyClicks(w->child<QComboBox>("PortBox")->lineEdit(), device);
    w->told();
    w->click("ConnectButton");
}

bool TestWindow::connectToLine()
{
    connectTo(m_brewer->devicePath());
    return w->told() == QStringList{"PELN: COM Connect Successful "} &&
           w->form.serialLink().isOpen();
}

void TestWindow::startUp()
{
    QCOMPARE(w->differences({"SendLamp=green", "ReadLamp=green", "logo=", "Banner="}), "");
    QCOMPARE(w->child<Lamp>("ReadLamp")->fillColor(), QColor(0, 255, 0));
    auto *ports = w->child<QComboBox>("PortBox");
    QVERIFY(ports->count() == 16 && ports->itemText(0) == "COM1" && ports->itemText(15) == "COM16");
    QCOMPARE(ports->currentText(), "COM3");
    for (int slot = 0; slot < SettingsTable::SlotCount; ++slot)
        QCOMPARE(w->slot(slot), "unset");
    // The design size, or the largest that fits a smaller screen's available
    // area with the frame, centred in it.
    const QRect area = w->form.screen()->availableGeometry(), frame = w->form.frameGeometry();
    QVERIFY(area.contains(frame) && frame.center() == area.center());
    QCOMPARE(w->form.size(), w->form.sizeForDesignArea(QSize(969, 700))
                                 .boundedTo(area.size() - frame.size() + w->form.size()));
    QCOMPARE(w->shown("StatusLine"), "Not connected");
    // Label arrays share one name and are told apart by their Index.
    for (const auto &[array, size] : {std::pair("Label18", 3), {"Label19", 3}, {"Label36", 2}})
        QCOMPARE(w->form.findChildren<QLabel *>(array).last()->property("Index"), size - 1);
    QVERIFY(!w->form.serialLink().isOpen() && w->told().isEmpty());
    // The focus is plain to see from the start: a dark ring just outside the
    // first control, two pixels wide.
    const auto *ring = w->form.findChild<QFocusFrame *>();
    const auto *read = w->child<QWidget>("ReadButton");
    QVERIFY(ring && ring->isVisible() && ring->widget() == read);
    const QImage shot = w->form.grab().toImage();
    const QPoint left =
        read->mapTo(&w->form, QPoint(0, read->height() / 2)) * shot.devicePixelRatio();
    for (const int outside : {1, 2})
        QCOMPARE(shot.pixelColor(left - QPoint(outside, 0)), FocusRing::Colour);
    w->click("SendButton"); // with no port: the send lamp turns red
    QCOMPARE(w->child<Lamp>("SendLamp")->fillColor(), QColor(255, 0, 0));
}

// For keyboard users and screen readers: the first control has the focus
// as the window opens; Tab visits what a user can change or press, in
// reading order, then the tab bar, and comes round again;
// Shift+Tab walks the same chain backwards. Every box it reaches has a name
// and a hint with its range; read-only boxes say what they show.
void TestWindow::accessibility()
{
    QStringList chain = QString("ReadButton SendButton logo PortBox ConnectButton SaveButton "
                                "LoadButton")
                            .split(' ');
    const QStringList rows = {"Left", "Center", "Right"};
    for (int row = 0; row < ButtonCount; ++row) {
        if (row > 0)
            chain << rows[row] + "Disable";
        chain << rows[row].toLower() + ".count";
        for (int column = 0; column < ButtonRowLength; ++column)
            chain << buttonFieldName(buttonSlot(row, column));
        chain << rows[row] + "Default";
    }
    chain << "calibration"
          << "pump"
          << "drip"
          << "qt_tabwidget_tabbar";
    QApplication::setActiveWindow(&w->form);
    QVERIFY(QTest::qWaitForWindowActive(&w->form));
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
        for (const QString &expected : chain) {
            QWidget *f = w->form.focusWidget(); // the port box's editor has no name
            QVERIFY(f);
            QCOMPARE((f->objectName().isEmpty() ? f->parentWidget() : f)->objectName(),
                     controlName(expected));
            QCOMPARE(w->form.findChild<QFocusFrame *>()->widget()->objectName(),
                     controlName(expected)); // the ring follows
            if (namedSetting(expected))      // a name and a hint with the range
                QVERIFY(!f->accessibleName().isEmpty() && f->toolTip().contains(" to "));
            QTest::keyClick(f, key);
        }
        std::reverse(chain.begin() + 1, chain.end());
    }
    for (const QString &row : rows) {
        const QString button = row + " Button";
        QCOMPARE(w->child(row.toLower() + ".pulse3")->accessibleName(),
                 button + " pulse brew setting 3");
        QCOMPARE(w->child(row + "Total")->accessibleName(), "Brewer's total count, " + button);
        QCOMPARE(w->child<QWidget>(row + "Default")->accessibleName(),
                 button + " default settings");
    }
    QCOMPARE(w->child("center.pulse3")->toolTip(), "0 to 102; a larger number becomes 102");
    QVERIFY(w->child("pump")->toolTip().endsWith("; until the field is changed, 0 is sent"));

    // What assistive technology is offered of the other controls; a lamp's
    // state follows its colour.
    const auto offered = [&](const char *name) {
        return QAccessible::queryAccessibleInterface(w->child<QWidget>(name));
    };
    QCOMPARE(offered("LeftDefault")->text(QAccessible::Name), "Left Button default settings");
    QCOMPARE(offered("CenterDisable")->text(QAccessible::Name), "Center Button disable");
    QCOMPARE(offered("RightDisable")->text(QAccessible::Name), "Right Button disable");
    QCOMPARE(offered("ReadLamp")->text(QAccessible::Name), "Read lamp");
    QCOMPARE(offered("SendLamp")->text(QAccessible::Name), "Send lamp");
    QCOMPARE(offered("Banner")->text(QAccessible::Name), "LCD banner");
    QVERIFY(offered("PortBox")->text(QAccessible::Description).contains("port of the brewer"));
    QVERIFY(offered("SendLamp")->text(QAccessible::Description).endsWith("; the port is closed"));
    w->click("SendButton"); // the port is closed
    QVERIFY(offered("SendLamp")->text(QAccessible::Description).contains("failed"));
    for (const char *hidden : {"LineHolder", "Line1", "Shape1"})
        QVERIFY2(offered(hidden)->state().invisible, hidden);

    // The tree a screen reader walks: each group by its own title, the port
    // box's edit line by its purpose, no line holder, lamps as status
    // indicators, read-only boxes described beyond their names, Disable a
    // toggle that says it is down, and the focus on one control only.
    QStringList tree;
    std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
        const QAccessible::State state = node->state();
        tree << QStringLiteral("%1:%2%3%4")
                    .arg(node->text(QAccessible::Name))
                    .arg(node->role())
                    .arg(state.focused ? " focused" : "", state.checked ? " down" : "");
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    QApplication::setActiveWindow(&w->form); // again, after the notice
    w->click("CenterDisable");
    walk(QAccessible::queryAccessibleInterface(&w->form));
    const auto role = [](QAccessible::Role role) { return QString::number(role); };
    for (const QString &node :
         {"Flowmeter Calibration:" + role(QAccessible::Grouping),
          "Serial port:" + role(QAccessible::EditableText),
          "Read lamp:" + role(QAccessible::StatusBar),
          "Center Button disable:" + role(QAccessible::CheckBox) + " focused down",
          "PELN:" + role(QAccessible::PageTab)})
        QVERIFY2(tree.contains(node), qPrintable(node));
    QCOMPARE(tree.filter(" focused").size(), 1);
    QVERIFY(tree.filter(QRegularExpression("^Volumes Setting:")).size() == 1 &&
            tree.filter("LineHolder").isEmpty() && tree.filter("Display Setting").size() == 1);
    QVERIFY(offered("CenterTotal")->text(QAccessible::Description).startsWith("Reported by"));
}

void TestWindow::typing_data()
{
    // What a screen reader is told of the field when Send would not send
    // what it shows.
    addColumns<QString, QString, QString, QString>("field", "keys", "expected", "described");

    addRow("pulse 103 is rewritten", "left.pulse2", "103", "left.pulse2=102 1=66", "");
    addRow("pulse takes digits and Backspace", "left.pulse3", "a-.5 \b\b7", "left.pulse3=7 2=07",
           "");
    addRow("count takes any key", "left.count", "x1", "left.count=0x1 27=unset",
           "Not a number: 0 is sent.");
    addRow("drip refuses letters", "drip", "1a05", "drip=0105 32=69", "");
    addRow("pump edits with Backspace", "pump", "5\b\b8", "pump=8 31=64",
           "Out of range 70 to 100 percent: 100 is sent.");
}

// The keys a field takes edit it, every other key is refused; a field whose
// text is not what Send would send is marked and says why.
void TestWindow::typing()
{
    QFETCH(QString, field);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QFETCH(QString, described);

    QLineEdit *box = w->child(field);
    QTest::keyClicks(box, keys);
    QCOMPARE(w->differences(expected.split(' ')), "");
    QVERIFY(w->told().isEmpty());
    QCOMPARE(box->accessibleDescription(), described);
    QCOMPARE(box->findChild<FieldMark *>()->isVisibleTo(box), !described.isEmpty());
}

// Delete edits a digit field. A paste keeps what keys would keep, and a
// field that refused a key or part of a paste says what it takes, at the
// field. The logo field answers a refused key with a notice, and binds
// typing, not the program, to 16 characters.
void TestWindow::keys()
{
    QTest::keyClick(w->child("left.pulse4"), Qt::Key_Home);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, "\x7f"); // as X11 sends it
    QApplication::sendEvent(w->child("left.pulse4"), &del);
    QApplication::clipboard()->setText("1.5");
    for (const char *name : {"left.pulse5", "pump", "left.count"})
        QTest::keyClick(w->child(name), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(w->child("drip"), Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(w->differences({"left.pulse4=", "3=00", "left.pulse5=015", "4=0F", "pump=015",
                             "left.count=01.5", "27=0002", "drip=015"}),
             "");
    QCOMPARE(QToolTip::text(), "Whole numbers 70 to 105 seconds");

    auto *logo = w->child("logo");
    QTest::keyClicks(logo, "Ab 9-");
    QTest::keyClick(logo, Qt::Key_Return);
    QTest::keyClicks(logo, "CDEFGHIJKLMNOPQ");
    QCOMPARE(logo->text(), "Ab 9CDEFGHIJKLMN");
    QCOMPARE(QToolTip::text(), "Up to 16 letters, digits and spaces");
    QCOMPARE(w->notices.first().icon, QMessageBox::NoIcon);
    QCOMPARE(w->told(), QStringList(2, "PELN: input letter or number"));
    // Pastes and drops that get around the key filters keep to the same
    // rules; a longer or odder text that the program set stays whole until
    // the user edits it down.
    logo->setText("AB");
    QApplication::clipboard()->setText("C-D");
    logo->paste();
    QCOMPARE(logo->text(), "ABCD");
    logo->setText("A-LOGO OF TWENTY CH");
    QTest::keyClicks(logo, "X\b");
    QCOMPARE(w->differences({"logo=A-LOGO OF TWENTY C"}), "");

    // Enter in a setting field moves on; Alt and a letter press a button.
    w->form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w->form));
    w->child("left.count")->setFocus();
    QTest::keyClick(w->child("left.count"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w->child("left.pulse1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::AltModifier);
    QTRY_COMPARE(w->notices.size(), 1); // a button pressed by its key shows itself pressed first
    QVERIFY(w->told().value(0).endsWith("Load failed!"));
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
    QCOMPARE(w->differences({"left.pulse1=5", "left.pulse2=0", "left.pulse3=0", "left.pulse8=0",
                             "left.volume=64"}),
             "");

    w->set({"right.count=25"});
    w->click("RightDisable");
    QCOMPARE(w->differences({"right.count=OFF", "34=01", "29=0019"}), "");
    w->click("RightDisable");
    w->click("CenterDisable");
    QCOMPARE(w->differences({"right.count=0", "34=00", "29=0000", "center.count=OFF", "33=01"}),
             "");
    QTest::keyClick(w->child("center.count"), Qt::Key_Backspace); // typing over "OFF" enables it
    QCOMPARE(w->differences({"center.count=OF", "33=00", "28=unset"}), "");
}

// Save writes the file; what it wrote comes back in a new window, the logo
// byte for byte and the Disable toggles with the counts they keep, and goes
// on into the next frame. A file that cannot be written or read is named in
// the notice, and nothing changes.
void TestWindow::saveAndLoad()
{
    const QString logo = QString::fromLatin1("Caf\xE9 \"1\", longer than 16");
    QCOMPARE(w->form.settingsFilePath(), QDir::toNativeSeparators(filePath()));
    w->click("SaveButton");
    QCOMPARE(savedFile(), fileWith());
    QCOMPARE(w->notices.first().icon, QMessageBox::Information);
    // Notices and hints keep the form's light colours under the dark desktop theme.
    QVERIFY(qGray(w->notices.first().ground.rgb()) > 200 &&
            qGray(QToolTip::palette().color(QPalette::ToolTipBase).rgb()) > 200);
    QCOMPARE(w->told(), QStringList{Saved});

    w->set({"right.pulse2=10", "left.count=3600", "right.count=OFF", "center.count=25",
            "calibration=88", "pump=100", "drip=90", "logo=" + logo});
    w->click("SaveButton");
    const QByteArray saved = fileWith(
        {"2:\"Logo\",\"" + logo + '"',
         R"(5:"#3 Button","66","0A","66","66","66","66","66","66","66",)",
         R"(6:"Total cups","0E10","0019","0000",)", R"(7:"Disable","00","01",)",
         R"(8:"Flowmeter","0850",)", R"(9:"Set pump speed","64",)", R"(10:"Drip out time","5A",)"});
    QCOMPARE(savedFile(), saved);

    newWindow();
    w->click("LoadButton");
    QCOMPARE(w->told(), QStringList{Loaded});
    QCOMPARE(
        w->differences({"right.pulse2=10", "left.count=3600", "center.count=25", "right.count=OFF",
                        "logo=" + logo, R"(LineHolder="Drip out time","5A",)"}),
        "");
    w->click("SaveButton");
    QCOMPARE(savedFile(), saved); // loaded, then saved: the same bytes, the flags included
    QCOMPARE(w->told(), QStringList{Saved});
    w->set({"logo=Hot"});

    // A file gone since Save wrote it: Save asks first, then says why it failed.
    QVERIFY(QFile::remove(filePath()) && QDir(m_dir->path()).mkdir("PELN PROGRAM DATA.TXT"));
    w->answer = "&Overwrite";
    for (const QString button : {"SaveButton", "LoadButton"}) {
        w->click(button);
        const Told told = w->notices.last();
        QVERIFY2(told.details.startsWith(QDir::toNativeSeparators(filePath()) + " could not be") &&
                     told.icon == QMessageBox::Warning,
                 qPrintable(told.details));
        w->told();
    }
    QCOMPARE(w->differences({"right.pulse2=10", "logo=Hot"}), "");

    if (!m_brewerReady)
        QSKIP(NoBrewer);
    QVERIFY(connectToLine());
    w->click("SendButton");
    QTRY_VERIFY(m_brewer->lastFrame().endsWith("0E100019000000010850645A)")); // counts, flags
    QCOMPARE(w->told(), QStringList{Sent});
}

// Save As writes the file chosen as Save writes its own, and Open loads
// one as Load does, but leaves what is no settings file alone; the title
// names the file in use. A file changed on disk since it was read or
// written here is noticed before Save overwrites it.
void TestWindow::saveAsAndOpen()
{
    const QString cafe = m_dir->filePath("Cafe Miller.txt"), notes = m_dir->filePath("notes.md");
    w->set({"pump=80"});
    w->form.saveFileAs(cafe);
    QCOMPARE(w->form.windowTitle(), "PELN \u2014 Cafe Miller.txt");
    w->click("SaveButton"); // the design's own file
    QCOMPARE(w->told(), QStringList({"Message:  <Cafe Miller.txt>  Save successful!", Saved}));
    const QByteArray saved = savedFile();
    QFile file(cafe);
    QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == saved);
    file.close(); // Windows would not let Save replace a file held open
    QCOMPARE(w->form.windowTitle(), "PELN");

    QString reason;
    QVERIFY(writeSettingsFile(notes, "# Notes\n", &reason));
    newWindow();
    w->form.openFile(notes);
    QCOMPARE(w->notices.last().details, QDir::toNativeSeparators(notes) +
                                            " is not a settings file: none of its lines is a "
                                            "record of one.\n\nNo setting was changed.");
    w->form.openFile(cafe);
    QCOMPARE(w->told(), QStringList({"Message:  <notes.md>  Load failed!",
                                     "Message:  <Cafe Miller.txt>  Load successful!"}));
    QCOMPARE(w->differences({"pump=80"}), "");
    QCOMPARE(w->form.recentFiles(), QStringList{QDir::toNativeSeparators(cafe)});

    QVERIFY(writeSettingsFile(cafe, fileWith({R"(9:"Set pump speed","5A",)"}), &reason));
    w->set({"pump=75"});
    w->answer = "&Load Again";
    w->form.saveFileAs(cafe);
    QCOMPARE(w->told().first(), "PELN: Cafe Miller.txt changed since it was loaded: overwrite it, "
                                "or load it again?");
    QCOMPARE(w->differences({"pump=90"}), "");
}

// The window saving a file again and again while a script sets another
// setting in it: each finds what it wrote still there.
void TestWindow::saveBesideCli()
{
#ifndef Q_OS_UNIX
    QSKIP("the script is a bash loop");
#endif
    const QString path = m_dir->filePath("F.TXT");
    QCOMPARE(QProcess::execute(PELN_CLI, {"set", path, "left.count=0"}), 0);
    w->form.openFile(path);
    QProcess script;
    script.start("bash", {"-c", QString("for i in $(seq 1 40); do "
                                        "  [ \"$(\"%1\" get -f \"%2\" left.count)\" = $((i - 1)) ] "
                                        "    || { echo \"lost $i\"; exit 1; }; "
                                        "  \"%1\" set \"%2\" left.count=$i >/dev/null || exit 1; "
                                        "done")
                                    .arg(PELN_CLI, path)});
    w->answer = "&Load Again";
    for (int round = 1; script.state() != QProcess::NotRunning; ++round) {
        w->set({"right.count=" + QString::number(round)});
        w->form.saveFileAs(path);
        SettingsForm file;
        if (w->told().last().endsWith("Save successful!") && loadSettingsFile(file, path).read())
            QCOMPARE(heldCount(file, fieldIndex("right.count")), QString::number(round));
        script.waitForFinished(10);
    }
    QVERIFY2(script.exitCode() == 0, script.readAll().constData());
}

// In a window just started, Load shows what peln-cli show prints of the
// same file, and Send would send what peln-cli frame writes.
void TestWindow::loadAgreesWithCli()
{
    for (const LoadCase &each : loadCases()) {
        QString reason;
        QVERIFY(writeSettingsFile(filePath(), each.bytes, &reason));
        newWindow();
        w->click("LoadButton");
        QByteArray printed;
        runCli(m_dir->path(), {"show", filePath()}, &printed);
        QString lines;
        for (const auto &[name, value] : shownSettings(w->form.settingsForm(), w->text("logo")))
            lines += name + '=' + value + '\n';
        QVERIFY2(QString::fromUtf8(printed) == lines, each.name);
        runCli(m_dir->path(), {"frame", "--force", filePath()}, &printed);
        SettingsTable table = w->form.settingsTable();
        table.FillDefaults();
        QVERIFY2(printed == buildSettingsFrame(table, w->text("logo")).bytes, each.name);
    }
}

// Connect opens the line at 9600 baud, 8N1, turns both lamps green and
// empties the banner for good; pressing it again closes the port silently,
// releases it and drops what was waiting.
void TestWindow::connectAndClose()
{
#ifdef Q_OS_UNIX // lock files and flock
    // A port held by another program, by Qt's lock, an flock or a running
    // terminal program's lock file, stays shut, and the lock file as it was.
    const int holder = ::open(qPrintable(m_brewer->devicePath()), O_RDWR | O_NOCTTY);
    SerialLink other;
    other.setDeviceName(m_brewer->devicePath());
    QProcess terminal;
    terminal.start("sleep", {"30"});
    QVERIFY(terminal.waitForStarted());
    QFile lockFile(QDir(standardLockFolders().value(0, "/nowhere"))
                       .filePath(portLockFileName(m_brewer->devicePath())));
    const QByteArray held = QString("%1\n").arg(terminal.processId(), 10).toLatin1();
    const bool lockFolder = lockFile.open(QIODevice::WriteOnly) &&
                            lockFile.write(held) == held.size() && lockFile.flush();
    for (const int by : {0, 1, 2}) {
        if (by == 0 && !lockFolder) {
            qWarning("no lock folder to write in: the lock file is not tried");
            continue;
        }
        QVERIFY(by == 1 ? other.open() : by == 2 ? flock(holder, LOCK_EX | LOCK_NB) == 0 : true);
        connectTo(m_brewer->devicePath());
        QVERIFY(w->notices.value(0).details.contains(
            "The system reported: the port is in use by another program"));
        QCOMPARE(w->told(), QStringList{"PELN: The COM Used !"});
        QCOMPARE(w->shown("StatusLine"),
                 "Not connected: " + m_brewer->devicePath() + " could not be opened");
        if (by == 0) {
            QFile again(lockFile.fileName());
            QVERIFY(again.open(QIODevice::ReadOnly) && again.readAll() == held); // untouched
            QVERIFY(lockFile.remove());
        }
        other.close();
    }
    QVERIFY(flock(holder, LOCK_UN) == 0);
    w->click("SendButton");
    w->click("ReadButton");
    w->set({"Banner=    Logo Set    "});
    QVERIFY(connectToLine());
    QCOMPARE(
        w->differences({"SendLamp=green", "ReadLamp=green", "Banner=",
                        "StatusLine=Connected to " + m_brewer->devicePath() + ", 9600 baud, 8N1"}),
        "");
    QVERIFY(w->child<QWidget>("SendLamp")->accessibleDescription().contains("ready"));
    QVERIFY(!w->child("Banner")->isEnabled());
    QCOMPARE(m_brewer->lineSettings(), "9600 baud, 8N1");
    QVERIFY(flock(holder, LOCK_EX | LOCK_NB) != 0); // held as other serial programs check
    ::close(holder);

    m_brewer->send(record());
    QTRY_COMPARE(w->form.serialLink().waitingCount(), 39);
    w->click("ConnectButton");
    QVERIFY(w->told().isEmpty() && !w->form.serialLink().isOpen());
    QCOMPARE(w->shown("StatusLine"), "Not connected");
    // Enter in the port box connects.
    QTest::keyClick(w->child<QComboBox>("PortBox")->lineEdit(), Qt::Key_Return);
    QCOMPARE(w->told(), QStringList{"PELN: COM Connect Successful "});
    w->click("ConnectButton");
    // Another program can take the port now.
    QVERIFY(other.open());
    other.close();
    QVERIFY((LineSettings::parse(" 1200 ,E,7,1.5") == LineSettings{1200, QSerialPort::EvenParity,
                                                                   QSerialPort::Data7,
                                                                   QSerialPort::OneAndHalfStop}));

    QVERIFY(connectToLine());
    w->click("ReadButton"); // the record was dropped: nothing to read
    QCOMPARE(w->shown("ReadLamp"), "red");
#endif
}

// An entry stands for its port number; typed text is a device name. A
// device that cannot be opened is named with the system's reason, and the
// lamps keep their colours.
void TestWindow::portChoice()
{
    auto *ports = w->child<QComboBox>("PortBox");
    ports->setCurrentIndex(15);
    w->click("ConnectButton");
    QCOMPARE(w->form.serialLink().deviceName(), SerialLink::deviceForPort(16));
    if (w->form.serialLink().isOpen()) // a machine may have such a port
        w->click("ConnectButton");
    w->click("SendButton"); // turns the send lamp red
    // The devices present are offered while the user types, and named when
    // Connect fails.
    SerialLink &link = w->form.serialLink();
    link.setDeviceLister([] {
        return QList<SerialDevice>{{"/dev/ttyUSB0", "FT232R USB UART", "", ""}};
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
    QVERIFY(!w->form.serialLink().isOpen() && w->shown("SendLamp") == "red");
    QCOMPARE(ports->count(), 16);

#ifdef Q_OS_UNIX
    // A device this user may not open: the notice says which group to join.
    const uid_t user = geteuid();
    QVERIFY(chmod(qPrintable(m_brewer->devicePath()), 0) == 0 &&
            (user != 0 || seteuid(65534) == 0));
    connectTo(m_brewer->devicePath());
    QVERIFY(seteuid(user) == 0);
    QVERIFY(w->notices.value(0).details.contains("your user must be in the dialout group"));
#endif
}

void TestWindow::send_data()
{
    // No frame: refused. The notice's smaller text lists what Send replaced.
    addColumns<QStringList, QByteArray, QString>("fields", "frame", "details");

    addRow("nothing set, empty logo", QStringList(), "$$/" + DefaultsPiece, "");
    addRow("an edited field, a 16-character logo",
           QStringList{"left.pulse1=10", "logo=Cafe 1234 ABCDEF"},
           "$$Cafe 1234 ABCDEF/&0A" + DefaultsPiece.mid(3), "");
    addRow("pump and drip out of range", QStringList{"pump=5", "drip=200"},
           "$$/" + DefaultsPiece.chopped(5) + "645A)",
           "Sent in place of what the fields show:\nPump working speed: 5 shown, 100 sent\n"
           "Drip-out time: 200 shown, 90 sent");
    addRow("a logo that would misalign the frame", QStringList{"logo=A/B"}, QByteArray(), "");
}

// The frame reaches the line whole before Send reports, several in a row
// too; a closed port sends nothing.
void TestWindow::send()
{
    QFETCH(QStringList, fields);
    QFETCH(QByteArray, frame);

    w->set(fields);
    w->click("SendButton");
    QCOMPARE(w->told(), QStringList{"Msgbox: Please connect COM  First "});
    QCOMPARE(w->differences({"Banner=    Logo Set    ", "SendLamp=red", "3=unset"}), "");
    QVERIFY(connectToLine());
    for (int round = 1; round <= (frame.isEmpty() ? 1 : 3); ++round) {
        w->click("SendButton");
        QTRY_COMPARE(m_printed.count("Settings frame"), frame.isEmpty() ? 0 : round);
        QCOMPARE(m_brewer->lastFrame(), frame);
    }
    QVERIFY(!m_printed.contains("Malformed"));
    if (!frame.isEmpty())
        QTEST(w->notices.last().details, "details");
    QCOMPARE(w->told(), frame.isEmpty()
                            ? QStringList{"PELN: The settings were not sent to the brewer."}
                            : QStringList(3, Sent));
    QVERIFY(w->form.serialLink().isOpen());
    // The defaults stay in the table; the fields keep what they showed.
    QCOMPARE(w->differences({"3=66", "28=0000", "left.pulse3=0",
                             frame.isEmpty() ? "SendLamp=red" : "SendLamp=green"}),
             "");
}

// Read needs an open port. Bytes that arrive before Read wait for it, in
// little more memory than they take, up to the first 64 KiB, however long
// the line keeps talking; Read takes them at once, shows the record and
// closes the port.
void TestWindow::reply()
{
    w->click("ReadButton");
    QCOMPARE(w->told(), QStringList{"PELN: Please connect COM  First "});
    QCOMPARE(w->shown("ReadLamp"), "red");
    QVERIFY(connectToLine());
    w->set({"left.count=12", "center.count=OFF", "Banner=    Logo Set    "});
    const QByteArray flood = record() + QByteArray(200000, '\x5a');
#ifdef Q_OS_LINUX
    const size_t heapBefore = mallinfo2().uordblks + mallinfo2().hblkhd;
#endif
    for (qsizetype at = 0, size = 2; at < flood.size(); at += size, size = 100) {
        m_brewer->send(flood.mid(at, size));
        QCoreApplication::processEvents(); // one arrival for each piece
    }
    QTRY_COMPARE(w->form.serialLink().waitingCount(), 65536);
#ifdef Q_OS_LINUX
    QVERIFY(mallinfo2().uordblks + mallinfo2().hblkhd < heapBefore + 2'000'000);
#endif

    const QDeadlineTimer hang(3000);
    w->click("ReadButton");
    QVERIFY(!hang.hasExpired());
    QCOMPARE(w->differences({"LeftTotal=144", "left.pulse1=1", "right.volume=27",
                             "Banner=", "27=000C", "33=01", "ReadLamp=green"}),
             "");
    QCOMPARE(w->form.serialLink().waitingCount(), 0);
    QCOMPARE(w->shown("StatusLine"), "Not connected: Read from Brewer closed the port after a "
                                     "good reply: press Connect before the next Send");
    w->click("SendButton");
    QCOMPARE(w->told(), QStringList({"PELN: Receive Data Successful! ",
                                     "Msgbox: Please connect COM  First "}));
}

// On every record of the core's table, peln-cli read prints what Read shows.
// A bad record changes no field and no slot, leaves the lamp red and the
// port open, and says why.
void TestWindow::replyAgreesWithCli()
{
    for (const ReplyCase &each : replyCases()) {
        newWindow();
        QVERIFY(connectToLine());
        w->set(replyStartFields());
        const QStringList before = formState(w->form.settingsForm());
        m_brewer->send(each.bytes);
        QTRY_COMPARE(w->form.serialLink().waitingCount(), each.bytes.size());
        w->click("ReadButton");
        const QStringList told = w->told();
        ReplyOutcome boxes; // what the window shows outside the setting fields
        boxes.totals = {w->text("LeftTotal"), w->text("CenterTotal"), w->text("RightTotal")};
        boxes.calibration = w->text("BrewerCalibration");
        QString shown;
        for (const auto &[name, value] : reportedSettings(w->form.settingsForm(), boxes))
            shown += name + '=' + value + '\n';
        // A good record closes the port; after a bad one it stays open.
        const bool good = each.bytes.startsWith("\xff\xaa") && each.bytes.size() >= 39;
        const QString problem = each.expected.filter("problem=").value(0).section('=', 1);
        QCOMPARE(w->shown("ReadLamp"), good ? "green" : "red");
        QCOMPARE(w->form.serialLink().isOpen(), !good);
        QVERIFY2(told.size() == 1 && told[0].contains(problem), qPrintable(told.join('|')));
        if (!good) {
            QCOMPARE(formState(w->form.settingsForm()), before);
            w->click("ConnectButton"); // the port is the command's now
        }

        QProcess cli;
        cli.start(PELN_CLI, {"read", "--port", m_brewer->devicePath(), "--timeout", "0.5"});
        QByteArray waiting;
        QTRY_VERIFY((waiting += cli.readAllStandardError()).startsWith("Waiting"));
        m_brewer->send(each.bytes);
        QTRY_VERIFY(cli.state() == QProcess::NotRunning);
        QVERIFY2(cli.exitCode() == (good ? 0 : 1), each.name);
        QVERIFY2(!good || cli.readAllStandardOutput() == shown, each.name);
    }
}

// After a Send, a good Read says whether the brewer holds what was sent,
// and marks each field whose setting it holds otherwise until it is edited.
// A Read with no Send before it says what it always said.
void TestWindow::readChecksSend()
{
    QVERIFY(m_brewer->command("p 2 30")); // the brewer keeps Left Button pulse 3 at 30
    QVERIFY(connectToLine());
    w->set({"left.pulse3=25", "pump=80"});
    w->click("SendButton");
    QTRY_COMPARE(w->form.serialLink().waitingCount(), ReplyLength); // the brewer's answer
    w->click("ReadButton");
    const Told told = w->notices.last();
    QCOMPARE(told.text, "Receive Data Successful! ");
    QVERIFY2(QRegularExpression("^1 setting differs from what was sent at \\d\\d:\\d\\d: Left "
                                "Button pulse brew setting 3 \\(sent 25, brewer 30\\)\\.$")
                 .match(told.details)
                 .hasMatch(),
             qPrintable(told.details));
    QLineEdit *pulse = w->child("left.pulse3");
    QCOMPARE(w->differences({"left.pulse3=30", "pump=80"}), "");
    QVERIFY(pulse->accessibleDescription().startsWith("Sent 25 at "));
    QTest::keyClick(pulse, Qt::Key_Backspace);
    QVERIFY(pulse->accessibleDescription().isEmpty());

    newWindow();
    QVERIFY(connectToLine());
    m_brewer->command("r");
    QTRY_COMPARE(w->form.serialLink().waitingCount(), ReplyLength);
    w->click("ReadButton");
    QCOMPARE(w->notices.last().details, "");
}

void TestWindow::deviceVanishes_data()
{
    addColumns<bool, bool, QString, QString>("reopened", "duringSend", "told", "status");
    addRow("first connection, idle", false, false, "stopped working", "went away");
    addRow("reopened, idle", true, false, "stopped working", "went away");
    addRow("during a send", true, true, "did not get the settings", "failed while sending");
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
        w->click("ConnectButton");
        QVERIFY(connectToLine());
    }
    m_brewer->unplug();
    if (duringSend)
        w->click("SendButton");
    QTRY_COMPARE(w->notices.size(), 1);
    QTest::qWait(300); // no flood of notices follows
    const Told notice = w->notices.first();
    QVERIFY2(notice.text.contains(told) && notice.text.contains("closed"), qPrintable(notice.text));
    QVERIFY(!notice.details.isEmpty() && notice.icon == QMessageBox::Warning);
    QCOMPARE(w->told().size(), 1);
    QVERIFY(!w->form.serialLink().isOpen());
    QCOMPARE(w->shown("SendLamp"), duringSend ? "red" : "green");
    // The line below the form says so, and so does the lamp to a screen reader.
    QFETCH(QString, status);
    QCOMPARE(w->shown("StatusLine"), QString("Not connected: %1 %2; check the cable, then press "
                                             "Connect")
                                         .arg(m_brewer->devicePath(), status));
    QVERIFY(w->child<QWidget>("ReadLamp")->accessibleDescription().endsWith("port is closed"));
}

// On Windows, a COM port that the harness (scripts/windows.sh) maps onto
// the simulated brewer's line on Linux: Send puts each loaded file's frame on
// the line, where the brewer records it; the files go to PELN_TEST_FRAMES,
// where the harness finds what the Linux build sends for them.
void TestWindow::comPort()
{
    const QString port = qEnvironmentVariable("PELN_TEST_COM_PORT");
    const QString frames = qEnvironmentVariable("PELN_TEST_FRAMES");
    if (port.isEmpty() || frames.isEmpty())
        QSKIP("PELN_TEST_COM_PORT and PELN_TEST_FRAMES name no COM port on a brewer's line");
    const QList<LoadCase> cases = loadCases();
    for (int i = 0; i < cases.size(); ++i) {
        const LoadCase &each = cases[i];
        QString reason;
        QVERIFY2(writeSettingsFile(filePath(), each.bytes, &reason), qPrintable(reason));
        QVERIFY(writeSettingsFile(QDir(frames).filePath(QStringLiteral("window-%1.TXT").arg(i)),
                                  each.bytes, &reason));
        newWindow();
        w->click("LoadButton");
        connectTo(port);
        w->click("SendButton");
        w->click("ConnectButton"); // closes the port, once the frame is on the line
        QVERIFY2(w->told().endsWith(Sent), each.name);
    }
}

// Every control with a record, the straight lines among them, is placed at
// its design place times the two ratios, within its own container, from its
// record alone, also after a 0 x 0 client area; type stays as it is, and so
// does a control whose record does not read.
void TestWindow::scaling()
{
    QVERIFY(!w->child<QComboBox>("PortBox")->lineEdit()->property("Tag").isValid());
    QHash<QWidget *, QRect> design;
    for (QWidget *widget : w->form.findChildren<QWidget *>()) {
        if (widget->property("Tag").isValid())
            design.insert(widget, widget->geometry());
    }
    const QFont title = w->child<QWidget>("Label3")->font();
    w->child<QWidget>("left.pulse5")->setProperty("Tag", "502    90    53");
    for (const auto &[h, v] : {std::pair(1, 1), {2, 1}, {3, 3}, {0, 0}, {2, 2}}) {
        w->form.resize(w->form.sizeForDesignArea(QSize(969 * h, 700 * v)));
        for (auto it = design.cbegin(); it != design.cend(); ++it) {
            const QRect d = it.value();
            const bool kept = it.key()->objectName() == controlName("left.pulse5");
            const QRect expected =
                kept ? d : QRect(d.x() * h, d.y() * v, d.width() * h, d.height() * v);
            QVERIFY2(it.key()->geometry() == expected, qPrintable(it.key()->objectName()));
        }
    }
    QCOMPARE(w->child<QWidget>("Label3")->font(), title);
}

void TestWindow::captionsWhole_data()
{
    addColumns<int, QSize>("points", "size");
    for (const int points : {9, 10, 11}) {
        for (const QSize size :
             {QSize(969, 700), {969, 575}, {969, 543}, {906, 487}, {800, 560}, {1453, 1050}})
            QTest::addRow("%d pt, %d x %d", points, size.width(), size.height()) << points << size;
    }
}

// Whatever the desktop's type, at the design size and the sizes the window
// is fitted or resized to, captions of one kind share one type size, and
// every caption, button text and group title lies
// inside its control and clear of the controls beside it (and a group's
// title of the controls in the group): the boxes and buttons, and the words
// of the other captions.
void TestWindow::captionsWhole()
{
    QFETCH(int, points);
    QFETCH(QSize, size);
    const QFont desktop = QApplication::font();
    QApplication::setFont(QFont("DejaVu Sans", points));
    newWindow();
    QApplication::setFont(desktop);
    w->form.resize(w->form.sizeForDesignArea(size));
    // Captions of one kind share one type size.
    for (const char *family :
         {"Label14 Label15 Label16", "Command2 Command1",
          "default1 default2 default3 Command_disable1 Command4",
          "Label17 Label13 Label11 Label12 Label1 Label10 Label20", "Frame3 Frame2 Frame4",
          "Label26 Label27", "Label29 Label30", "Label36"}) {
        QSet<qreal> sizes;
        for (const QString &name : QString(family).split(' '))
            for (const QWidget *member : w->form.findChildren<QWidget *>(name))
                sizes << member->font().pointSizeF();
        QVERIFY2(sizes.size() == 1, family);
    }
    for (QWidget *control : w->form.findChildren<QWidget *>()) {
        for (const QRect &ink : inkOf(*control)) {
            QVERIFY2(control->geometry().contains(ink), qPrintable(control->objectName()));
            for (QWidget *within : {control->parentWidget(), control}) { // a group's title: its own
                const QPoint offset = within == control ? control->pos() : QPoint();
                for (const QWidget *other :
                     within->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
                    if (other == control || !other->isVisible() ||
                        QByteArray(other->metaObject()->className()) == "QFrame" ||
                        qobject_cast<const QFocusFrame *>(other))
                        continue; // the rectangles around captions, the ring: no neighbours
                    for (const QRect &mark : qobject_cast<const QLabel *>(other)
                                                 ? inkOf(*other)
                                                 : QList{other->geometry()})
                        QVERIFY2(!mark.translated(offset).intersects(ink),
                                 qPrintable(control->objectName() + " and " + other->objectName()));
                }
            }
        }
    }
}

// Drawn at 0.85, 1 and 2 times the design size (the loop ends at 2), under
// the dark theme and at the scale factor of the run: each straight line one device pixel thick
// along its own place, between the controls it separates; captions dark on
// light grey, the volumes dark on light red, the banner black on blue even
// when disabled.
void TestWindow::drawing()
{
    w->set({"Banner=    Logo Set    "});
    w->child("Banner")->setEnabled(false);
    for (const double scale : {0.85, 1.0, 2.0}) {
        w->form.resize(w->form.sizeForDesignArea(QSize(969, 700) * scale));
        const QImage shot = w->form.grab().toImage();
        const auto place = [&](const QString &name) {
            const auto *control = w->child<QWidget>(name);
            return QRect(control->mapTo(&w->form, QPoint()) * shot.devicePixelRatio(),
                         control->size() * shot.devicePixelRatio());
        };
        // Each line, then the controls on either side of it at a point along it.
        for (const QString line :
             {"Line1 left.count left.pulse1", "Line1 right.count right.pulse1",
              "Line2 Label13 Label11", "Line3 Label26 Label27", "Line4 Label29 Label30"}) {
            const QStringList c = line.split(' ');
            // Across the gap between the two controls, through its middle.
            const QRect gap = QRect(place(c[1]).bottomRight(), place(c[2]).topLeft()).normalized();
            const QList<int> across =
                greys(shot, w->child<QFrame>(c[0])->frameShape() == QFrame::VLine
                                ? QRect(gap.left(), gap.center().y(), gap.width(), 1)
                                : QRect(gap.center().x(), gap.top(), 1, gap.height()));
            QVERIFY2(across.value(0, 255) < 128 && across.value(1, 255) >= 128, qPrintable(line));
        }
        // Captions, boxes, buttons and tabs: dark text, on a light ground.
        for (const QString &name : QString("Label3 Label23 Label13 Label24 left.volume "
                                           "left.pulse1 PortBox SendButton qt_tabwidget_tabbar")
                                       .split(' ')) {
            const QList<int> inside = greys(shot, place(name).adjusted(3, 3, -3, -3));
            QVERIFY2(inside.first() < 30 && inside[inside.size() / 2] > 200, qPrintable(name));
        }
        QVERIFY(greys(shot, place("Banner").adjusted(8, 8, -8, -8)).last() < 50);
        // The LCD type keeps its size where it fits and shrinks only a little.
        const double points = w->child("logo")->font().pointSizeF();
        QVERIFY(scale < 1 ? points > 20 && points < 26.25 : points == 26.25);
    }
    // The captions with a box in their gap let clicks through to the box.
    for (const char *name : {"BrewerCalibration", "calibration"}) {
        auto *box = w->child(name);
        QCOMPARE(w->form.childAt(box->mapTo(&w->form, box->rect().center())), box);
    }
}

// Each group box's frame as the program draws it against the frame the
// application's style draws: the same corners, edges and title, to within
// a level of grey where the style's stretching rounds its blend the other
// way, and the inside without the faint shade the style lays over it; at a
// scale between whole pixels, the style's own frame.
void TestWindow::groupFrames()
{
    const auto *themed = qobject_cast<const QProxyStyle *>(QApplication::style());
    if (!themed || themed->baseStyle()->name().compare("fusion", Qt::CaseInsensitive) != 0)
        QSKIP("the frames are drawn by the style as they are");
    for (const double scale : {0.85, 1.0, 2.0}) {
        w->form.resize(w->form.sizeForDesignArea(QSize(969, 700) * scale));
        for (QGroupBox *box : w->form.findChildren<QGroupBox *>()) {
            const qreal ratio = box->devicePixelRatioF();
            const auto draw = [&](QStyle *style) {
                box->setStyle(style);
                QImage image(box->size() * ratio, QImage::Format_RGB32);
                image.setDevicePixelRatio(ratio);
                box->render(&image, {}, {}, QWidget::DrawWindowBackground);
                return image;
            };
            QStyle *own = box->style();
            const QImage fusion = draw(QApplication::style());
            const QImage drawn = draw(own);
            QVERIFY(own != QApplication::style());
            const auto lighter = [&](int x, int y) {
                return qGray(drawn.pixel(x, y)) - qGray(fusion.pixel(x, y));
            };
            QRect differ;
            for (int y = 0; y < drawn.height(); ++y)
                for (int x = 0; x < drawn.width(); ++x)
                    if (qAbs(lighter(x, y)) > 1)
                        differ |= QRect(x, y, 1, 1);
            const QString where = box->objectName() + " at " + QString::number(scale);
            if (ratio != qRound(ratio)) {
                // Between whole pixels the style draws the frame its own way.
                QVERIFY2(differ.isEmpty(), qPrintable(where));
                continue;
            }
            // The inside, six pixels in from the frame's sides and bottom and
            // below the title, is lighter by the shade, all of it.
            const QRect all = drawn.rect();
            const int edge = qRound(6 * ratio);
            QVERIFY2(
                qAbs(differ.left() - edge) <= 1 && qAbs(all.right() - differ.right() - edge) <= 1 &&
                    qAbs(all.bottom() - differ.bottom() - edge) <= 1 &&
                    differ.top() >=
                        edge + (box->title().isEmpty() ? 0 : box->fontMetrics().height() * ratio),
                qPrintable(where));
            int shaded = 0;
            for (int y = differ.top(); y <= differ.bottom(); ++y)
                for (int x = differ.left(); x <= differ.right(); ++x)
                    shaded += lighter(x, y) == 3;
            QVERIFY2(shaded == differ.width() * differ.height(), qPrintable(where));
        }
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
    const QStringList buttons = {"LeftDefault",  "CenterDefault", "RightDefault",  "CenterDisable",
                                 "RightDisable", "ConnectButton", "ConnectButton", "SendButton",
                                 "SendButton",   "SendButton",    "SaveButton"};
    const QString keys = "0123456789012345678901.-+ eOFfa/$&\b\b\x7f\x01";
    const int index = m_random.bounded(SettingFieldCount + 1);
    QLineEdit *field = w->child(index < SettingFieldCount ? settingFields()[index].name : "logo");
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
        w->answer = m_random.bounded(2) ? "&Overwrite" : "&Load Again"; // a file changed on disk
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
        w->click("ReadButton");
        return "ReadButton after the brewer sent " + bytes.toHex(' ');
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
        w->click("LoadButton");
        return QStringLiteral("LoadButton after damage %1 at %2").arg(way).arg(at);
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
    const QString logo = w->text("logo");
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
    if (action == "SaveButton" && told.value(0).endsWith("Save successful!") &&
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
    w->child<QComboBox>("PortBox")->lineEdit()->setText(m_brewer->devicePath());

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
