#include "cte/component.h"

#include "cte/writer.h"

#include "dfe/cstat.h"

#include "rtl/datetime.h"
#include "rtl/numbers.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <string_view>

namespace cte {

namespace {

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

// The taker whose data the contingency key carries.
struct TTomadorChave {
    const std::string *CNPJCPF = nullptr;
    const TEndereco *Endereco = nullptr;
};

TTomadorChave TomadorChave(const TCTe &c)
{
    if (c.ide.modelo == 67)
        return {&c.toma.CNPJCPF, &c.toma.enderToma};
    if (!c.ide.toma4.CNPJCPF.empty())
        return {&c.ide.toma4.CNPJCPF, &c.ide.toma4.enderToma};
    switch (c.ide.toma03.Toma) {
    case tmRemetente:
        return {&c.rem.CNPJCPF, &c.rem.enderReme};
    case tmExpedidor:
        return {&c.exped.CNPJCPF, &c.exped.enderExped};
    case tmRecebedor:
        return {&c.receb.CNPJCPF, &c.receb.enderReceb};
    case tmDestinatario:
        return {&c.dest.CNPJCPF, &c.dest.enderDest};
    default:
        return {};
    }
}

} // namespace

TOvixCTe::TOvixCTe(rtl::TComponent *AOwner) : dfe::TOvixDFe(AOwner) {}

TOvixCTe::~TOvixCTe() = default;

std::string TOvixCTe::ClassName() const
{
    return "TOvixCTe";
}

void TOvixCTe::AfterConstruction()
{
    dfe::TOvixDFe::AfterConstruction();
    FConhecimentos = std::make_unique<TConhecimentos>(this);
}

void TOvixCTe::Notification(rtl::TComponent *AComponent, rtl::TOperation Operation)
{
    dfe::TOvixDFe::Notification(AComponent, Operation);
    if (Operation == rtl::opRemove && FDACTE.Parceiro() != nullptr &&
        dynamic_cast<TDACTeLink *>(AComponent) != nullptr)
        FDACTE.Esquecer();
}

dfe::TConfiguracoes *TOvixCTe::CreateConfiguracoes()
{
    return rtl::TComponent::Create<TConfiguracoesCTe>(this);
}

std::string TOvixCTe::GetNomeModeloDFe()
{
    // The settings are freed before the component itself.
    if (FPConfiguracoes == nullptr)
        return ModeloCTeToPrefixo(moCTe);
    return ModeloCTeToPrefixo(Configuracoes().Geral().ModeloDF());
}

std::string TOvixCTe::GetNameSpaceURI()
{
    return std::string(CTeNameSpaceURI);
}

void TOvixCTe::SetDACTE(TDACTeLink *Value)
{
    FDACTE.Ligar(
        Value, Value != nullptr ? &Value->Componente() : nullptr,
        [this](TDACTeLink &dacte) { return dacte.OvixCTe() == this; },
        [this](TDACTeLink &dacte, bool ligar) { dacte.SetOvixCTe(ligar ? this : nullptr); });
}

bool TOvixCTe::cStatConfirmado(int AValue) const noexcept { return dfe::cstat::Confirmado(AValue); }

bool TOvixCTe::cStatProcessado(int AValue) const noexcept { return dfe::cstat::Processado(AValue); }

bool TOvixCTe::cStatCancelado(int AValue) const noexcept { return dfe::cstat::Cancelado(AValue); }

std::string TOvixCTe::GerarChaveContingencia(const TCTe &FCTe)
{
    const TTomadorChave tomador = TomadorChave(FCTe);
    const bool exterior = tomador.Endereco != nullptr && tomador.Endereco->UF == "EX";
    std::string chave;
    chave.reserve(36);

    if (tomador.Endereco != nullptr)
        chave += exterior ? std::string("99") : rtl::Copy(rtl::IntToStr(tomador.Endereco->cMun), 1, 2);

    switch (FCTe.ide.tpEmis) {
    case dfe::teContingencia:
    case dfe::teDPEC:
        chave += '2';
        break;
    case dfe::teFSDA:
        chave += '5';
        break;
    default:
        chave += '0';
        break;
    }

    if (tomador.CNPJCPF != nullptr)
        chave += exterior ? std::string(14, '0') : util::Poem_Zeros(*tomador.CNPJCPF, 14);

    chave += util::Poem_Zeros(util::OnlyNumber(rtl::FormatCurr("0.00", FCTe.vPrest.vTPrest)), 14);
    chave += FCTe.imp.ICMS.ICMS00.vICMS != rtl::Currency() ? '1' : '2';
    chave += FCTe.imp.ICMS.ICMSOutraUF.vICMSOutraUF != rtl::Currency() ? '1' : '2';

    int ano = 0, mes = 0, dia = 0;
    rtl::DecodeDate(FCTe.ide.dhEmi, ano, mes, dia);
    chave += util::IntToStrZero(dia, 2);

    chave += static_cast<char>('0' + DigitoChaveContingencia(chave));
    return chave;
}

} // namespace cte
