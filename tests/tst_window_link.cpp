// The window's brewer buttons against the simulated brewer at the far end of
// a pseudo-terminal: Connect, the port box, Send, Read on good and bad
// records, and a device that vanishes.
#include "BrewerOperations.h"
#include "WindowTest.h"

#include <QCompleter>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <malloc.h>
#include <sys/file.h>
#include <sys/stat.h>
#endif

using namespace operations;

const QByteArray DefaultsPiece = "&" + QByteArray("66").repeated(27) + QByteArray(24, '0') + ")";

class TestWindowLink : public WindowTest
{
    Q_OBJECT

public:
    TestWindowLink()
        : WindowTest(
              {"connectAndClose", "send", "reply", "replies", "readChecksSend", "deviceVanishes"})
    {}

private slots:
    void connectAndClose();
    void portChoice();
    void send_data();
    void send();
    void reply();
    void replies();
    void readChecksSend();
    void deviceVanishes_data();
    void deviceVanishes();
    void comPort();
};

// Connect opens the line at 9600 baud, 8N1, turns both lamps green and
// empties the banner for good; pressing it again closes the port silently,
// releases it and drops what was waiting.
void TestWindowLink::connectAndClose()
{
#ifdef Q_OS_UNIX // flock
    // A port held by another program, by Qt's lock or an flock, stays shut.
    const int holder = ::open(qPrintable(m_brewer->devicePath()), O_RDWR | O_NOCTTY);
    SerialLink other;
    other.setDeviceName(m_brewer->devicePath());
    for (const bool byFlock : {false, true}) {
        QVERIFY(byFlock ? flock(holder, LOCK_EX | LOCK_NB) == 0 : other.open());
        connectTo(m_brewer->devicePath());
        QVERIFY(w->notices.value(0).details.contains(
            "The system reported: the port is in use by another program"));
        QCOMPARE(w->told(), QStringList{"PELN: The COM Used !"});
        QCOMPARE(w->shown("StatusLine"),
                 "Not connected: " + m_brewer->devicePath() + " could not be opened");
        other.close();
    }
    QVERIFY(flock(holder, LOCK_UN) == 0);
    w->click("SendButton");
    w->click("ReadButton");
    w->set({"Banner=    Logo Set    "});
    QVERIFY(connectToLine());
    QCOMPARE(w->diff("SendLamp=green ReadLamp=green Banner="), "");
    QCOMPARE(w->shown("StatusLine"), "Connected to " + m_brewer->devicePath() + ", 9600 baud, 8N1");
    QVERIFY(w->child<QWidget>("SendLamp")->accessibleDescription().contains("ready"));
    QVERIFY(!w->child("Banner")->isEnabled());
    QCOMPARE(m_brewer->lineSettings(), "9600 baud, 8N1");
    QVERIFY(flock(holder, LOCK_EX | LOCK_NB) != 0); // held as other serial programs check
    ::close(holder);

    m_brewer->send(record());
    QTRY_COMPARE(w->form.serialLink().waitingCount(), 39);
    w->click("ConnectButton");
    QVERIFY(w->told().isEmpty() && !w->form.serialLink().isOpen() && w->child("logo")->isEnabled());
    QCOMPARE(w->shown("StatusLine"), "Not connected");
    // Enter in the port box connects.
    QTest::keyClick(w->child<QComboBox>("PortBox")->lineEdit(), Qt::Key_Return);
    QCOMPARE(w->told(), QStringList{"PELN: COM Connect Successful "});
    w->click("ConnectButton");
    // Another program can take the port now, with line settings of its own.
    QVERIFY(other.setSettings("4800,n,8,2") && other.open()); // a pty keeps no parity
    QCOMPARE(m_brewer->lineSettings(), "4800 baud, 8N2");
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
void TestWindowLink::portChoice()
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
    w->form.serialLink().setDeviceLister([] {
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

void TestWindowLink::send_data()
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
void TestWindowLink::send()
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
    QCOMPARE(w->diff("3=66 28=0000 left.pulse3=0"), "");
    QCOMPARE(w->shown("SendLamp"), frame.isEmpty() ? "red" : "green");
}

// Read needs an open port. Bytes that arrive before Read wait for it, in
// little more memory than they take, up to the first 64 KiB, however long
// the line keeps talking; Read takes them at once, shows the record and
// closes the port.
void TestWindowLink::reply()
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
    QCOMPARE(w->diff("LeftTotal=144 left.pulse1=1 right.volume=27 27=000C 33=01"), "");
    QCOMPARE(w->diff("Banner= ReadLamp=green"), "");
    QCOMPARE(w->form.serialLink().waitingCount(), 0);
    QCOMPARE(w->shown("StatusLine"), "Not connected: Read from Brewer closed the port after a "
                                     "good reply: press Connect before the next Send");
    QCOMPARE(w->told(), QStringList{"PELN: Receive Data Successful! "});
}

// On every record of the core's table: a good one turns the lamp green and
// closes the port; a bad one changes no field and no slot, leaves the lamp
// red and the port open, and says why.
void TestWindowLink::replies()
{
    for (const ReplyCase &each : replyCases()) {
        newWindow();
        QVERIFY(connectToLine());
        w->set(replyStartFields());
        const bool good = each.bytes.startsWith("\xff\xaa") && each.bytes.size() >= 39;
        const QStringList before = formState(w->form.settingsForm());
        m_brewer->send(each.bytes);
        QTest::qSleep(200); // Read takes what came while the program did not look
        w->click("ReadButton");
        // With no Send before it, a good Read says nothing more than that.
        QVERIFY(!good || w->notices.value(0).details.isEmpty());
        const QStringList told = w->told();
        const QString problem = each.expected.filter("problem=").value(0).section('=', 1);
        QCOMPARE(w->shown("ReadLamp"), good ? "green" : "red");
        QCOMPARE(w->form.serialLink().isOpen(), !good);
        QVERIFY2(told.size() == 1 && told[0].contains(problem), qPrintable(told.join('|')));
        QVERIFY(good || formState(w->form.settingsForm()) == before);
    }
}

// After a Send, a good Read says whether the brewer holds what was sent,
// and marks each field whose setting it holds otherwise until it is edited.
void TestWindowLink::readChecksSend()
{
    QVERIFY(m_brewer->command("p 2 30")); // the brewer keeps Left Button pulse 3 at 30
    QVERIFY(connectToLine());
    w->set({"left.pulse3=25", "pump=80"});
    w->click("SendButton");
    QTRY_COMPARE(w->form.serialLink().waitingCount(), ReplyLength); // the brewer's answer
    w->click("ReadButton");
    const Told told = w->notices.last();
    QCOMPARE(told.text, "Receive Data Successful! ");
    // What was sent, against what the brewer holds: that one setting only.
    QVERIFY2(told.details.startsWith("1 setting differs from what was sent at ") &&
                 told.details.endsWith(": Left Button pulse brew setting 3 (sent 25, brewer 30)."),
             qPrintable(told.details));
    QLineEdit *pulse = w->child("left.pulse3");
    QCOMPARE(w->diff("left.pulse3=30 pump=80"), "");
    QVERIFY(pulse->accessibleDescription().startsWith("Sent 25 at "));
    QTest::keyClick(pulse, Qt::Key_Backspace);
    QVERIFY(pulse->accessibleDescription().isEmpty());
}

void TestWindowLink::deviceVanishes_data()
{
    addColumns<bool, bool, QString, QString>("reopened", "duringSend", "told", "status");
    addRow("first connection, idle", false, false, "stopped working", "went away");
    addRow("reopened, idle", true, false, "stopped working", "went away");
    addRow("during a send", true, true, "did not get the settings", "failed while sending");
}

// A pulled-out adapter: the user is told once, the port ends up closed, and
// the program goes on.
void TestWindowLink::deviceVanishes()
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
void TestWindowLink::comPort()
{
    const QString port = qEnvironmentVariable("PELN_TEST_COM_PORT");
    const QString frames = qEnvironmentVariable("PELN_TEST_FRAMES");
    if (port.isEmpty() || frames.isEmpty())
        QSKIP("PELN_TEST_COM_PORT and PELN_TEST_FRAMES name no COM port on a brewer's line");
    int i = 0;
    for (const LoadCase &each : loadCases()) {
        QString reason;
        QVERIFY(writeSettingsFile(QDir(frames).filePath(QStringLiteral("window-%1.TXT").arg(i++)),
                                  each.bytes, &reason));
        loadInNewWindow(each.bytes);
        connectTo(port);
        w->click("SendButton");
        w->click("ConnectButton"); // closes the port, once the frame is on the line
        QVERIFY2(w->told().endsWith(Sent), each.name);
    }
}

QTEST_MAIN(TestWindowLink)
#include "tst_window_link.moc"
