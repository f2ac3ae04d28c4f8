#include "Terminal.h"

#include <QFile>

#include <cstdio>
#include <unistd.h>

namespace {

bool quietProgress = false;

QFile &standardOutput()
{
    static QFile file;
    if (!file.isOpen())
        file.open(STDOUT_FILENO, QIODevice::WriteOnly, QFileDevice::DontCloseHandle);
    return file;
}

} // namespace

QTextStream &out()
{
    static QTextStream stream(&standardOutput());
    return stream;
}

void writeOut(QByteArrayView bytes)
{
    out().flush();
    standardOutput().write(bytes.data(), bytes.size());
}

QString outputFailure()
{
    out().flush();
    QFile &file = standardOutput();
    if (out().status() == QTextStream::Ok && file.flush() && file.error() == QFileDevice::NoError)
        return {};
    return file.errorString();
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

void setQuiet(bool quiet)
{
    quietProgress = quiet;
}

void progress(const QString &line)
{
    if (!quietProgress)
        err() << line << Qt::endl;
}

int failed(const QString &message)
{
    err() << "peln-cli: " << message << Qt::endl;
    return Failed;
}
