#pragma once
// The framework's exception. Every error the fiscal-document framework raises is one of
// these; each document family derives its own (EOvixNFeException, ...) from it, so a
// caller can tell framework errors from the run-time's.

#include "rtl/exceptions.h"

#include <string>

namespace dfe {

class EOvixDFeException : public rtl::Exception {
public:
    // The message goes through util::OvixStr, the one gate for literal texts.
    explicit EOvixDFeException(const std::string &Msg);
    ~EOvixDFeException() override;

    // The message exactly as given (for texts already built from other errors).
    static EOvixDFeException CreateDef(std::string Msg);

protected:
    struct TMensagemPronta {};
    EOvixDFeException(TMensagemPronta, std::string Msg);
};

// A certificate without its private key.
class EOvixDFeExceptionNoPrivateKey : public EOvixDFeException {
public:
    using EOvixDFeException::EOvixDFeException;
    ~EOvixDFeExceptionNoPrivateKey() override;
};

} // namespace dfe
