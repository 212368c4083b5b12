#include "support/LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace tessaly::test {

namespace {

int BoundLoopbackSocket(int& port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw std::runtime_error("socket failed");
    const int yes = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        close(fd);
        throw std::runtime_error("bind failed");
    }
    socklen_t len = sizeof addr;
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    port = ntohs(addr.sin_port);
    return fd;
}

const char* Reason(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        default:
            return "Status";
    }
}

}  // namespace

LocalHttpServer::LocalHttpServer() {
    listener_ = BoundLoopbackSocket(port_);
    if (listen(listener_, 8) != 0) {
        close(listener_);
        throw std::runtime_error("listen failed");
    }
    thread_ = std::thread([this] { Serve(); });
}

LocalHttpServer::~LocalHttpServer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    close(listener_);
}

void LocalHttpServer::SetReply(Reply reply) {
    std::lock_guard lock(mutex_);
    reply_ = std::move(reply);
}

std::string LocalHttpServer::Base() const {
    return "http://127.0.0.1:" + std::to_string(port_);
}

std::string LocalHttpServer::LastPath() const {
    std::lock_guard lock(mutex_);
    return lastPath_;
}

int LocalHttpServer::ClosedPort() {
    int port = 0;
    const int fd = BoundLoopbackSocket(port);
    close(fd);
    return port;
}

void LocalHttpServer::Serve() {
    while (!stop_) {
        pollfd p{listener_, POLLIN, 0};
        if (poll(&p, 1, 50) <= 0) continue;
        const int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) continue;
        Answer(client);
        close(client);
    }
}

void LocalHttpServer::Answer(int client) {
    // The request: read up to the blank line that ends its head.
    std::string request;
    char buffer[2048];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536 && !stop_) {
        pollfd p{client, POLLIN, 0};
        if (poll(&p, 1, 50) <= 0) continue;
        const ssize_t n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) return;
        request.append(buffer, static_cast<std::size_t>(n));
    }
    Reply reply;
    {
        std::lock_guard lock(mutex_);
        reply = reply_;
        const std::size_t start = request.find(' ');
        const std::size_t end = request.find(' ', start + 1);
        if (start != std::string::npos && end != std::string::npos)
            lastPath_ = request.substr(start + 1, end - start - 1);
    }
    ++requests_;
    // A slow answer, in small steps so that the server can still stop.
    const auto until = std::chrono::steady_clock::now() + reply.delay;
    while (!stop_ && std::chrono::steady_clock::now() < until) {
        // A client that gave up closes its end: stop waiting for it.
        pollfd p{client, POLLIN, 0};
        if (poll(&p, 1, 10) > 0 && recv(client, buffer, 1, MSG_PEEK | MSG_DONTWAIT) <= 0) return;
    }
    if (stop_) return;
    const std::string head =
        "HTTP/1.1 " + std::to_string(reply.status) + " " + Reason(reply.status) +
        "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(reply.body.size()) +
        "\r\nConnection: close\r\n\r\n";
    const std::string whole = head + reply.body;
    std::size_t sent = 0;
    while (sent < whole.size() && !stop_) {
        const ssize_t n = send(client, whole.data() + sent, whole.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return;
        sent += static_cast<std::size_t>(n);
    }
}

}  // namespace tessaly::test
