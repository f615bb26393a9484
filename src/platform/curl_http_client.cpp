#include "platform/curl_http_client.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string_view>

namespace pf {
namespace {

// libcurl's global set-up runs once per process, whichever thread gets there first.
void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

// The state of one transfer, shared with the callbacks.
struct Transfer {
    CURL* curl = nullptr;
    std::string body;
    size_t received = 0;  // body bytes taken from the connection, zero bytes included
    size_t limit = 0;
    size_t inBlock = 0;     // bytes of the current 1023-byte block already seen
    bool blockCut = false;  // a zero byte ended the current block's text
    const std::atomic<bool>* cancel = nullptr;

    bool Cancelled() const { return cancel != nullptr && cancel->load(std::memory_order_relaxed); }

    void Take(const char* data, size_t size) {
        while (size > 0) {
            const size_t piece = std::min(size, CurlHttpClient::kBlockBytes - inBlock);
            if (!blockCut) {
                const void* zero = std::memchr(data, 0, piece);
                const size_t text =
                    zero ? static_cast<size_t>(static_cast<const char*>(zero) - data) : piece;
                body.append(data, text);
                blockCut = zero != nullptr;
            }
            data += piece;
            size -= piece;
            inBlock += piece;
            if (inBlock == CurlHttpClient::kBlockBytes) {
                inBlock = 0;
                blockCut = false;
            }
        }
    }
};

size_t OnBody(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (t->Cancelled()) return 0;
    long status = 0;
    curl_easy_getinfo(t->curl, CURLINFO_RESPONSE_CODE, &status);
    // Any other answer's body is not wanted: stop reading it (the status is kept).
    if (status != 200) return 0;
    const size_t room = t->limit - t->received;
    const size_t taken = std::min(bytes, room);
    t->Take(data, taken);
    t->received += taken;
    // Returning less than offered ends the transfer; what was taken stays in the body.
    return taken;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Transfer*>(user)->Cancelled() ? 1 : 0;
}

}  // namespace

struct CurlHttpClient::Handle {
    CURL* curl = nullptr;
    ~Handle() {
        if (curl != nullptr) curl_easy_cleanup(curl);
    }
};

CurlHttpClient::CurlHttpClient(CurlHttpOptions options)
    : options_(std::move(options)), handle_(std::make_unique<Handle>()) {
    InitCurlOnce();
    CURL* curl = curl_easy_init();
    handle_->curl = curl;
    if (curl == nullptr) return;
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
#if LIBCURL_VERSION_NUM >= 0x075500
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
#else
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS, static_cast<long>(CURLPROTO_HTTP | CURLPROTO_HTTPS));
#endif
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, options_.connectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, options_.totalTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!options_.caFile.empty()) curl_easy_setopt(curl, CURLOPT_CAINFO, options_.caFile.c_str());
    // An empty proxy name switches off the proxies named in the environment.
    if (!options_.environmentProxy) curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &OnBody);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &OnProgress);
}

CurlHttpClient::~CurlHttpClient() = default;

HttpResponse CurlHttpClient::Get(const std::string& url, const std::atomic<bool>* cancel) {
    HttpResponse response;
    CURL* curl = handle_->curl;
    if (curl == nullptr) return response;
    if (!StartsWithIgnoringCase(url, "http://") && !StartsWithIgnoringCase(url, "https://"))
        return response;
    Transfer transfer;
    transfer.curl = curl;
    transfer.limit = options_.maxBodyBytes;
    transfer.cancel = cancel;
    if (transfer.Cancelled()) return response;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    // Errors (time limit, size limit, cancel, lost connection) end the transfer quietly
    // with what was read; the status tells whether a page arrived at all.
    curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    response.status = static_cast<int>(status);
    if (status == 200) response.body = std::move(transfer.body);
    // The transfer object dies here; the handle must not call into it later.
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, nullptr);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, nullptr);
    return response;
}

}  // namespace pf
