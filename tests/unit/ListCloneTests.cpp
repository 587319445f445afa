#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "MyLibrary/TemplateList/ListClone.h"
#include "MyLibrary/WideStringRecordList/RecordList.h"
#include "base/Errors.h"

namespace stem {

namespace {

// Records every change notification, to check when the hook runs and when it does not.
class RecordingList : public TListClone {
public:
    struct Change {
        void* item;
        ListChange reason;
    };
    std::vector<Change> changes;
    void ItemChanged(void* item, ListChange reason) override { changes.push_back({item, reason}); }
};

// The blocks the program holds from operator new (replaced below).
std::atomic<long> liveBlocks{0};

void* Item(intptr_t n)
{
    return reinterpret_cast<void*>(n);
}

// However often the list grows, it keeps every item in the order added.
TEST(ListClone, GrowingKeepsEveryItemInOrder)
{
    TListClone list;
    for (int n = 1; n <= 147; ++n) {
        list.AddItem(Item(n));
        ASSERT_GE(list.Capacity(), list.Count());
    }
    ASSERT_EQ(list.Count(), 147);
    for (int n = 1; n <= 147; ++n)
        EXPECT_EQ(list.ItemAt(n - 1), Item(n));
}

TEST(ListClone, BoundViolationsRaiseTheListErrorAndChangeNothing)
{
    TListClone list;
    list.AddItem(Item(1));
    list.AddItem(Item(2));
    const auto expectListError = [](auto&& call) {
        try {
            call();
            ADD_FAILURE() << "no list error";
        } catch (const AssertionFailure&) {
        }
    };
    expectListError([&] { list.ItemAt(-1); });
    expectListError([&] { list.ItemAt(2); });
    expectListError([&] { list.DeleteAt(2); });
    expectListError([&] { list.SetCapacity(1); });
    expectListError([&] { list.SetCapacity(MaxListSize + 1); });
    expectListError([&] { list.SetItemCount(-1); });
    expectListError([&] { list.SetItemCount(MaxListSize + 1); });
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.ItemAt(1), Item(2));
}

TEST(ListClone, NullItemsAreStoredWithoutNotification)
{
    RecordingList list;
    list.AddItem(nullptr);
    list.AddItem(Item(7));
    list.DeleteAt(0);
    ASSERT_EQ(list.changes.size(), 1u);
    EXPECT_EQ(list.changes[0].item, Item(7));
    EXPECT_EQ(list.changes[0].reason, ItemAdded);
    list.DeleteAt(0);
    ASSERT_EQ(list.changes.size(), 2u);
    EXPECT_EQ(list.changes[1].reason, ItemRemoved);
}

TEST(ListClone, SetItemCountFillsWithNullAndRemovesFromTheEnd)
{
    RecordingList list;
    list.AddItem(Item(1));
    list.SetItemCount(5);
    EXPECT_EQ(list.Count(), 5);
    EXPECT_GE(list.Capacity(), 5);
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(list.ItemAt(i), nullptr);
    list.SetItemCount(0);
    list.AddItem(Item(2));
    list.AddItem(Item(3));
    list.AddItem(Item(4));
    list.changes.clear();
    list.SetItemCount(1);
    ASSERT_EQ(list.changes.size(), 2u);
    EXPECT_EQ(list.changes[0].item, Item(4)) << "the last item goes first";
    EXPECT_EQ(list.changes[1].item, Item(3));
}

TEST(ListClone, DeleteMovesLaterItemsDown)
{
    TListClone list;
    for (int n = 1; n <= 4; ++n)
        list.AddItem(Item(n));
    list.DeleteAt(1);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.ItemAt(1), Item(3));
    list.DeleteAt(2);
    EXPECT_EQ(list.ItemAt(1), Item(3));
    EXPECT_EQ(list.Count(), 2);
}

TEST(RecordList, OwnsCopiesOfItsTexts)
{
    TCommonStringRecordList list;
    WideString text = u"yyyy/mm/dd";
    EXPECT_EQ(list.AddText(text), 0);
    EXPECT_EQ(list.AddText(u""), 1);
    text[0] = u'X';
    EXPECT_EQ(list.TextAt(0), u"yyyy/mm/dd");
    EXPECT_EQ(list.TextAt(1), u"");
    EXPECT_EQ(list.TextCount(), 2);
}

TEST(RecordList, OutOfRangeReadsRaiseTheListError)
{
    TCommonStringRecordList list;
    EXPECT_THROW(list.TextAt(0), AssertionFailure);
    list.AddText(u"a");
    EXPECT_THROW(list.TextAt(1), AssertionFailure);
    EXPECT_THROW(list.TextAt(-1), AssertionFailure);
}

// Every record is freed, not only taken off the list: the blocks the program holds from new are
// as many as before the texts were added.
TEST(RecordList, ClearingEmptiesFreesEveryRecordAndAllowsReuse)
{
    TCommonStringRecordList list;
    list.ClearTexts();
    EXPECT_EQ(list.TextCount(), 0);
    const long before = liveBlocks;
    for (int i = 0; i < 100; ++i)
        list.AddText(WideString(static_cast<size_t>(i), u'x'));
    list.ClearTexts();
    EXPECT_EQ(list.TextCount(), 0);
    EXPECT_EQ(liveBlocks, before);
    list.AddText(u"again");
    EXPECT_EQ(list.TextAt(0), u"again");
}

}  // namespace

}  // namespace stem

namespace {

void ReleaseBlock(void* block)
{
    if (block != nullptr)
        --stem::liveBlocks;
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size)
{
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr)
        throw std::bad_alloc();
    ++stem::liveBlocks;
    return block;
}

void operator delete(void* block) noexcept
{
    ReleaseBlock(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    ReleaseBlock(block);
}
