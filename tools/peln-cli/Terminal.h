#pragma once

#include <QString>
#include <QTextStream>

// What peln-cli answers with. A script tests the status; the words on
// standard error are for the person who runs it.
enum Status {
    Done = 0,    // all went well; for diff, the files agree
    Differs = 1, // the files differ, a value was damaged or replaced, or no good record came
    Failed = 2,  // bad usage, a file or port that cannot be used, or a refused frame
};

QTextStream &out(); // standard output
QTextStream &err(); // standard error

// Says "peln-cli: MESSAGE" on standard error; returns Failed.
int failed(const QString &message);
