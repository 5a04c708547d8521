#include "cte/dacte/dacteclass.h"

#include "rtl/exceptions.h"

namespace cte {

TOvixCTeDACTEClass::TOvixCTeDACTEClass(rtl::TComponent *AOwner) : dfe::TOvixDFeReport(AOwner) {}

TOvixCTeDACTEClass::~TOvixCTeDACTEClass() = default;

std::string TOvixCTeDACTEClass::ClassName() const
{
    return "TOvixCTeDACTEClass";
}

void TOvixCTeDACTEClass::ImprimirDACTe(const TCTe *)
{
    throw rtl::Exception("ImprimirDACTE");
}

void TOvixCTeDACTEClass::ImprimirDACTePDF(const TCTe *)
{
    throw rtl::Exception("ImprimirDACTEPDF");
}

void TOvixCTeDACTEClass::ImprimirEVENTO(const TCTe *)
{
    throw rtl::Exception("ImprimirEVENTO");
}

void TOvixCTeDACTEClass::ImprimirEVENTOPDF(const TCTe *)
{
    throw rtl::Exception("ImprimirEVENTOPDF");
}

void TOvixCTeDACTEClass::ImprimirINUTILIZACAO(const TCTe *)
{
    throw rtl::Exception("ImprimirINUTILIZACAO");
}

void TOvixCTeDACTEClass::ImprimirINUTILIZACAOPDF(const TCTe *)
{
    throw rtl::Exception("ImprimirINUTILIZACAOPDF");
}

std::string TOvixCTeDACTEClass::ChaveContingencia(const TCTe &ACTe) const
{
    return FGeradorChaveContingencia ? FGeradorChaveContingencia(ACTe) : std::string();
}

} // namespace cte
