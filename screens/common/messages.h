#pragma once
// Everything the program says, once, by id: the one table of its sentences.

#include <string>
#include <string_view>

#include "core/message.h"

namespace nubera::screens {

// The id's sentence, "{}" where its values go; empty for none (a test's failure).
std::string_view sentence(MessageId id);
// The message as the user reads it.
std::string say(const Message& m);

}  // namespace nubera::screens
