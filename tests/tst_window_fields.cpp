// Typing, keys and pastes into every kind of field, the Default and Disable
// buttons, and thousands of random actions.
#include "FieldMark.h"
#include "Invariants.h"
#include "SettingsFileFormat.h"
#include "WindowTest.h"

#include <QClipboard>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QToolTip>

using namespace operations;

class TestWindowFields : public WindowTest
{
    Q_OBJECT

public:
    TestWindowFields() : WindowTest({"randomUse"}) {}

private slots:
    void typing_data();
    void typing();
    void keys();
    void defaultAndDisable();
    void randomUse();

private:
    QString act();
    QString problem(const QString &action);
    QByteArray randomBytes(int count);

    QRandomGenerator m_random;
};

void TestWindowFields::typing_data()
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
void TestWindowFields::typing()
{
    QFETCH(QString, field);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QLineEdit *box = w->child(field);
    QTest::keyClicks(box, keys);
    QCOMPARE(w->diff(expected), "");
    QVERIFY(w->told().isEmpty());
    QTEST(box->accessibleDescription(), "described");
    QCOMPARE(box->findChild<FieldMark *>()->isVisibleTo(box),
             !box->accessibleDescription().isEmpty());
}

// Delete edits a digit field. A paste keeps what keys would keep, and a
// field that refused a key or part of a paste says what it takes, at the
// field. The logo field answers a refused key with a notice, and binds
// typing, not the program, to 16 characters.
void TestWindowFields::keys()
{
    QTest::keyClick(w->child("left.pulse4"), Qt::Key_Home);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, "\x7f"); // as X11 sends it
    QApplication::sendEvent(w->child("left.pulse4"), &del);
    QApplication::clipboard()->setText("1.5");
    for (const char *name : {"left.pulse5", "pump", "left.count"})
        QTest::keyClick(w->child(name), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(w->child("drip"), Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(w->diff("left.pulse4= 3=00 left.pulse5=015 4=0F pump=015 left.count=01.5 27=0002 "
                     "drip=015"),
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
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z); // the first field's hint
    QCOMPARE(QToolTip::text(), "Whole numbers 0 to 102");
    for (const auto &[key, tab] : {std::pair(Qt::Key_T, 2), {Qt::Key_P, 0}}) {
        QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
        QCOMPARE(w->child<QTabWidget>("SSTab1")->currentIndex(), tab);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::AltModifier);
    QTRY_COMPARE(w->notices.size(), 1); // a button pressed by its key shows itself pressed first
    QVERIFY(w->told().value(0).endsWith("Load failed!"));
}

// Each Default button sets its own row and no other; each Disable button
// turns its count to "OFF" and back to 0.
void TestWindowFields::defaultAndDisable()
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
    QCOMPARE(w->diff("left.pulse1=5 left.pulse2=0 left.pulse3=0 left.pulse4=0 left.pulse5=0 "
                     "left.pulse6=0 left.pulse7=0 left.pulse8=0 left.volume=64"),
             "");

    // Each Disable toggle is down while its own count shows OFF.
    w->set({"right.count=25"});
    w->click("RightDisable");
    w->set({"pump=80"});
    QCOMPARE(w->diff("right.count=OFF 34=01 29=0019 RightDisable=down CenterDisable=up"), "");
    w->click("RightDisable");
    w->click("CenterDisable");
    QCOMPARE(w->diff("right.count=0 34=00 29=0000 center.count=OFF 33=01 CenterDisable=down "
                     "RightDisable=up"),
             "");
    QTest::keyClick(w->child("center.count"), Qt::Key_Backspace); // typing over "OFF" enables it
    QCOMPARE(w->diff("center.count=OF 33=00 28=unset CenterDisable=up"), "");
}

// Random bytes, half of them values that sit on a rule's edge.
QByteArray TestWindowFields::randomBytes(int count)
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
QString TestWindowFields::act()
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
        for (QChar key : text)
            if (key == u'\x7f' || key == u'\x01')
                QTest::keyClick(field, key == u'\x01' ? Qt::Key_Home : Qt::Key_Delete);
            else
                QTest::keyClick(field, key.toLatin1());
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
        QByteArray bytes = fileBytes(filePath());
        QFile file(filePath());
        const int at = m_random.bounded(int(bytes.size()) + 1), way = m_random.bounded(5);
        bytes = way == 0   ? bytes.insert(at, randomBytes(m_random.bounded(1, 10)))
                : way == 1 ? bytes.remove(at, m_random.bounded(1, 20))
                : way == 2 ? bytes.left(at)
                : way == 3 ? randomBytes(m_random.bounded(400))
                           : bytes;
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
QString TestWindowFields::problem(const QString &action)
{
    const SettingsTable &table = w->form.settingsTable();
    if (QString problem = action.startsWith('!') ? action : tableProblem(table); !problem.isEmpty())
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
    if (action == "SaveButton" && told.value(0).endsWith("Save successful!") &&
        fileBytes(filePath()) != settingsFileBytes(table, logo))
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
void TestWindowFields::randomUse()
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
            QFAIL(qPrintable(QString("action %1 of PELN_RANDOM_SEED=%2, the last above, failed: %3")
                                 .arg(QString::number(i), QString::number(seed), problem)));
        }
    }
}

QTEST_MAIN(TestWindowFields)
#include "tst_window_fields.moc"
