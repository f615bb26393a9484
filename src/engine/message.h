#pragma once

#include <optional>
#include <string>
#include <utility>

namespace pf {

enum class MessageIcon { Information, Exclamation, Question };

// A message the user is shown: a refusal with the field that gets the focus, or a Yes/No
// question (icon Question). The engine only returns messages; the front ends show them.
struct Message {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::Information;
    std::string field;  // the field that gets the focus; empty for none

    // A refusal of a dialog's check: information icon, the focus on `field`.
    static Message Refusal(std::string title, std::string text, std::string field = {}) {
        return {std::move(title), std::move(text), MessageIcon::Information, std::move(field)};
    }
    // A Yes/No question; the operation runs only after Yes.
    static Message Question(std::string title, std::string text) {
        return {std::move(title), std::move(text), MessageIcon::Question, {}};
    }

    bool IsQuestion() const { return icon == MessageIcon::Question; }
    bool operator==(const Message&) const = default;
};

// No message: the check passed.
using MaybeMessage = std::optional<Message>;

// Whether a check result stops the operation: a message that is not a question.
inline bool IsRefusal(const MaybeMessage& m) { return m.has_value() && !m->IsQuestion(); }

}  // namespace pf
