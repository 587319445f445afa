#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "unwind/FrameTables.h"

namespace stem::unwind {

namespace {

// Frame tables laid out as a compiler writes them, over code said to start at CodeAt(0).
class TableBuilder {
public:
    TableBuilder() { bytes_.reserve(4096); }

    // A common entry; returns its offset, which its frame descriptions name.
    size_t Common(const std::string& augmentation, const std::vector<uint8_t>& augmentationData)
    {
        const size_t at = Begin();
        Put<uint32_t>(0);
        bytes_.push_back(1);  // version
        const char* text = augmentation.c_str();
        bytes_.insert(bytes_.end(), text, text + augmentation.size() + 1);
        bytes_.insert(bytes_.end(), {1, 0x7C, 8});  // code and data alignment, return column
        if (!augmentation.empty() && augmentation[0] == 'z') {
            bytes_.push_back(uint8_t(augmentationData.size()));
            bytes_.insert(bytes_.end(), augmentationData.begin(), augmentationData.end());
        }
        End(at);
        return at;
    }

    // A description of [start, start + size) of the code, its start stored relative to where it is
    // stored (4 bytes) or as a pointer.
    size_t Description(size_t common, size_t start, uintptr_t size, bool pcRelative = true)
    {
        const size_t at = Begin();
        Put<uint32_t>(uint32_t(bytes_.size() - common));
        if (pcRelative) {
            relative_.push_back({bytes_.size(), start});
            Put<int32_t>(0);
            Put<uint32_t>(uint32_t(size));
        } else {
            Put<uintptr_t>(start == 0 ? 0 : CodeAt(start));
            Put<uintptr_t>(size);
        }
        bytes_.push_back(0);  // augmentation data: none
        End(at);
        return at;
    }

    void Terminator() { Put<uint32_t>(0); }

    uintptr_t CodeAt(size_t offset) const
    {
        return reinterpret_cast<uintptr_t>(bytes_.data()) + 0x10000 + offset;
    }

    // The tables, with the relative starts filled in now that the bytes stay where they are.
    const std::vector<uint8_t>& Tables()
    {
        for (const auto& [at, start] : relative_) {
            const auto stored = int32_t(CodeAt(start) - reinterpret_cast<uintptr_t>(&bytes_[at]));
            std::memcpy(&bytes_[at], &stored, sizeof stored);
        }
        return bytes_;
    }

private:
    template <typename T>
    void Put(T value)
    {
        const auto* raw = reinterpret_cast<const uint8_t*>(&value);
        bytes_.insert(bytes_.end(), raw, raw + sizeof value);
    }
    size_t Begin()
    {
        Put<uint32_t>(0);
        return bytes_.size() - 4;
    }
    void End(size_t at)
    {
        while (bytes_.size() % 4 != 0)
            bytes_.push_back(0);  // DW_CFA_nop
        const auto length = uint32_t(bytes_.size() - at - 4);
        std::memcpy(&bytes_[at], &length, sizeof length);
    }

    std::vector<uint8_t> bytes_;
    std::vector<std::pair<size_t, size_t>> relative_;
};

TEST(FrameTables, FindsTheDescriptionWhoseRangeHoldsTheAddress)
{
    TableBuilder builder;
    const size_t plain = builder.Common("", {});
    const size_t dropped = builder.Description(plain, 0, ~uintptr_t(0), false);
    const size_t pointerAt = builder.Description(plain, 0x3000, 8, false);
    const size_t relative = builder.Common("zR", {0x1B});
    const size_t first = builder.Description(relative, 0x1000, 0x10);
    const size_t second = builder.Description(relative, 0x1010, 0x20);
    // A personality routine stored indirectly, and handler tables, before the address encoding.
    const size_t handlers = builder.Common("zPLR", {0x9B, 0, 0, 0, 0, 0x1B, 0x1B});
    const size_t withHandlers = builder.Description(handlers, 0x2000, 0x40);
    const size_t unknown = builder.Common("zX", {0});
    builder.Description(unknown, 0x4000, 0x10);
    builder.Terminator();
    builder.Description(relative, 0x5000, 0x10);
    const auto& tables = builder.Tables();

    const struct {
        size_t pc;
        const size_t* description;  // null: none
        size_t start;
    } rows[] = {
        {0x1000, &first, 0x1000},
        {0x100F, &first, 0x1000},
        {0x1010, &second, 0x1010},
        {0x102F, &second, 0x1010},
        {0x1030, nullptr, 0},
        {0x0FFF, nullptr, 0},
        {0x2000, &withHandlers, 0x2000},
        {0x203F, &withHandlers, 0x2000},
        {0x3004, &pointerAt, 0x3000},
        {0x4000, nullptr, 0},  // an augmentation not known
        {0x5000, nullptr, 0},  // after the terminator
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << "pc 0x" << row.pc);
        const FoundFrame found = FindFrameDescription(tables.data(), tables.data() + tables.size(),
                                                      builder.CodeAt(row.pc));
        ASSERT_NE(found.description, tables.data() + dropped);
        if (row.description == nullptr) {
            EXPECT_EQ(found.description, nullptr);
            continue;
        }
        EXPECT_EQ(found.description, tables.data() + *row.description);
        EXPECT_EQ(found.functionStart, builder.CodeAt(row.start));
    }
}

TEST(FrameTables, StopsAtTheEndOfTablesCutShort)
{
    TableBuilder builder;
    const size_t common = builder.Common("zR", {0x1B});
    const size_t first = builder.Description(common, 0x1000, 0x10);
    const size_t second = builder.Description(common, 0x1010, 0x10);
    const auto& tables = builder.Tables();
    for (size_t cut = second; cut < tables.size(); ++cut) {
        const uint8_t* last = tables.data() + cut;
        EXPECT_EQ(FindFrameDescription(tables.data(), last, builder.CodeAt(0x1010)).description,
                  nullptr)
            << "cut at " << cut;
        EXPECT_EQ(FindFrameDescription(tables.data(), last, builder.CodeAt(0x1000)).description,
                  tables.data() + first);
    }
    EXPECT_EQ(FindFrameDescription(nullptr, nullptr, 0).description, nullptr);
}

}  // namespace

}  // namespace stem::unwind
