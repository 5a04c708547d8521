#pragma once
// The NF-e family's exception: the framework's, under the family's own name, so a caller
// can tell the NF-e component, its list and its DANFE apart from the rest of the framework.

#include "dfe/exception.h"

namespace nfe {

class EOvixNFeException : public dfe::EOvixDFeException {
public:
    using dfe::EOvixDFeException::EOvixDFeException;
};

} // namespace nfe
