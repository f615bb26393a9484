#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace pf {

// The client side of a DDE-style conversation with a teletext program: connect to a service
// and topic, request items as text, hang up. Names and answers are the raw bytes of the
// wire (Windows-1252); the callers convert to and from UTF-8.

// Every exchange (connecting, one request) gives up after this long.
inline constexpr std::chrono::milliseconds kDdeTimeout{10000};
// An answer is read up to this many bytes; the rest of a longer one is dropped.
inline constexpr std::size_t kDdeMaxAnswer = 2000;

// One open conversation. Requests are answered one after the other; destroying the object
// hangs up.
class DdeConversation {
  public:
    virtual ~DdeConversation() = default;
    // The text answer to `item`: at most kDdeMaxAnswer bytes, cut before the first zero
    // byte as clipboard text is. Nothing when the server refused the item, the exchange
    // broke off or timed out, or `item` cannot be sent (empty, longer than kDdeMaxName,
    // holding a line break or a zero byte). After a broken exchange every later request of
    // the conversation fails too.
    virtual std::optional<std::string> Request(std::string_view item) = 0;
};

// Why Connect found no conversation.
enum class DdeConnectFailure {
    NoServer,        // nobody answers at all: no exchange with the program is possible
    BadName,         // service or topic cannot be sent (see kDdeMaxName)
    NoConversation,  // the server does not know the topic, or did not answer in time
};

// Longest service, topic or item name, in bytes (the limit of a DDE string handle).
inline constexpr std::size_t kDdeMaxName = 255;

struct DdeConnectResult {
    std::unique_ptr<DdeConversation> conversation;  // null on failure
    DdeConnectFailure failure = DdeConnectFailure::NoConversation;
};

class DdeClient {
  public:
    virtual ~DdeClient() = default;
    // Opens a conversation with `service` on `topic`. A service must be a non-empty name
    // without blanks; a topic may be empty. Neither may hold a line break or a zero byte.
    virtual DdeConnectResult Connect(std::string_view service, std::string_view topic) = 0;
};

}  // namespace pf
