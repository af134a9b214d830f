// The guard: a spin lock on SharedBlock::Guard that serialises every access to the block by
// every process. A holder stores its process id in the word, so that a waiter can take the
// guard over when the holder's process died inside it (a killed process must not freeze mouse
// input on the whole desktop).
#pragma once

#include <cstdint>

namespace kurvix {

struct GuardPlatform {
    uint32_t (*selfId)();                 // non-zero id of the calling process
    bool (*ownerAlive)(uint32_t ownerId); // whether that process still runs
    void (*relax)();                      // yield the processor during a long wait
};

// How many failed tries pass between two looks at the holder's process.
constexpr uint32_t kSpinsPerOwnerCheck = 1u << 14;

void AcquireGuard(uint32_t& word, const GuardPlatform& platform);
void ReleaseGuard(uint32_t& word);

// Frees the guard if `ownerId` holds it, and only then. For a process that is ending: its other
// threads were stopped wherever they were, perhaps inside the guard, and will never release it.
void ReleaseGuardHeldBy(uint32_t& word, uint32_t ownerId);

class GuardLock {
  public:
    GuardLock(uint32_t& word, const GuardPlatform& platform) : word_(word) {
        AcquireGuard(word_, platform);
    }
    ~GuardLock() { ReleaseGuard(word_); }
    GuardLock(const GuardLock&) = delete;
    GuardLock& operator=(const GuardLock&) = delete;

  private:
    uint32_t& word_;
};

} // namespace kurvix
