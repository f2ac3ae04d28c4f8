// Loads arbitrary bytes as a settings file the way the window does, and as
// `peln-cli show` does: the values of each line into the table, then every
// field set from its slot, its editor running, and the count fields that the
// "Disable" record turns off set to "OFF". Checks that the table stays
// well-formed, that show prints a number for every setting but the logo and
// the toggles, that the frame built after FillDefaults is refused with a
// reason or well-formed, and that the file Save writes from the result reads
// back the same.
#include "Invariants.h"
#include "SettingNames.h"
#include "SettingsFileOperations.h"
#include "SettingsForm.h"

using namespace operations;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    SettingsForm form;
    const QString logo =
        loadSettings(form, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)))
            .logo.value_or(QString());
    check(tableProblem(form.table()));
    // What peln-cli show prints of it: a number for every setting but the
    // logo and the Disable toggles.
    for (const auto &[name, value] : shownSettings(form, logo)) {
        bool number = false;
        value.toDouble(&number);
        if (!number && name != "logo" && value != "yes" && value != "no")
            check(QStringLiteral("show prints %1=%2").arg(name, value));
    }
    form.table().FillDefaults();
    check(tableProblem(form.table(), true));
    check(builtFrameProblem(form.table(), logo));

    // What Save writes from the result reads back the same, line by line.
    SettingsTable reloaded;
    SettingsFileLoader loader(reloaded);
    std::optional<QString> reloadedLogo;
    for (const QString &line : settingsFileLines(settingsFileBytes(form.table(), logo))) {
        if (const auto found = loader.takeLine(line))
            reloadedLogo = found;
    }
    if (reloadedLogo != logo)
        check(QStringLiteral("the saved logo \"%1\" does not load back").arg(logo));
    for (int slot = 0; slot <= 34; ++slot) {
        if ((slot < 33 ? reloaded.slot(slot) : loader.flags().value(slot)) !=
            form.table().slot(slot))
            check(QStringLiteral("slot %1 does not load back").arg(slot));
    }
    return 0;
}
