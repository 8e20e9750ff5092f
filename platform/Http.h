#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvo {

// The states a transfer reports.
enum class TransferState {
    ResponseReceived, // the status and the headers are in; the body follows
    RequestFailed,
    ResponseCompleted, // the whole body has been delivered
};

// What a streaming GET tells its receiver, on the window thread.
class TransferEvents {
public:
    virtual ~TransferEvents() = default;
    virtual void StateChanged(TransferState state) = 0;
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
    // Why the transfer failed, for a person, when the client knows better than "it failed".
    virtual std::string FailureReason() const { return {}; }
};

// A text on its way. Destroying it aborts the fetch: its receiver is not called afterwards.
class Fetch {
public:
    virtual ~Fetch() = default;
};

// A request header: name and value, one line of plain ASCII.
struct Header {
    std::string name;
    std::string value;
};

// HTTP GET as the launcher uses it. The client outlives the fetches and transfers it starts.
class HttpClient {
public:
    // The whole body of a small text, or nothing when the request fails, takes longer than the
    // time-out or answers with a status other than 2xx.
    using FetchDone = std::function<void(std::optional<std::string> text)>;

    virtual ~HttpClient() = default;
    // Starts fetching a small text. `done` is called once, from the event loop and never from
    // inside FetchText, unless the fetch is destroyed first; it may destroy the fetch.
    virtual std::unique_ptr<Fetch> FetchText(const std::string& address,
                                             std::chrono::milliseconds timeout, FetchDone done) = 0;
    // Starts a GET, with the given headers, that delivers the body as it arrives. The body comes
    // as the server stores it (Accept-Encoding: identity), so that sizes and ranges count its
    // bytes. The time-out ends a transfer during which nothing at all arrives for that long,
    // also before the response has begun.
    virtual std::unique_ptr<Transfer> StartDownload(const std::string& address,
                                                    const std::vector<Header>& headers,
                                                    TransferEvents& events,
                                                    std::chrono::milliseconds timeout) = 0;
};

} // namespace korvo
