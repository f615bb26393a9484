#pragma once

#include <atomic>
#include <string>

namespace pf {

// What one GET brought back. `status` is the HTTP status code of the answer, 0 when no
// answer arrived (refused address, connection or TLS failure, time-out before the header).
// `body` holds the page only for status 200 and is empty for every other status; a transfer
// that broke off after the header (time limit, size limit, cancel, lost connection) keeps
// what was read up to then.
struct HttpResponse {
    int status = 0;
    std::string body;
};

// A blocking HTTP GET, as the internet quote run needs it. Implementations never throw for
// network trouble and never follow redirects (a 302 is an answer with status 302, not the
// page it points to). One object serves one thread at a time.
class HttpClient {
  public:
    virtual ~HttpClient() = default;
    // Fetches `url`. While the transfer runs, `cancel` (may be null) is looked at now and
    // then; once it is true the transfer ends early as if it had broken off.
    virtual HttpResponse Get(const std::string& url, const std::atomic<bool>* cancel = nullptr) = 0;
};

}  // namespace pf
