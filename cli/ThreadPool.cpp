#include "cli/ThreadPool.h"

#include <algorithm>

namespace swatchbox::cli {

unsigned DefaultJobCount() {
    // 0 when the system can't tell.
    return std::max(1u, std::thread::hardware_concurrency());
}

TThreadPool::TThreadPool(unsigned Threads) {
    try {
        for (unsigned Index = 0; Index < std::max(1u, Threads); ++Index)
            Workers.emplace_back([this] { Work(); });
    } catch (...) {
        // The system made fewer threads than asked: those made stop again.
        Stop();
        throw;
    }
}

TThreadPool::~TThreadPool() {
    Stop();
}

void TThreadPool::Stop() {
    {
        const std::lock_guard Guard(Lock);
        Stopping = true;
    }
    Wake.notify_all();
    for (std::thread& Worker : Workers)
        Worker.join();
}

void TThreadPool::Enqueue(std::function<void()> Job) {
    {
        const std::lock_guard Guard(Lock);
        Queue.push_back(std::move(Job));
    }
    Wake.notify_one();
}

void TThreadPool::Work() {
    for (;;) {
        std::function<void()> Job;
        {
            std::unique_lock Guard(Lock);
            Wake.wait(Guard, [this] { return Stopping || !Queue.empty(); });
            if (Queue.empty())
                return;
            Job = std::move(Queue.front());
            Queue.pop_front();
        }
        Job();
    }
}

} // namespace swatchbox::cli
