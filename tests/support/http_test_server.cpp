#include "support/http_test_server.h"

#include <httplib.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace pf::testing {
namespace {

// A key and a self-signed certificate for 127.0.0.1 (subject alternative name of type IP),
// valid from an hour ago for a day, usable as its own certificate authority.
struct SelfSigned {
    EVP_PKEY* key = nullptr;
    X509* cert = nullptr;

    SelfSigned() {
        key = EVP_EC_gen("P-256");
        cert = X509_new();
        if (key == nullptr || cert == nullptr) throw std::runtime_error("no test key");
        X509_set_version(cert, 2);
        ASN1_INTEGER_set(X509_get_serialNumber(cert), 1);
        X509_gmtime_adj(X509_getm_notBefore(cert), -3600);
        X509_gmtime_adj(X509_getm_notAfter(cert), 86400);
        X509_set_pubkey(cert, key);
        X509_NAME* name = X509_get_subject_name(cert);
        X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                                   reinterpret_cast<const unsigned char*>("Portfolaris test"), -1,
                                   -1, 0);
        X509_set_issuer_name(cert, name);
        X509V3_CTX ctx;
        X509V3_set_ctx_nodb(&ctx);
        X509V3_set_ctx(&ctx, cert, cert, nullptr, nullptr, 0);
        const std::pair<int, const char*> extensions[] = {
            {NID_basic_constraints, "critical,CA:TRUE"},
            {NID_key_usage, "critical,digitalSignature,keyCertSign"},
            {NID_subject_alt_name, "IP:127.0.0.1"},
            {NID_subject_key_identifier, "hash"},
        };
        for (const auto& [nid, value] : extensions) {
            X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value);
            if (ext == nullptr) throw std::runtime_error("bad test certificate extension");
            X509_add_ext(cert, ext, -1);
            X509_EXTENSION_free(ext);
        }
        if (X509_sign(cert, key, EVP_sha256()) == 0)
            throw std::runtime_error("test certificate not signed");
    }
    ~SelfSigned() {
        X509_free(cert);
        EVP_PKEY_free(key);
    }
    SelfSigned(const SelfSigned&) = delete;
    SelfSigned& operator=(const SelfSigned&) = delete;

    void WritePem(const std::string& path) const {
        FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) throw std::runtime_error("cannot write " + path);
        PEM_write_X509(file, cert);
        std::fclose(file);
    }
};

std::string NewPemPath() {
    static std::atomic<int> counter{0};
    return (std::filesystem::temp_directory_path() /
            ("pf_test_ca_" + std::to_string(::getpid()) + "_" + std::to_string(++counter) + ".pem"))
        .string();
}

}  // namespace

HttpTestServer::HttpTestServer(Scheme scheme) : scheme_(scheme) {
    if (scheme == Scheme::Https) {
        const SelfSigned self;
        caFile_ = NewPemPath();
        self.WritePem(caFile_);
        // The server takes its own references to the key and the certificate.
        server_ = std::make_unique<httplib::SSLServer>(self.cert, self.key);
    } else {
        server_ = std::make_unique<httplib::Server>();
    }
    // Answers go out at once (no waiting for the client's acknowledgement of the header),
    // and a kept-alive connection is looked at every millisecond for its next request.
    server_->set_tcp_nodelay(true);
    server_->set_idle_interval(0, 1000);
    server_->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        {
            const std::lock_guard lock(mutex_);
            lastUserAgent_ = request.get_header_value("User-Agent");
            ++requests_;
        }
        requestArrived_.notify_all();
        Page page;
        if (!Find(request.path, page)) {
            response.status = 404;
            response.set_content("<html>Nicht gefunden</html>", "text/html");
            return;
        }
        switch (page.kind) {
            case Page::Kind::Fixed:
                response.status = page.status;
                if (!page.location.empty()) response.set_header("Location", page.location);
                response.set_content(page.body, "text/html");
                break;
            case Page::Kind::Hanging:
                // The start, then one space every 50 ms for as long as the client listens:
                // data keeps coming, so only a limit on the whole transfer ends it.
                response.set_chunked_content_provider(
                    "text/html", [this, start = page.body](size_t offset, httplib::DataSink& sink) {
                        bool written = false;
                        if (offset == 0) {
                            written = sink.write(start.data(), start.size());
                        } else {
                            std::this_thread::sleep_for(std::chrono::milliseconds(50));
                            written = !stopping_.load() && sink.write(" ", 1);
                        }
                        if (written) {
                            const std::lock_guard lock(mutex_);
                            ++hangingWrites_;
                        }
                        requestArrived_.notify_all();
                        return written;
                    });
                break;
            case Page::Kind::Large: {
                const size_t filler = page.filler;
                const size_t total = filler + page.body.size();
                response.set_content_provider(
                    total, "text/html",
                    [this, filler, tail = page.body](size_t offset, size_t length,
                                                     httplib::DataSink& sink) {
                        if (stopping_.load()) return false;
                        std::string chunk;
                        const size_t end = offset + std::min<size_t>(length, 65536);
                        for (size_t at = offset; at < end; ++at)
                            chunk += at < filler ? 'x' : tail[at - filler];
                        return sink.write(chunk.data(), chunk.size());
                    });
                break;
            }
        }
    });
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (port_ <= 0) throw std::runtime_error("test server: no port on 127.0.0.1");
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

HttpTestServer::~HttpTestServer() {
    stopping_ = true;
    server_->stop();
    if (thread_.joinable()) thread_.join();
    if (!caFile_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(caFile_, ignored);
    }
}

std::string HttpTestServer::Url(std::string_view path) const {
    return std::string(scheme_ == Scheme::Https ? "https" : "http") +
           "://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

void HttpTestServer::SetPage(const std::string& path, std::string body, int status,
                             std::string location) {
    const std::lock_guard lock(mutex_);
    pages_[path] = Page{Page::Kind::Fixed, status, std::move(body), std::move(location), 0};
}

void HttpTestServer::SetHangingPage(const std::string& path, std::string start) {
    const std::lock_guard lock(mutex_);
    pages_[path] = Page{Page::Kind::Hanging, 200, std::move(start), {}, 0};
}

void HttpTestServer::SetLargePage(const std::string& path, size_t bytes, std::string tail) {
    const std::lock_guard lock(mutex_);
    pages_[path] = Page{Page::Kind::Large, 200, std::move(tail), {}, bytes};
}

std::string HttpTestServer::LastUserAgent() const {
    const std::lock_guard lock(mutex_);
    return lastUserAgent_;
}

bool HttpTestServer::WaitForRequests(int count, std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return requestArrived_.wait_for(lock, limit, [&] { return requests_.load() >= count; });
}

bool HttpTestServer::WaitForHangingWrites(int count, std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return requestArrived_.wait_for(lock, limit, [&] { return hangingWrites_ >= count; });
}

bool HttpTestServer::Find(const std::string& path, Page& page) const {
    const std::lock_guard lock(mutex_);
    const auto it = pages_.find(path);
    if (it == pages_.end()) return false;
    page = it->second;
    return true;
}

}  // namespace pf::testing
