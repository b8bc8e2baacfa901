#pragma once
// The exchange of inspection headers with the central server: logs in with the
// connection settings of the options row, receives the scheduled jobs (today's,
// this week's or all) as new or updated inspections, sends chosen inspections'
// header fields back, logs out.
//
// A caller (the "Connect To Server" dialog, the command-line tool) only
// collects the receive mode or none and the inspections to send, then calls
// Connect(). Messages and progress go through the user-interaction port.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "exchange/SyncSocket.h"
#include "exchange/SyncWire.h"

namespace store {
class Options;
}
namespace ui {
class Port;
class Progress;
} // namespace ui

namespace exchange {

enum class ReceiveMode { Today = 0, Week = 1, All = 2 };

struct SyncTimeouts {
    std::chrono::milliseconds connect{15000};
    // For each reply: to begin, and once begun, to be complete; also for each send.
    std::chrono::milliseconds reply{30000};
};

// What one exchange did, for a caller that reports it.
struct SyncOutcome {
    bool connected = false;
    bool loggedIn = false;
    bool cancelled = false;
    int announced = 0; // inspections the server offered
    int added = 0;     // received as new inspections
    int updated = 0;   // received into an inspection with the same Doc #
    int skipped = 0;   // received without a Doc #, not stored
    int sent = 0;      // sent whole
    int confirmed = 0; // of those, confirmed by the server
    std::vector<std::string> notSent; // inspections left out before sending, with the reason
    std::string error; // the message shown for the failure that ended the exchange
};

class ServerExchange {
public:
    explicit ServerExchange(ui::Port& port);
    ServerExchange();
    ~ServerExchange();

    // None: nothing is received.
    void SetReceiveMode(std::optional<ReceiveMode> mode) { m_receiveMode = mode; }
    // The InspectionID values to send, in order.
    void SetInspectionsToSend(std::vector<std::int32_t> ids) { m_toSend = std::move(ids); }
    void SetTimeouts(const SyncTimeouts& timeouts) { m_timeouts = timeouts; }

    // True when the options row names a user, an address and a port; the
    // "Connect To Server" dialog opens the connection options instead when not.
    static bool SettingsComplete(const store::Options& options);

    // Runs the exchange with the first options row's user name, password,
    // address and port. True when everything asked was done; false after a
    // message through the port (or when the user cancelled).
    bool Connect();

    const SyncOutcome& Outcome() const { return m_outcome; }

private:
    struct Outgoing {
        std::int32_t id = 0;
        std::string docNumber;
        std::vector<std::string> values; // Windows-1252, in sending order
    };

    bool PrepareOutgoing(std::vector<Outgoing>& outgoing);
    bool Login(const std::string& user, const std::string& password);
    bool Receive(ui::Progress& progress);
    bool ReceiveOne(int index, int count);
    bool SaveReceived(const wire::Header& header);
    bool Send(ui::Progress& progress, const std::vector<Outgoing>& outgoing);
    void Logout(ui::Progress& progress);

    // Wire steps; each failure sets m_outcome.error (the message is shown at the end).
    bool SendBytes(std::string_view bytes, const std::string& during);
    // A line reply up to its carriage return; one without it waits a moment
    // for its rest only while `couldGrow` says it could still become right.
    bool ReadLine(std::string& reply, const std::string& during, bool (*couldGrow)(std::string_view));
    // A line that must be exactly "CNFM\r".
    bool ReadConfirmation(std::string& reply, const std::string& during);
    bool ReadValue(std::string& value, const std::string& during);
    bool ReadNumber(std::int32_t& value, const std::string& during);
    bool ReadAcknowledgement(std::string& reply, const std::string& during);
    bool Fail(WireStatus status, const std::string& during);
    void SetError(const std::string& reason);

    ui::Port& m_port;
    std::optional<ReceiveMode> m_receiveMode;
    std::vector<std::int32_t> m_toSend;
    SyncTimeouts m_timeouts;
    SyncSocket m_socket;
    SyncOutcome m_outcome;
};

} // namespace exchange
