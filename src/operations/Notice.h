#pragma once

#include <QString>

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
