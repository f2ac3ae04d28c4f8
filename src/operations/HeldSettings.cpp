#include "HeldSettings.h"

#include "FieldEditors.h"
#include "SettingWords.h"
#include "SettingsFrame.h"
#include "SlotForms.h"

#include <QCoreApplication>

namespace {

// The context translators find this file's texts under.
struct Words
{
    Q_DECLARE_TR_FUNCTIONS(HeldSettings)
};

} // namespace

namespace operations {

namespace {

// A field's value as the field shows it.
QString shownValue(FieldKind kind, const QString &number)
{
    return kind == FieldKind::Pulse && number == QString::number(ZeroStandIn) ? QStringLiteral("0")
                                                                              : number;
}

// What the record holds for the setting of field `field`.
QString heldValue(const BrewerReport &held, int field)
{
    const FieldKind kind = settingFields()[field].kind;
    switch (kind) {
    case FieldKind::Calibration:
        return tenthsText(held.calibrationTenths);
    case FieldKind::PumpSpeed:
        return QString::number(held.pumpSpeed);
    case FieldKind::DripTime:
        return QString::number(held.dripTime);
    default:
        return shownValue(kind, QString::number(held.buttonSettings[field]));
    }
}

QString timeText(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm"));
}

} // namespace

QString HeldDifference::reason(const QTime &sentAt) const
{
    return Words::tr("sent %1 at %2; the brewer holds %3").arg(sent, timeText(sentAt), held);
}

std::optional<QList<HeldDifference>> heldDifferences(QByteArrayView frame, const BrewerReport &held)
{
    const ParsedFrame sent = parseSettingsFrame(frame);
    if (sent.status != ParsedFrame::Status::Complete || sent.length != frame.size())
        return std::nullopt;
    QList<HeldDifference> differences;
    for (int field = 0; field < SettingFieldCount; ++field) {
        const SettingField &setting = settingFields()[field];
        if (setting.kind == FieldKind::Count || setting.kind == FieldKind::CountWithDisable)
            continue; // counts to write are added to the brewer's totals, not held
        const auto number = loadedFieldText(setting.kind, sent.slotTexts[setting.slot]);
        if (!number)
            return std::nullopt;
        const QString sentValue = shownValue(setting.kind, *number);
        if (const QString value = heldValue(held, field); value != sentValue)
            differences.append({field, sentValue, value});
    }
    return differences;
}

QString heldDifferencesText(const QList<HeldDifference> &differences, const QTime &sentAt)
{
    const QString at = timeText(sentAt);
    if (differences.isEmpty())
        return Words::tr("The brewer holds every setting sent at %1.").arg(at);
    QStringList items;
    for (const HeldDifference &difference : differences)
        items << Words::tr("%1 (sent %2, brewer %3)")
                     .arg(slotName(settingFields()[difference.field].slot), difference.sent,
                          difference.held);
    const QString count = differences.size() == 1
                              ? Words::tr("1 setting differs")
                              : Words::tr("%1 settings differ").arg(differences.size());
    return Words::tr("%1 from what was sent at %2: %3.").arg(count, at, items.join(u", "));
}

} // namespace operations
