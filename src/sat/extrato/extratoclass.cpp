#include "sat/extrato/extratoclass.h"

#include "rtl/exceptions.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <utility>

namespace sat {

// ---- TOvixSATExtratoClass ------------------------------------------------------------

TOvixSATExtratoClass::TOvixSATExtratoClass(rtl::TComponent *AOwner)
    : dfe::TOvixDFeReport(AOwner),
      FMsgAppQRCode("Consulte o QR Code pelo aplicativo  \"De olho na nota\", "
                    "disponível na AppStore (Apple) e PlayStore (Android)")
{
    // A receipt is printed on a roll: one page as long as the sale.
    SetFormularioContinuo(true);
}

TOvixSATExtratoClass::~TOvixSATExtratoClass() = default;

std::string TOvixSATExtratoClass::ClassName() const
{
    return "TOvixSATExtratoClass";
}

void TOvixSATExtratoClass::Notification(rtl::TComponent *AComponent, rtl::TOperation Operation)
{
    dfe::TOvixDFeReport::Notification(AComponent, Operation);
    if (Operation == rtl::opRemove && FOvixSAT.Removido(AComponent))
        EsquecerCFeDoSAT();
}

void TOvixSATExtratoClass::EsquecerCFeDoSAT() noexcept
{
    // The document belonged to the SAT component that is no longer linked, and may go
    // with it: nothing is left pointing at it.
    if (FCFeDoSAT)
        FCFe = nullptr;
    FCFeDoSAT = false;
}

std::string TOvixSATExtratoClass::GetSeparadorPathPDF(std::string_view aInitialPath) const
{
    return util::PathWithDelim(aInitialPath) + "SAT";
}

void TOvixSATExtratoClass::SetOvixSAT(rtl::TComponent *Value)
{
    if (Value == FOvixSAT.Parceiro())
        return;
    auto *novo = dynamic_cast<TOvixSAT *>(Value);
    if (Value != nullptr && novo == nullptr)
        throw rtl::Exception("OvixSATExtrato.SAT deve ser do tipo TOvixSAT");

    EsquecerCFeDoSAT();
    FOvixSAT.Ligar(
        novo, novo, [this](TOvixSAT &sat) { return sat.Extrato() == this; },
        [this](TOvixSAT &sat, bool ligar) { sat.SetExtrato(ligar ? this : nullptr); });
}

void TOvixSATExtratoClass::ImprimirExtrato(const TCFe *ACFe)
{
    SetInternalCFe(ACFe);
    FLayOut = lCompleto;
}

void TOvixSATExtratoClass::ImprimirExtratoResumido(const TCFe *ACFe)
{
    SetInternalCFe(ACFe);
    FLayOut = lResumido;
}

void TOvixSATExtratoClass::ImprimirExtratoCancelamento(const TCFe *ACFe)
{
    SetInternalCFe(ACFe);
    FLayOut = lCancelamento;
}

void TOvixSATExtratoClass::SetInternalCFe(const TCFe *ACFe)
{
    if (ACFe != nullptr) {
        FCFe = ACFe;
        FCFeDoSAT = false;
        return;
    }
    VerificaExisteOvixSAT();
    FCFe = &OvixSAT()->CFe();
    FCFeDoSAT = true;
}

void TOvixSATExtratoClass::VerificaExisteOvixSAT() const
{
    if (OvixSAT() == nullptr)
        throw rtl::Exception("Componente OvixSAT não atribuído");
}

std::string TOvixSATExtratoClass::CalcularConteudoQRCode(std::string_view ID, std::string_view CNPJCPF,
                                                         rtl::TDateTime dEmi_hEmi, double Valor,
                                                         std::string_view assinaturaQRCODE)
{
    // Read by the tax authority's application: the value keeps its point and no
    // thousands separator whatever the user's locale.
    std::string conteudo(ID);
    conteudo += '|';
    conteudo += util::DTtoS(dEmi_hEmi);
    conteudo += '|';
    conteudo += util::FloatToString(Valor, '.', "0.00");
    conteudo += '|';
    conteudo += rtl::Trim(CNPJCPF);
    conteudo += '|';
    conteudo += assinaturaQRCODE;
    return conteudo;
}

// ---- TOvixSATExtratoReportClass ------------------------------------------------------

TOvixSATExtratoReportClass::TOvixSATExtratoReportClass(rtl::TComponent *AOwner) : TOvixSATExtratoClass(AOwner)
{
    // The base's margins are for A4 sheets; a roll has room for less.
    SetMargemInferior(4.0);
    SetMargemSuperior(2.0);
    SetMargemEsquerda(2.0);
    SetMargemDireita(2.0);
}

TOvixSATExtratoReportClass::~TOvixSATExtratoReportClass() = default;

std::string TOvixSATExtratoReportClass::ClassName() const
{
    return "TOvixSATExtratoReportClass";
}

} // namespace sat
