#pragma once

#include <kirogen/device/model/Connection.h>
#include <kirogen/device/model/LineReader.h>

#include <chrono>
#include <map>
#include <mutex>
#include <string>

namespace kirogen::device::model {

// A TCP link, spoken in lines of UTF-8 text "<port>=<value>\n" both ways: the device sends
// the values of its inputs, we send the values written to its outputs. Refusal, a connect
// time-out or the peer closing the link ends in a "disconnected" report.
class TcpConnection final : public Connection
{
public:
    explicit TcpConnection(std::string label,
                           std::chrono::milliseconds connectTimeout = std::chrono::seconds(5));
    ~TcpConnection() override;

    // "host:port" from a host text that may already name a port ("127.0.0.1:7171",
    // "[::1]:7171") and the port to use otherwise.
    static std::string address(const std::string& host, const std::string& port);
    // Splits "host:port"; false with a reason in *error when the text has no valid port.
    static bool splitAddress(const std::string& address, std::string* host, int* port, std::string* error);

    // A line longer than this is dropped instead of growing the buffer without bound.
    static constexpr std::size_t maxLineLength = LineReader::maxLineLength;

protected:
    bool open(const std::string& address, std::string* error) override;
    bool serve(std::string* error) override;
    void close() override;
    void write(const std::string& port, const std::string& text) override;

private:
    bool connectTo(const std::string& host, int port, std::string* error);
    bool receive(std::string* error);
    bool flush(std::string* error);

    const std::chrono::milliseconds _connectTimeout;
    int _socket = -1;
    LineReader _lines;
    std::string _unsent;
    // Only the newest value per output port waits, so a device that stops reading costs
    // memory bounded by its number of ports.
    std::mutex _outboxMutex;
    std::map<std::string, std::string> _outbox;
};

} // namespace kirogen::device::model
