// The row-parallel driver: every row exactly once, whatever the team size
// (calls from inside a parallel region are covered by the family sweeps).
#include <gtest/gtest.h>
#include <omp.h>

#include <atomic>
#include <vector>

#include "core/parallel_rows.h"
#include "qrxcore.h"
#include "support/threads.h"

namespace {

using qrxtest::ThreadCount;

std::vector<int> visit_counts(int height) {
    std::vector<std::atomic<int>> hits(static_cast<std::size_t>(height));
    qrx::parallel_rows(height, [&](std::ptrdiff_t row) { hits[static_cast<std::size_t>(row)].fetch_add(1); });
    std::vector<int> out;
    for (auto& h : hits) out.push_back(h.load());
    return out;
}

}  // namespace

TEST(ParallelRows, EveryRowExactlyOnceForEveryTeamSize) {
    for (int team : {1, 2, 3, 8, 0, -4}) {
        ThreadCount tc(team);
        for (int height : {1, 2, 3, 7, 8, 9, 100}) {
            EXPECT_EQ(visit_counts(height), std::vector<int>(static_cast<std::size_t>(height), 1))
                << "team " << team << " height " << height;
        }
    }
}

TEST(ParallelRows, EmptyHeightDoesNothing) {
    int calls = 0;
    qrx::parallel_rows(0, [&](std::ptrdiff_t) { ++calls; });
    qrx::parallel_rows(-3, [&](std::ptrdiff_t) { ++calls; });
    EXPECT_EQ(calls, 0);
}

TEST(ParallelRows, UsesSeveralThreadsWhenAsked) {
    ThreadCount tc(2);
    std::vector<int> owner(64, -1);
    qrx::parallel_rows(64, [&](std::ptrdiff_t row) { owner[static_cast<std::size_t>(row)] = omp_get_thread_num(); });
    // static schedule: contiguous blocks, thread 0 first
    EXPECT_EQ(owner.front(), 0);
    EXPECT_EQ(owner.back(), omp_get_max_threads() > 1 || omp_get_num_procs() > 1 ? 1 : 0);
}
