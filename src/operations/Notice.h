#pragma once

#include <QString>

namespace operations {

// What a front end tells the user after a step: the window shows it in a
// modal message box with one OK button, peln-cli on standard error.
struct Notice
{
    enum class Icon { None, Information, Warning };

    QString text;
    QString details; // a smaller text under the first; "" for none
    QString caption; // the box's title
    Icon icon = Icon::None;
};

// The application's title: the window's title and the caption of every
// notice that names no other.
inline QString appTitle()
{
    return QStringLiteral("PELN");
}

// The system's own words as a clause in a sentence of ours: trimmed, and
// without the full stop that Windows ends its messages with.
inline QString systemClause(QString said)
{
    said = said.trimmed();
    if (said.endsWith(u'.'))
        said.chop(1);
    return said;
}

} // namespace operations
