#include "hosts/SessionGeneration.h"

#include "app/AppSession.h"
#include "ui/Workers.h"

namespace cloud {

std::shared_ptr<SessionGeneration> SessionGeneration::create()
{
    return std::shared_ptr<SessionGeneration>(new SessionGeneration);
}

bool SessionGeneration::current(int generation) const
{
    return !m_closed && generation == m_generation && !Workers::stopping();
}

bool SessionGeneration::running(int generation) const
{
    return current(generation) && !AppSession::instance().sessionStopped();
}

SessionGeneration::LoopScope::LoopScope(SessionGeneration &owner, Loop kind)
    : m_owner(owner), m_kind(kind)
{
    ++m_owner.m_loops[kind];
}

SessionGeneration::LoopScope::~LoopScope()
{
    --m_owner.m_loops[m_kind];
}

} // namespace cloud
