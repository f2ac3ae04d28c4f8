// The program's texts in the user's language: the catalogue that the
// locale chooses, and English, the texts' own language, exactly as written.
#include "Controls.h"
#include "Form1.h"
#include "SerialNotices.h"
#include "SettingWords.h"
#include "Translation.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace operations;

class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { removeTranslation(*qApp); }
    void texts_data();
    void texts();
    void commandLine_data();
    void commandLine();
};

namespace {

// A text of each kind, in English and German: a notice, a setting's name
// as a screen reader speaks it, a caption of the window and a field's hint.
const QStringList English = {"Please connect COM  First ", "Right Button pulse brew setting 8",
                             "Send to Brewer",
                             "70 to 100 percent; any other number is sent as 100"};
const QStringList German = {"Bitte verbinden Sie zuerst die Schnittstelle ",
                            "Rechte Taste, Impulsbrüh-Einstellung 8", "An Brüher senden",
                            "70 bis 100 Prozent; jede andere Zahl wird als 100 gesendet"};

} // namespace

// The user's languages, best first, and what they read: English or C ahead
// of any other keeps the texts as written.
void TestTranslation::texts_data()
{
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("C") << QStringList{"C"} << "" << English;
    QTest::newRow("none given") << QStringList{} << "" << English;
    QTest::newRow("English ahead of German") << QStringList{"en-US", "de-DE"} << "" << English;
    QTest::newRow("no catalogue") << QStringList{"fr-FR"} << "" << English;
    QTest::newRow("German") << QStringList{"de-DE"} << "de" << German;
    QTest::newRow("Austrian German") << QStringList{"de-AT"} << "de" << German;
    QTest::newRow("French, then German") << QStringList{"fr-FR", "de"} << "de" << German;
}

void TestTranslation::texts()
{
    QFETCH(QStringList, languages);
    QFETCH(QString, chosen);
    QFETCH(QStringList, expected);
    QCOMPARE(installTranslation(*qApp, languages), chosen);
    QCOMPARE(portClosedText(), expected[0]);
    QCOMPARE(slotName(2 * ButtonRowLength + 7), expected[1]);
    Form1 window;
    QCOMPARE(window.findChild<QAbstractButton *>(controlName("SendButton"))->text(), expected[2]);
    QVERIFY2(window.findChild<QLineEdit *>(controlName("pump"))->toolTip().startsWith(expected[3]),
             qPrintable(window.findChild<QLineEdit *>(controlName("pump"))->toolTip()));
    // Taken out again, the texts are as written.
    removeTranslation(*qApp);
    QCOMPARE(portClosedText(), English[0]);
}

// peln-cli in German: what it says to a person translated; what it prints
// for scripts, and its exit status, the same in every language.
void TestTranslation::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("english"); // "": output for scripts
    QTest::addColumn<QString>("german");

    QTest::newRow("a misspelt name") << QStringList{"get", "-f", "S.TXT", "pupm"} << 2
                                     << "peln-cli: \"pupm\" is not a setting's name;"
                                     << "peln-cli: \u201Epupm\u201C ist kein Einstellungsname;";
    QTest::newRow("a value rounded") << QStringList{"set", "S.TXT", "calibration=97.84"} << 1
                                     << "calibration=97.84 is rounded; stored 97.8"
                                     << "calibration=97.84 wird gerundet; gespeichert: 97.8";
    QTest::newRow("help") << QStringList{"help", "frame"} << 0 << "Usage: peln-cli frame"
                          << "Aufruf: peln-cli frame";
    QTest::newRow("show") << QStringList{"show", "-f", "S.TXT"} << 0 << ""
                          << "";
    QTest::newRow("show --json") << QStringList{"show", "--json", "-f", "S.TXT"} << 0 << ""
                                 << "";
    QTest::newRow("get") << QStringList{"get", "-f", "S.TXT", "pump", "left.volume"} << 0 << ""
                         << "";
    QTest::newRow("frame --hex") << QStringList{"frame", "--hex", "S.TXT"} << 0 << ""
                                 << "";
}

void TestTranslation::commandLine()
{
#ifdef Q_OS_WIN
    QSKIP("Windows takes the language from the user's account, not from LANGUAGE");
#endif
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, english);
    QFETCH(QString, german);
    QTemporaryDir dir;
    QCOMPARE(QProcess::execute(PELN_CLI, {"set", dir.filePath("S.TXT"), "pump=80", "drip=90",
                                          "calibration=88", "logo=Fresh"}),
             0);
    QByteArray forScripts;
    for (const auto &[language, said] : {std::pair("C", english), std::pair("de", german)}) {
        QProcess cli;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LANGUAGE", language);
        environment.insert("LC_ALL", "C.UTF-8");
        cli.setProcessEnvironment(environment);
        cli.setWorkingDirectory(dir.path());
        cli.setProcessChannelMode(QProcess::MergedChannels);
        cli.start(PELN_CLI, args);
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), status);
        const QByteArray output = cli.readAll();
        if (!said.isEmpty())
            QVERIFY2(QString::fromUtf8(output).startsWith(said), output.constData());
        else if (forScripts.isEmpty())
            forScripts = output;
        else
            QCOMPARE(output, forScripts);
    }
}

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
