#pragma once
// The real serial port: QSerialPort on any path (/dev/ttyUSB0, COM3, a
// pseudo-terminal), always 9600 baud, 8 data bits, no parity, 1 stop bit.

#include <QObject>
#include <QSerialPort>

#include "link/SerialBackend.h"

namespace tavix {

class QtSerialBackend : public QObject, public SerialBackend {
    Q_OBJECT
public:
    explicit QtSerialBackend(QObject* parent = nullptr);
    ~QtSerialBackend() override;

    // On failure `error` is QSerialPort::errorString().
    bool Open(const std::string& port, std::string& error) override;
    // The port doctor's cause: not found, no permission, held by a process.
    [[nodiscard]] std::string WhyNotOpen(const std::string& port) override;
    void Close() override;
    bool IsOpen() const override;
    void Write(const Bytes& bytes) override;
    std::size_t BytesWaiting() const override;
    Bytes ReadAll() override;
    // Also a pseudo-terminal whose device end closed: the serial library
    // reads that as an empty read, never as an error.
    bool Vanished() const override;

    QSerialPort& Port() { return port_; }

private:
    QSerialPort port_;
};

}  // namespace tavix
