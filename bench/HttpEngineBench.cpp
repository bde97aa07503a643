// Cost of one fetchPage round trip on loopback: a fresh connection per call, a small
// reply, the shared cookie store in use. Run alone and from four threads at once; the
// store must not make the threads wait for each other's whole exchanges.
#include "net/HttpEngine.h"

#include <benchmark/benchmark.h>
#include <httplib.h>

#include <thread>

namespace {

class LoopbackService
{
public:
    LoopbackService()
    {
        m_server.Get("/bench", [](const httplib::Request &, httplib::Response &res) {
            res.set_header("Set-Cookie", "sid=bench; Path=/");
            res.set_content(R"({"status":200,"data":{"username":"bench"}})", "application/json");
        });
        // One request per connection, as the engine opens a new one for every call.
        m_server.set_keep_alive_max_count(1);
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
    }
    ~LoopbackService()
    {
        m_server.stop();
        m_thread.join();
    }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(m_port) + "/bench"; }

private:
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
};

LoopbackService &service()
{
    static LoopbackService instance;
    return instance;
}

void BM_FetchPage(benchmark::State &state)
{
    const std::string url = service().url();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string body = cloud::HttpEngine::fetchPage(url);
        if (body.empty()) {
            state.SkipWithError("empty reply");
            break;
        }
        bytes += body.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_FetchPage)->UseRealTime()->Threads(1)->Threads(4);

} // namespace

BENCHMARK_MAIN();
