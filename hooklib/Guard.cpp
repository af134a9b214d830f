#include "Guard.h"

namespace kurvix {

namespace {

bool TryExchange(uint32_t& word, uint32_t& expected, uint32_t desired) {
    return __atomic_compare_exchange_n(&word, &expected, desired, false, __ATOMIC_ACQUIRE,
                                       __ATOMIC_RELAXED);
}

} // namespace

void AcquireGuard(uint32_t& word, const GuardPlatform& platform) {
    const uint32_t self = platform.selfId();
    for (uint32_t spins = 1;; ++spins) {
        uint32_t holder = 0;
        if (TryExchange(word, holder, self))
            return;
        if (spins % kSpinsPerOwnerCheck != 0) {
            __builtin_ia32_pause();
            continue;
        }
        // A holder in another process that no longer runs will never release: take over
        // from exactly that holder (one waiter wins the exchange).
        if (holder != self && !platform.ownerAlive(holder) && TryExchange(word, holder, self))
            return;
        platform.relax();
    }
}

void ReleaseGuard(uint32_t& word) { __atomic_store_n(&word, 0u, __ATOMIC_RELEASE); }

void ReleaseGuardHeldBy(uint32_t& word, uint32_t ownerId) {
    uint32_t holder = ownerId;
    __atomic_compare_exchange_n(&word, &holder, 0u, false, __ATOMIC_RELEASE, __ATOMIC_RELAXED);
}

} // namespace kurvix
