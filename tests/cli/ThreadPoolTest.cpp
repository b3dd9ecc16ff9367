// Jobs on several threads come back in the order they were submitted.
#include "cli/ThreadPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

namespace swatchbox::cli {
namespace {

TEST(OrderedJobs, DeliverInSubmissionOrderWithABoundedNumberUnderWay) {
    TThreadPool Pool(4);
    std::vector<int> Delivered;
    std::atomic<int> UnderWay = 0, MostUnderWay = 0;
    TOrderedJobs<int> Jobs(Pool, [&](int& Result) { Delivered.push_back(Result); });
    for (int Index = 0; Index < 40; ++Index)
        Jobs.Submit([&, Index] {
            const int Now = ++UnderWay;
            for (int Seen = MostUnderWay;
                 Now > Seen && !MostUnderWay.compare_exchange_weak(Seen, Now);)
                ;
            // Early jobs take longest, so later ones finish first.
            std::this_thread::sleep_for(std::chrono::microseconds((40 - Index) * 50));
            --UnderWay;
            return Index;
        });
    Jobs.Finish();
    ASSERT_EQ(Delivered.size(), 40u);
    for (int Index = 0; Index < 40; ++Index)
        EXPECT_EQ(Delivered[static_cast<std::size_t>(Index)], Index);
    EXPECT_LE(MostUnderWay, 8);
}

} // namespace
} // namespace swatchbox::cli
