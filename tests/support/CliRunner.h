#pragma once

#include "Cases.h"

#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// peln-cli run as a process in a folder of the test's own, as a script runs
// it. A test class takes it in beside QObject; its init() makes m_dir.
class CliRunner
{
protected:
    // Starts peln-cli, or `program`, in the test's folder, as m_cli or as
    // another process; finish() waits for m_cli, running the event loop, and
    // returns its exit status.
    void start(QProcess &process, const QStringList &args, const QString &program = PELN_CLI)
    {
        process.setWorkingDirectory(m_dir->path());
        process.start(program, args);
#ifdef Q_OS_WIN
        // Under Wine a program now and then fails to start while other tests
        // start theirs beside it: it gets one more try.
        if (!process.waitForStarted())
            process.start(program, args);
#endif
        QVERIFY2(process.waitForStarted(), qPrintable(process.errorString()));
    }
    int finish()
    {
        [&] { QTRY_VERIFY_WITH_TIMEOUT(m_cli.state() == QProcess::NotRunning, 60000); }();
        m_out = QString::fromUtf8(m_cli.readAllStandardOutput());
        m_err = QString::fromUtf8(m_cli.readAllStandardError());
        return m_cli.exitStatus() == QProcess::NormalExit ? m_cli.exitCode() : -1;
    }
    int run(const QStringList &args)
    {
        start(m_cli, args);
        return finish();
    }
    // Every file of the test's folder with a checksum of its bytes.
    QMap<QString, QByteArray> files() const
    {
        QMap<QString, QByteArray> sums;
        for (const QString &name : QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden))
            sums.insert(name, QCryptographicHash::hash(fileBytes(m_dir->filePath(name)),
                                                       QCryptographicHash::Sha1));
        return sums;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QProcess m_cli;
    QString m_out, m_err;
};
