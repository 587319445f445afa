// A growable array of untyped item pointers with range checks, a growth rule and a change
// hook. It never owns what its items point to.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace stem {

enum ListChange { ItemAdded = 0, ItemRemoved = 2 };

constexpr int32_t MaxListSize = 134217727;  // 0x7FFFFFF

class TListClone {
public:
    TListClone() = default;
    TListClone(const TListClone&) = delete;
    TListClone& operator=(const TListClone&) = delete;
    virtual ~TListClone();

    int32_t AddItem(void* item);
    void DeleteAt(int32_t index);
    void* ItemAt(int32_t index) const;
    void SetCapacity(int32_t newCapacity);
    void SetItemCount(int32_t newCount);

    int32_t Count() const { return count_; }
    int32_t Capacity() const { return capacity_; }

    virtual void GrowCapacity();
    virtual void ItemChanged(void* item, ListChange reason);
    virtual void ClearItems();
    // Raises the list error "Listエラー". The message and value are not reported.
    [[noreturn]] virtual void RaiseListError(const std::string& message, int32_t value) const;

private:
    std::vector<void*> items_;  // size() == capacity_
    int32_t count_ = 0;
    int32_t capacity_ = 0;
};

// The completed message of the list error, in Shift-JIS.
std::string ListErrorMessage();

}  // namespace stem
