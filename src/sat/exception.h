#pragma once
// The SAT family's error: what the CF-e loading refuses (a file that holds no sale
// receipt) carries it, so a caller can tell it from the run-time's conversion errors.

#include "rtl/exceptions.h"

namespace sat {

class EOvixSATErro : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};

} // namespace sat
