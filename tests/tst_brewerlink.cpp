#include "Form1.h"
#include "Lamp.h"
#include "NoticeCatcher.h"
#include "PseudoTerminal.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QColor Green(0, 255, 0);
const QColor Red(255, 0, 0);
const QString PortClosed = QStringLiteral("Please connect COM  First ");

QByteArray defaultsPiece()
{
    return "&" + QByteArray("66").repeated(27) + QByteArray(24, '0') + ")";
}

// A good record: counts 144, 0, 7; button settings 1..27; calibration 88.0;
// pump 100; drip 90. `changes` maps 1-based byte numbers to new values.
QByteArray record(const QList<std::pair<int, int>> &changes = {}, int length = 39)
{
    QByteArray bytes("\xff\xaa\x01\x2c\x00\x00\x00\x07", 8);
    for (int i = 1; i <= 27; ++i)
        bytes += char(i);
    bytes += QByteArray("\x08\x50\x64\x5a", 4);
    while (bytes.size() < length)
        bytes += char(0xEE);
    bytes.truncate(length);
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

    void frameOnTheLine_data();
    void frameOnTheLine();
    void framesInARowArriveWhole();
    void refusedFrameSendsNothing();
    void sendAndReadNeedAnOpenPort();
    void connectFailure_data();
    void connectFailure();
    void connectTwice();
    void portChoice_data();
    void portChoice();
    void bytesWaitForRead();
    void goodReply_data();
    void goodReply();
    void badReply_data();
    void badReply();
    void deviceVanishes_data();
    void deviceVanishes();

private:
    template <typename T = QLineEdit> T *child(const QString &name) const
    {
        auto *widget = m_form->findChild<T *>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    void click(const QString &button)
    {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }
    QColor lamp(const QString &name) const { return child<Lamp>(name)->fillColor(); }
    QString slotText(int slot) const
    {
        return m_form->settingsTable().slot(slot).value_or(QStringLiteral("unset"));
    }
    void typePort(const QString &text);
    bool connectToLine();
    void setFields(const QStringList &assignments);

    Form1 *m_form = nullptr;
    NoticeCatcher *m_notices = nullptr;
    std::unique_ptr<PseudoTerminal> m_line;
};

void TestBrewerLink::init()
{
    m_line = std::make_unique<PseudoTerminal>();
    QVERIFY(m_line->isValid());
    m_form = new Form1;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    m_notices = new NoticeCatcher;
}

void TestBrewerLink::cleanup()
{
    delete m_notices;
    delete m_form;
    m_line.reset();
}

void TestBrewerLink::typePort(const QString &text)
{
    QLineEdit *edit = child<QComboBox>("Combo1")->lineEdit();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// Connects to the test's line, as a user typing its path would.
bool TestBrewerLink::connectToLine()
{
    typePort(m_line->devicePath());
    m_notices->clear();
    click("connect");
    const bool connected = m_notices->texts() == QStringList{"COM Connect Successful "} &&
                           m_form->serialLink().isOpen();
    m_notices->clear();
    return connected;
}

// Sets fields from "Name=text" items, in order, as the program would.
void TestBrewerLink::setFields(const QStringList &assignments)
{
    for (const QString &item : assignments) {
        const qsizetype equals = item.indexOf('=');
        child(item.left(equals))->setText(item.mid(equals + 1));
    }
}

void TestBrewerLink::frameOnTheLine_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("logo");
    QTest::addColumn<QByteArray>("frame");

    QTest::newRow("nothing edited, empty logo") << QStringList() << ""
                                                << "$$/" + defaultsPiece();
    QTest::newRow("16-character logo") << QStringList() << "Cafe 1234 ABCDEF"
                                       << "$$Cafe 1234 ABCDEF/" + defaultsPiece();
    QTest::newRow("17-character logo is left out")
        << QStringList() << "Cafe 1234 ABCDEFG" << defaultsPiece();
    QTest::newRow("edited fields")
        << QStringList{"Text1=10",  "Text2=00",    "Text9=64",  "Text39=102", "Text13=OFF",
                       "Text15=25", "Text17=97.8", "Text19=75", "Text20=105"}
        << "Hot Coffee"
        << QByteArray("$$Hot Coffee/&0A6666666666666640" + QByteArray("66").repeated(17) +
                      "66" // Text39 = 102
                      "000000000019"
                      "0100"
                      "094E4B69)");
}

void TestBrewerLink::frameOnTheLine()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, logo);
    QFETCH(QByteArray, frame);

    setFields(fields);
    child("Textsend")->setText(logo);
    QVERIFY(connectToLine());
    click("Command1");

    QCOMPARE(m_line->waitForCollected(frame.size()), frame.size());
    QCOMPARE(m_line->takeCollected(), frame);
    QCOMPARE(m_notices->texts(), QStringList{"Send Data Successful!"});
    QCOMPARE(m_notices->notices().first().title, "PELN");
    QCOMPARE(lamp("Shape2"), Green);
    QCOMPARE(child("textreceive")->text(), "    Logo Set    ");
    // The defaults stay in the table; the fields keep what they showed.
    QCOMPARE(slotText(3), "66");
    QCOMPARE(slotText(28), "0000");
    QCOMPARE(slotText(34), "00");
    QCOMPARE(child("Text3")->text(), "0");
}

void TestBrewerLink::framesInARowArriveWhole()
{
    QVERIFY(connectToLine());
    for (int round = 0; round < 25; ++round) {
        child("Text11")->setText(QString::number(round));
        click("Command1");
        const QByteArray frame = "$$/&" + QByteArray("66").repeated(27) + "00" +
                                 QByteArray::number(round, 16).toUpper().rightJustified(2, '0') +
                                 QByteArray(20, '0') + ")";
        QCOMPARE(m_line->waitForCollected(frame.size()), frame.size());
        QCOMPARE(m_line->takeCollected(), frame);
    }
    QCOMPARE(m_notices->texts(), QStringList(25, "Send Data Successful!"));
}

// A table or logo that would misalign the frame is not sent at all.
void TestBrewerLink::refusedFrameSendsNothing()
{
    child("Textsend")->setText("A/B");
    QVERIFY(connectToLine());
    click("Command1");
    QCOMPARE(m_notices->texts(), QStringList{"The settings were not sent to the brewer."});
    QVERIFY(m_notices->notices().first().informativeText.contains("\"/\""));
    QCOMPARE(lamp("Shape2"), Red);
    QTest::qWait(100);
    QCOMPARE(m_line->takeCollected(), QByteArray());
    QVERIFY(m_form->serialLink().isOpen());
}

void TestBrewerLink::sendAndReadNeedAnOpenPort()
{
    click("Command1");
    QCOMPARE(m_notices->notices().size(), 1);
    QCOMPARE(m_notices->notices().first().text, PortClosed);
    QCOMPARE(m_notices->notices().first().title, "Msgbox");
    QCOMPARE(m_notices->notices().first().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(lamp("Shape2"), Red);
    QCOMPARE(child("textreceive")->text(), "    Logo Set    ");
    QCOMPARE(slotText(0), "unset"); // no defaults filled in

    m_notices->clear();
    click("Command2");
    QCOMPARE(m_notices->texts(), QStringList{PortClosed});
    QCOMPARE(m_notices->notices().first().title, "PELN");
    QCOMPARE(lamp("Shape3"), Red);
    QCOMPARE(lamp("Shape2"), Red);
    QCOMPARE(child("textreceive")->text(), "");
}

void TestBrewerLink::connectFailure_data()
{
    QTest::addColumn<bool>("busy");
    QTest::newRow("missing device") << false;
    QTest::newRow("device held by another program") << true;
}

void TestBrewerLink::connectFailure()
{
    QFETCH(bool, busy);

    SerialLink other;
    other.setDeviceName(m_line->devicePath());
    if (busy)
        QVERIFY(other.open());
    click("Command1"); // turns the send lamp red
    m_notices->clear();

    typePort(busy ? m_line->devicePath() : QStringLiteral("/dev/no-such-brewer-port"));
    click("connect");
    QCOMPARE(m_notices->texts(), QStringList{"The COM Used !"});
    QCOMPARE(m_notices->notices().first().title, "PELN");
    QCOMPARE(m_notices->notices().first().icon, QMessageBox::NoIcon);
    QVERIFY(!m_notices->notices().first().informativeText.isEmpty());
    QVERIFY(!m_form->serialLink().isOpen());
    QCOMPARE(lamp("Shape2"), Red);
    QCOMPARE(lamp("Shape3"), Green);
}

void TestBrewerLink::connectTwice()
{
    click("Command1");
    click("Command2");
    m_notices->clear();
    child("textreceive")->setText("    Logo Set    ");

    QVERIFY(connectToLine());
    QCOMPARE(lamp("Shape2"), Green);
    QCOMPARE(lamp("Shape3"), Green);
    QCOMPARE(child("textreceive")->text(), "");
    QVERIFY(!child("textreceive")->isEnabled());

    QVERIFY(m_line->send(record()));
    QTRY_COMPARE(m_form->serialLink().waitingCount(), 39);
    click("connect");
    QVERIFY(m_notices->notices().isEmpty());
    QVERIFY(!m_form->serialLink().isOpen());
    QVERIFY(child("Textsend")->isEnabled());
    QVERIFY(!child("textreceive")->isEnabled());
    // Released: another program can take the port now.
    SerialLink other;
    other.setDeviceName(m_line->devicePath());
    QVERIFY(other.open());
    other.close();

    // Closing dropped the record that waited: a read after reconnecting finds nothing.
    QVERIFY(connectToLine());
    click("Command2");
    QVERIFY(m_notices->notices().isEmpty());
    QCOMPARE(lamp("Shape3"), Red);
    QCOMPARE(child("Text14")->text(), "0");
}

void TestBrewerLink::portChoice_data()
{
    QTest::addColumn<int>("entry"); // -1: type the text instead
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("device");

#ifdef Q_OS_WIN
    QTest::newRow("start-up choice") << 2 << ""
                                     << "COM3";
    QTest::newRow("COM16") << 15 << ""
                           << "COM16";
#else
    QTest::newRow("start-up choice") << 2 << ""
                                     << "/dev/ttyS2";
    QTest::newRow("COM16") << 15 << ""
                           << "/dev/ttyS15";
#endif
    QTest::newRow("USB adapter") << -1 << "/dev/ttyUSB7"
                                 << "/dev/ttyUSB7";
    QTest::newRow("not an entry") << -1 << "COM17"
                                  << "COM17";
}

void TestBrewerLink::portChoice()
{
    QFETCH(int, entry);
    QFETCH(QString, typed);
    QFETCH(QString, device);

    auto *ports = child<QComboBox>("Combo1");
    if (entry >= 0) {
        ports->setCurrentIndex(entry);
    } else {
        typePort(typed);
        QTest::keyClick(ports->lineEdit(), Qt::Key_Return);
    }
    click("connect");
    QCOMPARE(m_form->serialLink().deviceName(), device);
    QCOMPARE(ports->count(), 16);
    if (m_form->serialLink().isOpen()) // a machine may have such a port
        click("connect");
}

void TestBrewerLink::bytesWaitForRead()
{
    QVERIFY(connectToLine());
    const QByteArray reply = record();
    for (const QByteArray &chunk : {reply.left(2), reply.mid(2, 20), reply.mid(22)}) {
        QVERIFY(m_line->send(chunk));
        QTest::qWait(20);
    }
    QTRY_COMPARE(m_form->serialLink().waitingCount(), 39);
    QTest::qWait(100); // nothing takes them meanwhile
    QCOMPARE(m_form->serialLink().waitingCount(), 39);

    click("Command2");
    QCOMPARE(m_notices->texts(), QStringList{"Receive Data Successful! "});
    QCOMPARE(child("Text10")->text(), "144");
    QCOMPARE(child("Text14")->text(), "7");
    QCOMPARE(child("Text39")->text(), "27");
}

void TestBrewerLink::goodReply_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("slotTexts"); // "slot=text"

    QTest::newRow("example record")
        << record() << QStringList{"Text10=144", "Text12=0",  "Text14=7",   "Text1=1",
                                   "Text9=9",    "Text21=10", "Text29=18",  "Text31=19",
                                   "Text39=27",  "Text16=88", "Text19=100", "Text20=90"}
        << QStringList{"0=01", "8=09", "26=1B", "31=64", "32=5A"};
    QTest::newRow("counts as hundreds and units")
        << record({{3, 99}, {4, 99}, {5, 0}, {6, 1}, {7, 255}, {8, 255}})
        << QStringList{"Text10=9999", "Text12=1", "Text14=25755"} << QStringList();
    QTest::newRow("102 is zero in pulse fields only")
        << record({{9, 0x66}, {17, 0x66}, {18, 0xC8}, {26, 0xC8}, {27, 0}})
        << QStringList{"Text1=0", "Text9=102", "Text21=0", "Text29=102", "Text31=0"}
        // Text31 already shows 0: setting it again runs no editor.
        << QStringList{"0=00", "8=66", "9=00", "17=66", "18=unset"};
    QTest::newRow("calibration 88.5")
        << record({{36, 0x08}, {37, 0x55}}) << QStringList{"Text16=88.5"} << QStringList();
    QTest::newRow("calibration 43.2 is replaced")
        << record({{36, 0x03}, {37, 0x84}}) << QStringList{"Text16=88"} << QStringList();
    QTest::newRow("calibration 105.1 is replaced")
        << record({{36, 0x0A}, {37, 0x33}}) << QStringList{"Text16=88"} << QStringList();
    QTest::newRow("pump 69, drip 105")
        << record({{38, 0x45}, {39, 0x69}}) << QStringList{"Text19=100", "Text20=105"}
        << QStringList{"31=64", "32=69"};
    QTest::newRow("pump 70, drip 106")
        << record({{38, 0x46}, {39, 0x6A}}) << QStringList{"Text19=70", "Text20=90"}
        << QStringList{"31=46", "32=5A"};
    QTest::newRow("50 bytes: the first 39 count")
        << record({}, 50) << QStringList{"Text10=144", "Text39=27", "Text20=90"} << QStringList();
}

void TestBrewerLink::goodReply()
{
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, slotTexts);

    QVERIFY(connectToLine());
    setFields({"Text11=12", "Text13=OFF", "Text17=97.8"});
    child("textreceive")->setText("    Logo Set    ");
    QVERIFY(m_line->send(reply));
    QTRY_COMPARE(m_form->serialLink().waitingCount(), reply.size());

    click("Command2");
    for (const QString &item : shown) {
        const QStringList parts = item.split('=');
        QCOMPARE(child(parts[0])->text(), parts[1]);
    }
    for (const QString &item : slotTexts) {
        const QStringList parts = item.split('=');
        QCOMPARE(slotText(parts[0].toInt()), parts[1]);
    }
    QCOMPARE(m_notices->texts(), QStringList{"Receive Data Successful! "});
    QCOMPARE(m_notices->notices().first().title, "PELN");
    QCOMPARE(lamp("Shape3"), Green);
    QVERIFY(!m_form->serialLink().isOpen());
    QCOMPARE(child("textreceive")->text(), "");
    // A read leaves the counts to write, the flags and the calibration slot alone.
    QCOMPARE(slotText(27), "000C");
    QCOMPARE(slotText(33), "01");
    QCOMPARE(slotText(30), "094E");
    QCOMPARE(child("Text17")->text(), "97.8");

    // The port is closed now: Send asks for a connection first.
    click("Command1");
    QCOMPARE(m_notices->texts().last(), PortClosed);
    QCOMPARE(m_notices->notices().last().title, "Msgbox");
}

void TestBrewerLink::badReply_data()
{
    QTest::addColumn<QByteArray>("reply");

    QTest::newRow("nothing received") << QByteArray();
    QTest::newRow("header bytes swapped") << record({{1, 0xAA}, {2, 0xFF}});
    QTest::newRow("good header, 38 bytes") << record({}, 38);
}

void TestBrewerLink::badReply()
{
    QFETCH(QByteArray, reply);

    setFields({"Text10=123", "Text12=5", "Text1=7", "Text29=64", "Text39=9", "Text16=97.8",
               "Text19=75", "Text20=80"});
    QVERIFY(connectToLine());
    QVERIFY(m_line->send(reply));
    QTRY_COMPARE(m_form->serialLink().waitingCount(), reply.size());
    QTest::qWait(20);

    click("Command2");
    QVERIFY(m_notices->notices().isEmpty());
    QCOMPARE(lamp("Shape3"), Red);
    QVERIFY(m_form->serialLink().isOpen());
    QCOMPARE(m_form->serialLink().waitingCount(), 0);
    for (const char *name : {"Text10", "Text12", "Text14", "Text1", "Text9", "Text21", "Text29",
                             "Text31", "Text39", "Text16"})
        QCOMPARE(child(name)->text(), "0");
    QCOMPARE(child("Text19")->text(), "75");
    QCOMPARE(child("Text20")->text(), "80");
    QCOMPARE(slotText(0), "00");
    QCOMPARE(slotText(17), "00");

    // The port stays open: a send still goes out.
    click("Command1");
    QCOMPARE(m_notices->texts(), QStringList{"Send Data Successful!"});
}

void TestBrewerLink::deviceVanishes_data()
{
    QTest::addColumn<bool>("duringSend");
    QTest::addColumn<QString>("told");
    QTest::newRow("while idle") << false << "stopped working";
    QTest::newRow("during a send") << true << "did not get the settings";
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
        click("Command1");
    QTRY_COMPARE(m_notices->notices().size(), 1);
    const NoticeCatcher::Notice notice = m_notices->notices().first();
    QVERIFY2(notice.text.contains(told) && notice.text.contains("closed"), qPrintable(notice.text));
    QVERIFY(!notice.informativeText.isEmpty());
    QCOMPARE(notice.icon, QMessageBox::Warning);
    QTest::qWait(300); // no flood of notices follows
    QCOMPARE(m_notices->notices().size(), 1);
    QVERIFY(!m_form->serialLink().isOpen());
    QCOMPARE(lamp("Shape2"), duringSend ? Red : Green);

    click("Command2");
    QCOMPARE(m_notices->texts().last(), PortClosed);
}

QTEST_MAIN(TestBrewerLink)
#include "tst_brewerlink.moc"
