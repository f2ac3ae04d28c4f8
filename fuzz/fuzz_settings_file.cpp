// Loads arbitrary bytes as a settings file the way the window does: the
// loader stores the values of each line, then every field is set from its
// slot, its editor runs (following its rewrites), the loaded text is
// corrected, and the count fields that the "Disable" record turns off are set
// to "OFF". Checks that the table stays well-formed throughout, that the
// frame built after FillDefaults is refused with a reason or well-formed,
// and that the file Save writes from the result loads back to the same.
#include "FieldEditors.h"
#include "Invariants.h"
#include "LoadFieldPass.h"
#include "SettingsFileFormat.h"
#include "SettingsFileLoader.h"

#include <cstdio>
#include <cstdlib>

namespace {

void check(const QString &problem)
{
    if (problem.isEmpty())
        return;
    std::fprintf(stderr, "%s\n", qPrintable(problem));
    std::abort();
}

// A field of the window: setting its text to what it shows runs nothing.
void setField(SettingsTable &table, QString &shown, const SettingField &field, const QString &text)
{
    if (text == shown)
        return;
    shown = text;
    const FieldEdit edit = editField(field, text);
    for (const SlotWrite &write : edit.writes)
        table.setSlot(write.slot, write.text);
    if (edit.rewrite)
        setField(table, shown, field, *edit.rewrite);
}

// Loads the file's lines into `table`; returns the last logo line's text,
// and the disabled flags that the file holds in `flags`.
QString load(SettingsTable &table, const QStringList &lines, QString logo,
             QMap<int, QString> &flags)
{
    SettingsFileLoader loader(table);
    for (const QString &line : lines) {
        if (const auto found = loader.takeLine(line))
            logo = *found;
        check(tableProblem(table));
    }
    flags = loader.flags();
    return logo;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    SettingsTable table;
    QMap<int, QString> flags, reloadedFlags;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString logo = load(table, settingsFileLines(bytes), QString(), flags);

    std::array<QString, SettingFieldCount> fields;
    fields.fill(QStringLiteral("0"));
    for (int i = 0; i < SettingFieldCount; ++i) {
        const SettingField &field = settingFields()[i];
        const auto text = loadedFieldText(field.kind, table.slot(field.slot));
        if (!text)
            continue;
        setField(table, fields[i], field, *text);
        if (const auto corrected = loadedFieldCorrection(field.kind, fields[i]))
            setField(table, fields[i], field, *corrected);
        check(tableProblem(table));
    }
    for (const auto &[index, text] : loadedDisableTexts(flags))
        setField(table, fields[index], settingFields()[index], text);

    table.FillDefaults();
    check(tableProblem(table, true));
    check(builtFrameProblem(table, logo));

    SettingsTable reloaded;
    const QByteArray saved = settingsFileBytes(table, logo);
    if (load(reloaded, settingsFileLines(saved), QStringLiteral("none"), reloadedFlags) != logo)
        check(QStringLiteral("the saved logo \"%1\" does not load back").arg(logo));
    for (int slot = 0; slot <= 34; ++slot) {
        if ((slot < 33 ? reloaded.slot(slot) : reloadedFlags.value(slot)) != table.slot(slot))
            check(QStringLiteral("slot %1 does not load back").arg(slot));
    }
    return 0;
}
