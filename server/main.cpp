#include "ServiceApp.h"
#include "ServiceOptions.h"

#include <csignal>
#include <cstdio>
#include <pthread.h>

using refservice::ServiceApp;
using refservice::ServiceOptions;

int main(int argc, char **argv)
{
    ServiceOptions options;
    std::string error;
    bool help = false;
    if (!ServiceOptions::parse(std::vector<std::string>(argv + 1, argv + argc), options, error,
                               help)) {
        std::fprintf(stderr, "refservice: %s\n%s", error.c_str(), ServiceOptions::usage().c_str());
        return 2;
    }
    if (help) {
        std::fputs(ServiceOptions::usage().c_str(), stdout);
        return 0;
    }

    // The signals are taken by this thread alone (sigwait); the serving threads inherit the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    ServiceApp app(options);
    if (!app.start(error)) {
        std::fprintf(stderr, "refservice: %s\n", error.c_str());
        return 1;
    }
    std::fprintf(stderr, "refservice: listening on http://%s:%d (database %s)\n",
                 options.listenHost.c_str(), app.port(), options.dbPath.c_str());

    int signal = 0;
    sigwait(&stopSignals, &signal);
    std::fprintf(stderr, "refservice: stopping\n");
    app.stop();
    return 0;
}
