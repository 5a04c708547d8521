#include "report/pdfexport.h"

#include "report/painter.h"
#include "report/pdfwriter.h"
#include "report/report.h"

#include "rtl/files.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPdfWriter>
#include <string_view>

namespace report {

namespace {

// Text for an XMP element: escaped, a carriage return kept as a reference (a reader
// would turn a literal one into a line feed), and without the control characters
// XML 1.0 cannot carry at all.
QByteArray xmlText(const std::string &text)
{
    QString out;
    for (const QChar c : QString::fromStdString(text)) {
        const char16_t u = c.unicode();
        if (u == '\r')
            out += QStringLiteral("&#13;");
        else if ((u < 0x20 && u != '\t' && u != '\n') || u == 0xFFFE || u == 0xFFFF)
            continue;
        else if (u == '<')
            out += QStringLiteral("&lt;");
        else if (u == '>')
            out += QStringLiteral("&gt;");
        else if (u == '&')
            out += QStringLiteral("&amp;");
        else
            out += c;
    }
    return out.toUtf8();
}

// Qt's engine has no keywords entry for the Info dictionary, but writes the XMP metadata
// it is given as it is, in place of any of its own. Readers that find the packet may
// prefer it to the Info dictionary, so besides the keywords it says what the Info
// dictionary says: the title, the creator and Qt's producer ("Qt" and its version, as
// Qt writes it). No dates: Qt stamps its own when it starts writing, and a second of our
// own could already be another.
QByteArray xmpMetadata(const std::string &title, const std::string &creator, const std::string &keywords)
{
    QByteArray xmp = "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
                     "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
                     "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
                     "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\""
                     " xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\">\n";
    xmp += "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">" + xmlText(title) + "</rdf:li></rdf:Alt></dc:title>\n";
    xmp += "<xmp:CreatorTool>" + xmlText(creator) + "</xmp:CreatorTool>\n";
    xmp += QByteArray("<pdf:Producer>Qt ") + qVersion() + "</pdf:Producer>\n";
    xmp += "<pdf:Keywords>" + xmlText(keywords) + "</pdf:Keywords>\n";
    xmp += "</rdf:Description>\n</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end=\"w\"?>";
    return xmp;
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
        if (!info.keywords.empty())
            writer.setDocumentXmpMetadata(xmpMetadata(title, creator, info.keywords));
        paintPages(writer, report, 0, report.pages.size() - 1);
    }
    return pdf;
}

void exportPdf(const PreparedReport &report, const std::string &fileName, const PdfInfo &info,
               Progress *progress)
{
    const int pages = static_cast<int>(report.pages.size());
    if (progress)
        progress->begin("Gerando o arquivo PDF", pages);
    const QByteArray pdf = pdfDocument(report, info);
    rtl::WriteFileBytes(fileName, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
    if (progress)
        progress->advance(pages);
}

} // namespace report
