// LocalHttpServer: a tiny HTTP/1.1 server on the loopback interface for
// tests of code that fetches files. It answers every request with the reply
// set last (status, body, an optional delay before answering) and counts the
// requests it got. One connection at a time, on a thread of its own.
#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>

namespace tessaly::test {

class LocalHttpServer {
  public:
    struct Reply {
        int status = 200;
        std::string body;
        // Waited before the answer is sent (a slow server).
        std::chrono::milliseconds delay{0};
    };

    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    void SetReply(Reply reply);
    int Port() const { return port_; }
    // "http://127.0.0.1:<port>".
    std::string Base() const;
    int Requests() const { return requests_; }
    std::string LastPath() const;

    // A loopback port that nothing listens on (connections are refused).
    static int ClosedPort();

  private:
    void Serve();
    void Answer(int client);

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> requests_{0};
    mutable std::mutex mutex_;
    Reply reply_;
    std::string lastPath_;
    std::thread thread_;
};

}  // namespace tessaly::test
