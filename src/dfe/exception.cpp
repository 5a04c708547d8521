#include "dfe/exception.h"

#include "util/encoding.h"

#include <utility>

namespace dfe {

EOvixDFeException::EOvixDFeException(const std::string &Msg)
    : rtl::Exception(util::OvixStr(Msg))
{
}

EOvixDFeException::EOvixDFeException(TMensagemPronta, std::string Msg)
    : rtl::Exception(std::move(Msg))
{
}

EOvixDFeException::~EOvixDFeException() = default;

EOvixDFeException EOvixDFeException::CreateDef(std::string Msg)
{
    return EOvixDFeException(TMensagemPronta{}, std::move(Msg));
}

EOvixDFeExceptionNoPrivateKey::~EOvixDFeExceptionNoPrivateKey() = default;

} // namespace dfe
