#include "cte/dacte/dacteclass.h"

#include "cte/component.h"
#include "cte/settings.h"

#include "rtl/datetime.h"
#include "rtl/exceptions.h"

namespace cte {

TOvixCTeDACTEClass::TOvixCTeDACTEClass(rtl::TComponent *AOwner)
    : dfe::TOvixDFeReport(AOwner), FGeradorChaveContingencia(&TOvixCTe::GerarChaveContingencia)
{
}

TOvixCTeDACTEClass::~TOvixCTeDACTEClass() = default;

std::string TOvixCTeDACTEClass::ClassName() const
{
    return "TOvixCTeDACTEClass";
}

void TOvixCTeDACTEClass::Notification(rtl::TComponent *AComponent, rtl::TOperation Operation)
{
    dfe::TOvixDFeReport::Notification(AComponent, Operation);
    if (Operation == rtl::opRemove)
        FOvixCTe.Removido(AComponent);
}

void TOvixCTeDACTEClass::SetOvixCTe(rtl::TComponent *Value)
{
    if (Value == FOvixCTe.Parceiro())
        return;
    auto *novo = dynamic_cast<TOvixCTe *>(Value);
    if (Value != nullptr && novo == nullptr)
        throw rtl::Exception("DACTE deve ser do tipo TOvixCTE");

    FOvixCTe.Ligar(
        novo, novo, [this](TOvixCTe &cte) { return cte.DACTE() == this; },
        [this](TOvixCTe &cte, bool ligar) { cte.SetDACTE(ligar ? this : nullptr); });
}

std::string TOvixCTeDACTEClass::GetSeparadorPathPDF(std::string_view aInitialPath) const
{
    TOvixCTe *componente = OvixCTe();
    if (componente == nullptr || componente->Conhecimentos().Count() == 0)
        return std::string(aInitialPath);

    const TCTe &cte = componente->Conhecimentos().Items(0).CTe();
    TArquivosConfCTe &arquivos = componente->Configuracoes().Arquivos();
    const rtl::TDateTime data = arquivos.EmissaoPathCTe() ? cte.ide.dhEmi : rtl::Now();

    std::string literal;
    if (arquivos.AdicionarLiteral()) {
        switch (cte.ide.modelo) {
        case 0: literal = componente->GetNomeModeloDFe(); break;
        case 57: literal = "CTe"; break;
        case 67: literal = "CTeOS"; break;
        default: break;
        }
    }
    return arquivos.GetPath(aInitialPath, literal, cte.emit.CNPJ, cte.emit.IE, data, literal);
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
