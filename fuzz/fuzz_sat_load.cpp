// Any bytes loaded as a CF-e SAT file, the way the main window loads one: the model is
// cleared and the file read from disk, so the bytes go through the size check, the
// byte-order mark and declaration detection, the decoding and the reader. Bad input may
// end in the run-time's exceptions (the window shows their message); anything else (another
// exception, a crash, a hang, a sanitizer report) is a fault.

#include "rtl/exceptions.h"
#include "sat/model.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace {

// One file per fuzzing process, rewritten for every input and removed at the end.
struct TArquivo {
    TArquivo()
        : nome((std::filesystem::temp_directory_path() /
                ("fuzz_sat_load-" + std::to_string(::getpid()) + ".xml"))
                   .string())
    {
    }
    ~TArquivo()
    {
        std::error_code erro;
        std::filesystem::remove(nome, erro);
    }
    std::string nome;
};

const std::string &Arquivo()
{
    static const TArquivo arquivo;
    return arquivo.nome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    {
        std::ofstream saida(Arquivo(), std::ios::binary | std::ios::trunc);
        saida.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    }
    static sat::TCFe cfe;
    cfe.Clear();
    try {
        cfe.LoadFromFile(Arquivo());
    } catch (const rtl::Exception &) {
    }
    return 0;
}
