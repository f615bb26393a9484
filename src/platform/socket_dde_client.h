#pragma once

#include <chrono>
#include <string>

#include "platform/dde_client.h"

namespace pf {

// The socket the teletext bridge listens on unless the user names another:
// "$XDG_RUNTIME_DIR/portfolaris-vtplus.sock" when that variable is set and not empty, else
// "/tmp/portfolaris-vtplus-<uid>.sock".
std::string DefaultVtplusSocketPath();

// DdeClient over a Unix-domain stream socket, one connection per conversation, speaking the
// line protocol of docs/vtplus-protocol.md. Nothing is shared between conversations, so one
// client may be used for any number of them (from one thread at a time).
//
// Each exchange (connecting and the CONNECT line, or one REQUEST with its whole answer) has
// `timeout` to finish; a server that stalls, closes mid-answer or sends a malformed header
// makes it fail and closes the connection. An answer longer than kDdeMaxAnswer is cut; the
// rest is read and dropped while it is no longer than kMaxDiscard, else the connection is
// closed at once, so neither a flood nor an endless answer grows the memory or hangs.
class SocketDdeClient final : public DdeClient {
  public:
    explicit SocketDdeClient(std::string socketPath,
                             std::chrono::milliseconds timeout = kDdeTimeout);

    DdeConnectResult Connect(std::string_view service, std::string_view topic) override;

    const std::string& SocketPath() const { return path_; }

    static constexpr std::size_t kMaxDiscard = std::size_t{4} * 1024 * 1024;

  private:
    std::string path_;
    std::chrono::milliseconds timeout_;
};

}  // namespace pf
