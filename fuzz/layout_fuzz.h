#pragma once
// What the layout fuzzers share: the offscreen application every layout needs, the
// preview replaced by our own writers, the load whose failure still leaves pages to
// prepare, and the one preparation error that is the user's data and not a fault.

#include "report/htmlexport.h"
#include "report/pdfwriter.h"
#include "report/prepared.h"
#include "report/preview.h"
#include "rtl/exceptions.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication app(*argc, *argv);
    return 0;
}

namespace fuzz {

// The preview of a layout under test: its pages written as PDF by our own writer (what it
// declines goes to Qt's engine, which is not ours to fuzz) and, for the receipt, as HTML.
inline auto GravarPaginas(bool html = false)
{
    return [html](report::PreparedReport paginas, const report::PreviewOptions &) {
        if (paginas.pages.empty())
            return;
        report::pdf::writeDocument(paginas, {"t", "c", "k"});
        if (html)
            report::htmlDocument(paginas);
    };
}

inline std::string_view Texto(const std::uint8_t *data, std::size_t size)
{
    return {reinterpret_cast<const char *>(data), size};
}

// Loads the bytes into a document list. A failed load leaves its last entry partly read:
// the window stops at the error, but preparing the pages of such an entry must hold too.
template <class Lista>
void Carregar(Lista &lista, const std::uint8_t *data, std::size_t size)
{
    lista.Clear();
    try {
        lista.LoadFromString(Texto(data, size), true);
    } catch (const rtl::Exception &) {
    }
}

// Runs a preparation that may fail only on a QR Code text too long for any symbol, with
// the error the window shows; any other error is a finding.
template <class Preparar>
void AceitandoQRCodeLongo(Preparar preparar)
{
    try {
        preparar();
    } catch (const rtl::Exception &e) {
        if (e.Message() != "Dados do QR Code excedem a capacidade do símbolo")
            throw;
    }
}

} // namespace fuzz
