#pragma once
// Records as message payloads: their bytes for sending, and a received
// payload copied back into a record.
#include <cstddef>
#include <cstring>
#include <span>
#include <type_traits>

namespace protocol {

template <typename Record>
std::span<const std::byte, sizeof(Record)> PayloadOf(const Record& record)
{
    static_assert(std::is_trivially_copyable_v<Record>);
    return std::as_bytes(std::span<const Record, 1>(&record, 1));
}

// Copies a payload into the record when its size is exactly the record's;
// a payload of any other size changes nothing and gives false, so that a
// short or oversized payload can never leave a record half written or
// overrun it.
template <typename Record>
[[nodiscard]] bool CopyPayload(Record& record, const void* data, std::size_t size)
{
    static_assert(std::is_trivially_copyable_v<Record>);
    if (data == nullptr || size != sizeof(Record))
        return false;
    std::memcpy(&record, data, sizeof(Record));
    return true;
}

} // namespace protocol
