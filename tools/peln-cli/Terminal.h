#pragma once

#include <QByteArrayView>
#include <QString>
#include <QTextStream>

// What peln-cli answers with. A script tests the status; the words on
// standard error are for the person who runs it.
enum Status {
    Done = 0, // all went well; for diff, the files agree
    Differs =
        1, // the files differ, a value was damaged, missing or replaced, or no good record came
    Failed = 2, // bad usage, a file or port that cannot be used, a damaged file or a frame
                // refused, or a failed write to standard output
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

// Says "peln-cli: MESSAGE" on standard error; returns Failed.
int failed(const QString &message);
