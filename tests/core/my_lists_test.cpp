#include "core/my_lists.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

using namespace umlo;

TEST(MyLists, IntegerListAppendsGetsAndSets) {
    TIntegerList list;
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Add(7), 0);
    EXPECT_EQ(list.Add(-2147483647 - 1), 1);
    EXPECT_EQ(list.Add(2147483647), 2);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Get(1), -2147483647 - 1);
    list.Set(0, 42);
    EXPECT_EQ(list[0], 42);
    EXPECT_EQ(list.Get(2), 2147483647);
    list.Fill(5);
    for (int i = 0; i < list.Count(); ++i) {
        EXPECT_EQ(list.Get(i), 5);
    }
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(MyLists, ShortIntListHoldsSignedBytes) {
    TShortIntList list;
    list.Add(-128);
    list.Add(127);
    list.Add(2);
    EXPECT_EQ(list.Get(0), -128);
    EXPECT_EQ(list.Get(1), 127);
    list.Set(2, -1);
    EXPECT_EQ(list.Get(2), -1);
}

TEST(MyLists, IndexOutsideTheListIsRejected) {
    TIntegerList list;
    EXPECT_THROW(list.Get(0), std::out_of_range);
    list.Add(1);
    EXPECT_THROW(list.Get(1), std::out_of_range);
    EXPECT_THROW(list.Get(-1), std::out_of_range);
    EXPECT_THROW(list.Set(-1, 3), std::out_of_range);
    EXPECT_THROW(list.Set(1, 3), std::out_of_range);
    EXPECT_EQ(list.Get(0), 1);
}

TEST(MyLists, RegExprListHoldsMoveOnlyValues) {
    TRegExprList<std::unique_ptr<int>> list;
    list.Add(std::make_unique<int>(3));
    list.Add(nullptr);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(*list.Get(0), 3);
    EXPECT_EQ(list.Get(1), nullptr);
    list.Set(1, std::make_unique<int>(9));
    EXPECT_EQ(*list.Get(1), 9);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}
