#pragma once
// What the fuzz targets share: the input as text, the locale conventions to read it under, and
// a check that stops the run when a property does not hold.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "runtime/date_time.h"
#include "runtime/format_settings.h"
#include "settings/text_encoding.h"

namespace tw::fuzz {

inline void Check(bool condition) {
    if (!condition) {
        std::abort();  // libFuzzer keeps the input that got here
    }
}

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Bytes as a file's text: a byte-order mark selects UTF-8 or UTF-16, anything else is read as
// Latin-1 (the code page of the native build).
inline std::wstring FileText(std::string_view bytes) { return DecodeText(bytes, DetectEncoding(bytes), Latin1Codec()); }

// A few locales' conventions as the locale reader makes them: the date in each field order,
// other separators, and literal text between the fields.
inline const FormatSettings& Conventions(unsigned char selector) {
    static const std::array<FormatSettings, 4> all = [] {
        std::array<FormatSettings, 4> settings;
        settings.fill(FormatSettings::Japanese());
        settings[1].DateSeparator = L'.';
        settings[1].ShortDateFormat = L"dd/mm/yyyy";
        settings[1].LongTimeFormat = L"hh:nn:ss";
        settings[1].DecimalSeparator = L',';
        settings[2].ShortDateFormat = L"m/d/yyyy";
        settings[3].DateSeparator = L'-';
        settings[3].ShortDateFormat = L"yyyy\"年\"m\"月\"d\"日\"";
        settings[3].LongTimeFormat = L"h\"時\"nn\"分\"ss\"秒\"";
        return settings;
    }();
    return all[selector % all.size()];
}

// The moment without its milliseconds: the texts written for the settings file and the
// history stop at the second.
inline DateTime WholeSecond(DateTime t) { return t.AddMilliseconds(-(t.TimeOfDay() % 1000)); }

}  // namespace tw::fuzz
