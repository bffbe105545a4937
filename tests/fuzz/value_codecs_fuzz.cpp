// The value readers of the settings file on any text, and the writers read back.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

#include "fuzz_support.h"
#include "runtime/int_parse.h"
#include "settings/value_codecs.h"

using namespace tw;
using tw::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const FormatSettings& fs = fuzz::Conventions(data[0]);
    const std::optional<std::wstring> value = fuzz::FileText(fuzz::Bytes(data + 1, size - 1));

    // Readers: the number when there is one, the default otherwise.
    if (const std::optional<std::int32_t> number = ParseInteger(*value)) {
        Check(ReadInt(value, 0) == *number);
        Check(ReadBool(value, *number == 0) == (*number != 0));
    } else {
        Check(ReadInt(value, 77) == 77);
        Check(ReadBool(value, true) && !ReadBool(value, false));
    }
    const DateTime fallback = DateTime::FromMilliseconds(-1);
    ReadDateTime(value, fallback, fs);

    // Writers, from the first bytes as numbers.
    if (size >= 5) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, data + 1, sizeof bits);
        const auto number = static_cast<std::int32_t>(bits);
        Check(ReadInt(WriteInt(number), 0) == number);
        Check(ReadBool(WriteBool(number != 0), number == 0) == (number != 0));
        const std::wstring tick = WriteTick(bits);
        Check(tick.starts_with(L"cl") || (tick.size() == 9 && ReadInt(tick, 0) == number));
    }
    if (size >= 9) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, data + 1, sizeof bits);
        // A moment from year 1 to 9999, written and read back to the second.
        const std::int64_t first = DateTime::FromParts(1, 1, 1)->Milliseconds();
        const std::int64_t span = DateTime::FromParts(9999, 12, 31, 23, 59, 59, 999)->Milliseconds() - first + 1;
        const DateTime t = fuzz::WholeSecond(
            DateTime::FromMilliseconds(first + static_cast<std::int64_t>(bits % static_cast<std::uint64_t>(span))));
        Check(ReadDateTime(WriteDateTime(t, fs), fallback, fs) == t);
    }
    return 0;
}
