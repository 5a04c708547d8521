#include "report/pdfexport.h"

#include "report/painter.h"
#include "report/pdfwriter.h"
#include "report/report.h"

#include "rtl/files.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPdfWriter>
#include <charconv>
#include <string_view>

namespace report {

namespace {

std::size_t numberAt(std::string_view text, std::size_t at)
{
    while (at < text.size() && (text[at] == ' ' || text[at] == '\r' || text[at] == '\n'))
        ++at;
    if (at >= text.size())
        throw EReportError("PDF gerado sem o dicionário de informações.");
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), value);
    if (error != std::errc() || end == text.data() + at)
        throw EReportError("PDF gerado sem o dicionário de informações.");
    return value;
}

// Qt writes no keywords, so they are added by an incremental update: the Info object
// again, with /Keywords appended, a one-entry cross-reference section for it and a
// trailer pointing back at the previous one. Readers take the newest version of the
// object; the rest of the file stays byte for byte as Qt wrote it.
void appendKeywords(QByteArray &pdf, const std::string &keywords)
{
    const std::string_view bytes(pdf.constData(), static_cast<std::size_t>(pdf.size()));
    const std::size_t trailerAt = bytes.rfind("trailer");
    const std::size_t startxrefAt = bytes.rfind("startxref");
    if (trailerAt == std::string_view::npos || startxrefAt == std::string_view::npos ||
        startxrefAt < trailerAt)
        throw EReportError("PDF gerado sem o dicionário de informações.");
    const std::string_view trailer = bytes.substr(trailerAt, startxrefAt - trailerAt);
    const std::size_t infoKey = trailer.find("/Info");
    const std::size_t dictOpen = trailer.find("<<");
    const std::size_t dictClose = trailer.rfind(">>");
    if (infoKey == std::string_view::npos || dictOpen == std::string_view::npos ||
        dictClose == std::string_view::npos || dictClose < infoKey)
        throw EReportError("PDF gerado sem o dicionário de informações.");
    const std::size_t infoObject = numberAt(trailer, infoKey + 5);
    const std::size_t previousXref = numberAt(bytes, startxrefAt + 9);

    // The Info object's offset is its entry in the cross-reference table Qt wrote: a
    // "xref", a "0 n" subsection header, then 20-byte entries.
    const std::size_t xrefAt = previousXref;
    if (bytes.substr(xrefAt, 4) != "xref")
        throw EReportError("PDF gerado sem o dicionário de informações.");
    std::size_t entries = bytes.find('\n', bytes.find('\n', xrefAt) + 1);
    if (entries == std::string_view::npos)
        throw EReportError("PDF gerado sem o dicionário de informações.");
    const std::size_t objectAt = numberAt(bytes, entries + 1 + infoObject * 20);
    const std::size_t endobj = bytes.find("endobj", objectAt);
    const std::size_t infoOpen = bytes.find("<<", objectAt);
    const std::size_t infoClose = bytes.rfind(">>", endobj);
    if (endobj == std::string_view::npos || infoOpen == std::string_view::npos ||
        infoClose == std::string_view::npos || infoClose < infoOpen || infoOpen > endobj)
        throw EReportError("PDF gerado sem o dicionário de informações.");

    QByteArray update;
    update.reserve(static_cast<qsizetype>(infoClose - objectAt) + 4 * keywords.size() + 256);
    if (!pdf.endsWith('\n'))
        update += '\n';
    const qint64 newObjectAt = pdf.size() + update.size();
    update += QByteArray::number(static_cast<qulonglong>(infoObject)) + " 0 obj\n";
    update += QByteArray(bytes.data() + infoOpen, static_cast<qsizetype>(infoClose - infoOpen));
    update += "/Keywords " + QByteArray::fromStdString(pdf::textString(keywords)) + "\n>>\nendobj\n";
    const qint64 newXrefAt = pdf.size() + update.size();
    update += "xref\n" + QByteArray::number(static_cast<qulonglong>(infoObject)) + " 1\n" +
              QByteArray::number(newObjectAt).rightJustified(10, '0') + " 00000 n \n";
    // The trailer repeats the previous one's entries (size, root, info, id) and adds
    // where that one's table is.
    update += "trailer\n";
    update += QByteArray(trailer.data() + dictOpen, static_cast<qsizetype>(dictClose - dictOpen));
    update += "/Prev " + QByteArray::number(static_cast<qulonglong>(previousXref)) + "\n>>\nstartxref\n" +
              QByteArray::number(newXrefAt) + "\n%%EOF\n";
    pdf += update;
}

} // namespace

QByteArray pdfDocument(const PreparedReport &report, const PdfInfo &info)
{
    if (report.pages.empty())
        throw EReportError("O relatório não tem páginas para exportar.");
    if (info.creationDate && !info.creationDate->isValid())
        throw EReportError("Data de criação do PDF inválida.");
    const std::string title = info.title.empty() ? report.title : info.title;
    const std::string creator =
        info.creator.empty() ? QCoreApplication::applicationName().toStdString() : info.creator;
    if (std::optional<QByteArray> pdf =
            pdf::writeDocument(report, {title, creator, info.keywords, info.creationDate}))
        return *std::move(pdf);

    // Pages our writer cannot reproduce (characters from fallback fonts, translucent
    // colours) go through Qt's engine.
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(96); // painter units are layout pixels
        writer.setTitle(QString::fromStdString(title));
        writer.setCreator(QString::fromStdString(creator));
        paintPages(writer, report, 0, report.pages.size() - 1);
    }
    if (!info.keywords.empty())
        appendKeywords(pdf, info.keywords);
    return pdf;
}

void exportPdf(const PreparedReport &report, const std::string &fileName, const PdfInfo &info)
{
    const QByteArray pdf = pdfDocument(report, info);
    rtl::WriteFileBytes(fileName, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
}

} // namespace report
