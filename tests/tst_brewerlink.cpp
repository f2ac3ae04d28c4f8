#include "DataRow.h"
#include "PseudoTerminal.h"
#include "WindowUnderTest.h"

#include <QComboBox>

namespace {

const QColor Green(0, 255, 0);
const QColor Red(255, 0, 0);
const QString PortClosed = QStringLiteral("Please connect COM  First ");
const QString Sent = QStringLiteral("Send Data Successful!");
const QByteArray DefaultsPiece = "&" + QByteArray("66").repeated(27) + QByteArray(24, '0') + ")";

// A good record: counts 144, 0, 7; button settings 1..27; calibration 88.0;
// pump 100; drip 90. `changes` maps 1-based byte numbers to new values.
QByteArray record(const QList<std::pair<int, int>> &changes = {}, int length = 39)
{
    QByteArray bytes = QByteArray("\xff\xaa\x01\x2c\x00\x00\x00\x07", 8);
    for (int i = 1; i <= 27; ++i)
        bytes += char(i);
    bytes = (bytes + "\x08\x50\x64\x5a").leftJustified(length, char(0xEE), true);
    for (const auto &[number, value] : changes)
        bytes[number - 1] = char(value);
    return bytes;
}

} // namespace

class TestBrewerLink : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lineSettings();
    void takingGathersWhatTheSystemHolds();
    void frameOnTheLine_data();
    void frameOnTheLine();
    void framesInARowArriveWhole();
    void sendAndReadNeedAnOpenPort();
    void connectFailure_data();
    void connectFailure();
    void connectTwice();
    void portChoice_data();
    void portChoice();
    void reply_data();
    void reply();
    void deviceVanishes_data();
    void deviceVanishes();

private:
    void typePort(const QString &text);
    bool connectToLine();

    std::unique_ptr<PseudoTerminal> m_line;
    std::unique_ptr<WindowUnderTest> w;
};

void TestBrewerLink::init()
{
    m_line = std::make_unique<PseudoTerminal>();
    QVERIFY(m_line->isValid());
    w = std::make_unique<WindowUnderTest>();
    QVERIFY(QTest::qWaitForWindowExposed(&w->form));
}

void TestBrewerLink::cleanup()
{
    w.reset();
    m_line.reset();
}

void TestBrewerLink::typePort(const QString &text)
{
    QLineEdit *edit = w->child<QComboBox>("Combo1")->lineEdit();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// Connects to the test's line, as a user typing its path would.
bool TestBrewerLink::connectToLine()
{
    typePort(m_line->devicePath());
    w->notices.clear();
    w->click("connect");
    const bool connected = w->notices.texts() == QStringList{"COM Connect Successful "} &&
                           w->form.serialLink().isOpen();
    w->notices.clear();
    return connected;
}

void TestBrewerLink::lineSettings()
{
    using Port = QSerialPort;
    QVERIFY((LineSettings::parse("1200,E,7,1.5") ==
             LineSettings{1200, Port::EvenParity, Port::Data7, Port::OneAndHalfStop}));
    QVERIFY((LineSettings::parse("9600,n,8,1") ==
             LineSettings{9600, Port::NoParity, Port::Data8, Port::OneStop}));
}

// Without the event loop running, taking input reads what the system holds.
void TestBrewerLink::takingGathersWhatTheSystemHolds()
{
    SerialLink link;
    link.setDeviceName(m_line->devicePath());
    QVERIFY(link.open());
    const QByteArray sent(3000, '\x5a');
    QVERIFY(m_line->send(sent));
    QByteArray taken;
    for (int tries = 0; tries < 500 && taken.size() < sent.size(); ++tries) {
        taken += link.takeInput();
        QTest::qSleep(10);
    }
    QCOMPARE(taken, sent);
}

void TestBrewerLink::frameOnTheLine_data()
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

void TestBrewerLink::frameOnTheLine()
{
    QFETCH(QStringList, fields);
    QFETCH(QByteArray, frame);

    w->set(fields);
    QVERIFY(connectToLine());
    w->click("Command1");
    m_line->waitForCollected(frame.size()); // a send drains its frame before it reports
    QCOMPARE(m_line->takeCollected(), frame);
    QCOMPARE(w->notices.texts().value(0),
             frame.isEmpty() ? "The settings were not sent to the brewer." : Sent);
    QCOMPARE(w->notices.notices().first().title, "PELN");
    QCOMPARE(w->lamp("Shape2"), frame.isEmpty() ? Red : Green);
    QVERIFY(w->form.serialLink().isOpen());
    // The defaults stay in the table; the fields keep what they showed.
    const QStringList after = {"textreceive=    Logo Set    ", "3=66", "28=0000", "Text3=0"};
    QCOMPARE(w->observed(after), after);
}

void TestBrewerLink::framesInARowArriveWhole()
{
    QVERIFY(connectToLine());
    for (int round = 0; round < 25; ++round) {
        w->set({QStringLiteral("Text11=%1").arg(round)});
        w->click("Command1");
        const QByteArray count = QByteArray::number(round, 16).toUpper().rightJustified(4, '0');
        m_line->waitForCollected(83);
        QCOMPARE(m_line->takeCollected(),
                 "$$/" + DefaultsPiece.left(55) + count + DefaultsPiece.mid(59));
    }
    QCOMPARE(w->notices.texts(), QStringList(25, Sent));
}

void TestBrewerLink::sendAndReadNeedAnOpenPort()
{
    w->click("Command1");
    QCOMPARE(w->notices.texts(), QStringList{PortClosed});
    QCOMPARE(w->notices.notices().first().title, "Msgbox");
    QCOMPARE(w->lamp("Shape2"), Red);
    QCOMPARE(w->text("textreceive"), "    Logo Set    ");
    QCOMPARE(w->slot(0), "unset"); // no defaults filled in

    w->click("Command2");
    QCOMPARE(w->notices.texts(), QStringList({PortClosed, PortClosed}));
    QCOMPARE(w->notices.notices().last().title, "PELN");
    QCOMPARE(w->lamp("Shape3"), Red);
    QCOMPARE(w->text("textreceive"), "");
}

void TestBrewerLink::connectFailure_data()
{
    QTest::addColumn<bool>("busy");
    addRow("missing device", false);
    addRow("device held by another program", true);
}

void TestBrewerLink::connectFailure()
{
    QFETCH(bool, busy);

    SerialLink other;
    other.setDeviceName(m_line->devicePath());
    if (busy)
        QVERIFY(other.open());
    w->click("Command1"); // turns the send lamp red
    w->notices.clear();
    typePort(busy ? m_line->devicePath() : QStringLiteral("/dev/no-such-brewer-port"));
    w->click("connect");
    QCOMPARE(w->notices.texts(), QStringList{"The COM Used !"});
    const auto notice = w->notices.notices().first();
    QVERIFY(notice.title == "PELN" && notice.icon == QMessageBox::NoIcon);
    QVERIFY(!notice.informativeText.isEmpty());
    QVERIFY(!w->form.serialLink().isOpen());
    QCOMPARE(w->lamp("Shape2"), Red);
}

void TestBrewerLink::connectTwice()
{
    w->click("Command1");
    w->click("Command2");
    w->set({"textreceive=    Logo Set    "});
    QVERIFY(connectToLine());
    QVERIFY(w->lamp("Shape2") == Green && w->lamp("Shape3") == Green);
    QCOMPARE(w->text("textreceive"), "");
    QVERIFY(!w->child("textreceive")->isEnabled());

    QVERIFY(m_line->send(record()));
    QTRY_COMPARE(w->form.serialLink().waitingCount(), 39);
    w->click("connect");
    QVERIFY(w->notices.notices().isEmpty());
    QVERIFY(!w->form.serialLink().isOpen());
    SerialLink other; // released: another program can take the port now
    other.setDeviceName(m_line->devicePath());
    QVERIFY(other.open());
    other.close();

    // Closing dropped the record that waited: a read after reconnecting finds nothing.
    QVERIFY(connectToLine());
    w->click("Command2");
    QCOMPARE(w->lamp("Shape3"), Red);
}

void TestBrewerLink::portChoice_data()
{
    addColumns<int, QString, QString>("entry", "typed", "device"); // entry -1: typed instead

    addRow("COM16", 15, "", "/dev/ttyS15");
    addRow("not an entry", -1, "/dev/ttyUSB7", "/dev/ttyUSB7");
}

void TestBrewerLink::portChoice()
{
    QFETCH(int, entry);
    QFETCH(QString, typed);

    auto *ports = w->child<QComboBox>("Combo1");
    if (entry >= 0) {
        ports->setCurrentIndex(entry);
    } else {
        typePort(typed);
        QTest::keyClick(ports->lineEdit(), Qt::Key_Return);
    }
    w->click("connect");
    QTEST(w->form.serialLink().deviceName(), "device");
    QCOMPARE(ports->count(), 16);
    if (w->form.serialLink().isOpen()) // a machine may have such a port
        w->click("connect");
}

void TestBrewerLink::reply_data()
{
    addColumns<QByteArray, bool, QStringList>("reply", "good",
                                              "expected"); // "Name=text", "slot=text"

    QStringList example = {"Text10=144", "Text12=0", "Text14=7", "Text16=88", "Text19=100",
                           "Text20=90",  "0=01",     "8=09",     "26=1B",     "31=64"};
    for (int i = 0; i < 27; ++i)
        example << WindowUnderTest::gridName(i) + '=' + QString::number(i + 1);
    addRow("example record", record(), true, example);
    addRow("counts as hundreds and units", record({{3, 99}, {4, 99}, {5, 0}, {6, 1}, {7, 255}}),
           true, QStringList{"Text10=9999", "Text12=1", "Text14=25507"});
    // Text31 already shows 0: setting it again runs no editor.
    addRow("102 is zero in pulse fields only",
           record({{9, 0x66}, {17, 0x66}, {18, 0xC8}, {26, 0xC8}, {27, 0}}), true,
           QStringList{"Text1=0", "Text9=102", "Text21=0", "Text29=102", "Text31=0", "0=00", "8=66",
                       "9=00", "17=66", "18=unset"});
    addRow("calibration 88.5", record({{36, 0x08}, {37, 0x55}}), true, QStringList{"Text16=88.5"});
    addRow("calibration 43.2", record({{36, 0x03}, {37, 0x84}}), true, QStringList{"Text16=88"});
    addRow("calibration 105.1", record({{36, 0x0A}, {37, 0x33}}), true, QStringList{"Text16=88"});
    addRow("pump 69, drip 105", record({{38, 0x45}, {39, 0x69}}), true,
           QStringList{"Text19=100", "Text20=105", "31=64", "32=69"});
    addRow("pump 70, drip 106", record({{38, 0x46}, {39, 0x6A}}), true,
           QStringList{"Text19=70", "Text20=90", "31=46", "32=5A"});
    addRow("50 bytes: the first 39 count", record({}, 50), true,
           QStringList{"Text10=144", "Text39=27", "Text20=90"});

    // A bad reply zeroes the totals, the button fields and Text16 only.
    const QStringList zeroed = {"Text10=0", "Text14=0",  "Text1=0",   "Text29=0", "Text39=0",
                                "Text16=0", "Text19=75", "Text20=80", "0=00",     "17=00"};
    addRow("nothing received", QByteArray(), false, zeroed);
    addRow("header bytes swapped", record({{1, 0xAA}, {2, 0xFF}}), false, zeroed);
    addRow("good header, 38 bytes", record({}, 38), false, zeroed);
}

void TestBrewerLink::reply()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, good);
    QFETCH(QStringList, expected);

    QVERIFY(connectToLine());
    w->set({"Text10=123", "Text1=7", "Text29=64", "Text16=97.8", "Text19=75", "Text20=80",
            "Text11=12", "Text13=OFF", "Text17=97.8", "textreceive=    Logo Set    "});
    // Bytes that arrive before Read wait for it, all of them.
    for (const QByteArray &chunk : {reply.left(2), reply.mid(2)}) {
        QVERIFY(m_line->send(chunk));
        QTest::qWait(20);
    }
    QTRY_COMPARE(w->form.serialLink().waitingCount(), reply.size());

    w->click("Command2");
    QCOMPARE(w->observed(expected), expected);
    // A read leaves the counts to write, the flags and the calibration alone.
    const QStringList kept = {"textreceive=", "27=000C", "33=01", "30=094E", "Text17=97.8"};
    QCOMPARE(w->observed(kept), kept);
    QCOMPARE(w->notices.texts(), good ? QStringList{"Receive Data Successful! "} : QStringList());
    QCOMPARE(w->lamp("Shape3"), good ? Green : Red);
    QCOMPARE(w->form.serialLink().waitingCount(), 0);
    // After a good read the port is closed; after a bad one a send still goes out.
    QCOMPARE(w->form.serialLink().isOpen(), !good);
    w->click("Command1");
    QCOMPARE(w->notices.texts().last(), good ? PortClosed : Sent);
    QCOMPARE(w->notices.notices().last().title, good ? "Msgbox" : "PELN");
}

void TestBrewerLink::deviceVanishes_data()
{
    addColumns<bool, QString>("duringSend", "told");
    addRow("while idle", false, "stopped working");
    addRow("during a send", true, "did not get the settings");
}

// A pulled-out adapter: the user is told once, the port ends up closed, and
// the program goes on.
void TestBrewerLink::deviceVanishes()
{
    QFETCH(bool, duringSend);
    QFETCH(QString, told);

    QVERIFY(connectToLine());
    m_line->closeFarEnd();
    if (duringSend)
        w->click("Command1");
    QTRY_COMPARE(w->notices.notices().size(), 1);
    const NoticeCatcher::Notice notice = w->notices.notices().first();
    QVERIFY2(notice.text.contains(told) && notice.text.contains("closed"), qPrintable(notice.text));
    QVERIFY(!notice.informativeText.isEmpty() && notice.icon == QMessageBox::Warning);
    QTest::qWait(300); // no flood of notices follows
    QCOMPARE(w->notices.notices().size(), 1);
    QVERIFY(!w->form.serialLink().isOpen());
    QCOMPARE(w->lamp("Shape2"), duringSend ? Red : Green);
    w->click("Command2");
    QCOMPARE(w->notices.texts().last(), PortClosed);
}

QTEST_MAIN(TestBrewerLink)
#include "tst_brewerlink.moc"
