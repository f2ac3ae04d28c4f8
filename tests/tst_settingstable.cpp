#include "SettingsTable.h"
#include "SlotForms.h"

#include "DataRow.h"

#include <QTest>

class TestSettingsTable : public QObject
{
    Q_OBJECT

private slots:
    void forms_data();
    void forms();
    void unsetIsDistinctFromEveryText();
    void fillDefaultsOnFreshTable();
    void fillDefaultsKeepsNonZeroTexts_data();
    void fillDefaultsKeepsNonZeroTexts();
};

void TestSettingsTable::forms_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("expected");

    addRow("two 5", "two", 5, "05");
    addRow("two 10 upper case", "two", 10, "0A");
    addRow("two 102", "two", 102, "66");
    addRow("two 255", "two", 255, "FF");
    addRow("two 0", "two", 0, "00");
    addRow("four 0", "four", 0, "0000");
    addRow("four 250", "four", 250, "00FA");
    addRow("four 4096", "four", 4096, "1000");
    addRow("four 9999", "four", 9999, "270F");
    addRow("four 65535", "four", 65535, "FFFF");
    // The calibration form is not the four-digit form of N: 880 is "0850", not "0370".
    addRow("calibration 88.0", "calibration", 880, "0850");
    addRow("calibration 97.8", "calibration", 978, "094E");
    addRow("calibration 70.0", "calibration", 700, "0700");
    addRow("calibration 105.0", "calibration", 1050, "0A32");
}

void TestSettingsTable::forms()
{
    QFETCH(QString, form);
    QFETCH(int, value);
    QFETCH(QString, expected);
    const QString text = form == "two"    ? twoDigitForm(value)
                         : form == "four" ? fourDigitForm(value)
                                          : calibrationForm(value);
    QCOMPARE(text, expected);
}

void TestSettingsTable::unsetIsDistinctFromEveryText()
{
    SettingsTable table;
    for (int i = 0; i < SettingsTable::SlotCount; ++i)
        QVERIFY(!table.slot(i).has_value());
    table.setSlot(3, "");
    table.setSlot(4, "00");
    QCOMPARE(table.slot(3), std::optional<QString>(""));
    QCOMPARE(table.slot(4), std::optional<QString>("00"));
    QVERIFY(!table.slot(5).has_value());
}

void TestSettingsTable::fillDefaultsOnFreshTable()
{
    SettingsTable table;
    table.FillDefaults();
    for (int i = 0; i <= 26; ++i)
        QCOMPARE(table.slot(i), std::optional<QString>("66"));
    for (int i = 27; i <= 30; ++i)
        QCOMPARE(table.slot(i), std::optional<QString>("0000"));
    for (int i = 31; i <= 34; ++i)
        QCOMPARE(table.slot(i), std::optional<QString>("00"));
    for (int i = 35; i < SettingsTable::SlotCount; ++i)
        QVERIFY2(!table.slot(i).has_value(), qPrintable(QString::number(i)));
}

void TestSettingsTable::fillDefaultsKeepsNonZeroTexts_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");

    addRow("pulse zero", 0, "00", "66");
    addRow("pulse one-digit zero", 5, "0", "66");
    addRow("pulse 0A kept", 1, "0A", "0A");
    addRow("pulse 66 kept", 2, "66", "66");
    addRow("volume zero", 26, "00", "66");
    addRow("count zero stays zero", 28, "0000", "0000");
    addRow("count 0E10 is not zero", 27, "0E10", "0E10");
    addRow("calibration kept", 30, "0850", "0850");
    addRow("pump zero", 31, "00", "00");
    addRow("flag 01 kept", 33, "01", "01");
    addRow("lower case kept", 3, "0a", "0a");
    addRow("odd text kept", 4, "\",", "\",");
    addRow("empty text kept", 6, "", "");
    addRow("unused slot untouched", 40, "00", "00");
}

void TestSettingsTable::fillDefaultsKeepsNonZeroTexts()
{
    QFETCH(int, slot);
    QFETCH(QString, before);
    QFETCH(QString, after);
    SettingsTable table;
    table.setSlot(slot, before);
    table.FillDefaults();
    QCOMPARE(table.slot(slot), std::optional<QString>(after));
}

QTEST_APPLESS_MAIN(TestSettingsTable)
#include "tst_settingstable.moc"
