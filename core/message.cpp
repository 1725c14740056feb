#include "core/message.h"

#include <array>

namespace nubera {

MessageId causeMessage(FileCause cause) {
  return static_cast<MessageId>(static_cast<int>(MessageId::CauseNotFound) +
                                static_cast<int>(cause));
}

std::string_view messageName(MessageId id) {
#define NUBERA_MESSAGE_NAME(name) #name,
#define NUBERA_CAUSE_NAME(name) "Cause" #name,
  static constexpr std::array<std::string_view, kMessageCount> kNames = {
      NUBERA_MESSAGES(NUBERA_MESSAGE_NAME) NUBERA_FILE_CAUSES(NUBERA_CAUSE_NAME)};
#undef NUBERA_CAUSE_NAME
#undef NUBERA_MESSAGE_NAME
  return kNames[static_cast<std::size_t>(id)];
}

Message::Message(MessageId messageId, std::vector<Message> values)
    : id(messageId), args(std::move(values)) {}

Message::Message(std::string value) : text(std::move(value)) {}

Message& Message::then(Message more) {
  next.push_back(std::move(more));
  return *this;
}

Message& Message::then(MessageId messageId, std::vector<Message> values) {
  return then(Message(messageId, std::move(values)));
}

std::string shape(const Message& m) {
  std::string out = m.id == MessageId::Text ? m.text : std::string(messageName(m.id));
  if (!m.args.empty()) {
    out += '(';
    for (std::size_t i = 0; i < m.args.size(); ++i) {
      if (i > 0) out += ',';
      out += shape(m.args[i]);
    }
    out += ')';
  }
  for (const Message& more : m.next) {
    out += ' ';
    out += shape(more);
  }
  return out;
}

}  // namespace nubera
