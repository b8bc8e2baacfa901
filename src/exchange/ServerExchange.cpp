#include "exchange/ServerExchange.h"

#include <algorithm>

#include "store/Database.h"
#include "store/DateTime.h"
#include "store/Inspection.h"
#include "store/Options.h"
#include "text/Windows1252.h"
#include "ui/Port.h"

namespace exchange {
namespace {

constexpr const char* kErrorPrefix = "ERROR:\r\r";
constexpr const char* kTitle = "Connection to Server";
// QUIT needs no answer; it should not hold the user up when the server is gone.
constexpr std::chrono::milliseconds kQuitTimeout{2000};

// The sent values as the user knows them, in sending order.
constexpr const char* kSentFieldNames[wire::kSentFieldCount] = {
    "Doc #",          "Dwelling Address",        "Client Name",    "Agent Name",
    "Picture Folder", "Inspection Comments",     "Doc Type",       "Dwelling City, State Zip",
    "Client Address", "Client City, State Zip",  "Real Estate Company"};

std::string Lines(const std::vector<std::string>& items)
{
    std::string out;
    for (const auto& item : items)
        out += "\r\n" + item;
    return out;
}

} // namespace

ServerExchange::ServerExchange(ui::Port& port) : m_port(port) {}
ServerExchange::ServerExchange() : m_port(ui::CurrentPort()) {}
ServerExchange::~ServerExchange() = default;

void ServerExchange::SetError(const std::string& reason)
{
    if (m_outcome.error.empty())
        m_outcome.error = kErrorPrefix + reason;
}

bool ServerExchange::Fail(WireStatus status, const std::string& during)
{
    std::string reason;
    switch (status) {
    case WireStatus::TimedOut: reason = "The server did not answer in time"; break;
    case WireStatus::Closed: reason = "The server closed the connection"; break;
    case WireStatus::TooLong: reason = "The server's reply is longer than any the exchange expects"; break;
    default: reason = "The connection to the server failed"; break;
    }
    SetError(reason + " (" + during + ").");
    return false;
}

bool ServerExchange::SendBytes(std::string_view bytes, const std::string& during)
{
    if (bytes.size() > wire::kMaxMessageBytes) {
        SetError("A message of " + std::to_string(bytes.size()) + " bytes is longer than the server can take (" +
                 during + ").");
        return false;
    }
    const WireStatus s = m_socket.sendAll(bytes, m_timeouts.reply);
    return s == WireStatus::Ok || Fail(s, during);
}

bool ServerExchange::ReadLine(std::string& reply, const std::string& during, bool (*couldGrow)(std::string_view))
{
    const WireStatus s = m_socket.receiveAvailable(m_timeouts.reply, wire::kMaxLineBytes);
    if (s != WireStatus::Ok)
        return Fail(s, during);
    for (;;) {
        const std::string_view got = m_socket.pending();
        if (const std::size_t end = got.find(wire::kEndOfLine); end != std::string_view::npos) {
            reply = m_socket.takePending(end + 1); // what follows waits for the next read
            return true;
        }
        if (got.size() >= wire::kMaxLineBytes) {
            reply = m_socket.takePending(got.size());
            return Fail(WireStatus::TooLong, during);
        }
        // Without its carriage return the reply is judged as it stands, unless
        // it could still become what is expected and its rest comes at once.
        if (!couldGrow(got) ||
            m_socket.receiveMore(wire::kSplitWait, wire::kMaxLineBytes) != WireStatus::Ok) {
            reply = m_socket.takePending(m_socket.buffered());
            return true;
        }
    }
}

bool ServerExchange::ReadConfirmation(std::string& reply, const std::string& during)
{
    return ReadLine(reply, during, [](std::string_view got) { return wire::CouldBecome(got, wire::kConfirm); });
}

bool ServerExchange::ReadAcknowledgement(std::string& reply, const std::string& during)
{
    // Whatever the server answers to a value is read and not examined.
    const WireStatus s = m_socket.receiveAvailable(m_timeouts.reply, wire::kMaxLineBytes);
    if (s != WireStatus::Ok)
        return Fail(s, during);
    reply = m_socket.takePending(m_socket.buffered());
    return true;
}

bool ServerExchange::ReadValue(std::string& value, const std::string& during)
{
    constexpr std::size_t kLimit = wire::kMaxValueBytes + 1; // the value and an old-style 0x04
    WireStatus s = m_socket.receiveAvailable(m_timeouts.reply, kLimit);
    if (s != WireStatus::Ok)
        return Fail(s, during);
    // A long value may come in more than one segment; its rest follows at once.
    while (m_socket.buffered() >= wire::kLongValueBytes && m_socket.buffered() < kLimit &&
           m_socket.pending().back() != wire::kEndOfValue &&
           m_socket.receiveMore(wire::kSplitWait, kLimit) == WireStatus::Ok) {
    }
    const std::string reply = m_socket.takePending(m_socket.buffered());
    if (wire::ValueOfReply(reply).size() > wire::kMaxValueBytes)
        return Fail(WireStatus::TooLong, during);
    value = text::FromWindows1252(wire::ValueOfReply(reply));
    return true;
}

bool ServerExchange::ReadNumber(std::int32_t& value, const std::string& during)
{
    std::string bytes;
    const WireStatus s = m_socket.readExact(4, bytes, m_timeouts.reply);
    if (s != WireStatus::Ok)
        return Fail(s, during);
    value = wire::DecodeInt32(bytes);
    return true;
}

bool ServerExchange::SettingsComplete(const store::Options& options)
{
    return !options.m_UserName.empty() && !options.m_IPAddress.empty() && options.m_Port > 0 &&
           options.m_Port <= 65535;
}

bool ServerExchange::Connect()
{
    m_outcome = SyncOutcome{};

    store::Options options;
    const std::string host = options.m_IPAddress;
    const int port = options.m_Port;
    const std::string user = text::ToWindows1252(options.m_UserName);
    const std::string password = text::ToWindows1252(options.m_Pswrd);
    if (!SettingsComplete(options)) {
        SetError("The connection options are not set: a user name, an IP address and a port are needed.");
        m_port.inform(m_outcome.error);
        return false;
    }
    static constexpr char kLineBreakers[] = {wire::kEndOfLine, wire::kEndOfValue};
    if ((user + password).find_first_of(std::string_view(kLineBreakers, 2)) != std::string::npos) {
        SetError("The user name or password holds a control character that cannot be sent.");
        m_port.inform(m_outcome.error);
        return false;
    }

    std::vector<Outgoing> outgoing;
    const bool allSendable = PrepareOutgoing(outgoing);

    const SyncSocket::ConnectResult connected = m_socket.connect(host, port, m_timeouts.connect);
    if (connected.status != WireStatus::Ok) {
        if (connected.unknownHost)
            SetError("The server address \"" + host + "\" cannot be found (" + connected.detail + ").");
        else if (connected.refused)
            SetError("Connection refused: no server answers at " + host + " port " + std::to_string(port) + ".");
        else if (connected.status == WireStatus::TimedOut)
            SetError("Connection timed out.");
        else
            SetError("Cannot connect to " + host + " port " + std::to_string(port) + " (" + connected.detail + ").");
        m_port.inform(m_outcome.error);
        return false;
    }
    m_outcome.connected = true;

    auto progress = m_port.progress();
    progress->setRange(0, 100);
    progress->setTitle(kTitle);
    progress->setStatus("Logging in...");
    progress->setPosition(0);

    bool done = Login(user, password);
    if (done && m_receiveMode)
        done = Receive(*progress);
    if (done && !outgoing.empty())
        done = Send(*progress, outgoing);
    Logout(*progress);

    if (!m_outcome.error.empty())
        m_port.inform(m_outcome.error);
    return done && allSendable && !m_outcome.cancelled && m_outcome.error.empty();
}

bool ServerExchange::PrepareOutgoing(std::vector<Outgoing>& outgoing)
{
    std::vector<std::string> warnings;
    for (const std::int32_t id : m_toSend) {
        store::Inspection inspection;
        if (!inspection.OpenByID(id) || inspection.GetCount() == 0) {
            m_outcome.notSent.push_back("InspectionID " + std::to_string(id) + ": there is no such inspection");
            continue;
        }
        inspection.Read(0);
        if (inspection.m_InspectionNum.empty()) {
            m_outcome.notSent.push_back("InspectionID " + std::to_string(id) + " (" + inspection.m_ClientName +
                                        "): it has no Doc #");
            continue;
        }
        wire::Header h;
        h.docNumber = inspection.m_InspectionNum;
        h.dwellingAddress = inspection.m_DwellingAddress;
        h.clientName = inspection.m_ClientName;
        h.agentName = inspection.m_AgentName;
        h.string4 = inspection.m_String4;
        h.comments = inspection.m_InspectionComments;
        h.docType = inspection.m_DocType;
        h.dwellingCityStateZip = inspection.m_DwellingCityStateZip;
        h.clientAddress = inspection.m_ClientAddress;
        h.clientCityStateZip = inspection.m_ClientCityStateZip;
        h.realEstateCompany = inspection.m_RealEstateCompany;

        Outgoing out{id, h.docNumber, {}};
        std::string problem;
        int replaced = 0;
        for (int n = 0; n < wire::kSentFieldCount && problem.empty(); ++n) {
            int r = 0;
            std::string value = text::ToWindows1252(*wire::SentField(h, n), &r);
            replaced += r;
            if (auto p = wire::ValueProblem(value))
                problem = *p;
            if (value.size() > wire::kMaxSentValueBytes) {
                warnings.push_back("Doc # " + h.docNumber + ", " + kSentFieldNames[n] + ": " +
                                   std::to_string(value.size()) + " characters, more than one message carries; "
                                   "only the first " + std::to_string(wire::kMaxSentValueBytes) + " are sent");
                value.resize(wire::kMaxSentValueBytes);
            }
            out.values.push_back(std::move(value));
        }
        if (!problem.empty()) {
            m_outcome.notSent.push_back("Doc # " + h.docNumber + ": a field cannot be sent, " + problem);
            continue;
        }
        if (replaced > 0)
            warnings.push_back("Doc # " + h.docNumber + ": " + std::to_string(replaced) +
                               " characters have no Windows-1252 form and are sent as \"?\"");
        outgoing.push_back(std::move(out));
    }
    if (!m_outcome.notSent.empty())
        m_port.inform("These inspections are not sent:" + Lines(m_outcome.notSent));
    if (!warnings.empty())
        m_port.inform("Some text is changed on the way to the server:" + Lines(warnings));
    return m_outcome.notSent.empty();
}

bool ServerExchange::Login(const std::string& user, const std::string& password)
{
    std::string reply;
    if (!SendBytes(std::string(wire::kUser) + user + wire::kEndOfLine, "logging in") ||
        !ReadConfirmation(reply, "logging in"))
        return false;
    if (reply != wire::kConfirm) {
        SetError("The server refused the user name.");
        return false;
    }
    if (!SendBytes(std::string(wire::kPass) + password + wire::kEndOfLine, "logging in") ||
        !ReadConfirmation(reply, "logging in"))
        return false;
    if (reply != wire::kConfirm) {
        SetError("The server refused the user name or password.");
        return false;
    }
    m_outcome.loggedIn = true;
    return true;
}

bool ServerExchange::Receive(ui::Progress& progress)
{
    const std::string request = std::string(wire::kReceive) +
                                std::string(wire::kReceiveModes[static_cast<int>(*m_receiveMode)]) +
                                wire::kEndOfLine;
    std::string reply;
    if (!SendBytes(request, "asking for inspections") ||
        !ReadLine(reply, "asking for inspections", wire::CountCouldGrow))
        return false;
    const std::optional<int> count = wire::ParseCount(reply);
    if (!count) {
        if (reply.starts_with(wire::kCount)) {
            SetError("The server's count of inspections could not be understood.");
            return false;
        }
        return true; // nothing offered
    }
    m_outcome.announced = *count;
    for (int i = 0; i < *count; ++i) {
        if (progress.cancelled()) {
            m_outcome.cancelled = true;
            return false;
        }
        progress.setPosition(50 * i / *count);
        progress.setStatus("Receiving Inspections...");
        if (!ReceiveOne(i, *count))
            return false;
    }
    return true;
}

bool ServerExchange::ReceiveOne(int index, int count)
{
    const std::string during = "receiving inspection " + std::to_string(index + 1) + " of " +
                               std::to_string(count) +
                               (index > 0 ? "; the inspections before it are saved" : "");
    wire::Header h;
    if (!SendBytes(wire::kNextInspection, during) || !ReadValue(h.docNumber, during))
        return false;
    std::string dateText;
    for (int n = 1; n <= wire::kReceivedFieldCount; ++n) {
        if (!SendBytes(wire::kNextField, during))
            return false;
        if (n == wire::kDocTypeIdField) {
            if (!ReadNumber(h.docTypeId, during))
                return false;
            continue;
        }
        std::string* target = n == wire::kReceivedFieldCount ? &dateText : wire::ReceivedTextField(h, n);
        if (!ReadValue(*target, during))
            return false;
    }
    h.date = wire::ParseDate(dateText);
    if (h.docNumber.empty()) {
        ++m_outcome.skipped; // no Doc # to find it by again: it would come back as a new copy each time
        return true;
    }
    return SaveReceived(h);
}

bool ServerExchange::SaveReceived(const wire::Header& h)
{
    store::Transaction transaction(store::DatabaseKind::Inspection);
    store::Inspection inspection;
    if (!inspection.OpenSql("SELECT * FROM Inspection WHERE InspectionNum = \"%s\"", {h.docNumber})) {
        SetError("The inspection " + h.docNumber + " could not be looked up.");
        return false;
    }
    const bool exists = inspection.GetCount() > 0;
    if (exists)
        inspection.Read(0);
    else
        inspection.New();
    inspection.m_InspectionNum = h.docNumber;
    inspection.m_DwellingAddress = h.dwellingAddress;
    inspection.m_ClientName = h.clientName;
    inspection.m_AgentName = h.agentName;
    inspection.m_String4 = h.string4;
    inspection.m_InspectionComments = h.comments;
    inspection.m_DocType = h.docType;
    inspection.m_DwellingCityStateZip = h.dwellingCityStateZip;
    inspection.m_ClientAddress = h.clientAddress;
    inspection.m_ClientCityStateZip = h.clientCityStateZip;
    inspection.m_DocTypeID = h.docTypeId;
    inspection.m_RealEstateCompany = h.realEstateCompany;
    inspection.m_InspectionDate = store::DateTime::Make(h.date.year, h.date.month, h.date.day);
    if (!inspection.Save() || !transaction.Commit()) {
        SetError("The inspection " + h.docNumber + " could not be saved.");
        return false;
    }
    ++(exists ? m_outcome.updated : m_outcome.added);
    return true;
}

bool ServerExchange::Send(ui::Progress& progress, const std::vector<Outgoing>& outgoing)
{
    const int n = static_cast<int>(outgoing.size());
    std::string reply;
    if (!SendBytes(std::string(wire::kSend) + std::to_string(n) + wire::kEndOfLine, "sending inspections") ||
        !ReadConfirmation(reply, "sending inspections"))
        return false;
    if (reply != wire::kConfirm) {
        SetError("The server refused to take the inspections; none was sent.");
        return false;
    }
    std::vector<std::string> unconfirmed;
    for (int i = 0; i < n; ++i) {
        if (progress.cancelled()) {
            // The server keeps nothing of an inspection it did not get whole,
            // so stopping between two inspections loses nothing already sent.
            m_outcome.cancelled = true;
            return false;
        }
        progress.setPosition(50 + 50 * i / n);
        progress.setStatus("Sending Inspections...");
        const Outgoing& one = outgoing[i];
        const std::string during = "sending inspection " + one.docNumber;
        for (const std::string& value : one.values) {
            if (!SendBytes(value + wire::kEndOfValue, during) || !ReadAcknowledgement(reply, during))
                return false;
        }
        if (!SendBytes(wire::kDone, during) || !ReadAcknowledgement(reply, during))
            return false;
        ++m_outcome.sent;
        // Not examined but for our own server's explicit refusal: it could not store the inspection.
        if (!reply.starts_with(wire::kDeny.substr(0, 4)))
            ++m_outcome.confirmed;
        else
            unconfirmed.push_back("Doc # " + one.docNumber);
    }
    if (!unconfirmed.empty()) {
        SetError("The server did not confirm that it stored these inspections:" + Lines(unconfirmed));
        return false;
    }
    return true;
}

void ServerExchange::Logout(ui::Progress& progress)
{
    progress.setPosition(100);
    progress.setStatus("Logging Out...");
    // Best effort: the server may be gone already, and nothing is read back.
    (void)m_socket.sendAll(wire::kQuit, std::min(kQuitTimeout, m_timeouts.reply));
    m_socket.close();
}

} // namespace exchange
