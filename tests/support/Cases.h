#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// Settings files and brewer records that both the core's tests and the
// window's are tried on.

// The file Save writes when nothing has been set and the logo is empty, with
// lines replaced: "N:text" sets line N (1-based), adding empty lines up to it.
inline QByteArray fileWith(const QStringList &edits = {}, const char *lineEnd = "\r\n")
{
    const QString button = R"(","66","66","66","66","66","66","66","66","66",)";
    QStringList lines = {"",
                         R"("Logo","")",
                         "\"#1 Button" + button,
                         "\"#2 Button" + button,
                         "\"#3 Button" + button,
                         R"("Total cups","0000","0000","0000",)",
                         R"("Disable","00","00",)",
                         R"("Flowmeter","0000",)",
                         R"("Set pump speed","00",)",
                         R"("Drip out time","00",)"};
    for (const QString &edit : edits) {
        const int number = edit.section(':', 0, 0).toInt();
        while (lines.size() < number)
            lines << QString();
        lines[number - 1] = edit.section(':', 1);
    }
    return lines.join(QLatin1String(lineEnd)).toLatin1();
}

// What the file at `path` holds; nothing when it cannot be read.
inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A good record: counts 144, 0, 7; button settings 1..27; calibration 88.0;
// pump 100; drip 90. `changes` maps 1-based byte numbers to new values.
inline QByteArray record(const QList<std::pair<int, int>> &changes = {})
{
    QByteArray bytes = QByteArray("\xff\xaa\x01\x2c\x00\x00\x00\x07", 8);
    for (int i = 1; i <= 27; ++i)
        bytes += char(i);
    bytes += "\x08\x50\x64\x5a";
    for (const auto &[number, value] : changes)
        bytes[number - 1] = char(value);
    return bytes;
}

// A file Load is tried on, over fields that all show 77 but the Center
// Button's count, which shows "OFF", and the logo "OLD". `expected` holds
// "name=text" for a setting field, "N=text" for slot N, "logo=" and
// "lastLine=" for what Load found; `notice` the notice's text, then, after
// each "|", a piece of its details.
struct LoadCase
{
    const char *name;
    QByteArray bytes;
    QStringList expected;
    QString notice;
};

inline const QString LoadedNotice = " <PELN PROGRAM DATA.TXT>  Load successful!";

inline QList<LoadCase> loadCases()
{
    const auto button = [](int row, const QString &first, const QString &second,
                           const QString &volume) {
        return QStringLiteral(R"("#%1 Button","%2","%3","66","04","05","06","07","08","%4",)")
            .arg(row)
            .arg(first, second, volume);
    };
    QStringList defaults =
        QString("logo= calibration=88 pump=100 drip=90 0=00 8=66 30=0850 31=64 "
                "32=5A left.count=0 center.count=0 right.count=0 left.pulse1=0 "
                "left.volume=102 center.pulse8=0 right.pulse1=0 right.volume=102")
            .split(' ');
    defaults << R"(lastLine="Drip out time","00",)";
    return {
        {"default file", fileWith(), defaults, LoadedNotice},
        // Any first character; a key in another case is no key; the later of
        // two lines wins; 102 (66) and anything larger (C8) is zero in a
        // pulse field and 102 in a volume field; the Disable record turns
        // counts off, which keep their values.
        {"values and their rules, LF line ends",
         fileWith({R"(2:"Logo","AB)", "3:'" + button(1, "0A", "C8", "C8").mid(1),
                   "4:" + button(2, "01", "02", "03").replace("Button", "button"),
                   "5:" + button(3, "01", "02", "03"), R"(6:"Total cups","00FA","0000","270F",)",
                   R"(7:"Disable","01","01",)", R"(8:"Flowmeter","094e",)",
                   R"(9:"Set pump speed","46",)", R"(10:"Drip out time","6A",)",
                   "11:" + button(3, "0B", "0C", "0D")},
                  "\n"),
         QString("logo=A left.pulse1=10 left.pulse2=0 left.pulse3=0 left.volume=102 0=0A 1=00 "
                 "8=66 center.pulse1=77 9=4D right.pulse1=11 right.pulse2=12 right.volume=13 "
                 "left.count=250 center.count=OFF right.count=OFF 33=01 34=01 calibration=97.8 "
                 "30=094E 29=270F pump=70 31=46 drip=90 32=5A")
             .split(' '),
         LoadedNotice},
        {"out of range, no Disable record, CR line ends",
         fileWith({R"(2:"Logo)", "7:", R"(8:"Flowmeter","0A33",)", R"(9:"Set pump speed","65",)"},
                  "\r"),
         QStringList{"logo=", "calibration=88", "30=0850", "pump=100", "31=64", "center.count=0",
                     "33=00", R"(lastLine="Drip out time","00",)"},
         LoadedNotice},
        // A value that is not a slot text is skipped and named; its slot
        // keeps its text. The first ten are named.
        {"damaged values",
         fileWith({R"(3:"#1 Button","0A00","02","03","04","05","06","07","08","09",)",
                   R"(6:"Total cups","00FA","ZZZZ","0001",)", R"(7:"Disable","02","01",)",
                   R"(9:"Set pump speed","5Z",)", R"(10:"Drip out time","4)"}),
         QString("left.pulse1=10 left.pulse2=77 1=4D center.count=77 right.count=OFF 29=0001 "
                 "pump=77 31=4D drip=77")
             .split(' '),
         R"( <PELN PROGRAM DATA.TXT>  Loaded, but some values were damaged!)"
         R"(|Line 3, "#1 Button" value 2: ","|Line 6, "Total cups" value 2: "ZZZZ")"
         R"(|Line 7, "Disable" value 1: "02"|... and 2 more)"},
    };
}

// A record Read is tried on, over fields set to replyStartFields().
// `expected` holds "name=text" for a setting field, "N=text" for slot N,
// "total0=" .. "total2=" and "brewer=" for the totals and the brewer's
// calibration shown, and "problem=" for why a bad record was not read.
struct ReplyCase
{
    const char *name;
    QByteArray bytes;
    QStringList expected;
};

inline QStringList replyStartFields()
{
    return {"left.pulse1=7", "center.volume=64", "pump=75",         "drip=80",
            "left.count=12", "center.count=OFF", "calibration=97.8"};
}

inline QList<ReplyCase> replyCases()
{
    QStringList example = {"total0=144", "total1=0", "total2=7", "brewer=88", "pump=100",
                           "drip=90",    "0=01",     "8=09",     "26=1B",     "31=64"};
    const QStringList rows = {"left", "center", "right"};
    for (int i = 0; i < 27; ++i)
        example
            << (i % 9 == 8
                    ? QStringLiteral("%1.volume=%2").arg(rows[i / 9]).arg(i + 1)
                    : QStringLiteral("%1.pulse%2=%3").arg(rows[i / 9]).arg(i % 9 + 1).arg(i + 1));
    // A bad reply changes no field and no slot, and says why.
    const auto unchanged = [](const QString &problem) { return QStringList{"problem=" + problem}; };
    const QStringList noHeader = unchanged("what arrived does not start with FF AA.");
    return {
        {"example record", record(), example},
        // 102 and anything larger is zero in a pulse field, 102 in a volume
        // field. right.pulse1 already shows 0: setting it again runs no editor.
        {"102 and more", record({{9, 102}, {17, 102}, {18, 200}, {26, 200}, {27, 0}}),
         QStringList{"left.pulse1=0", "left.volume=102", "center.pulse1=0", "center.volume=102",
                     "right.pulse1=0", "0=00", "8=66", "9=00", "17=66", "18=unset"}},
        // Out of range, the calibration shows 88, the pump speed 100 and the
        // drip time 90.
        {"calibration and pump out of range", record({{36, 3}, {37, 84}, {38, 69}, {39, 105}}),
         QStringList{"brewer=88", "pump=100", "drip=105", "31=64", "32=69"}},
        {"the other edges", record({{36, 8}, {37, 0x55}, {38, 70}, {39, 106}}),
         QStringList{"brewer=88.5", "pump=70", "drip=90", "31=46", "32=5A"}},
        {"a long record: the first 39 bytes", record() + QByteArray(11, '\xee'), example},
        {"nothing received", QByteArray(), unchanged("nothing arrived from the brewer.")},
        {"one byte", QByteArray("\xff"), unchanged("only 1 of its 39 bytes arrived.")},
        {"20 bytes", record().left(20), unchanged("only 20 of its 39 bytes arrived.")},
        {"38 bytes", record().chopped(1), unchanged("only 38 of its 39 bytes arrived.")},
        {"header bytes swapped", record({{1, 0xAA}, {2, 0xFF}}), noHeader},
        {"one byte, not the header", QByteArray(1, '\0'), noHeader},
    };
}
