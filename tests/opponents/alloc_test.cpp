// Checks that the opponents' choices allocate nothing: the global operator new
// is replaced by one that counts while a flag is up.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "opponents/koikoi_decision.h"
#include "opponents/move_choice.h"
#include "tests/opponents/table_setup.h"

namespace {

std::atomic<bool> counting{false};
std::atomic<int> allocations{0};

void* CountedAllocate(std::size_t size) {
    if (counting.load()) allocations.fetch_add(1);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return CountedAllocate(size); }
void* operator new[](std::size_t size) { return CountedAllocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace koikoi {
namespace {

TEST(Allocation, ChoicesAllocateNothing) {
    // A full hand, each card with three matches on a full field, plus a
    // closed month and a pair, so that every step of the choice runs.
    test::TableSetup setup;
    setup.ComputerHand({0, 4, 8, 12, 16, 20, 24, 28})
        .Field({1, 2, 3, 5, 6, 7, 9, 10, 11, 13, 14, 15, 17, 18, 19, 21, 22, 23, 25, 26, 27, 29, 30, 31});
    const Table& table = setup.table();
    int32_t matchList[4];
    int32_t drawn[4] = {33, 34, 35, -1};

    // The counter itself is checked to work before it is trusted; a direct
    // call, since a new-expression may be optimised away.
    counting = true;
    ::operator delete(::operator new(sizeof(int)));
    counting = false;
    ASSERT_EQ(allocations.exchange(0), 1);

    counting = true;
    for (int32_t opponent = 0; opponent < kOpponents; ++opponent) {
        ChooseHandCard(table, opponent, matchList);
        ChooseFieldCard(table, opponent, 1, drawn);
        DecideKoiKoi(table, opponent);
    }
    counting = false;
    EXPECT_EQ(allocations.load(), 0);
}

}  // namespace
}  // namespace koikoi
