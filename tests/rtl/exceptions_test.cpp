#include "rtl/exceptions.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace {

TEST(Exceptions, RunTimeMessagesKeepTheirFixedForm)
{
    struct Row {
        const char *name;
        std::string message;
        std::string expected;
    } rows[] = {
        {"integer", rtl::EConvertError::InvalidInteger("abc").Message(), "'abc' is not a valid integer value"},
        {"float", rtl::EConvertError::InvalidFloat("1,2,3").Message(), "'1,2,3' is not a valid floating point value"},
        {"open", rtl::EFOpenError("x", rtl::SysErrorMessage(ENOENT)).Message(),
         "Cannot open file \"x\". No such file or directory"},
        {"list", rtl::EListError::IndexOutOfBounds(5).Message(), "List index out of bounds (5)"},
        {"resource", rtl::EResNotFound("NFESERVICOS").Message(), "Resource NFESERVICOS not found"},
        {"assign", rtl::EAssignError("TFoo", "TBar").Message(), "Cannot assign a TFoo to a TBar"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.message, row.expected) << row.name;
}

TEST(Exceptions, InnermostMessageFollowsTheChain)
{
    std::exception_ptr inner;
    try {
        throw rtl::EConvertError::InvalidInteger("x");
    } catch (...) {
        inner = std::current_exception();
    }
    const rtl::Exception outer("Falha ao ler", inner);
    EXPECT_EQ(outer.InnermostMessage(), "'x' is not a valid integer value");
    EXPECT_EQ(rtl::Exception("só").InnermostMessage(), "só");
}

} // namespace
