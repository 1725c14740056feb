#pragma once
// Helpers on UTF-8 text that the rules and the file systems share: a character as a message
// names it, letter case as Windows folds it, control characters.

#include <string>
#include <string_view>

#include "core/message.h"

namespace nubera {

// A character as a message names it: 「x」, or, for one that cannot be seen (a no-break space,
// a zero-width space, a combining mark alone), 「U+00A0」 and what it looks like.
Message shownCharacter(std::string_view character);
// The text with letter case folded as Windows ignores it in names: Latin (also full-width),
// Greek, Cyrillic and the Roman numerals Ⅰ..Ⅹ, the pairs code page 932 holds.
std::string foldCase(std::string_view text);
// Whether the text holds a control character: C0 (a NUL included), DEL or C1.
bool hasControlCharacter(std::string_view text);

}  // namespace nubera
