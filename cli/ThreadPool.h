#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <type_traits>
#include <vector>

namespace swatchbox::cli {

// The number of threads to use when the user names none: one per core.
unsigned DefaultJobCount();

// A fixed set of worker threads that take jobs in the order they were
// submitted. The destructor lets the queued jobs finish, then joins.
class TThreadPool {
public:
    explicit TThreadPool(unsigned Threads);
    ~TThreadPool();
    TThreadPool(const TThreadPool&) = delete;
    TThreadPool& operator=(const TThreadPool&) = delete;

    // The job's result, or the exception it threw, arrives through the future.
    template <class TJob>
    std::future<std::invoke_result_t<TJob>> Submit(TJob Job) {
        auto Task =
            std::make_shared<std::packaged_task<std::invoke_result_t<TJob>()>>(std::move(Job));
        auto Result = Task->get_future();
        Enqueue([Task] { (*Task)(); });
        return Result;
    }

    std::size_t Size() const { return Workers.size(); }

private:
    void Enqueue(std::function<void()> Job);
    void Work();
    void Stop();

    std::mutex Lock;
    std::condition_variable Wake;
    std::deque<std::function<void()>> Queue;
    bool Stopping = false;
    std::vector<std::thread> Workers;
};

// Runs jobs on a pool and hands their results to Deliver on the calling
// thread in the order they were submitted, with at most four jobs a thread
// submitted and not yet delivered: memory stays bounded, a slow job holds up
// no thread, and what is printed and written does not depend on the number
// of threads.
template <class TResult>
class TOrderedJobs {
public:
    TOrderedJobs(TThreadPool& Pool, std::function<void(TResult&)> Deliver)
        : Pool(Pool), Window(4 * Pool.Size()), Deliver(std::move(Deliver)) {}
    ~TOrderedJobs() {
        // Jobs still under way refer to what their submitter owns: wait for
        // them also when the submitter leaves early through an exception.
        for (auto& Pending : InFlight)
            Pending.wait();
    }
    TOrderedJobs(const TOrderedJobs&) = delete;
    TOrderedJobs& operator=(const TOrderedJobs&) = delete;

    void Submit(std::function<TResult()> Job) {
        while (InFlight.size() >= Window)
            DeliverOldest();
        InFlight.push_back(Pool.Submit(std::move(Job)));
    }

    // Delivers every job submitted so far.
    void Finish() {
        while (!InFlight.empty())
            DeliverOldest();
    }

private:
    void DeliverOldest() {
        std::future<TResult> Oldest = std::move(InFlight.front());
        InFlight.pop_front();
        TResult Result = Oldest.get();
        Deliver(Result);
    }

    TThreadPool& Pool;
    std::size_t Window;
    std::function<void(TResult&)> Deliver;
    std::deque<std::future<TResult>> InFlight;
};

} // namespace swatchbox::cli
