#pragma once
// Checking Brazilian identifiers: CPF (11 digits, two check digits), CNPJ (14 digits, two
// check digits) and GTIN (8, 12, 13 or 14 digits, one GS1 check digit).
//
// TOvixValidador checks one document of a chosen kind and keeps the message; the free
// functions check in one call and return an empty text or the message; TOvixCalcDigito is
// the weighted check-digit calculator the checks (and the access-key routines) share.
// Messages are Portuguese, written exactly as users and the generator's alerts show them.

#include "util/base.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace util {

// A fixed underlying type, so that a value outside the list is still a value Validar can
// refuse rather than undefined behaviour.
enum TOvixValTipoDocto : int {
    docCPF,
    docCNPJ,
    docUF,
    docInscEst,
    docNumCheque,
    docPIS,
    docCEP,
    docCartaoCredito,
    docSuframa,
    docGTIN,
    docRenavam,
    docEmail,
    docCNH,
    docPrefixoGTIN,
    docCAEPF,
    docPlacaMercosul
};

enum TOvixCalcDigFormula : int { frModulo11, frModulo10PIS, frModulo10 };

// Weighs the characters of Documento from the rightmost to the leftmost, the weight
// moving one step per character from MultiplicadorInicial towards MultiplicadorFinal and
// starting over after passing it (the weights may run upwards or downwards), and turns the
// sum into a digit by FormulaDigito. A character that is not a digit weighs as 0 but still
// takes its weight.
class TOvixCalcDigito {
public:
    TOvixCalcDigito() = default;

    // Weights 2 to 9, no current weight, modulo 11: the usual calculation.
    void CalculoPadrao();
    // SomaDigitos, ModuloFinal and DigitoFinal from Documento.
    void Calcular();

    int MultiplicadorInicial() const noexcept { return FMultIni; }
    void SetMultiplicadorInicial(int value) noexcept { FMultIni = value; }
    int MultiplicadorFinal() const noexcept { return FMultFim; }
    void SetMultiplicadorFinal(int value) noexcept { FMultFim = value; }
    // The weight to start with; used only when it lies between the first and the last
    // weight (inclusive), otherwise the first weight starts.
    int MultiplicadorAtual() const noexcept { return FMultAtu; }
    void SetMultiplicadorAtual(int value) noexcept { FMultAtu = value; }
    TOvixCalcDigFormula FormulaDigito() const noexcept { return FFormulaDigito; }
    void SetFormulaDigito(TOvixCalcDigFormula value) noexcept { FFormulaDigito = value; }
    const std::string &Documento() const noexcept { return FDocto; }
    void SetDocumento(std::string value) { FDocto = std::move(value); }

    int DigitoFinal() const noexcept { return FDigitoFinal; }
    int SomaDigitos() const noexcept { return FSomaDigitos; }
    int ModuloFinal() const noexcept { return FModuloFinal; }

private:
    int FMultIni = 2;
    int FMultFim = 9;
    int FMultAtu = 0;
    TOvixCalcDigFormula FFormulaDigito = frModulo11;
    std::string FDocto;
    int FDigitoFinal = 0;
    int FSomaDigitos = 0;
    int FModuloFinal = 0;
};

using TOvixMsgErroEvent = std::function<void(const std::string &)>;

// Validates the document of the kind TipoDocto. Only CPF, CNPJ and GTIN carry rules in
// this system; every other kind is accepted as long as it is not empty.
class TOvixValidador : public TOvixComponent {
public:
    explicit TOvixValidador(rtl::TComponent *AOwner);
    ~TOvixValidador() override;

    std::string ClassName() const override;

    // Characters dropped from the document before checking ("./-").
    const std::string &IgnorarChar() const noexcept { return FIgnorarChar; }
    void SetIgnorarChar(std::string value) { FIgnorarChar = std::move(value); }

    // Setting a different document forgets the last check: MsgErro reads "Função Validar
    // não foi chamada" until Validar runs, DigitoCalculado is emptied and DoctoValidado is
    // the new document cleaned by LimpaDocto.
    const std::string &Documento() const noexcept { return FDocumento; }
    void SetDocumento(std::string_view value);
    // Extra input some kinds need (the state of a state registration).
    const std::string &Complemento() const noexcept { return FComplemento; }
    void SetComplemento(std::string value) { FComplemento = std::move(value); }

    // The cleaned document the last check looked at.
    const std::string &DoctoValidado() const noexcept { return FDocto; }
    // The message of the last check; empty when the document was valid.
    std::string MsgErro() const;
    // The check digits the last check computed (CPF, CNPJ, GTIN).
    const std::string &DigitoCalculado() const noexcept { return FDigitoCalculado; }

    // Raise rtl::Exception with the message instead of returning false.
    bool RaiseExcept() const noexcept { return FRaiseExcept; }
    void SetRaiseExcept(bool value) noexcept { FRaiseExcept = value; }
    // Told the message of every failed check, before any exception.
    const TOvixMsgErroEvent &OnMsgErro() const noexcept { return FOnMsgErro; }
    void SetOnMsgErro(TOvixMsgErroEvent value) { FOnMsgErro = std::move(value); }
    TOvixValTipoDocto TipoDocto() const noexcept { return FTipoDocto; }
    void SetTipoDocto(TOvixValTipoDocto value) noexcept { FTipoDocto = value; }
    // An empty document is valid.
    bool PermiteVazio() const noexcept { return FPermiteVazio; }
    void SetPermiteVazio(bool value) noexcept { FPermiteVazio = value; }
    // Zero-fill a CPF or CNPJ on the left to its length before checking.
    bool AjustarTamanho() const noexcept { return FAjustarTamanho; }
    void SetAjustarTamanho(bool value) noexcept { FAjustarTamanho = value; }
    // Append the computed check digits to the message of a wrong check digit.
    bool ExibeDigitoCorreto() const noexcept { return FExibeDigitoCorreto; }
    void SetExibeDigitoCorreto(bool value) noexcept { FExibeDigitoCorreto = value; }

    // The calculator the checks use; its settings are those of the last check.
    TOvixCalcDigito &Modulo() noexcept { return *FModulo; }
    const TOvixCalcDigito &Modulo() const noexcept { return *FModulo; }

    // An e-mail trimmed; any other kind without the IgnorarChar characters, upper-cased
    // and trimmed.
    std::string LimpaDocto(std::string_view AString) const;

    // Cleans and checks Documento. True when valid; otherwise OnMsgErro hears the message
    // and, with RaiseExcept, rtl::Exception carries it, else the result is false. A kind
    // outside TOvixValTipoDocto raises rtl::Exception "Tipo de documento informado
    // inválido!" whatever RaiseExcept says.
    bool Validar();

    // The checks of the three kinds on DoctoValidado; they set MsgErro when it is invalid.
    void ValidarCPF();
    void ValidarCNPJ();
    void ValidarGTIN();

private:
    std::string FIgnorarChar = "./-";
    std::string FDocumento;
    std::string FComplemento;
    std::string FDocto;
    std::string FMsgErro;
    bool FRaiseExcept = false;
    TOvixMsgErroEvent FOnMsgErro;
    TOvixValTipoDocto FTipoDocto = docCPF;
    bool FPermiteVazio = false;
    bool FAjustarTamanho = false;
    std::unique_ptr<TOvixCalcDigito> FModulo;
    bool FExibeDigitoCorreto = false;
    std::string FDigitoCalculado;
};

// Each checks with a validator of its own (no exception for an invalid document, an empty
// document invalid) and returns an empty text when the document is valid, else the message.
std::string ValidarDocumento(TOvixValTipoDocto TipoDocto, std::string_view Documento,
                             std::string_view Complemento = "");
std::string ValidarCPF(std::string_view Documento);
std::string ValidarCNPJ(std::string_view Documento);
std::string ValidarGTIN(std::string_view Documento);
std::string ValidarIE(std::string_view AIE, std::string_view AUF);
std::string ValidarPrefixoGTIN(std::string_view Documento);
// The CNPJ check when the text holds more than 11 digits, else the CPF check.
std::string ValidarCNPJouCPF(std::string_view Documento);

// The modulo-11 check digit of Documento, as text, with weights Peso up to Base.
std::string Modulo11(std::string_view Documento, int Peso, int Base);

} // namespace util
