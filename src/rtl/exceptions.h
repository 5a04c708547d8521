#pragma once
// The error classes of the run-time. Every error of the system derives from
// rtl::Exception; messages are UTF-8 and the run-time's own keep their fixed English form.

#include <exception>
#include <string>

namespace rtl {

class Exception : public std::exception {
public:
    explicit Exception(std::string message);
    Exception(std::string message, std::exception_ptr inner);
    ~Exception() override;

    const std::string &Message() const noexcept { return FMessage; }
    void SetMessage(std::string message) { FMessage = std::move(message); }
    const char *what() const noexcept override { return FMessage.c_str(); }

    // The error that was being handled when this one was raised, if any.
    const std::exception_ptr &InnerException() const noexcept { return FInner; }
    // The innermost error's message (this one's when there is no inner error).
    std::string InnermostMessage() const;

private:
    std::string FMessage;
    std::exception_ptr FInner;
};

// A text that is not a number, a date or a time; a date or time that does not exist.
class EConvertError : public Exception {
public:
    using Exception::Exception;
    static EConvertError InvalidInteger(const std::string &text);
    static EConvertError InvalidFloat(const std::string &text);
    static EConvertError InvalidDate(const std::string &text);
    static EConvertError InvalidDateTime(const std::string &text);
    static EConvertError InvalidTime(const std::string &text);
    static EConvertError DateEncode();
    static EConvertError TimeEncode();
    static EConvertError CurrencyOverflow(const std::string &text);
};

// TPersistent.Assign between incompatible classes.
class EAssignError : public EConvertError {
public:
    EAssignError(const std::string &sourceClass, const std::string &targetClass);
};

class EStreamError : public Exception {
public:
    using Exception::Exception;
};

class EFileStreamError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// 'Cannot open file "x". No such file or directory'
class EFOpenError : public EFileStreamError {
public:
    EFOpenError(const std::string &fileName, const std::string &osReason);
};

// 'Cannot create file "x". Permission denied'
class EFCreateError : public EFileStreamError {
public:
    EFCreateError(const std::string &fileName, const std::string &osReason);
};

// 'List index out of bounds (5)'
class EListError : public Exception {
public:
    using Exception::Exception;
    static EListError IndexOutOfBounds(long long index);
};

// 'Resource X not found'
class EResNotFound : public Exception {
public:
    explicit EResNotFound(const std::string &resourceName);
};

// 'Could not convert variant of type (String) into type (Double)'
class EVariantTypeCastError : public Exception {
public:
    EVariantTypeCastError(const std::string &fromType, const std::string &toType);
};

// The operating system's text for errno, as the run-time appends it to file errors.
std::string SysErrorMessage(int errorCode);

} // namespace rtl
