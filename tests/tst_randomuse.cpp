// Thousands of random user actions on the real window, with a brewer on a
// pseudo-terminal that answers with good, bad, short and random records and a
// settings file that is damaged between Save and Load. After every action the
// table must be well-formed, every frame that reached the brewer well-formed
// and sent for a reported success only, and a file that Save reported written
// must hold the table.
//
// PELN_RANDOM_SEED and PELN_RANDOM_ACTIONS choose the run. A failure names the
// seed, the failing action's number and the actions that led to it; running
// again with that number as PELN_RANDOM_ACTIONS repeats it exactly.
#include "Invariants.h"
#include "PseudoTerminal.h"
#include "ReplyRecord.h"
#include "SettingsFileFormat.h"
#include "WindowUnderTest.h"

#include <QClipboard>
#include <QComboBox>
#include <QRandomGenerator>
#include <QTemporaryDir>

class TestRandomUse : public QObject
{
    Q_OBJECT

private slots:
    void randomActionsKeepEverythingWellFormed();

private:
    QString act();
    QString problem(const QString &action);
    QByteArray randomBytes(int count);

    QRandomGenerator m_random;
    QTemporaryDir m_dir;
    PseudoTerminal m_line;
    std::unique_ptr<WindowUnderTest> w;
};

// Random bytes, half of them values that sit on a rule's edge.
QByteArray TestRandomUse::randomBytes(int count)
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
QString TestRandomUse::act()
{
    const QStringList buttons = {"default1", "default2", "default3", "Command_disable1",
                                 "Command4", "connect",  "connect",  "Command1",
                                 "Command1", "Command1", "Command3"};
    const QString keys = "0123456789012345678901.-+ eOFfa/$&\b\b\x7f\x01";
    const int index = m_random.bounded(SettingFieldCount + 1);
    QLineEdit *field =
        w->child(index < SettingFieldCount ? settingFields()[index].name : "Textsend");
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
        if (link.isOpen() && m_line.send(bytes) &&
            !QTest::qWaitFor([&] { return link.waitingCount() >= expected; }, 5000))
            return "! the record sent does not wait in the port";
        w->click("Command2");
        return "Command2 after the brewer sent " + bytes.toHex(' ');
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
        w->click("Command5");
        return QStringLiteral("Command5 after damage %1 at %2").arg(way).arg(at);
    }
    return field->objectName() + ": " + QString::fromLatin1(text.toUtf8().toPercentEncoding());
}

// What went wrong with the last action, if anything.
QString TestRandomUse::problem(const QString &action)
{
    const SettingsTable &table = w->form.settingsTable();
    if (action.startsWith('!'))
        return action;
    if (QString problem = tableProblem(table); !problem.isEmpty())
        return problem;
    const QString logo = w->text("Textsend");
    const QStringList told = w->told();
    // A successful send has handed the whole frame to the line.
    const bool sent = told.contains("PELN: Send Data Successful!");
    const QByteArray stream = m_line.takeCollected(
        sent ? SettingsPieceLength + (logo.size() <= FrameLogoLimit ? 3 + logo.size() : 0) : 0);
    if (!sent && !stream.isEmpty())
        return "a frame reached the brewer after: " + told.join(" | ");
    if (QString problem = sent ? frameProblem(stream, table, logo) : QString(); !problem.isEmpty())
        return problem;
    // What Save reported written is on disk whole: the table and the logo.
    QFile file(w->form.settingsFilePath());
    if (action == "Command3" && told.value(0).endsWith("Save successful!") &&
        (!file.open(QIODevice::ReadOnly) || file.readAll() != settingsFileBytes(table, logo)))
        return "Save reported success, but the file does not hold the table";
    return {};
}

void TestRandomUse::randomActionsKeepEverythingWellFormed()
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
    QVERIFY(m_line.isValid());
    m_random.seed(seed);
    w = std::make_unique<WindowUnderTest>();
    w->form.setSettingsDirectory(m_dir.path());
    w->child<QComboBox>("Combo1")->lineEdit()->setText(m_line.devicePath());

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

QTEST_MAIN(TestRandomUse)
#include "tst_randomuse.moc"
