#include "KeyCodes.h"

#include <QKeyEvent>
#include <QKeySequence>

std::optional<char16_t> typedCharacterCode(const QKeyEvent &event)
{
    // Test the shortcuts first: QTest delivers Ctrl+V as "v" with a modifier,
    // X11 as "\x16", and Shift+Insert carries no text at all.
    if (event.matches(QKeySequence::Paste))
        return u'\x16';
    if (event.matches(QKeySequence::Cut))
        return u'\x18';
    if (event.matches(QKeySequence::Copy))
        return u'\x03';

    switch (event.key()) {
    case Qt::Key_Delete: // X11 sends "\x7f" with it; it must keep working
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return std::nullopt;
    default:
        break;
    }
    const QString text = event.text();
    if (text.isEmpty())
        return std::nullopt;
    return text.front().unicode();
}
