#pragma once
// The settings file as a document of sections and lines. A save edits a copy of the file read
// at its start and writes it back whole: what the utility does not write keeps its place.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

class IniDocument {
public:
    // The longest value that Get hands out; longer values are cut.
    static constexpr std::size_t MaxValueLength = 2047;

    // Lines end with CR, LF or CR LF. A line whose first non-blank character is "[" and that has
    // a "]" after it starts a section, named by the text between "[" and the last "]" without
    // surrounding blanks. Lines before the first section are kept at the top; other lines stay
    // as they are, except that the empty lines at the end of a section are its separator and
    // are not kept.
    static IniDocument Parse(std::wstring_view text);

    // Every section as "[name]", its lines and one empty line, each line ended by CR LF.
    std::wstring Write() const;

    // The value of the first "key=value" line of that key in the sections of that name, in
    // document order: the text after the first "=" without surrounding blanks, at most
    // MaxValueLength characters. Section names and keys are matched without regard to the case
    // of the ASCII letters A-Z.
    std::optional<std::wstring> Get(std::wstring_view section, std::wstring_view key) const;

    // Replaces the line of the key that Get would read, or adds "key=value" at the end of the
    // first section of that name, or adds the section at the end of the document. A line break
    // in any of the three would end the line early and start lines of its own: each becomes a
    // blank.
    void Set(std::wstring_view section, std::wstring_view key, std::wstring_view value);

    // Removes every section of that name with all its lines.
    void EraseSection(std::wstring_view section);

    // The names of the sections in document order, as they are written (a name that occurs
    // twice is listed twice).
    std::vector<std::wstring> SectionNames() const;

    friend bool operator==(const IniDocument&, const IniDocument&) = default;

private:
    struct Section {
        std::wstring name;
        std::vector<std::wstring> lines;

        friend bool operator==(const Section&, const Section&) = default;
    };

    std::vector<std::wstring> preamble_;
    std::vector<Section> sections_;
};

}  // namespace tw
