// The locale date-time reader: any text, and what it reads it writes so that it reads again.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "runtime/pattern_format.h"

using namespace tw;
using tw::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const FormatSettings& fs = fuzz::Conventions(data[0]);
    const std::wstring text = fuzz::FileText(fuzz::Bytes(data + 1, size - 1));
    DateTime t;
    if (!TryParseDateTime(text, fs, t)) {
        return 0;
    }
    DateTime again;
    Check(TryParseDateTime(DateTimeToText(t, fs), fs, again));
    Check(again == fuzz::WholeSecond(t));
    return 0;
}
