#include "SentValues.h"

#include "DecimalNumber.h"
#include "FieldEditors.h"
#include "SettingWords.h"
#include "SettingsForm.h"

#include <QCoreApplication>

namespace {

// The context translators find this file's texts under.
struct Words
{
    Q_DECLARE_TR_FUNCTIONS(SentValues)
};

} // namespace

namespace operations {

namespace {

// A field's text as its editor reads it: a blank text is 0.
std::optional<DecimalNumber> numberOf(const QString &text)
{
    if (text.trimmed().isEmpty())
        return DecimalNumber::fromInt(0);
    return DecimalNumber::parse(text);
}

// Whether the editor stores `number` rounded: the calibration to tenths,
// every other field to whole numbers.
bool rounds(FieldKind kind, const DecimalNumber &number)
{
    return (kind == FieldKind::Calibration ? number.timesTen() : number).hasFraction();
}

} // namespace

SentValue sentValue(const SettingsForm &form, int field)
{
    const SettingField &setting = settingFields()[field];
    const QString &shown = form.text(field);
    if (setting.kind == FieldKind::CountWithDisable && shown == disabledText())
        return {SentValue::Kind::AsShown, shown, shown, {}};
    SettingsTable table = form.table();
    table.FillDefaults();
    const QString sent = loadedFieldText(setting.kind, table.slot(setting.slot)).value_or(shown);
    const auto number = numberOf(shown);
    const auto sentNumber = DecimalNumber::parse(sent);
    if (number && sentNumber && sameSetting(setting.kind, *number, *sentNumber))
        return {SentValue::Kind::AsShown, shown, sent, {}};

    const auto replaced = [&](const QString &why) {
        return SentValue{SentValue::Kind::Replaced, shown, sent,
                         Words::tr("%1: %2 is sent").arg(why, sent)};
    };
    if (!number)
        return replaced(Words::tr("not a number"));
    if (!withinRange(setting.kind, *number))
        return replaced(Words::tr("out of range %1").arg(rangeText(setting.kind)));
    if (rounds(setting.kind, *number))
        return replaced(Words::tr("rounded"));
    // What is left is a 0 whose slot FillDefaults fills with its default.
    const QString why = form.table().slot(setting.slot) ? Words::tr("0 means not set")
                                                        : Words::tr("unchanged %1").arg(shown);
    return {SentValue::Kind::Default, shown, sent,
            Words::tr("%1: the default %2 is sent").arg(why, sent)};
}

QString SentValue::sentence() const
{
    if (reason.isEmpty())
        return {};
    return reason.front().toUpper() + reason.mid(1) + u'.';
}

QStringList replacedValues(const SettingsForm &form)
{
    QStringList lines;
    for (int field = 0; field < SettingFieldCount; ++field) {
        const SentValue value = sentValue(form, field);
        if (value.kind == SentValue::Kind::Replaced)
            lines << Words::tr("%1: %2 shown, %3 sent")
                         .arg(slotName(settingFields()[field].slot), value.shown, value.sent);
    }
    return lines;
}

} // namespace operations
