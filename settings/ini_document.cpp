#include "settings/ini_document.h"

#include "runtime/trim.h"
#include "settings/text_encoding.h"

#include <algorithm>

namespace tw {

namespace {

bool IsBlankLine(std::wstring_view line) { return TrimBlanks(line).empty(); }

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool SameName(std::wstring_view a, std::wstring_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return AsciiLower(x) == AsciiLower(y); });
}

// The section name when the line starts a section.
std::optional<std::wstring_view> SectionHeader(std::wstring_view line) {
    const std::wstring_view text = TrimBlanks(line);
    if (text.empty() || text.front() != L'[') {
        return std::nullopt;
    }
    const std::size_t close = text.rfind(L']');
    if (close == 0 || close == std::wstring_view::npos) {
        return std::nullopt;
    }
    return TrimBlanks(text.substr(1, close - 1));
}

struct Entry {
    std::wstring_view key;
    std::wstring_view value;
};

std::optional<Entry> SplitEntry(std::wstring_view line) {
    const std::size_t equals = line.find(L'=');
    if (equals == std::wstring_view::npos) {
        return std::nullopt;
    }
    return Entry{TrimBlanks(line.substr(0, equals)), TrimBlanks(line.substr(equals + 1))};
}

bool IsEntryOf(std::wstring_view line, std::wstring_view key) {
    const std::optional<Entry> entry = SplitEntry(line);
    return entry && SameName(entry->key, key);
}

std::wstring OneLine(std::wstring_view text) {
    std::wstring line(text);
    std::replace_if(
        line.begin(), line.end(), [](wchar_t c) { return c == L'\r' || c == L'\n'; }, L' ');
    return line;
}

}  // namespace

IniDocument IniDocument::Parse(std::wstring_view text) {
    IniDocument document;
    for (std::wstring& line : SplitLines(text)) {
        if (const std::optional<std::wstring_view> name = SectionHeader(line)) {
            document.sections_.push_back(Section{std::wstring(*name), {}});
        } else if (document.sections_.empty()) {
            document.preamble_.push_back(std::move(line));
        } else {
            document.sections_.back().lines.push_back(std::move(line));
        }
    }
    for (Section& section : document.sections_) {
        while (!section.lines.empty() && IsBlankLine(section.lines.back())) {
            section.lines.pop_back();
        }
    }
    return document;
}

std::wstring IniDocument::Write() const {
    std::wstring text = LinesEachEndedWithCrLf(preamble_);
    for (const Section& section : sections_) {
        text += L'[';
        text += section.name;
        text += L"]\r\n";
        text += LinesEachEndedWithCrLf(section.lines);
        text += L"\r\n";
    }
    return text;
}

std::optional<std::wstring> IniDocument::Get(std::wstring_view section, std::wstring_view key) const {
    for (const Section& s : sections_) {
        if (!SameName(s.name, section)) {
            continue;
        }
        for (const std::wstring& line : s.lines) {
            const std::optional<Entry> entry = SplitEntry(line);
            if (entry && SameName(entry->key, key)) {
                return std::wstring(entry->value.substr(0, MaxValueLength));
            }
        }
    }
    return std::nullopt;
}

void IniDocument::Set(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    // The name as Parse would read its header back.
    const std::wstring name(TrimBlanks(OneLine(section)));
    const std::wstring newLine = OneLine(key) + L"=" + OneLine(value);
    Section* first = nullptr;
    for (Section& s : sections_) {
        if (!SameName(s.name, name)) {
            continue;
        }
        if (first == nullptr) {
            first = &s;
        }
        const auto line =
            std::find_if(s.lines.begin(), s.lines.end(), [key](const std::wstring& l) { return IsEntryOf(l, key); });
        if (line != s.lines.end()) {
            *line = newLine;
            return;
        }
    }
    if (first == nullptr) {
        sections_.push_back(Section{name, {}});
        first = &sections_.back();
    }
    first->lines.push_back(newLine);
}

void IniDocument::EraseSection(std::wstring_view section) {
    std::erase_if(sections_, [section](const Section& s) { return SameName(s.name, section); });
}

std::vector<std::wstring> IniDocument::SectionNames() const {
    std::vector<std::wstring> names;
    names.reserve(sections_.size());
    for (const Section& section : sections_) {
        names.push_back(section.name);
    }
    return names;
}

}  // namespace tw
