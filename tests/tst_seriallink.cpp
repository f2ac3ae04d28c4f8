#include "PseudoTerminal.h"
#include "SerialLink.h"

#include <QTest>

Q_DECLARE_METATYPE(QSerialPort::Parity)
Q_DECLARE_METATYPE(QSerialPort::DataBits)
Q_DECLARE_METATYPE(QSerialPort::StopBits)

class TestSerialLink : public QObject
{
    Q_OBJECT

private slots:
    void lineSettings_data();
    void lineSettings();
    void takingGathersWhatTheSystemHolds();
};

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

void TestSerialLink::takingGathersWhatTheSystemHolds()
{
    PseudoTerminal line;
    SerialLink link;
    link.setDeviceName(line.devicePath());
    QVERIFY(link.open());
    const QByteArray sent(3000, '\x5a');
    QVERIFY(line.send(sent));
    QByteArray taken;
    for (int tries = 0; tries < 500 && taken.size() < sent.size(); ++tries) {
        taken += link.takeInput();
        QTest::qSleep(10);
    }
    QCOMPARE(taken, sent);
    QVERIFY(link.isOpen());
}

QTEST_GUILESS_MAIN(TestSerialLink)
#include "tst_seriallink.moc"
