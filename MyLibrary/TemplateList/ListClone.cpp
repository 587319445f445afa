#include "MyLibrary/TemplateList/ListClone.h"

#include "base/Errors.h"

namespace stem {

namespace {
// The list error reports where the list unit raises it, not the caller's place.
constexpr const char* ListUnitSource = "ListClone.cpp";
constexpr int ListErrorLine = 127;
}  // namespace

std::string ListErrorMessage()
{
    return FormatAssertionMessage("Listエラー", ListUnitSource, ListErrorLine);
}

TListClone::~TListClone()
{
    // Only this class's ClearItems can run here; it never raises for a valid list.
    TListClone::ClearItems();
}

int32_t TListClone::AddItem(void* item)
{
    if (count_ == capacity_)
        GrowCapacity();
    const int32_t index = count_;
    items_[index] = item;
    ++count_;
    if (item != nullptr)
        ItemChanged(item, ItemAdded);
    return index;
}

void TListClone::DeleteAt(int32_t index)
{
    if (index < 0 || index >= count_)
        RaiseListError("index out of bounds", index);
    void* item = items_[index];
    --count_;
    for (int32_t i = index; i < count_; ++i)
        items_[i] = items_[i + 1];
    if (item != nullptr)
        ItemChanged(item, ItemRemoved);
}

void* TListClone::ItemAt(int32_t index) const
{
    if (index < 0 || index >= count_)
        RaiseListError("index out of bounds", index);
    return items_[index];
}

void TListClone::ClearItems()
{
    SetItemCount(0);
    SetCapacity(0);
}

void TListClone::SetCapacity(int32_t newCapacity)
{
    if (newCapacity < count_ || newCapacity > MaxListSize)
        RaiseListError("capacity out of bounds", newCapacity);
    if (newCapacity == capacity_)
        return;
    items_.resize(static_cast<size_t>(newCapacity));
    if (newCapacity == 0)
        items_.shrink_to_fit();
    capacity_ = newCapacity;
}

void TListClone::SetItemCount(int32_t newCount)
{
    if (newCount < 0 || newCount > MaxListSize)
        RaiseListError("count out of bounds", newCount);
    if (newCount > capacity_)
        SetCapacity(newCount);
    if (newCount > count_) {
        for (int32_t i = count_; i < newCount; ++i)
            items_[i] = nullptr;
    } else {
        for (int32_t i = count_ - 1; i >= newCount; --i)
            DeleteAt(i);
    }
    count_ = newCount;
}

void TListClone::GrowCapacity()
{
    int32_t step = 4;
    if (capacity_ > 64)
        step = capacity_ / 4;
    else if (capacity_ > 8)
        step = 16;
    SetCapacity(capacity_ + step);
}

void TListClone::ItemChanged(void*, ListChange)
{
}

void TListClone::RaiseListError(const std::string&, int32_t) const
{
    throw AssertionFailure(ListErrorMessage());
}

}  // namespace stem
