#pragma once
// An INI file held in memory. Lines beginning with ';' are comments and blank lines are
// ignored; "[name]" opens a section and "key=value" inside it sets a key, both sides
// trimmed. Section and key names compare regardless of case (accents included). A section
// named twice continues the first; of two equal keys the first is kept. Lines outside
// any section and lines without '=' are ignored. Comments and ignored lines do not
// survive UpdateFile.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "rtl/encoding.h"

namespace rtl {

class TStringList;

class TMemIniFile {
public:
    // Loads the file when the name is not empty and the file exists (EFOpenError when it
    // exists but cannot be read). The file's byte-order mark decides the encoding, which
    // UpdateFile keeps; the ANSI code page otherwise.
    explicit TMemIniFile(std::string fileName = {});

    const std::string &FileName() const { return FFileName; }
    void Clear();
    // Replaces the whole content with the lines parsed.
    void SetStrings(const TStringList &lines);
    // The content as lines: each section's "[name]", its keys, then a blank line.
    void GetStrings(TStringList &lines) const;

    // The value as stored (even when empty); def when the section or key is absent.
    std::string ReadString(std::string_view section, std::string_view ident,
                           std::string_view def) const;
    void WriteString(std::string_view section, std::string_view ident, std::string_view value);
    // Strict decimal integer; def when absent or not an integer.
    int ReadInteger(std::string_view section, std::string_view ident, int def) const;
    void WriteInteger(std::string_view section, std::string_view ident, long long value);
    // An integer: 0 is false, any other true; def when absent or not an integer.
    bool ReadBool(std::string_view section, std::string_view ident, bool def) const;
    void WriteBool(std::string_view section, std::string_view ident, bool value); // "1"/"0"

    // The section holds at least one key.
    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view ident) const;
    // Each replaces the list's lines: the section's keys in order, every section's name
    // (empty ones too), the section's "key=value" lines.
    void ReadSection(std::string_view section, TStringList &keys) const;
    void ReadSections(TStringList &sections) const;
    void ReadSectionValues(std::string_view section, TStringList &values) const;
    void DeleteKey(std::string_view section, std::string_view ident);
    void EraseSection(std::string_view section);

    // Writes the content to the bound file at once (nothing when the name is empty);
    // EFCreateError on failure.
    void UpdateFile() const;

private:
    struct Section {
        std::string Name;
        std::vector<std::pair<std::string, std::string>> Keys; // in order of arrival
        std::unordered_map<std::string, std::size_t> Index;    // folded key -> Keys index
    };

    const Section *FindSection(std::string_view name) const;
    Section &AddSection(std::string_view name);
    static const std::string *FindValue(const Section &section, std::string_view ident);

    std::string FFileName;
    TBomEncoding FEncoding = TBomEncoding::None;
    std::vector<Section> FSections;
    std::unordered_map<std::string, std::size_t> FSectionIndex; // folded name -> FSections index
};

} // namespace rtl
