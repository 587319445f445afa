#include "unwind/FrameTables.h"

#include <cstring>

namespace stem::unwind {

namespace {

// How an address or length is stored: the low four bits give the form, the next three what it
// is relative to.
enum Encoding : uint8_t {
    Pointer = 0x00,
    Uleb128 = 0x01,
    Udata2 = 0x02,
    Udata4 = 0x03,
    Udata8 = 0x04,
    Sleb128 = 0x09,
    Sdata2 = 0x0A,
    Sdata4 = 0x0B,
    Sdata8 = 0x0C,
    FormBits = 0x0F,
    PcRelative = 0x10,
    Aligned = 0x50,
    RelationBits = 0x70,
    Indirect = 0x80,
    Omitted = 0xFF,
};

// Reads forward through [at, end); a read past end leaves the reader failed.
class Reader {
public:
    Reader(const unsigned char* at, const unsigned char* end) : at_(at), end_(end) {}

    bool Ok() const { return ok_; }

    template <typename T>
    T Fixed()
    {
        T value{};
        if (Take(sizeof value))
            std::memcpy(&value, at_ - sizeof value, sizeof value);
        return value;
    }

    uint8_t Byte() { return Fixed<uint8_t>(); }

    uint64_t Leb128(bool isSigned)
    {
        uint64_t value = 0;
        unsigned shift = 0;
        uint8_t byte = 0x80;
        while (ok_ && (byte & 0x80) != 0) {
            byte = Byte();
            if (shift < 64)
                value |= uint64_t(byte & 0x7F) << shift;
            shift += 7;
        }
        if (isSigned && shift < 64 && (byte & 0x40) != 0)
            value |= ~uint64_t(0) << shift;
        return value;
    }

    const char* CString()
    {
        const auto* start = at_;
        const void* nul = ok_ ? std::memchr(at_, 0, end_ - at_) : nullptr;
        ok_ = nul != nullptr;
        at_ = ok_ ? static_cast<const unsigned char*>(nul) + 1 : end_;
        return ok_ ? reinterpret_cast<const char*>(start) : "";
    }

    // A value stored in the given form; a pc-relative one is made absolute. Other relations
    // (text, data, function) and indirection are left to the caller.
    uintptr_t Value(uint8_t encoding)
    {
        const uintptr_t storedAt = reinterpret_cast<uintptr_t>(at_);
        if ((encoding & RelationBits) == Aligned) {
            Take((sizeof(uintptr_t) - storedAt % sizeof(uintptr_t)) % sizeof(uintptr_t));
            return Fixed<uintptr_t>();
        }
        uintptr_t value = 0;
        switch (encoding & FormBits) {
        case Pointer: value = Fixed<uintptr_t>(); break;
        case Uleb128: value = uintptr_t(Leb128(false)); break;
        case Udata2: value = Fixed<uint16_t>(); break;
        case Udata4: value = Fixed<uint32_t>(); break;
        case Udata8: value = uintptr_t(Fixed<uint64_t>()); break;
        case Sleb128: value = uintptr_t(Leb128(true)); break;
        case Sdata2: value = uintptr_t(Fixed<int16_t>()); break;
        case Sdata4: value = uintptr_t(Fixed<int32_t>()); break;
        case Sdata8: value = uintptr_t(Fixed<int64_t>()); break;
        default: ok_ = false;
        }
        return (encoding & RelationBits) == PcRelative ? value + storedAt : value;
    }

private:
    bool Take(size_t count)
    {
        ok_ = ok_ && count <= size_t(end_ - at_);
        at_ = ok_ ? at_ + count : end_;
        return ok_;
    }

    const unsigned char* at_;
    const unsigned char* end_;
    bool ok_ = true;
};

// The length of the entry at at, or 0 when there is no whole entry (the zero that ends the
// tables, a length past last, or the 64-bit form, which 32-bit code never has).
uint32_t EntryLength(const unsigned char* at, const unsigned char* last)
{
    Reader reader(at, last);
    const auto length = reader.Fixed<uint32_t>();
    const bool whole =
        reader.Ok() && length >= 4 && length != 0xFFFFFFFF && length <= size_t(last - at) - 4;
    return whole ? length : 0;
}

// How the frame descriptions that share the common entry at cie store their code addresses: the
// byte after 'R' in its augmentation data, a plain pointer when there is none, Omitted when the
// entry cannot be read.
uint8_t AddressEncodingOf(const unsigned char* cie, const unsigned char* last)
{
    const uint32_t length = EntryLength(cie, last);
    Reader in(cie + 4, cie + 4 + length);
    if (length == 0 || in.Fixed<uint32_t>() != 0)
        return Omitted;
    const uint8_t version = in.Byte();
    const char* augmentation = in.CString();
    in.Leb128(false);  // code alignment
    in.Leb128(true);   // data alignment
    if (version == 1)
        in.Byte();  // the return-address column
    else
        in.Leb128(false);
    if (augmentation[0] != 'z')
        return in.Ok() ? Pointer : Omitted;
    in.Leb128(false);  // the augmentation data's length
    for (const char* letter = augmentation + 1; *letter != '\0' && in.Ok(); ++letter) {
        switch (*letter) {
        case 'R': {
            // Code addresses are stored as they are or relative to where they are stored.
            const uint8_t encoding = in.Byte();
            const uint8_t relation = encoding & (Indirect | RelationBits);
            return in.Ok() && (relation == 0 || relation == PcRelative) ? encoding
                                                                        : uint8_t(Omitted);
        }
        case 'P': in.Value(in.Byte()); break;  // the personality routine, not followed
        case 'L': in.Byte(); break;            // how the handler tables are stored
        case 'S': break;                       // a signal frame
        default: return Omitted;
        }
    }
    return in.Ok() ? Pointer : Omitted;
}

}  // namespace

FoundFrame FindFrameDescription(const unsigned char* first, const unsigned char* last, uintptr_t pc)
{
    const unsigned char* cie = nullptr;
    uint8_t encoding = Omitted;
    for (const unsigned char* at = first; uint32_t length = EntryLength(at, last);
         at += 4 + length) {
        Reader in(at + 4, at + 4 + length);
        // A frame description gives the distance back to its common entry; that entry, zero.
        const uint32_t back = in.Fixed<uint32_t>();
        if (back == 0 || back > size_t(at + 4 - first))
            continue;
        if (at + 4 - back != cie) {
            cie = at + 4 - back;
            encoding = AddressEncodingOf(cie, last);
        }
        if (encoding == Omitted)
            continue;
        const uintptr_t start = in.Value(encoding);
        const uintptr_t size = in.Value(encoding & FormBits);
        if (in.Ok() && start != 0 && pc - start < size)
            return {at, start};
    }
    return {};
}

}  // namespace stem::unwind
