#include "util/base.h"

#include "rtl/text.h"

namespace util {

std::string TOvixComponent::ClassName() const
{
    return "TOvixComponent";
}

int THttpHeader::AddHeader(std::string_view AHeader, std::string_view AValue)
{
    std::string line;
    line.reserve(AHeader.size() + 2 + AValue.size());
    line.append(AHeader).append(": ").append(AValue);
    const int index = GetHeaderIndex(AHeader);
    if (index < 0)
        return Add(std::move(line));
    Put(index, std::move(line));
    return index;
}

int THttpHeader::GetHeaderIndex(std::string_view AHeader) const
{
    for (int i = 0; i < Count(); ++i)
        if (std::string_view((*this)[i]).starts_with(AHeader))
            return i;
    return -1;
}

std::string THttpHeader::GetHeaderValue(std::string_view AHeader) const
{
    return GetHeaderValue(GetHeaderIndex(AHeader));
}

std::string THttpHeader::GetHeaderValue(int AIndex) const
{
    if (AIndex < 0 || AIndex >= Count())
        return {};
    const std::string &line = (*this)[AIndex];
    const std::size_t colon = line.find(':');
    return colon == std::string::npos ? std::string() : rtl::Trim(std::string_view(line).substr(colon + 1));
}

} // namespace util
