#pragma once

#include <filesystem>
#include <string>
#include <thread>

// Serves the files of one folder over HTTP on 127.0.0.1, at a port the system picks, from a
// thread of its own until it is destroyed. Only plain file names are served ("/name.html");
// everything else is 404. Several connections are handled at once, since a browser may open
// one ahead and send its request on another.
class PageServer
{
public:
    explicit PageServer(std::filesystem::path root);
    ~PageServer();
    PageServer(const PageServer&) = delete;
    PageServer& operator=(const PageServer&) = delete;

    int Port() const { return port_; }
    std::string Address(const std::string& file) const;

private:
    void Serve();
    std::string Response(const std::string& request) const;

    std::filesystem::path root_;
    int listener_ = -1;
    int port_ = 0;
    int stop_[2] = {-1, -1}; // written to end the thread
    std::thread thread_;
};
