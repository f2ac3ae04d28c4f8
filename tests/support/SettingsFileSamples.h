#pragma once

#include <QByteArray>
#include <QStringList>

// The file Save writes when nothing has been set and the logo is empty, line
// by line as a reader sees it.
inline QStringList defaultFileLines()
{
    const QString button = QStringLiteral(R"(","66","66","66","66","66","66","66","66","66",)");
    return {QString(),
            QStringLiteral(R"("Logo","")"),
            QStringLiteral(R"("#1 Button)") + button,
            QStringLiteral(R"("#2 Button)") + button,
            QStringLiteral(R"("#3 Button)") + button,
            QStringLiteral(R"("Total cups","0000","0000","0000",)"),
            QStringLiteral(R"("Disable","00","00",)"),
            QStringLiteral(R"("Flowmeter","0000",)"),
            QStringLiteral(R"("Set pump speed","00",)"),
            QStringLiteral(R"("Drip out time","00",)")};
}

// Lines joined into a file: Latin-1, CR LF between lines, none after the last.
inline QByteArray fileOf(const QStringList &lines, const char *lineEnd = "\r\n")
{
    return lines.join(QLatin1String(lineEnd)).toLatin1();
}
