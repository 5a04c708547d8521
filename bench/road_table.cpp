// road_table FILE.json...: the families' summary at the end of `make bench`. Reads the JSON
// results of the road benchmarks (names "<family>/<stage>/<entries>") and prints, for each
// family and entry count, the CPU time of loading, paginating and exporting, their sum,
// and the cost of one more entry; then the whole road of each family's typical document.
// The NF-e road's older names are read as the same stages.

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QString>

#include <cstdio>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Familia {
    std::map<std::string, std::map<int, double>> etapas; // stage -> entries -> CPU us
};

double EmMicros(const QJsonObject &b)
{
    const double t = b.value("cpu_time").toDouble();
    const QString unidade = b.value("time_unit").toString();
    if (unidade == "ns")
        return t / 1000.0;
    if (unidade == "ms")
        return t * 1000.0;
    if (unidade == "s")
        return t * 1e6;
    return t;
}

// The NF-e road names its stages after its own functions.
bool NomeNFe(const QString &nome, std::string &etapa, int &entradas)
{
    static const QRegularExpression re("^BM_(CarregarERegenerar|PaginarDANFE|ExportarPDF)/(\\d+)$");
    if (nome == "BM_Caminho40Itens") {
        etapa = "Caminho";
        entradas = 40;
        return true;
    }
    const QRegularExpressionMatch m = re.match(nome);
    if (!m.hasMatch())
        return false;
    const QString e = m.captured(1);
    etapa = e == "CarregarERegenerar" ? "Carregar" : e == "PaginarDANFE" ? "Paginar" : "PDF";
    entradas = m.captured(2).toInt();
    return true;
}

std::string Tempo(double us)
{
    char buf[32];
    if (us < 0)
        return "-";
    if (us >= 10000)
        std::snprintf(buf, sizeof buf, "%.1f ms", us / 1000.0);
    else if (us >= 1000)
        std::snprintf(buf, sizeof buf, "%.2f ms", us / 1000.0);
    else
        std::snprintf(buf, sizeof buf, "%.0f us", us);
    return buf;
}

std::string PorEntrada(double us)
{
    char buf[32];
    if (us < 0)
        return "-";
    std::snprintf(buf, sizeof buf, "%.2f us", us);
    return buf;
}

double Valor(const Familia &f, const std::string &etapa, int n)
{
    const auto e = f.etapas.find(etapa);
    if (e == f.etapas.end())
        return -1;
    const auto v = e->second.find(n);
    return v == e->second.end() ? -1 : v->second;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::map<std::string, Familia> familias;
    static const QRegularExpression re("^(\\w+)/(Carregar|Paginar|PDF|HTML|Caminho)/(\\d+)$");
    for (int i = 1; i < argc; ++i) {
        QFile arquivo(QString::fromLocal8Bit(argv[i]));
        if (!arquivo.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "road_table: cannot read %s\n", argv[i]);
            return 1;
        }
        const QJsonArray lista = QJsonDocument::fromJson(arquivo.readAll()).object().value("benchmarks").toArray();
        for (const QJsonValue &v : lista) {
            const QJsonObject b = v.toObject();
            if (b.value("run_type").toString() == "aggregate")
                continue;
            const QString nome = b.value("name").toString();
            std::string familia, etapa;
            int entradas = 0;
            if (const QRegularExpressionMatch m = re.match(nome); m.hasMatch()) {
                familia = m.captured(1).toStdString();
                etapa = m.captured(2).toStdString();
                entradas = m.captured(3).toInt();
            } else if (NomeNFe(nome, etapa, entradas) && QString::fromLocal8Bit(argv[i]).contains("nfe_road")) {
                familia = "NFe";
            } else {
                continue;
            }
            familias[familia].etapas[etapa][entradas] = EmMicros(b);
        }
    }
    if (familias.empty())
        return 0;

    std::printf("\nRoads by family (CPU time, Release build, %u cores; export is PDF; one more entry is\n"
                "the road's added cost per entry over the document with one: flat when it holds from 10\n"
                "to 1000)\n\n",
                std::thread::hardware_concurrency());
    std::printf("%-6s %8s %10s %10s %10s %10s %10s %14s\n", "family", "entries", "load", "paginate", "export",
                "html", "road", "one more entry");
    for (const auto &[nome, f] : familias) {
        for (const int n : {1, 10, 100, 1000}) {
            const double c = Valor(f, "Carregar", n), p = Valor(f, "Paginar", n), e = Valor(f, "PDF", n);
            if (c < 0 && p < 0 && e < 0)
                continue;
            const double road = c >= 0 && p >= 0 && e >= 0 ? c + p + e : -1;
            const double c1 = Valor(f, "Carregar", 1), p1 = Valor(f, "Paginar", 1), e1 = Valor(f, "PDF", 1);
            const double mais = n > 1 && road >= 0 && c1 >= 0 && p1 >= 0 && e1 >= 0
                                    ? (road - (c1 + p1 + e1)) / (n - 1)
                                    : -1;
            std::printf("%-6s %8d %10s %10s %10s %10s %10s %14s\n", nome.c_str(), n, Tempo(c).c_str(),
                        Tempo(p).c_str(), Tempo(e).c_str(), Tempo(Valor(f, "HTML", n)).c_str(), Tempo(road).c_str(),
                        PorEntrada(mais).c_str());
        }
        if (const auto caminho = f.etapas.find("Caminho"); caminho != f.etapas.end())
            for (const auto &[n, us] : caminho->second)
                std::printf("%-6s %8d %10s %10s %10s %10s %10s %14s  <- typical document, whole road\n",
                            nome.c_str(), n, "", "", "", "", Tempo(us).c_str(), "-");
    }
    return 0;
}
