// The server exchange under load, on loopback only.
//
// BM_SyncLoad200Clients starts the sync server in this process and 200
// inspector-cli processes at once, each with data files of its own: each
// receives its 50 scheduled jobs and sends its 10 inspections. Every exchange
// must end with success and the server's store must hold exactly what was
// sent; the counters give the throughput and the slowest exchange.
// BM_SyncOneExchange is the same exchange in-process, one client at a time,
// and BM_PasswordCheck the cost of one login's password check.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <thread>

#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include "PasswordHash.h"
#include "ServerStore.h"
#include "SyncServer.h"
#include "exchange/ServerExchange.h"
#include "store/Database.h"
#include "store/Inspection.h"
#include "store/Options.h"
#include "store/TableRecord.h"
#include "support/ScriptedPort.h"
#include "support/TempDataFiles.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kClients = 200;
constexpr int kJobsEach = 50;
constexpr int kSentEach = 10;
constexpr exchange::wire::Date kToday{2024, 5, 15};
// Password hashing kept cheap here (through the store's own interface) so that
// the figures show the exchange; the production cost of one check is what
// BM_PasswordCheck measures.
constexpr server::PasswordCost kBenchCost = server::kCheapCost;

std::string User(int k) { return "inspector" + std::to_string(k); }
std::string SentDoc(int k, int j) { return "S" + std::to_string(k) + "-" + std::to_string(j); }
std::string JobDoc(int k, int j) { return "J" + std::to_string(k) + "-" + std::to_string(j); }
std::string SentClient(int k, int j) { return "Client " + std::to_string(k) + "/" + std::to_string(j) + " Caf\xC3\xA9"; }
std::string SentComments(int k, int j)
{
    return "Inspected by " + User(k) + ".\r\n\r\nRoof " + std::to_string(j) + " shows wear; gutters loose.";
}

class ServerThread {
public:
    explicit ServerThread(const std::string& storePath)
    {
        server::ServerConfig config;
        config.storePath = storePath;
        config.port = 0;
        config.today = [] { return kToday; };
        config.passwordCost = kBenchCost;
        config.maxPerAddress = kClients; // every client comes from 127.0.0.1
        m_server = std::make_unique<server::SyncServer>(config);
        m_server->listen();
        m_thread = std::thread([this] { m_server->run(); });
    }
    ~ServerThread()
    {
        m_server->stop();
        m_thread.join();
    }
    int port() const { return m_server->port(); }

private:
    std::unique_ptr<server::SyncServer> m_server;
    std::thread m_thread;
};

// Users and their scheduled jobs in a new server store.
void FillServerStore(const std::string& path)
{
    server::ServerStore store(path, kBenchCost);
    std::vector<server::Job> jobs;
    for (int k = 0; k < kClients; ++k) {
        store.addUser(User(k), "pw" + std::to_string(k));
        for (int j = 0; j < kJobsEach; ++j) {
            server::Job job;
            job.inspector = User(k);
            job.header.docNumber = JobDoc(k, j);
            job.header.date = {2024, 5, 1 + j % 28};
            job.header.clientName = "Scheduled client " + std::to_string(j);
            job.header.dwellingAddress = std::to_string(100 + j) + " Lake Street";
            job.header.dwellingCityStateZip = "Minneapolis, MN 55401";
            job.header.docType = "Residential";
            job.header.docTypeId = 25000 + j;
            job.header.comments = "Buyer asks about the basement.";
            jobs.push_back(std::move(job));
        }
    }
    store.putJobs(jobs);
}

// Data files for client `k` (copies of a prepared pair), with its connection
// settings and its inspections to send.
void MakeClientFiles(const fs::path& base, const fs::path& folder, int k, int port)
{
    fs::copy_file(base / "t.cdb", folder / ("t" + std::to_string(k) + ".cdb"));
    fs::copy_file(base / "i.cdb", folder / ("i" + std::to_string(k) + ".cdb"));
    store::Database::Open(store::DatabaseKind::Template, (folder / ("t" + std::to_string(k) + ".cdb")).string());
    store::Database::Open(store::DatabaseKind::Inspection, (folder / ("i" + std::to_string(k) + ".cdb")).string());
    store::Options options;
    options.m_UserName = User(k);
    options.m_Pswrd = "pw" + std::to_string(k);
    options.m_IPAddress = "127.0.0.1";
    options.m_Port = port;
    options.Save();
    store::Transaction transaction(store::DatabaseKind::Inspection);
    for (int j = 0; j < kSentEach; ++j) {
        store::Inspection i;
        i.New();
        i.m_InspectionNum = SentDoc(k, j);
        i.m_ClientName = SentClient(k, j);
        i.m_InspectionComments = SentComments(k, j);
        i.m_DwellingAddress = "7 Pine Avenue";
        i.m_DocType = "Residential";
        i.Save();
    }
    transaction.Commit();
    store::Database::CloseAll();
}

void MakeBaseFiles(const fs::path& base)
{
    fs::create_directories(base);
    store::Database::Open(store::DatabaseKind::Template, (base / "t.cdb").string(), true);
    store::Database::Open(store::DatabaseKind::Inspection, (base / "i.cdb").string(), true);
    store::CreateFullStructure();
    store::Options options;
    options.m_DataVersion = "5.0";
    options.Save();
    store::Database::CloseAll();
}

std::string CliPath()
{
    if (const char* env = std::getenv("INSPECTOR_CLI"))
        return env;
    return (fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "src" / "inspector-cli").string();
}

long long CountRows(const std::string& path, const std::string& sql)
{
    sqlite3* db = nullptr;
    long long n = -1;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            n = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return n;
}

// What must be true after the load: every client got its jobs and the server
// holds exactly the inspections sent. Empty when it is.
std::string CheckResults(const std::string& storePath, const fs::path& folder)
{
    const auto sent = server::ServerStore(storePath).sent(std::nullopt);
    if (sent.size() != static_cast<std::size_t>(kClients * kSentEach))
        return "the server holds " + std::to_string(sent.size()) + " sent inspections";
    std::map<std::string, const server::SentInspection*> byDoc;
    for (const auto& s : sent)
        byDoc[s.header.docNumber] = &s;
    for (int k = 0; k < kClients; ++k) {
        for (int j = 0; j < kSentEach; ++j) {
            const auto it = byDoc.find(SentDoc(k, j));
            if (it == byDoc.end())
                return SentDoc(k, j) + " is missing on the server";
            const auto& h = it->second->header;
            if (h.clientName != SentClient(k, j) || h.comments != SentComments(k, j) || it->second->sentBy != User(k))
                return SentDoc(k, j) + " arrived changed";
        }
        const std::string db = (folder / ("i" + std::to_string(k) + ".cdb")).string();
        const long long got = CountRows(db, "SELECT COUNT(*) FROM Inspection WHERE InspectionNum LIKE 'J" +
                                                std::to_string(k) + "-%'");
        if (got != kJobsEach)
            return "client " + std::to_string(k) + " holds " + std::to_string(got) + " received jobs";
    }
    return {};
}

void BM_SyncLoad200Clients(benchmark::State& state)
{
    testing_support::ScriptedPort quiet; // the setup's messages stay in this process
    const std::string cli = CliPath();
    if (!fs::exists(cli)) {
        state.SkipWithError(("build inspector-cli first (looked for " + cli + ")").c_str());
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        testing_support::TempFolder folder;
        const std::string storePath = folder.File("server.db");
        FillServerStore(storePath);
        ServerThread server(storePath);
        MakeBaseFiles(folder.Path() / "base");
        for (int k = 0; k < kClients; ++k)
            MakeClientFiles(folder.Path() / "base", folder.Path(), k, server.port());
        state.ResumeTiming();

        const auto start = Clock::now();
        std::map<pid_t, std::pair<int, Clock::time_point>> running;
        for (int k = 0; k < kClients; ++k) {
            std::vector<std::string> args = {cli, "sync", "--receive", "all", "--send"};
            for (int j = 0; j < kSentEach; ++j)
                args.push_back(SentDoc(k, j));
            args.insert(args.end(), {"--template", folder.File("t" + std::to_string(k) + ".cdb"), "--inspection",
                                     folder.File("i" + std::to_string(k) + ".cdb")});
            std::vector<char*> argv;
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            const std::string out = folder.File("client" + std::to_string(k) + ".out");
            posix_spawn_file_actions_t actions;
            posix_spawn_file_actions_init(&actions);
            posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            posix_spawn_file_actions_adddup2(&actions, 1, 2);
            pid_t pid = -1;
            if (posix_spawn(&pid, cli.c_str(), &actions, nullptr, argv.data(), environ) == 0)
                running[pid] = {k, Clock::now()};
            posix_spawn_file_actions_destroy(&actions);
        }
        std::vector<double> seconds;
        int failed = kClients - static_cast<int>(running.size());
        while (!running.empty()) {
            int status = 0;
            const pid_t pid = ::waitpid(-1, &status, 0);
            if (pid < 0)
                break;
            const auto it = running.find(pid);
            if (it == running.end())
                continue;
            seconds.push_back(std::chrono::duration<double>(Clock::now() - it->second.second).count());
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
                ++failed;
            running.erase(it);
        }
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();

        state.PauseTiming();
        if (failed > 0) {
            state.SkipWithError((std::to_string(failed) + " of 200 exchanges failed; see client*.out").c_str());
            return;
        }
        if (const std::string problem = CheckResults(storePath, folder.Path()); !problem.empty()) {
            state.SkipWithError(problem.c_str());
            return;
        }
        std::sort(seconds.begin(), seconds.end());
        state.counters["exchanges_per_s"] = kClients / wall;
        state.counters["inspections_per_s"] = kClients * (kJobsEach + kSentEach) / wall;
        state.counters["slowest_exchange_ms"] = seconds.back() * 1000;
        state.counters["median_exchange_ms"] = seconds[seconds.size() / 2] * 1000;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SyncLoad200Clients)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// One client's exchange of the same size in this process: the cost without
// process start-up and without other clients.
void BM_SyncOneExchange(benchmark::State& state)
{
    testing_support::ScriptedPort quiet;
    testing_support::TempFolder folder;
    const std::string storePath = folder.File("server.db");
    {
        server::ServerStore store(storePath, kBenchCost);
        store.addUser(User(0), "pw0");
        std::vector<server::Job> jobs;
        for (int j = 0; j < kJobsEach; ++j) {
            server::Job job;
            job.header.docNumber = JobDoc(0, j);
            job.header.date = kToday;
            job.header.clientName = "Scheduled client";
            jobs.push_back(job);
        }
        store.putJobs(jobs);
    }
    ServerThread server(storePath);
    MakeBaseFiles(folder.Path() / "base");
    MakeClientFiles(folder.Path() / "base", folder.Path(), 0, server.port());
    store::Database::Open(store::DatabaseKind::Template, folder.File("t0.cdb"));
    store::Database::Open(store::DatabaseKind::Inspection, folder.File("i0.cdb"));
    std::vector<std::int32_t> ids;
    {
        store::Inspection i;
        i.OpenSql("SELECT * FROM Inspection WHERE InspectionNum LIKE \"S0-%\"");
        for (int r = 0; r < i.GetCount(); ++r) {
            i.Read(r);
            ids.push_back(i.m_InspectionID);
        }
    }
    for (auto _ : state) {
        exchange::ServerExchange sync(quiet);
        sync.SetReceiveMode(exchange::ReceiveMode::All);
        sync.SetInspectionsToSend(ids);
        if (!sync.Connect()) {
            state.SkipWithError(sync.Outcome().error.c_str());
            break;
        }
    }
    store::Database::CloseAll();
    state.counters["inspections_per_s"] =
        benchmark::Counter(static_cast<double>(kJobsEach + kSentEach), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_SyncOneExchange)->Unit(benchmark::kMillisecond)->UseRealTime();

// The natural limit of BM_SyncOneExchange: the protocol is lock-step, one
// reply per command, so one exchange needs 2 (login) + 1 + 50 * 13 (receive)
// + 1 + 10 * 12 (send) round trips. Here the same number of one-line
// round trips between two threads over loopback, with nothing else done.
void BM_LoopbackRoundTrips(benchmark::State& state)
{
    constexpr int kRoundTrips = 2 + 1 + kJobsEach * 13 + 1 + kSentEach * 12;
    // A peer on loopback that confirms every line.
    const int lfd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ::bind(lfd, reinterpret_cast<sockaddr*>(&addr), len);
    ::listen(lfd, 1);
    ::getsockname(lfd, reinterpret_cast<sockaddr*>(&addr), &len);
    std::thread echo([lfd] {
        exchange::SyncSocket peer(::accept(lfd, nullptr, nullptr));
        std::string line;
        while (peer.readUntil("\r", line, std::chrono::seconds(10), std::chrono::seconds(10), 4096) ==
               exchange::WireStatus::Ok)
            peer.sendAll("CNFM\r", std::chrono::seconds(10));
    });
    exchange::SyncSocket client;
    client.connect("127.0.0.1", ntohs(addr.sin_port), std::chrono::seconds(5));
    std::string reply;
    for (auto _ : state)
        for (int i = 0; i < kRoundTrips; ++i) {
            client.sendAll("FELD\r", std::chrono::seconds(10));
            client.readUntil("\r", reply, std::chrono::seconds(10), std::chrono::seconds(10), 4096);
        }
    client.close();
    echo.join();
    ::close(lfd);
    state.counters["round_trips"] = kRoundTrips;
}
BENCHMARK(BM_LoopbackRoundTrips)->Unit(benchmark::kMillisecond)->UseRealTime();

// One login's password check: Argon2id at the cost new hashes get, at the
// benchmarks' cheap cost, and an old PBKDF2 hash (60,000 rounds) verified
// until its user's next login replaces it.
void BM_PasswordCheck(benchmark::State& state)
{
    const std::string stored =
        state.range(0) == 0 ? server::HashPassword("correct horse", server::kDefaultCost)
        : state.range(0) == 1
            ? server::HashPassword("correct horse", server::kCheapCost)
            : "pbkdf2-sha256$60000$" + server::ToHex("0123456789abcdef") + "$" +
                  server::ToHex(server::Pbkdf2Sha256("correct horse", "0123456789abcdef", 60000, 32));
    for (auto _ : state)
        benchmark::DoNotOptimize(server::VerifyPassword("correct horse", stored));
    state.SetLabel(state.range(0) == 0 ? "argon2id 2 passes 64 MiB" : state.range(0) == 1 ? "argon2id cheap" : "pbkdf2 60000");
}
BENCHMARK(BM_PasswordCheck)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
