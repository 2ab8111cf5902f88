#pragma once
// A pseudo-terminal in raw mode, the stand-in for a USB-serial adapter: the
// program opens the slave's path as its serial port, the simulated device
// reads and writes the master. The slave stays open here as well, so the
// master keeps working while the program closes and reopens its side between
// operations. The master does not block.

#include <string>

namespace tavix::sim {

class RawPty {
public:
    RawPty() = default;
    ~RawPty();
    RawPty(const RawPty&) = delete;
    RawPty& operator=(const RawPty&) = delete;

    // False with `error` set to the system's reason.
    bool Open(std::string& error);
    int Master() const { return master_; }
    const std::string& Path() const { return path_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

}  // namespace tavix::sim
