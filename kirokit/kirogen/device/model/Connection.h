#pragma once

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace kirogen::device::model {

// A device's link to the outside. Each connection has a worker thread of its own, started by
// the first connect(): connect() and disconnect() only queue a request and return at once; the
// worker carries the requests out in order and answers every one of them through the state
// handler, on the worker thread: true once connected (also for a connect while connected),
// false when an attempt failed, when the link was lost and for every disconnect.
//
// Subclasses implement open(), serve() and close(), which run on the worker thread, and must
// call stopWorker() in their destructor so that the worker never runs into a half-destroyed
// object.
class Connection
{
public:
    using StateHandler = std::function<void(bool connected)>;
    // A value the device sent for one of its ports, as text.
    using InputHandler = std::function<void(const std::string& port, const std::string& text)>;

    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    virtual ~Connection();

    // Set before the first connect(); the handlers are called on the worker thread.
    void setHandlers(StateHandler stateHandler, InputHandler inputHandler);

    // The address is the kind's own: "host:port" for tcp, a path for a device file.
    void connect(const std::string& address);
    void disconnect();
    bool isConnected() const { return _connected; }

    // Hands an output value to the device; dropped while not connected.
    void send(const std::string& port, const std::string& text);

protected:
    // label names the connection in log messages.
    explicit Connection(std::string label);

    const std::string& label() const { return _label; }

    // Establishes the link; on failure returns false with a reason in *error. An attempt that
    // waits should also watch wakeFd() and give up when abortRequested().
    virtual bool open(const std::string& address, std::string* error) = 0;
    // Serves the open link until a request waits (returns true) or the link is lost (returns
    // false with the reason in *error). Must watch wakeFd() and call drainWake() when it fires.
    virtual bool serve(std::string* error) = 0;
    virtual void close() = 0;
    // Called on the sender's thread while connected.
    virtual void write(const std::string& port, const std::string& text) = 0;

    void stopWorker();

    // Readable whenever a request or an output waits for the worker.
    int wakeFd() const { return _wakeFd; }
    void wake();
    void drainWake();
    bool requestPending() const;
    bool abortRequested() const;
    void deliverInput(const std::string& port, const std::string& text);

private:
    enum class RequestKind
    {
        Connect,
        Disconnect,
        Quit
    };
    struct Request
    {
        RequestKind kind;
        std::string address;
    };

    void post(Request request);
    Request takeRequest();
    void run();
    // Returns true when the worker is to quit.
    bool runConnected();
    void report(bool connected);

    const std::string _label;
    const int _wakeFd;
    mutable std::mutex _mutex;
    std::deque<Request> _requests;
    std::thread _worker;
    std::atomic<bool> _connected{false};
    StateHandler _stateHandler;
    InputHandler _inputHandler;
};

} // namespace kirogen::device::model
