#pragma once

#include "documents/pdfviewcommands.h"

// The text of a PDF file page by page, for the full-text search (PDFViewCommands::TextExtraction).
qint32 extractDocumentText(const char *path, PDFViewCommands::PageTextCallback page, void *context,
                           const std::atomic_bool *cancel);
