#include "platform/vtplus_standin_server.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <list>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

namespace pf {

namespace {

namespace fs = std::filesystem;

#ifdef MSG_NOSIGNAL
constexpr int kSendFlags = MSG_NOSIGNAL;
#else
constexpr int kSendFlags = 0;
#endif

// A request line longer than this is not one of ours; the connection is closed.
constexpr std::size_t kMaxRequestLine = 4096;
// Conversations served at the same time; the program asks one after the other.
constexpr std::size_t kMaxConnections = 64;
// Page files larger than this are read only this far (a teletext page has 25 rows).
constexpr std::streamsize kMaxPageFile = 1024 * 1024;

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) {
                   return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
               };
               return lower(x) == lower(y);
           });
}

bool IsPageName(std::string_view name) {
    return !name.empty() && name.front() != '.' &&
           name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

// At most kMaxPageFile bytes of the file. Read in pieces, so that a page of a kilobyte
// costs a kilobyte: every request reads its files again.
std::optional<std::string> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes;
    char piece[4096];
    while (in && bytes.size() < static_cast<std::size_t>(kMaxPageFile)) {
        const std::size_t want =
            std::min(sizeof piece, static_cast<std::size_t>(kMaxPageFile) - bytes.size());
        in.read(piece, static_cast<std::streamsize>(want));
        bytes.append(piece, static_cast<std::size_t>(in.gcount()));
    }
    return bytes;
}

// A number of one to three digits within [low, high].
std::optional<int> SmallNumber(std::string_view text, int low, int high) {
    if (text.empty() || text.size() > 3) return std::nullopt;
    int n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n < low || n > high) return std::nullopt;
    return n;
}

// The file of a subpage: "P-N.txt", for subpage 1 else "P.txt".
std::optional<std::string> ReadSubpage(const std::string& folder, std::string_view page,
                                       int subpage) {
    const std::string name(page);
    if (auto text = ReadFile(fs::path(folder) / (name + "-" + std::to_string(subpage) + ".txt")))
        return text;
    if (subpage == 1) return ReadFile(fs::path(folder) / (name + ".txt"));
    return std::nullopt;
}

// The rows of a page file, each cut or padded to 40 columns.
std::vector<std::string> Rows(std::string_view text) {
    std::vector<std::string> rows;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view row = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!row.empty() && row.back() == '\r') row.remove_suffix(1);
        std::string padded(row.substr(0, VtplusStandinServer::kColumns));
        padded.resize(VtplusStandinServer::kColumns, ' ');
        rows.push_back(std::move(padded));
    }
    return rows;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
}

std::optional<std::string> PageAnswer(const std::string& folder, std::string_view page,
                                      std::string_view item) {
    if (EqualIgnoringCase(item, "Status")) {
        const std::optional<std::string> status =
            ReadFile(fs::path(folder) / (std::string(page) + ".status"));
        if (!status) return std::string("Ready");
        std::string text = *status;
        while (!text.empty() && std::string_view(" \t\r\n").find(text.back()) != std::string::npos)
            text.pop_back();
        return text;
    }
    // "S,S" or "S,S,,,B(c1/r1/c2/r2)"
    const std::vector<std::string_view> fields = Split(item, ',');
    if (fields.size() != 2 && fields.size() != 5) return std::nullopt;
    const std::optional<int> subpage = SmallNumber(fields[0], 1, VtplusStandinServer::kMaxSubpage);
    if (!subpage || !SmallNumber(fields[1], 1, VtplusStandinServer::kMaxSubpage))
        return std::nullopt;
    int c1 = 0, r1 = 0, c2 = VtplusStandinServer::kColumns - 1, r2 = -1;
    if (fields.size() == 5) {
        std::string_view box = fields[4];
        if (!fields[2].empty() || !fields[3].empty() || box.size() < 3 ||
            (box[0] != 'B' && box[0] != 'b') || box[1] != '(' || box.back() != ')')
            return std::nullopt;
        box = box.substr(2, box.size() - 3);
        const std::vector<std::string_view> corners = Split(box, '/');
        if (corners.size() != 4) return std::nullopt;
        const auto column = [](std::string_view t) {
            return SmallNumber(t, 0, VtplusStandinServer::kColumns - 1);
        };
        const auto row = [](std::string_view t) {
            return SmallNumber(t, 0, VtplusStandinServer::kMaxRow);
        };
        const auto a = column(corners[0]), b = row(corners[1]), c = column(corners[2]),
                   d = row(corners[3]);
        if (!a || !b || !c || !d || *a > *c || *b > *d) return std::nullopt;
        c1 = *a;
        r1 = *b;
        c2 = *c;
        r2 = *d;
    }
    const std::optional<std::string> file = ReadSubpage(folder, page, *subpage);
    if (!file) return std::string();
    const std::vector<std::string> rows = Rows(*file);
    if (r2 < 0) r2 = static_cast<int>(rows.size()) - 1;
    std::string answer;
    for (int r = r1; r <= r2; ++r) {
        if (r > r1) answer += "\r\n";
        const std::string blank(VtplusStandinServer::kColumns, ' ');
        const std::string& line = static_cast<std::size_t>(r) < rows.size() ? rows[r] : blank;
        answer += line.substr(static_cast<std::size_t>(c1), static_cast<std::size_t>(c2 - c1 + 1));
    }
    return answer;
}

bool SendAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), kSendFlags);
        if (sent < 0 && errno == EINTR) continue;
        if (sent <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

// One connection: CONNECT first, then any number of REQUESTs, until the client hangs up.
void Serve(int fd, const std::string& folder) {
    std::string pending;
    std::optional<std::string> topic;
    char chunk[1024];
    for (;;) {
        const std::size_t end = pending.find('\n');
        if (end == std::string::npos) {
            if (pending.size() > kMaxRequestLine) return;
            const ssize_t got = ::recv(fd, chunk, sizeof(chunk), 0);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return;
            pending.append(chunk, static_cast<std::size_t>(got));
            continue;
        }
        std::string line = pending.substr(0, end);
        pending.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r') line.pop_back();

        std::string reply;
        if (line.rfind("CONNECT ", 0) == 0 && !topic) {
            const std::string_view rest = std::string_view(line).substr(8);
            const std::size_t blank = rest.find(' ');
            const std::string_view service = rest.substr(0, blank);
            const std::string_view name =
                blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
            if (EqualIgnoringCase(service, "VTPlus") &&
                VtplusStandinServer::HasTopic(folder, name)) {
                topic = std::string(name);
                reply = "OK\n";
            } else {
                reply = "NOTFOUND\n";
            }
        } else if (line.rfind("REQUEST ", 0) == 0 && topic) {
            const std::optional<std::string> answer =
                VtplusStandinServer::Answer(folder, *topic, std::string_view(line).substr(8));
            reply = answer ? "DATA " + std::to_string(answer->size()) + "\n" + *answer : "ERROR\n";
        } else {
            reply = "ERROR\n";
        }
        if (!SendAll(fd, reply)) return;
    }
}

}  // namespace

struct VtplusStandinServer::State {
    std::string folder;
    std::string path;
    int listenFd = -1;
    int wake[2] = {-1, -1};
    std::thread acceptor;
    std::mutex mutex;
    struct Connection {
        int fd;
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    std::list<Connection> connections;
    bool stopped = false;

    void AcceptLoop() {
        for (;;) {
            pollfd p[2] = {{listenFd, POLLIN, 0}, {wake[0], POLLIN, 0}};
            if (::poll(p, 2, -1) < 0) {
                if (errno == EINTR) continue;
                return;
            }
            if (p[1].revents != 0) return;
            if ((p[0].revents & POLLIN) == 0) continue;
            const int fd = ::accept(listenFd, nullptr, nullptr);
            if (fd < 0) continue;
            std::lock_guard lock(mutex);
            ReapFinished();
            // One thread per conversation; a client that opens many at once gets no more.
            if (connections.size() >= kMaxConnections) {
                ::close(fd);
                continue;
            }
            auto done = std::make_shared<std::atomic<bool>>(false);
            std::thread thread([fd, done, folder = folder] {
                Serve(fd, folder);
                done->store(true);
            });
            connections.push_back(Connection{fd, std::move(thread), done});
        }
    }

    void ReapFinished() {
        for (auto it = connections.begin(); it != connections.end();) {
            if (it->done->load()) {
                it->thread.join();
                ::close(it->fd);
                it = connections.erase(it);
            } else {
                ++it;
            }
        }
    }
};

VtplusStandinServer::VtplusStandinServer(std::unique_ptr<State> state) : state_(std::move(state)) {}

VtplusStandinServer::~VtplusStandinServer() { Stop(); }

const std::string& VtplusStandinServer::SocketPath() const { return state_->path; }

std::unique_ptr<VtplusStandinServer> VtplusStandinServer::Start(std::string folder,
                                                                std::string socketPath,
                                                                std::string& error) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.empty() || socketPath.size() >= sizeof(address.sun_path)) {
        error = "Der Socketpfad \"" + socketPath + "\" ist leer oder zu lang.";
        return nullptr;
    }
    std::memcpy(address.sun_path, socketPath.data(), socketPath.size());
    std::error_code ignored;
    if (!fs::is_directory(folder, ignored)) {
        error = "Der Ordner \"" + folder + "\" existiert nicht.";
        return nullptr;
    }
    struct stat info {};
    if (::lstat(socketPath.c_str(), &info) == 0) {
        if (!S_ISSOCK(info.st_mode)) {
            error = "\"" + socketPath + "\" ist kein Socket und wird nicht ersetzt.";
            return nullptr;
        }
        const int probe = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool answered =
            probe >= 0 &&
            ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
        if (probe >= 0) ::close(probe);
        if (answered) {
            error = "An \"" + socketPath + "\" antwortet bereits ein Server.";
            return nullptr;
        }
        ::unlink(socketPath.c_str());
    }

    auto state = std::make_unique<State>();
    state->folder = std::move(folder);
    state->path = std::move(socketPath);
    state->listenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (state->listenFd < 0 || ::bind(state->listenFd, reinterpret_cast<const sockaddr*>(&address),
                                      sizeof(address)) != 0) {
        error = "Der Socket \"" + state->path +
                "\" kann nicht angelegt werden: " + std::strerror(errno);
        if (state->listenFd >= 0) ::close(state->listenFd);
        return nullptr;
    }
    // Only the user's own programs may talk to the server.
    ::chmod(state->path.c_str(), 0600);
    if (::listen(state->listenFd, 16) != 0 || ::pipe(state->wake) != 0) {
        error = "Der Socket \"" + state->path +
                "\" kann nicht angelegt werden: " + std::strerror(errno);
        ::close(state->listenFd);
        ::unlink(state->path.c_str());
        return nullptr;
    }
    State* raw = state.get();
    state->acceptor = std::thread([raw] { raw->AcceptLoop(); });
    return std::unique_ptr<VtplusStandinServer>(new VtplusStandinServer(std::move(state)));
}

void VtplusStandinServer::Stop() {
    State& s = *state_;
    if (s.stopped) return;
    s.stopped = true;
    const char byte = 0;
    while (::write(s.wake[1], &byte, 1) < 0 && errno == EINTR) {
    }
    s.acceptor.join();
    ::close(s.listenFd);
    ::unlink(s.path.c_str());
    std::lock_guard lock(s.mutex);
    for (State::Connection& c : s.connections) ::shutdown(c.fd, SHUT_RDWR);
    for (State::Connection& c : s.connections) {
        c.thread.join();
        ::close(c.fd);
    }
    s.connections.clear();
    ::close(s.wake[0]);
    ::close(s.wake[1]);
}

bool VtplusStandinServer::HasTopic(const std::string& folder, std::string_view topic) {
    if (EqualIgnoringCase(topic, "System")) return true;
    if (!IsPageName(topic)) return false;
    const std::vector<std::string> pages = Pages(folder);
    return std::find(pages.begin(), pages.end(), topic) != pages.end();
}

std::vector<std::string> VtplusStandinServer::Pages(const std::string& folder) {
    std::set<std::string> pages;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (!entry.is_regular_file(error)) continue;
        const std::string name = entry.path().filename().string();
        std::string page;
        if (name.size() > 7 && name.ends_with(".status")) {
            page = name.substr(0, name.size() - 7);
        } else if (name.size() > 4 && name.ends_with(".txt")) {
            page = name.substr(0, name.size() - 4);
            const std::size_t dash = page.rfind('-');
            if (dash != std::string::npos && dash > 0 &&
                SmallNumber(std::string_view(page).substr(dash + 1), 1, kMaxSubpage))
                page.resize(dash);
        }
        if (IsPageName(page) && !EqualIgnoringCase(page, "System")) pages.insert(page);
    }
    return {pages.begin(), pages.end()};
}

std::optional<std::string> VtplusStandinServer::Answer(const std::string& folder,
                                                       std::string_view topic,
                                                       std::string_view item) {
    if (EqualIgnoringCase(topic, "System")) {
        if (!EqualIgnoringCase(item, "Topics")) return std::nullopt;
        std::string list = "System";
        for (const std::string& page : Pages(folder)) list += "\t" + page;
        return list;
    }
    if (!HasTopic(folder, topic)) return std::nullopt;
    return PageAnswer(folder, topic, item);
}

}  // namespace pf
