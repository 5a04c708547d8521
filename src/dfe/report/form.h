#pragma once
// The two roads by which a printed form leaves the program, the same for every family:
// one report per document chained into one job for the preview or the printer, and one
// report written to one PDF file. Each family's form makes its reports and fills their
// PDF information; how the pages are prepared and where they go is decided here once.

#include "dfe/report/component.h"

#include "report/pdfexport.h"
#include "report/report.h"

#include <string_view>
#include <vector>

namespace dfe {

// The reports, in order, chained into one job whose page numbers and page count restart
// for every report, laid out with a progress display when MostraStatus is set; shown in
// AConfig's preview when MostraPreview is set (captioned like the first report, kept
// above other windows with ASempreVisivel, its export proposing APdfInfo), otherwise
// printed with AConfig's print options. No report makes no job.
void ImprimirRelatorios(const TOvixDFeReport &AConfig, const std::vector<report::Report *> &ARelatorios,
                        bool ASempreVisivel, const report::PdfInfo &APdfInfo);

// The report prepared and written to the PDF file AFile, checked and its folder made by
// TDFeReportFortes::AjustarFiltroPDF first (whose errors leave no file), both steps with
// a progress display when MostraStatus is set; returns the file's name as written.
std::string SalvarRelatorioPDF(const TOvixDFeReport &AConfig, report::Report &ARelatorio,
                               std::string_view AFile, const report::PdfInfo &AInfo);

} // namespace dfe
