#include "platform/socket_dde_client.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace pf {

namespace {

using SteadyClock = std::chrono::steady_clock;

#ifdef MSG_NOSIGNAL
constexpr int kSendFlags = MSG_NOSIGNAL;  // a closed peer gives EPIPE, not SIGPIPE
#else
constexpr int kSendFlags = 0;
#endif

// Longest header line a server may send ("DATA 18446744073709551615"); a longer one is
// garbage and ends the conversation.
constexpr std::size_t kMaxHeaderLine = 32;

bool HasLineBreakOrZero(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// Waits until `fd` is ready for `events` (or has hung up) or the deadline passes.
bool WaitFor(int fd, short events, SteadyClock::time_point deadline) {
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now());
        if (left.count() <= 0) return false;
        pollfd p{fd, events, 0};
        const int ready =
            ::poll(&p, 1, static_cast<int>(std::min<long long>(left.count() + 1, 60'000)));
        if (ready < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (ready > 0) return true;
    }
}

bool SendAll(int fd, std::string_view bytes, SteadyClock::time_point deadline) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), kSendFlags);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent < 0 && errno == EINTR) continue;
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!WaitFor(fd, POLLOUT, deadline)) return false;
            continue;
        }
        return false;
    }
    return true;
}

// Reads up to `size` bytes into `out`; 0 bytes read means the peer closed. -1 on error or
// time-out.
ssize_t ReadSome(int fd, char* out, std::size_t size, SteadyClock::time_point deadline) {
    for (;;) {
        const ssize_t got = ::recv(fd, out, size, 0);
        if (got >= 0) return got;
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) return -1;
        if (!WaitFor(fd, POLLIN, deadline)) return -1;
    }
}

// One header line without its "\n" (a "\r" before it is dropped). Read byte by byte so
// that nothing of the data behind it is consumed.
std::optional<std::string> ReadLine(int fd, SteadyClock::time_point deadline) {
    std::string line;
    for (;;) {
        char c = 0;
        if (ReadSome(fd, &c, 1, deadline) != 1) return std::nullopt;
        if (c == '\n') break;
        if (line.size() >= kMaxHeaderLine) return std::nullopt;
        line.push_back(c);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

// The byte count of "DATA <n>": decimal digits only, no sign, no blanks around them.
std::optional<unsigned long long> DataLength(std::string_view line) {
    constexpr std::string_view kPrefix = "DATA ";
    if (line.substr(0, kPrefix.size()) != kPrefix) return std::nullopt;
    const std::string_view digits = line.substr(kPrefix.size());
    if (digits.empty() || digits.size() > 19) return std::nullopt;
    unsigned long long n = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + static_cast<unsigned long long>(c - '0');
    }
    return n;
}

class SocketConversation final : public DdeConversation {
  public:
    SocketConversation(int fd, std::chrono::milliseconds timeout) : fd_(fd), timeout_(timeout) {}
    ~SocketConversation() override { Close(); }
    SocketConversation(const SocketConversation&) = delete;
    SocketConversation& operator=(const SocketConversation&) = delete;

    std::optional<std::string> Request(std::string_view item) override {
        if (fd_ < 0) return std::nullopt;
        if (item.empty() || item.size() > kDdeMaxName || HasLineBreakOrZero(item))
            return std::nullopt;
        const auto deadline = SteadyClock::now() + timeout_;
        std::string line = "REQUEST ";
        line.append(item);
        line.push_back('\n');
        if (!SendAll(fd_, line, deadline)) return Broken();
        const std::optional<std::string> header = ReadLine(fd_, deadline);
        if (!header) return Broken();
        if (*header == "ERROR") return std::nullopt;
        const std::optional<unsigned long long> length = DataLength(*header);
        if (!length) return Broken();

        const std::size_t kept =
            static_cast<std::size_t>(std::min<unsigned long long>(*length, kDdeMaxAnswer));
        std::string answer(kept, '\0');
        std::size_t have = 0;
        while (have < kept) {
            const ssize_t got = ReadSome(fd_, answer.data() + have, kept - have, deadline);
            if (got <= 0) return Broken();
            have += static_cast<std::size_t>(got);
        }
        // The rest of an overlong answer: dropped while it is of a sane size, so that the
        // conversation can go on; beyond that the connection goes.
        const unsigned long long rest = *length - kept;
        if (rest > SocketDdeClient::kMaxDiscard) {
            Close();
        } else {
            std::array<char, 8192> sink{};
            unsigned long long left = rest;
            while (left > 0) {
                const ssize_t got = ReadSome(
                    fd_, sink.data(),
                    static_cast<std::size_t>(std::min<unsigned long long>(left, sink.size())),
                    deadline);
                if (got <= 0) {
                    Close();
                    break;
                }
                left -= static_cast<unsigned long long>(got);
            }
        }
        if (const std::size_t zero = answer.find('\0'); zero != std::string::npos)
            answer.resize(zero);
        return answer;
    }

  private:
    std::optional<std::string> Broken() {
        Close();
        return std::nullopt;
    }
    void Close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

    int fd_;
    std::chrono::milliseconds timeout_;
};

// A connected, non-blocking socket, or -1 when nobody listens at `path`.
int ConnectSocket(const std::string& path, SteadyClock::time_point deadline) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof(address.sun_path)) return -1;
    std::memcpy(address.sun_path, path.data(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0) return -1;
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    int result = 0;
    do {
        result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    } while (result < 0 && errno == EINTR);
    if (result < 0 && errno == EINPROGRESS) {
        int error = 0;
        socklen_t size = sizeof(error);
        if (WaitFor(fd, POLLOUT, deadline) &&
            ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0)
            result = 0;
    }
    if (result < 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

std::string DefaultVtplusSocketPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0')
        return std::string(runtime) + "/portfolaris-vtplus.sock";
    return "/tmp/portfolaris-vtplus-" + std::to_string(::getuid()) + ".sock";
}

SocketDdeClient::SocketDdeClient(std::string socketPath, std::chrono::milliseconds timeout)
    : path_(std::move(socketPath)), timeout_(timeout) {}

DdeConnectResult SocketDdeClient::Connect(std::string_view service, std::string_view topic) {
    DdeConnectResult result;
    if (service.empty() || service.size() > kDdeMaxName || topic.size() > kDdeMaxName ||
        service.find(' ') != std::string_view::npos || HasLineBreakOrZero(service) ||
        HasLineBreakOrZero(topic)) {
        result.failure = DdeConnectFailure::BadName;
        return result;
    }
    const auto deadline = SteadyClock::now() + timeout_;
    const int fd = ConnectSocket(path_, deadline);
    if (fd < 0) {
        result.failure = DdeConnectFailure::NoServer;
        return result;
    }
    auto conversation = std::make_unique<SocketConversation>(fd, timeout_);
    std::string line = "CONNECT ";
    line.append(service);
    line.push_back(' ');
    line.append(topic);
    line.push_back('\n');
    std::optional<std::string> answer;
    if (SendAll(fd, line, deadline)) answer = ReadLine(fd, deadline);
    if (answer && *answer == "OK") {
        result.conversation = std::move(conversation);
        return result;
    }
    result.failure = DdeConnectFailure::NoConversation;
    return result;
}

}  // namespace pf
