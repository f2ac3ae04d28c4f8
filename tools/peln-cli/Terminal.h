#pragma once

#include <QByteArrayView>
#include <QString>
#include <QTextStream>

// What peln-cli answers with, so that a script can act on it: retry only
// on Busy, check the cable on NoDevice. The words on standard error are for
// the person who runs it.
enum class Status {
    // All went well; for diff, the files agree; for send --verify, the
    // brewer holds every setting sent.
    Done = 0,
    // The files differ; a value was missing, damaged, replaced or rounded;
    // no good record came; or the brewer holds a setting otherwise than sent.
    Differs = 1,
    // Bad usage, a file that cannot be read or written, a port that failed,
    // or standard output that could not be written.
    Failed = 2,
    // A file that is not a settings file, a damaged file without --force, a
    // frame the brewer cannot take, or with set --strict a value that would
    // be replaced.
    Refused = 3,
    // Another program holds the port, or the settings file's lock: try again.
    Busy = 4,
    // The port names no device of this computer.
    NoDevice = 5,
};

// Standard output, as text or as bytes. Every write is checked: once one
// fails, outputFailure() says why.
QTextStream &out();
void writeOut(QByteArrayView bytes);
// Flushes standard output; the reason it failed, or "".
QString outputFailure();

// Standard error: warnings and failures, always said.
QTextStream &err();

// Progress lines on standard error ("Sent 93 bytes..."), which --quiet
// silences.
void setQuiet(bool quiet);
void progress(const QString &line);

// Says "peln-cli: MESSAGE" on standard error; returns `status`.
Status failed(const QString &message, Status status = Status::Failed);
