#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace korvo {

// The states a transfer reports, numbered as the program has always numbered them.
enum TransferState : int {
    kResponseReceived = 8, // the status and the headers are in; the body follows
    kRequestFailed = 11,
    kResponseCompleted = 12, // the whole body has been delivered
};

// What a streaming GET tells its receiver, on the window thread.
class TransferEvents {
public:
    virtual ~TransferEvents() = default;
    virtual void StateChanged(int state) = 0;
    // A piece of the body as it arrives; the bytes are valid during the call only.
    virtual void DataArrived(std::string_view bytes) = 0;
};

// One GET under way. The receiver may call Cancel from inside its events, but must not destroy
// the transfer there.
class Transfer {
public:
    virtual ~Transfer() = default;
    // The HTTP status, 0 before the response has arrived.
    virtual int StatusCode() const = 0;
    // A response header by name in any case; empty when the response has none.
    virtual std::string GetHeader(std::string_view name) const = 0;
    virtual bool StillExecuting() const = 0;
    // Stops the transfer at once; no event follows.
    virtual void Cancel() = 0;
};

// HTTP GET as the launcher uses it.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    // The whole body of a small text. Waits running the window events, so windows paint and
    // answer the user meanwhile. Nothing when the request fails, takes longer than the time-out,
    // answers with a status other than 2xx, or is aborted.
    virtual std::optional<std::string> FetchText(const std::string& address,
                                                 std::chrono::milliseconds timeout) = 0;
    // Ends a FetchText that is waiting (called from a window event while it waits).
    virtual void AbortFetch() = 0;
    // Starts a GET that delivers the body as it arrives. The time-out ends a transfer during
    // which nothing at all arrives for that long, also before the response has begun.
    virtual std::unique_ptr<Transfer> StartDownload(const std::string& address,
                                                    TransferEvents& events,
                                                    std::chrono::milliseconds timeout) = 0;
};

} // namespace korvo
