#include "sat/model.h"

#include "sat/exception.h"
#include "sat/reader.h"

#include "dfe/loader.h"
#include "rtl/encoding.h"
#include "rtl/files.h"

#include <cmath>
#include <filesystem>
#include <system_error>
#include <utility>

namespace sat {

namespace {

// Every line followed by CR LF, the last one included; lines end at CR, LF or CR LF.
std::string LinhasComCRLF(std::string_view texto)
{
    std::string saida;
    saida.reserve(texto.size() + texto.size() / 32 + 2);
    std::size_t i = 0;
    while (i < texto.size()) {
        const std::size_t fim = texto.find_first_of("\r\n", i);
        if (fim == std::string_view::npos) {
            saida.append(texto.substr(i)).append("\r\n");
            break;
        }
        saida.append(texto.substr(i, fim - i)).append("\r\n");
        i = fim + (texto[fim] == '\r' && fim + 1 < texto.size() && texto[fim + 1] == '\n' ? 2 : 1);
    }
    return saida;
}

} // namespace

void Tide::Clear()
{
    cUF = 0;
    modelo = 0;
    nserieSAT = 0;
    tpAmb = dfe::taHomologacao;
    CNPJ.clear();
    signAC.clear();
    numeroCaixa = 0;
    ClearSessao();
}

void Tide::ClearSessao()
{
    cNF = 0;
    nCFe = 0;
    dhEmi = 0;
    cDV = 0;
    assinaturaQRCODE.clear();
}

double Tide::dEmi() const
{
    return std::trunc(dhEmi);
}

double Tide::hEmi() const
{
    return dhEmi - std::trunc(dhEmi);
}

void Tide::SetdEmi(double Value)
{
    dhEmi = std::trunc(Value) + hEmi();
}

void Tide::SethEmi(double Value)
{
    dhEmi = dEmi() + (Value - std::trunc(Value));
}

TCFe::TCFe()
{
    Clear();
}

void TCFe::Clear()
{
    infCFe.Clear();
    ide.Clear();
    Emit.Clear();
    ClearSessao();
}

void TCFe::ClearSessao()
{
    XMLOriginal.clear();
    NomeArquivo.clear();
    ide.ClearSessao();
    Dest.Clear();
    Entrega.Clear();
    Det.Clear();
    Total.Clear();
    Pagto.Clear();
    InfAdic.Clear();
    obsFisco.Clear();
    signature.Clear();
}

bool TCFe::LoadFromFile(const std::string &AFileName)
{
    // A size the file system cannot tell is left to the read, which raises the
    // run-time's open error with the system's reason.
    std::error_code erro;
    const auto tamanho = std::filesystem::file_size(AFileName, erro);
    if (!erro && tamanho > static_cast<std::uintmax_t>(TamanhoMaximoArquivo))
        throw EOvixSATErro("O arquivo \"" + AFileName + "\" tem " + std::to_string(tamanho) +
                           " bytes, mais do que um CF-e SAT pode ter (" +
                           std::to_string(TamanhoMaximoArquivo / (1024 * 1024)) + " MB).");

    // Real CF-e files carry UTF-8 accents without any declaration, and some start with a
    // byte-order mark and declare UTF-8 as well: the bytes are decoded once, by the rule
    // every document file follows, and never again from the ANSI text afterwards.
    const std::string texto = LinhasComCRLF(dfe::DecodificarArquivoXML(rtl::ReadFileBytes(AFileName)));
    Ler(texto, AFileName, rtl::Utf8ToAnsi(texto));
    NomeArquivo = AFileName;
    return true;
}

void TCFe::SetXMLString(std::string_view AValue)
{
    Ler(dfe::DecodificarArquivoXML(AValue), {}, std::string(AValue));
}

void TCFe::Ler(const std::string &texto, std::string_view origem, std::string original)
{
    TCFeR leitor(*this);
    leitor.SetOrigem(std::string(origem));
    leitor.Leitor().SetArquivo(texto);
    leitor.LerXml();
    XMLOriginal = std::move(original);
}

} // namespace sat
