#pragma once

#include <optional>

class QKeyEvent;

// The character code a key press would type into a text box, as the key
// filters judge it: the clipboard shortcuts count as their control codes
// (Ctrl+C 3, Ctrl+V 22, Ctrl+X 24) on every platform, and keys that type
// nothing (Delete, arrows, Tab, function keys) give no code and pass.
std::optional<char16_t> typedCharacterCode(const QKeyEvent &event);
