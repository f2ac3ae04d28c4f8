// Thousands of random user actions on the real window, with a brewer on a
// pseudo-terminal that answers with good, bad, short and random records and a
// settings file that is damaged between Save and Load. After every action the
// table must be well-formed, every frame that reached the brewer well-formed
// and sent for a reported success only, and a file that Save reported written
// must hold the table.
//
// PELN_RANDOM_SEED and PELN_RANDOM_ACTIONS choose the run. A failure prints
// the seed and the shortest list of actions found that still fails.
#include "Form1.h"
#include "FrameGrammar.h"
#include "NoticeCatcher.h"
#include "PseudoTerminal.h"
#include "ReplyRecord.h"
#include "SettingsFileFormat.h"
#include "SettingsFileNotices.h"
#include "TableInvariants.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

enum class Kind { Type, Paste, Click, Read, Load };

// One user action. Everything random about it is drawn when the list is
// made, so that a shorter list replays each remaining action unchanged.
struct Action
{
    Kind kind = Kind::Type;
    QString target;   // a field or a button
    QString text;     // keys to type (\b Backspace, \x7f Delete, \x01 Home) or text to paste
    QByteArray bytes; // the record the brewer sends before Read
    quint32 seed = 0; // how Load damages the file first
};

// Send and Connect come up more often than the others.
const char *const Buttons[] = {"default1", "default2", "default3", "Command_disable1",
                               "Command4", "connect",  "connect",  "Command1",
                               "Command1", "Command1", "Command3"};
const char *const DamageNames[] = {"none",      "change a byte",   "cut out bytes", "insert bytes",
                                   "cut short", "LF line ends",    "lower case",    "repeat a line",
                                   "remove it", "replace by noise"};

QString describe(const Action &action)
{
    QString keys = action.text;
    keys.replace(u'\b', QLatin1String("<Backspace>")).replace(u'\x7f', QLatin1String("<Delete>"));
    switch (action.kind) {
    case Kind::Type:
    case Kind::Paste:
        return QStringLiteral("%1 into %2: \"%3\"")
            .arg(QLatin1String(action.kind == Kind::Type ? "type" : "paste"), action.target,
                 keys.replace(u'\x01', QLatin1String("<Home>")));
    case Kind::Click:
        return QStringLiteral("click %1").arg(action.target);
    case Kind::Read:
        return QStringLiteral("brewer sends %1, then click Command2")
            .arg(action.bytes.isEmpty() ? QStringLiteral("nothing")
                                        : QString::fromLatin1(action.bytes.toHex(' ')));
    case Kind::Load:
        return QStringLiteral("damage the file (%1, #%2), then click Command5")
            .arg(QLatin1String(DamageNames[action.seed % 10]))
            .arg(action.seed);
    }
    return {};
}

QByteArray randomBytes(QRandomGenerator &random, int count)
{
    static const uchar Telling[] = {0x00, 0x45, 0x46, 0x64, 0x65, 0x66, 0x69, 0x6A, 0xC8, 0xFF};
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += char(random.bounded(2) ? Telling[random.bounded(10)] : random.bounded(256));
    return bytes;
}

QList<Action> randomActions(quint32 seed, int count)
{
    QRandomGenerator random(seed);
    QStringList fields{QStringLiteral("Textsend")};
    for (const SettingField &field : settingFields())
        fields << QLatin1String(field.name);
    const QString keys = QStringLiteral("0123456789012345678901.-+ eOFfa/$&\b\b\x7f\x01");
    QList<Action> actions;
    while (actions.size() < count) {
        const int roll = int(random.bounded(100));
        Action action;
        action.target = fields[random.bounded(int(fields.size()))];
        if (roll < 45) {
            for (int n = 1 + random.bounded(5); n > 0; --n)
                action.text += keys[random.bounded(int(keys.size()))];
        } else if (roll < 50) {
            action.kind = Kind::Paste;
            for (int n = random.bounded(6); n > 0; --n)
                action.text += QChar(random.bounded(3) ? keys[random.bounded(10)]
                                                       : QChar(random.bounded(0x20, 0x250)));
        } else if (roll < 80) {
            action.kind = Kind::Click;
            action.target = QLatin1String(Buttons[random.bounded(int(std::size(Buttons)))]);
        } else if (roll < 91) {
            action.kind = Kind::Read;
            // Good, short or long with the header FF AA, swapped header, noise, nothing.
            const int shape = random.bounded(6);
            const int lengths[] = {
                ReplyLength,           random.bounded(2, ReplyLength), random.bounded(40, 60),
                random.bounded(2, 60), random.bounded(1, 60),          0};
            action.bytes = randomBytes(random, lengths[shape]);
            if (shape <= 3)
                action.bytes.replace(0, 2, shape <= 2 ? "\xff\xaa" : "\xaa\xff");
        } else {
            action.kind = Kind::Load;
            action.seed = random.generate();
        }
        actions << action;
    }
    return actions;
}

void damage(const QString &path, quint32 seed)
{
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    else if (seed % 10 != 9)
        return;
    file.close();
    QRandomGenerator random(seed);
    const int at = int(random.bounded(qMax(bytes.size(), qsizetype(1))));
    switch (seed % 10) {
    case 1:
        if (!bytes.isEmpty())
            bytes[at] = char(random.bounded(256));
        break;
    case 2:
        bytes.remove(at, random.bounded(1, 20));
        break;
    case 3:
        bytes.insert(at, randomBytes(random, random.bounded(1, 10)));
        break;
    case 4:
        bytes.truncate(at);
        break;
    case 5:
        bytes.replace("\r\n", "\n");
        break;
    case 6:
        bytes = bytes.toLower();
        break;
    case 7: {
        const QList<QByteArray> lines = bytes.split('\n');
        bytes += '\n' + lines[random.bounded(int(lines.size()))];
        break;
    }
    case 8:
        QFile::remove(path);
        return;
    case 9:
        bytes = randomBytes(random, random.bounded(400));
        break;
    }
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

// The window, the brewer at the far end of its line and the file's folder.
class Session
{
public:
    Session()
    {
        m_form.setSettingsDirectory(m_dir.path());
        m_form.show();
        QLineEdit *port = m_form.findChild<QComboBox *>(QStringLiteral("Combo1"))->lineEdit();
        port->setText(m_line.devicePath());
    }

    // Runs the action and returns what went wrong, if anything.
    QString run(const Action &action)
    {
        m_notices.clear();
        if (action.kind == Kind::Type || action.kind == Kind::Paste) {
            auto *field = m_form.findChild<QLineEdit *>(action.target);
            if (action.kind == Kind::Paste) {
                QGuiApplication::clipboard()->setText(action.text);
                field->paste(); // as the context menu does
            }
            for (QChar key : action.kind == Kind::Type ? action.text : QString()) {
                if (key == u'\b' || key == u'\x7f' || key == u'\x01')
                    QTest::keyClick(field, key == u'\b'     ? Qt::Key_Backspace
                                           : key == u'\x7f' ? Qt::Key_Delete
                                                            : Qt::Key_Home);
                else
                    QTest::keyClick(field, key.toLatin1());
            }
        } else if (action.kind == Kind::Read) {
            const SerialLink &link = m_form.serialLink();
            const qint64 expected = link.waitingCount() + action.bytes.size();
            if (link.isOpen() && m_line.send(action.bytes) &&
                !QTest::qWaitFor([&] { return link.waitingCount() >= expected; }, 5000))
                return QStringLiteral("the record sent does not wait in the port");
            click(QStringLiteral("Command2"));
        } else if (action.kind == Kind::Load) {
            damage(m_form.settingsFilePath(), action.seed);
            click(QStringLiteral("Command5"));
        } else {
            click(action.target);
        }
        return problem(action);
    }

private:
    void click(const QString &button)
    {
        QTest::mouseClick(m_form.findChild<QPushButton *>(button), Qt::LeftButton);
    }

    QString problem(const Action &action)
    {
        const SettingsTable &table = m_form.settingsTable();
        if (QString problem = tableProblem(table); !problem.isEmpty())
            return problem;
        const QString logo = m_form.findChild<QLineEdit *>(QStringLiteral("Textsend"))->text();
        const QStringList told = m_notices.texts();
        // A successful send has handed the whole frame to the line.
        const bool sent = told.contains(QStringLiteral("Send Data Successful!"));
        if (sent)
            m_line.waitForCollected(SettingsPieceLength +
                                    (logo.size() <= FrameLogoLimit ? 3 + logo.size() : 0));
        QByteArray stream = m_line.takeCollected();
        int frames = 0;
        while (!stream.isEmpty()) {
            const ParsedFrame parsed = parseSettingsFrame(stream);
            if (parsed.status != ParsedFrame::Status::Complete)
                return QStringLiteral("the brewer got a malformed frame: %1 %2")
                    .arg(parsed.problem, QString::fromLatin1(stream));
            if (QString problem = frameProblem(stream.first(parsed.length), table, logo);
                !problem.isEmpty())
                return problem;
            stream.remove(0, parsed.length);
            ++frames;
        }
        if (frames != (sent ? 1 : 0))
            return QStringLiteral("%1 frames reached the brewer after: %2")
                .arg(frames)
                .arg(told.join(" | "));
        // What Save reported written is on disk whole: the table and the logo,
        // which the file format reads back as they are.
        QFile file(m_form.settingsFilePath());
        if (action.target == QLatin1String("Command3") && told.contains(saveSuccessfulText()) &&
            (!file.open(QIODevice::ReadOnly) || file.readAll() != settingsFileBytes(table, logo)))
            return QStringLiteral("Save reported success, but the file does not hold the table");
        return {};
    }

    QTemporaryDir m_dir;
    PseudoTerminal m_line;
    Form1 m_form;
    NoticeCatcher m_notices;
};

// Runs the actions in a new session; returns the index of the first that
// fails, with what went wrong, or -1.
std::pair<qsizetype, QString> firstFailure(const QList<Action> &actions)
{
    Session session;
    for (qsizetype i = 0; i < actions.size(); ++i) {
        if (const QString problem = session.run(actions[i]); !problem.isEmpty())
            return {i, problem};
    }
    return {-1, {}};
}

// Removes chunks of actions, halving their size, as long as the rest still
// fails; stops after `budget` replays.
QList<Action> shrunk(QList<Action> actions, int budget = 300)
{
    for (qsizetype chunk = actions.size() / 2; chunk >= 1 && budget > 0; chunk /= 2) {
        for (qsizetype start = 0; start < actions.size() && budget > 0; --budget) {
            QList<Action> fewer = actions;
            fewer.remove(start, qMin(chunk, fewer.size() - start));
            const qsizetype failed = firstFailure(fewer).first;
            if (failed >= 0)
                actions = fewer.first(failed + 1);
            else
                start += chunk;
        }
    }
    return actions;
}

} // namespace

class TestRandomUse : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void randomActionsKeepEverythingWellFormed();
};

// Every notice makes the offscreen platform warn that it cannot pass on size
// hints; thousands of them would bury what matters.
void TestRandomUse::initTestCase()
{
    static const QtMessageHandler shown = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            if (!text.contains(QLatin1String("propagateSizeHints")))
                shown(type, context, text);
        });
}

void TestRandomUse::randomActionsKeepEverythingWellFormed()
{
    bool given = false;
    quint32 seed = qEnvironmentVariable("PELN_RANDOM_SEED").toUInt(&given);
    seed = given ? seed : 20240606u;
    const int asked = qEnvironmentVariableIntValue("PELN_RANDOM_ACTIONS", &given);
    const int count = given ? asked : 3000;
    qInfo("random use: PELN_RANDOM_SEED=%u PELN_RANDOM_ACTIONS=%d", seed, count);
    QVERIFY(PseudoTerminal().isValid());

    const QList<Action> actions = randomActions(seed, count);
    const auto [failed, problem] = firstFailure(actions);
    if (failed < 0)
        return;
    qWarning("action %lld of seed %u failed: %s", failed + 1, seed, qPrintable(problem));
    const QList<Action> shortest = shrunk(actions.first(failed + 1));
    const auto [lastFailed, lastProblem] = firstFailure(shortest);
    qWarning("the shortest list found (%lld actions) fails with: %s", shortest.size(),
             qPrintable(lastProblem));
    for (const Action &action : shortest)
        qWarning("  %s", qPrintable(describe(action)));
    QFAIL(qPrintable(QStringLiteral("random use with PELN_RANDOM_SEED=%1 failed").arg(seed)));
}

QTEST_MAIN(TestRandomUse)
#include "tst_randomuse.moc"
