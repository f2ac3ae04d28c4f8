#include "PseudoTerminal.h"
#include "SerialLink.h"

#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(QSerialPort::Parity)
Q_DECLARE_METATYPE(QSerialPort::DataBits)
Q_DECLARE_METATYPE(QSerialPort::StopBits)

class TestSerialLink : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void lineSettings_data();
    void lineSettings();
    void portNumbers_data();
    void portNumbers();
    void openFailures();
    void writtenBytesReachTheLineWhole();
    void receivedBytesWaitUntilTaken();
    void takingGathersWhatTheSystemHolds();
    void reopeningDropsWhatWasWaiting();
    void lostDeviceIsReportedOnceAndClosed();
    void failedSendIsNotReportedAgain();

private:
    std::unique_ptr<PseudoTerminal> m_line;
};

void TestSerialLink::init()
{
    m_line = std::make_unique<PseudoTerminal>();
    QVERIFY(m_line->isValid());
}

void TestSerialLink::lineSettings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("baud");
    QTest::addColumn<QSerialPort::Parity>("parity");
    QTest::addColumn<QSerialPort::DataBits>("dataBits");
    QTest::addColumn<QSerialPort::StopBits>("stopBits");

    QTest::newRow("the brewer's line") << "9600,n,8,1" << true << 9600 << QSerialPort::NoParity
                                       << QSerialPort::Data8 << QSerialPort::OneStop;
    QTest::newRow("even, 7, 2") << "19200,E,7,2" << true << 19200 << QSerialPort::EvenParity
                                << QSerialPort::Data7 << QSerialPort::TwoStop;
    QTest::newRow("odd, 5, 1.5") << "1200,o,5,1.5" << true << 1200 << QSerialPort::OddParity
                                 << QSerialPort::Data5 << QSerialPort::OneAndHalfStop;
    for (const char *bad :
         {"9600,x,8,1", "9600,n,9,1", "fast,n,8,1", "9600,n,8", "0,n,8,1", "9600,n,8,3", ""})
        QTest::newRow(bad) << bad << false << 0 << QSerialPort::NoParity << QSerialPort::Data8
                           << QSerialPort::OneStop;
}

void TestSerialLink::lineSettings()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);

    const auto settings = LineSettings::parse(text);
    QCOMPARE(settings.has_value(), valid);
    SerialLink link;
    link.setSettings("300,s,6,2");
    QCOMPARE(link.setSettings(text), valid);
    if (!valid) {
        QCOMPARE(link.settings(), LineSettings::parse("300,s,6,2"));
        return;
    }
    QTEST(settings->baudRate, "baud");
    QTEST(settings->parity, "parity");
    QTEST(settings->dataBits, "dataBits");
    QTEST(settings->stopBits, "stopBits");
    QCOMPARE(link.settings(), *settings);
}

void TestSerialLink::portNumbers_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("device");

#ifdef Q_OS_WIN
    QTest::newRow("COM1") << 1 << "COM1";
    QTest::newRow("COM16") << 16 << "COM16";
#else
    QTest::newRow("COM1") << 1 << "/dev/ttyS0";
    QTest::newRow("COM3") << 3 << "/dev/ttyS2";
    QTest::newRow("COM16") << 16 << "/dev/ttyS15";
#endif
}

void TestSerialLink::portNumbers()
{
    QFETCH(int, number);
    QFETCH(QString, device);
    SerialLink link;
    link.setPortNumber(number);
    QCOMPARE(link.deviceName(), device);
}

void TestSerialLink::openFailures()
{
    SerialLink missing;
    missing.setDeviceName("/dev/no-such-brewer-port");
    QVERIFY(!missing.open());
    QVERIFY(!missing.isOpen());
    QVERIFY(!missing.errorString().isEmpty());

    SerialLink first, second;
    first.setDeviceName(m_line->devicePath());
    second.setDeviceName(m_line->devicePath());
    QVERIFY2(first.open(), qPrintable(first.errorString()));
    QVERIFY(!second.open()); // the port is held by the first
    QVERIFY(!second.isOpen());
    QVERIFY(!second.errorString().isEmpty());
    first.close();
    QVERIFY(second.open());
}

// The bytes are with the device when drainOutput() returns: the far end
// reads them without any event loop running here.
void TestSerialLink::writtenBytesReachTheLineWhole()
{
    SerialLink link;
    link.setDeviceName(m_line->devicePath());
    QVERIFY(link.open());
    for (int round = 0; round < 20; ++round) {
        const QByteArray frame = "$$ROUND " + QByteArray::number(round) + "/&" +
                                 QByteArray(78, char('0' + round % 10)) + ")";
        QVERIFY(link.write(frame));
        QVERIFY(link.drainOutput());
        QCOMPARE(m_line->waitForCollected(frame.size()), frame.size());
        QCOMPARE(m_line->takeCollected(), frame);
    }
    const QByteArray binary("\x00\xff\x80\x0d\x0a\x11\x13", 7);
    QVERIFY(link.write(binary));
    QVERIFY(link.drainOutput());
    QCOMPARE(m_line->waitForCollected(binary.size()), binary.size());
    QCOMPARE(m_line->takeCollected(), binary);
}

void TestSerialLink::receivedBytesWaitUntilTaken()
{
    SerialLink link;
    link.setDeviceName(m_line->devicePath());
    QVERIFY(link.open());
    const QByteArray chunks[] = {QByteArray("\xff\xaa\x01", 3), QByteArray("\x00\x11", 2),
                                 QByteArray(40, '\x7f')};
    QByteArray all;
    for (const QByteArray &chunk : chunks) {
        QVERIFY(m_line->send(chunk));
        all += chunk;
        QTRY_COMPARE(link.waitingCount(), all.size());
    }
    QTest::qWait(100);
    QCOMPARE(link.waitingCount(), all.size());
    QCOMPARE(link.takeInput(), all);
    QCOMPARE(link.waitingCount(), 0);
    QCOMPARE(link.takeInput(), QByteArray());
}

// Bytes that reached the system while no event loop ran are taken as well.
void TestSerialLink::takingGathersWhatTheSystemHolds()
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
    QVERIFY(link.isOpen());
}

void TestSerialLink::reopeningDropsWhatWasWaiting()
{
    SerialLink link;
    link.setDeviceName(m_line->devicePath());
    QVERIFY(link.open());
    QVERIFY(m_line->send("stale"));
    QTRY_COMPARE(link.waitingCount(), 5);
    link.close();
    QCOMPARE(link.takeInput(), QByteArray());
    QVERIFY(link.open());
    QCOMPARE(link.waitingCount(), 0);
    QCOMPARE(link.takeInput(), QByteArray());
}

void TestSerialLink::lostDeviceIsReportedOnceAndClosed()
{
    SerialLink link;
    QSignalSpy lost(&link, &SerialLink::deviceLost);
    link.setDeviceName(m_line->devicePath());
    QVERIFY(link.open());
    m_line->closeFarEnd();
    QTRY_COMPARE(lost.count(), 1);
    QVERIFY(!link.isOpen());
    QVERIFY(!lost.first().first().toString().isEmpty());
    QTest::qWait(200);
    QCOMPARE(lost.count(), 1);
    QVERIFY(!link.write("x"));
}

// A caller that meets the failure itself, closes the port and tells the user
// gets no second report.
void TestSerialLink::failedSendIsNotReportedAgain()
{
    SerialLink link;
    QSignalSpy lost(&link, &SerialLink::deviceLost);
    link.setDeviceName(m_line->devicePath());
    QVERIFY(link.open());
    m_line->closeFarEnd();
    QVERIFY(!(link.write(QByteArray(80, '6')) && link.drainOutput()));
    QVERIFY(!link.errorString().isEmpty());
    link.close();
    QTest::qWait(200);
    QCOMPARE(lost.count(), 0);
}

QTEST_GUILESS_MAIN(TestSerialLink)
#include "tst_seriallink.moc"
