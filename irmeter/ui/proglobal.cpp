#include "proglobal.h"

#include <QMutex>
#include <QMutexLocker>

#include <atomic>

namespace {
std::atomic<ProGlobal *> s_instance{nullptr};
QMutex s_instanceMutex;
} // namespace

ProGlobal *ProGlobal::instance()
{
    // Checked before and after taking the lock, so concurrent first calls
    // still create a single instance.
    ProGlobal *p = s_instance.load(std::memory_order_acquire);
    if (!p) {
        QMutexLocker lock(&s_instanceMutex);
        p = s_instance.load(std::memory_order_relaxed);
        if (!p) {
            p = new ProGlobal;
            s_instance.store(p, std::memory_order_release);
        }
    }
    return p;
}
