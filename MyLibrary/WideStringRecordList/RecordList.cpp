#include "MyLibrary/WideStringRecordList/RecordList.h"

namespace stem {

TRecordList::TRecordList() : records_(std::make_unique<TListClone>())
{
}

TRecordList::~TRecordList()
{
    ClearTexts();
}

int32_t TRecordList::AddText(const WideString& text)
{
    auto record = std::make_unique<TextRecord>(TextRecord{text});
    const int32_t index = records_->AddItem(record.get());
    record.release();  // owned by the list from here on
    return index;
}

WideString TRecordList::TextAt(int32_t index) const
{
    return static_cast<const TextRecord*>(records_->ItemAt(index))->text;
}

void TRecordList::ClearTexts()
{
    for (int32_t i = 0; i < records_->Count(); ++i)
        delete static_cast<TextRecord*>(records_->ItemAt(i));
    records_->ClearItems();
}

int32_t TRecordList::TextCount() const
{
    return records_->Count();
}

}  // namespace stem
