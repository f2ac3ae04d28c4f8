#include "Terminal.h"

#include <cstdio>

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

int failed(const QString &message)
{
    err() << "peln-cli: " << message << Qt::endl;
    return Failed;
}
