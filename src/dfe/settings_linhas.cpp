#include "dfe/settings_linhas.h"

#include "rtl/codecs.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <cstdint>
#include <limits>

namespace dfe {

namespace {

// Base64 of the bytes scrambled with the key (an empty key leaves them plain) and back.
std::string Embaralhar(std::string_view bytes, std::string_view chave)
{
    return rtl::EncodeBase64(util::StrCrypt(bytes, chave));
}

std::string Desembaralhar(std::string_view texto, std::string_view chave)
{
    return util::StrCrypt(rtl::DecodeBase64(texto), chave);
}

// A 32-bit unsigned setting; anything out of its range keeps the current value.
long long LerCardinal(const rtl::TMemIniFile &AIni, std::string_view Secao, std::string_view Chave,
                      long long Atual)
{
    long long lido = 0;
    if (!rtl::TryStrToInt64(AIni.ReadString(Secao, Chave, std::to_string(Atual)), lido) || lido < 0
        || lido > static_cast<long long>(std::numeric_limits<std::uint32_t>::max()))
        return Atual;
    return lido;
}

} // namespace

void GravarTextoIni(rtl::TMemIniFile &AIni, std::string_view Secao, std::string_view Chave,
                    TTipoLinhaIni Tipo, std::string_view Texto, std::string_view ChaveEmbaralhar)
{
    AIni.WriteString(Secao, Chave, Tipo == tliEmbaralhado ? Embaralhar(Texto, ChaveEmbaralhar)
                                                         : std::string(Texto));
}

void GravarNumeroIni(rtl::TMemIniFile &AIni, std::string_view Secao, std::string_view Chave,
                     TTipoLinhaIni Tipo, long long Numero)
{
    if (Tipo == tliLogico)
        AIni.WriteBool(Secao, Chave, Numero != 0);
    else
        AIni.WriteInteger(Secao, Chave, Numero);
}

std::string LerTextoIni(const rtl::TMemIniFile &AIni, std::string_view Secao, std::string_view Chave,
                        TTipoLinhaIni Tipo, std::string_view Atual, std::string_view ChaveEmbaralhar,
                        TChaveAusente Ausente)
{
    if (Tipo != tliEmbaralhado)
        return AIni.ReadString(Secao, Chave, Ausente == caLimpa ? std::string_view() : Atual);
    const std::string padrao = Ausente == caLimpa ? std::string() : Embaralhar(Atual, ChaveEmbaralhar);
    return Desembaralhar(AIni.ReadString(Secao, Chave, padrao), ChaveEmbaralhar);
}

long long LerNumeroIni(const rtl::TMemIniFile &AIni, std::string_view Secao, std::string_view Chave,
                       TTipoLinhaIni Tipo, long long Atual, int Ultimo)
{
    switch (Tipo) {
    case tliLogico:
        return AIni.ReadBool(Secao, Chave, Atual != 0) ? 1 : 0;
    case tliCardinal:
        return LerCardinal(AIni, Secao, Chave, Atual);
    case tliOrdinal:
        return LerOrdinal<int>(AIni, Secao, Chave, static_cast<int>(Atual), Ultimo);
    case tliInteiro:
    case tliTexto:
    case tliEmbaralhado:
        break;
    }
    return AIni.ReadInteger(Secao, Chave, static_cast<int>(Atual));
}

} // namespace dfe
