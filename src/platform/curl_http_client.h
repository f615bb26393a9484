#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/http_client.h"

namespace pf {

// Limits and trust settings of CurlHttpClient. The defaults are those of the desktop
// program; tests shorten the limits and name their own certificate.
struct CurlHttpOptions {
    long connectTimeoutMs = 10'000;    // until the connection (and TLS handshake) stands
    long totalTimeoutMs = 30'000;      // for the whole page, connecting included
    size_t maxBodyBytes = 10'485'760;  // 10 MB of received body; the rest is not read
    // A PEM file of certificates to trust instead of the system's; empty = the system's.
    std::string caFile;
    // Use the proxies of the environment (http_proxy, https_proxy, no_proxy), as the system
    // is set up. Tests turn this off so that a request to 127.0.0.1 never goes elsewhere.
    bool environmentProxy = true;
};

// HttpClient on libcurl. The header and the body are read as they come; nothing is cached
// and no compression is asked for.
// - Only "http://" and "https://" addresses are fetched; https with the certificate and the
//   host name checked. A "host:port" address uses that port.
// - User agent "Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 5.1)".
// - The body is taken in blocks of 1023 bytes counted from its start; each block is cut at
//   its first zero byte (the rest of that block is dropped), so a binary answer turns into
//   the text pieces before its zero bytes.
// - Beyond `maxBodyBytes` received bytes, or after `totalTimeoutMs`, the transfer stops and
//   the body keeps what was read by then.
// The connection is kept between pages of one client. No signals are used, so a client may
// live on a worker thread.
class CurlHttpClient final : public HttpClient {
  public:
    explicit CurlHttpClient(CurlHttpOptions options = {});
    ~CurlHttpClient() override;
    CurlHttpClient(const CurlHttpClient&) = delete;
    CurlHttpClient& operator=(const CurlHttpClient&) = delete;

    HttpResponse Get(const std::string& url, const std::atomic<bool>* cancel = nullptr) override;

    // The user agent every request carries.
    static constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 5.1)";
    // The block size of the body, each block cut at its first zero byte.
    static constexpr size_t kBlockBytes = 1023;

  private:
    struct Handle;
    CurlHttpOptions options_;
    std::unique_ptr<Handle> handle_;
};

}  // namespace pf
