#include "platform/QtSerialBackend.h"

#include "link/PortDoctor.h"
#include "platform/SystemPorts.h"

namespace tavix {

QtSerialBackend::QtSerialBackend(QObject* parent) : QObject(parent) {
    // readyRead comes from the event loop, never from inside write().
    connect(&port_, &QSerialPort::readyRead, this, [this] { NotifyDataArrived(); });
    // A port that vanishes (adapter pulled out) is closed, so the pages see it
    // as closed instead of writing into nothing; their time-outs report it.
    connect(&port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        if (error == QSerialPort::ResourceError && port_.isOpen()) {
            port_.close();
            MarkVanished();
        }
    });
}

QtSerialBackend::~QtSerialBackend() {
    Close();
}

bool QtSerialBackend::Open(const std::string& port, std::string& error) {
    if (port_.isOpen()) {
        port_.close();
    }
    // The serial library reads an existing lock file to see whether it is
    // stale; one that is no plain file (a FIFO) would keep that read, and the
    // program, waiting for ever.
    const std::string irregular = IrregularLockFile(LocalPortSystem(), port);
    if (!irregular.empty()) {
        error = IrregularLockText(irregular);
        return false;
    }
    port_.setPortName(QString::fromStdString(port));
    // 9600, n, 8, 1 and no flow control, set before opening so the line is
    // right from the first byte.
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        error = port_.errorString().toStdString();
        return false;
    }
    port_.clear(QSerialPort::AllDirections);
    return true;
}

std::string QtSerialBackend::WhyNotOpen(const std::string& port) {
    return DiagnoseLocalPort(port).cause;
}

void QtSerialBackend::Close() {
    if (port_.isOpen()) {
        port_.close();
    }
}

bool QtSerialBackend::Vanished() const {
    return SerialBackend::Vanished() ||
           (port_.isOpen() && PortHungUp(static_cast<std::intptr_t>(port_.handle())));
}

bool QtSerialBackend::IsOpen() const {
    return port_.isOpen();
}

void QtSerialBackend::Write(const Bytes& bytes) {
    if (!port_.isOpen() || bytes.empty()) {
        return;
    }
    port_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

std::size_t QtSerialBackend::BytesWaiting() const {
    return port_.isOpen() ? static_cast<std::size_t>(port_.bytesAvailable()) : 0;
}

Bytes QtSerialBackend::ReadAll() {
    if (!port_.isOpen()) {
        return {};
    }
    const QByteArray data = port_.readAll();
    return Bytes(data.begin(), data.end());
}

}  // namespace tavix
