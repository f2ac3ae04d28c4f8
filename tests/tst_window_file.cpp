// The window's file buttons on real files, and the window saving beside
// peln-cli.
#include "SettingsFileOperations.h"
#include "WindowTest.h"

#include <QProcess>
#include <QToolTip>

using namespace operations;

const QString Saved = "Message:  <PELN PROGRAM DATA.TXT>  Save successful!";

class TestWindowFile : public WindowTest
{
    Q_OBJECT

private slots:
    void saveAndLoad();
    void saveAsAndOpen();
    void saveBesideCli();
};

// Save writes the file; what it wrote comes back in a new window, the logo
// byte for byte and the Disable toggles with the counts they keep, and goes
// on into the next frame. A file that cannot be written or read is named in
// the notice, and nothing changes.
void TestWindowFile::saveAndLoad()
{
    const QString logo = QString::fromLatin1("Caf\xE9 \"1\", longer than 16");
    w->set({"right.pulse2=10", "left.count=3600", "right.count=OFF", "center.count=25",
            "calibration=88", "pump=100", "drip=90", "logo=" + logo});
    w->click("SaveButton");
    const QByteArray saved = fileWith(
        {"2:\"Logo\",\"" + logo + '"',
         R"(5:"#3 Button","66","0A","66","66","66","66","66","66","66",)",
         R"(6:"Total cups","0E10","0019","0000",)", R"(7:"Disable","00","01",)",
         R"(8:"Flowmeter","0850",)", R"(9:"Set pump speed","64",)", R"(10:"Drip out time","5A",)"});
    QCOMPARE(fileBytes(filePath()), saved);
    QCOMPARE(w->notices.first().icon, QMessageBox::Information);
    // Notices and hints keep the form's light colours under the dark desktop theme.
    QVERIFY(qGray(w->notices.first().ground.rgb()) > 200 &&
            qGray(QToolTip::palette().color(QPalette::ToolTipBase).rgb()) > 200);
    QCOMPARE(w->told(), QStringList{Saved});

    loadInNewWindow(saved);
    QCOMPARE(w->told(), QStringList{"Message: " + LoadedNotice});
    QCOMPARE(w->diff("right.pulse2=10 left.count=3600 center.count=25 right.count=OFF"), "");
    QCOMPARE(w->differences({"logo=" + logo, R"(LineHolder="Drip out time","5A",)"}), "");
    w->click("SaveButton"); // loaded, then saved: the same bytes, the flags included
    QCOMPARE(fileBytes(filePath()), saved);
    QCOMPARE(w->told(), QStringList{Saved});
    w->set({"logo=Hot"});

    // A file gone since Save wrote it: Save asks first, then says why it failed.
    QVERIFY(QFile::remove(filePath()) && QDir(m_dir->path()).mkdir("PELN PROGRAM DATA.TXT"));
    w->answer = "&Overwrite";
    for (const QString button : {"SaveButton", "LoadButton"}) {
        w->click(button);
        const Told told = w->notices.last();
        QVERIFY2(told.details.startsWith(QDir::toNativeSeparators(filePath()) + " could not be") &&
                     told.icon == QMessageBox::Warning,
                 qPrintable(told.details));
        w->told();
    }
    QCOMPARE(w->diff("right.pulse2=10 logo=Hot"), "");

    if (!m_brewerReady)
        QSKIP(NoBrewer);
    QVERIFY(connectToLine());
    w->click("SendButton");
    QTRY_VERIFY(m_brewer->lastFrame().endsWith("0E100019000000010850645A)")); // counts, flags
    QCOMPARE(w->told(), QStringList{Sent});
}

// Save As writes the file chosen as Save writes its own, and Open loads
// one as Load does, but leaves what is no settings file alone; the title
// names the file in use. A file changed on disk since it was read or
// written here is noticed before Save overwrites it.
void TestWindowFile::saveAsAndOpen()
{
    const QString cafe = m_dir->filePath("Cafe Miller.txt"), notes = m_dir->filePath("notes.md");
    for (int i = 1; i <= 9; ++i)
        w->form.saveFileAs(m_dir->filePath(QString::number(i) + ".txt"));
    w->told();
    w->set({"pump=80"});
    w->form.saveFileAs(cafe);
    // The files of this run, newest first, eight at most.
    const QStringList recent = w->form.recentFiles();
    QVERIFY(recent.size() == 8 && recent[0] == QDir::toNativeSeparators(cafe) &&
            recent[7].endsWith("3.txt"));
    // The menu on Save offers Save As, Open and the files of this run; they
    // open the desktop's dialogs, with their titles and the files they show.
    emit w->child<QWidget>("SaveButton")->customContextMenuRequested(QPoint());
    for (QAction *action : w->form.actions())
        action->trigger();
    const QString filter = ": Settings files (*.txt *.TXT);;All files (*)";
    QCOMPARE(w->opened,
             QStringList({"Save &As\u2026|&Open\u2026|Recent files|" + recent.join('|'),
                          "Save the settings as" + filter, "Open a settings file" + filter}));
    QCOMPARE(w->form.windowTitle(), "PELN \u2014 Cafe Miller.txt");
    w->click("SaveButton"); // the design's own file
    QCOMPARE(w->told(), QStringList({"Message:  <Cafe Miller.txt>  Save successful!", Saved}));
    QCOMPARE(fileBytes(cafe), fileBytes(filePath()));
    QCOMPARE(w->form.windowTitle(), "PELN");

    QString reason;
    QVERIFY(writeSettingsFile(notes, "# Notes\n", &reason));
    newWindow();
    w->form.openFile(notes);
    QCOMPARE(w->notices.last().details, QDir::toNativeSeparators(notes) +
                                            " is not a settings file: none of its lines is a "
                                            "record of one.\n\nNo setting was changed.");
    QVERIFY(writeSettingsFile(filePath(), "# Notes\n", &reason));
    w->click("LoadButton"); // Load, unlike Open, takes whatever the file holds
    w->form.openFile(cafe);
    QCOMPARE(w->told(),
             QStringList({"Message:  <notes.md>  Load failed!", "Message: " + LoadedNotice,
                          "Message:  <Cafe Miller.txt>  Load successful!"}));
    QCOMPARE(w->form.recentFiles(),
             QStringList({QDir::toNativeSeparators(cafe), QDir::toNativeSeparators(filePath())}));

    // Load Again keeps Open's rule for a file Open chose.
    w->answer = "&Load Again";
    for (const QByteArray &changed :
         {QByteArray("# Notes\n"), fileWith({R"(9:"Set pump speed","5A",)"})}) {
        QVERIFY(writeSettingsFile(cafe, changed, &reason));
        w->form.saveFileAs(cafe);
    }
    const QString asked = "PELN: Cafe Miller.txt changed since it was loaded: overwrite it, or "
                          "load it again?";
    QCOMPARE(w->told(), QStringList({asked, "Message:  <Cafe Miller.txt>  Load failed!", asked,
                                     "Message:  <Cafe Miller.txt>  Load successful!"}));
    QCOMPARE(w->differences({"pump=90"}), "");
}

// The window saving a file again and again while a script sets another
// setting in it: each finds what it wrote still there.
void TestWindowFile::saveBesideCli()
{
#ifndef Q_OS_UNIX
    QSKIP("the script is a bash loop");
#endif
    const QString path = m_dir->filePath("F.TXT");
    QCOMPARE(QProcess::execute(PELN_CLI, {"set", path, "left.count=0"}), 0);
    w->form.openFile(path);
    QProcess script;
    script.start("bash", {"-c", QString("for i in $(seq 1 40); do "
                                        "  [ \"$(\"%1\" get -f \"%2\" left.count)\" = $((i - 1)) ] "
                                        "    || { echo \"lost $i\"; exit 1; }; "
                                        "  \"%1\" set \"%2\" left.count=$i >/dev/null || exit 1; "
                                        "done")
                                    .arg(PELN_CLI, path)});
    w->answer = "&Load Again";
    for (int round = 1; script.state() != QProcess::NotRunning; ++round) {
        w->set({"right.count=" + QString::number(round)});
        w->form.saveFileAs(path);
        SettingsForm file;
        if (w->told().last().endsWith("Save successful!") && loadSettingsFile(file, path).read())
            QCOMPARE(heldCount(file, fieldIndex("right.count")), QString::number(round));
        script.waitForFinished(10);
    }
    QVERIFY2(script.exitCode() == 0, script.readAll().constData());
}

QTEST_MAIN(TestWindowFile)
#include "tst_window_file.moc"
