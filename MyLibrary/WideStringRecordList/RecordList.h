// An owning, ordered list of wide strings: the format list of each plug-in. Entries are copied
// in and copied out.
#pragma once

#include <cstdint>
#include <memory>

#include "MyLibrary/TemplateList/ListClone.h"
#include "base/Types.h"

namespace stem {

struct TextRecord {
    WideString text;
};

class TRecordList {
public:
    TRecordList();
    TRecordList(const TRecordList&) = delete;
    TRecordList& operator=(const TRecordList&) = delete;
    virtual ~TRecordList();

    int32_t AddText(const WideString& text);
    WideString TextAt(int32_t index) const;  // list error outside 0 .. TextCount() - 1
    void ClearTexts();
    int32_t TextCount() const;

private:
    std::unique_ptr<TListClone> records_;
};

// The class that the plug-ins instantiate for their format list.
class TCommonStringRecordList : public TRecordList {};

}  // namespace stem
