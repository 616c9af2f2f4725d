#include "page_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace
{

struct Client {
    int fd;
    std::string request;
};

void SendAll(int fd, const std::string& bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return; // the browser went away; nothing to tell it
        sent += static_cast<std::size_t>(n);
    }
}

bool PlainName(const std::string& name)
{
    return !name.empty() && name[0] != '.' &&
           name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-_.") == std::string::npos;
}

} // namespace

PageServer::PageServer(std::filesystem::path root) : root_(std::move(root))
{
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(listener_, 64) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        pipe2(stop_, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot serve pages on 127.0.0.1");
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

PageServer::~PageServer()
{
    const char byte = 0;
    [[maybe_unused]] const ssize_t n = write(stop_[1], &byte, 1);
    thread_.join();
    close(stop_[0]);
    close(stop_[1]);
    close(listener_);
}

std::string PageServer::Address(const std::string& file) const
{
    return "http://127.0.0.1:" + std::to_string(port_) + "/" + file;
}

std::string PageServer::Response(const std::string& request) const
{
    const std::size_t start = request.find(' ') + 1;
    const std::size_t end = request.find(' ', start);
    const std::string path = request.substr(start, end - start);
    const std::string name = path.size() > 1 ? path.substr(1) : "";
    std::string status = "404 Not Found";
    std::string body;
    if (PlainName(name) && std::filesystem::is_regular_file(root_ / name)) {
        std::ifstream in(root_ / name, std::ios::binary);
        body.assign(std::istreambuf_iterator<char>(in), {});
        status = "200 OK";
    }
    return "HTTP/1.1 " + status + "\r\nContent-Type: text/html; charset=utf-8\r\n" +
           "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" +
           body;
}

void PageServer::Serve()
{
    std::vector<Client> clients;
    for (;;) {
        std::vector<pollfd> fds{{stop_[0], POLLIN, 0}, {listener_, POLLIN, 0}};
        for (const Client& c : clients)
            fds.push_back({c.fd, POLLIN, 0});
        if (poll(fds.data(), fds.size(), -1) < 0)
            continue;
        if (fds[0].revents)
            break;
        if (fds[1].revents & POLLIN) {
            const int fd = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0)
                clients.push_back({fd, {}});
        }
        for (std::size_t i = 2; i < fds.size(); ++i) {
            if (!fds[i].revents)
                continue;
            Client& c = clients[i - 2];
            char buffer[4096];
            const ssize_t n = recv(c.fd, buffer, sizeof buffer, 0);
            if (n > 0)
                c.request.append(buffer, static_cast<std::size_t>(n));
            const bool complete = c.request.find("\r\n\r\n") != std::string::npos;
            if (complete)
                SendAll(c.fd, Response(c.request));
            if (complete || n <= 0) {
                close(c.fd);
                c.fd = -1;
            }
        }
        std::erase_if(clients, [](const Client& c) { return c.fd < 0; });
    }
    for (const Client& c : clients)
        close(c.fd);
}
