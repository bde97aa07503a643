#pragma once

#include <chrono>
#include <memory>

namespace cloud {

// Every pause and random delay of the flows goes through the one installed Pacing,
// so that tests run the real flows without waiting. Pauses are taken on worker
// threads, never on the GUI thread.
class Pacing
{
public:
    virtual ~Pacing() = default;

    // Waits `ms` milliseconds, or less when the program is shutting down.
    virtual void pause(std::chrono::milliseconds ms) = 0;
    // A uniformly drawn whole number in [low, high].
    virtual int randomBetween(int low, int high) = 0;

    // The random pause before an outcome: 300–1300 ms after a success, 500–3000 ms after a failure.
    void randomPause(int lowMs, int highMs);
    void outcomePause(bool success);

    // Wakes every pause now and makes later pauses return at once (used when the program ends).
    virtual void interrupt() = 0;

    static Pacing &instance();
    // Installs `pacing` as the process-wide instance; nullptr restores the real one.
    static void install(std::shared_ptr<Pacing> pacing);
};

// Waits for real, on a condition variable so that interrupt() ends a pause at once.
std::shared_ptr<Pacing> makeRealPacing();

// Waits not at all; records the total requested time. For tests.
class InstantPacing : public Pacing
{
public:
    void pause(std::chrono::milliseconds ms) override;
    int randomBetween(int low, int high) override;
    void interrupt() override {}
    std::chrono::milliseconds total() const;

private:
    std::chrono::milliseconds m_total{0};
};

} // namespace cloud
