#include "remote/XfreerdpLauncher.h"

#include "platform/ChildProcess.h"
#include "ui/Workers.h"

namespace cloud {

LaunchOutcome XfreerdpLauncher::run(const LaunchRequest &request)
{
    ChildProcess child = ChildProcess::start(kProgram, request.arguments, request.standardInput);
    if (!child.started()) {
        return {child.error() == ChildProcess::StartError::NotFound
                    ? LaunchOutcome::Kind::NotFound
                    : LaunchOutcome::Kind::StartFailed,
                0};
    }
    while (!Workers::stopping()) {
        const std::optional<ChildProcess::Exit> exit =
            child.waitFor(std::chrono::milliseconds(200));
        if (!exit)
            continue;
        switch (exit->kind) {
        case ChildProcess::Exit::Kind::Exited:
            return {LaunchOutcome::Kind::Exited, exit->code};
        case ChildProcess::Exit::Kind::Signalled:
            return {LaunchOutcome::Kind::Signalled, exit->code};
        case ChildProcess::Exit::Kind::Lost:
            return {LaunchOutcome::Kind::Abandoned, 0};
        }
    }
    return {LaunchOutcome::Kind::Abandoned, 0};
}

} // namespace cloud
