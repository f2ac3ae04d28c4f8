// Feeds arbitrary texts to the setting fields the way the window does (a
// rewrite of the field runs its editor once more) and checks that the table
// stays well-formed, that a rewrite is final, that plain in-range whole
// numbers are stored exactly, and that the frame built from the result is
// well-formed.
//
// Input: lines, each a field selector byte followed by the field's text. The
// first line's text is also the logo, when a user could have typed it.
#include "FieldEditors.h"
#include "Invariants.h"
#include "SettingsForm.h"
#include "SlotForms.h"

#include <QByteArray>
#include <QRegularExpression>

namespace {

void fail(const QString &what, const QString &text)
{
    check(QStringLiteral("%1 (field text \"%2\")").arg(what, text));
}

// A plain whole number within its field's range is stored exactly, in the
// slot's own form; nothing for one outside the range.
QString exactForm(const SettingField &field, qint64 value)
{
    if (!withinRange(field.kind, DecimalNumber::fromInt(value)))
        return {};
    if (field.kind == FieldKind::Calibration)
        return calibrationForm(int(value) * 10);
    return slotWidth(field.slot) == 4 ? fourDigitForm(int(value)) : twoDigitForm(int(value));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QRegularExpression plainNumber(QStringLiteral("^[0-9]{1,9}$"));
    SettingsForm form;
    int changes = 0;
    form.changed = [&changes](int) { ++changes; };
    std::optional<QString> logo;
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QByteArray &line : input.split('\n')) {
        if (line.isEmpty())
            continue;
        const int field = uchar(line[0]) % SettingFieldCount;
        const QString text = QString::fromUtf8(line.mid(1));
        if (!logo)
            logo = keptEdit({}, text, isLogoCharacter, LogoTypedLimit).text; // as a paste keeps it

        changes = 0;
        form.setText(field, text);
        if (changes > 2)
            fail(QStringLiteral("a rewrite asked for another rewrite"), text);
        if (const QString problem = tableProblem(form.table()); !problem.isEmpty())
            fail(problem, text);
        const SettingField &setting = settingFields()[field];
        const QString expected = changes > 0 && plainNumber.match(text).hasMatch()
                                     ? exactForm(setting, text.toLongLong())
                                     : QString();
        if (!expected.isEmpty() && form.table().slot(setting.slot) != expected)
            fail(QStringLiteral("%1 stored %2, not %3")
                     .arg(QLatin1String(setting.name),
                          form.table().slot(setting.slot).value_or("unset"), expected),
                 text);
    }
    form.table().FillDefaults();
    if (const QString problem = tableProblem(form.table(), true); !problem.isEmpty())
        fail(problem, QStringLiteral("after FillDefaults"));
    // Whatever a user can type makes a frame that is sent, never refused.
    if (const QString problem = builtFrameProblem(form.table(), logo.value_or(QString()), false);
        !problem.isEmpty())
        fail(problem, logo.value_or(QString()));
    return 0;
}
