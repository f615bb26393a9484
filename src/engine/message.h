#pragma once

#include <optional>
#include <string>

namespace pf {

enum class MessageIcon { Information, Exclamation, Question };

// A message the user is shown: a refusal with the field that gets the focus, or a Yes/No
// question (icon Question). The engine only returns messages; the front ends show them.
struct Message {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::Information;
    std::string field;  // the field that gets the focus; empty for none

    bool IsQuestion() const { return icon == MessageIcon::Question; }
    bool operator==(const Message&) const = default;
};

// No message: the check passed.
using MaybeMessage = std::optional<Message>;

}  // namespace pf
