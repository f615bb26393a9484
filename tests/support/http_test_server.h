#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace httplib {
class Server;
}

namespace pf::testing {

// A real HTTP (or HTTPS) server on 127.0.0.1 for the tests of page fetching, on a port the
// system hands out. It serves what the test put there:
// - SetPage: a fixed answer (status, body, optional Location header);
// - SetHangingPage: the start of a page, then nothing more until the server stops;
// - SetLargePage: `bytes` bytes of filler followed by `tail`, made as they are sent.
// Unknown paths answer 404. The HTTPS server makes a key and a self-signed certificate for
// the IP address 127.0.0.1 when it starts; CaFile() names a PEM file with that certificate
// for the client to trust. Nothing listens beyond the loopback address.
class HttpTestServer {
  public:
    enum class Scheme { Http, Https };
    explicit HttpTestServer(Scheme scheme = Scheme::Http);
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    int Port() const { return port_; }
    // "http://127.0.0.1:PORT" + path (https for the HTTPS server); `path` starts with "/".
    std::string Url(std::string_view path) const;
    // The certificate of the HTTPS server as a PEM file; empty for plain HTTP.
    const std::string& CaFile() const { return caFile_; }
    // Requests answered so far (any path).
    int Requests() const { return requests_.load(); }
    // Waits until at least `count` requests have arrived, or `limit` has passed; whether
    // they did. Lets a test act while the client is inside a request without guessing a
    // delay.
    bool WaitForRequests(int count, std::chrono::milliseconds limit = std::chrono::seconds(10));
    // Waits until hanging pages have sent `count` pieces (their start is the first, then a
    // space every 50 ms), or `limit` has passed; whether they did. A few pieces after the
    // start, the client has the start in hand.
    bool WaitForHangingWrites(int count,
                              std::chrono::milliseconds limit = std::chrono::seconds(10));
    // The User-Agent header of the latest request.
    std::string LastUserAgent() const;

    void SetPage(const std::string& path, std::string body, int status = 200,
                 std::string location = {});
    void SetHangingPage(const std::string& path, std::string start);
    void SetLargePage(const std::string& path, size_t bytes, std::string tail);

  private:
    struct Page {
        enum class Kind { Fixed, Hanging, Large } kind = Kind::Fixed;
        int status = 200;
        std::string body;  // the page, the start of a hanging page or the tail of a large one
        std::string location;
        size_t filler = 0;
    };
    bool Find(const std::string& path, Page& page) const;
    void Serve();

    Scheme scheme_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
    std::string caFile_;
    std::atomic<bool> stopping_{false};
    std::atomic<int> requests_{0};
    mutable std::mutex mutex_;
    // Signalled on every request and every piece a hanging page sends.
    std::condition_variable requestArrived_;
    int hangingWrites_ = 0;  // guarded by mutex_
    std::map<std::string, Page> pages_;
    std::string lastUserAgent_;
};

}  // namespace pf::testing
