#include "nfe/component.h"

#include "rtl/datetime.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <array>
#include <cstdint>

namespace nfe {

namespace {

// The amount in cents, the half cent going to the even neighbour. Exact: the amount is
// held in ten-thousandths.
std::int64_t CentavosArredondados(rtl::Currency valor)
{
    const std::int64_t raw = valor.Raw();
    std::int64_t centavos = raw / 100;
    const std::int64_t resto = raw % 100; // carries the sign of raw
    const bool impar = centavos % 2 != 0;
    if (resto > 50 || (resto == 50 && impar))
        ++centavos;
    else if (resto < -50 || (resto == -50 && impar))
        --centavos;
    return centavos;
}

// The check digit of the contingency key over its first 35 digits; 0 when there are fewer.
int DigitoChaveContingencia(std::string_view chave)
{
    static constexpr std::string_view Pesos = "43298765432987654329876543298765432";
    const std::string digitos = util::OnlyNumber(chave);
    if (digitos.size() < Pesos.size())
        return 0;
    int soma = 0;
    for (std::size_t i = 0; i < Pesos.size(); ++i)
        soma += (digitos[i] - '0') * (Pesos[i] - '0');
    const int resto = soma % 11;
    return resto <= 1 ? 0 : 11 - resto;
}

} // namespace

TOvixNFe::TOvixNFe(rtl::TComponent *AOwner) : dfe::TOvixDFe(AOwner) {}

TOvixNFe::~TOvixNFe() = default;

std::string TOvixNFe::ClassName() const
{
    return "TOvixNFe";
}

void TOvixNFe::AfterConstruction()
{
    dfe::TOvixDFe::AfterConstruction();
    FNotasFiscais = std::make_unique<TNotasFiscais>(this);
}

void TOvixNFe::Notification(rtl::TComponent *AComponent, rtl::TOperation Operation)
{
    dfe::TOvixDFe::Notification(AComponent, Operation);
    if (Operation == rtl::opRemove && FDANFE.Parceiro() != nullptr
        && dynamic_cast<TDANFeLink *>(AComponent) != nullptr)
        FDANFE.Esquecer();
}

dfe::TConfiguracoes *TOvixNFe::CreateConfiguracoes()
{
    return rtl::TComponent::Create<TConfiguracoesNFe>(this);
}

std::string TOvixNFe::GetNomeModeloDFe()
{
    // The settings are freed before the component itself.
    if (FPConfiguracoes == nullptr)
        return ModeloDFToPrefixo(moNFe);
    return ModeloDFToPrefixo(Configuracoes().Geral().ModeloDF());
}

std::string TOvixNFe::GetNameSpaceURI()
{
    return std::string(NFeNameSpaceURI);
}

void TOvixNFe::SetDANFE(TDANFeLink *Value)
{
    FDANFE.Ligar(
        Value, Value != nullptr ? &Value->Componente() : nullptr,
        [this](TDANFeLink &danfe) { return danfe.OvixNFe() == this; },
        [this](TDANFeLink &danfe, bool ligar) { danfe.SetOvixNFe(ligar ? this : nullptr); });
}

void TOvixNFe::SetStatus(TStatusOvixNFe stNewStatus)
{
    if (stNewStatus == FStatus)
        return;
    FStatus = stNewStatus;
    if (OnStatusChange())
        OnStatusChange()(this);
}

bool TOvixNFe::CstatConfirmada(int AValue) const noexcept
{
    switch (AValue) {
    case 100:
    case 110:
    case 150:
    case 301:
    case 302:
    case 303:
        return true;
    default:
        return false;
    }
}

bool TOvixNFe::CstatProcessado(int AValue) const noexcept
{
    return CstatConfirmada(AValue);
}

bool TOvixNFe::CstatCancelada(int AValue) const noexcept
{
    switch (AValue) {
    case 101:
    case 135:
    case 151:
    case 155:
        return true;
    default:
        return false;
    }
}

std::string TOvixNFe::GerarChaveContingencia(const TNFe &FNFe) const
{
    const bool exterior = FNFe.Dest.EnderDest.UF == "EX";
    std::string chave;
    chave.reserve(36);

    if (exterior) {
        chave += "99";
    } else {
        const int cMun = FNFe.Ide.tpNF == dfe::tnSaida ? FNFe.Dest.EnderDest.cMun : FNFe.Emit.EnderEmit.cMun;
        chave += rtl::Copy(rtl::IntToStr(cMun), 1, 2);
    }

    switch (FNFe.Ide.tpEmis) {
    case dfe::teContingencia:
    case dfe::teFSDA:
    case dfe::teSVCAN:
    case dfe::teSVCRS:
        chave += dfe::TpEmisToStr(FNFe.Ide.tpEmis);
        break;
    default:
        chave += '0';
        break;
    }

    chave += exterior ? std::string(14, '0') : util::Poem_Zeros(FNFe.Dest.CNPJCPF, 14);
    chave += util::IntToStrZero(CentavosArredondados(FNFe.Total.ICMSTot.vNF), 14);
    chave += FNFe.Total.ICMSTot.vICMS != rtl::Currency() ? '1' : '2';
    chave += FNFe.Total.ICMSTot.vST != rtl::Currency() ? '1' : '2';

    int ano = 0, mes = 0, dia = 0;
    rtl::DecodeDate(FNFe.Ide.dEmi, ano, mes, dia);
    chave += util::IntToStrZero(dia, 2);

    chave += static_cast<char>('0' + DigitoChaveContingencia(chave));
    return chave;
}

} // namespace nfe
