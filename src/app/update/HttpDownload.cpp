#include "app/update/HttpDownload.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "core/io/FileIO.h"

namespace tessaly {

namespace {

struct Transfer {
    std::vector<std::uint8_t> body;
    std::size_t maxBytes = 0;
    bool tooLarge = false;
    const std::atomic<bool>* cancel = nullptr;
};

std::size_t OnData(char* data, std::size_t size, std::size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const std::size_t n = size * count;
    if (n > t->maxBytes - t->body.size()) {
        t->tooLarge = true;
        return 0;  // makes libcurl stop with a write error
    }
    t->body.insert(t->body.end(), data, data + n);
    return n;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* t = static_cast<Transfer*>(user);
    return t->cancel && t->cancel->load() ? 1 : 0;
}

struct CurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};

}  // namespace

void InitNetwork() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

DownloadResult DownloadFile(const std::string& url, const std::filesystem::path& target,
                            const DownloadLimits& limits, const std::string& userAgent,
                            const std::atomic<bool>* cancel, std::string* error) {
    InitNetwork();
    auto fail = [error](DownloadResult r, const std::string& why) {
        if (error) *error = why;
        return r;
    };
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl) return fail(DownloadResult::Failed, "cannot start a transfer");

    Transfer t;
    t.maxBytes = limits.MaxBytes;
    t.cancel = cancel;
    char message[CURL_ERROR_SIZE] = {0};
    const long timeoutMs = static_cast<long>(limits.Timeout.count());
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_USERAGENT, userAgent.c_str());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, message);
    // Worker threads must not take signals (name look-ups with timeouts).
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, timeoutMs);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, timeoutMs);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
#if LIBCURL_VERSION_NUM >= 0x075500
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
#endif
    // An error page is not an update file.
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.MaxBytes));
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, OnData);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &t);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);

    const CURLcode code = curl_easy_perform(c);
    if (code != CURLE_OK) {
        const std::string why = message[0] ? message : curl_easy_strerror(code);
        if (cancel && cancel->load()) return fail(DownloadResult::Cancelled, "cancelled");
        if (t.tooLarge || code == CURLE_FILESIZE_EXCEEDED)
            return fail(DownloadResult::TooLarge, "the answer is too long");
        if (code == CURLE_OPERATION_TIMEDOUT) return fail(DownloadResult::TimedOut, why);
        return fail(DownloadResult::Failed, why);
    }
    try {
        WriteFileAtomically(target, std::span<const std::uint8_t>(t.body));
    } catch (const std::exception& e) {
        return fail(DownloadResult::WriteFailed, e.what());
    }
    return DownloadResult::Ok;
}

}  // namespace tessaly
