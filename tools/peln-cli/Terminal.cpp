#include "Terminal.h"

#include <QFile>

#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

bool quietProgress = false;

// What a script reads is the same bytes on every system: lines end in LF,
// and a frame is written as it goes on the line. Windows would make each
// LF a CR LF unless told otherwise.
FILE *asBytes(FILE *stream)
{
#ifdef Q_OS_WIN
    _setmode(_fileno(stream), _O_BINARY);
#endif
    return stream;
}

QFile &standardOutput()
{
    static QFile file;
    if (!file.isOpen()) {
#ifdef Q_OS_WIN
        const int descriptor = _fileno(asBytes(stdout));
#else
        const int descriptor = STDOUT_FILENO;
#endif
        file.open(descriptor, QIODevice::WriteOnly, QFileDevice::DontCloseHandle);
    }
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
    static QTextStream stream(asBytes(stderr));
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

Status failed(const QString &message, Status status)
{
    err() << "peln-cli: " << message << Qt::endl;
    return status;
}
