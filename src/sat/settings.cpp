#include "sat/settings.h"

#include "sat/component.h"
#include "sat/exception.h"

#include "util/toolbox.h"

namespace sat {

namespace {

// Both settings objects belong to a SAT component and to nothing else.
TOvixSAT *DonoSAT(rtl::TComponent *AOwner)
{
    auto *dono = dynamic_cast<TOvixSAT *>(AOwner);
    if (dono == nullptr)
        throw EOvixSATErro("Dono de TOvixSATConfig deve ser TOvixSAT");
    return dono;
}

// A folder read while empty becomes the executable's folder followed by its default name,
// and keeps it.
const std::string &PastaOuPadrao(std::string &APasta, const TOvixSAT &ADono, std::string_view APadrao)
{
    if (APasta.empty() && !ADono.IsDesigning())
        APasta = util::ApplicationPath() + std::string(APadrao);
    return APasta;
}

} // namespace

// ---- TOvixSATConfig ------------------------------------------------------------------

TOvixSATConfig::TOvixSATConfig(rtl::TComponent *AOwner) : rtl::TComponent(AOwner), FOwner(DonoSAT(AOwner))
{
    Clear();
}

std::string TOvixSATConfig::ClassName() const
{
    return "TOvixSATConfig";
}

void TOvixSATConfig::Clear()
{
    FinfCFe_versaoDadosEnt = 0.07;
    Fide_CNPJ.clear();
    Fide_numeroCaixa = 0;
    Fide_tpAmb = dfe::taHomologacao;
    Femit_CNPJ.clear();
    Femit_IE.clear();
    Femit_IM.clear();
    Femit_cRegTrib = dfe::RTSimplesNacional;
    Femit_cRegTribISSQN = dfe::RTISSMicroempresaMunicipal;
    Femit_indRatISSQN = dfe::irSim;
    FArqSchema.clear();
    FXmlSignLib = dfe::xsNone;
}

void TOvixSATConfig::SetEhUTF8(bool AValue) noexcept
{
    if (AValue)
        FPaginaDeCodigo = CP_UTF8;
    else if (FPaginaDeCodigo == CP_UTF8)
        FPaginaDeCodigo = 0;
}

void TOvixSATConfig::SetXmlSignLib(dfe::TSSLXmlSignLib AValue)
{
    FOwner->SSL().SetSSLXmlSignLib(AValue);
    FXmlSignLib = AValue;
}

// ---- TOvixSATConfigArquivos ----------------------------------------------------------

TOvixSATConfigArquivos::TOvixSATConfigArquivos(rtl::TComponent *AOwner)
    : rtl::TComponent(AOwner), FOwner(DonoSAT(AOwner))
{
    FPrefixoArqCFe = "AD";
    FPrefixoArqCFeCanc = "ADC";
    Clear();
}

std::string TOvixSATConfigArquivos::ClassName() const
{
    return "TOvixSATConfigArquivos";
}

void TOvixSATConfigArquivos::Clear()
{
    FSalvarCFe = false;
    FSalvarCFeCanc = false;
    FSalvarEnvio = false;
    FSepararPorCNPJ = false;
    FSepararPorModelo = false;
    FSepararPorMes = false;
    FSepararPorDia = false;
    FPastaCFeVenda.clear();
    FPastaCFeCancelamento.clear();
    FPrefixoArqCFe = "AD";
    FPrefixoArqCFeCanc = "ADC";
}

void TOvixSATConfigArquivos::SetSepararPorMes(bool AValue) noexcept
{
    FSepararPorMes = AValue;
    if (!AValue)
        FSepararPorDia = false;
}

void TOvixSATConfigArquivos::SetSepararPorDia(bool AValue) noexcept
{
    FSepararPorDia = AValue;
    if (AValue)
        FSepararPorMes = true;
}

const std::string &TOvixSATConfigArquivos::PastaCFeVenda() const
{
    return PastaOuPadrao(FPastaCFeVenda, *FOwner, "Vendas");
}

void TOvixSATConfigArquivos::SetPastaCFeVenda(std::string_view AValue)
{
    FPastaCFeVenda = util::PathWithoutDelim(AValue);
}

const std::string &TOvixSATConfigArquivos::PastaCFeCancelamento() const
{
    return PastaOuPadrao(FPastaCFeCancelamento, *FOwner, "Cancelamentos");
}

void TOvixSATConfigArquivos::SetPastaCFeCancelamento(std::string_view AValue)
{
    FPastaCFeCancelamento = util::PathWithoutDelim(AValue);
}

const std::string &TOvixSATConfigArquivos::PastaEnvio() const
{
    return PastaOuPadrao(FPastaEnvio, *FOwner, "Enviado");
}

void TOvixSATConfigArquivos::SetPastaEnvio(std::string_view AValue)
{
    FPastaEnvio = util::PathWithoutDelim(AValue);
}

} // namespace sat
