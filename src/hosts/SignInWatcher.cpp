#include "hosts/SignInWatcher.h"

#include "app/AppSession.h"
#include "app/Pacing.h"
#include "hosts/SessionGeneration.h"
#include "ui/Workers.h"

namespace cloud {

void SignInWatcher::start(std::shared_ptr<SessionGeneration> generation,
                          std::function<void()> initialise)
{
    Workers::start([generation = std::move(generation), initialise = std::move(initialise)] {
        SessionGeneration::LoopScope scope(*generation, SessionGeneration::Watcher);
        while (!generation->closed() && !Workers::stopping()) {
            if (AppSession::instance().signedInFlag())
                initialise();
            Pacing::instance().pause(std::chrono::seconds(1));
        }
    });
}

} // namespace cloud
