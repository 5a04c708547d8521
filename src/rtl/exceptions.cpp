#include "rtl/exceptions.h"

#include <cstring>

namespace rtl {

Exception::Exception(std::string message) : FMessage(std::move(message)) {}

Exception::Exception(std::string message, std::exception_ptr inner)
    : FMessage(std::move(message)), FInner(std::move(inner))
{
}

Exception::~Exception() = default;

std::string Exception::InnermostMessage() const
{
    std::string message = FMessage;
    std::exception_ptr next = FInner;
    while (next) {
        try {
            std::rethrow_exception(next);
        } catch (const Exception &e) {
            message = e.Message();
            next = e.InnerException();
        } catch (const std::exception &e) {
            message = e.what();
            next = nullptr;
        } catch (...) {
            next = nullptr;
        }
    }
    return message;
}

EConvertError EConvertError::InvalidInteger(const std::string &text)
{
    return EConvertError("'" + text + "' is not a valid integer value");
}

EConvertError EConvertError::InvalidFloat(const std::string &text)
{
    return EConvertError("'" + text + "' is not a valid floating point value");
}

EConvertError EConvertError::InvalidDate(const std::string &text)
{
    return EConvertError("'" + text + "' is not a valid date");
}

EConvertError EConvertError::InvalidDateTime(const std::string &text)
{
    return EConvertError("'" + text + "' is not a valid date and time");
}

EConvertError EConvertError::InvalidTime(const std::string &text)
{
    return EConvertError("'" + text + "' is not a valid time");
}

EConvertError EConvertError::DateEncode()
{
    return EConvertError("Invalid argument to date encode");
}

EConvertError EConvertError::TimeEncode()
{
    return EConvertError("Invalid argument to time encode");
}

EConvertError EConvertError::CurrencyOverflow(const std::string &text)
{
    return EConvertError("'" + text + "' is not a valid currency value");
}

EAssignError::EAssignError(const std::string &sourceClass, const std::string &targetClass)
    : EConvertError("Cannot assign a " + sourceClass + " to a " + targetClass)
{
}

EFOpenError::EFOpenError(const std::string &fileName, const std::string &osReason)
    : EFileStreamError("Cannot open file \"" + fileName + "\". " + osReason)
{
}

EFCreateError::EFCreateError(const std::string &fileName, const std::string &osReason)
    : EFileStreamError("Cannot create file \"" + fileName + "\". " + osReason)
{
}

EListError EListError::IndexOutOfBounds(long long index)
{
    return EListError("List index out of bounds (" + std::to_string(index) + ")");
}

EResNotFound::EResNotFound(const std::string &resourceName)
    : Exception("Resource " + resourceName + " not found")
{
}

EVariantTypeCastError::EVariantTypeCastError(const std::string &fromType, const std::string &toType)
    : Exception("Could not convert variant of type (" + fromType + ") into type (" + toType + ")")
{
}

std::string SysErrorMessage(int errorCode)
{
    char buffer[256];
    // GNU strerror_r may return a static string instead of filling the buffer.
    const char *text = strerror_r(errorCode, buffer, sizeof buffer);
    return text ? std::string(text) : std::string();
}

} // namespace rtl
