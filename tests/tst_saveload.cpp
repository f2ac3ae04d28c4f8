#include "Form1.h"
#include "NoticeCatcher.h"
#include "SettingFields.h"
#include "SettingsFileSamples.h"
#include "SlotForms.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString FileName = "PELN PROGRAM DATA.TXT";

// The default file with lines replaced: "N:text" sets line N (1-based); a
// number past the end adds the line.
QStringList editedLines(const QStringList &edits)
{
    QStringList lines = defaultFileLines();
    for (const QString &edit : edits) {
        const int colon = int(edit.indexOf(':'));
        const int number = edit.left(colon).toInt();
        if (number > lines.size())
            lines << edit.mid(colon + 1);
        else
            lines[number - 1] = edit.mid(colon + 1);
    }
    return lines;
}

} // namespace

class TestSaveLoad : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saveOfFreshWindow();
    void loadOfDefaultFile();
    void loadFieldPass_data();
    void loadFieldPass();
    void disableRecordIsNotRead();
    void logoRoundTrip_data();
    void logoRoundTrip();
    void technicianSettingsRoundTrip();
    void failedSaveKeepsWhatStoodThere();
    void loadOfMissingFileChangesNothing();
    void damagedFile_data();
    void damagedFile();

private:
    QLineEdit *field(const QString &name) const { return m_form->findChild<QLineEdit *>(name); }
    QString slot(int index) const { return m_form->settingsTable().slot(index).value_or("unset"); }
    QString filePath() const { return m_dir->filePath(FileName); }
    void newForm();
    void click(const char *button);
    void writeFile(const QByteArray &bytes);
    QByteArray fileBytes() const;
    QStringList fieldTexts() const;
    // Fails unless exactly one notice was shown, with the caption "Message".
    NoticeCatcher::Notice onlyNotice();

    QTemporaryDir *m_dir = nullptr;
    Form1 *m_form = nullptr;
    NoticeCatcher *m_notices = nullptr;
};

void TestSaveLoad::init()
{
    m_dir = new QTemporaryDir;
    newForm();
    m_notices = new NoticeCatcher;
}

void TestSaveLoad::cleanup()
{
    delete m_notices;
    delete m_form;
    m_form = nullptr;
    delete m_dir;
}

void TestSaveLoad::newForm()
{
    delete m_form;
    m_form = new Form1;
    m_form->setSettingsDirectory(m_dir->path());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestSaveLoad::click(const char *button)
{
    QTest::mouseClick(m_form->findChild<QPushButton *>(button), Qt::LeftButton);
}

void TestSaveLoad::writeFile(const QByteArray &bytes)
{
    QFile file(filePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray TestSaveLoad::fileBytes() const
{
    QFile file(filePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
}

QStringList TestSaveLoad::fieldTexts() const
{
    QStringList texts;
    for (const SettingField &setting : settingFields())
        texts << field(setting.name)->text();
    return texts;
}

NoticeCatcher::Notice TestSaveLoad::onlyNotice()
{
    const auto notices = m_notices->notices();
    m_notices->clear();
    if (notices.size() != 1)
        return {QStringLiteral("<%1 notices>").arg(notices.size()), {}, {}, {}, {}};
    const auto notice = notices.first();
    if (notice.title != "Message" || notice.buttons != QMessageBox::Ok)
        return {"<caption " + notice.title + ">", {}, {}, {}, {}};
    return notice;
}

void TestSaveLoad::saveOfFreshWindow()
{
    QCOMPARE(m_form->settingsFilePath(), QDir::toNativeSeparators(filePath()));
    click("Command3");
    QCOMPARE(fileBytes(), fileOf(defaultFileLines()));
    const auto notice = onlyNotice();
    QCOMPARE(notice.text, " <PELN PROGRAM DATA.TXT>  Save successful!");
    QCOMPARE(notice.icon, QMessageBox::Information);
    for (int i = 0; i < SettingsTable::UsedSlots; ++i)
        QCOMPARE(slot(i), SettingsTable::defaultText(i));

    // A pulse of 0 is saved as 66, other values as their slots; saving again
    // without an edit gives the same file.
    field("Text1")->setText("");
    field("Text2")->setText("10");
    field("Textsend")->setText("Fresh Brew");
    click("Command3");
    const QByteArray first = fileBytes();
    QVERIFY(first.contains("\r\n\"Logo\",\"Fresh Brew\"\r\n\"#1 Button\",\"66\",\"0A\",\"66\","));
    click("Command3");
    QCOMPARE(fileBytes(), first);
    QCOMPARE(m_notices->notices().size(), 2);
}

void TestSaveLoad::loadOfDefaultFile()
{
    for (const SettingField &setting : settingFields())
        field(setting.name)->setText("77");
    field("Textsend")->setText("OLD");
    writeFile(fileOf(defaultFileLines()));
    click("Command5");

    const auto notice = onlyNotice();
    QCOMPARE(notice.text, " <PELN PROGRAM DATA.TXT>  Load successful!");
    QCOMPARE(notice.icon, QMessageBox::Information);
    QStringList expected(24, "0");
    for (int at : {8, 17, 26})
        expected.insert(at, "102");
    expected << "0"
             << "0"
             << "0"
             << "88"
             << "100"
             << "90";
    QCOMPARE(fieldTexts(), expected);
    QCOMPARE(field("Textsend")->text(), "");
    QCOMPARE(field("Text18")->text(), R"("Drip out time","00",)");
    // The editors leave the table as the fields show it.
    QCOMPARE(slot(0), "00");
    QCOMPARE(slot(8), "66");
    QCOMPARE(slot(30), "0850");
    QCOMPARE(slot(31), "64");
    QCOMPARE(slot(32), "5A");
}

void TestSaveLoad::loadFieldPass_data()
{
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("lineEnd");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("slotIndex");
    QTest::addColumn<QString>("slotText");

    const auto row = [](const char *tag, const QStringList &edits, const char *name,
                        const char *shown, int slot, const char *slotText,
                        const char *lineEnd = "\r\n") {
        QTest::newRow(tag) << edits << QString(lineEnd) << QString(name) << QString(shown) << slot
                           << QString(slotText);
    };
    const QString button = R"("#2 Button","%1","02","03","04","05","06","07","08","%2",)";
    row("calibration 094E", {R"(8:"Flowmeter","094E",)"}, "Text17", "97.8", 30, "094E");
    row("calibration 0A33 to 88", {R"(8:"Flowmeter","0A33",)"}, "Text17", "88", 30, "0850");
    row("calibration 0850", {R"(8:"Flowmeter","0850",)"}, "Text17", "88", 30, "0850");
    row("pump 46 stays", {R"(9:"Set pump speed","46",)"}, "Text19", "70", 31, "46");
    row("pump 65 to 100", {R"(9:"Set pump speed","65",)"}, "Text19", "100", 31, "64");
    row("drip 6A to 90", {R"(10:"Drip out time","6A",)"}, "Text20", "90", 32, "5A");
    row("drip 45 to 90", {R"(10:"Drip out time","45")"}, "Text20", "90", 32, "5A");
    row("pulse 0A", {"4:" + button.arg("0A", "66")}, "Text21", "10", 9, "0A");
    row("pulse C8 to 0", {"4:" + button.arg("C8", "66")}, "Text21", "0", 9, "00");
    row("volume C8 to 102", {"4:" + button.arg("01", "C8")}, "Text29", "102", 17, "66");
    row("counts", {R"(6:"Total cups","00FA","0000","270F",)"}, "Text15", "9999", 29, "270F");
    row("key in other case skipped", {"4:" + button.arg("0A", "66").replace("Button", "button")},
        "Text21", "0", 9, "unset");
    row("any first character", {"4:'" + button.arg("0A", "66").mid(1)}, "Text21", "10", 9, "0A");
    row("later line wins", {"4:" + button.arg("0A", "66"), "11:" + button.arg("0B", "0C")},
        "Text29", "12", 17, "0C");
    row("LF ends", {R"(8:"Flowmeter","094E",)"}, "Text17", "97.8", 30, "094E", "\n");
    row("CR ends", {R"(8:"Flowmeter","094E",)"}, "Text17", "97.8", 30, "094E", "\r");
}

void TestSaveLoad::loadFieldPass()
{
    QFETCH(QStringList, edits);
    QFETCH(QString, lineEnd);
    QFETCH(QString, name);
    QFETCH(QString, shown);
    QFETCH(int, slotIndex);
    QFETCH(QString, slotText);

    writeFile(editedLines(edits).join(lineEnd).toLatin1());
    click("Command5");
    QCOMPARE(onlyNotice().icon, QMessageBox::Information);
    QCOMPARE(field(name)->text(), shown);
    QCOMPARE(slot(slotIndex), slotText);
}

void TestSaveLoad::disableRecordIsNotRead()
{
    click("Command_disable1");
    click("Command4");
    QCOMPARE(slot(33), "01");
    writeFile(fileOf(
        editedLines({R"(6:"Total cups","0001","0002","0003",)", R"(7:"Disable","01","01",)"})));
    click("Command5");
    QCOMPARE(field("Text13")->text(), "2");
    QCOMPARE(field("Text15")->text(), "3");
    QCOMPARE(slot(33), "00");
    QCOMPARE(slot(34), "00");
}

void TestSaveLoad::logoRoundTrip_data()
{
    QTest::addColumn<QString>("logo");
    QTest::newRow("empty") << "";
    QTest::newRow("typed") << "Coffee 24h";
    QTest::newRow("double quote") << R"(Joe's "Best")";
    QTest::newRow("latin-1 and longer than typing allows")
        << QString::fromLatin1("Caf\xE9 \xFF, comma, \"quote\" and more");
}

void TestSaveLoad::logoRoundTrip()
{
    QFETCH(QString, logo);
    field("Textsend")->setText(logo);
    click("Command3");
    QVERIFY(fileBytes().startsWith("\r\n\"Logo\",\"" + logo.toLatin1() + "\"\r\n"));
    field("Textsend")->setText("OTHER");
    click("Command5");
    QCOMPARE(field("Textsend")->text(), logo);
}

// What a technician sets comes back after Save, closing the program, starting
// it again and Load; a volume of 0 comes back as 102 and a pulse of 102,
// which means zero, as 0.
void TestSaveLoad::technicianSettingsRoundTrip()
{
    QRandomGenerator random(2024);
    for (int round = 0; round < 20; ++round) {
        QStringList typed;
        for (int i = 0; i < 27; ++i)
            typed << QString::number(random.bounded(103));
        for (int i = 0; i < 3; ++i)
            typed << QString::number(random.bounded(10000));
        const int tenths = random.bounded(700, 1051);
        typed << (tenths % 10 ? QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10)
                              : QString::number(tenths / 10));
        typed << QString::number(random.bounded(70, 101))
              << QString::number(random.bounded(70, 106));
        for (int i = 0; i < SettingFieldCount; ++i)
            field(settingFields()[i].name)->setText(typed[i]);
        field("Textsend")->setText(QStringLiteral("Logo %1").arg(round));

        click("Command3");
        newForm();
        click("Command5");
        QCOMPARE(m_notices->notices().size(), 2);
        m_notices->clear();

        QStringList expected = typed;
        for (int i = 0; i < 27; ++i) {
            const bool volume = settingFields()[i].kind == FieldKind::Volume;
            if (volume && typed[i] == "0")
                expected[i] = "102";
            if (!volume && typed[i] == "102")
                expected[i] = "0";
        }
        QCOMPARE(fieldTexts(), expected);
        QCOMPARE(field("Textsend")->text(), QStringLiteral("Logo %1").arg(round));
        for (int i = 0; i < SettingsTable::UsedSlots; ++i) {
            const int width = int(SettingsTable::defaultText(i).size());
            QVERIFY2(slot(i) == "unset" || isHexOfWidth(slot(i), width), qPrintable(slot(i)));
        }
    }
}

void TestSaveLoad::failedSaveKeepsWhatStoodThere()
{
    // A folder at the file's path: fails for every user, root included.
    QVERIFY(QDir(m_dir->path()).mkdir(FileName));
    QVERIFY(QFile::exists(filePath() + "/"));
    click("Command3");
    const auto notice = onlyNotice();
    QCOMPARE(notice.text, " <PELN PROGRAM DATA.TXT>  Save failed!");
    QCOMPARE(notice.icon, QMessageBox::Warning);
    QVERIFY2(notice.informativeText.contains(QDir::toNativeSeparators(filePath())) &&
                 notice.informativeText.contains("directory"),
             qPrintable(notice.informativeText));
    QVERIFY(QFileInfo(filePath()).isDir());

    // The folder it was to go into is gone.
    m_form->setSettingsDirectory(m_dir->filePath("removed"));
    click("Command3");
    QCOMPARE(onlyNotice().icon, QMessageBox::Warning);
}

void TestSaveLoad::loadOfMissingFileChangesNothing()
{
    field("Text3")->setText("12");
    field("Text17")->setText("97.8");
    field("Textsend")->setText("KEEP");
    const QStringList texts = fieldTexts();
    QStringList before;
    for (int i = 0; i < SettingsTable::SlotCount; ++i)
        before << slot(i);

    click("Command5");
    const auto notice = onlyNotice();
    QCOMPARE(notice.text, " <PELN PROGRAM DATA.TXT>  Load failed!");
    QCOMPARE(notice.icon, QMessageBox::Warning);
    QVERIFY2(notice.informativeText.contains(QDir::toNativeSeparators(filePath())),
             qPrintable(notice.informativeText));
    QCOMPARE(fieldTexts(), texts);
    for (int i = 0; i < SettingsTable::SlotCount; ++i)
        QCOMPARE(slot(i), before[i]);
    QCOMPARE(field("Textsend")->text(), "KEEP");
    QCOMPARE(field("Text18")->text(), "Text18");
}

void TestSaveLoad::damagedFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("slotIndex");
    QTest::addColumn<QString>("slotText");
    QTest::addColumn<QString>("reported");

    const QStringList valid =
        editedLines({R"(3:"#1 Button","01","02","03","04","05","06","07","08","09",)",
                     R"(6:"Total cups","0001","0002","0003",)", R"(8:"Flowmeter","094E",)"});
    QTest::newRow("wide value shifts its line")
        << fileOf(editedLines({R"(3:"#1 Button","0A00","02","03","04","05","06","07","08","09",)"}))
        << "Text2"
        << "7" << 1 << "07"
        << R"(Line 3, "#1 Button" value 2: ",")";
    QTest::newRow("not hexadecimal")
        << fileOf(editedLines({R"(9:"Set pump speed","5Z",)"})) << "Text19"
        << "75" << 31 << "4B"
        << R"(Line 9, "Set pump speed" value 1: "5Z")";
    QTest::newRow("truncated in a count")
        << fileOf(valid).left(fileOf(valid).indexOf("0002") + 2) << "Text13"
        << "4" << 28 << "0004"
        << R"(Line 6, "Total cups" value 2: "00")";
    QTest::newRow("lower case is fine")
        << fileOf(editedLines({R"(8:"Flowmeter","0a32",)"})) << "Text17"
        << "105" << 30 << "0A32"
        << "";
}

void TestSaveLoad::damagedFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QFETCH(QString, shown);
    QFETCH(int, slotIndex);
    QFETCH(QString, slotText);
    QFETCH(QString, reported);

    // What stood in the window before the load.
    field("Text2")->setText("7");
    field("Text13")->setText("4");
    field("Text17")->setText("97.8");
    field("Text19")->setText("75");
    writeFile(bytes);
    click("Command5");

    QCOMPARE(field(name)->text(), shown);
    QCOMPARE(slot(slotIndex), slotText);
    for (int i = 0; i < SettingsTable::UsedSlots; ++i) {
        const int width = int(SettingsTable::defaultText(i).size());
        QVERIFY2(slot(i) == "unset" || isHexOfWidth(slot(i), width), qPrintable(slot(i)));
    }
    const auto notice = onlyNotice();
    if (reported.isEmpty()) {
        QCOMPARE(notice.icon, QMessageBox::Information);
        return;
    }
    QCOMPARE(notice.text, " <PELN PROGRAM DATA.TXT>  Loaded, but some values were damaged!");
    QCOMPARE(notice.icon, QMessageBox::Warning);
    QVERIFY2(notice.informativeText.contains(reported), qPrintable(notice.informativeText));
}

QTEST_MAIN(TestSaveLoad)
#include "tst_saveload.moc"
