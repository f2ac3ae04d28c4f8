#include "GeometryRecord.h"
#include "Twips.h"

#include <QTest>

Q_DECLARE_METATYPE(GeometryRecord)

class TestGeometryRecord : public QObject
{
    Q_OBJECT

private slots:
    void textForm_data();
    void textForm();
    void unreadableText_data();
    void unreadableText();
    void toPixels_data();
    void toPixels();
};

void TestGeometryRecord::textForm_data()
{
    QTest::addColumn<GeometryRecord>("record");
    QTest::addColumn<QString>("text");

    QTest::newRow("whole twips") << GeometryRecord{120, 960, 14175, 1935}
                                 << "120    960    14175    1935    ";
    QTest::newRow("zero and negative")
        << GeometryRecord{-15, -0.0, 0, 16777216} << "-15    0    0    16777216    ";
    QTest::newRow("fractions") << GeometryRecord{0.5, 1.0 / 3, 2906.25, 1e-7}
                               << "0.5    0.3333333333333333    2906.25    0.0000001    ";
}

// The text form is written as shown and reads back as the very same values.
void TestGeometryRecord::textForm()
{
    QFETCH(GeometryRecord, record);
    QFETCH(QString, text);

    QCOMPARE(record.toText(), text);
    const auto read = GeometryRecord::fromText(text);
    QVERIFY(read && *read == record);
    // Spaces before a number are allowed.
    QVERIFY(GeometryRecord::fromText(QStringLiteral("  ") + text.replace("    ", "      ")));
}

void TestGeometryRecord::unreadableText_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("three numbers") << "120    960    14175    ";
    QTest::newRow("no closing run") << "120    960    14175    1935";
    QTest::newRow("three spaces") << "120   960   14175   1935   ";
    QTest::newRow("space inside") << "1 2    960    14175    1935    ";
    QTest::newRow("comma decimal") << "0,5    960    14175    1935    ";
    QTest::newRow("not a number") << "120    960    nan    1935    ";
    QTest::newRow("negative width") << "120    960    -15    1935    ";
    QTest::newRow("fifth number") << "120    960    14175    1935    7    ";
}

void TestGeometryRecord::unreadableText()
{
    QFETCH(QString, text);
    QVERIFY(!GeometryRecord::fromText(text));
}

void TestGeometryRecord::toPixels_data()
{
    QTest::addColumn<GeometryRecord>("record");
    QTest::addColumn<double>("horizontal");
    QTest::addColumn<double>("vertical");
    QTest::addColumn<QRect>("pixels");

    const GeometryRecord frame{120, 960, 14175, 1935};
    QTest::newRow("double width") << frame << 2.0 << 1.0 << QRect(16, 64, 1890, 129);
    // 945 * 1453 / 969 is 1417.01; 129 * 1.5 is 193.5.
    QTest::newRow("1453 x 1050") << frame << 1453.0 / 969 << 1.5 << QRect(12, 96, 1417, 194);
    QTest::newRow("halves away from zero")
        << GeometryRecord{-7.5, 7.5, 22.4, 7.49} << 1.0 << 1.0 << QRect(-1, 1, 1, 0);
    QTest::newRow("beyond any widget") << GeometryRecord{-1e300, 1e300, 1e300, 0} << 1.0 << 10.0
                                       << QRect(-16777215, 16777215, 16777215, 0);
}

void TestGeometryRecord::toPixels()
{
    QFETCH(GeometryRecord, record);
    QFETCH(double, horizontal);
    QFETCH(double, vertical);
    QFETCH(QRect, pixels);

    QCOMPARE(record.scaled(horizontal, vertical).toPixels(), pixels);
}

QTEST_APPLESS_MAIN(TestGeometryRecord)
#include "tst_geometryrecord.moc"
