#include "rtl/inifile.h"

#include "rtl/files.h"
#include "rtl/stringlist.h"
#include "rtl/text.h"

namespace rtl {

namespace {

// Names are looked up by their accent-aware upper case, which equals for exactly the
// names AnsiSameText calls equal.
std::string Folded(std::string_view name)
{
    return AnsiUpperCase(name);
}

} // namespace

TMemIniFile::TMemIniFile(std::string fileName) : FFileName(std::move(fileName))
{
    if (!FFileName.empty() && FileExists(FFileName)) {
        TStringList lines;
        lines.LoadFromFile(FFileName);
        FEncoding = lines.Encoding();
        SetStrings(lines);
    }
}

void TMemIniFile::Clear()
{
    FSections.clear();
    FSectionIndex.clear();
}

const TMemIniFile::Section *TMemIniFile::FindSection(std::string_view name) const
{
    const auto it = FSectionIndex.find(Folded(name));
    return it == FSectionIndex.end() ? nullptr : &FSections[it->second];
}

TMemIniFile::Section &TMemIniFile::AddSection(std::string_view name)
{
    const auto [it, added] = FSectionIndex.try_emplace(Folded(name), FSections.size());
    if (added)
        FSections.push_back(Section{std::string(name), {}, {}});
    return FSections[it->second];
}

const std::string *TMemIniFile::FindValue(const Section &section, std::string_view ident)
{
    const auto it = section.Index.find(Folded(ident));
    return it == section.Index.end() ? nullptr : &section.Keys[it->second].second;
}

void TMemIniFile::SetStrings(const TStringList &lines)
{
    Clear();
    Section *current = nullptr;
    for (const std::string &raw : lines) {
        const std::string line = Trim(raw);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = &AddSection(Trim(std::string_view(line).substr(1, line.size() - 2)));
            continue;
        }
        const std::size_t eq = line.find('=');
        if (!current || eq == std::string::npos)
            continue;
        std::string key = Trim(std::string_view(line).substr(0, eq));
        const auto [it, added] = current->Index.try_emplace(Folded(key), current->Keys.size());
        if (added)
            current->Keys.emplace_back(std::move(key), Trim(std::string_view(line).substr(eq + 1)));
    }
}

void TMemIniFile::GetStrings(TStringList &lines) const
{
    lines.Clear();
    for (const Section &section : FSections) {
        lines.Add("[" + section.Name + "]");
        for (const auto &[key, value] : section.Keys)
            lines.Add(key + "=" + value);
        lines.Add(std::string());
    }
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view ident,
                                    std::string_view def) const
{
    const Section *found = FindSection(section);
    const std::string *value = found ? FindValue(*found, ident) : nullptr;
    return value ? *value : std::string(def);
}

void TMemIniFile::WriteString(std::string_view section, std::string_view ident,
                              std::string_view value)
{
    Section &target = AddSection(section);
    const auto [it, added] = target.Index.try_emplace(Folded(ident), target.Keys.size());
    if (added)
        target.Keys.emplace_back(std::string(ident), std::string(value));
    else
        target.Keys[it->second] = {std::string(ident), std::string(value)};
}

int TMemIniFile::ReadInteger(std::string_view section, std::string_view ident, int def) const
{
    const Section *found = FindSection(section);
    const std::string *value = found ? FindValue(*found, ident) : nullptr;
    return value ? StrToIntDef(*value, def) : def;
}

void TMemIniFile::WriteInteger(std::string_view section, std::string_view ident, long long value)
{
    WriteString(section, ident, IntToStr(value));
}

bool TMemIniFile::ReadBool(std::string_view section, std::string_view ident, bool def) const
{
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TMemIniFile::WriteBool(std::string_view section, std::string_view ident, bool value)
{
    WriteString(section, ident, value ? "1" : "0");
}

bool TMemIniFile::SectionExists(std::string_view section) const
{
    const Section *found = FindSection(section);
    return found && !found->Keys.empty();
}

bool TMemIniFile::ValueExists(std::string_view section, std::string_view ident) const
{
    const Section *found = FindSection(section);
    return found && FindValue(*found, ident);
}

void TMemIniFile::ReadSection(std::string_view section, TStringList &keys) const
{
    keys.Clear();
    if (const Section *found = FindSection(section))
        for (const auto &entry : found->Keys)
            keys.Add(entry.first);
}

void TMemIniFile::ReadSections(TStringList &sections) const
{
    sections.Clear();
    for (const Section &section : FSections)
        sections.Add(section.Name);
}

void TMemIniFile::ReadSectionValues(std::string_view section, TStringList &values) const
{
    values.Clear();
    if (const Section *found = FindSection(section))
        for (const auto &[key, value] : found->Keys)
            values.Add(key + "=" + value);
}

void TMemIniFile::DeleteKey(std::string_view section, std::string_view ident)
{
    const auto sectionIt = FSectionIndex.find(Folded(section));
    if (sectionIt == FSectionIndex.end())
        return;
    Section &target = FSections[sectionIt->second];
    const auto keyIt = target.Index.find(Folded(ident));
    if (keyIt == target.Index.end())
        return;
    const std::size_t removed = keyIt->second;
    target.Keys.erase(target.Keys.begin() + static_cast<std::ptrdiff_t>(removed));
    target.Index.erase(keyIt);
    for (auto &entry : target.Index)
        if (entry.second > removed)
            --entry.second;
}

void TMemIniFile::EraseSection(std::string_view section)
{
    const auto it = FSectionIndex.find(Folded(section));
    if (it == FSectionIndex.end())
        return;
    const std::size_t removed = it->second;
    FSections.erase(FSections.begin() + static_cast<std::ptrdiff_t>(removed));
    FSectionIndex.erase(it);
    for (auto &entry : FSectionIndex)
        if (entry.second > removed)
            --entry.second;
}

void TMemIniFile::UpdateFile() const
{
    if (FFileName.empty())
        return;
    TStringList lines;
    GetStrings(lines);
    lines.SetEncoding(FEncoding);
    lines.SaveToFile(FFileName);
}

} // namespace rtl
